#pragma once
// A small project that exercises the simulator's behaviour, built into a
// download image in a temporary folder with the shipped installation data,
// and the simulator loaded from that image.

#include <gtest/gtest.h>

#include <QImage>
#include <memory>
#include <string>
#include <vector>

#include "download/image/imagebuilder.h"
#include "objects/fields/fields.h"
#include "objects/shapes/shapes.h"
#include "qt/qimagecanvas.h"
#include "simulator/simulator.h"
#include "support/demoprojects.h"
#include "support/tempfolder.h"

namespace tavo::testing {

// Builds the image of `project` into `folder` and loads the simulator.
inline std::unique_ptr<Simulator> BuildAndLoad(const t_projekt& project, Installed& installed,
                                               const TempFolder& folder,
                                               std::vector<std::string>& messages) {
  ImageBuildOptions options;
  options.install = &installed.install;
  options.workFolder = folder.path();
  const DownloadImage image = BuildDownloadImage(project, options);
  EXPECT_TRUE(image.ok()) << image.error;
  return Simulator::Load(image.driveD, &installed.catalog, messages);
}

inline QImage DrawSimulator(const Simulator& sim) {
  QImageCanvas canvas(sim.Width(), sim.Height());
  tview view(&canvas);
  view.SetZoom(1);
  sim.Draw(view);
  return canvas.Image().copy();
}

inline Rgb PixelAt(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return MakeRgb(static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
                 static_cast<std::uint8_t>(qBlue(p)));
}

// Variables 1 level (Word), 2 state (Word), 3 set point (Integer), 4 label
// (ASCII, 8), 5 mask (Hex); text list 1 (values 0 "Aus", 1 "Ein", 2
// "Störung"); alarms 17 and 3. Picture 10 (first, the start picture): a bar
// graph of variable 1, a text list field of variable 2, a rectangle shown
// while variable 2 is 1, input fields of variable 3 (3 and 5 digits), a
// scaled input of variable 1, a plot graph of variable 1; F1 calls picture
// 20. Picture 20: S1 calls picture 10 back; a text list input of variable 2.
struct SimProject {
  static constexpr int kBarColour = 4;
  static constexpr int kSwitchedColour = 2;
  static constexpr int kBackground = 15;

  t_projekt project;

  explicit SimProject(const t_katalog& catalog) {
    project.head = std::make_unique<t_kopf>();
    project.head->startPicture = 10;
    project.terminal = std::make_unique<t_terminal>();
    for (const t_liste* n = catalog.terminals.get(); n; n = n->next())
      if (static_cast<const t_terminal*>(n)->typeNumber == "VT-0A06-0320")
        project.terminal->CopyFrom(*static_cast<const t_terminal*>(n));
    project.coupling = std::make_unique<t_steuerung>();
    project.coupling->CopyFrom(static_cast<const t_steuerung&>(*catalog.couplings));

    Variable(1, 3);
    Variable(2, 3);
    Variable(3, 2);
    Variable(4, 6, 8);
    Variable(5, 5);

    auto list = std::make_unique<t_textliste>();
    list->number = 1;
    list->valueList = true;
    for (auto [value, text] : {std::pair{0, "Aus"}, {1, "Ein"}, {2, "St\xF6rung"}}) {
      auto t = std::make_unique<t_text>();
      t->value = static_cast<std::uint16_t>(value);
      t->name = text;
      AppendNode(list->texts, std::move(t));
    }
    AppendNode(project.textLists, std::move(list));
    Alarm(17, "Druck zu hoch");
    Alarm(3, "T\xFCr offen");

    auto first = Picture(1, 10);
    first->Key(1)->value = 2;
    auto bar = std::make_unique<t_bargraf>();
    bar->SetCorners(10, 10, 109, 29);
    bar->SetDirection(0);
    bar->SetRange(0, 100);
    bar->SetVariable(1);
    bar->SetPenColour(0);
    bar->SetFillColour(kBarColour);
    AppendNode(first->objects, std::move(bar));
    auto field = std::make_unique<tTeLiObj>();
    field->SetPosition(10, 40);
    field->SetFont("SYS_0816.FON");
    field->SetCell(16, 8);
    field->SetVariable(2);
    field->SetTextList(1);
    field->SetPenColour(0);
    field->SetFillColour(14);
    AppendNode(first->objects, std::move(field));
    auto switched = std::make_unique<t_rechteck>();
    switched->SetCorners(200, 10, 240, 50);
    switched->SetFillColour(kSwitchedColour);
    switched->SetSwitching({3, 1, 2});
    AppendNode(first->objects, std::move(switched));
    for (auto [digits, y] : {std::pair{3, 80}, {5, 100}}) {
      auto input = std::make_unique<t_eingabe>();
      input->SetPosition(10, y);
      input->SetDisplay(false, static_cast<std::uint8_t>(digits), 0);
      input->SetVariable(3);
      input->SetFactorCode(4);  // x 1
      AppendNode(first->objects, std::move(input));
    }
    auto scaled = std::make_unique<t_skaleingabe>();
    scaled->SetPosition(150, 80);
    scaled->SetDigits(3, 1);
    scaled->SetConversion(0.1, 0);
    scaled->SetVariable(1);
    AppendNode(first->objects, std::move(scaled));
    auto plot = std::make_unique<t_plotgraf>();
    plot->SetCorners(10, 150, 109, 199);
    plot->SetRange(0, 100);
    plot->SetAxis(0, 1, 1, 15);
    plot->SetVariables(1, 1);
    plot->SetPenColour(0);
    plot->SetFillColour(255);
    AppendNode(first->objects, std::move(plot));
    AppendNode(project.pictures, std::move(first));

    auto second = Picture(2, 20);
    second->backgroundColour = 3;
    second->Key(129)->value = 1;
    auto choice = std::make_unique<tEdLiObj>();
    choice->SetPosition(10, 100);
    choice->SetFont("SYS_0816.FON");
    choice->SetCell(16, 8);
    choice->SetVariable(2);
    choice->SetTextList(1);
    AppendNode(second->objects, std::move(choice));
    AppendNode(project.pictures, std::move(second));
  }

 private:
  void Variable(int number, int type, int length = 2) {
    auto v = std::make_unique<t_variable>();
    v->number = static_cast<std::uint16_t>(number);
    v->address = number * 2;
    v->type = static_cast<std::uint8_t>(type);
    v->length = static_cast<std::uint16_t>(length);
    AppendNode(project.variables, std::move(v));
  }
  void Alarm(int number, const char* text) {
    auto a = std::make_unique<t_alarme>();
    a->number = static_cast<std::uint16_t>(number);
    a->name = text;
    a->font = "SYS_0816.FON";
    AppendNode(project.alarms, std::move(a));
  }
  static std::unique_ptr<t_bild> Picture(int number, int pictureNumber) {
    auto b = std::make_unique<t_bild>();
    b->number = static_cast<std::uint16_t>(number);
    b->pictureNumber = static_cast<std::uint16_t>(pictureNumber);
    b->backgroundColour = kBackground;
    return b;
  }
};

}  // namespace tavo::testing

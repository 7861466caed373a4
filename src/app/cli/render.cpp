// tavodex-cli render: draws pictures of a project as the editor sheet shows
// them, into PNG files.

#include <CLI/CLI.hpp>
#include <QImage>
#include <cmath>
#include <cstdio>
#include <iostream>

#include "app/cli/commands.h"
#include "app/workspace.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "objects/fields/fields.h"
#include "objects/objekt.h"
#include "objects/picturedraw.h"
#include "objects/tview.h"
#include "project/projectfile.h"
#include "qt/qimagecanvas.h"
#include "resources/fonts.h"
#include "shell/codepage.h"
#include "shell/messageboxes.h"

namespace tavo::cli {

const t_bild* FindPicture(const t_projekt& p, const std::string& key) {
  const bool numeric = !key.empty() && key.find_first_not_of("0123456789") == std::string::npos;
  for (const t_liste* n = p.pictures.get(); n; n = n->next()) {
    const auto* b = static_cast<const t_bild*>(n);
    if (numeric && std::to_string(b->pictureNumber) == key) return b;
  }
  const std::string name = Utf8ToCp1252(key);
  for (const t_liste* n = p.pictures.get(); n; n = n->next())
    if (n->name == name) return static_cast<const t_bild*>(n);
  return nullptr;
}

bool ParseTime(const std::string& text, LocalTime& t) {
  return std::sscanf(text.c_str(), "%d-%d-%d %d:%d", &t.year, &t.month, &t.day, &t.hour,
                     &t.minute) == 5 &&
         t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 && t.hour >= 0 &&
         t.hour <= 23 && t.minute >= 0 && t.minute <= 59;
}

namespace {

// Largest zoom accepted; the size of the image is checked on its own.
constexpr double kMaxZoom = 32;

struct RenderOptions {
  std::string project, picture, output, time;
  double zoom = 1;
  bool outline = false, grey = false;
};

int Render(const RenderOptions& o, CliIo& io) {
  FieldContext fieldContext;
  if (!o.time.empty()) {
    LocalTime t;
    ParseTime(o.time, t);
    fieldContext.now = t;
  }
  const bool hasPicture = !o.picture.empty();
  const double zoom = o.zoom;
  const std::string& output = o.output;
  const OpenedProject opened = OpenProject(o.project, io);
  t_projekt* project = opened.project.get();
  fieldContext.textLists = project->textLists.get();
  std::vector<const t_bild*> pictures;
  if (hasPicture) {
    const t_bild* b = FindPicture(*project, o.picture);
    if (!b) {
      io.err << "tavodex-cli: no picture '" << o.picture << "' in " << o.project << "\n";
      return 1;
    }
    pictures.push_back(b);
  } else {
    ForEach<t_bild>(project->pictures, [&](const t_bild& b) { pictures.push_back(&b); });
  }

  ProblemReport problems(io.err);
  FontCache fonts(io.install);
  fonts.SetProblemSink(problems.Sink());
  const int width = static_cast<int>(std::nearbyint(project->terminal->width * zoom));
  const int height = static_cast<int>(std::nearbyint(project->terminal->height * zoom));
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384) {
    io.err << "tavodex-cli: image size " << width << " x " << height << " is out of range\n";
    return 2;
  }
  int failures = 0;
  for (const t_bild* b : pictures) {
    QImageCanvas canvas(width, height);
    tview view(&canvas);
    view.SetZoom(zoom);
    view.SetGrayscale(o.grey);
    view.UseFontCache(fonts);
    view.SetProblemSink(problems.Sink());
    canvas.FillRectColour(0, 0, width, height, PictureBackground(*b, view, o.outline));
    DrawPictureObjects(*b, view, DrawModeForStyle(o.outline ? 1 : 0), fieldContext);
    std::string file = output;
    if (!hasPicture) {
      const std::size_t dot = output.rfind('.');
      const std::string number = "-" + std::to_string(b->pictureNumber);
      file = dot == std::string::npos || dot < output.find_last_of('/') + 1
                 ? output + number
                 : output.substr(0, dot) + number + output.substr(dot);
    }
    std::string error;
    if (!SavePng(canvas.Image(), file, &error)) {
      io.err << "tavodex-cli: " << error << "\n";
      ++failures;
      continue;
    }
    io.out << file << ": picture " << b->pictureNumber << " \"" << Cp1252ToUtf8(b->name) << "\", "
           << width << " x " << height << "\n";
  }
  return failures ? 1 : 0;
}

}  // namespace

CommandRun DefineRender(CLI::App& app) {
  SetHelp(app,
          "usage: tavodex-cli render PROJECT.qvx [--picture NAME|NUMBER] [--zoom Z]\n"
          "                          [--outline] [--grey] [--time \"YYYY-MM-DD HH:MM\"]\n"
          "                          --output FILE.png\n\n"
          "Draws a picture's terminal area: its background colour, then its objects in\n"
          "list order (--outline: as outlines on white; --grey: in the grey palette).\n"
          "Without --picture every picture is drawn to FILE-<picture number>.png. Time\n"
          "and date fields show --time (default: now), so images can be reproduced.\n"
          "Z is a number in (0, 32], default 1.\n");
  auto o = std::make_shared<RenderOptions>();
  AddProjectArgument(app, o->project);
  AddChecked(app, "--picture", o->picture, PictureNameOrNumber, "the picture (default: all)");
  AddNumber(app, "--zoom", o->zoom, 0, kMaxZoom, "the zoom");
  app.add_flag("--outline", o->outline, "draw objects as outlines on white");
  app.add_flag("--grey", o->grey, "draw in the grey palette");
  AddChecked(
      app, "--time", o->time,
      [](const std::string& text) {
        LocalTime t;
        return ParseTime(text, t) ? std::string() : "'" + text + "' is not \"YYYY-MM-DD HH:MM\"";
      },
      "what time and date fields show");
  app.add_option("--output", o->output, "the PNG file")->required();
  return [o](CliIo& io) { return Render(*o, io); };
}

}  // namespace tavo::cli

// tavodex-cli simulate: builds the terminal image of a project in a
// temporary folder (no port), runs it in the simulator with the given PLC
// values and clock, and renders one picture as the terminal shows it.

#include <stdlib.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>

#include "app/cli/commands.h"
#include "app/workspace.h"
#include "download/image/imagebuilder.h"
#include "objects/fields/fields.h"
#include "project/projekt.h"
#include "qt/qimagecanvas.h"
#include "shell/codepage.h"
#include "simulator/simulator.h"

namespace tavo::cli {
namespace {

namespace fs = std::filesystem;

// A folder of its own for the image, removed with everything in it.
class ImageFolder {
 public:
  ImageFolder() {
    std::error_code ec;
    std::string pattern = (fs::temp_directory_path(ec) / "tavodex_simulate_XXXXXX").string();
    if (!ec && mkdtemp(pattern.data())) path_ = pattern;
  }
  ~ImageFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  ImageFolder(const ImageFolder&) = delete;
  ImageFolder& operator=(const ImageFolder&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

struct SimulateOptions {
  std::string project, picture, output, time;
  std::vector<std::string> sets;
};

std::string SetForm(const std::string& text) {
  const std::size_t eq = text.find('=');
  if (eq == std::string::npos || eq == 0) return "'" + text + "' is not VAR=VALUE";
  return {};
}

int Simulate(const SimulateOptions& o, CliIo& io) {
  LocalTime clock = CurrentLocalTime();
  if (!o.time.empty()) ParseTime(o.time, clock);
  const OpenedProject opened = OpenProject(o.project, io);
  const t_projekt& project = *opened.project;
  const t_bild* picture = FindPicture(project, o.picture);
  if (!picture) {
    io.err << "tavodex-cli: no picture '" << o.picture << "' in " << o.project << "\n";
    return 1;
  }

  ImageFolder folder;
  if (folder.path().empty()) {
    io.err << "tavodex-cli: no temporary folder for the image\n";
    return 1;
  }
  ImageBuildOptions options;
  options.install = &io.install;
  options.translator = &io.workspace->translator();
  options.workFolder = folder.path();
  const DownloadImage image = BuildDownloadImage(project, options);
  // What the pictures lack; drive C and the coupling's files do not matter here.
  for (const std::string& w : image.warnings)
    if (w.find("bitmap") != std::string::npos || w.find("font") != std::string::npos)
      io.err << "warning: " << w << "\n";
  if (!image.ok()) {
    io.err << "tavodex-cli: the image could not be built"
           << (image.error.empty() ? std::string() : ": " + Cp1252ToUtf8(image.error)) << "\n";
    return 1;
  }
  std::vector<std::string> messages;
  std::unique_ptr<Simulator> sim =
      Simulator::Load(image.driveD, &io.workspace->catalog(), messages);
  for (const std::string& m : messages)
    io.err << (sim ? "warning: " : "tavodex-cli: ") << Cp1252ToUtf8(m) << "\n";
  if (!sim) return 1;
  sim->SetVariableNames(project.variables.get());
  sim->SetClock(clock);
  for (const std::string& set : o.sets) {
    const std::size_t eq = set.find('=');
    std::string why;
    if (!sim->SetValueText(Utf8ToCp1252(set.substr(0, eq)), Utf8ToCp1252(set.substr(eq + 1)), &why))
      return io.UsageError("--set " + set + ": " + Cp1252ToUtf8(why));
  }
  sim->ShowPictureNumber(picture->pictureNumber);

  QImageCanvas canvas(sim->Width(), sim->Height());
  tview view(&canvas);
  view.SetZoom(1);
  ProblemReport problems(io.err);
  view.SetProblemSink(problems.Sink());
  sim->Draw(view);
  std::string error;
  if (!SavePng(canvas.Image(), o.output, &error)) {
    io.err << "tavodex-cli: " << error << "\n";
    return 1;
  }
  io.out << o.output << ": picture " << picture->pictureNumber << " \""
         << Cp1252ToUtf8(picture->name) << "\", " << sim->Width() << " x " << sim->Height()
         << (sim->Grey() ? ", grey" : "") << "\n";
  return 0;
}

}  // namespace

CommandRun DefineSimulate(CLI::App& app) {
  SetHelp(app,
          "usage: tavodex-cli simulate PROJECT.qvx --picture NAME|NUMBER\n"
          "                            [--set VAR=VALUE ...] [--time \"YYYY-MM-DD HH:MM\"]\n"
          "                            --output FILE.png\n\n"
          "Builds the terminal image of the project in a temporary folder (no port), reads\n"
          "it back as the terminal does and renders the picture as the terminal shows it:\n"
          "fields show the variables' values, bar graphs their level, text list fields\n"
          "the text of the value, and switching rules hide objects. VAR is a variable's\n"
          "number or name; VALUE is typed as for the variable's type (hexadecimal for\n"
          "Hex, text for ASCII). Variables not set are 0. Time and date fields show\n"
          "--time (default: now). The terminal's resolution and palette are used.\n");
  auto o = std::make_shared<SimulateOptions>();
  AddProjectArgument(app, o->project);
  app.add_option("--picture", o->picture, "the picture")
      ->check(CLI::Validator([](std::string& text) { return PictureNameOrNumber(text); }, "VALUE"))
      ->required();
  app.add_option("--set", o->sets, "a variable's value, VAR=VALUE (repeatable)")
      ->check(CLI::Validator([](std::string& text) { return SetForm(text); }, "VAR=VALUE"));
  AddChecked(
      app, "--time", o->time,
      [](const std::string& text) {
        LocalTime t;
        return ParseTime(text, t) ? std::string() : "'" + text + "' is not \"YYYY-MM-DD HH:MM\"";
      },
      "what the terminal's clock shows");
  app.add_option("--output", o->output, "the PNG file")->required();
  return [o](CliIo& io) { return Simulate(*o, io); };
}

}  // namespace tavo::cli

// tavodex-cli print: the project printout as a PDF file, with the scope of
// the printout's options dialog.

#include <CLI/CLI.hpp>
#include <QGuiApplication>
#include <iostream>
#include <memory>

#include "app/cli/commands.h"
#include "app/workspace.h"
#include "objects/tview.h"
#include "printing/printproject.h"
#include "project/projekt.h"
#include "qt/pagecanvas.h"
#include "resources/fonts.h"
#include "shell/codepage.h"

namespace tavo::cli {
namespace {

std::string YesNoValue(const std::string& text) {
  if (text == "yes" || text == "ja" || text == "no" || text == "nein") return {};
  return "'" + text + "' is not yes or no";
}

void YesNo(const std::string& text, bool& value) {
  if (!text.empty()) value = text == "yes" || text == "ja";
}

bool ParsePictures(const std::string& text, PrintOptions& o) {
  if (text.empty()) return true;
  if (text == "all") {
    o.pictures = PictureScope::All;
    o.selectedPicture = 0;
    return true;
  }
  if (text == "none") {
    o.pictures = PictureScope::None;
    o.selectedPicture = 0;
    return true;
  }
  if (!text.empty() && text.size() <= 5 &&
      text.find_first_not_of("0123456789") == std::string::npos) {
    const int n = std::stoi(text);
    if (n >= 1 && n <= 65535) {
      o.pictures = PictureScope::Selection;
      o.selectedPicture = static_cast<std::uint16_t>(n);
      return true;
    }
  }
  return false;
}

bool ParseMargins(const std::string& text, double& left, double& top, double& bottom) {
  double v[3];
  std::size_t at = 0;
  for (int i = 0; i < 3; ++i) {
    const std::size_t comma = i < 2 ? text.find(',', at) : text.size();
    if (comma == std::string::npos) return false;
    const std::string part = text.substr(at, comma - at);
    try {
      std::size_t used = 0;
      v[i] = std::stod(part, &used);
      if (used != part.size()) return false;
    } catch (const std::exception&) {
      return false;
    }
    at = comma + 1;
  }
  left = v[0];
  top = v[1];
  bottom = v[2];
  return true;
}

struct PrintCall {
  std::string project, output, projectInfo, pictures, alarms, variables, textLists, paper, margins,
      date;
};

int Print(const PrintCall& call, CliIo& io) {
  const std::string& output = call.output;
  const PrintSettings& stored = io.workspace->settings().print;
  std::string pageError;
  PrintOptions options = OptionsFromSettings(stored, &pageError);
  if (!pageError.empty() && call.paper.empty() && call.margins.empty())
    io.err << "warning: the page settings are not usable (" << pageError << "); A4 is used\n";
  YesNo(call.projectInfo, options.projectInfo);
  YesNo(call.alarms, options.alarms);
  YesNo(call.variables, options.variables);
  YesNo(call.textLists, options.textLists);
  ParsePictures(call.pictures, options);
  if (!call.paper.empty() || !call.margins.empty()) {
    double left = stored.marginLeft, top = stored.marginTop, bottom = stored.marginBottom;
    if (!call.margins.empty()) ParseMargins(call.margins, left, top, bottom);
    options.page = MakePageGeometry(call.paper.empty() ? stored.paper : call.paper, left, top,
                                    bottom, &pageError);
    // The margins and the paper each are valid, yet the blocks do not fit.
    if (!pageError.empty()) return io.UsageError(pageError);
  }

  const OpenedProject opened = OpenProject(call.project, io);
  t_projekt* project = opened.project.get();
  // The titles are set in system fonts, which Qt finds only with an
  // application; without a display it draws off-screen.
  std::unique_ptr<QGuiApplication> app;
  if (!QGuiApplication::instance()) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
      qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tavodex-cli";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
  }
  ProblemReport problems(io.err);
  FontCache fonts(io.install);
  fonts.SetProblemSink(problems.Sink());
  PrintContext context{io.workspace->translator(), &fonts, call.date};
  const Printout printout = PrintProject(*project, options, context).CreatePreview();

  tview view;
  view.UseFontCache(fonts);
  view.SetProblemSink(problems.Sink());
  FieldContext fields;
  fields.textLists = project->textLists.get();
  BlockPainter painter{fonts, view, fields};
  std::string error;
  if (!WritePrintoutPdf(printout, painter, output, &error)) {
    io.err << "tavodex-cli: " << error << "\n";
    return 1;
  }
  std::error_code ec;
  const auto size = std::filesystem::file_size(output, ec);
  io.out << output << ": " << printout.pages.size()
         << (printout.pages.size() == 1 ? " page" : " pages") << ", " << printout.page.paper << ", "
         << (ec ? 0 : size) << " bytes\n";
  return 0;
}

}  // namespace

CommandRun DefinePrint(CLI::App& app) {
  SetHelp(app,
          "usage: tavodex-cli print PROJECT.qvx --output FILE.pdf\n"
          "                         [--project-info yes|no] [--pictures all|none|NUMBER]\n"
          "                         [--alarms yes|no] [--variables yes|no] [--text-lists yes|no]\n"
          "                         [--paper A4|A3|Letter|Legal] [--margins LEFT,TOP,BOTTOM]\n"
          "                         [--date DD.MM.YYYY]\n\n"
          "Writes the project printout as the editor's print preview shows it: the project\n"
          "block and picture list, alarms, variables, text lists and a page per picture.\n"
          "Options not given are taken from the settings (section \"Print\"); --pictures\n"
          "NUMBER prints only the pictures with that picture number. Margins are\n"
          "millimetres. --date sets the date in the page headers (default: today).\n");
  auto o = std::make_shared<PrintCall>();
  AddProjectArgument(app, o->project);
  app.add_option("--output", o->output, "the PDF file")->required();
  AddChecked(app, "--project-info", o->projectInfo, YesNoValue, "the project block");
  AddChecked(
      app, "--pictures", o->pictures,
      [](const std::string& text) -> std::string {
        PrintOptions probe;
        if (ParsePictures(text, probe)) return {};
        return "'" + text + "' is not all, none or a picture number";
      },
      "the picture pages");
  AddChecked(app, "--alarms", o->alarms, YesNoValue, "the alarm section");
  AddChecked(app, "--variables", o->variables, YesNoValue, "the variable section");
  AddChecked(app, "--text-lists", o->textLists, YesNoValue, "the text list section");
  AddChecked(
      app, "--paper", o->paper,
      [](const std::string& text) {
        std::string error;
        MakePageGeometry(text, 20, 10, 10, &error);
        return error.find("paper") != std::string::npos ? error : std::string();
      },
      "the paper size");
  AddChecked(
      app, "--margins", o->margins,
      [](const std::string& text) {
        double left = 0, top = 0, bottom = 0;
        return ParseMargins(text, left, top, bottom)
                   ? std::string()
                   : "'" + text + "' is not LEFT,TOP,BOTTOM in millimetres";
      },
      "the page margins");
  AddChecked(
      app, "--date", o->date,
      [](const std::string& text) {
        return text.size() == 10 && text[2] == '.' && text[5] == '.'
                   ? std::string()
                   : "'" + text + "' is not DD.MM.YYYY";
      },
      "the date in the page headers");
  return [o](CliIo& io) { return Print(*o, io); };
}

}  // namespace tavo::cli

// tavodex-cli print: the project printout as a PDF file, with the scope of
// the printout's options dialog.

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

void Usage(std::ostream& out) {
  out << "usage: tavodex-cli print PROJECT.qvx --output FILE.pdf\n"
         "                         [--project-info yes|no] [--pictures all|none|NUMBER]\n"
         "                         [--alarms yes|no] [--variables yes|no] [--text-lists yes|no]\n"
         "                         [--paper A4|A3|Letter|Legal] [--margins LEFT,TOP,BOTTOM]\n"
         "                         [--date DD.MM.YYYY]\n\n"
         "Writes the project printout as the editor's print preview shows it: the project\n"
         "block and picture list, alarms, variables, text lists and a page per picture.\n"
         "Options not given are taken from the settings (section \"Print\"); --pictures\n"
         "NUMBER prints only the pictures with that picture number. Margins are\n"
         "millimetres. --date sets the date in the page headers (default: today).\n";
}

bool YesNo(const std::string& name, const std::string& text, bool& value, std::ostream& err) {
  if (text.empty()) return true;
  if (text == "yes" || text == "ja") {
    value = true;
  } else if (text == "no" || text == "nein") {
    value = false;
  } else {
    err << "tavodex-cli print: " << name << " wants yes or no, not '" << text << "'\n";
    return false;
  }
  return true;
}

bool ParsePictures(const std::string& text, PrintOptions& o, std::ostream& err) {
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
  err << "tavodex-cli print: --pictures wants all, none or a picture number, not '" << text
      << "'\n";
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

}  // namespace

int CmdPrint(const Args& argsIn, CliIo& io) {
  Args args = argsIn;
  if (WantsHelp(args)) {
    Usage(io.out);
    return 0;
  }
  std::string output, projectInfo, pictures, alarms, variables, textLists, paper, margins, date;
  const bool optionsOk =
      TakeOption(args, "--output", output) && TakeOption(args, "--project-info", projectInfo) &&
      TakeOption(args, "--pictures", pictures) && TakeOption(args, "--alarms", alarms) &&
      TakeOption(args, "--variables", variables) && TakeOption(args, "--text-lists", textLists) &&
      TakeOption(args, "--paper", paper) && TakeOption(args, "--margins", margins) &&
      TakeOption(args, "--date", date);
  if (!optionsOk || args.size() != 1 || output.empty()) {
    Usage(io.err);
    return 2;
  }
  const PrintSettings& stored = io.workspace->settings().print;
  std::string pageError;
  PrintOptions options = OptionsFromSettings(stored, &pageError);
  if (!pageError.empty() && paper.empty() && margins.empty())
    io.err << "warning: the page settings are not usable (" << pageError << "); A4 is used\n";
  if (!YesNo("--project-info", projectInfo, options.projectInfo, io.err) ||
      !YesNo("--alarms", alarms, options.alarms, io.err) ||
      !YesNo("--variables", variables, options.variables, io.err) ||
      !YesNo("--text-lists", textLists, options.textLists, io.err) ||
      !ParsePictures(pictures, options, io.err))
    return 2;
  if (!paper.empty() || !margins.empty()) {
    double left = stored.marginLeft, top = stored.marginTop, bottom = stored.marginBottom;
    if (!margins.empty() && !ParseMargins(margins, left, top, bottom)) {
      io.err << "tavodex-cli print: --margins wants LEFT,TOP,BOTTOM in millimetres, not '"
             << margins << "'\n";
      return 2;
    }
    options.page =
        MakePageGeometry(paper.empty() ? stored.paper : paper, left, top, bottom, &pageError);
    if (!pageError.empty()) {
      io.err << "tavodex-cli print: " << pageError << "\n";
      return 2;
    }
  }
  if (!date.empty() && (date.size() != 10 || date[2] != '.' || date[5] != '.')) {
    io.err << "tavodex-cli print: --date wants DD.MM.YYYY, not '" << date << "'\n";
    return 2;
  }

  auto project = OpenProject(args[0], io);
  if (!project) return 1;
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
  PrintContext context{io.workspace->translator(), &fonts, date};
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

}  // namespace tavo::cli

// tavodex-cli import-dos: reads a DOS-generation project and saves it as a
// project file of this generation.

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>

#include "app/cli/commands.h"
#include "app/workspace.h"
#include "legacy/dosimport.h"
#include "project/projectfile.h"
#include "shell/codepage.h"
#include "shell/messageboxes.h"

namespace tavo::cli {

namespace {

struct ImportOptions {
  std::string input, output;
};

int ImportDos(const ImportOptions& o, CliIo& io) {
  const std::string& input = o.input;
  const std::string output =
      o.output.empty() ? std::filesystem::path(input).replace_extension(".qvx").string() : o.output;

  Workspace& workspace = *io.workspace;
  ConsoleMessageBox box(workspace.translator(), io.err);
  const auto cannotSave = [&](const std::string& why) {
    box.Show(MsgKind::Fehler, ButtonSet::Weiter,
             workspace.translator().Tr(txt::kFehlerBeiDateizugriff));
    io.err << "tavodex-cli: " << why << "\n";
    return 1;
  };
  // An output that can never be written is refused before the import runs.
  if (std::string why = WhyNotSavable(output); !why.empty()) return cannotSave(why);
  DosImportContext context;
  context.catalog = &workspace.catalog();
  context.messages = &box;
  context.translator = &workspace.translator();
  DosImportResult result = ImportDosProject(input, context);
  if (!result.project) {
    io.err << "tavodex-cli: cannot import " << input << "\n";
    return 1;
  }

  const t_projekt& p = *result.project;
  const auto u = [](const std::string& cp1252) { return Cp1252ToUtf8(cp1252); };
  io.out << "Project:     " << u(p.head->name) << "\n"
         << "Terminal:    " << u(p.terminal->terminalName) << " (" << u(p.terminal->dosVersion)
         << ")\n"
         << "Coupling:    " << u(p.coupling->couplingName) << " (" << u(p.coupling->dosVersion)
         << ")\n"
         << "Alarms:      " << result.alarms << "\n"
         << "Variables:   " << result.variables << "\n"
         << "Text lists:  " << result.textLists << "\n"
         << "Pictures:    " << result.pictures << "\n"
         << "Objects:     " << result.objects << "\n";
  for (const t_liste* b = p.pictures.get(); b; b = b->next()) {
    const auto& picture = *static_cast<const t_bild*>(b);
    io.out << "  picture " << picture.pictureNumber << " \"" << u(picture.name)
           << "\": " << CountNodes(picture.objects.get()) << " objects\n";
  }
  if (result.damagedPictures > 0)
    io.out << "Damaged:     " << result.damagedPictures << " picture(s)\n";
  io.out << "Messages:    " << result.messages << "\n";

  std::string error;
  if (!WriteProjectFile(*result.project, output, &error)) return cannotSave(error);
  io.out << "saved " << output << "\n";
  return 0;
}

}  // namespace

CommandRun DefineImportDos(CLI::App& app) {
  SetHelp(app,
          "usage: tavodex-cli import-dos PROJECT.prj [--output FILE.qvx]\n\n"
          "Imports a project of the DOS generation: the record container PROJECT.prj and\n"
          "its picture files (001nnnnn.BLD) in the same folder. The result is saved\n"
          "through the normal writer as FILE.qvx (default: PROJECT.qvx beside the input;\n"
          "an earlier file becomes FILE.BAK). Prints what was imported; every message of\n"
          "the import goes to stderr. Exit code 1 when the file could not be imported or\n"
          "the result could not be saved; damaged pictures are reported but imported.\n");
  auto o = std::make_shared<ImportOptions>();
  AddProjectArgument(app, o->input, "PROJECT.prj");
  app.add_option("--output", o->output, "the project file to write");
  return [o](CliIo& io) { return ImportDos(*o, io); };
}

}  // namespace tavo::cli

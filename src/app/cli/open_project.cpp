// The one way the subcommands open a project file.

#include <iostream>

#include "app/cli/commands.h"
#include "app/workspace.h"
#include "project/projectfile.h"
#include "shell/codepage.h"
#include "shell/messageboxes.h"

namespace tavo::cli {

OpenedProject OpenProject(const std::string& path, CliIo& io) {
  ConsoleMessageBox box(io.workspace->translator(), io.err);
  ProjectReadContext context = io.workspace->ReadContext(&box);
  ProjectRead read = io.workspace->OpenProject(path, context);
  switch (read.status) {
    case ProjectReadStatus::Read:
      if (read.project) return {std::move(read.project), read.messages};
      io.err << "tavodex-cli: " << CannotOpen(path) << "\n";
      break;
    case ProjectReadStatus::CannotOpen:
      io.err << "tavodex-cli: " << CannotOpen(path) << "\n";
      break;
    case ProjectReadStatus::NotAProject:
      // Saving, building or downloading it would replace a project with an
      // empty one.
      io.err << "tavodex-cli: "
             << Cp1252ToUtf8(io.workspace->translator().Tr(txt::kKeineProjektdatei)) << " " << path
             << "\n";
      break;
  }
  throw CommandExit{io.cannotOpenExit};
}

}  // namespace tavo::cli

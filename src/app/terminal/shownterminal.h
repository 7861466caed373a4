#pragma once
// The virtual terminal with a face: the simulator window on what the
// terminal received (drive D of its root). With a device link the protocol
// is answered on a thread of its own while the window runs the event loop;
// after each download (the editor's final "quit") the window reads drive D
// again. The two threads share nothing but the stop flag and the queued
// reload, which reaches the window through its event loop.

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "app/terminal/ptyterminal.h"

namespace tavo {

struct ShownTerminalOptions {
  // The workspace options (--base DIR) for the language and the catalogue.
  std::vector<std::string> workspaceArguments;
  // Writes the window's picture there once it is shown, and ends: for
  // tests and documentation. Messages then go to the log, not to boxes.
  std::filesystem::path snapshot;
};

// Runs until the window is closed (or interrupted); returns the exit code.
int RunShownTerminal(int& argc, char** argv, PtyTerminalOptions terminal,
                     const ShownTerminalOptions& options, std::ostream& log);

}  // namespace tavo

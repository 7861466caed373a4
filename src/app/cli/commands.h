#pragma once
// The subcommands of tavodex-cli. A command is one file with a Define
// function and one line in the command table (commands.cpp): Define declares
// the command's arguments and options on its parser and returns what runs
// the command once they are parsed. Results go to `io.out`, messages to
// `io.err`; the run returns the exit code.

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "resources/resourceproblems.h"
#include "shell/folders.h"

class QImage;

namespace CLI {
class App;
}

namespace tavo {
class Workspace;
class t_bild;
class t_projekt;
struct LocalTime;
}  // namespace tavo

namespace tavo::cli {

struct CliIo {
  std::ostream& out;
  std::ostream& err;
  const Installation& install;
  // Catalogue, language and object family; set by RunCli.
  Workspace* workspace = nullptr;
  // The running command: its name, the usage lines shown with a usage
  // error, and the exit code for a project file that cannot be used.
  std::string command;
  std::string usage;
  int cannotOpenExit = 1;

  // A wrong call found only after parsing (values that contradict each
  // other): the message, the usage lines and exit code 2.
  int UsageError(const std::string& message) const;
};

using CommandRun = std::function<int(CliIo&)>;
using CommandDefine = CommandRun (*)(CLI::App&);

struct CommandEntry {
  const char* name;
  const char* summary;
  CommandDefine define;
  // Exit code when the project file cannot be read or is no project file
  // (commands whose codes 1 mean "found something" use 2).
  int cannotOpenExit = 1;
};

// The commands in the order `tavodex-cli --help` lists them.
const std::vector<CommandEntry>& Commands();

CommandRun DefineCheck(CLI::App& app);
CommandRun DefineDownload(CLI::App& app);
CommandRun DefineExport(CLI::App& app);
CommandRun DefineFonts(CLI::App& app);
CommandRun DefineImage(CLI::App& app);
CommandRun DefineImport(CLI::App& app);
CommandRun DefineImportDos(CLI::App& app);
CommandRun DefineInfo(CLI::App& app);
CommandRun DefinePrint(CLI::App& app);
CommandRun DefineRender(CLI::App& app);
CommandRun DefineSave(CLI::App& app);
CommandRun DefineSimulate(CLI::App& app);
CommandRun DefineText(CLI::App& app);

// --- declaring arguments (options.cpp) ---------------------------------------------

// The command's help text, printed by --help; its first paragraph (up to the
// first empty line) is the usage shown with every usage error.
void SetHelp(CLI::App& app, const char* text);
// The PROJECT argument every project command takes first.
void AddProjectArgument(CLI::App& app, std::string& path, const char* name = "PROJECT.qvx");
// Options whose value must be a whole number in [low, high] or a number in
// (low, high] (`lowOpen`), written in full ("2x" is refused).
void AddInteger(CLI::App& app, const std::string& name, int& value, int low, int high,
                const std::string& description);
void AddNumber(CLI::App& app, const std::string& name, double& value, double low, double high,
               const std::string& description);
// An option whose value is one of `choices`.
void AddChoice(CLI::App& app, const std::string& name, std::string& value,
               const std::vector<std::string>& choices, const std::string& description);
// An option with a check of its own: `check` returns why the value is
// refused, or nothing.
void AddChecked(CLI::App& app, const std::string& name, std::string& value,
                std::function<std::string(const std::string&)> check,
                const std::string& description);

// Checks a picture given by name or number: all digits must be a picture
// number, 1 .. 65535. Returns why the value is refused, or nothing.
std::string PictureNameOrNumber(const std::string& text);

// The picture a --picture value names: all digits are its picture number,
// anything else its name (UTF-8); null when there is none.
const t_bild* FindPicture(const t_projekt& project, const std::string& key);
// "YYYY-MM-DD HH:MM" as --time takes it; false for anything else.
bool ParseTime(const std::string& text, LocalTime& time);

// --- opening the project --------------------------------------------------------------

struct OpenedProject {
  std::unique_ptr<t_projekt> project;
  int messages = 0;  // the reader's reports about damaged lines
};

// Ends the running command with an exit code; RunCli returns it.
struct CommandExit {
  int code;
};

// Opens the project file a command works on, the one way every command does:
// the reader's messages go to `io.err`, and bitmap files named without a
// folder are located. A file that cannot be read, or that is no project file,
// is refused with a line on `io.err` and ends the command with
// `io.cannotOpenExit` (thrown as CommandExit): the result holds a project.
OpenedProject OpenProject(const std::string& path, CliIo& io);

// --- files ------------------------------------------------------------------------------

// "cannot open PATH: " and why (not found, no permission, a folder, ...).
std::string CannotOpen(const std::string& path);

// Writes the image as a PNG file: encoded completely first, then written
// beside the target, flushed and renamed over it. Only a regular file or a
// free name is written. False, with the reason, when anything fails; no part
// of a file is left behind then.
bool SavePng(const QImage& image, const std::string& path, std::string* error);

// Tells on stderr, once each, about the bitmap and font files a drawing could
// not use as they are.
class ProblemReport {
 public:
  explicit ProblemReport(std::ostream& err);
  // Valid while the report lives.
  ResourceProblemSink Sink();

 private:
  std::ostream& err_;
  std::set<std::string> told_;
};

// Entry point of the program: global options, then the subcommand.
int RunCli(int argc, char** argv);

}  // namespace tavo::cli

#pragma once
// The subcommands of tavodex-cli. Each takes the arguments after its name,
// prints results to `out`, messages to `err`, and returns the exit code.

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "resources/resourceproblems.h"
#include "shell/folders.h"

class QImage;

namespace tavo {
class Workspace;
class t_projekt;
}  // namespace tavo

namespace tavo::cli {

struct CliIo {
  std::ostream& out;
  std::ostream& err;
  const Installation& install;
  // Catalogue, language and object family; set by RunCli.
  Workspace* workspace = nullptr;
};

using Args = std::vector<std::string>;

int CmdInfo(const Args& args, CliIo& io);
int CmdSave(const Args& args, CliIo& io);
int CmdText(const Args& args, CliIo& io);
int CmdRender(const Args& args, CliIo& io);
int CmdImage(const Args& args, CliIo& io);
int CmdDownload(const Args& args, CliIo& io);
int CmdImportDos(const Args& args, CliIo& io);
int CmdPrint(const Args& args, CliIo& io);
int CmdCheck(const Args& args, CliIo& io);

// Opens the project file every command works on: the reader's messages go
// to `io.err`, and bitmap files named without a folder are located. A file
// that cannot be read, or that is no project file, is refused with a line
// on `io.err`: null. `messages` (may be null) gets the number of reports.
std::unique_ptr<t_projekt> OpenProject(const std::string& path, CliIo& io, int* messages = nullptr);

// Takes "--name value" or "--name=value" out of the arguments. An absent
// option leaves `value` as it is; false only when the value is missing.
bool TakeOption(Args& args, const std::string& name, std::string& value);
bool TakeFlag(Args& args, const std::string& name);
bool WantsHelp(const Args& args);

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

#include <exception>
#include <filesystem>
#include <iostream>
#include <map>

#include "app/cli/commands.h"
#include "app/workspace.h"

namespace tavo::cli {

bool TakeOption(Args& args, const std::string& name, std::string& value) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == name) {
      if (i + 1 >= args.size()) return false;  // the value is missing
      value = args[i + 1];
      args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                 args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
      return true;
    }
    if (args[i].rfind(name + "=", 0) == 0) {
      value = args[i].substr(name.size() + 1);
      args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
      return true;
    }
  }
  return true;  // absent: the value keeps its default
}

bool TakeFlag(Args& args, const std::string& name) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == name) {
      args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
      return true;
    }
  }
  return false;
}

bool WantsHelp(const Args& args) {
  for (const std::string& a : args)
    if (a == "--help" || a == "-h") return true;
  return false;
}

namespace {

struct Command {
  int (*run)(const Args&, CliIo&);
  const char* summary;
};

const std::map<std::string, Command>& Commands() {
  static const std::map<std::string, Command> commands = {
      {"check", {CmdCheck, "check a project for what will go wrong on the terminal"}},
      {"info", {CmdInfo, "show what a project holds and what its file's reader reported"}},
      {"save", {CmdSave, "load a project and write it back (with backup)"}},
      {"text", {CmdText, "render a text in a terminal font into a PNG image"}},
      {"render", {CmdRender, "render a picture of a project into a PNG image"}},
      {"image", {CmdImage, "build the terminal image of a project without a port"}},
      {"download", {CmdDownload, "build the image of a project and download it to a terminal"}},
      {"print", {CmdPrint, "write the project printout as a PDF file"}},
      {"import-dos", {CmdImportDos, "import a DOS-generation project (.prj) as a project file"}},
  };
  return commands;
}

void Usage(std::ostream& out) {
  out << "usage: tavodex-cli [--base DIR] [--populate] [--language CODE] COMMAND [ARGS...]\n\n"
         "Works on the installation in the base folder: DIR, the current folder when it\n"
         "holds one, or the per-user copy in ~/.local/share/TavoDex (made on first use).\n"
         "Messages are in the language of the settings; --language takes the table\n"
         "system/CODE.SPR for this run instead (049 German, 044 English).\n\n"
         "commands:\n";
  for (const auto& [name, command] : Commands())
    out << "  " << name << std::string(name.size() < 12 ? 12 - name.size() : 1, ' ')
        << command.summary << "\n";
  out << "\n'tavodex-cli COMMAND --help' describes a command.\n";
}

}  // namespace

int RunCli(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    Usage(args.empty() ? std::cerr : std::cout);
    return args.empty() ? 2 : 0;
  }
  std::error_code ec;
  Workspace workspace({args, std::filesystem::current_path(ec)});
  for (const std::string& w : workspace.warnings) std::cerr << "warning: " << w << "\n";
  if (!workspace.ok()) {
    std::cerr << "tavodex-cli: " << workspace.error << "\n";
    return 2;
  }
  Args rest = workspace.remaining;
  // Options before the command; the settings keep their language.
  while (!rest.empty() && rest.front().rfind("--language", 0) == 0) {
    std::string code;
    if (rest.front() == "--language") {
      if (rest.size() >= 2) {  // else the missing code is reported below
        code = rest[1];
        rest.erase(rest.begin(), rest.begin() + 2);
      }
    } else if (rest.front().rfind("--language=", 0) == 0) {
      code = rest.front().substr(11);
      rest.erase(rest.begin());
    } else {
      break;
    }
    if (code.empty()) {
      std::cerr << "tavodex-cli: --language needs a code\n";
      return 2;
    }
    workspace.SetLanguage(code);
  }
  if (rest.empty()) {
    Usage(std::cerr);
    return 2;
  }
  const std::string name = rest.front();
  rest.erase(rest.begin());
  auto it = Commands().find(name);
  if (it == Commands().end()) {
    std::cerr << "tavodex-cli: unknown command '" << name << "'\n";
    Usage(std::cerr);
    return 2;
  }
  CliIo io{std::cout, std::cerr, workspace.install()};
  io.workspace = &workspace;
  // Scripts read the exit code: whatever a command did not foresee must end
  // in a message and a failure, not in an abort.
  try {
    return it->second.run(rest, io);
  } catch (const std::exception& e) {
    std::cerr << "tavodex-cli " << name << ": " << e.what() << "\n";
    return 1;
  }
}

}  // namespace tavo::cli

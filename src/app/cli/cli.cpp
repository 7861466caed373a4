// tavodex-cli's command line: the global options, the command table, and
// the one way every command reports a wrong call (a line, the usage, exit
// code 2), asks for help and ends.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/cli/commands.h"
#include "app/workspace.h"
#include "project/projekt.h"
#include "shell/settings.h"

namespace tavo::cli {

const std::vector<CommandEntry>& Commands() {
  static const std::vector<CommandEntry> commands = {
      {"check", "check a project for what will go wrong on the terminal", DefineCheck, 2},
      {"download", "build the image of a project and download it to a terminal", DefineDownload, 2},
      {"export", "write alarms, variables, text lists or a picture to an exchange file",
       DefineExport},
      {"fonts", "list the terminal fonts of the installation", DefineFonts},
      {"image", "build the terminal image of a project without a port", DefineImage},
      {"import", "import an exchange file (alarms, variables, text lists, picture)", DefineImport},
      {"import-dos", "import a DOS-generation project (.prj) as a project file", DefineImportDos},
      {"info", "show what a project holds and what its file's reader reported", DefineInfo},
      {"print", "write the project printout as a PDF file", DefinePrint},
      {"render", "render a picture of a project into a PNG image", DefineRender},
      {"save", "load a project and write it back (with backup)", DefineSave},
      {"simulate", "render a picture as the terminal shows it, with simulated PLC values",
       DefineSimulate},
      {"text", "render a text in a terminal font into a PNG image", DefineText},
  };
  return commands;
}

namespace {

constexpr const char* kUsage =
    "usage: tavodex-cli [--base DIR] [--populate] [--language CODE] COMMAND [ARGS...]\n"
    "       tavodex-cli --help | --version\n";

void Usage(std::ostream& out) {
  out << kUsage
      << "\n"
         "Works on the installation in the base folder: DIR, the current folder when it\n"
         "holds one, or the per-user copy in ~/.local/share/TavoDex (made on first use).\n"
         "Messages are in the language of the settings; --language takes the table\n"
         "system/CODE.SPR for this run instead (049 German, 044 English).\n\n"
         "options (before the command):\n"
         "  --base DIR       the installation to work in (it must hold system/ and fonts/)\n"
         "  --populate       copy the installation files the base folder lacks into it\n"
         "  --language CODE  the language table for this run's messages\n"
         "  -h, --help       this text; 'tavodex-cli COMMAND --help' describes a command\n"
         "  --version        the program's version and the project file version it writes\n\n"
         "commands:\n";
  for (const CommandEntry& command : Commands()) {
    const std::string name = command.name;
    out << "  " << name << std::string(name.size() < 12 ? 12 - name.size() : 1, ' ')
        << command.summary << "\n";
  }
  out << "\n"
         "exit codes:\n"
         "  0  done\n"
         "  1  the command failed (a file could not be read or written, the check found\n"
         "     something at or above its --fail-on severity, ...)\n"
         "  2  usage error: unknown command or option, missing or malformed value;\n"
         "     check and download also for a project file that cannot be used\n"
         "  3  download: no terminal found\n"
         "  4  download: optimised download refused by the terminal\n"
         "  5  download: image the terminal cannot take\n"
         "  6  download: the project check found errors\n";
}

// The usage lines of a command's help: its first paragraph.
std::string UsageOf(const CLI::App& app) {
  const std::string help = app.get_description();
  const std::size_t end = help.find("\n\n");
  return end == std::string::npos ? help : help.substr(0, end + 1);
}

// The command that was being parsed when parsing stopped: the last one named.
CLI::App* Selected(CLI::App& app) {
  const auto chosen = app.get_subcommands();
  return chosen.empty() ? nullptr : chosen.front();
}

// The app whose call is wrong: the command, unless what is left over came
// before it (an unknown global option).
CLI::App& Failing(const CLI::ParseError& e, CLI::App& app) {
  CLI::App* command = Selected(app);
  if (!command) return app;
  if (dynamic_cast<const CLI::ExtrasError*>(&e) && command->remaining().empty()) return app;
  return *command;
}

// One line about what is wrong with the call of `failing`.
std::string Describe(const CLI::ParseError& e, CLI::App& failing) {
  if (dynamic_cast<const CLI::ExtrasError*>(&e)) {
    const std::vector<std::string> extra = failing.remaining();
    if (!extra.empty()) {
      const std::string& first = extra.front();
      if (first.rfind("-", 0) == 0 && first.size() > 1)
        return "unknown option '" + first.substr(0, first.find('=')) + "'";
      if (!failing.get_parent()) return "unknown command '" + first + "'";
      return "unexpected argument '" + first + "'";
    }
  }
  std::string what = e.what();
  // "--output: 1 required TEXT missing": the option was last, without a value.
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) && what.size() > 8 &&
      what.compare(what.size() - 8, 8, " missing") == 0)
    return what.substr(0, what.find(':')) + " needs a value";
  return what;
}

// "start" where the command would be resets the settings to their defaults
// first, as it does for every program of the suite. Takes it out of `args`.
bool TakeResetArgument(std::vector<std::string>& args) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--base" || a == "--language") {
      ++i;
      continue;
    }
    if (a.rfind("--", 0) == 0) continue;
    if (!IsResetArgument({a})) return false;
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
    return true;
  }
  return false;
}

int UsageError(const std::string& message, const std::string& command, const std::string& usage) {
  const std::string program = command.empty() ? "tavodex-cli" : "tavodex-cli " + command;
  std::cerr << program << ": " << message << "\n"
            << usage << "'" << program << " --help' tells more.\n";
  return 2;
}

}  // namespace

int CliIo::UsageError(const std::string& message) const {
  const std::string program = "tavodex-cli " + command;
  err << program << ": " << message << "\n" << usage << "'" << program << " --help' tells more.\n";
  return 2;
}

int RunCli(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
  const bool reset = TakeResetArgument(args);
  if (args.size() <= 1) {
    Usage(std::cerr);
    return 2;
  }
  CLI::App app("tavodex-cli", "tavodex-cli");
  std::string base, language;
  bool populate = false, version = false;
  app.add_option("--base", base, "the installation to work in");
  app.add_flag("--populate", populate, "copy missing installation files into it");
  app.add_option("--language", language, "the language table for this run")
      ->check(CLI::Validator(
          [](std::string& code) {
            return code.empty() ? std::string("'' is no language code") : "";
          },
          "CODE"));
  app.add_flag("--version", version, "the program and project file version");
  // One command per call: after it, a command's name is an argument ("text
  // info" renders the word).
  app.require_subcommand(0, 1);

  struct Registered {
    const CommandEntry* entry;
    CLI::App* parser;
    CommandRun run;
  };
  std::vector<Registered> registered;
  for (const CommandEntry& entry : Commands()) {
    CLI::App* parser = app.add_subcommand(entry.name, entry.summary);
    registered.push_back({&entry, parser, entry.define(*parser)});
  }
  try {
    // CLI11 takes the arguments last to first.
    std::vector<std::string> reversed(args.rbegin(), args.rend() - 1);
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    if (CLI::App* command = Selected(app))
      std::cout << command->get_description();
    else
      Usage(std::cout);
    return 0;
  } catch (const CLI::ParseError& e) {
    CLI::App& failing = Failing(e, app);
    const bool global = &failing == &app;
    return UsageError(Describe(e, failing), global ? std::string() : failing.get_name(),
                      global ? std::string(kUsage) : UsageOf(failing));
  }
  if (version) {
    std::cout << "tavodex-cli " << TAVO_VERSION << "\n"
              << "project files: " << kProductName << " Projectfile " << kVersionText << "\n";
    return 0;
  }
  const auto command = std::find_if(registered.begin(), registered.end(),
                                    [&](const Registered& r) { return r.parser == Selected(app); });
  if (command == registered.end()) {
    Usage(std::cerr);
    return 2;
  }

  std::vector<std::string> baseArguments;
  if (!app.get_option("--base")->empty()) baseArguments = {"--base", base};
  if (populate) baseArguments.push_back("--populate");
  if (reset) baseArguments.push_back("start");
  std::error_code ec;
  Workspace workspace({baseArguments, std::filesystem::current_path(ec)});
  for (const std::string& w : workspace.warnings) std::cerr << "warning: " << w << "\n";
  if (!workspace.ok()) {
    std::cerr << "tavodex-cli: " << workspace.error << "\n";
    return 2;
  }
  // The settings keep their language.
  if (!language.empty()) workspace.SetLanguage(language);

  const std::string name = command->entry->name;
  CliIo io{std::cout,
           std::cerr,
           workspace.install(),
           &workspace,
           name,
           UsageOf(*command->parser),
           command->entry->cannotOpenExit};
  // Scripts read the exit code: whatever a command did not foresee must end
  // in a message and a failure, not in an abort.
  try {
    return command->run(io);
  } catch (const CommandExit& exit) {
    return exit.code;
  } catch (const std::exception& e) {
    std::cerr << "tavodex-cli " << name << ": " << e.what() << "\n";
    return 1;
  }
}

}  // namespace tavo::cli

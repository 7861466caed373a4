// The command line as scripts and CI call it: arguments in, exit code and
// the two output streams out. Every run works on an installation of the
// test's own, populated from data/, never on the repository's files.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "app/cli/commands.h"
#include "clitest.h"
#include "objects/tview.h"
#include "shell/folders.h"
#include "support/tempfolder.h"

namespace tavo::cli {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;
using ::testing::Not;
using ::testing::StartsWith;

// --- usage -----------------------------------------------------------------------------

TEST_F(CliTest, GlobalUsageGoesToStderrWhenNothingIsAskedAndToStdoutOnHelp) {
  const CliRun bare = RunExactly({"tavodex-cli"});
  EXPECT_EQ(bare.code, 2) << bare;
  EXPECT_THAT(bare.err, StartsWith("usage: tavodex-cli"));
  EXPECT_EQ(bare.out, "");

  for (const char* help : {"--help", "-h"}) {
    const CliRun run = RunExactly({"tavodex-cli", help});
    EXPECT_EQ(run.code, 0) << help << "\n" << run;
    EXPECT_THAT(run.out, StartsWith("usage: tavodex-cli"));
    for (const char* command :
         {"info", "save", "text", "render", "image", "download", "import-dos", "print", "check"})
      EXPECT_THAT(run.out, HasSubstr(std::string("  ") + command + " ")) << command;
    EXPECT_EQ(run.err, "");
  }
}

TEST_F(CliTest, UnknownCommandAndBadGlobalOptionsAreUsageErrors) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{"frobnicate"}, "unknown command 'frobnicate'"},
      {{"--language"}, "tavodex-cli: --language needs a value"},
      {{"--language="}, "tavodex-cli: --language needs a value"},
      {{"--language", ""}, "tavodex-cli: --language: '' is no language code"},
      {{"--frobnicate", "info", "a.qvx"}, "tavodex-cli: unknown option '--frobnicate'"},
      {{"--language", "049"}, "usage: tavodex-cli"},  // options alone name no command
  };
  for (const Case& c : cases) {
    const CliRun run = Run(c.args);
    EXPECT_EQ(run.code, 2) << ::testing::PrintToString(c.args) << "\n" << run;
    EXPECT_THAT(run.err, HasSubstr(c.message)) << ::testing::PrintToString(c.args);
    EXPECT_EQ(run.out, "");
  }

  const CliRun noBase = RunExactly({"tavodex-cli", "--base"});
  EXPECT_EQ(noBase.code, 2) << noBase;
  EXPECT_THAT(noBase.err, StartsWith("tavodex-cli: "));
}

TEST_F(CliTest, EveryCommandDescribesItselfOnHelpAndRejectsMissingArguments) {
  struct Case {
    std::string command;
    std::vector<std::string> incomplete;  // a call that lacks something
  };
  const Case cases[] = {
      {"info", {}},
      {"info", {"a.qvx", "b.qvx"}},
      {"save", {}},
      {"save", {"a.qvx", "--output"}},
      {"text", {}},
      {"text", {"Hallo", "--font"}},
      {"text", {"Hallo", "--output", "x.png"}},
      {"render", {"a.qvx"}},
      {"render", {"a.qvx", "--output"}},
      {"image", {}},
      {"image", {"a.qvx", "--output"}},
      {"download", {}},
      {"download", {"a.qvx", "--device", "/dev/null", "--port", "1"}},
      {"import-dos", {}},
      {"import-dos", {"a.prj", "--output"}},
      {"print", {"a.qvx"}},
      {"print", {"a.qvx", "--output"}},
      {"check", {}},
      {"check", {"a.qvx", "--format", "xml"}},
      {"check", {"a.qvx", "--fail-on", "note"}},
      {"export", {"a.qvx", "--alarms"}},
      {"export", {"a.qvx", "--output", "x.txt"}},
      {"import", {"a.qvx"}},
      {"import", {"a.qvx", "x.txt", "--on-conflict", "maybe"}},
      {"simulate", {"a.qvx", "--output", "x.png"}},
      {"simulate", {"a.qvx", "--picture", "1", "--output", "x.png", "--set", "nix"}},
      {"simulate", {"a.qvx", "--picture", "1", "--output", "x.png", "--time", "heute"}},
  };
  for (const Case& c : cases) {
    const std::string usage = "usage: tavodex-cli " + c.command;
    SCOPED_TRACE(c.command + " " + ::testing::PrintToString(c.incomplete));

    const CliRun help = Run({c.command, "--help"});
    EXPECT_EQ(help.code, 0) << help;
    EXPECT_THAT(help.out, StartsWith(usage));

    std::vector<std::string> args = {c.command};
    args.insert(args.end(), c.incomplete.begin(), c.incomplete.end());
    const CliRun wrong = Run(args);
    EXPECT_EQ(wrong.code, 2) << wrong;
    EXPECT_THAT(wrong.err, HasSubstr(usage));
    EXPECT_EQ(wrong.out, "");
  }
}

// Every command answers the same kind of wrong call the same way: exit code
// 2, nothing on stdout, one line naming the fault, the command's usage and
// where to read more. A new command must add a complete call here.
TEST_F(CliTest, EveryCommandReportsOptionErrorsAlike) {
  const std::map<std::string, std::vector<std::string>> complete = {
      {"check", {"a.qvx"}},
      {"download", {"a.qvx"}},
      {"export", {"a.qvx", "--alarms", "--output", "x.txt"}},
      {"fonts", {}},
      {"image", {"a.qvx"}},
      {"import", {"a.qvx", "x.txt", "--on-conflict", "keep"}},
      {"import-dos", {"a.prj"}},
      {"info", {"a.qvx"}},
      {"print", {"a.qvx", "--output", "x.pdf"}},
      {"render", {"a.qvx", "--output", "x.png"}},
      {"save", {"a.qvx"}},
      {"simulate", {"a.qvx", "--picture", "1", "--output", "x.png"}},
      {"text", {"Hallo", "--font", "S008X016.FON", "--output", "x.png"}},
  };
  struct Fault {
    std::vector<std::string> added;
    std::string line;
  };
  const Fault faults[] = {
      {{"--frobnicate"}, "unknown option '--frobnicate'"},
      {{"--frobnicate=1"}, "unknown option '--frobnicate'"},
      {{"-q"}, "unknown option '-q'"},
      {{"zusatz"}, "unexpected argument 'zusatz'"},
  };
  for (const CommandEntry& command : Commands()) {
    const auto call = complete.find(command.name);
    ASSERT_NE(call, complete.end()) << "no complete call of " << command.name;
    const std::string program = std::string("tavodex-cli ") + command.name;
    for (const Fault& fault : faults) {
      std::vector<std::string> args = {command.name};
      args.insert(args.end(), call->second.begin(), call->second.end());
      args.insert(args.end(), fault.added.begin(), fault.added.end());
      SCOPED_TRACE(::testing::PrintToString(args));
      const CliRun run = Run(args);
      EXPECT_EQ(run.code, 2) << run;
      EXPECT_EQ(run.out, "");
      EXPECT_THAT(run.err, StartsWith(program + ": " + fault.line + "\nusage: " + program));
      EXPECT_THAT(run.err, ::testing::EndsWith("'" + program + " --help' tells more.\n"));
    }
    // Help wins over whatever else is wrong, at every position.
    for (const char* help : {"--help", "-h"}) {
      std::vector<std::string> args = {command.name, "--frobnicate", help};
      const CliRun run = Run(args);
      EXPECT_EQ(run.code, 0) << run;
      EXPECT_THAT(run.out, StartsWith("usage: " + program));
    }
  }
}

// Typed options take whole values in their range and nothing else.
TEST_F(CliTest, NumbersAreCheckedBeforeAnyFileIsOpened) {
  struct Case {
    std::vector<std::string> call;  // the option comes last
    std::vector<std::string> bad;
    std::string why;
  };
  const std::vector<std::string> render = {"render", "a.qvx", "--output", "x.png", "--zoom"};
  const Case cases[] = {
      {render, {"0", "-1", "32.5", "2x", "nan", "inf", ""}, "is not a number in (0, 32]"},
      {{"text", "Hallo", "--font", "S008X016.FON", "--output", "x.png", "--zoom"},
       {"0", "64.01", "1,5"},
       "is not a number in (0, 64]"},
      {{"download", "a.qvx", "--port"},
       {"0", "10", "1.5", "010", "x"},
       "is not a whole number in 1 .. 9"},
      {{"download", "a.qvx", "--station"},
       {"0", "256", "2e2", " 7"},
       "is not a whole number in 1 .. 255"},
      {{"download", "a.qvx", "--rate"}, {"0", "9601", "-9600", "96000000"}, "is not one of 115200"},
      {{"render", "a.qvx", "--output", "x.png", "--picture"},
       {"0", "65536", "000"},
       "is no picture number (1 .. 65535)"},
      {{"print", "a.qvx", "--output", "x.pdf", "--pictures"},
       {"0", "65536", "-3"},
       "is not all, none or a picture number"},
  };
  for (const Case& c : cases) {
    const std::string option = c.call.back();
    for (const std::string& value : c.bad) {
      std::vector<std::string> args = c.call;
      args.push_back(value);
      SCOPED_TRACE(::testing::PrintToString(args));
      const CliRun run = Run(args);
      EXPECT_EQ(run.code, 2) << run;
      EXPECT_THAT(run.err, StartsWith("tavodex-cli " + c.call.front() + ": " + option + ": '" +
                                      value + "' " + c.why));
      // Given as --option=value the same; "--option=" has no value at all.
      if (value.empty()) continue;
      args.pop_back();
      args.back() += "=" + value;
      const CliRun joined = Run(args);
      EXPECT_EQ(joined.code, 2) << joined;
      EXPECT_EQ(joined.err, run.err);
    }
  }
  // In range, the number reaches the command: the missing file is next.
  for (const std::vector<std::string>& good :
       {std::vector<std::string>{"render", "a.qvx", "--output", "x.png", "--zoom", "32",
                                 "--picture", "65535"},
        std::vector<std::string>{"download", "a.qvx", "--port=9", "--station", "255", "--rate",
                                 "300"}}) {
    const CliRun run = Run(good);
    EXPECT_THAT(run.err, HasSubstr("cannot open a.qvx")) << run;
  }
}

TEST_F(CliTest, GlobalOptionsComeBeforeTheCommandAndHelpAndVersionWorkAfterThem) {
  const CliRun help = RunExactly({"tavodex-cli", "--base", Base().string(), "--help"});
  EXPECT_EQ(help.code, 0) << help;
  EXPECT_THAT(help.out, AllOf(StartsWith("usage: tavodex-cli"), HasSubstr("exit codes:"),
                              HasSubstr("  fonts ")));
  const CliRun commandHelp =
      RunExactly({"tavodex-cli", "--language", "044", "--base=" + Base().string(), "info", "-h"});
  EXPECT_EQ(commandHelp.code, 0) << commandHelp;
  EXPECT_THAT(commandHelp.out, StartsWith("usage: tavodex-cli info PROJECT.qvx"));

  const CliRun version = RunExactly({"tavodex-cli", "--version"});
  EXPECT_EQ(version.code, 0) << version;
  EXPECT_THAT(version.out,
              MatchesRegex("tavodex-cli [0-9.]+\nproject files: .* Version [0-9.]+\n"));

  // After the command, another command's name is an argument.
  const fs::path png = files_ / "check.png";
  const CliRun word = Run({"text", "check", "--font", "S008X016.FON", "--output", png.string()});
  EXPECT_EQ(word.code, 0) << word;
  EXPECT_EQ(word.out, png.string() + ": 40 x 16\n");

  // After the command they are the command's, and it has none of that name.
  const CliRun late = Run({"info", "a.qvx", "--populate"});
  EXPECT_EQ(late.code, 2) << late;
  EXPECT_THAT(late.err, StartsWith("tavodex-cli info: unknown option '--populate'"));
}

// --- fonts -----------------------------------------------------------------------------

TEST_F(CliTest, FontsListsTheCatalogueInFileNameOrder) {
  const CliRun run = Run({"fonts"});
  ASSERT_EQ(run.code, 0) << run;
  EXPECT_EQ(run.err, "");
  std::vector<std::string> lines;
  std::istringstream in(run.out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  const auto fonts = Installation(TAVO_DATA_DIR).ListFiles("fonts\\", "*.fon");
  ASSERT_EQ(lines.size(), fonts.size() + 2) << run;
  EXPECT_THAT(lines.front(), MatchesRegex("File +Cell +Bytes  Name"));
  for (std::size_t i = 0; i < fonts.size(); ++i) {
    const std::string& line = lines[i + 1];
    EXPECT_THAT(line, StartsWith(fonts[i].filename().string() + " ")) << i;
    EXPECT_THAT(line, HasSubstr(" " + std::to_string(fs::file_size(fonts[i])) + "  ")) << line;
  }
  const auto standard = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return line.rfind("S008X016.FON ", 0) == 0;
  });
  ASSERT_NE(standard, lines.end()) << run;
  EXPECT_THAT(*standard, MatchesRegex("S008X016.FON +8 x 16 +[0-9]+  .+"));
  EXPECT_EQ(lines.back(), std::to_string(fonts.size()) + " fonts in " +
                              Installation(Base()).Resolve("fonts\\").string());
}

// --- info ------------------------------------------------------------------------------

TEST_F(CliTest, InfoShowsHeadTerminalCouplingAndCounts) {
  const CliRun run = Run({"info", Copy("Projects/demos/Klassik.qvx").string()});
  ASSERT_EQ(run.code, 0) << run;
  EXPECT_EQ(run.err, "");
  for (const char* line : {
           "Project:     Klassik Pumpstation\n",
           "Author:      Tavo Dex\n",
           "Info:        Demonstrationsprojekt für die erste Terminalgeneration\n",
           "Start:       1\n",
           "Terminal:    VT 320 Grey Classic (VTA_Q320.TRM, VT-0A02-xxxx, 320x240, grey)\n",
           "Coupling:    Serial PLC word-addressed (INTEL) (SPS_SERW.KOP, INTEL)\n",
           "Variables:   3\n",
           "Alarms:      2\n",
           "Text lists:  0\n",
           "Pictures:    2\n",
           // A group counts with its members.
           "Objects:     10\n",
           "  picture 1 \"Übersicht\": 7 objects\n",
           "  picture 2 \"Details\": 3 objects\n",
           "Messages:    0\n",
       })
    EXPECT_THAT(run.out, HasSubstr(line)) << run;
}

TEST_F(CliTest, InfoCountsTheReadersMessagesAboutADamagedFile) {
  const fs::path damaged = files_ / "damaged.qvx";
  Write(damaged,
        "-Stray record before any section\r\n"
        "[Head]\r\n"
        "-Name         = \"Kaputt\"\r\n"
        "-Startpicture = \"eins\"\r\n"
        "[Terminal]\r\n"
        "-DOSVersion    = \"VTA_640C.TRM\"\r\n"
        "[PLC]\r\n"
        "-DOSVersion    = \"SPS_DBW.KOP\"\r\n"
        "-TBReadAdr     = \"zwei\"\r\n");
  const CliRun run = Run({"--language", "049", "info", damaged.string()});
  ASSERT_EQ(run.code, 0) << run;
  EXPECT_THAT(run.out, HasSubstr("Project:     Kaputt\n"));
  EXPECT_THAT(run.out, HasSubstr("Messages:    3\n"));
  // The same message reaches stderr once, with its count.
  std::size_t shown = 0;
  for (std::size_t at = run.err.find("Projektfile fehlerhaft !"); at != std::string::npos;
       at = run.err.find("Projektfile fehlerhaft !", at + 1))
    ++shown;
  EXPECT_EQ(shown, 1u) << run;
  EXPECT_THAT(run.err, HasSubstr("Projektfile fehlerhaft ! (3-mal)"));
}

TEST_F(CliTest, InfoOnAFileThatCannotBeReadExitsOne) {
  const fs::path missing = files_ / "missing.qvx";
  const fs::path folder = files_ / "a folder.qvx";
  fs::create_directories(folder);
  struct Case {
    fs::path path;
    std::string message;
  };
  const Case cases[] = {
      {missing, "tavodex-cli: cannot open " + missing.string() + ": not found\n"},
      {folder, "tavodex-cli: cannot open " + folder.string() + ": it is a folder\n"},
  };
  for (const Case& c : cases) {
    const CliRun run = Run({"info", c.path.string()});
    EXPECT_EQ(run.code, 1) << c.path << "\n" << run;
    EXPECT_THAT(run.err, HasSubstr(c.message)) << c.path;
    EXPECT_EQ(run.out, "");
  }
}

// An empty file, or one without any section, must not pass for an empty
// project: saved, built or downloaded it would replace the real one.
TEST_F(CliTest, EveryCommandRefusesAFileThatIsNoProject) {
  const fs::path empty = files_ / "leer.qvx";
  const fs::path zeros = files_ / "nullen.qvx";
  Write(empty, "");
  Write(zeros, std::string(512, '\0'));
  const fs::path out = files_ / "out";
  for (const fs::path& file : {empty, zeros}) {
    const std::string before = Read(file);
    const std::vector<std::pair<std::vector<std::string>, int>> runs = {
        {{"info", file.string()}, 1},
        {{"save", file.string()}, 1},
        {{"image", file.string(), "--output", out.string()}, 1},
        {{"render", file.string(), "--output", (files_ / "r.png").string()}, 1},
        {{"print", file.string(), "--output", (files_ / "p.pdf").string()}, 1},
        {{"download", file.string(), "--device", (files_ / "kein-tty").string()}, 2},
        {{"check", file.string()}, 2},
    };
    for (const auto& [args, code] : runs) {
      const CliRun run = Run(args);
      EXPECT_EQ(run.code, code) << args[0] << "\n" << run;
      EXPECT_THAT(run.err, HasSubstr("not a project file")) << args[0];
      EXPECT_THAT(run.err, HasSubstr(file.string())) << args[0];
    }
    EXPECT_EQ(Read(file), before);
    EXPECT_FALSE(fs::exists(files_ / (file.stem().string() + ".BAK")));
    EXPECT_FALSE(fs::exists(out));
    EXPECT_FALSE(fs::exists(files_ / "r.png"));
    EXPECT_FALSE(fs::exists(files_ / "p.pdf"));
  }
}

// --- language --------------------------------------------------------------------------

TEST_F(CliTest, LanguageOptionChoosesTheTableForMessages) {
  const fs::path damaged = files_ / "damaged.qvx";
  Write(damaged, "[Head]\r\n-Startpicture = \"x\"\r\n");
  struct Case {
    std::vector<std::string> language;
    std::string message, notMessage;
  };
  const Case cases[] = {
      {{"--language", "049"}, "Projektfile fehlerhaft !", "Project file is damaged!"},
      {{"--language=049"}, "Projektfile fehlerhaft !", "Project file is damaged!"},
      {{"--language", "044"}, "Project file is damaged!", "Projektfile fehlerhaft !"},
      // Without the option, the settings' language: English by default.
      {{}, "Project file is damaged!", "Projektfile fehlerhaft !"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.language;
    args.insert(args.end(), {"info", damaged.string()});
    const CliRun run = Run(args);
    EXPECT_EQ(run.code, 0) << run;
    EXPECT_THAT(run.err, AllOf(HasSubstr(c.message), Not(HasSubstr(c.notMessage))))
        << ::testing::PrintToString(c.language);
  }
}

// "start" where the command would be resets the settings for the run, as the
// editor's first argument does: the settings' German gives way to English.
TEST_F(CliTest, StartBeforeTheCommandResetsTheSettings) {
  const fs::path damaged = files_ / "damaged.qvx";
  Write(damaged, "[Head]\r\n-Startpicture = \"x\"\r\n");
  const fs::path ini = home_->File("config") + "/QVXTavoDex.ini";
  fs::create_directories(ini.parent_path());
  Write(ini, "[Country]\r\nCode=049\r\n");
  const CliRun german = Run({"info", damaged.string()});
  const CliRun reset = Run({"START", "info", damaged.string()});
  const CliRun word =
      Run({"text", "start", "--font", "S008X016.FON", "--output", (files_ / "start.png").string()});
  fs::remove(ini);
  EXPECT_THAT(german.err, HasSubstr("Projektfile fehlerhaft !")) << german;
  EXPECT_EQ(reset.code, 0) << reset;
  EXPECT_THAT(reset.err, HasSubstr("Project file is damaged!")) << reset;
  // Anywhere else it is an argument.
  EXPECT_EQ(word.code, 0) << word;
}

// --- save ------------------------------------------------------------------------------

TEST_F(CliTest, SavingInPlaceKeepsTheFileAndItsBackupByteIdentical) {
  const std::string original = Read(fs::path(TAVO_DATA_DIR) / "Projects/Demo.qvx");
  const fs::path file = Copy("Projects/Demo.qvx", "X.qvx");
  for (int round = 1; round <= 2; ++round) {
    const CliRun run = Run({"save", file.string()});
    ASSERT_EQ(run.code, 0) << "round " << round << "\n" << run;
    EXPECT_EQ(run.out, "saved " + file.string() + "\n");
  }
  EXPECT_EQ(Read(file), original);
  EXPECT_EQ(Read(files_ / "X.BAK"), original);
}

TEST_F(CliTest, SavingElsewhereBringsTheBitmapsIntoTheNewProjectFolder) {
  // The source project keeps its bitmaps in the folder named after it.
  const fs::path source = Copy("Projects/demos/Klassik.qvx", "source/Klassik.qvx");
  for (const char* bitmap : {"PUMPE.BMP", "PFEIL.BMP", "TANK.BMP"})
    Copy(std::string("Lib/Graphics/") + bitmap, std::string("source/Klassik/") + bitmap);
  fs::create_directories(files_ / "copy");
  const fs::path target = files_ / "copy" / "Neu.qvx";

  const CliRun run = Run({"save", source.string(), "--output", target.string()});
  ASSERT_EQ(run.code, 0) << run;
  EXPECT_EQ(run.err, "");
  ASSERT_TRUE(fs::exists(target));
  const std::string written = Read(target);
  for (const char* bitmap : {"PUMPE.BMP", "PFEIL.BMP", "TANK.BMP"}) {
    const fs::path copy = files_ / "copy" / "Neu" / bitmap;
    EXPECT_EQ(Read(copy), Read(fs::path(TAVO_DATA_DIR) / "Lib/Graphics" / bitmap)) << bitmap;
    EXPECT_THAT(written, HasSubstr(";\"" + copy.string() + "\";")) << bitmap;
  }
  // The source stays as it was.
  EXPECT_EQ(Read(source), Read(fs::path(TAVO_DATA_DIR) / "Projects/demos/Klassik.qvx"));
  EXPECT_FALSE(fs::exists(files_ / "source" / "Klassik.BAK"));
}

TEST_F(CliTest, SavingWhereNoFileCanBeWrittenFailsAndChangesNothing) {
  const std::string original = Read(fs::path(TAVO_DATA_DIR) / "Projects/demos/Klassik.qvx");
  const fs::path source = Copy("Projects/demos/Klassik.qvx");
  const fs::path missing = files_ / "nowhere";
  // A folder where the file should go: it and what it holds stay put.
  const fs::path folder = files_ / "Ablage";
  fs::create_directories(folder);
  Write(folder / "keep.txt", "keep");
  struct Case {
    fs::path output;
    std::string reason;
  };
  // A pipe and a device are never replaced by a file.
  const fs::path fifo = files_ / "Rohr.qvx";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path device = files_ / "Null.qvx";
  fs::create_symlink("/dev/null", device);
  const Case cases[] = {
      {missing / "K.qvx", "no such folder"},
      {folder, "is a folder"},
      {fifo, fifo.string() + " is a named pipe (FIFO), not a file"},
      {device, device.string() + " is a device, not a file"},
      // The project folder would take the file's own name.
      {files_ / "Anlage", "the name needs an extension (.qvx)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.output);
    const CliRun run =
        Run({"--language", "049", "save", source.string(), "--output", c.output.string()});
    EXPECT_EQ(run.code, 1) << run;
    EXPECT_THAT(run.err, AllOf(HasSubstr("Fehler bei Dateizugriff"), HasSubstr(c.reason)));
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(fs::exists(missing));
  EXPECT_EQ(Read(folder / "keep.txt"), "keep");
  EXPECT_EQ(Read(source), original);
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_TRUE(fs::is_symlink(device));
  for (const auto& entry : fs::directory_iterator(files_.path()))
    EXPECT_THAT(entry.path().filename().string(),
                ::testing::AnyOf("Klassik.qvx", "Ablage", "Rohr.qvx", "Null.qvx"));
}

// --- import-dos ------------------------------------------------------------------------

TEST_F(CliTest, ImportDosWritesAProjectFileThatInfoReadsBack) {
  for (const char* file : {"Klassik.prj", "00100001.BLD", "00100002.BLD"})
    Copy(std::string("Projects/demos/") + file, std::string("dos/") + file);
  const fs::path input = files_ / "dos" / "Klassik.prj";
  struct Case {
    std::vector<std::string> output;
    fs::path written;
  };
  const Case cases[] = {
      {{}, files_ / "dos" / "Klassik.qvx"},  // beside the input, by default
      {{"--output", (files_ / "Anders.qvx").string()}, files_ / "Anders.qvx"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.written);
    std::vector<std::string> args = {"import-dos", input.string()};
    args.insert(args.end(), c.output.begin(), c.output.end());
    const CliRun run = Run(args);
    ASSERT_EQ(run.code, 0) << run;
    for (const char* line :
         {"Project:     Klassik Pumpstation\n", "Terminal:    VT 320 Grey Classic (VTA_Q320.TRM)\n",
          "Alarms:      2\n", "Variables:   4\n", "Text lists:  0\n", "Pictures:    2\n",
          "Objects:     5\n", "Messages:    0\n"})
      EXPECT_THAT(run.out, HasSubstr(line)) << run;
    EXPECT_THAT(run.out, HasSubstr("saved " + c.written.string() + "\n"));

    const CliRun info = Run({"info", c.written.string()});
    ASSERT_EQ(info.code, 0) << info;
    for (const char* line : {"Project:     Klassik Pumpstation\n", "Variables:   4\n",
                             "Alarms:      2\n", "Pictures:    2\n", "Messages:    0\n"})
      EXPECT_THAT(info.out, HasSubstr(line)) << info;
  }
}

TEST_F(CliTest, ImportDosFailuresExitOneAndWriteNothing) {
  const fs::path input = Copy("Projects/demos/Klassik.prj", "dos/Klassik.prj");
  Copy("Projects/demos/00100001.BLD", "dos/00100001.BLD");
  Copy("Projects/demos/00100002.BLD", "dos/00100002.BLD");
  const fs::path folder = files_ / "Ablage.qvx";
  fs::create_directories(folder);
  Write(folder / "keep.txt", "keep");
  const fs::path fifo = files_ / "Rohr.qvx";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    std::vector<std::string> args;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {{(files_ / "Fehlt.prj").string()},
       {"OS-Error : File not found !", "cannot import " + (files_ / "Fehlt.prj").string()}},
      {{input.string(), "--output", folder.string()}, {"File access error", "is a folder"}},
      {{input.string(), "--output", fifo.string()},
       {"File access error", "is a named pipe (FIFO), not a file"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"import-dos"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun run = Run(args);
    EXPECT_EQ(run.code, 1) << run;
    for (const std::string& message : c.messages) EXPECT_THAT(run.err, HasSubstr(message));
    EXPECT_THAT(run.out, Not(HasSubstr("saved")));
  }
  EXPECT_FALSE(fs::exists(files_ / "Fehlt.qvx"));
  EXPECT_EQ(Read(folder / "keep.txt"), "keep");
  EXPECT_FALSE(fs::exists(files_ / "Ablage.BAK"));
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_FALSE(fs::exists(files_ / "Rohr.BAK"));
  EXPECT_FALSE(fs::exists(files_ / "Rohr"));
}

// --- render, image, text ---------------------------------------------------------------

bool IsPng(const fs::path& file) {
  return Read(file).rfind("\x89PNG\r\n\x1a\n", 0) == 0;
}

TEST_F(CliTest, RenderDrawsOnePictureOrEveryPicture) {
  const fs::path project = Copy("Projects/demos/Klassik.qvx");
  const CliRun one = Run({"render", project.string(), "--picture", "Details", "--zoom", "2",
                          "--time", "2026-12-10 08:30", "--output", (files_ / "d.png").string()});
  ASSERT_EQ(one.code, 0) << one;
  EXPECT_TRUE(IsPng(files_ / "d.png"));
  EXPECT_THAT(one.out, HasSubstr("picture 2 \"Details\""));

  const CliRun all = Run({"render", project.string(), "--output", (files_ / "all.png").string()});
  ASSERT_EQ(all.code, 0) << all;
  EXPECT_TRUE(IsPng(files_ / "all-1.png"));
  EXPECT_TRUE(IsPng(files_ / "all-2.png"));
}

TEST_F(CliTest, RenderFindsBitmapsWhereTheImageBuilderFindsThem) {
  // Klassik names its bitmaps bare; they are in the installation's library
  // only. A copy that names files nowhere to be found shows what an empty
  // bitmap looks like.
  const fs::path project = Copy("Projects/demos/Klassik.qvx");
  std::string text = Read(project);
  for (const std::string name : {"PFEIL.BMP", "TANK.BMP"})
    text.replace(text.find(name), name.size(), "FEHLT_" + name);
  const fs::path without = files_ / "Ohne.qvx";
  Write(without, text);
  for (const fs::path& p : {project, without}) {
    const CliRun run = Run({"render", p.string(), "--picture", "2", "--time", "2026-12-10 08:30",
                            "--output", (files_ / (p.stem().string() + ".png")).string()});
    ASSERT_EQ(run.code, 0) << run;
  }
  EXPECT_NE(Read(files_ / "Klassik.png"), Read(files_ / "Ohne.png"));
}

// --- simulate ---------------------------------------------------------------------------

class SimulateTest : public CliTest {
 protected:
  // Felder, picture 1, with the values given; the exit code must be 0.
  QImage Simulated(const std::vector<std::string>& sets) {
    std::vector<std::string> args = {"simulate",  Copy("Projects/Felder.qvx").string(),
                                     "--picture", "1",
                                     "--time",    "2026-12-11 08:05",
                                     "--output",  (files_ / "s.png").string()};
    for (const std::string& set : sets) args.insert(args.end(), {"--set", set});
    const CliRun run = Run(args);
    EXPECT_EQ(run.code, 0) << run;
    EXPECT_THAT(run.out, HasSubstr("picture 1 \"Felder\", 640 x 480"));
    return QImage(QString::fromStdString((files_ / "s.png").string()));
  }
  static QRgb Palette(int index) {
    const Rgb c = ColourPalette(index);
    return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
  }
  // The picture's background, white.
  static bool AllBackground(const QImage& image, QRect area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (image.pixel(x, y) != Palette(15)) return false;
    return true;
  }
};

TEST_F(SimulateTest, ShowsTheValuesItIsGiven) {
  const QImage half = Simulated({"Temperatur=50", "Status=1", "Betriebsart=2"});
  ASSERT_FALSE(half.isNull());
  // The tank (x 300..360, y 100..300) fills upwards: 50 % up to y = 200.
  EXPECT_EQ(half.pixel(330, 250), Palette(10));
  EXPECT_EQ(half.pixel(330, 150), Palette(15));
  // The temperature field shows only while Status is 1; by number or name.
  const QRect temperature(20, 40, 40, 16);
  EXPECT_FALSE(AllBackground(half, temperature));
  const QImage off = Simulated({"Temperatur=50", "6=0", "Betriebsart=2"});
  EXPECT_TRUE(AllBackground(off, temperature));
  // The operating mode's text list field shows another text for another value.
  const QRect mode(20, 180, 9 * 8, 16);
  EXPECT_NE(half.copy(mode), Simulated({"Betriebsart=0"}).copy(mode));
}

TEST_F(SimulateTest, RefusesValuesAndImagesItCannotUse) {
  const fs::path felder = Copy("Projects/Felder.qvx");
  const std::string png = (files_ / "x.png").string();
  struct Case {
    fs::path project;
    std::string set;
    int code;
    std::string why;
  };
  for (const Case& c :
       {Case{felder, "Nix=3", 2, "--set Nix=3: there is no variable 'Nix'"},
        Case{felder, "Sollwert=40000", 2, "40000 is outside -32768 .. 32767"},
        Case{felder, "Temperatur=x", 2, "'x' is no whole number"},
        Case{Copy("Projects/demos/Klassik.qvx"), "1=1", 1, "first-generation image"}}) {
    const CliRun run =
        Run({"simulate", c.project.string(), "--picture", "1", "--set", c.set, "--output", png});
    EXPECT_EQ(run.code, c.code) << run;
    EXPECT_THAT(run.err, HasSubstr(c.why));
  }
}

TEST_F(CliTest, RenderRefusesWhatItCannotDraw) {
  const fs::path project = Copy("Projects/demos/Klassik.qvx");
  const std::string png = (files_ / "x.png").string();
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string message;
  };
  const Case cases[] = {
      {{"--picture", "Keines"}, 1, "no picture 'Keines'"},
      {{"--picture", "9"}, 1, "no picture '9'"},
      {{"--zoom", "0"}, 2, "tavodex-cli render: --zoom: '0' is not a number in (0, 32]"},
      {{"--zoom", "abc"}, 2, "tavodex-cli render: --zoom: 'abc' is not a number in (0, 32]"},
      {{"--zoom", "2x"}, 2, "--zoom: '2x'"},
      {{"--zoom", "33"}, 2, "--zoom: '33'"},
      {{"--time", "morgen"}, 2, "--time: 'morgen' is not \"YYYY-MM-DD HH:MM\""},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"render", project.string(), "--output", png};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun run = Run(args);
    EXPECT_EQ(run.code, c.code) << run;
    EXPECT_THAT(run.err, HasSubstr(c.message)) << ::testing::PrintToString(c.args);
    EXPECT_FALSE(fs::exists(png));
  }
  const CliRun missing = Run({"render", (files_ / "fehlt.qvx").string(), "--output", png});
  EXPECT_EQ(missing.code, 1) << missing;
  EXPECT_THAT(missing.err,
              HasSubstr("cannot open " + (files_ / "fehlt.qvx").string() + ": not found"));
}

// An image that cannot be written is a failure with its reason, and leaves
// no file, whole or partial.
TEST_F(CliTest, RenderAndTextFailWhenTheImageCannotBeWritten) {
  const fs::path project = Copy("Projects/demos/Klassik.qvx");
  fs::create_directories(files_ / "ro");
  struct Case {
    fs::path output;
    std::string reason;
  };
  std::vector<Case> cases = {
      {"/dev/full", "/dev/full is a device, not a file"},
      {files_ / "fehlt" / "x.png", "no such folder: " + (files_ / "fehlt").string()},
      {files_ / "ordner.png", (files_ / "ordner.png").string() + " is a folder"},
  };
  fs::create_directories(files_ / "ordner.png");
  if (::geteuid() != 0) {
    fs::permissions(files_ / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    cases.push_back({files_ / "ro" / "x.png", "Permission denied"});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.output);
    const CliRun render = Run({"render", project.string(), "--picture", "1", "--time",
                               "2026-12-10 08:30", "--output", c.output.string()});
    EXPECT_EQ(render.code, 1) << render;
    EXPECT_THAT(render.err, HasSubstr(c.reason));
    EXPECT_EQ(render.out, "");
    const CliRun text =
        Run({"text", "Hallo", "--font", "S008X016.FON", "--output", c.output.string()});
    EXPECT_EQ(text.code, 1) << text;
    EXPECT_THAT(text.err, HasSubstr("tavodex-cli text: " + c.reason));
    EXPECT_EQ(text.out, "");
  }
  fs::permissions(files_ / "ro", fs::perms::owner_all);
  EXPECT_TRUE(fs::is_empty(files_ / "ro"));
  EXPECT_FALSE(fs::exists(files_ / "fehlt"));
  EXPECT_TRUE(fs::is_empty(files_ / "ordner.png"));
}

// --- print -----------------------------------------------------------------------------

// Page objects of a PDF file ("/Type /Page", not "/Pages").
int PdfPages(const std::string& pdf) {
  static const std::regex page("/Type\\s*/Page(?!s)");
  return static_cast<int>(
      std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

TEST_F(CliTest, PrintWritesThePrintoutOfEachDemoAsPdf) {
  struct Case {
    const char* project;
    int pages;
  } cases[] = {
      {"Projects/Demo.qvx", 3}, {"Projects/Felder.qvx", 2}, {"Projects/demos/Klassik.qvx", 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.project);
    const fs::path pdf = files_ / "out.pdf";
    const CliRun run =
        Run({"print", Copy(c.project).string(), "--output", pdf.string(), "--date", "24.12.2026"});
    ASSERT_EQ(run.code, 0) << run;
    const std::string bytes = Read(pdf);
    EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
    EXPECT_EQ(PdfPages(bytes), c.pages);
    EXPECT_THAT(run.out, HasSubstr(std::to_string(c.pages) + " pages, A4"));
  }
  // Everything off leaves the page header alone; one picture by number.
  const fs::path demo = Copy("Projects/Demo.qvx");
  const fs::path pdf = files_ / "scope.pdf";
  const CliRun nothing =
      Run({"print", demo.string(), "--output", pdf.string(), "--project-info", "no", "--alarms",
           "no", "--variables", "no", "--text-lists", "no", "--pictures", "none"});
  ASSERT_EQ(nothing.code, 0) << nothing;
  EXPECT_EQ(PdfPages(Read(pdf)), 1);
  const CliRun one = Run({"print", demo.string(), "--output", pdf.string(), "--project-info", "no",
                          "--alarms", "no", "--variables", "no", "--text-lists", "no", "--pictures",
                          "2", "--paper", "Letter", "--margins", "25,10,10"});
  ASSERT_EQ(one.code, 0) << one;
  EXPECT_EQ(PdfPages(Read(pdf)), 1);
  EXPECT_THAT(one.out, HasSubstr("1 page, Letter"));
}

TEST_F(CliTest, PrintRefusesBadOptionsAndUnwritablePdfs) {
  const fs::path demo = Copy("Projects/Demo.qvx");
  const fs::path pdf = files_ / "x.pdf";
  struct Bad {
    std::vector<std::string> options;
    std::string message;
  } bad[] = {
      {{"--alarms", "vielleicht"}, "--alarms: 'vielleicht' is not yes or no"},
      {{"--pictures", "alle"}, "--pictures: 'alle' is not all, none or a picture number"},
      {{"--pictures", "0"}, "--pictures: '0' is not all, none or a picture number"},
      {{"--paper", "A5"}, "--paper: unknown paper size 'A5'"},
      {{"--margins", "40,0,0"}, "widest block needs"},
      {{"--margins", "20;0;0"}, "--margins: '20;0;0' is not LEFT,TOP,BOTTOM"},
      {{"--date", "heute"}, "--date: 'heute' is not DD.MM.YYYY"},
  };
  for (const Bad& b : bad) {
    std::vector<std::string> args = {"print", demo.string(), "--output", pdf.string()};
    args.insert(args.end(), b.options.begin(), b.options.end());
    const CliRun run = Run(args);
    EXPECT_EQ(run.code, 2) << run;
    EXPECT_THAT(run.err, HasSubstr(b.message));
  }
  EXPECT_FALSE(fs::exists(pdf));

  fs::create_directories(files_ / "ordner.pdf");
  const std::pair<fs::path, std::string> unwritable[] = {
      {"/dev/full", "/dev/full is a device, not a file"},
      {files_ / "fehlt" / "x.pdf", "no such folder: " + (files_ / "fehlt").string()},
      {files_ / "ordner.pdf", (files_ / "ordner.pdf").string() + " is a folder"},
  };
  for (const auto& [output, reason] : unwritable) {
    const CliRun run = Run({"print", demo.string(), "--output", output.string()});
    EXPECT_EQ(run.code, 1) << run;
    EXPECT_THAT(run.err, HasSubstr(reason));
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(fs::exists(files_ / "fehlt"));
  EXPECT_TRUE(fs::is_empty(files_ / "ordner.pdf"));
  // An existing PDF stays as it was when the new one cannot be written.
  Write(pdf, "%PDF-alt");
  fs::permissions(files_.path(), fs::perms::owner_read | fs::perms::owner_exec);
  const CliRun locked = Run({"print", demo.string(), "--output", pdf.string()});
  fs::permissions(files_.path(), fs::perms::owner_all);
  if (::geteuid() != 0) {
    EXPECT_EQ(locked.code, 1) << locked;
    EXPECT_EQ(Read(pdf), "%PDF-alt");
    EXPECT_EQ(std::distance(fs::directory_iterator(files_.path()), fs::directory_iterator()), 3);
  }
}

// A copy of Demo (second generation) with a picture that shows a damaged
// bitmap and a text in a font whose glyph data is cut short.
struct DamagedResources {
  fs::path project, bitmap, font;
};

DamagedResources MakeDamagedResources(const fs::path& folder, const fs::path& base) {
  DamagedResources d{folder / "Kaputt.qvx", folder / "kaputt.bmp", base / "fonts" / "KURZ.FON"};
  Write(d.bitmap, "BM kein Bild");
  const std::string font = Read(fs::path(TAVO_DATA_DIR) / "fonts" / "S008X016.FON");
  Write(d.font, font.substr(0, font.size() - 156 * 16));  // 100 glyphs of 16 bytes left
  std::string text = Read(fs::path(TAVO_DATA_DIR) / "Projects" / "Demo.qvx");
  const std::string anchor = "-Picture(2;2;\"Muster\";15)\r\n";
  text.insert(text.find(anchor) + anchor.size(),
              "-Object(20;0;0;0;\"Bild\";10;10;50;50;\"" + d.bitmap.string() +
                  "\";FALSE;FALSE;0;0)\r\n"
                  "-Object(5;0;0;0;0;1;0;14;1;\"\";20;400;\"kurz\";\"KURZ.FON\")\r\n");
  Write(d.project, text);
  return d;
}

TEST_F(CliTest, DamagedBitmapsAndFontsAreReportedWhenRenderingAndBuildingTheImage) {
  ASSERT_EQ(Run({"info", Copy("Projects/Demo.qvx").string()}).code, 0);  // the base exists
  const DamagedResources d = MakeDamagedResources(files_.path(), Base());
  const std::string bitmapWarning =
      "warning: " + d.bitmap.string() + ": not a BMP file; nothing is drawn\n";
  const std::string fontWarning =
      "warning: KURZ.FON: glyph data cut short: 100 of 256 characters in the file\n";

  const CliRun render = Run({"render", d.project.string(), "--picture", "2", "--time",
                             "2026-12-10 08:30", "--output", (files_ / "k.png").string()});
  EXPECT_EQ(render.code, 0) << render;
  EXPECT_TRUE(IsPng(files_ / "k.png"));
  EXPECT_THAT(render.err, AllOf(HasSubstr(bitmapWarning), HasSubstr(fontWarning)));

  const CliRun image = Run({"image", d.project.string(), "--output", (files_ / "image").string()});
  EXPECT_EQ(image.code, 0) << image;
  EXPECT_THAT(image.err,
              AllOf(HasSubstr("warning: damaged bitmap " + d.bitmap.string() +
                              ": not a BMP file; converted as a black image\n"),
                    HasSubstr("warning: damaged font KURZ.FON: glyph data cut short: 100 of "
                              "256 characters in the file\n")));

  const CliRun text =
      Run({"text", "kurz", "--font", "KURZ.FON", "--output", (files_ / "t.png").string()});
  EXPECT_EQ(text.code, 0) << text;
  EXPECT_THAT(text.err, HasSubstr("warning: font 'KURZ.FON': glyph data cut short"));
  fs::remove(d.font);
}

TEST_F(CliTest, ImageBuildsBothDrivesForEachGeneration) {
  struct Case {
    std::string project;
    int generation;
    std::string projectImage;  // on drive D
  };
  const Case cases[] = {
      {"Projects/demos/Klassik.qvx", 1, "00100000.PRJ"},
      {"Projects/Demo.qvx", 2, "Project.run"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.project);
    const fs::path project = Copy(c.project);
    const fs::path out = files_ / ("image-" + std::to_string(c.generation));
    const CliRun run = Run({"image", project.string(), "--output", out.string()});
    ASSERT_EQ(run.code, 0) << run;
    EXPECT_THAT(run.out, StartsWith("Generation:  " + std::to_string(c.generation)));
    EXPECT_TRUE(fs::is_directory(out / "drive_c"));
    EXPECT_GT(fs::file_size(out / "drive_d" / c.projectImage), 0u);
    EXPECT_THAT(run.out, HasSubstr("  " + c.projectImage + " "));
    EXPECT_THAT(run.out, HasSubstr("Total D:     "));
  }
  const CliRun missing = Run({"image", (files_ / "fehlt.qvx").string()});
  EXPECT_EQ(missing.code, 1) << missing;
  EXPECT_THAT(missing.err, HasSubstr("cannot open"));
}

// A link where the output's drive folder belongs is replaced by a real
// folder; the folder it pointed to keeps its files.
TEST_F(CliTest, ImageOutputNeverEmptiesTheTargetOfALink) {
  const fs::path project = Copy("Projects/Demo.qvx");
  const fs::path out = files_ / "linked-image";
  const fs::path precious = files_ / "precious";
  fs::create_directories(precious);
  std::ofstream(precious / "keep.txt") << "must survive";
  fs::create_directories(out);
  fs::create_directory_symlink(precious, out / "drive_d");
  const CliRun run = Run({"image", project.string(), "--output", out.string()});
  ASSERT_EQ(run.code, 0) << run;
  EXPECT_TRUE(fs::is_regular_file(precious / "keep.txt"));
  EXPECT_FALSE(fs::is_symlink(out / "drive_d"));
  EXPECT_GT(fs::file_size(out / "drive_d" / "Project.run"), 0u);
}

TEST_F(CliTest, TextRendersInATerminalFontAndFallsBackForAnUnknownFont) {
  const fs::path png = files_ / "t.png";
  const CliRun run =
      Run({"text", "Füllstand", "--font", "S008X016.FON", "--zoom", "2", "--output", png.string()});
  ASSERT_EQ(run.code, 0) << run;
  EXPECT_TRUE(IsPng(png));
  EXPECT_EQ(run.out, png.string() + ": 144 x 32\n");

  const fs::path fallback = files_ / "f.png";
  const CliRun unknown =
      Run({"text", "Hallo", "--font", "KEINER.FON", "--output", fallback.string()});
  EXPECT_EQ(unknown.code, 0) << unknown;
  EXPECT_THAT(unknown.err, HasSubstr("font 'KEINER.FON' cannot be loaded (not found); using the "
                                     "built-in 8 x 16 font"));
  EXPECT_TRUE(IsPng(fallback));

  // Like the terminal, the first 255 characters; and it says so.
  const fs::path longPng = files_ / "lang.png";
  const CliRun longText = Run({"text", std::string(300, 'x') + "\xC3\xA4", "--font", "S008X016.FON",
                               "--output", longPng.string()});
  EXPECT_EQ(longText.code, 0) << longText;
  EXPECT_EQ(longText.out, longPng.string() + ": 2040 x 16\n");
  EXPECT_THAT(longText.err, HasSubstr("the text has 301 characters; only the first 255 are drawn"));

  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case bad[] = {
      {{"--zoom", "0"}, "--zoom: '0' is not a number in (0, 64]"},
      {{"--zoom", "1e9"}, "--zoom: '1e9'"},
      {{"--colour", "16"}, "--colour: '16' is not a palette index 0..15"},
      {{"--background", "x"}, "--background: 'x' is not a palette index"},
  };
  for (const Case& c : bad) {
    const fs::path none = files_ / "none.png";
    std::vector<std::string> args = {"text",         "Hallo",    "--font",
                                     "S008X016.FON", "--output", none.string()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun r = Run(args);
    EXPECT_EQ(r.code, 2) << r;
    EXPECT_THAT(r.err, HasSubstr(c.message)) << ::testing::PrintToString(c.args);
    EXPECT_FALSE(fs::exists(none));
  }
}

// --- download --------------------------------------------------------------------------
// The transfer itself is driven against the virtual terminal elsewhere; here
// only what is refused before a port is touched, and a port that is not there.

TEST_F(CliTest, DownloadRefusesBadOptionsBeforeOpeningAPort) {
  const fs::path project = Copy("Projects/Demo.qvx");
  fs::create_directories(files_ / "empty");
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{"--port", "0"}, "--port: '0' is not a whole number in 1 .. 9"},
      {{"--port", "x"}, "--port: 'x' is not a whole number in 1 .. 9"},
      {{"--rate", "12345"}, "--rate: '12345' is not one of 115200"},
      {{"--station", "256"}, "--station: '256' is not a whole number in 1 .. 255"},
      {{"--scope", "half"}, "--scope: 'half' is not one of full, optimal"},
      {{"--image", (files_ / "empty").string()}, "holds no image"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"download", project.string()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun run = Run(args);
    EXPECT_EQ(run.code, 2) << run;
    EXPECT_THAT(run.err, HasSubstr(c.message)) << ::testing::PrintToString(c.args);
    EXPECT_THAT(run.out, Not(HasSubstr("Download to")));
  }
  const CliRun missing = Run({"download", (files_ / "fehlt.qvx").string()});
  EXPECT_EQ(missing.code, 2) << missing;
  EXPECT_THAT(missing.err, HasSubstr("cannot open"));
}

TEST_F(CliTest, DownloadToADeviceThatIsNotThereFindsNoTerminal) {
  const fs::path project = Copy("Projects/Demo.qvx");
  const CliRun run = Run({"--language", "049", "download", project.string(), "--device",
                          (files_ / "kein-tty").string()});
  EXPECT_EQ(run.code, 3) << run;
  EXPECT_THAT(run.err, HasSubstr("kein-tty"));
}

// --- check -----------------------------------------------------------------------------

// The demo's file with its first output field bound to a variable it lacks
// and its frame moved wholly off the display.
std::string DamagedDemo() {
  std::string text = Read(fs::path(TAVO_DATA_DIR) / "Projects" / "Demo.qvx");
  for (const auto& [from, to] :
       {std::pair<std::string, std::string>{"-Object(3;8;3;", "-Object(3;8;99;"},
        {"\"Rahmen\";10;10;630;10;630;470;10;470", "\"Rahmen\";700;10;730;10;730;470;700;470"}}) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
  }
  return text;
}

TEST_F(CliTest, CheckPassesEveryDemoAndFailsADamagedCopy) {
  for (const char* demo :
       {"Projects/Demo.qvx", "Projects/Felder.qvx", "Projects/demos/Klassik.qvx"}) {
    const CliRun run = Run({"--language", "049", "check", Copy(demo).string()});
    EXPECT_EQ(run.code, 0) << demo << "\n" << run;
    EXPECT_THAT(run.out, HasSubstr("0 Fehler, 0 Warnungen, ")) << demo;
    EXPECT_EQ(run.err, "") << demo;
  }
  const fs::path damaged = files_ / "kaputt.qvx";
  Write(damaged, DamagedDemo());
  const CliRun run = Run({"--language", "049", "check", damaged.string()});
  EXPECT_EQ(run.code, 1) << run;
  EXPECT_THAT(
      run.out,
      AllOf(HasSubstr("E101 Fehler: Bild 1 \"Übersicht\", Kreis \"Pumpe\": Variable 99 gibt "
                      "es nicht\n"),
            HasSubstr("E201 Fehler: Bild 1 \"Übersicht\", Rechteck \"Rahmen\": Objekt liegt "
                      "ganz außerhalb des Displays (640 x 480)\n"),
            HasSubstr("\n2 Fehler, 0 Warnungen, 8 Hinweise\n")))
      << run;
}

TEST_F(CliTest, CheckFailsOnTheChosenSeverity) {
  // Only a warning: the frame reaches one pixel beyond the right edge.
  std::string text = Read(fs::path(TAVO_DATA_DIR) / "Projects" / "Felder.qvx");
  const std::string from = "\"Tank\";300;100;360;300", to = "\"Tank\";600;100;640;300";
  ASSERT_NE(text.find(from), std::string::npos);
  text.replace(text.find(from), from.size(), to);
  const fs::path project = files_ / "rand.qvx";
  Write(project, text);
  struct Case {
    std::vector<std::string> options;
    int code;
  };
  const Case cases[] = {{{}, 0},
                        {{"--fail-on", "error"}, 0},
                        {{"--fail-on", "warning"}, 1},
                        {{"--fail-on=warning", "--format", "json"}, 1}};
  for (const Case& c : cases) {
    std::vector<std::string> args = {"check", project.string()};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const CliRun run = Run(args);
    EXPECT_EQ(run.code, c.code) << ::testing::PrintToString(c.options) << "\n" << run;
    EXPECT_THAT(run.out, HasSubstr("W202")) << ::testing::PrintToString(c.options);
  }
  const CliRun missing = Run({"check", (files_ / "fehlt.qvx").string()});
  EXPECT_EQ(missing.code, 2) << missing;
  EXPECT_THAT(missing.err, HasSubstr("cannot open"));
}

TEST_F(CliTest, CheckWritesJsonThatFollowsThePlaces) {
  const fs::path damaged = files_ / "kaputt.qvx";
  Write(damaged, DamagedDemo());
  const CliRun run = Run({"--language", "044", "check", damaged.string(), "--format", "json"});
  EXPECT_EQ(run.code, 1) << run;
  QJsonParseError error;
  const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << run;
  const QJsonObject root = json.object();
  EXPECT_TRUE(root["failed"].toBool());
  EXPECT_EQ(root["summary"].toObject()["errors"].toInt(), 2);
  EXPECT_EQ(root["summary"].toObject()["notes"].toInt(), 8);
  const QJsonArray findings = root["findings"].toArray();
  ASSERT_EQ(findings.size(), 10);
  const QJsonObject first = findings[0].toObject();
  EXPECT_EQ(first["code"].toString(), "E201");
  EXPECT_EQ(first["severity"].toString(), "error");
  EXPECT_EQ(first["message"].toString(), "Object lies wholly outside the display (640 x 480)");
  const QJsonObject where = first["where"].toObject();
  EXPECT_EQ(where["kind"].toString(), "object");
  EXPECT_EQ(where["picture"].toInt(), 1);
  EXPECT_EQ(where["pictureName"].toString(), QString::fromUtf8("Übersicht"));
  EXPECT_EQ(where["objectPath"].toArray(), QJsonArray({0}));
  EXPECT_EQ(where["objectName"].toString(), "Rahmen");
  EXPECT_EQ(findings[9].toObject()["where"].toObject()["kind"].toString(), "textList");
}

TEST_F(CliTest, DownloadStopsOnCheckErrorsUnlessTold) {
  const fs::path damaged = files_ / "kaputt.qvx";
  Write(damaged, DamagedDemo());
  const std::vector<std::string> args = {"--language", "049",
                                         "download",   damaged.string(),
                                         "--device",   (files_ / "kein-tty").string()};
  const CliRun stopped = Run(args);
  EXPECT_EQ(stopped.code, 6) << stopped;
  EXPECT_THAT(stopped.err, AllOf(HasSubstr("E101 Fehler: "), HasSubstr("E201 Fehler: "),
                                 Not(HasSubstr("N502")), HasSubstr("--ignore-check")));
  EXPECT_THAT(stopped.out, Not(HasSubstr("Download to")));

  std::vector<std::string> anyway = args;
  anyway.push_back("--ignore-check");
  const CliRun run = Run(anyway);
  EXPECT_EQ(run.code, 3) << run;
  EXPECT_THAT(run.err, HasSubstr("E101 Fehler: "));
}

}  // namespace
}  // namespace tavo::cli

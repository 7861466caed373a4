// tavodex-cli export and import on the shipped demo projects: a round trip
// through the exchange files, the conflict policies, and the refusals.
//
// The small runner below repeats cli_test.cpp's; it can join it in
// tests/support once the command line's tests settle.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/cli/commands.h"
#include "support/tempfolder.h"

namespace tavo::cli {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

struct CliRun {
  int code = -1;
  std::string out, err;
};
std::ostream& operator<<(std::ostream& os, const CliRun& run) {
  return os << "exit " << run.code << "\n--- stdout\n" << run.out << "--- stderr\n" << run.err;
}

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class ExchangeCli : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    home_ = std::make_unique<testing::TempFolder>();
    setenv("TAVODEX_DATA", TAVO_DATA_DIR, 1);
    setenv("XDG_DATA_HOME", home_->File("data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", home_->File("config").c_str(), 1);
  }
  static void TearDownTestSuite() { home_.reset(); }

  CliRun Run(std::vector<std::string> args) {
    std::vector<std::string> all = {"tavodex-cli", "--base", (home_->path() / "base").string(),
                                    "--populate"};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::ostringstream out, err;
    std::streambuf* oldOut = std::cout.rdbuf(out.rdbuf());
    std::streambuf* oldErr = std::cerr.rdbuf(err.rdbuf());
    CliRun run;
    run.code = RunCli(static_cast<int>(all.size()), argv.data());
    std::cout.rdbuf(oldOut);
    std::cerr.rdbuf(oldErr);
    run.out = out.str();
    run.err = err.str();
    return run;
  }
  fs::path Copy(const std::string& dataFile, const std::string& as) {
    const fs::path target = files_.path() / as;
    fs::copy_file(fs::path(TAVO_DATA_DIR) / dataFile, target, fs::copy_options::overwrite_existing);
    return target;
  }
  std::string File(const std::string& name) { return (files_.path() / name).string(); }

  inline static std::unique_ptr<testing::TempFolder> home_;
  testing::TempFolder files_;
};

TEST_F(ExchangeCli, ExportThenImportIntoAnotherProjectBringsTheRecordsOnce) {
  const fs::path demo = Copy("Projects/Demo.qvx", "demo.qvx");
  const fs::path felder = Copy("Projects/Felder.qvx", "felder.qvx");
  for (const char* kind : {"--alarms", "--variables", "--textlists"}) {
    SCOPED_TRACE(kind);
    const std::string file = File(std::string(kind + 2) + ".txt");
    const CliRun exported = Run({"export", demo.string(), kind, "--output", file});
    ASSERT_EQ(exported.code, 0) << exported;
    const CliRun imported = Run({"import", felder.string(), file, "--on-conflict", "keep"});
    ASSERT_EQ(imported.code, 0) << imported;
    EXPECT_THAT(imported.out, HasSubstr("saved "));
  }
  // A second import of the alarms with "replace" overwrites instead of adding.
  const CliRun again =
      Run({"import", felder.string(), File("alarms.txt"), "--on-conflict", "replace"});
  ASSERT_EQ(again.code, 0) << again;
  EXPECT_THAT(again.out, HasSubstr("imported 0 new"));
  EXPECT_TRUE(fs::exists(felder.string().substr(0, felder.string().size() - 3) + "BAK"));
}

TEST_F(ExchangeCli, APictureTravelsWithItsVariables) {
  const fs::path felder = Copy("Projects/Felder.qvx", "felder.qvx");
  const fs::path demo = Copy("Projects/Demo.qvx", "demo.qvx");
  const CliRun exported =
      Run({"export", felder.string(), "--picture", "1", "--output", File("bild.txt")});
  ASSERT_EQ(exported.code, 0) << exported;
  EXPECT_THAT(Read(File("bild.txt")), HasSubstr("[Pictures]\r\n-Picture(1;1;\"Felder\";15)\r\n"));
  const CliRun imported = Run({"import", demo.string(), File("bild.txt"), "--on-conflict", "keep"});
  ASSERT_EQ(imported.code, 0) << imported;
  EXPECT_THAT(imported.out, HasSubstr("imported 1 picture(s)"));
  const CliRun missing =
      Run({"export", felder.string(), "--picture", "99", "--output", File("x.txt")});
  EXPECT_EQ(missing.code, 1) << missing;
  EXPECT_THAT(missing.err, HasSubstr("no picture '99'"));
}

TEST_F(ExchangeCli, RefusesWhatItCannotDo) {
  const fs::path demo = Copy("Projects/Demo.qvx", "demo.qvx");
  const std::string project = Read(demo);
  struct Case {
    std::vector<std::string> args;
    int code;
    const char* message;
  };
  std::ofstream(File("leer.txt")) << "nichts\r\n";
  std::ofstream(File("alarme.txt")) << "Index\r\n0,x,F\r\n";
  const Case cases[] = {
      {{"export", demo.string(), "--alarms"}, 2, "usage: tavodex-cli export"},
      {{"export", demo.string(), "--alarms", "--variables", "--output", File("a")}, 2, "usage"},
      {{"import", demo.string()}, 2, "usage: tavodex-cli import"},
      {{"import", demo.string(), File("alarme.txt"), "--on-conflict", "maybe"}, 2, "usage"},
      // The tests' standard input is no terminal.
      {{"import", demo.string(), File("alarme.txt")}, 2, "needs a terminal"},
      {{"import", demo.string(), File("leer.txt"), "--on-conflict", "keep"},
       1,
       "is no alarm, variable, text list or picture exchange file"},
      {{"import", demo.string(), File("fehlt.txt"), "--on-conflict", "keep"}, 1, "cannot open"},
  };
  for (const Case& c : cases) {
    // Run from a terminal, "ask" would ask there instead of refusing.
    if (std::string(c.message) == "needs a terminal" && isatty(STDIN_FILENO)) continue;
    const CliRun run = Run(c.args);
    EXPECT_EQ(run.code, c.code) << run;
    EXPECT_THAT(run.err, HasSubstr(c.message)) << run;
  }
  EXPECT_EQ(Read(demo), project);  // nothing refused touched the project
}

}  // namespace
}  // namespace tavo::cli

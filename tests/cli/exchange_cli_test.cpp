// tavodex-cli export and import on the shipped demo projects: a round trip
// through the exchange files, the conflict policies, and the refusals.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/cli/commands.h"
#include "clitest.h"

namespace tavo::cli {
namespace {

using ::testing::HasSubstr;

class ExchangeCli : public CliTest {
 protected:
  std::string File(const std::string& name) { return (files_.path() / name).string(); }
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

#include <gtest/gtest.h>

#include "shell/folders.h"
#include "tempfolder.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::WriteFile;

class InstallationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(base / "system/Terminals");
    fs::create_directories(base / "Lib/Graphics");
    WriteFile(base / "system/Terminals/QT40.def", "x");
  }
  TempFolder base;
  Installation installation{base.path()};
};

TEST_F(InstallationTest, ResolvesComponentsWithoutRegardToCaseOrSeparator) {
  const fs::path expected = base / "system/Terminals/QT40.def";
  for (const char* written : {"system\\Terminals\\QT40.def", "SYSTEM\\terminals\\qt40.DEF",
                              "system/terminals/Qt40.def", "\\system\\\\Terminals\\QT40.def"})
    EXPECT_EQ(installation.Resolve(written), expected) << written;
}

TEST_F(InstallationTest, KeepsMissingComponentsAsWritten) {
  EXPECT_EQ(installation.Resolve("lib\\graphics\\New\\Pic.BMP"), base / "Lib/Graphics/New/Pic.BMP");
  // Below a file nothing can exist; the rest stays as written.
  EXPECT_EQ(installation.Resolve("system\\terminals\\qt40.def\\x"),
            base / "system/Terminals/QT40.def/x");
  EXPECT_EQ(installation.Resolve(""), base.path());
}

TEST_F(InstallationTest, KeepsTrailingSeparatorOfFolders) {
  EXPECT_EQ(installation.Resolve("lib\\GRAPHICS\\").string(), (base / "Lib/Graphics/").string());
}

TEST_F(InstallationTest, PrefersTheExactCaseAmongCaseVariants) {
  fs::create_directories(base / "lib");
  WriteFile(base / "lib/only-here.txt", "");
  EXPECT_EQ(installation.Resolve("lib\\only-here.txt"), base / "lib/only-here.txt");
  EXPECT_EQ(installation.Resolve("Lib\\Graphics"), base / "Lib/Graphics");
  // Neither variant written exactly: the first in byte order ("Lib" < "lib").
  EXPECT_EQ(installation.Resolve("LIB\\Graphics"), base / "Lib/Graphics");
}

TEST_F(InstallationTest, MatchesUmlautsOfCodePage1252AgainstUtf8Names) {
  WriteFile(base /
                "Lib/Graphics/\xC3\x9C"
                "bersicht.bmp",
            "");  // "Übersicht" in UTF-8
  // "übersicht.bmp" in code page 1252.
  EXPECT_EQ(installation.Resolve("lib\\graphics\\\xFC"
                                 "bersicht.bmp"),
            base /
                "Lib/Graphics/\xC3\x9C"
                "bersicht.bmp");
}

TEST_F(InstallationTest, ListsMatchingFilesOnlyInByteOrder) {
  WriteFile(base / "fonts/b.FON", "");
  WriteFile(base / "fonts/A.fon", "");
  WriteFile(base / "fonts/a.fon", "");
  WriteFile(base / "fonts/c.fonx", "");
  fs::create_directories(base / "fonts/dir.fon");
  const auto files = installation.ListFiles("FONTS\\", "*.Fon");
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[0], base / "fonts/A.fon");
  EXPECT_EQ(files[1], base / "fonts/a.fon");
  EXPECT_EQ(files[2], base / "fonts/b.FON");
  EXPECT_TRUE(installation.ListFiles("missing\\", "*.*").empty());
}

TEST(MatchesPattern, Cases) {
  struct Case {
    const char* name;
    const char* pattern;
    bool matches;
  };
  const Case cases[] = {
      {"S008X016.FON", "*.fon", true},
      {"x.fon.bak", "*.fon", false},
      {"049.SPR", "???.spr", true},
      {"0049.SPR", "???.spr", false},
      {"README", "*.*", true},
      {"README", "*", true},
      {"a.b.c", "*.c", true},
      {"abc", "a*b*c", true},
      {"abc", "a*b*d", false},
      {"", "*", true},
      {"", "?", false},
      {"\xC4nderung.txt", "\xE4*.TXT", true},
      {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*c", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
}

}  // namespace
}  // namespace tavo

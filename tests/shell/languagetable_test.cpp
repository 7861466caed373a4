#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>

#include "shell/languagetable.h"
#include "shell/textvalues.h"
#include "tempfolder.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using testing::MakeInstallation;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

class LanguageTableTest : public ::testing::Test {
 protected:
  void SetUp() override { MakeInstallation(base.path()); }
  void Table(const std::string& content) { WriteFile(file, content); }

  TempFolder base;
  fs::path file = base / "system/049.SPR";
  LanguageTable table{Installation(base.path()), "049"};
};

TEST_F(LanguageTableTest, MatchesGroupAndEntryExactly) {
  Table(
      "English\r\n"
      "1,100=short group\r\n"
      "0001,0100 =blank before equals\r\n"
      "00001,0100=five digits\r\n"
      "0001,0100=Save project as ...\r\n"
      "0001,0100=second line\r\n"
      "0001,0101=A=B,C\r\n"
      "0400,0009=\r\n"
      "0400,0010=>-l-e-e-r-<\r\n"
      "0400,0011=text with trailing blank \r\n"
      "0400,0012=>-l-e-e-r-< not alone\r\n");
  struct Case {
    std::uint16_t group, entry;
    std::string expected;
  };
  const Case cases[] = {
      {1, 100, "Save project as ..."},  // first exact match wins
      {1, 101, "A=B,C"},
      {400, 9, ""},
      {400, 10, ""},
      {400, 11, "text with trailing blank "},
      {400, 12, ">-l-e-e-r-< not alone"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(table.Translate(c.group, c.entry, "default"), c.expected)
        << c.group << "," << c.entry;
}

TEST_F(LanguageTableTest, AMissingPairIsAppendedOnceThenShowsTheDefault) {
  Table("Deutsch\r\n0001,0001=x\r\n");
  EXPECT_EQ(table.Translate(5, 3, "Index,Alarmtext,..."), ">>>>>");
  EXPECT_EQ(table.Translate(5, 3, "Index,Alarmtext,..."), "Index,Alarmtext,...");
  EXPECT_EQ(table.Translate(65535, 7, "big"), ">>>>>");
  EXPECT_EQ(ReadFile(file),
            "Deutsch\r\n0001,0001=x\r\n0005,0003=Index,Alarmtext,...\r\n65535,0007=big\r\n");
  // Another reader of the same table finds the entries too.
  LanguageTable other(Installation(base.path()), "049");
  EXPECT_EQ(other.Translate(5, 3, "whatever"), "Index,Alarmtext,...");
}

TEST_F(LanguageTableTest, AppendingNeverDamagesTheLastLine) {
  // The translator's editor left the last line without its line break.
  Table("Deutsch\r\n0001,0001=Speichern");
  EXPECT_EQ(table.Translate(1, 2, "Laden"), ">>>>>");
  EXPECT_EQ(table.Translate(1, 1, "?"), "Speichern");
  EXPECT_EQ(table.Translate(1, 2, "?"), "Laden");
  EXPECT_EQ(ReadFile(file), "Deutsch\r\n0001,0001=Speichern\r\n0001,0002=Laden\r\n");
}

TEST_F(LanguageTableTest, ADefaultWithLineBreaksStaysOneLine) {
  Table("Deutsch\r\n");
  EXPECT_EQ(table.Translate(1, 2, "zwei\r\nZeilen"), ">>>>>");
  EXPECT_EQ(ReadFile(file), "Deutsch\r\n0001,0002=zwei  Zeilen\r\n");
  EXPECT_EQ(table.Translate(1, 2, "zwei\r\nZeilen"), "zwei  Zeilen");
}

TEST_F(LanguageTableTest, WithoutATableEveryTextIsItsDefaultAndNothingIsWritten) {
  EXPECT_EQ(table.Translate(1, 100, "Projekt speichern unter ..."), "Projekt speichern unter ...");
  EXPECT_EQ(table.Translate(1, 100, "Projekt speichern unter ..."), "Projekt speichern unter ...");
  EXPECT_FALSE(fs::exists(file));
  EXPECT_TRUE(fs::is_empty(base / "system"));
}

TEST_F(LanguageTableTest, ATableThatIsNoPlainFileGivesDefaults) {
  // Reading a pipe would wait forever; a folder cannot be read at all.
  ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
  EXPECT_EQ(table.Translate(1, 1, "d"), "d");
  fs::remove(file);
  fs::create_directories(file);
  EXPECT_EQ(table.Translate(1, 1, "d"), "d");
  EXPECT_TRUE(fs::is_empty(file));
}

TEST_F(LanguageTableTest, ACodeThatLeavesTheSystemFolderNamesNoTable) {
  WriteFile(base / "x.SPR", "evil\r\n");
  for (const char* code : {"../x", "..\\", "", "a/b"}) {
    table.SetLanguage(code);
    EXPECT_TRUE(table.TableFile().empty()) << code;
    EXPECT_EQ(table.Translate(1, 1, "d"), "d");
  }
  EXPECT_EQ(ReadFile(base / "x.SPR"), "evil\r\n");
}

TEST_F(LanguageTableTest, ReadsLfOnlyTablesAndCutsLongTexts) {
  Table("Deutsch\n0001,0001=lf only\n0001,0002=" + std::string(2500, 'x') + "\n");
  EXPECT_EQ(table.Translate(1, 1, "?"), "lf only");
  EXPECT_EQ(table.Translate(1, 2, "?"), std::string(2000, 'x'));
}

TEST_F(LanguageTableTest, FollowsLanguageChangesAndEditsOfTheTable) {
  Table("Deutsch\r\n0001,0001=eins\r\n");
  WriteFile(base / "system/044.spr", "English\r\n0001,0001=one\r\n");
  EXPECT_EQ(table.Translate(1, 1, "?"), "eins");
  table.SetLanguage("044");
  EXPECT_EQ(table.Translate(1, 1, "?"), "one");
  // A translator edits the table while the program runs.
  WriteFile(base / "system/044.spr", "English\r\n0001,0001=first\r\n");
  EXPECT_EQ(table.Translate(1, 1, "?"), "first");
}

TEST(LanguageFiles, ListsAtMost101TablesByFileNameWithTheirDisplayNames) {
  TempFolder base;
  MakeInstallation(base.path());
  for (int i = 119; i >= 0; --i) {
    char name[32];
    std::snprintf(name, sizeof name, "system/%03d.SPR", i);
    WriteFile(base / name, "Sprache " + std::to_string(i) + "\r\n0001,0001=x\r\n");
  }
  WriteFile(base / "system/qvxtavo.cfg", "");
  fs::create_directories(base / "system/folder.SPR");
  const auto languages = ListLanguageFiles(Installation(base.path()));
  ASSERT_EQ(languages.size(), 101u);
  EXPECT_EQ(languages.front().code, "000");
  EXPECT_EQ(languages.front().displayName, "Sprache 0");
  EXPECT_EQ(languages.back().code, "100");
  EXPECT_EQ(FindLanguage(languages, "049"), 49);
  EXPECT_EQ(FindLanguage(languages, "119"), -1);
}

TEST(LanguageFiles, CodeIsTheNameUpToTheFirstDot) {
  TempFolder base;
  MakeInstallation(base.path());
  WriteFile(base / "system/049.SPR", "Deutsch");
  WriteFile(base / "system/1.2.spr", "");
  const auto languages = ListLanguageFiles(Installation(base.path()));
  ASSERT_EQ(languages.size(), 2u);
  EXPECT_EQ(languages[0].code, "049");
  EXPECT_EQ(languages[0].displayName, "Deutsch");
  EXPECT_EQ(languages[1].code, "1");
  EXPECT_EQ(languages[1].displayName, "");
}

// Values go into a translated text in order; a translator's text with too
// few or too many places loses values or keeps "%s", never more.
TEST(TextValues, EachPlaceTakesTheNextValue) {
  EXPECT_EQ(WithValues("%s von %s Bytes", {"5", "9"}), "5 von 9 Bytes");
  EXPECT_EQ(WithValues("%s", {"%s", "x"}), "%s");  // a value is not searched again
  EXPECT_EQ(WithValues("nur %s", {"1", "2"}), "nur 1");
  EXPECT_EQ(WithValues("%s und %s", {"1"}), "1 und %s");
  EXPECT_EQ(WithValues("kein Platz", {"1"}), "kein Platz");
}

}  // namespace
}  // namespace tavo

#include <gtest/gtest.h>

#include "shell/inifile.h"
#include "tempfolder.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

TEST(IniFile, ReadsValuesOfEveryTypeWithoutRegardToCase) {
  IniFile ini;
  ini.Parse(
      "; comment\r\n[Port]\r\n Comport = 3 \r\nbad=12x\r\nhuge=99999999999\r\nneg=-4\r\n"
      "[picture]\nMirrorX=0\nScala=7\nPanel=true\nGrid=no\n[Country]\nCode=044\n");
  EXPECT_EQ(ini.ReadInt("port", "COMPORT", 1), 3);
  EXPECT_EQ(ini.ReadInt("Port", "bad", 5), 5);
  EXPECT_EQ(ini.ReadInt("Port", "huge", 5), 5);
  EXPECT_EQ(ini.ReadInt("Port", "neg", 5), -4);
  EXPECT_EQ(ini.ReadInt("Port", "missing", 9), 9);
  EXPECT_EQ(ini.ReadInt("Nope", "Comport", 9), 9);
  EXPECT_FALSE(ini.ReadBool("Picture", "MirrorX", true));
  EXPECT_TRUE(ini.ReadBool("Picture", "Scala", false));
  EXPECT_TRUE(ini.ReadBool("Picture", "Panel", false));
  EXPECT_TRUE(ini.ReadBool("Picture", "Grid", true));
  EXPECT_FALSE(ini.ReadBool("Picture", "Grid", false));
  EXPECT_EQ(ini.ReadString("Country", "Code", ""), "044");
}

TEST(IniFile, WritesBackWhatItDoesNotKnowAndKeepsBytes) {
  IniFile ini;
  ini.Parse("; mine\n[Other]\nKeep=\xE4\xF6\xFC\n\n[Port]\nComport=1\n");
  ini.WriteInt("port", "Comport", 4);
  ini.WriteString("Other", "New", "x");
  ini.WriteBool("Picture", "Scala", true);
  EXPECT_EQ(ini.Serialize(),
            "; mine\n[Other]\nKeep=\xE4\xF6\xFC\nNew=x\n\n[Port]\nComport=4\n[Picture]\nScala=1\n");
}

TEST(IniFile, ErasesAWholeSection) {
  IniFile ini;
  ini.Parse("[Port]\nComport=4\n[Picture]\nStyle=1\n[PORT]\nStation=9\n");
  ini.EraseSection("port");
  EXPECT_FALSE(ini.HasSection("Port"));
  EXPECT_EQ(ini.ReadInt("Port", "Station", 1), 1);
  EXPECT_EQ(ini.Serialize(), "[Picture]\nStyle=1\n");
}

TEST(IniFile, AValueNeverSpillsIntoTheNextLine) {
  IniFile ini;
  ini.WriteString("Folders", "Project", "/tmp/a\nb\r/");
  IniFile reread;
  reread.Parse(ini.Serialize());
  EXPECT_EQ(reread.ReadString("Folders", "Project", ""), "/tmp/a b /");
}

TEST(IniFile, SavesThroughATemporaryFileAndCreatesFolders) {
  TempFolder folder;
  const fs::path file = folder / "config/deeper/QVXTavoDex.ini";
  IniFile ini;
  ini.WriteString("Country", "Code", "049");
  std::string error;
  ASSERT_TRUE(ini.Save(file, &error)) << error;
  EXPECT_EQ(ReadFile(file), "[Country]\nCode=049\n");
  EXPECT_FALSE(fs::exists(folder / "config/deeper/QVXTavoDex.ini.tmp"));

  IniFile loaded;
  ASSERT_TRUE(loaded.Load(file));
  EXPECT_EQ(loaded.ReadString("Country", "Code", ""), "049");
  // A missing file is an empty store.
  EXPECT_TRUE(loaded.Load(folder / "none.ini"));
  EXPECT_FALSE(loaded.HasSection("Country"));
}

TEST(IniFile, AFailedSaveLeavesTheOldFileAlone) {
  TempFolder folder;
  const fs::path file = folder / "QVXTavoDex.ini";
  WriteFile(file, "[Country]\nCode=049\n");
  // The temporary name is taken by a folder, so the write cannot happen.
  fs::create_directories(folder / "QVXTavoDex.ini.tmp");
  IniFile ini;
  ini.WriteString("Country", "Code", "001");
  std::string error;
  EXPECT_FALSE(ini.Save(file, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadFile(file), "[Country]\nCode=049\n");
}

}  // namespace
}  // namespace tavo

#include <gtest/gtest.h>

#include "shell/folders.h"
#include "shell/settings.h"
#include "tempfolder.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(base / "projects");  // installed in lower case
    fs::create_directories(base / "Lib/Graphics");
  }
  std::string Base() const { return (base.path() / "").string(); }

  TempFolder base, config;
  Installation installation{base.path()};
  SettingsStore store{SettingsFilePath(config.path())};
};

TEST_F(SettingsTest, AnEmptyStoreGivesTheDefaultsAndClosingWritesThemAll) {
  const Settings settings = store.Read(installation, false);
  ASSERT_TRUE(store.Write(settings, installation));
  const std::string b = Base();
  EXPECT_EQ(ReadFile(config / "QVXTavoDex.ini"),
            "[Country]\nCode=044\n"
            "[Port]\nComport=1\nBaudrate=5\nStation=1\nUmfang=0\n"
            "[Folders]\nProject=" +
                b + "projects/\nImport=" + b +
                "projects/demos/\n"
                "Variablen=" +
                b + "Lib/Variables/\nAlarme=" + b +
                "Lib/Alarms/\n"
                "Symbol=" +
                b + "Lib/Symbols/\nTexte=" + b +
                "Lib/Textlists/\n"
                "Bilder=" +
                b + "Lib/Pictures/\nBitmaps=" + b +
                "Lib/Graphics/\n"
                "Program=" +
                b +
                "\n"
                "[Project]\nLastOpen=" +
                b +
                "projects/new_project.qvx\n"
                "[Picture]\nStyle=0\nSoftkeyrect=1\nSoftkeytext=1\nSoftkeytextcolor=1\n"
                "GridSize=10\nGridStyle=1\nFangSize=10\nFangStyle=1\nCopyMoveX=10\nCopyMoveY=10\n"
                "MirrorX=1\nMirrorY=0\nMirrorCopy=0\nAngle=45\nRotateCopy=0\nGrayscale=0\n"
                "Scala=0\nPanel=1\nProjectpanel=1\n"
                "[Print]\nPrintPrjInfo=0\nPrintImages=2\nPrintAlarms=0\nPrintVars=0\n"
                "PrintTextList=0\nPaper=A4\nMarginLeft=20\nMarginTop=0\nMarginBottom=0\n");
}

TEST_F(SettingsTest, ReadsStoredValuesAndWritesThemBack) {
  WriteFile(config / "QVXTavoDex.ini",
            "[Country]\nCode=049\n[Port]\nComport=3\n[Folders]\nBilder=/pics/\n"
            "[Picture]\nMirrorX=0\nAngle=90\n[Print]\nPrintImages=4\n[Mine]\nKeep=1\n");
  Settings settings = store.Read(installation, false);
  EXPECT_EQ(settings.code, "049");
  EXPECT_EQ(settings.port.comport, 3);
  EXPECT_EQ(settings.port.baudrate, 5);
  EXPECT_EQ(settings.folders.bilder, "/pics/");
  EXPECT_FALSE(settings.picture.mirrorX);
  EXPECT_EQ(settings.picture.angle, 90);
  EXPECT_EQ(settings.print.printImages, 4);

  settings.picture.gridSize = 5;
  ASSERT_TRUE(store.Write(settings, installation));
  SettingsStore again(store.File());
  const Settings reread = again.Read(installation, false);
  EXPECT_EQ(reread.picture.gridSize, 5);
  EXPECT_EQ(reread.folders.bilder, "/pics/");
  EXPECT_NE(ReadFile(store.File()).find("[Mine]\nKeep=1\n"), std::string::npos);
}

TEST_F(SettingsTest, StartResetsLanguagePortFoldersAndProjectButKeepsEditorAndPrint) {
  WriteFile(config / "QVXTavoDex.ini",
            "[Country]\nCode=049\n[Port]\nComport=3\n[Folders]\nBilder=/pics/\n"
            "[Project]\nLastOpen=/p/x.qvx\n[Picture]\nGridSize=20\n[Print]\nPrintVars=1\n");
  EXPECT_TRUE(IsResetArgument({"START"}));
  EXPECT_FALSE(IsResetArgument({"x", "start"}));
  EXPECT_FALSE(IsResetArgument({}));

  const Settings settings = store.Read(installation, IsResetArgument({"StArT"}));
  const Settings defaults = DefaultSettings(installation);
  EXPECT_EQ(settings.code, "044");
  EXPECT_EQ(settings.port.comport, 1);
  EXPECT_EQ(settings.folders.bilder, defaults.folders.bilder);
  EXPECT_EQ(settings.lastOpen, defaults.lastOpen);
  EXPECT_EQ(settings.picture.gridSize, 20);
  EXPECT_EQ(settings.print.printVars, 1);
}

TEST_F(SettingsTest, RecentProjectsKeepTheLatestFirstOnceEachAndAtMostEight) {
  WriteFile(config / "QVXTavoDex.ini",
            "[RecentProjects]\nFile1=/p/b.qvx\nFile2=\nFile3=/p/a.qvx\nFile4=/p/b.qvx\n");
  Settings settings = store.Read(installation, false);
  EXPECT_EQ(settings.recentProjects, (std::vector<std::string>{"/p/b.qvx", "/p/a.qvx"}));

  RememberRecentProject(settings, "/p/a.qvx");
  EXPECT_EQ(settings.recentProjects, (std::vector<std::string>{"/p/a.qvx", "/p/b.qvx"}));
  for (int i = 0; i < 9; ++i) RememberRecentProject(settings, "/q/" + std::to_string(i) + ".qvx");
  ASSERT_EQ(settings.recentProjects.size(), kRecentProjectCount);
  EXPECT_EQ(settings.recentProjects.front(), "/q/8.qvx");
  EXPECT_EQ(settings.recentProjects.back(), "/q/1.qvx");

  // Written anew: what dropped off the list is gone from the file.
  ASSERT_TRUE(store.Write(settings, installation));
  const std::string text = ReadFile(store.File());
  EXPECT_NE(text.find("[RecentProjects]\nFile1=/q/8.qvx\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("b.qvx"), std::string::npos) << text;
  EXPECT_EQ(SettingsStore(store.File()).Read(installation, false).recentProjects,
            settings.recentProjects);
  // "start" forgets them with the last project.
  EXPECT_TRUE(SettingsStore(store.File()).Read(installation, true).recentProjects.empty());
}

TEST_F(SettingsTest, AnUnreadableStoreGivesTheDefaultsAndSaysWhy) {
  fs::create_directories(store.File());
  const Settings settings = store.Read(installation, false);
  EXPECT_EQ(settings.code, "044");
  EXPECT_EQ(settings.folders.project, DefaultSettings(installation).folders.project);
  EXPECT_NE(store.LoadError().find("QVXTavoDex.ini"), std::string::npos) << store.LoadError();
}

TEST_F(SettingsTest, LanguageCodeIsCutToThreeCharacters) {
  WriteFile(config / "QVXTavoDex.ini", "[Country]\nCode=0049\n");
  EXPECT_EQ(store.Read(installation, false).code, "004");
}

TEST_F(SettingsTest, AFolderSettingNamingNoFolderFallsBackToItsDefault) {
  Settings settings = DefaultSettings(installation);
  settings.folders.bitmaps = (base / "gone/").string();
  settings.folders.project = "";
  const std::string existing = (base / "Lib/").string();
  settings.folders.symbol = existing;

  EXPECT_EQ(UseFolderSetting(settings, FolderKey::Bitmaps, installation),
            (base / "Lib/Graphics/").string());
  EXPECT_EQ(settings.folders.bitmaps, (base / "Lib/Graphics/").string());
  EXPECT_EQ(UseFolderSetting(settings, FolderKey::Project, installation),
            (base / "projects/").string());
  EXPECT_EQ(UseFolderSetting(settings, FolderKey::Symbol, installation), existing);
}

}  // namespace
}  // namespace tavo

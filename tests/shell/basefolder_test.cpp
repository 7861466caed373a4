#include <gtest/gtest.h>

#include <map>

#include "shell/basefolder.h"
#include "shell/folders.h"
#include "tempfolder.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using testing::MakeInstallation;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

EnvLookup FakeEnvironment(std::map<std::string, std::string> values) {
  return [values](const std::string& name) -> std::optional<std::string> {
    auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  };
}

TEST(UserFolders, FollowXdgVariablesElseHome) {
  EXPECT_EQ(UserDataHome(FakeEnvironment({{"XDG_DATA_HOME", "/x/data"}, {"HOME", "/h"}})),
            fs::path("/x/data"));
  EXPECT_EQ(UserDataHome(FakeEnvironment({{"HOME", "/h"}})), fs::path("/h/.local/share"));
  // A relative XDG value is invalid and ignored.
  EXPECT_EQ(UserConfigHome(FakeEnvironment({{"XDG_CONFIG_HOME", "rel"}, {"HOME", "/h"}})),
            fs::path("/h/.config"));
  EXPECT_EQ(UserConfigHome(FakeEnvironment({{"XDG_CONFIG_HOME", "/c"}})), fs::path("/c"));
  EXPECT_TRUE(UserDataHome(FakeEnvironment({})).empty());
}

TEST(ParseBaseFolderArguments, TakesOutBaseAndPopulate) {
  auto parsed = ParseBaseFolderArguments({"--base", "/b", "start", "--populate", "x"});
  EXPECT_EQ(parsed.error, "");
  ASSERT_TRUE(parsed.options.explicitBase);
  EXPECT_EQ(*parsed.options.explicitBase, fs::path("/b"));
  EXPECT_TRUE(parsed.options.populate);
  EXPECT_EQ(parsed.remaining, (std::vector<std::string>{"start", "x"}));

  parsed = ParseBaseFolderArguments({"--base=/c"});
  EXPECT_EQ(*parsed.options.explicitBase, fs::path("/c"));
  EXPECT_FALSE(ParseBaseFolderArguments({"--base"}).error.empty());
  EXPECT_FALSE(ParseBaseFolderArguments({"--base="}).error.empty());
}

class BaseFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeInstallation(installed.path());
    WriteFile(installed / "system/049.SPR", "Deutsch\r\n");
    WriteFile(installed / "Lib/Graphics/logo.bmp", "BM");
    fs::create_directories(current.path());
    places = {current.path(), home / "share", installed.path()};
  }
  TempFolder installed, current, home;
  BaseFolderPlaces places;
};

TEST_F(BaseFolderTest, ExplicitFolderWins) {
  TempFolder chosen;
  MakeInstallation(chosen.path());
  MakeInstallation(current.path());
  const auto choice = SelectBaseFolder({chosen.path(), false}, places);
  ASSERT_TRUE(choice.ok()) << choice.error;
  EXPECT_EQ(choice.source, BaseFolderChoice::Source::Explicit);
  EXPECT_EQ(choice.folder, chosen.path() / "");
}

TEST_F(BaseFolderTest, ExplicitFolderMustHoldAnInstallation) {
  TempFolder empty;
  auto choice = SelectBaseFolder({empty.path(), false}, places);
  EXPECT_FALSE(choice.ok());
  EXPECT_NE(choice.error.find("keine Installation"), std::string::npos) << choice.error;
  choice = SelectBaseFolder({empty / "missing", false}, places);
  EXPECT_NE(choice.error.find("existiert nicht"), std::string::npos) << choice.error;
  // Nothing was created on the way.
  EXPECT_FALSE(fs::exists(empty / "missing"));
}

TEST_F(BaseFolderTest, ExplicitFolderCanBePopulated) {
  TempFolder parent;
  const auto choice = SelectBaseFolder({parent / "new", true}, places);
  ASSERT_TRUE(choice.ok()) << choice.error;
  EXPECT_EQ(ReadFile(parent / "new/Lib/Graphics/logo.bmp"), "BM");
}

TEST_F(BaseFolderTest, CurrentFolderHoldingAnInstallationIsUsed) {
  fs::create_directories(current / "SYSTEM");
  fs::create_directories(current / "Fonts");
  const auto choice = SelectBaseFolder({}, places);
  ASSERT_TRUE(choice.ok()) << choice.error;
  EXPECT_EQ(choice.source, BaseFolderChoice::Source::CurrentFolder);
  EXPECT_EQ(choice.folder, current.path() / "");
  EXPECT_FALSE(fs::exists(home / "share"));
}

TEST_F(BaseFolderTest, UserFolderIsCreatedOnceAndKeepsTheUsersChanges) {
  fs::create_directories(current / "system");  // no fonts/: not an installation
  auto choice = SelectBaseFolder({}, places);
  ASSERT_TRUE(choice.ok()) << choice.error;
  const fs::path user = home / "share/TavoDex";
  EXPECT_EQ(choice.source, BaseFolderChoice::Source::UserFolder);
  EXPECT_EQ(choice.folder, user / "");
  EXPECT_EQ(choice.filesCopied, 2);
  EXPECT_EQ(ReadFile(user / "system/049.SPR"), "Deutsch\r\n");

  // The user's table grows, the installation gains a file.
  WriteFile(user / "system/049.SPR", "Deutsch\r\n0001,0001=x\r\n");
  WriteFile(installed / "fonts/S008X016.FON", "F");
  choice = SelectBaseFolder({}, places);
  EXPECT_EQ(choice.filesCopied, 0);  // an existing installation is not topped up unasked
  EXPECT_FALSE(fs::exists(user / "fonts/S008X016.FON"));

  choice = SelectBaseFolder({std::nullopt, true}, places);
  ASSERT_TRUE(choice.ok()) << choice.error;
  EXPECT_EQ(choice.filesCopied, 1);
  EXPECT_EQ(ReadFile(user / "fonts/S008X016.FON"), "F");
  EXPECT_EQ(ReadFile(user / "system/049.SPR"), "Deutsch\r\n0001,0001=x\r\n");
  for (const auto& entry : fs::recursive_directory_iterator(user))
    EXPECT_NE(entry.path().extension(), ".tavo-copy") << "temporary copy left behind";
}

// An installed system's files are read only; the user's copy must not be,
// since its language tables are written to.
TEST_F(BaseFolderTest, UserCopyOfAReadOnlyInstallationIsWritable) {
  for (const auto& entry : fs::recursive_directory_iterator(installed.path()))
    if (entry.is_regular_file()) fs::permissions(entry.path(), fs::perms::owner_read);
  const auto choice = SelectBaseFolder({}, places);
  ASSERT_TRUE(choice.ok()) << choice.error;
  const fs::path table = home / "share/TavoDex/system/049.SPR";
  EXPECT_EQ(ReadFile(table), "Deutsch\r\n");
  EXPECT_NE(fs::status(table).permissions() & fs::perms::owner_write, fs::perms::none);
  EXPECT_EQ(fs::status(installed / "system/049.SPR").permissions() & fs::perms::owner_write,
            fs::perms::none);
}

TEST_F(BaseFolderTest, ReportsWhenNothingIsUsable) {
  places.installedData = installed / "missing";
  auto choice = SelectBaseFolder({}, places);
  EXPECT_FALSE(choice.ok());
  EXPECT_NE(choice.error.find("--base"), std::string::npos) << choice.error;
  EXPECT_TRUE(choice.folder.empty());

  places.userDataHome.clear();
  choice = SelectBaseFolder({}, places);
  EXPECT_FALSE(choice.ok());
  EXPECT_NE(choice.error.find("HOME"), std::string::npos) << choice.error;
}

TEST_F(BaseFolderTest, RefusesToPopulateAFolderInsideTheInstallation) {
  // Copying into itself would never end.
  const auto result = PopulateBaseFolder(installed / "system/copy", installed.path());
  ASSERT_EQ(result.errors.size(), 1u);
  EXPECT_EQ(result.filesCopied, 0);
  EXPECT_FALSE(fs::exists(installed / "system/copy"));
}

TEST(RenameLegacyFontFiles, RenamesBonFilesOfAnyCaseButNeverReplacesAFont) {
  TempFolder base;
  WriteFile(base / "Fonts/S008X016.BON", "old");
  WriteFile(base / "Fonts/s010x020.bon", "old2");
  WriteFile(base / "Fonts/S012X024.BON", "stale");
  WriteFile(base / "Fonts/s012x024.fon", "current");
  WriteFile(base / "Fonts/notes.bonus", "n");
  WriteFile(base / "Fonts/TWICE.BON", "1");
  WriteFile(base / "Fonts/twice.bon", "2");
  const auto result = RenameLegacyFontFiles(Installation(base.path()));

  EXPECT_EQ(ReadFile(base / "Fonts/S008X016.FON"), "old");
  EXPECT_EQ(ReadFile(base / "Fonts/s010x020.FON"), "old2");
  EXPECT_FALSE(fs::exists(base / "Fonts/S008X016.BON"));
  EXPECT_EQ(result.renamed.size(), 3u);
  // The font in use stays; the stale file keeps its name and is reported.
  EXPECT_EQ(ReadFile(base / "Fonts/s012x024.fon"), "current");
  EXPECT_EQ(ReadFile(base / "Fonts/S012X024.BON"), "stale");
  // Of two case variants only the first becomes a font.
  EXPECT_EQ(ReadFile(base / "Fonts/TWICE.FON"), "1");
  EXPECT_EQ(ReadFile(base / "Fonts/twice.bon"), "2");
  EXPECT_EQ(result.skipped.size(), 2u);
  EXPECT_TRUE(fs::exists(base / "Fonts/notes.bonus"));
}

}  // namespace
}  // namespace tavo

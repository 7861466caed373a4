#include "shell/safefile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>

#include "support/filesizelimit.h"
#include "tempfolder.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}

ino_t Inode(const fs::path& file) {
  struct stat st {};
  return ::stat(file.c_str(), &st) == 0 ? st.st_ino : 0;
}

// The odd things that can stand where a file is expected, made in the
// test's own folder (a device by a link to one: only root makes nodes).
struct OddNodes {
  TempFolder dir;
  fs::path fifo = dir / "pipe.qvx";
  fs::path device = dir / "null.qvx";
  fs::path folder = dir / "folder.qvx";
  fs::path dangling = dir / "dangling.qvx";
  OddNodes() {
    ::mkfifo(fifo.c_str(), 0600);
    fs::create_symlink("/dev/null", device);
    fs::create_directory(folder);
    fs::create_symlink(dir / "nowhere", dangling);
  }
};

TEST(SafeFile, AnythingButAFileOrAFreeNameIsRefusedBeforeAnythingIsCreated) {
  OddNodes nodes;
  ASSERT_EQ(KindOfPath(nodes.fifo), PathKind::Pipe);
  struct Case {
    fs::path target;
    std::string reason;
  };
  const Case cases[] = {
      {nodes.fifo, "is a named pipe (FIFO), not a file"},
      {nodes.device, "is a device, not a file"},
      {"/dev/full", "/dev/full is a device, not a file"},
      {nodes.folder, "is a folder"},
      {nodes.dangling, "is a link to a missing file"},
      {nodes.dir / "missing" / "x.qvx", "no such folder: " + (nodes.dir / "missing").string()},
  };
  const std::set<std::string> before = Names(nodes.dir.path());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    SafeFileWriter out;
    std::string error;
    EXPECT_FALSE(out.Open(c.target, nodes.dir / "x.BAK", &error));
    EXPECT_THAT(error, HasSubstr(c.reason));
    EXPECT_FALSE(WriteFileSafely(c.target, "new", &error));
  }
  EXPECT_EQ(Names(nodes.dir.path()), before);
  EXPECT_EQ(KindOfPath(nodes.fifo), PathKind::Pipe);
  EXPECT_TRUE(fs::is_symlink(nodes.device));
}

TEST(SafeFile, ThePreviousFileStaysUnderTheBackupNameAsTheSameFile) {
  TempFolder dir;
  const fs::path file = dir / "anlage.qvx";
  const fs::path backup = dir / "anlage.BAK";
  WriteFile(file, "old");
  WriteFile(backup, "older");
  ::chmod(file.c_str(), 0640);
  const ino_t previous = Inode(file);

  std::string error;
  ASSERT_TRUE(WriteFileSafely(file, "new", &error, backup)) << error;
  EXPECT_EQ(ReadFile(file), "new");
  EXPECT_EQ(ReadFile(backup), "old");
  // A second name of the previous file, not a copy and not the file moved:
  // the project file had a name at every moment.
  EXPECT_EQ(Inode(backup), previous);
  EXPECT_NE(Inode(file), previous);
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"anlage.qvx", "anlage.BAK"}));

  // No previous file: no backup is touched.
  const fs::path fresh = dir / "neu.qvx";
  WriteFile(dir / "neu.BAK", "keep");
  ASSERT_TRUE(WriteFileSafely(fresh, "x", &error, dir / "neu.BAK")) << error;
  EXPECT_EQ(ReadFile(dir / "neu.BAK"), "keep");
}

// A write that fails (the disk full) must leave the previous file and the
// previous backup as they were, and no temporary behind.
TEST(SafeFile, AFailedWriteLeavesFileAndBackupAsTheyWere) {
  TempFolder dir;
  const fs::path file = dir / "anlage.qvx";
  WriteFile(file, "old");
  WriteFile(dir / "anlage.BAK", "older");
  const std::string big(200000, 'x');
  std::string error;
  {
    testing::FileSizeLimit full(1000);
    EXPECT_FALSE(WriteFileSafely(file, big, &error, dir / "anlage.BAK"));
  }
  EXPECT_THAT(error, HasSubstr("cannot write " + file.string() + ": File too large"));
  EXPECT_EQ(ReadFile(file), "old");
  EXPECT_EQ(ReadFile(dir / "anlage.BAK"), "older");
  EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"anlage.qvx", "anlage.BAK"}));

  // Small pieces that only together pass the limit fail the same way.
  {
    testing::FileSizeLimit full(1000);
    SafeFileWriter out;
    ASSERT_TRUE(out.Open(file, {}, &error)) << error;
    for (int i = 0; i < 200; ++i) out.Write("0123456789\r\n");
    EXPECT_FALSE(out.Commit(&error));
  }
  EXPECT_EQ(ReadFile(file), "old");
  EXPECT_EQ(Names(dir.path()).size(), 2u);
}

TEST(SafeFile, ALinkKeepsPointingAtTheFileThatGetsTheContent) {
  TempFolder dir;
  fs::create_directory(dir / "real");
  WriteFile(dir / "real" / "anlage.qvx", "old");
  fs::create_symlink(dir / "real" / "anlage.qvx", dir / "link.qvx");
  std::string error;
  ASSERT_TRUE(WriteFileSafely(dir / "link.qvx", "new", &error)) << error;
  EXPECT_TRUE(fs::is_symlink(dir / "link.qvx"));
  EXPECT_EQ(ReadFile(dir / "real" / "anlage.qvx"), "new");
}

TEST(SafeFile, LeftoversUnderTheTemporaryNameAreNeitherUsedNorFollowed) {
  TempFolder dir;
  const fs::path file = dir / "a.qvx";
  ::mkfifo((dir / "a.qvx.tmp~").c_str(), 0600);
  WriteFile(dir / "victim", "keep");
  fs::create_symlink(dir / "victim", dir / "a.qvx.tmp~1");
  std::string error;
  ASSERT_TRUE(WriteFileSafely(file, "new", &error)) << error;
  EXPECT_EQ(ReadFile(file), "new");
  EXPECT_EQ(ReadFile(dir / "victim"), "keep");
  EXPECT_EQ(KindOfPath(dir / "a.qvx.tmp~"), PathKind::Pipe);
  EXPECT_TRUE(fs::is_symlink(dir / "a.qvx.tmp~1"));
}

TEST(SafeFile, BackupNameTakenByAFolderIsRefusedBeforeWriting) {
  TempFolder dir;
  WriteFile(dir / "a.qvx", "old");
  fs::create_directories(dir / "a.BAK" / "inside");
  std::string error;
  EXPECT_FALSE(WriteFileSafely(dir / "a.qvx", "new", &error, dir / "a.BAK"));
  EXPECT_THAT(error, HasSubstr("cannot keep the previous file as " + (dir / "a.BAK").string() +
                               ": that is a folder"));
  EXPECT_EQ(ReadFile(dir / "a.qvx"), "old");
  EXPECT_TRUE(fs::is_directory(dir / "a.BAK" / "inside"));
  EXPECT_EQ(Names(dir.path()).size(), 2u);
}

TEST(SafeFile, AFolderThatMayNotBeWrittenLeavesNothing) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
  TempFolder dir;
  fs::create_directory(dir / "ro");
  WriteFile(dir / "ro" / "a.png", "old");
  fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec);
  std::string error;
  EXPECT_FALSE(WriteFileSafely(dir / "ro" / "a.png", "new", &error));
  fs::permissions(dir / "ro", fs::perms::owner_all);
  EXPECT_THAT(error, HasSubstr("Permission denied"));
  EXPECT_EQ(ReadFile(dir / "ro" / "a.png"), "old");
  EXPECT_EQ(Names(dir / "ro").size(), 1u);
}

TEST(SafeFile, WhyAFileCannotBeRead) {
  OddNodes nodes;
  WriteFile(nodes.dir / "ok.qvx", "x");
  WriteFile(nodes.dir / "secret.qvx", "x");
  ::chmod((nodes.dir / "secret.qvx").c_str(), 0);
  struct Case {
    fs::path path;
    std::string why;
  };
  std::vector<Case> cases = {
      {nodes.dir / "ok.qvx", ""},
      {nodes.dir / "missing.qvx", "not found"},
      {nodes.folder, "it is a folder"},
      {nodes.fifo, "it is a named pipe (FIFO)"},
      {nodes.dangling, "it is a link to a missing file"},
      {nodes.dir / "ok.qvx" / "x.qvx", "a part of its path is not a folder"},
  };
  if (::geteuid() != 0) cases.push_back({nodes.dir / "secret.qvx", "no permission to read it"});
  for (const Case& c : cases) EXPECT_EQ(WhyUnreadable(c.path), c.why) << c.path;
}

}  // namespace
}  // namespace tavo

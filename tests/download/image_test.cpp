// The download image: checksums, the first-generation records and files,
// and whole builds for both terminal generations, checked file by file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <random>
#include <sstream>

#include "download/image/checksum.h"
#include "download/image/imagebuilder.h"
#include "download/image/legacyimage.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "objects/shapes/shapes.h"
#include "resources/dymfile.h"
#include "shell/folders.h"
#include "shell/progress.h"

namespace tavo {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes Text(const std::string& s) {
  return Bytes(s.begin(), s.end());
}

Bytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& content) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

// s[N] as the terminal reads it: length byte, N bytes.
Bytes Counted(const std::string& text, std::size_t n) {
  Bytes out{static_cast<std::uint8_t>(text.size())};
  out.insert(out.end(), text.begin(), text.end());
  out.resize(n + 1, 0);
  return out;
}

Bytes Slice(const Bytes& bytes, std::size_t at, std::size_t n) {
  return Bytes(bytes.begin() + at, bytes.begin() + at + n);
}

// --- checksum -------------------------------------------------------------------------

TEST(Checksum, ThreeBytesAbc) {
  EXPECT_EQ(Checksum(Text("abc")), 0x59E2C219u);
  EXPECT_EQ(ChecksumBitwise(Text("abc")), 0x59E2C219u);
  EXPECT_EQ(Checksum({}), 0xFFFFFFFFu);  // no final inversion
}

TEST(Checksum, TableFormAgreesWithTheBitwiseDefinition) {
  std::mt19937 random(7);
  for (std::size_t length : {1u, 7u, 8u, 9u, 15u, 16u, 17u, 1000u, 32768u, 32769u}) {
    Bytes data(length);
    for (auto& b : data) b = static_cast<std::uint8_t>(random());
    EXPECT_EQ(Checksum(data), ChecksumBitwise(data)) << length;
    // Continuing over a split gives the same result as one pass.
    const std::size_t half = length / 3;
    EXPECT_EQ(UpdateChecksum(Checksum(std::span(data).first(half)), std::span(data).subspan(half)),
              Checksum(data));
  }
}

TEST(Checksum, FileAcrossSeveralBlocksAndUnreadableFile) {
  const fs::path path = fs::temp_directory_path() / ("tavo_crc_" + std::to_string(::getpid()));
  Bytes data(70000);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 31);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data.data()), 70000);
  std::uint32_t crc = 0;
  ASSERT_TRUE(FileChecksum(path, crc));
  EXPECT_EQ(crc, ChecksumBitwise(data));
  fs::remove(path);
  EXPECT_FALSE(FileChecksum(path, crc));
}

TEST(Checksum, ListRecordsAreSeventeenBytes) {
  const ChecksumEntry entries[] = {{"PROJECT.RUN", 0x01020304}, {"A", 0xFFFFFFFF}};
  Bytes expected = Counted("PROJECT.RUN", 12);
  expected.insert(expected.end(), {4, 3, 2, 1});
  const Bytes second = Counted("A", 12);
  expected.insert(expected.end(), second.begin(), second.end());
  expected.insert(expected.end(), {0xFF, 0xFF, 0xFF, 0xFF});
  EXPECT_EQ(EncodeChecksumList(entries), expected);
}

// --- first-generation records ---------------------------------------------------------

std::unique_ptr<t_bild> Picture(std::uint16_t number, std::uint16_t pictureNumber,
                                const std::string& name) {
  auto p = std::make_unique<t_bild>();
  p->number = number;
  p->pictureNumber = pictureNumber;
  p->name = name;
  return p;
}

TEST(LegacyImage, PictureFileNamesFromPictureNumbers) {
  EXPECT_EQ(LegacyPictureFileName(7), "00100007.BLD");
  EXPECT_EQ(LegacyPictureFileName(123), "00100123.BLD");
  EXPECT_EQ(LegacyPictureFileName(65535), "00165535.BLD");
  t_bild p;
  p.name =
      "\xDC"
      "bersicht";  // converted to the terminal's code page
  p.pictureNumber = 123;
  p.backgroundColour = 9;
  Bytes expected = Counted(ToTerminalCharset(p.name) + std::string(21, ' '), 30);
  const Bytes file = Counted("00100123.BLD", 12);
  expected.insert(expected.end(), file.begin(), file.end());
  expected.push_back(9);
  EXPECT_EQ(PictureDirectoryRecord(p), expected);
}

TEST(LegacyImage, KeyTableEntries) {
  ListPtr pictures;
  AppendNode(pictures, Picture(1, 10, "Start"));
  AppendNode(pictures, Picture(2, 20, "Pumpen"));
  t_bild& picture = static_cast<t_bild&>(*pictures);
  picture.Key(1)->value = 2;  // names picture 2 by its position number, not its picture number
  picture.Key(3)->value = 9;  // names no picture
  picture.Key(48)->value = 1;
  picture.Key(49)->value = 1;  // beyond the table
  const Bytes table = KeyTable(picture, pictures.get());
  ASSERT_EQ(table.size(), 48u * 35);
  Bytes key1{3, 0};
  const Bytes name = Counted("Pumpen" + std::string(24, ' '), 30);
  key1.insert(key1.end(), name.begin(), name.end());
  key1.insert(key1.end(), {2, 0});
  EXPECT_EQ(Slice(table, 0, 35), key1);
  Bytes key2(35, 0);  // value 0: kind 1, no name
  key2[0] = 1;
  EXPECT_EQ(Slice(table, 35, 35), key2);
  Bytes key3(35, 0);  // unknown picture: kind 3, all-zero name
  key3[0] = 3;
  key3[33] = 9;
  EXPECT_EQ(Slice(table, 70, 35), key3);
  EXPECT_EQ(table[47 * 35], 3);

  t_bild bare;
  bare.keys.Clear();  // no key records at all
  EXPECT_EQ(KeyTable(bare, pictures.get()), Bytes(48 * 35, 0));
}

TEST(LegacyImage, AlarmRecordCutsLongTextsAndSplitsFlags) {
  t_alarme alarm;
  alarm.number = 300;  // low eight bits
  alarm.font = "S008X016.FON";
  alarm.flags = 5;
  alarm.name = std::string(300, 'x');
  const Bytes r = AlarmRecord(alarm);
  ASSERT_EQ(r.size(), 274u);
  EXPECT_EQ(r[0], 300 & 0xFF);
  EXPECT_EQ(Slice(r, 1, 13), Counted("S008X016.FON", 12));
  EXPECT_THAT(Slice(r, 14, 4), ElementsAre(1, 0, 1, 0));
  EXPECT_EQ(r[18], 255);
  EXPECT_EQ(r[273], 'x');
}

TEST(LegacyImage, HeaderRecordLayout) {
  t_projekt project;
  project.head = std::make_unique<t_kopf>();
  project.head->name = "Kl\xE4ranlage";
  project.head->created = "01.02.2026";
  project.head->startPicture = -1;  // the 16-bit value zero-extended
  project.terminal = std::make_unique<t_terminal>();
  project.terminal->dosVersion = "VTA_Q320.TRM";
  project.terminal->width = 320;
  project.terminal->colourDepth = 0x104;
  project.coupling = std::make_unique<t_steuerung>();
  project.coupling->addressType = 1;
  project.coupling->highestAddress = 0x12345678;
  project.coupling->alarmSort = 2;
  project.coupling->dosVersion = "SPS_SW.KOP";
  const Bytes r = ProjectHeaderRecord(project, "24.12.2026");
  ASSERT_EQ(r.size(), 305u);
  EXPECT_EQ(Slice(r, 0, 31),
            Counted(ToTerminalCharset("Kl\xE4ranlage") + std::string(20, ' '), 30));
  EXPECT_EQ(Slice(r, 67, 11), Counted("01.02.2026", 10));
  EXPECT_EQ(Slice(r, 78, 11), Counted("24.12.2026", 10));
  EXPECT_THAT(Slice(r, 197, 4), ElementsAre(0xFF, 0xFF, 0, 0));
  EXPECT_EQ(Slice(r, 201, 13), Counted("VTA_Q320.TRM", 12));
  EXPECT_THAT(Slice(r, 245, 5), ElementsAre(0x40, 0x01, 0xE0, 0x01, 0x04));
  EXPECT_THAT(Slice(r, 252, 2), ElementsAre(0x78, 0x56));
  EXPECT_EQ(r[258], 1);
  EXPECT_THAT(Slice(r, 259, 2), ElementsAre(2, 0));
  EXPECT_EQ(Slice(r, 261, 13), Counted("SPS_SW.KOP", 12));
  EXPECT_EQ(r[274], 30);  // coupling name padded
}

struct Container {
  t_dymfile dym;
  explicit Container(const fs::path& path) { dym.Open(path.string()); }
  std::vector<Bytes> Records(std::uint8_t stream) {
    std::vector<Bytes> out;
    const std::int32_t n = dym.GetCount(stream);
    dym.SetPosition(stream, 0);
    for (std::int32_t i = 0; i < n; ++i) {
      Bytes r(dym.GetRecordSize(stream));
      dym.ReadRecord(stream, r);
      out.push_back(r);
    }
    return out;
  }
};

TEST(LegacyImage, VariableStreamFilledWithCopiesOfTheFirstVariable) {
  const fs::path folder = fs::temp_directory_path() / ("tavo_vars_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  UsedFileTable used;
  std::string failed;
  {
    t_projekt empty;
    ASSERT_TRUE(WriteLegacyProject(empty, folder, "01.01.2026", used, failed));
    Container c(folder / kLegacyProjectFile);
    EXPECT_EQ(c.dym.GetRecordSize(5), 36);
    EXPECT_EQ(c.dym.GetCount(5), 0);
    EXPECT_EQ(c.dym.GetCount(0), 1);
  }
  t_projekt project;
  auto only = std::make_unique<t_variable>();
  only->number = 4;
  only->name = "F\xFCllstand";
  only->address = 0x10002;
  only->type = 2;
  only->length = 4;
  AppendNode(project.variables, std::move(only));
  ASSERT_TRUE(WriteLegacyProject(project, folder, "01.01.2026", used, failed));
  Container c(folder / kLegacyProjectFile);
  Bytes expected = Counted(ToTerminalCharset("F\xFCllstand"), 30);
  expected.insert(expected.end(), {0x02, 0x00, 2, 4, 0});
  EXPECT_THAT(c.Records(5), ElementsAre(expected, expected, expected, expected));
  fs::remove_all(folder);
}

// --- whole builds ---------------------------------------------------------------------

class RecordingProgress : public ProgressDisplay {
 public:
  std::vector<std::string> labels;
  void SetLabel(const std::string& text) override { labels.push_back(text); }
};

// An installation of our own: resource files, fonts, the coupling folder.
class ImageBuild : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    base = fs::temp_directory_path() /
           (std::string("tavo_image_") + info->name() + "_" + std::to_string(::getpid()));
    fs::remove_all(base);
    WriteFile(base / "resource" / "AUTOEXEC.BAT", "call auto.bat\r\n");
    WriteFile(base / "resource" / "049.set", "[Sprache]\r\nCode=049\r\n");
    WriteFile(base / "resource" / "IP_V5" / "files.inf", "*.cfg\r\n\r\n..\\049.set\r\n");
    WriteFile(base / "resource" / "IP_V5" / "net.cfg", "net");
    WriteFile(base / "resource" / "IP_V5" / "readme.txt", "not listed");
    WriteFile(base / "resource" / "SER_WORD" / "files.inf", "SERW.DRV\n");
    WriteFile(base / "resource" / "SER_WORD" / "serw.drv", "driver");
    WriteFile(base / "fonts" / "3_______.FON", "system font");
    WriteFile(base / "fonts" / "S008X016.FON", "alarm font");
    install = std::make_unique<Installation>(base);

    project.head = std::make_unique<t_kopf>();
    project.head->name = "Test";
    project.terminal = std::make_unique<t_terminal>();
    project.coupling = std::make_unique<t_steuerung>();
    project.coupling->path = "RESOURCE\\SER_WORD\\";
    auto alarm = std::make_unique<t_alarme>();
    alarm->font = "S008X016.FON";
    AppendNode(project.alarms, std::move(alarm));
    auto picture = Picture(1, 5, "Start");
    auto line = std::make_unique<t_linie>();
    line->SetEnds(0, 0, 10, 10);
    AppendNode(picture->objects, std::move(line));
    auto bitmap = std::make_unique<tqvxbitmap>();
    bitmap->file = "missing.bmp";
    bitmap->identifier = 1;
    bitmap->SetCorners(0, 0, 2, 1);
    AppendNode(picture->objects, std::move(bitmap));
    AppendNode(project.pictures, std::move(picture));

    options.install = install.get();
    options.progress = &progress;
    options.today = "24.12.2026";
  }
  void TearDown() override { fs::remove_all(base); }

  std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const DriveEntry& e : ListDrive(folder)) names.push_back(e.name);
    return names;
  }

  void ExpectChecksumsAndTotals(const DownloadImage& image) {
    std::uint64_t totalD = 0;
    std::vector<ChecksumEntry> expected;
    for (const DriveEntry& e : ListDrive(image.driveD)) {
      totalD += e.size;
      expected.push_back({e.name, ChecksumBitwise(ReadFile(image.driveD / e.name))});
    }
    EXPECT_EQ(image.totalD, totalD);
    ASSERT_EQ(image.checksums.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(image.checksums[i].name, expected[i].name);
      EXPECT_EQ(image.checksums[i].checksum, expected[i].checksum) << expected[i].name;
    }
  }

  fs::path base;
  std::unique_ptr<Installation> install;
  t_projekt project;
  ImageBuildOptions options;
  RecordingProgress progress;
};

TEST_F(ImageBuild, SecondGeneration) {
  project.terminal->typeNumber = "VT-0A06-0320";
  // Leftovers of an earlier build go.
  WriteFile(base / "temp.$$$" / "drive_d" / "OLD.PIC", "old");
  const DownloadImage image = BuildDownloadImage(project, options);
  ASSERT_TRUE(image.ok()) << image.error;
  EXPECT_EQ(image.generation, 2);
  EXPECT_THAT(Names(image.driveC), ElementsAre("049.set", "autoexec.bat"));
  EXPECT_EQ(image.totalC, 15u + 21u);
  EXPECT_THAT(Names(image.driveD), ElementsAre("3_______.FON", "5.pic", "PIC1.HCD", "Project.run",
                                               "S008X016.FON", "net.cfg"));
  const Bytes run = ReadFile(image.driveD / "Project.run");
  const std::string runText(run.begin(), run.end());
  EXPECT_EQ(runText.rfind("-(Version;\"Version 5.0.8.0\")\r\n", 0), 0u);
  EXPECT_THAT(runText, HasSubstr("\r\n-(Picture;5;15)\r\n"));
  const Bytes pic = ReadFile(image.driveD / "5.pic");
  EXPECT_THAT(std::string(pic.begin(), pic.end()), HasSubstr("-(OBitmap;0;0;0;0;0;2;1;FALSE;1;0)"));
  ExpectChecksumsAndTotals(image);
  EXPECT_THAT(progress.labels,
              ElementsAre("Tempor\xE4rverzeichnis l\xF6schen", "Neue Dateien erzeugen",
                          "erzeuge PIC1", "Ben\xF6tigte Dateien kopieren",
                          "\xDC"
                          "bertragungsmenge berechnen",
                          "Pr\xFC"
                          "fsummen der Dateien erzeugen"));
  // Missing optional sources are noted, not fatal.
  EXPECT_THAT(image.warnings, testing::Contains(HasSubstr("missing.bmp")));
  EXPECT_THAT(image.warnings, testing::Contains(HasSubstr("ignored pattern ..\\049.set")));
}

TEST_F(ImageBuild, FirstGeneration) {
  project.terminal->typeNumber = "VT-0A02-xxxx";
  const DownloadImage image = BuildDownloadImage(project, options);
  ASSERT_TRUE(image.ok()) << image.error;
  EXPECT_EQ(image.generation, 1);
  EXPECT_THAT(Names(image.driveD), ElementsAre("00100000.PRJ", "00100005.BLD", "3_______.FON",
                                               "S008X016.FON", "serw.drv"));
  const Bytes bld = ReadFile(image.driveD / "00100005.BLD");
  // Magic, name, colour, key table, then only the line's record: the bitmap has none.
  ASSERT_EQ(bld.size(), 1730u + 1 + 5 + 8 + 2);
  EXPECT_EQ(Slice(bld, 0, 18), Text("QVX_Tavo_Bild_File"));
  EXPECT_EQ(Slice(bld, 18, 31), Counted("Start" + std::string(25, ' '), 30));
  EXPECT_EQ(bld[1730], kKindLinie);
  Container c(image.driveD / "00100000.PRJ");
  EXPECT_EQ(c.Records(0).at(0), ProjectHeaderRecord(project, "24.12.2026"));
  EXPECT_THAT(c.Records(2),
              ElementsAre(PictureDirectoryRecord(static_cast<const t_bild&>(*project.pictures))));
  EXPECT_EQ(c.Records(4).size(), 1u);
  ExpectChecksumsAndTotals(image);
}

TEST_F(ImageBuild, WithoutResourceFolderNothingIsBuilt) {
  fs::remove_all(base / "resource");
  EXPECT_EQ(BuildDownloadImage(project, options).status, ImageStatus::NoResourceFolder);
}

TEST_F(ImageBuild, CancelledByTheDialog) {
  options.confirm = [] { return false; };
  EXPECT_EQ(BuildDownloadImage(project, options).status, ImageStatus::Cancelled);
}

// Every write failure stops the build with the failing file named.
TEST_F(ImageBuild, WriteFailuresStopTheBuild) {
  struct Case {
    const char* typeNumber;
    const char* blocker;  // a folder where the builder must write a file
  };
  for (const Case& c : {Case{"VT-0A06-0320", "Project.run"}, Case{"VT-0A06-0320", "5.pic"},
                        Case{"VT-0A06-0320", "PIC1.HCD"}, Case{"VT-0A01-xxxx", "00100000.PRJ"},
                        Case{"VT-0A01-xxxx", "00100005.BLD"}, Case{"VT-0A01-xxxx", "serw.drv"}}) {
    SCOPED_TRACE(c.blocker);
    project.terminal->typeNumber = c.typeNumber;
    fs::remove_all(base / "temp.$$$");
    fs::create_directories(base / "temp.$$$" / "drive_d" / c.blocker / "x");
    const DownloadImage image = BuildDownloadImage(project, options);
    EXPECT_EQ(image.status, ImageStatus::Failed);
    EXPECT_THAT(image.error, HasSubstr("Fehler bei Dateizugriff"));
    EXPECT_THAT(image.error, HasSubstr(c.blocker));
    fs::remove_all(base / "temp.$$$" / "drive_d" / c.blocker);
  }
}

// Emptying the work folders never reaches through a link: a link where a
// drive folder belongs, or inside one, goes as a link, and what it points
// to keeps its files.
TEST_F(ImageBuild, LinksInTheWorkFoldersAreNotFollowed) {
  project.terminal->typeNumber = "VT-0A06-0320";
  const fs::path output = base / "out";
  const fs::path precious = base / "precious";
  WriteFile(precious / "keep.txt", "must survive");
  WriteFile(precious / "sub" / "deep.txt", "deep");
  fs::create_directories(output);
  fs::create_directory_symlink(precious, output / "drive_d");
  fs::create_directories(output / "drive_c");
  fs::create_directory_symlink(precious, output / "drive_c" / "linked_folder");
  fs::create_symlink(precious / "keep.txt", output / "drive_c" / "linked_file");
  options.workFolder = output;

  const DownloadImage image = BuildDownloadImage(project, options);
  ASSERT_TRUE(image.ok()) << image.error;
  EXPECT_EQ(ReadFile(precious / "keep.txt"), Text("must survive"));
  EXPECT_EQ(ReadFile(precious / "sub" / "deep.txt"), Text("deep"));
  EXPECT_FALSE(fs::is_symlink(output / "drive_d"));
  EXPECT_TRUE(fs::is_regular_file(output / "drive_d" / "Project.run"));
  EXPECT_FALSE(fs::exists(precious / "Project.run"));
  EXPECT_THAT(Names(output / "drive_c"), ElementsAre("049.set", "autoexec.bat"));
}

TEST_F(ImageBuild, MissingListFileFails) {
  fs::remove(base / "resource" / "IP_V5" / "files.inf");
  project.terminal->typeNumber = "VT-0A06-0320";
  const DownloadImage image = BuildDownloadImage(project, options);
  EXPECT_EQ(image.status, ImageStatus::Failed);
  EXPECT_THAT(image.error, HasSubstr("files.inf"));
}

}  // namespace
}  // namespace tavo

// Reading a download image back: records and objects come back so that
// their run lines are written again unchanged; damaged and foreign input is
// reported by file and line and skipped.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "objects/compile/picturecompiler.h"
#include "objects/gruppe.h"
#include "project/runwriter.h"
#include "simulator/imagereader.h"
#include "simulator/simfixture.h"

namespace tavo {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
namespace fs = std::filesystem;

std::vector<std::string> RunLinesOf(const t_liste& record) {
  std::vector<std::string> lines;
  UsedFileTable used;
  RunWriter out([&](const std::string& line) { lines.push_back(line); }, used);
  record.WriteRunLines(out);
  return lines;
}

std::string RunFileOf(const t_projekt& project) {
  std::string text;
  UsedFileTable used;
  RunWriter out([&](const std::string& line) { text += line + "\r\n"; }, used);
  project.WriteRunFile(out);
  return text;
}

TEST(RunFile, RecordsComeBackAsTheyWereWritten) {
  testing::Installed installed;
  testing::SimProject fixture(installed.catalog);
  t_projekt& p = fixture.project;
  // A SIEMENS coupling writes addresses as data block and data word.
  p.coupling->addressFormat = 1;
  p.coupling->readBlockAddress = 10 * 256 + 5;
  p.coupling->alarmSort = 2;
  const std::string text = RunFileOf(p);

  std::vector<std::string> messages;
  std::unique_ptr<t_projekt> read;
  {
    ImageMessages sink(messages);
    read = ReadRunText(text, "Project.run", &installed.catalog, sink);
  }
  EXPECT_THAT(messages, IsEmpty());
  ASSERT_TRUE(read);
  EXPECT_EQ(RunFileOf(*read), text);
  EXPECT_EQ(read->terminal->dosVersion, p.terminal->dosVersion);
  EXPECT_EQ(read->coupling->dosVersion, p.coupling->dosVersion);
  // Texts come back in code page 1252.
  const auto& list = static_cast<const t_textliste&>(*read->textLists);
  EXPECT_EQ(list.texts->next()->next()->name, "St\xF6rung");
}

TEST(RunFile, TerminalTextsDrawAsTheEditorDrawsThem) {
  // The two code page tables are not inverse to each other: whatever the
  // editor sends, reading it back and sending it again gives the same bytes.
  for (int c = 0; c < 256; ++c) {
    const std::string sent = ToTerminalCharset(std::string(1, static_cast<char>(c)));
    EXPECT_EQ(ToTerminalCharset(FromTerminalText(sent)), sent) << c;
  }
  EXPECT_EQ(FromTerminalText("\x84"), "\xE4");  // a-umlaut
}

TEST(PictureFile, EveryObjectOfTheDemoProjectsComesBackWithTheSameRunLine) {
  testing::Installed installed;
  int objects = 0;
  for (const char* name :
       {"Projects\\Demo.qvx", "Projects\\Felder.qvx", "Projects\\demos\\Klassik.qvx"}) {
    std::unique_ptr<t_projekt> project = installed.Read(name);
    ASSERT_TRUE(project) << name;
    for (const t_liste* b = project->pictures.get(); b; b = b->next()) {
      const auto& picture = static_cast<const t_bild&>(*b);
      std::string text = picture.RunLine() + "\r\n";
      std::vector<std::string> expected;
      for (const t_liste* o = picture.objects.get(); o; o = o->next())
        for (const std::string& line : RunLinesOf(*o)) {
          text += line + "\r\n";
          expected.push_back(line);
        }
      text += "-(PictureEnd)\r\n";
      t_bild read;
      read.pictureNumber = picture.pictureNumber;
      read.backgroundColour = picture.backgroundColour;
      std::vector<std::string> messages;
      {
        ImageMessages sink(messages);
        ReadPictureText(text, "1.pic", read, installed.catalog.fonts.get(), sink);
      }
      EXPECT_THAT(messages, IsEmpty()) << name;
      std::vector<std::string> again;
      for (const t_liste* o = read.objects.get(); o; o = o->next())
        for (const std::string& line : RunLinesOf(*o)) again.push_back(line);
      EXPECT_EQ(again, expected) << name;
      objects += static_cast<int>(expected.size());
    }
  }
  EXPECT_GT(objects, 30);
}

struct Damage {
  const char* text;
  const char* message;
};
// Names the damaged line in a failure and in ctest's list.
void PrintTo(const Damage& d, std::ostream* out) {
  *out << d.text;
}

class DamagedRunFile : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedRunFile, IsReportedByLineAndSkipped) {
  const std::string text = std::string("-(Version;\"Version 5.0.8.0\")\r\n") + GetParam().text +
                           "\r\n-(Picture;1;15)\r\n";
  std::vector<std::string> messages;
  std::unique_ptr<t_projekt> read;
  {
    ImageMessages sink(messages);
    read = ReadRunText(text, "Project.run", nullptr, sink);
  }
  ASSERT_TRUE(read);
  EXPECT_EQ(CountNodes(read->pictures.get()), 1);  // the good line after it is kept
  EXPECT_THAT(messages, ::testing::Contains(HasSubstr(GetParam().message)));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DamagedRunFile,
    ::testing::Values(Damage{"-(Variable;1;2;3;2)",
                             "Project.run:2: Variable: 4 fields where 5 belong"},
                      Damage{"-(Variable;1;x;3;2;0)", "field 2 \"x\" is no address"},
                      Damage{"-(Variable;1;2;12;2;0)", "unknown type 12"},
                      Damage{"-(Alarm;300;\"A.FON\";0;\"x\")", "alarm number 300"},
                      Damage{"-(Text;1;\"x\")", "a text outside a text list"},
                      Damage{"-(Picture;0;15)", "picture number 0"},
                      Damage{"-(Picture;1;15)", "picture 1 comes twice"},
                      Damage{"-(Unbekannt;1)", "unknown line"},
                      Damage{"\x01\x02garbage", "no run line"},
                      Damage{"-(Terminal;\"XX-1\")", "no installed terminal has the type number"}));

class DamagedPictureFile : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedPictureFile, IsReportedByLineAndSkipped) {
  const std::string text = std::string("-(Picture;1;15)\r\n") + GetParam().text +
                           "\r\n-(OLine;0;0;0;0;1;0;1;2;3;4)\r\n-(PictureEnd)\r\n";
  t_bild picture;
  std::vector<std::string> messages;
  {
    ImageMessages sink(messages);
    ReadPictureText(text, "1.pic", picture, nullptr, sink);
  }
  EXPECT_EQ(CountNodes(picture.objects.get()), 1);
  EXPECT_THAT(messages, ElementsAre(HasSubstr(GetParam().message)));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DamagedPictureFile,
    ::testing::Values(Damage{"-(OBar;0;0;0;1;1;1;1;1;1;2;3)", "1.pic:2: OBar: 11 fields where 16"},
                      Damage{"-(OPoly;0;0;0;1;1;1;1;1;60;1;2)", "a polygon of 60 points"},
                      Damage{"-(OText;0;0;0;1;1;1;1;1;1;2;Text;\"F.FON\")", "is no quoted text"},
                      Damage{"-(OBitmap;0;0;0;1;2;3;4;JA;1;0)", "neither TRUE nor FALSE"},
                      Damage{"-(Key;300;1)", "key 300"},
                      Damage{"-(OKreis;0;0;0)", "fields where 102 belong"},
                      Damage{"-(Picture;1;15)", "a second picture line"}));

TEST(PictureFile, ACutFileSaysSo) {
  t_bild picture;
  std::vector<std::string> messages;
  {
    ImageMessages sink(messages);
    ReadPictureText("-(Picture;1;15)\r\n-(OLine;0;0;0;0;1;0", "1.pic", picture, nullptr, sink);
  }
  EXPECT_THAT(messages,
              ElementsAre(HasSubstr("1.pic:2: no run line"), HasSubstr("no picture end line")));
}

TEST(PixelFile, DecodesWhatTheCompilerEncodesAndRefusesOtherBytes) {
  Image16 image;
  image.width = 3;
  image.height = 2;
  image.pixels = {1, 2, 3, 4, 5, 0xFFFF};
  std::vector<std::uint8_t> bytes = EncodePixelFile(image);
  Image16 back;
  std::string why;
  ASSERT_TRUE(DecodePixelFile(bytes, back, &why)) << why;
  EXPECT_EQ(back.pixels, image.pixels);
  EXPECT_EQ(back.width, 3);
  bytes.pop_back();
  EXPECT_FALSE(DecodePixelFile(bytes, back, &why));
  EXPECT_THAT(why, HasSubstr("where 24 belong to 3 x 2 pixels"));
  EXPECT_FALSE(DecodePixelFile({'B', 'M', 0, 0, 0, 0}, back, &why));
  EXPECT_THAT(why, HasSubstr("no pixel file"));
}

TEST(Drive, FoldersWithoutASecondGenerationImageAreRefused) {
  testing::TempFolder folder;
  std::vector<std::string> messages;
  EXPECT_FALSE(ReadDriveImage(folder / "none", nullptr, messages).project);
  EXPECT_THAT(messages, ElementsAre(HasSubstr("is no folder")));
  messages.clear();
  EXPECT_FALSE(ReadDriveImage(folder.path(), nullptr, messages).project);
  EXPECT_THAT(messages, ElementsAre(HasSubstr("holds no Project.run")));
  messages.clear();
  std::ofstream(folder / "00100001.BLD") << "x";
  EXPECT_FALSE(ReadDriveImage(folder.path(), nullptr, messages).project);
  EXPECT_THAT(messages, ElementsAre(HasSubstr("first-generation image")));
  messages.clear();
  std::ofstream(folder / "project.RUN") << "-(Version;\"Version 5.0.8.0\")\r\n";
  EXPECT_FALSE(ReadDriveImage(folder.path(), nullptr, messages).project);
  EXPECT_THAT(messages, ::testing::Contains(HasSubstr("names no picture")));
}

TEST(Drive, MissingPictureAndPixelFilesAreNamed) {
  testing::TempFolder folder;
  std::ofstream(folder / "Project.run") << "-(Version;\"Version 5.0.8.0\")\r\n"
                                           "-(Picture;1;15)\r\n-(Picture;2;15)\r\n";
  std::ofstream(folder / "2.pic") << "-(Picture;2;15)\r\n-(OBitmap;0;0;0;0;0;9;9;FALSE;7;0)\r\n"
                                     "-(PictureEnd)\r\n";
  std::vector<std::string> messages;
  const DriveImage image = ReadDriveImage(folder.path(), nullptr, messages);
  ASSERT_TRUE(image.project);
  EXPECT_THAT(messages, ::testing::IsSupersetOf(
                            {HasSubstr("1.pic: is missing"), HasSubstr("PIC7.HCD: is missing")}));
}

}  // namespace
}  // namespace tavo

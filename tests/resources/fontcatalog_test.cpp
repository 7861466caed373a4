#include "resources/fontcatalog.h"

#include <gtest/gtest.h>

#include "resources/fontfixture.h"
#include "shell/folders.h"

namespace tavo {
namespace {

using testing::FontFixture;
using testing::TempDir;

TEST(FontCatalog, DisplayNameCutsPrefixToElevenAndTotalToFortyOne) {
  struct Case {
    const char* shortName;
    const char* description;
    const char* expected;
  };
  const Case cases[] = {
      {"S8X16", "Standard", "S8X16 - Standard"},
      {"S008X016", "Standard 8x16", "S008X016 - Standard 8x16"},
      {"ABCDEFGHIJ", "desc", "ABCDEFGHIJ desc"},
      {"S008X016", "123456789012345678901234567890", "S008X016 - 123456789012345678901234567890"},
      {"S008X016", "123456789012345678901234567890XYZ",
       "S008X016 - 123456789012345678901234567890"},
      {"", "", " - "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FontDisplayName(c.shortName, c.description), c.expected) << c.shortName;
  }
}

TEST(FontCatalog, EntryTakesNamesLowSizeBytesAndFileFacts) {
  TempDir dir;
  FontFixture f;
  f.shortName = "S8X16";
  f.description = "Standard";
  f.width = 0x0208;  // only the low bytes count
  f.height = 0x0110;
  f.glyphSize = 32;
  const std::string path = dir.File("S8X16.FON");
  testing::WriteFont(path, f);
  auto entry = ReadCatalogEntry(path);
  EXPECT_EQ(entry->kindTag(), kTagFonteintrag);
  EXPECT_EQ(entry->name, "S8X16 - Standard");
  EXPECT_EQ(entry->width, 8);
  EXPECT_EQ(entry->height, 16);
  EXPECT_EQ(entry->fileName, "S8X16.FON");
  EXPECT_EQ(entry->fileSize, std::int32_t(std::filesystem::file_size(path)));
}

TEST(FontCatalog, LengthBytesBeyondTheRecordAreBounded) {
  TempDir dir;
  std::vector<std::uint8_t> bytes = testing::FontBytes(FontFixture{});
  bytes[168] = 200;       // description length
  bytes[168 + 31] = 200;  // short name length
  testing::WriteBytes(dir.File("LONG.FON"), bytes);
  auto entry = ReadCatalogEntry(dir.File("LONG.FON"));
  EXPECT_LE(entry->name.size(), 41u);
  EXPECT_EQ(entry->name.substr(0, 4), "TEST");
}

TEST(FontCatalog, UnreadableFilesAreListedByFileNameWithTheBuiltInCell) {
  TempDir dir;
  testing::WriteBytes(dir.File("JUNK.FON"), {'n', 'o', 't', ' ', 'a', ' ', 'f', 'o', 'n', 't'});
  FontFixture broken;
  broken.width = 0;
  testing::WriteFont(dir.File("ZERO.FON"), broken);
  for (const char* name : {"JUNK.FON", "ZERO.FON"}) {
    auto entry = ReadCatalogEntry(dir.File(name));
    EXPECT_EQ(entry->name, name);
    EXPECT_EQ(entry->fileName, name);
    EXPECT_EQ(entry->width, 8);
    EXPECT_EQ(entry->height, 16);
  }
  EXPECT_EQ(testing::ReadBytes(dir.File("JUNK.FON")).size(), 10u);
}

TEST(FontCatalog, ListHoldsEveryFontFileInNameOrder) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "fonts");
  FontFixture a, b;
  a.shortName = "AAA";
  b.shortName = "BBB";
  testing::WriteFont((dir.path() / "fonts" / "b2.fon").string(), b);
  testing::WriteFont((dir.path() / "fonts" / "A1.FON").string(), a);
  testing::WriteBytes((dir.path() / "fonts" / "readme.txt").string(), {'x'});
  Installation install(dir.path());
  ListPtr fonts;
  LoadFontList(install, fonts);
  ASSERT_EQ(CountNodes(fonts.get()), 2);
  EXPECT_EQ(NameAt(fonts.get(), 1), "AAA - Testfont");
  EXPECT_EQ(static_cast<t_fonteintrag*>(fonts->next())->fileName, "b2.fon");
}

TEST(FontCatalog, ShippedSetIsListedWithItsOwnNames) {
  Installation install(TAVO_DATA_DIR);
  ListPtr fonts;
  LoadFontList(install, fonts);
  int count = 0;
  ForEach<t_fonteintrag>(fonts, [&](t_fonteintrag& e) {
    ++count;
    EXPECT_NE(e.name, e.fileName) << "unreadable shipped font " << e.fileName;
    EXPECT_NE(e.name.find(" - "), std::string::npos);
  });
  EXPECT_GE(count, 10);
}

}  // namespace
}  // namespace tavo

// Texts, numeric, scaled, time, date and text list fields and the graphs:
// their project lines, run lines and binary records.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>

#include "objects/binary.h"
#include "objects/fields/fields.h"
#include "objects/objectkinds.h"
#include "project/katalog.h"
#include "project/objectlines.h"
#include "project/records.h"
#include "project/runwriter.h"
#include "resources/fontcatalog.h"

namespace tavo {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Bytes = std::vector<std::uint8_t>;

std::vector<std::string> RunLines(const t_objekt& object) {
  std::vector<std::string> lines;
  UsedFileTable used;
  RunWriter out([&](const std::string& line) { lines.push_back(line); }, used);
  object.WriteRunLines(out);
  return lines;
}

ObjectPtr FromLine(const std::string& line, const t_katalog* catalog = nullptr) {
  auto factory = MakeObjectFactory(catalog);
  ListPtr list = ReadObjectLines(*factory, {line});
  return ObjectPtr(static_cast<t_objekt*>(list.release()));
}

Bytes Binary(const t_objekt& object) {
  Bytes out;
  object.WriteBinary(out);
  return out;
}

Bytes Chars(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// --- project and run lines of every kind ------------------------------------------

struct LineCase {
  const char* project;
  const char* run;
};
// Readable test names and failure messages.
void PrintTo(const LineCase& c, std::ostream* os) {
  *os << c.project;
}

class FieldLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(FieldLineTest, ProjectLineRoundTripsAndRunLineIsExact) {
  ObjectPtr object = FromLine(GetParam().project);
  ASSERT_NE(object, nullptr);
  EXPECT_THAT(WriteObjectLines(ListPtr(object->Clone().release()).get()),
              ElementsAre(GetParam().project));
  EXPECT_THAT(RunLines(*object), ElementsAre(GetParam().run));
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, FieldLineTest,
    ::testing::Values(
        // Run coordinates round half to even (10.5 -> 10); the text goes to
        // the terminal's code page (0xE4 -> 0x84), the project file keeps it.
        LineCase{"-Object(5;3;7;12;4;2;0;1;5;\"Titel\";10.5;20;\"H\xE4ll\"\"o\";\"S008X016.FON\")",
                 "-(OText;3;7;12;4;2;0;1;5;10;20;\"H\x84ll\"\"o\";\"S008X016.FON\")"},
        LineCase{"-Object(7;1;2;3;14;1;0;255;0;\"Druck\";100;50;\"S008X016.FON\";0.01;12;"
                 "\"####.##\")",
                 "-(OAusgabe;1;2;3;14;1;0;255;0;100;50;\"S008X016.FON\";0.01;12;\"####.##\")"},
        LineCase{"-Object(6;0;0;0;15;2;1;3;1;\"\";10;20;\"SYST_008.FON\";1000;3;\"$$$$$$$$$$\")",
                 "-(OEingabe;0;0;0;15;2;1;3;1;10;20;\"SYST_008.FON\";1000;3;\"$$$$$$$$$$\")"},
        LineCase{"-Object(10;0;0;0;15;1;1;0;1;\"Scan\";30;40;\"SYST_008.FON\";0.1;9;\".##\")",
                 "-(OBarcode;0;0;0;15;1;1;0;1;30;40;\"SYST_008.FON\";0.1;9;\".##\")"},
        LineCase{"-Object(12;0;0;0;15;1;1;0;1;\"Temp\";5;6;\"SYST_008.FON\";\"###.#\";0.1;-40;9)",
                 "-(OSkalAusgabe;0;0;0;15;1;1;0;1;5;6;\"SYST_008.FON\";\"###.#\";0.1;-40;9)"},
        LineCase{"-Object(11;5;4;1;15;1;1;2;1;\"Soll\";7;8;\"SYST_008.FON\";\"####\";2.5;0;11)",
                 "-(OSkalEingabe;5;4;1;15;1;1;2;1;7;8;\"SYST_008.FON\";\"####\";2.5;0;11)"},
        LineCase{
            "-Object(14;0;0;0;15;1;1;0;1;\"Uhr\";1;2;\"SYST_008.FON\";3;\" am\";\" pm\";\".\")",
            "-(OZeit;0;0;0;15;1;1;0;1;1;2;\"SYST_008.FON\";3;\" am\";\" pm\";\".\")"},
        LineCase{"-Object(13;0;0;0;15;1;1;0;1;\"Datum\";3;4;\"SYST_008.FON\";58;\"/\")",
                 "-(ODatum;0;0;0;15;1;1;0;1;3;4;\"SYST_008.FON\";58;\"/\")"},
        LineCase{"-Object(15;0;0;0;15;1;1;0;1;\"Status\";50;60;\"SYST_008.FON\";4;2)",
                 "-(OTextListe;0;0;0;15;1;1;0;1;50;60;\"SYST_008.FON\";4;2)"},
        LineCase{"-Object(16;0;0;0;15;1;1;0;1;\"Wahl\";70;80;\"SYST_008.FON\";5;3)",
                 "-(OEditListe;0;0;0;15;1;1;0;1;70;80;\"SYST_008.FON\";5;3)"},
        // The lower value always precedes the upper value.
        LineCase{"-Object(8;0;0;0;15;1;1;0;1;\"Tank\";10;20;110;220;3;0;100;5)",
                 "-(OBargraf;0;0;0;15;1;1;0;1;10;20;110;220;3;0;100;5)"},
        // The plot graph's run line puts the orientation before the range.
        LineCase{"-Object(9;0;0;0;15;1;1;0;1;\"Kurve\";0;0;200;100;-10.5;100;1;4;2;3;7;8)",
                 "-(OPlotgraf;0;0;0;15;1;1;0;1;0;0;200;100;1;-10;100;4;2;3;7;8)"}));

// --- format texts and factor codes ------------------------------------------------------

struct FormatCase {
  const char* format;
  bool textDisplay;
  int digits, decimals, cells;
};
// Readable test names and failure messages.
void PrintTo(const FormatCase& c, std::ostream* os) {
  *os << '"' << c.format << '"';
}

class FormatTextTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTextTest, FormatGivesDisplayDigitsAndWidth) {
  const FormatCase& c = GetParam();
  ObjectPtr o = FromLine(std::string("-Object(7;0;0;0;15;1;1;0;1;\"\";100;50;\"F\";1;1;\"") +
                         c.format + "\")");
  const auto& field = static_cast<const tausobj&>(*o);
  EXPECT_EQ(field.textDisplay(), c.textDisplay);
  EXPECT_EQ(field.digits(), c.digits);
  EXPECT_EQ(field.decimals(), c.decimals);
  EXPECT_EQ(field.Cells(), c.cells);
  EXPECT_EQ(field.GetExtent().right, 100 + 8 * c.cells);
  EXPECT_EQ(field.FormatText(), c.format);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatTextTest,
                         ::testing::Values(FormatCase{"####.##", false, 4, 2, 7},
                                           FormatCase{"####", false, 4, 0, 4},
                                           FormatCase{".##", false, 0, 2, 4},
                                           FormatCase{"", false, 0, 0, 2},
                                           FormatCase{"$$$$$$$$$$", true, 10, 0, 10}));

TEST(FormatTextTest, OverlongFormatsSaturateInsteadOfWrapping) {
  const std::string format(300, '#');
  ObjectPtr o = FromLine("-Object(7;0;0;0;15;1;1;0;1;\"\";0;0;\"F\";1;1;\"" + format + ".#\")");
  const auto& field = static_cast<const tausobj&>(*o);
  EXPECT_EQ(field.digits(), 255);
  EXPECT_EQ(field.decimals(), 1);
}

TEST(FactorCodeTest, ThresholdsBetweenTheFactors) {
  const std::pair<double, int> cases[] = {{-5, 1},   {0, 1},    {0.001, 1}, {0.005, 1}, {0.0051, 2},
                                          {0.02, 2}, {0.05, 2}, {0.1, 3},   {0.5, 3},   {1, 4},
                                          {5, 4},    {10, 5},   {50, 5},    {100, 6},   {500, 6},
                                          {1000, 7}, {1e9, 7}};
  for (const auto& [factor, code] : cases) EXPECT_EQ(FactorCodeOf(factor), code) << factor;
  tausobj field;
  field.SetFactorCode(9);  // no code of the dialog: multiplies by 1
  EXPECT_EQ(field.Factor(), 1);
}

TEST(FormatTextTest, FirstShownCharacterIsLostInTheProjectFileButKeptInTheRecord) {
  tausobj field;
  field.SetDisplay(true, 10, 3);
  ObjectPtr parsed = FromLine(WriteObjectLines(ListPtr(field.Clone().release()).get()).at(0));
  EXPECT_EQ(static_cast<tausobj&>(*parsed).decimals(), 0);

  const Bytes record = Binary(field);
  RecordRead read = ReadObjectRecord(MemoryReader(record.data(), record.size()));
  ASSERT_TRUE(read.complete);
  EXPECT_EQ(static_cast<tausobj&>(*read.object).decimals(), 3);
}

// --- font catalogue ---------------------------------------------------------------

TEST(FontLookupTest, CellSizeComesFromTheExactCatalogueEntry) {
  t_katalog catalog;
  auto entry = std::make_unique<t_fonteintrag>();
  entry->fileName = "S008X016.FON";
  entry->width = 8;
  entry->height = 16;
  AppendNode(catalog.fonts, std::move(entry));

  const std::string prefix = "-Object(5;0;0;0;15;1;1;0;1;\"\";10;20;\"Abcdefg\";";
  ObjectPtr found = FromLine(prefix + "\"S008X016.FON\")", &catalog);
  EXPECT_EQ(static_cast<ttext&>(*found).cellHeight(), 16);
  // Seven characters of 8 x 16: the extent is 10..66 x 20..36.
  EXPECT_EQ(found->GetExtent().right, 66);
  EXPECT_EQ(found->GetExtent().bottom, 36);
  EXPECT_TRUE(found->HitTest(66, 36));
  EXPECT_FALSE(found->HitTest(67, 36));

  // The comparison is exact: another case or a missing font keeps 8 x 8.
  for (const char* font : {"\"s008x016.fon\")", "\"NONE.FON\")"}) {
    ObjectPtr missing = FromLine(prefix + font, &catalog);
    EXPECT_EQ(static_cast<ttext&>(*missing).cellHeight(), 8) << font;
    EXPECT_EQ(static_cast<ttext&>(*missing).cellWidth(), 8) << font;
  }
}

// --- binary records ------------------------------------------------------------------

TEST(FieldBinaryTest, OutputFieldRecordAndTheShorterBarcode) {
  ObjectPtr output =
      FromLine("-Object(7;1;2;3;14;2;0;255;0;\"\";100;50;\"S008X016.FON\";0.01;12;\"####.##\")");
  const Bytes font = Chars("S008X016.FON");
  const Bytes expected = Join({{7, 14, 3, 0, 255, 0, 100, 0, 50, 0},
                               font,
                               {8, 8, 0, 4, 2, 2, 8, 8, 12, 0},
                               // Switching: action 1, value 3 (Real48), variable 2.
                               {1, 0, 0x82, 0, 0, 0, 0, 0x40, 2, 0}});
  EXPECT_THAT(Binary(*output), ElementsAreArray(expected));

  ObjectPtr barcode =
      FromLine("-Object(10;1;2;3;14;2;0;255;0;\"\";100;50;\"S008X016.FON\";0.01;12;\"####.##\")");
  const Bytes expectedBarcode = Join({{10, 14, 3, 0, 255, 0, 100, 0, 50, 0},
                                      font,
                                      {8, 8, 0, 4, 2, 2, 12, 0},
                                      {1, 0, 0x82, 0, 0, 0, 0, 0x40, 2, 0}});
  EXPECT_THAT(Binary(*barcode), ElementsAreArray(expectedBarcode));
}

TEST(FieldBinaryTest, TextRecordPadsTheFontAndConvertsTheText) {
  ttext text;
  text.SetPosition(10, 20);
  text.SetFont("");
  text.SetText("\xC4r");
  const Bytes expected =
      Join({{5, 15, 1, 1, 0, 1, 10, 0, 20, 0, 2, 0x8E, 'r'}, Chars("SYST_008.FON"), {8, 8, 0, 0}});
  EXPECT_THAT(Binary(text), ElementsAreArray(expected));
  // An empty font becomes the default for good.
  EXPECT_EQ(text.font(), kDefaultFieldFont);

  // A short font name is padded with zero bytes and read back without them.
  text.SetFont("A.FON");
  const Bytes record = Binary(text);
  EXPECT_THAT(Bytes(record.begin() + 13, record.begin() + 25),
              ElementsAreArray(Bytes{'A', '.', 'F', 'O', 'N', 0, 0, 0, 0, 0, 0, 0}));
  RecordRead read = ReadObjectRecord(MemoryReader(record.data(), record.size()));
  EXPECT_EQ(static_cast<ttext&>(*read.object).font(), "A.FON");
  EXPECT_EQ(static_cast<ttext&>(*read.object).text(), "\xC4r");
}

TEST(FieldBinaryTest, ScaledAndBarGraphRealsInOrder) {
  ObjectPtr scaled =
      FromLine("-Object(12;0;0;0;15;1;1;0;1;\"\";5;6;\"SYST_008.FON\";\"###.#\";0.1;-40;9)");
  const Bytes expected = Join({{12, 15, 1, 1, 0, 1, 5, 0, 6, 0},
                               Chars("SYST_008.FON"),
                               {8, 8, 3, 1},
                               {0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C},  // 0.1
                               {0x86, 0, 0, 0, 0, 0xA0},              // -40
                               {9, 0, 0, 0}});
  const Bytes record = Binary(*scaled);
  EXPECT_THAT(record, ElementsAreArray(expected));
  // The scaled input record differs only in its kind byte.
  ObjectPtr input =
      FromLine("-Object(11;0;0;0;15;1;1;0;1;\"\";5;6;\"SYST_008.FON\";\"###.#\";0.1;-40;9)");
  Bytes inputRecord = Binary(*input);
  ASSERT_EQ(inputRecord.size(), record.size());
  EXPECT_EQ(inputRecord[0], 11);
  inputRecord[0] = 12;
  EXPECT_EQ(inputRecord, record);

  ObjectPtr bar = FromLine("-Object(8;0;0;0;15;1;1;0;1;\"\";10;20;110;220;3;0;100;5)");
  EXPECT_THAT(Binary(*bar),
              ElementsAreArray(Bytes{8, 15, 1, 1, 0, 1,    10, 0, 20, 0, 110,  0, 220, 0, 3, 0,
                                     0, 0,  0, 0, 0, 0x87, 0,  0, 0,  0, 0x48, 5, 0,   0, 0}));
}

TEST(FieldBinaryTest, TimeRecordFixesDayTextsToThreeCharacters) {
  tZeitObj time;
  time.SetFormat(1, "A", " PM!", ":");
  const Bytes record = Binary(time);
  // Behind kind, attributes, position, font and cell: flags, AM, PM, separator.
  EXPECT_THAT(Bytes(record.begin() + 24, record.end()),
              ElementsAreArray(Bytes{1, 3, 'A', ' ', ' ', 3, ' ', 'P', 'M', ':', 0, 0}));
  RecordRead read = ReadObjectRecord(MemoryReader(record.data(), record.size()));
  const auto& back = static_cast<tZeitObj&>(*read.object);
  EXPECT_EQ(back.am(), "A  ");
  EXPECT_EQ(back.pm(), " PM");
  EXPECT_EQ(back.separator(), ":");
}

class FieldRecordTest : public ::testing::TestWithParam<const char*> {};

// Every record reads back into an object that writes the same bytes, and a
// record cut short at any byte reads as incomplete without harm.
TEST_P(FieldRecordTest, RoundTripsAndSurvivesEveryCut) {
  ObjectPtr original = FromLine(GetParam());
  ASSERT_NE(original, nullptr);
  t_schaltung rule;
  rule.action = 3;
  rule.value = 1;
  rule.variable = 7;
  original->SetSwitching(rule);
  const Bytes first = Binary(*original);
  RecordRead read = ReadObjectRecord(MemoryReader(first.data(), first.size()));
  ASSERT_TRUE(read.complete);
  EXPECT_EQ(Binary(*read.object), first);
  for (std::size_t cut = 1; cut < first.size(); ++cut) {
    RecordRead partial = ReadObjectRecord(MemoryReader(first.data(), cut));
    ASSERT_NE(partial.object, nullptr);
    EXPECT_FALSE(partial.complete) << cut;
    Bytes ignored;
    partial.object->WriteBinary(ignored);
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, FieldRecordTest,
    ::testing::Values(
        "-Object(5;0;0;0;4;2;0;1;5;\"\";10;20;\"Hallo\";\"S008X016.FON\")",
        "-Object(7;0;0;0;14;1;0;255;0;\"\";100;50;\"S008X016.FON\";0.01;12;\"####.##\")",
        "-Object(6;0;0;0;15;2;1;3;1;\"\";10;20;\"SYST_008.FON\";1000;3;\"$$$$$\")",
        "-Object(10;0;0;0;15;1;1;0;1;\"\";30;40;\"SYST_008.FON\";0.1;9;\".##\")",
        "-Object(12;0;0;0;15;1;1;0;1;\"\";5;6;\"SYST_008.FON\";\"###.#\";0.1;-40;9)",
        "-Object(11;0;0;0;15;1;1;0;1;\"\";7;8;\"SYST_008.FON\";\"####\";2.5;0;11)",
        "-Object(14;0;0;0;15;1;1;0;1;\"\";1;2;\"SYST_008.FON\";3;\" am\";\" pm\";\".\")",
        "-Object(13;0;0;0;15;1;1;0;1;\"\";3;4;\"SYST_008.FON\";58;\"/\")",
        "-Object(15;0;0;0;15;1;1;0;1;\"\";50;60;\"SYST_008.FON\";4;2)",
        "-Object(16;0;0;0;15;1;1;0;1;\"\";70;80;\"SYST_008.FON\";5;3)",
        "-Object(8;0;0;0;15;1;1;0;1;\"\";10;20;110;220;2;-5;100;5)",
        "-Object(9;0;0;0;15;1;1;0;1;\"\";0;0;200;100;-10.5;100;1;4;2;3;7;8)"));

// --- damaged project lines -----------------------------------------------------------------

TEST(FieldLineEdgeTest, DamagedLinesReadAsDefinedValues) {
  const char* lines[] = {
      "-Object(7)",
      "-Object(7;0;0;0;15;1;1;0;1;\"\";x;y;\"F\";-3;1;\"$\")",
      "-Object(12;0;0;0;15;1;1;0;1;\"\";1e999999;0;\"F\";\"...\";1e999999;nan;70000)",
      "-Object(13;0;0;0;15;1;1;0;1;\"\";1;2;\"F\";999;\"\")",
      "-Object(9;0;0;0;15;1;1;0;1;\"\";5;5;5;5;0;0;9;0;0;0;0;0)",
  };
  for (const char* line : lines) {
    ObjectPtr o = FromLine(line);
    ASSERT_NE(o, nullptr) << line;
    // Written back and read again it writes the same line.
    const std::vector<std::string> first = WriteObjectLines(ListPtr(o->Clone().release()).get());
    ObjectPtr again = FromLine(first.at(0));
    EXPECT_EQ(WriteObjectLines(ListPtr(again.release()).get()), first) << line;
  }
}

}  // namespace
}  // namespace tavo

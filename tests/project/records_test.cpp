#include <gtest/gtest.h>

#include <vector>

#include "project/bmpliste.h"
#include "project/records.h"
#include "project/runwriter.h"

namespace tavo {
namespace {

std::vector<std::string> ProjectLines(const t_liste& record) {
  std::vector<std::string> lines;
  record.WriteProjectLines([&](const std::string& l) { lines.push_back(l); });
  return lines;
}

std::vector<std::string> RunLines(const t_liste& record, UsedFileTable* used = nullptr) {
  std::vector<std::string> lines;
  UsedFileTable local;
  RunWriter out([&](const std::string& l) { lines.push_back(l); }, used ? *used : local);
  record.WriteRunLines(out);
  return lines;
}

using Lines = std::vector<std::string>;

TEST(HeadRecord, PaddedKeywordsAndUnescapedValues) {
  t_kopf head;
  head.name = "Anlage \"3\"";
  head.created = "01.02.2026";
  head.changed = "03.04.2026";
  head.info2 = "x";
  head.startPicture = -5;
  EXPECT_EQ(ProjectLines(head),
            (Lines{"-Name         = \"Anlage \"3\"\"", "-Author       = \"\"",
                   "-created      = \"01.02.2026\"", "-changed      = \"03.04.2026\"",
                   "-Info1        = \"\"", "-Info2        = \"x\"", "-Info3        = \"\"",
                   "-Startpicture = \"-5\""}));
  EXPECT_EQ(RunLines(head), (Lines{"-(Startbild;-5)"}));
}

TEST(CouplingAndVariables, AddressFormsFollowTheCoupling) {
  t_steuerung siemens;
  siemens.addressFormat = 1;
  siemens.dosVersion = "S5.DRV";
  siemens.identifier = " S5A";
  siemens.readBlockAddress = 10 * 256 + 5;
  siemens.writeBlockAddress = 780;
  siemens.alarmSort = 2;
  EXPECT_EQ(ProjectLines(siemens),
            (Lines{"-DOSVersion    = \"S5.DRV\"", "-TBReadAdr     = \"2565\"",
                   "-TBWriteAdr    = \"780\"", "-Alarmsort     = \"2\""}));
  EXPECT_EQ(RunLines(siemens), (Lines{"-(Steuerung;\"S5A\";1;010,005;003,012;2)"}));

  t_variable v;
  v.number = 12;
  v.address = 3 * 256 + 12;
  v.type = 3;
  v.length = 2;
  v.attribute = 1;
  v.name = "Motor";
  std::vector<std::string> lines;
  v.WriteProjectLines([&](const std::string& l) { lines.push_back(l); }, &siemens);
  t_steuerung intel;
  v.WriteProjectLines([&](const std::string& l) { lines.push_back(l); }, &intel);
  EXPECT_EQ(lines,
            (Lines{"-Variable(12;003,012;3;2;1;\"Motor\")", "-Variable(12;780;3;2;1;\"Motor\")"}));
  EXPECT_EQ(RunLines(v), (Lines{"-(Variable;12;780;3;2;1)"}));

  EXPECT_EQ(AddressFromText("003,012"), 780);
  EXPECT_EQ(AddressFromText("780"), 780);
  EXPECT_EQ(AddressFromText("10,5"), 2565);
}

TEST(AlarmRecord, RunLineEntersFontAndConvertsText) {
  t_alarme a;
  a.number = 17;
  a.font = "s008x016.fon";
  a.bitMask = 2;
  a.flags = 5;
  a.name =
      "\xDC"
      "berdruck";
  EXPECT_EQ(ProjectLines(a), (Lines{"-Alarm(17;\"s008x016.fon\";2;5;\"\xDC"
                                    "berdruck\")"}));
  UsedFileTable used;
  EXPECT_EQ(RunLines(a, &used), (Lines{"-(Alarm;17;\"s008x016.fon\";5;\"\x9A"
                                       "berdruck\")"}));
  EXPECT_TRUE(used.Contains("S008X016.FON"));
  EXPECT_TRUE(a.flags & t_alarme::kDynamic);
  EXPECT_TRUE(a.flags & t_alarme::kHistoryComes);
  EXPECT_FALSE(a.flags & t_alarme::kHistoryGoes);

  auto fresh = t_alarme::NewInEditor(nullptr);
  EXPECT_EQ(fresh->font, "S008X016.FON");
  EXPECT_EQ(fresh->bitMask, 1);
}

TEST(TextListRecord, WritesNothingWithoutTexts) {
  t_textliste list;
  list.name = "Zust\xE4nde";
  list.number = 4;
  EXPECT_TRUE(ProjectLines(list).empty());
  EXPECT_TRUE(RunLines(list).empty());
  auto text = std::make_unique<t_text>();
  text->name = "\xD6l";
  text->value = 65535;
  AppendNode(list.texts, std::move(text));
  EXPECT_EQ(ProjectLines(list),
            (Lines{"-TextList(\"Zust\xE4nde\";4;Bit)", "-Text(\"\xD6l\";65535)", "-TextListEnd"}));
  list.valueList = true;
  EXPECT_EQ(RunLines(list),
            (Lines{"-(TextList;4;TRUE)", "-(Text;65535;\"\x99l\")", "-(TextListEnd)"}));
}

TEST(PictureRecord, WritesOnlyAssignedKeys) {
  t_bild picture;
  picture.number = 2;
  picture.pictureNumber = 40;
  picture.name = "Start";
  EXPECT_EQ(CountNodes(picture.keys.get()), 256);
  EXPECT_EQ(ProjectLines(picture), (Lines{"-Picture(2;40;\"Start\";15)", "-PictureEnd", ""}));
  picture.Key(14)->value = 3;
  picture.Key(256)->value = 1;
  EXPECT_EQ(picture.Key(300), nullptr);
  EXPECT_EQ(ProjectLines(picture), (Lines{"-Picture(2;40;\"Start\";15)", "-Key(14;3;\"\")",
                                          "-Key(256;1;\"\")", "-PictureEnd", ""}));
  EXPECT_EQ(RunLines(picture), (Lines{"-(Picture;40;15)"}));
  EXPECT_EQ(RunLines(*picture.Key(14)), (Lines{"-(Key;14;3)"}));
}

// A picture's keys share one allocation, yet each must live and die like a
// node of its own; the sanitizers catch a key freed with its neighbours.
TEST(Keys, EachKeyIsReleasedAloneAndMayOutliveItsPicture) {
  ListPtr kept;
  {
    t_bild picture;
    UnlinkNode(picture.keys, picture.Key(10)).reset();
    kept = UnlinkNode(picture.keys, picture.Key(256));
    ListPtr first = UnlinkNode(picture.keys, picture.keys.get());
    first->name = std::string(40, 'n');
    EXPECT_EQ(CountNodes(picture.keys.get()), 253);
    EXPECT_EQ(picture.Key(11)->previous()->number, 9);
    picture.Key(11)->name = std::string(40, 'k');
  }
  auto& key = static_cast<t_taste&>(*kept);
  key.value = 7;
  key.name = std::string(40, 'x');
  EXPECT_EQ(ProjectLines(key), (Lines{"-Key(256;7;\"" + std::string(40, 'x') + "\")"}));
  kept.reset();

  auto alone = std::make_unique<t_taste>();
  alone->number = 3;
  EXPECT_EQ(alone->kindTag(), kTagTaste);
  EXPECT_EQ(MakeKeyList(0), nullptr);
  ListPtr three = MakeKeyList(3);
  std::string numbers;
  for (t_liste* k = three.get(); k; k = k->next()) numbers += std::to_string(k->number) + ",";
  EXPECT_EQ(numbers, "1,2,3,");
  EXPECT_EQ(three->next()->next()->previous(), three->next());
}

// Keys given a value before anything walks the picture's key list are the
// very nodes the list then holds, in their places among all 256 keys; a
// picture writes and copies the same either way.
TEST(Keys, AssignedKeysBecomeNodesOfTheListWhenItIsBuilt) {
  t_bild picture;
  t_taste* late = picture.keys.Assign(200);
  t_taste* early = picture.keys.Assign(3);
  ASSERT_TRUE(late && early);
  EXPECT_EQ(picture.keys.Assign(3), early);
  EXPECT_EQ(picture.keys.Assign(0), nullptr);
  EXPECT_EQ(picture.keys.Assign(257), nullptr);
  early->value = 2;
  late->value = 5;
  late->name = "Ziel";
  const Lines lines{"-Picture(0;1;\"\";15)", "-Key(3;2;\"\")", "-Key(200;5;\"Ziel\")",
                    "-PictureEnd", ""};
  EXPECT_EQ(ProjectLines(picture), lines);
  const auto copied = ClonePictureWithoutObjects(picture);

  int expected = 1;
  for (const t_liste* k = picture.keys.get(); k; k = k->next(), ++expected) {
    EXPECT_EQ(k->number, expected);
    if (k->previous()) {
      EXPECT_EQ(k->previous()->next(), k);
    }
  }
  EXPECT_EQ(expected, kKeyCount + 1);
  EXPECT_EQ(picture.Key(3), early);
  EXPECT_EQ(picture.Key(200), late);
  EXPECT_EQ(ProjectLines(picture), lines);
  EXPECT_EQ(ProjectLines(*copied), lines);
  EXPECT_EQ(ProjectLines(*ClonePictureWithoutObjects(picture)), lines);

  // Every key assigned, last to first: the block built for the list holds
  // none of them and must still be released.
  t_bild full;
  for (int n = kKeyCount; n >= 1; --n) full.keys.Assign(n)->value = static_cast<std::uint16_t>(n);
  EXPECT_EQ(CountNodes(full.keys.get()), kKeyCount);
  EXPECT_EQ(full.Key(kKeyCount)->value, kKeyCount);
  EXPECT_EQ(full.keys->next()->number, 2);
}

TEST(Keys, NumberingAndOfferedRows) {
  EXPECT_EQ(FunctionKeyNumber(2, 1), 14);  // Shift-F2
  EXPECT_EQ(FunctionKeyNumber(12, 3), 48);
  EXPECT_EQ(FunctionKeyNumber(13, 0), 49);
  EXPECT_EQ(FunctionKeyNumber(16, 3), 112);
  EXPECT_EQ(SoftKeyNumber(1, 0), 129);
  EXPECT_EQ(SoftKeyNumber(12, 3), 236);
  struct Case {
    const char* type;
    int lastF;
    int lastS;
  } cases[] = {{"VT-0A01-0001", 10, 0},  {"VT-0A02-0001", 12, 0},  {"VT-0A05-0100", 10, 6},
               {"VT-0A06-0100", 12, 10}, {"VT-0A07-0100", 16, 12}, {"", 10, 0}};
  for (const Case& c : cases) {
    for (int k = 1; k <= 16; ++k)
      EXPECT_EQ(FunctionKeyOffered(c.type, k), k <= c.lastF) << c.type << k;
    for (int k = 1; k <= 12; ++k) EXPECT_EQ(SoftKeyOffered(c.type, k), k <= c.lastS) << c.type << k;
  }
}

TEST(NewRecords, EditorDefaultsTakeFreeNumbers) {
  ListPtr pictures;
  auto first = t_bild::NewInEditor(pictures.get());
  EXPECT_EQ(first->number, 1);
  EXPECT_EQ(first->pictureNumber, 1);
  first->pictureNumber = 2;
  AppendNode(pictures, std::move(first));
  auto second = t_bild::NewInEditor(pictures.get());
  EXPECT_EQ(second->number, 2);
  EXPECT_EQ(second->pictureNumber, 1);
  EXPECT_EQ(second->name, "neues Bild");

  auto v = t_variable::NewInEditor(nullptr);
  EXPECT_EQ(v->number, 1);
  EXPECT_EQ(v->type, 1);
  EXPECT_EQ(v->attribute, 1);
  EXPECT_EQ(t_variable().type, 3);  // a reader's default
}

TEST(BitmapRegistry, SharesIdentifiersPerFileAndSize) {
  t_bmpliste reg;
  EXPECT_EQ(reg.Register("a.bmp", 10, 20, 0), 1);
  EXPECT_EQ(reg.Register("a.bmp", 10, 20, 0), 1);
  EXPECT_EQ(reg.Entries()[0].useCount, 2);
  EXPECT_EQ(reg.Register("a.bmp", 11, 20, 0), 2);  // same file, other size
  // A stored identifier that is still free is kept, although an entry for
  // the same file and size exists (whose count still goes up).
  EXPECT_EQ(reg.Register("a.bmp", 10, 20, 7), 7);
  EXPECT_EQ(reg.Entries()[0].useCount, 3);
  EXPECT_EQ(reg.Register("b.bmp", 1, 1, 7), 7 == 7 ? 3 : 0);  // 7 is taken: lowest free
  reg.Release(2);
  EXPECT_EQ(reg.Entries().size(), 3u);
  EXPECT_EQ(reg.Register("c.bmp", 1, 1, 0), 2);
}

TEST(BitmapRegistry, FullRegistryGivesNoIdentifier) {
  t_bmpliste reg;
  for (int i = 0; i < t_bmpliste::kMaxIdentifier; ++i)
    reg.Register("f" + std::to_string(i), 1, 1, 0);
  EXPECT_EQ(reg.Register("another", 1, 1, 0), t_bmpliste::kNoIdentifier);
}

TEST(UsedFiles, UpperCasedCutDistinctAndBounded) {
  UsedFileTable table;
  table.Enter("a.fon;B.FON;a.FON;;averyveryverylongname.fon");
  EXPECT_EQ(table.Count(), 3);
  EXPECT_TRUE(table.Contains("A.FON"));
  EXPECT_TRUE(table.Contains("AVERYVERYVER"));
  for (int i = 0; i < 300; ++i) table.Enter("F" + std::to_string(i));
  EXPECT_EQ(table.Count(), UsedFileTable::kEntries);
  table.Clear();
  EXPECT_EQ(table.Count(), 0);
}

}  // namespace
}  // namespace tavo

#include "document/listoperations.h"

#include <gtest/gtest.h>

#include <functional>

#include "demo.h"
#include "objects/fields/fields.h"
#include "objects/gruppe.h"
#include "shell/codepage.h"
#include "shell/language.h"

namespace tavo {
namespace {

using testing::FileBytes;
using testing::ObjectAt;
using testing::PictureAt;

// Three pictures that refer to each other by keys; objects that use the
// variables 1 and 2 (fields, switching rules, a group and its members) and
// the text list 1. Variable 3 is named only by a switching rule that is off.
const char* const kProject =
    "[Head]\r\n"
    "-Name         = \"Verweise\"\r\n"
    "[Terminal]\r\n"
    "-DOSVersion    = \"VTA_640C.TRM\"\r\n"
    "[PLC]\r\n"
    "-DOSVersion    = \"SPS_DBW.KOP\"\r\n"
    "[Variables]\r\n"
    "-Variable(1;010,000;3;2;1;\"Motor\")\r\n"
    "-Variable(2;010,002;3;2;1;\"Pumpe\")\r\n"
    "-Variable(3;010,004;3;2;1;\"frei\")\r\n"
    "-Variable(4;010,006;3;2;1;\"Listenwahl\")\r\n"
    "-Variable(5;010,008;3;2;1;\"unbenutzt\")\r\n"
    "[Alarms]\r\n"
    "-Alarm(0;\"S008X016.FON\";1;5;\"Pumpe gestört\")\r\n"
    "[TextList]\r\n"
    "-TextList(\"Zustand\";1;Wert)\r\n"
    "-Text(\"Aus\";0)\r\n"
    "-Text(\"Ein\";1)\r\n"
    "-TextListEnd\r\n"
    "-TextList(\"Leer\";2;Bit)\r\n"
    "-Text(\"x\";1)\r\n"
    "-TextListEnd\r\n"
    "[Pictures]\r\n"
    "-Picture(1;1;\"Start\";15)\r\n"
    "-Key(2;2;\"\")\r\n"
    "-Key(13;3;\"\")\r\n"
    "-Object(7;3;1;5;15;1;0;255;0;\"Anzeige\";20;40;\"S008X016.FON\";1;2;\"###\")\r\n"
    "-Group(8;1;1;\"Pumpe\")\r\n"
    "-Object(15;0;0;0;15;1;0;255;0;\"Zustand\";20;60;\"S008X016.FON\";2;1)\r\n"
    "-Object(2;7;2;1;15;1;0;0;1;\"Lampe\";10;10;50;10;50;50;10;50)\r\n"
    "-GroupEnd\r\n"
    "-Object(2;0;3;0;15;1;0;0;1;\"Rahmen\";0;0;100;0;100;100;0;100)\r\n"
    "-PictureEnd\r\n"
    "\r\n"
    "-Picture(2;2;\"Haupt\";15)\r\n"
    "-Key(1;1;\"\")\r\n"
    "-Key(3;3;\"\")\r\n"
    "-Object(15;0;0;0;15;1;0;255;0;\"Liste\";20;60;\"S008X016.FON\";4;1)\r\n"
    "-PictureEnd\r\n"
    "\r\n"
    "-Picture(3;7;\"Info\";15)\r\n"
    "-Key(1;2;\"\")\r\n"
    "-Key(4;1;\"\")\r\n"
    "-PictureEnd\r\n"
    "\r\n";

class ListOperationsTest : public ::testing::Test {
 public:
  void SetUp() override {
    doc = std::make_unique<Document>(installed.ReadText(kProject));
    ASSERT_EQ(CountNodes(doc->Project().pictures.get()), 3);
    original = Bytes();
  }
  std::string Bytes() const { return FileBytes(doc->Project()); }
  t_projekt& Project() { return doc->Project(); }
  ListPtr& List(RecordList list) {
    switch (list) {
      case RecordList::Variables:
        return Project().variables;
      case RecordList::Alarms:
        return Project().alarms;
      case RecordList::TextLists:
        return Project().textLists;
      case RecordList::Pictures:
        break;
    }
    return Project().pictures;
  }
  t_liste* Record(RecordList list, int number) {
    return FindByNumber(List(list).get(), static_cast<std::uint16_t>(number));
  }
  std::vector<int> Numbers(RecordList list) {
    std::vector<int> numbers;
    for (t_liste* n = List(list).get(); n; n = n->next()) numbers.push_back(n->number);
    return numbers;
  }
  std::vector<std::string> WhereUsed(RecordList list, int number) {
    std::vector<std::string> lines;
    for (const Reference& r : FindReferences(Project(), list, *Record(list, number)))
      lines.push_back(Cp1252ToUtf8(ReferenceText(r, german)));
    return lines;
  }
  std::vector<std::uint16_t> KeyValues(int picture) {
    std::vector<std::uint16_t> values;
    ForEach<t_taste>(PictureAt(Project(), picture).keys, [&](const t_taste& k) {
      if (k.value) values.push_back(static_cast<std::uint16_t>(k.number * 1000 + k.value));
    });
    return values;
  }
  bool AnyObject(const std::function<bool(const t_objekt&)>& test) {
    bool any = false;
    ForEach<t_bild>(Project().pictures, [&](t_bild& b) {
      for (t_liste* o = b.objects.get(); o; o = o->next())
        any = any || test(static_cast<const t_objekt&>(*o));
    });
    return any;
  }

  testing::Installed installed;
  GermanTranslator german;
  std::unique_ptr<Document> doc;
  std::string original;
};

// --- numbering and copies --------------------------------------------------------

// Variables 1, 2 and 4: a new one gets 3; a copy of 2 made next gets 5.
TEST_F(ListOperationsTest, NewAndCopiedVariablesTakeTheSmallestFreeNumbers) {
  doc = std::make_unique<Document>(installed.ReadText(
      "[Variables]\r\n-Variable(1;0;3;2;1;\"a\")\r\n-Variable(2;7;4;4;0;\"b\")\r\n"
      "-Variable(4;0;3;2;1;\"c\")\r\n"));
  auto fresh = t_variable::NewInEditor(Project().variables.get());
  EXPECT_EQ(fresh->number, 3);
  ASSERT_TRUE(AppendRecord(*doc, RecordList::Variables, std::move(fresh), txt::kStepVariableNeu));
  t_liste* two[] = {Record(RecordList::Variables, 2)};
  const CopyOutcome copied = CopyRecords(*doc, RecordList::Variables, two);
  ASSERT_TRUE(copied.result);
  ASSERT_EQ(copied.copies.size(), 1u);
  const auto& copy = static_cast<const t_variable&>(*copied.copies[0]);
  EXPECT_EQ(copy.number, 5);
  EXPECT_EQ(copy.name, "b");
  EXPECT_EQ(copy.address, 7);
  EXPECT_EQ(copy.type, 4);
  EXPECT_EQ(copy.length, 4);
  EXPECT_EQ(Numbers(RecordList::Variables), (std::vector<int>{1, 2, 4, 3, 5}));
}

// Copies of alarms take the free numbers from 0; at 240 copying stops with
// the copies made so far kept, all of them one step.
TEST_F(ListOperationsTest, AlarmCopiesStopAtTheLastAlarmNumber) {
  struct Case {
    int alarms;  // numbered 0 .. alarms - 1
    int copied;  // of three selected
  };
  for (const Case& c : {Case{1, 3}, Case{238, 2}, Case{240, 0}}) {
    SCOPED_TRACE(c.alarms);
    std::string text = "[Alarms]\r\n";
    for (int i = 0; i < c.alarms; ++i)
      text += "-Alarm(" + std::to_string(i) + ";\"S008X016.FON\";1;3;\"A\")\r\n";
    doc = std::make_unique<Document>(installed.ReadText(text));
    t_liste* first = Project().alarms.get();
    t_liste* three[] = {first, first, first};
    const CopyOutcome copied = CopyRecords(*doc, RecordList::Alarms, three);
    EXPECT_EQ(copied.rangeError, c.copied < 3);
    ASSERT_EQ(copied.copies.size(), static_cast<std::size_t>(c.copied));
    for (int i = 0; i < c.copied; ++i) {
      const auto& alarm = static_cast<const t_alarme&>(*copied.copies[static_cast<std::size_t>(i)]);
      EXPECT_EQ(alarm.number, c.alarms + i);
      EXPECT_EQ(alarm.bitMask, 1 << ((c.alarms + i) % 16));
      EXPECT_EQ(alarm.flags, 3);
    }
    EXPECT_EQ(doc->History().Size(), c.copied ? 1u : 0u);
  }
}

TEST_F(ListOperationsTest, TextListAndPictureCopiesBringTheirContent) {
  t_liste* list[] = {Record(RecordList::TextLists, 1)};
  const CopyOutcome lists = CopyRecords(*doc, RecordList::TextLists, list);
  ASSERT_EQ(lists.copies.size(), 1u);
  const auto& copy = static_cast<const t_textliste&>(*lists.copies[0]);
  EXPECT_EQ(copy.number, 3);
  EXPECT_EQ(copy.name, "Zustand");
  EXPECT_TRUE(copy.valueList);
  EXPECT_EQ(CountNodes(copy.texts.get()), 2);

  t_bild& start = PictureAt(Project(), 1);
  start.zoom = 2.0;
  start.originX = 40;
  t_liste* picture[] = {&start};
  const CopyOutcome pictures = CopyRecords(*doc, RecordList::Pictures, picture);
  ASSERT_EQ(pictures.copies.size(), 1u);
  const auto& clone = static_cast<const t_bild&>(*pictures.copies[0]);
  EXPECT_EQ(clone.number, 4);
  EXPECT_EQ(clone.pictureNumber, 3);  // 1, 2 and 7 are taken
  EXPECT_EQ(clone.name, "Start");
  EXPECT_EQ(clone.zoom, 1.0);
  EXPECT_EQ(clone.originX, 0);
  EXPECT_EQ(KeyValues(4), KeyValues(1));
  std::string objects, cloned;
  auto collect = [](std::string& into) { return [&](const std::string& l) { into += l + "\n"; }; };
  for (t_liste* o = start.objects.get(); o; o = o->next()) o->WriteProjectLines(collect(objects));
  for (t_liste* o = clone.objects.get(); o; o = o->next()) o->WriteProjectLines(collect(cloned));
  EXPECT_EQ(cloned, objects);
  EXPECT_NE(clone.objects.get(), start.objects.get());

  EXPECT_EQ(doc->History().Size(), 2u);
  doc->Undo();
  doc->Undo();
  EXPECT_EQ(Bytes(), original);
}

// --- where-used ---------------------------------------------------------------------

TEST_F(ListOperationsTest, WhereUsedNamesEveryObjectAndKey) {
  struct Case {
    RecordList list;
    int number;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {RecordList::Variables,
       1,
       {"Bild \"Start\": Ausgabefeld \"Anzeige\" (Schaltverhalten)",
        "Bild \"Start\": Gruppe \"Pumpe\" (Schaltverhalten)"}},
      {RecordList::Variables,
       2,
       {"Bild \"Start\": Ausgabefeld \"Anzeige\"",
        "Bild \"Start\": Gruppe \"Pumpe\" / Textlistenausgabe \"Zustand\"",
        "Bild \"Start\": Gruppe \"Pumpe\" / Rechteck \"Lampe\" (Schaltverhalten)"}},
      {RecordList::Variables, 3, {}},  // a switching rule that is off uses nothing
      {RecordList::TextLists,
       1,
       {"Bild \"Start\": Gruppe \"Pumpe\" / Textlistenausgabe \"Zustand\"",
        "Bild \"Haupt\": Textlistenausgabe \"Liste\""}},
      {RecordList::TextLists, 2, {}},
      {RecordList::Pictures, 2, {"Bild \"Start\": Taste F2", "Bild \"Info\": Taste F1"}},
      {RecordList::Pictures, 3, {"Bild \"Start\": Taste Shift-F1", "Bild \"Haupt\": Taste F3"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.list)) + " " + std::to_string(c.number));
    EXPECT_EQ(WhereUsed(c.list, c.number), c.lines);
    if (c.list != RecordList::Pictures) {
      EXPECT_EQ(IsInUse(Project(), c.list, *Record(c.list, c.number)), !c.lines.empty());
    }
  }
}

TEST_F(ListOperationsTest, KeyNamesFollowTheLevels) {
  const std::pair<int, const char*> cases[] = {{1, "F1"},        {14, "Shift-F2"}, {49, "F13"},
                                               {112, "Alt-F16"}, {129, "S1"},      {236, "Alt-S12"},
                                               {53, "#53"}};
  for (const auto& [number, name] : cases) EXPECT_EQ(KeyName(number), name) << number;
}

// --- deletion ------------------------------------------------------------------------

// Deleting is one step that takes every reference along; Undo gives the
// file back byte for byte, Redo the edited one.
TEST_F(ListOperationsTest, DeletionIsOneStepWithItsReferences) {
  struct Case {
    const char* what;
    RecordList list;
    std::vector<int> numbers;
    UsedRecords used;
    std::vector<int> kept;
    std::function<void(ListOperationsTest&)> check;
  };
  const Case cases[] = {
      {"used variable kept, stale switching rule cleared",
       RecordList::Variables,
       {1, 3, 5},
       UsedRecords::Keep,
       {1},
       [](ListOperationsTest& t) {
         EXPECT_EQ(t.Numbers(RecordList::Variables), (std::vector<int>{1, 2, 4}));
         EXPECT_EQ(ObjectAt(PictureAt(t.Project(), 1), 3)->GetSwitching().variable, 0);
       }},
      {"variable with its references",
       RecordList::Variables,
       {2},
       UsedRecords::DeleteWithReferences,
       {},
       [](ListOperationsTest& t) {
         EXPECT_FALSE(t.AnyObject([](const t_objekt& o) { return o.UsesVariable(2); }));
         t_objekt* anzeige = ObjectAt(PictureAt(t.Project(), 1), 1);
         EXPECT_EQ(anzeige->GetSwitching(), (t_schaltung{3, 5, 1}));  // tests variable 1
         EXPECT_EQ(static_cast<tausobj*>(anzeige)->variable(), 0);
         auto* group = static_cast<t_gruppe*>(ObjectAt(PictureAt(t.Project(), 1), 2));
         EXPECT_EQ(group->GetSwitching(), (t_schaltung{8, 1, 1}));
         EXPECT_EQ(static_cast<t_objekt*>(group->FirstMember()->next())->GetSwitching(),
                   t_schaltung{});
       }},
      {"used text list kept",
       RecordList::TextLists,
       {1, 2},
       UsedRecords::Keep,
       {1},
       [](ListOperationsTest& t) {
         EXPECT_EQ(t.Numbers(RecordList::TextLists), (std::vector<int>{1}));
       }},
      {"text list with its references",
       RecordList::TextLists,
       {1},
       UsedRecords::DeleteWithReferences,
       {},
       [](ListOperationsTest& t) {
         EXPECT_FALSE(t.AnyObject([](const t_objekt& o) { return o.UsesTextList(1); }));
         EXPECT_TRUE(t.AnyObject([](const t_objekt& o) { return o.UsesVariable(4); }));
       }},
      {"keys follow the pictures",
       RecordList::Pictures,
       {1},
       UsedRecords::Keep,
       {},
       [](ListOperationsTest& t) {
         // Haupt: F1 called Start (gone), F3 called Info (now second).
         EXPECT_EQ(t.KeyValues(1), (std::vector<std::uint16_t>{3002}));
         // Info: F1 called Haupt (now first), F4 called Start.
         EXPECT_EQ(t.KeyValues(2), (std::vector<std::uint16_t>{1001}));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    std::vector<t_liste*> records;
    for (int n : c.numbers) records.push_back(Record(c.list, n));
    const DeleteOutcome outcome = DeleteRecords(*doc, c.list, records, c.used);
    ASSERT_TRUE(outcome.result);
    std::vector<int> kept;
    for (const t_liste* r : outcome.kept) kept.push_back(r->number);
    EXPECT_EQ(kept, c.kept);
    EXPECT_EQ(doc->History().Size(), 1u);
    c.check(*this);
    const std::string edited = Bytes();
    doc->Undo();
    EXPECT_EQ(Bytes(), original);
    doc->Redo();
    EXPECT_EQ(Bytes(), edited);
  }
}

// Fields whose variable (text list) goes with its references are set to 0,
// which stands for none; while a record numbered 0 stays, that would point
// them at it, so nothing is deleted. Switching rules are switched off and
// never point anywhere.
TEST_F(ListOperationsTest, ReferencesAreNotClearedOntoARecordNumberedZero) {
  std::string text = kProject;
  text.insert(text.find("[Alarms]"), "-Variable(0;010,010;3;2;1;\"Null\")\r\n");
  text.insert(text.find("[Pictures]"),
              "-TextList(\"Null\";0;Bit)\r\n-Text(\"n\";1)\r\n-TextListEnd\r\n");
  struct Case {
    RecordList list;
    std::vector<int> numbers;
    bool refused;
  };
  const Case cases[] = {
      {RecordList::Variables, {2}, true},      // a field uses 2
      {RecordList::Variables, {1}, false},     // only switching rules use 1
      {RecordList::Variables, {2, 0}, false},  // 0 goes as well
      {RecordList::TextLists, {1}, true},     {RecordList::TextLists, {0}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.list)) + " " + std::to_string(c.numbers[0]) +
                 " of " + std::to_string(c.numbers.size()));
    doc = std::make_unique<Document>(installed.ReadText(text));
    const std::string before = Bytes();
    std::vector<t_liste*> records;
    for (int n : c.numbers) records.push_back(Record(c.list, n));
    const DeleteOutcome outcome =
        DeleteRecords(*doc, c.list, records, UsedRecords::DeleteWithReferences);
    EXPECT_EQ(!outcome.result, c.refused);
    if (c.refused) {
      EXPECT_EQ(outcome.result.error.entry, txt::kNullVergeben.entry);
      EXPECT_TRUE(outcome.deleted.empty());
      EXPECT_FALSE(doc->CanUndo());
      EXPECT_EQ(Bytes(), before);
    } else {
      EXPECT_EQ(outcome.deleted.size(), c.numbers.size());
      for (int n : c.numbers) EXPECT_EQ(Record(c.list, n), nullptr) << n;
    }
  }
}

// A record that shares its number with one that stays leaves the references
// alone: they still name a record that exists.
TEST_F(ListOperationsTest, ATwinNumberKeepsItsReferences) {
  std::string text = kProject;
  text.insert(text.find("[Alarms]"), "-Variable(2;010,012;3;2;1;\"Pumpe2\")\r\n");
  doc = std::make_unique<Document>(installed.ReadText(text));
  const std::vector<std::string> before = WhereUsed(RecordList::Variables, 2);
  t_liste* first[] = {Record(RecordList::Variables, 2)};
  ASSERT_TRUE(
      DeleteRecords(*doc, RecordList::Variables, first, UsedRecords::DeleteWithReferences).result);
  ASSERT_NE(Record(RecordList::Variables, 2), nullptr);
  EXPECT_EQ(Record(RecordList::Variables, 2)->name, "Pumpe2");
  EXPECT_EQ(WhereUsed(RecordList::Variables, 2), before);
}

TEST_F(ListOperationsTest, NothingToDeleteIsNoStep) {
  t_liste* used[] = {Record(RecordList::Variables, 1), Record(RecordList::Variables, 2)};
  const DeleteOutcome outcome = DeleteRecords(*doc, RecordList::Variables, used, UsedRecords::Keep);
  EXPECT_TRUE(outcome.result);
  EXPECT_TRUE(outcome.deleted.empty());
  EXPECT_EQ(outcome.kept.size(), 2u);
  EXPECT_FALSE(doc->CanUndo());
  EXPECT_EQ(Bytes(), original);
}

// --- renaming and renumbering ------------------------------------------------------

TEST_F(ListOperationsTest, PictureNamesCompareLettersAToZWithoutCase) {
  t_bild& haupt = PictureAt(Project(), 2);
  PictureAt(Project(), 3).name =
      "\xDC"
      "bersicht";  // Übersicht
  const std::pair<const char*, bool> cases[] = {
      {"START", true},
      {"start", true},
      {"Start ", false},
      {"HAUPT", false},  // itself
      {"\xDC"
       "BERSICHT",
       true},
      {"\xFC"
       "bersicht",
       false},  // ü and Ü are not A to Z
  };
  for (const auto& [name, taken] : cases)
    EXPECT_EQ(PictureNameTaken(Project(), haupt, name), taken) << name;
}

TEST_F(ListOperationsTest, RenamingIsOneStep) {
  ASSERT_TRUE(RenameRecord(*doc, RecordList::Pictures, PictureAt(Project(), 2), "Neu"));
  ASSERT_TRUE(RenameRecord(*doc, RecordList::Variables, *Record(RecordList::Variables, 2), "P"));
  EXPECT_EQ(PictureAt(Project(), 2).name, "Neu");
  EXPECT_EQ(Record(RecordList::Variables, 2)->name, "P");
  ASSERT_TRUE(RenameRecord(*doc, RecordList::Variables, *Record(RecordList::Variables, 2), "P"));
  EXPECT_EQ(doc->History().Size(), 2u);  // the same name is no step
  doc->Undo();
  doc->Undo();
  EXPECT_EQ(Bytes(), original);
}

// A renumbered variable (text list) takes its references along in one step.
TEST_F(ListOperationsTest, RenumberingTakesTheReferencesAlong) {
  struct Case {
    RecordList list;
    int from, to;
  };
  for (const Case& c : {Case{RecordList::Variables, 2, 9}, Case{RecordList::Variables, 3, 8},
                        Case{RecordList::TextLists, 1, 6}}) {
    SCOPED_TRACE(c.from);
    SetUp();
    const std::vector<std::string> before = WhereUsed(c.list, c.from);
    ASSERT_TRUE(
        RenumberRecord(*doc, c.list, *Record(c.list, c.from), static_cast<std::uint16_t>(c.to)));
    EXPECT_EQ(Record(c.list, c.from), nullptr);
    EXPECT_EQ(WhereUsed(c.list, c.to), before);
    EXPECT_EQ(doc->History().Size(), 1u);
    if (c.from == 3) {  // the switching rule that is off follows as well
      EXPECT_EQ(ObjectAt(PictureAt(Project(), 1), 3)->GetSwitching().variable, 8);
    }
    doc->Undo();
    EXPECT_EQ(Bytes(), original);
  }
  const EditResult taken =
      RenumberRecord(*doc, RecordList::Variables, *Record(RecordList::Variables, 2), 1);
  EXPECT_FALSE(taken);
  EXPECT_EQ(taken.error.entry, txt::kNummerVergeben.entry);
  EXPECT_EQ(Bytes(), original);
}

// --- filter -------------------------------------------------------------------------

TEST(RowFilterTest, MatchesAnyShownTextWithoutRegardToCase) {
  RowFilter filter;
  filter.SetRows({{"Motor", "1", "DB10 DW0"},
                  {"\xDC"
                   "berlauf",
                   "12", "DB10 DW2"},
                  {"Pumpe", "21", "DB11 DW0"}});
  struct Case {
    const char* typed;
    std::vector<bool> matches;
  };
  const Case cases[] = {
      {"", {true, true, true}},
      {"MOTOR", {true, false, false}},
      {"1", {true, true, true}},
      {"12", {false, true, false}},
      {"\xFC"
       "ber",
       {false, true, false}},  // ü finds Ü
      {"dw0", {true, false, true}},
      {"r1", {false, false, false}},  // not across cells
      {"x", {false, false, false}},
  };
  for (const Case& c : cases) {
    filter.SetText(c.typed);
    std::vector<bool> got;
    for (std::size_t i = 0; i < filter.RowCount(); ++i) got.push_back(filter.Matches(i));
    EXPECT_EQ(got, c.matches) << c.typed;
    EXPECT_EQ(filter.MatchCount(),
              static_cast<std::size_t>(std::count(got.begin(), got.end(), true)));
  }
}

}  // namespace
}  // namespace tavo

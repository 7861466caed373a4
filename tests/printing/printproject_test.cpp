#include <gtest/gtest.h>

#include <algorithm>

#include "objects/bitmap/tqvxbitmap.h"
#include "objects/fields/fields.h"
#include "printing/printout_fixture.h"
#include "printing/printproject.h"
#include "shell/settings.h"

namespace tavo::testing {
namespace {

std::vector<double> BlockTops(const std::vector<const PageBlock*>& blocks) {
  std::vector<double> tops;
  for (const PageBlock* b : blocks) tops.push_back(b->place.y);
  return tops;
}

class PrintLayoutTest : public ::testing::Test {
 protected:
  PrintBench bench;
  std::unique_ptr<t_projekt> project = EmptyPrintProject();
};

TEST_F(PrintLayoutTest, EverythingOffGivesOnePageWithOnlyItsHeader) {
  AddAlarm(*project, 1, "Kessel");
  AddVariable(*project, 1, 10, "Druck");
  AddPicture(*project, 1, "Start");
  const Printout out = bench.Build(*project, NothingPrinted());
  ASSERT_EQ(out.pages.size(), 1u);
  ASSERT_EQ(out.pages[0].items.size(), 1u);
  const auto& header = std::get<PageBlock>(out.pages[0].items[0]);
  EXPECT_EQ(header.block.width, 846);
  EXPECT_EQ(header.block.height, 64);
  EXPECT_DOUBLE_EQ(header.place.x, 20);
  EXPECT_DOUBLE_EQ(header.place.y, 7);
  EXPECT_DOUBLE_EQ(header.place.width, 170);
  EXPECT_DOUBLE_EQ(header.place.height, 13);
  const auto texts = BlockTexts(out.pages[0]);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Projekt: Anlage"), texts.end());
  const std::string pageAndDate = "Seite: 1" + std::string(10, ' ') + "Datum: 24.12.2026";
  EXPECT_NE(std::find(texts.begin(), texts.end(), pageAndDate), texts.end());
}

// The alarm pages: 19 blocks under the project block, then 23 a page, the
// title repeated, and the shading alternating across every break.
TEST_F(PrintLayoutTest, AlarmsFillNineteenThenTwentyThreeBlocksAPage) {
  for (int i = 1; i <= 19 + 23 + 2; ++i) AddAlarm(*project, i, "Alarm " + std::to_string(i));
  PrintOptions options = NothingPrinted();
  options.projectInfo = true;
  options.alarms = true;
  const Printout out = bench.Build(*project, options);
  ASSERT_EQ(out.pages.size(), 3u);

  std::vector<std::vector<const PageBlock*>> alarms;
  for (const PrintPage& page : out.pages) alarms.push_back(BlocksStartingWith(page, "Nummer"));
  ASSERT_EQ(alarms[0].size(), 19u);
  ASSERT_EQ(alarms[1].size(), 23u);
  ASSERT_EQ(alarms[2].size(), 2u);

  std::vector<double> first, second;
  for (int i = 0; i < 19; ++i) first.push_back(72 + 11 * i);
  for (int i = 0; i < 23; ++i) second.push_back(27 + 11 * i);
  EXPECT_EQ(BlockTops(alarms[0]), first);
  EXPECT_EQ(BlockTops(alarms[1]), second);
  EXPECT_EQ(alarms[0][0]->place.width, 181);
  EXPECT_EQ(alarms[0][0]->place.height, 10);
  for (const PrintPage& page : out.pages) {
    const auto titles = Titles(page);
    EXPECT_EQ(std::count(titles.begin(), titles.end(), "Alarme"), 1);
  }

  std::vector<const PageBlock*> all;
  for (const auto& page : alarms) all.insert(all.end(), page.begin(), page.end());
  for (std::size_t i = 0; i < all.size(); ++i)
    EXPECT_EQ(ShadeOf(*all[i]), i % 2 == 0 ? kPrintShade : kPrintWhite) << "alarm " << i + 1;
}

TEST_F(PrintLayoutTest, AlarmBlockCrossesItsFlagsAndWrapsItsText) {
  project->terminal->width = 320;  // 220 pixels of text: 27 cells of 8
  AddAlarm(*project, 7, std::string(30, 'x'), t_alarme::kDynamic | t_alarme::kHistoryGoes);
  PrintOptions options = NothingPrinted();
  options.alarms = true;
  const Printout out = bench.Build(*project, options);
  const auto blocks = BlocksStartingWith(out.pages[0], "Nummer");
  ASSERT_EQ(blocks.size(), 1u);
  std::vector<int> crossedAt;
  std::vector<std::pair<int, std::string>> messageLines;
  for (const BlockOp& op : blocks[0]->block.ops) {
    if (const auto* l = std::get_if<BlockLine>(&op); l && l->x1 < l->x2) crossedAt.push_back(l->x1);
    if (const auto* t = std::get_if<BlockText>(&op); t && t->x == 251)
      messageLines.push_back({t->y, t->text});
  }
  EXPECT_EQ(crossedAt, (std::vector<int>{82, 178}));
  ASSERT_EQ(messageLines.size(), 2u);
  EXPECT_EQ(messageLines[0], (std::pair<int, std::string>{1, std::string(27, 'x')}));
  EXPECT_EQ(messageLines[1], (std::pair<int, std::string>{16, std::string(3, 'x')}));
  const auto texts = BlockTexts(out.pages[0]);
  EXPECT_NE(std::find(texts.begin(), texts.end(), " 7"), texts.end());
}

struct KeyCase {
  int key;
  const char* label;
};

class KeyLabelTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyLabelTest, NamesTheKeyAndItsLevel) {
  EXPECT_EQ(KeyLabel(GetParam().key), GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyLabelTest,
                         ::testing::Values(KeyCase{1, "F1"}, KeyCase{12, "F12"},
                                           KeyCase{13, "Shift-F1"}, KeyCase{25, "Ctrl-F1"},
                                           KeyCase{48, "Alt-F12"}, KeyCase{49, "F13"},
                                           KeyCase{72, "Shift-F16"}, KeyCase{129, "S1"},
                                           KeyCase{236, "Alt-S12"}, KeyCase{53, "#53"},
                                           KeyCase{256, "#256"}));

TEST(PrintRowTexts, KeyRowCutsItsLabelAndNamesThePictureAtTheValue) {
  auto project = EmptyPrintProject();
  AddPicture(*project, 1, "Start");
  AddPicture(*project, 2, "Kessel");
  GermanTranslator german;
  EXPECT_EQ(KeyRowText(13, 2, *project, german), "Shift-F1  Bildaufruf Kessel");
  EXPECT_EQ(KeyRowText(69, 1, *project, german), "Shift-F13 Bildaufruf Start");
  // A value past the list's end names nothing.
  EXPECT_EQ(KeyRowText(48, 3, *project, german), "Alt-F12   Bildaufruf ");
}

TEST(PrintRowTexts, SiemensAddressStandsDirectlyBeforeTheLength) {
  t_steuerung siemens;
  siemens.addressFormat = 1;
  t_variable v;
  v.address = (3 << 8) | 12;
  v.length = 2;
  v.type = 3;
  v.name = "Druck";
  const std::string type = VarTypeTable[3].intelName;
  EXPECT_EQ(VariableRowText(v, &siemens), "003,012   2    " + type + " Druck");
  EXPECT_EQ(VariableRowText(v, nullptr), "  780     2    " + type + " Druck");
  GermanTranslator german;
  EXPECT_EQ(VariableHeaderText(&siemens, german), "DB,DW   L\xE4nge  Typ       Name");
  EXPECT_EQ(VariableHeaderText(nullptr, german), "Adresse L\xE4nge  Typ       Name");
}

TEST(PrintRowTexts, TextListValues) {
  struct Case {
    std::uint16_t value;
    bool valueList;
    const char* row;
  } cases[] = {
      {8, false, "  Bit 3      -->     Ein"},     {3, false, "  error     -->     Ein"},
      {32768, false, "  Bit 15     -->     Ein"}, {1, false, "  Bit 0      -->     Ein"},
      {0, false, "  error     -->     Ein"},      {42, true, "      42     -->     Ein"},
  };
  for (const Case& c : cases) {
    t_text t;
    t.value = c.value;
    t.name = "Ein";
    EXPECT_EQ(TextRowText(t, c.valueList), c.row) << c.value;
  }
}

TEST_F(PrintLayoutTest, SelectionPrintsOnlyThatPictureWithoutBreaksForOthers) {
  for (int n = 1; n <= 6; ++n) {
    t_bild& b = AddPicture(*project, n, "Bild " + std::to_string(n));
    b.Key(1)->value = 1;
  }
  PrintOptions options = NothingPrinted();
  options.pictures = PictureScope::Selection;
  options.selectedPicture = 5;
  const Printout out = bench.Build(*project, options);
  ASSERT_EQ(out.pages.size(), 1u);
  const auto rows = BlocksStartingWith(out.pages[0], "000");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(BlockTexts(out.pages[0]).back(), "F1        Bildaufruf Bild 1");
  const auto texts = BlockTexts(out.pages[0]);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "00005    Bild 5"), texts.end());
}

TEST_F(PrintLayoutTest, EveryPictureStartsAPageAndListsItsVariablesAndKeys) {
  AddVariable(*project, 1, 100, "Druck");
  AddVariable(*project, 2, 200, "Temperatur");
  t_bild& first = AddPicture(*project, 1, "Start");
  AddPicture(*project, 2, "Kessel");
  auto field = std::make_unique<tausobj>();
  field->SetVariable(2);
  AppendNode(first.objects, std::move(field));
  first.Key(13)->value = 2;
  PrintOptions options = NothingPrinted();
  options.pictures = PictureScope::All;
  const Printout out = bench.Build(*project, options);
  ASSERT_EQ(out.pages.size(), 2u);
  EXPECT_EQ(Titles(out.pages[0]),
            (std::vector<std::string>{"Bildinfo", "Bild", "Im Bild verwendete Variablen",
                                      "Tastenbelegung"}));
  const auto texts = BlockTexts(out.pages[0]);
  EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                          [](const std::string& t) { return t.find("Temperatur") != t.npos; }),
            1);
  EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                          [](const std::string& t) { return t.find("Druck") != t.npos; }),
            0);
  EXPECT_EQ(texts.back(), "Shift-F1  Bildaufruf Kessel");
  EXPECT_EQ(Titles(out.pages[1]), (std::vector<std::string>{"Bildinfo", "Bild"}));

  // The drawing: a black frame around the terminal area, 61.5 x 47 mm at y 42.
  const auto& drawing = std::get<PageBlock>(out.pages[0].items[5]);
  EXPECT_EQ(drawing.block.width, 642);
  EXPECT_EQ(drawing.block.height, 482);
  EXPECT_DOUBLE_EQ(drawing.place.y, 42);
  EXPECT_DOUBLE_EQ(drawing.place.width, 61.5);
  EXPECT_DOUBLE_EQ(drawing.place.height, 47);
}

TEST_F(PrintLayoutTest, PictureThatCannotBeDrawnSaysWhy) {
  project->terminal->width = 480;
  AddPicture(*project, 1, "Start");
  PrintOptions options = NothingPrinted();
  options.pictures = PictureScope::All;
  const Printout out = bench.Build(*project, options);
  const auto notes = Notes(out.pages[0]);
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0], "Bild nicht darstellbar");
  EXPECT_NE(notes[1].find("Terminalbreite 480 Pixel"), std::string::npos);
  EXPECT_EQ(std::count_if(out.pages[0].items.begin(), out.pages[0].items.end(),
                          [](const PageItem& i) { return std::holds_alternative<PageFrame>(i); }),
            1);
}

TEST_F(PrintLayoutTest, MissingBitmapIsMarkedAndNamed) {
  t_bild& b = AddPicture(*project, 1, "Start");
  auto bmp = std::make_unique<tqvxbitmap>();
  bmp->file = "/nowhere/logo.bmp";
  bmp->SetCorners(10, 20, 60, 50);
  AppendNode(b.objects, std::move(bmp));
  PrintOptions options = NothingPrinted();
  options.pictures = PictureScope::All;
  const Printout out = bench.Build(*project, options);
  EXPECT_EQ(Notes(out.pages[0]),
            (std::vector<std::string>{"Bitmap nicht gefunden: /nowhere/logo.bmp"}));
  const auto& drawing = std::get<PageBlock>(out.pages[0].items[5]);
  bool marked = false;
  for (const BlockOp& op : drawing.block.ops)
    if (const auto* f = std::get_if<BlockFrame>(&op))
      marked = marked || (f->left == 11 && f->top == 21 && f->right == 62 && f->bottom == 52 &&
                          f->colour == kPrintProblem);
  EXPECT_TRUE(marked);
}

TEST_F(PrintLayoutTest, TextListHeadRepeatsOnTheNextPage) {
  auto list = std::make_unique<t_textliste>();
  list->name = "Zustand";
  for (int i = 0; i < 150; ++i) {
    auto t = std::make_unique<t_text>();
    t->value = static_cast<std::uint16_t>(i);
    t->name = "Text " + std::to_string(i);
    AppendNode(list->texts, std::move(t));
  }
  list->valueList = true;
  AppendNode(project->textLists, std::move(list));
  PrintOptions options = NothingPrinted();
  options.textLists = true;
  const Printout out = bench.Build(*project, options);
  ASSERT_EQ(out.pages.size(), 2u);
  for (const PrintPage& page : out.pages) {
    EXPECT_EQ(Titles(page), (std::vector<std::string>{"Textlisten"}));
    EXPECT_EQ(BlocksStartingWith(page, "Bezeichnung        : Zustand").size(), 1u);
  }
  // Rows run while y <= 272: head at 27 (12 mm), rows from 39 in steps of 2.
  const auto rowsOnFirst = BlocksStartingWith(out.pages[0], "  ");
  ASSERT_FALSE(rowsOnFirst.empty());
  EXPECT_DOUBLE_EQ(rowsOnFirst.front()->place.y, 39);
  EXPECT_DOUBLE_EQ(rowsOnFirst.back()->place.y, 271);
  EXPECT_EQ(rowsOnFirst.size() + BlocksStartingWith(out.pages[1], "  ").size(), 150u);
}

TEST_F(PrintLayoutTest, MarginsMoveTheLayoutAndTheBottomMarginBreaksEarlier) {
  for (int i = 1; i <= 30; ++i) AddAlarm(*project, i, "A");
  PrintOptions options = NothingPrinted();
  options.alarms = true;
  std::string error;
  options.page = MakePageGeometry("Letter", 25, 5, 20, &error);
  ASSERT_EQ(error, "");
  const Printout out = bench.Build(*project, options);
  const auto first = BlocksStartingWith(out.pages[0], "Nummer");
  ASSERT_FALSE(first.empty());
  EXPECT_DOUBLE_EQ(first.front()->place.x, 25);
  EXPECT_DOUBLE_EQ(first.front()->place.y, 5 + 27);
  // The room is 279.4 - 25 mm: blocks start while y < 254.4 - 24.
  EXPECT_LT(first.back()->place.y - 5, 279.4 - 25 - 24);
  EXPECT_GE(first.back()->place.y - 5 + 11, 279.4 - 25 - 24);
}

TEST(PrintOptionsTest, SettingsGiveTheScopeAndTheSelectionStartsAtOne) {
  PrintSettings s;
  s.printImages = 3;
  s.printVars = 1;
  PrintOptions o = OptionsFromSettings(s);
  EXPECT_EQ(o.pictures, PictureScope::Selection);
  EXPECT_EQ(o.selectedPicture, 1);
  EXPECT_FALSE(o.variables);
  EXPECT_TRUE(o.alarms);
  EXPECT_EQ(o.page.paper, "A4");
  PrintSettings back;
  StoreOptions(o, back);
  EXPECT_EQ(back.printImages, 3);
  EXPECT_EQ(back.printVars, 1);
  EXPECT_EQ(back.printAlarms, 0);
}

TEST(PrintOptionsTest, PageGeometryThatCannotHoldTheBlocksIsRefused) {
  struct Case {
    const char* paper;
    double left, top, bottom;
    bool ok;
  } cases[] = {
      {"a4", 20, 0, 0, true},      {"Letter", 30, 10, 10, true}, {"A5", 20, 0, 0, false},
      {"A4", 30, 0, 0, false},     {"A4", -1, 0, 0, false},      {"A4", 20, 100, 50, false},
      {"legal", 10, 20, 20, true},
  };
  for (const Case& c : cases) {
    std::string error;
    const PageGeometry g = MakePageGeometry(c.paper, c.left, c.top, c.bottom, &error);
    EXPECT_EQ(error.empty(), c.ok) << c.paper << " " << c.left << ": " << error;
    if (!c.ok) {
      EXPECT_EQ(g.paper, "A4");
    }
  }
  PrintSettings s;
  s.paper = "B5";
  std::string error;
  EXPECT_EQ(OptionsFromSettings(s, &error).page.height, 297);
  EXPECT_NE(error.find("B5"), std::string::npos);
}

}  // namespace
}  // namespace tavo::testing

// Fields and graphs: shown texts, extents, drawing, text lists and renumbering.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "objects/binary.h"
#include "objects/fields/fields.h"
#include "objects/gruppe.h"
#include "objects/objectkinds.h"
#include "objects/recording_canvas.h"
#include "project/records.h"
#include "shell/language.h"

namespace tavo {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::RecordingCanvas;
using Bytes = std::vector<std::uint8_t>;

LocalTime At(int hour, int minute, int day = 5, int month = 3, int year = 2024) {
  return {year, month, day, hour, minute};
}

// A view at zoom 1 that records texts as "Text(x,y,opaque,text,font)".
struct TextView {
  RecordingCanvas canvas;
  tview view{&canvas};
  std::vector<std::string> texts;
  TextView() {
    view.SetZoom(1);
    view.SetTextRenderer([this](Canvas&, int x, int y, Rgb, const std::string& text,
                                const std::string& font, bool opaque, Rgb, double) {
      texts.push_back("Text(" + std::to_string(x) + "," + std::to_string(y) + "," +
                      (opaque ? "opaque," : "clear,") + text + "," + font + ")");
    });
  }
};

ListPtr TextListOf(std::uint16_t number, std::initializer_list<const char*> texts) {
  auto list = std::make_unique<t_textliste>();
  list->number = number;
  t_liste* last = nullptr;
  std::uint16_t value = 0;
  for (const char* t : texts) {
    auto text = std::make_unique<t_text>();
    text->name = t;
    text->value = value++;
    last = AppendNode(list->texts, last, std::move(text));
  }
  return list;
}

// --- time and date texts ---------------------------------------------------------------

TEST(TimeTextTest, TwelveAndTwentyFourHourDisplays) {
  struct Case {
    std::uint8_t flags;
    int hour, minute;
    const char* text;
  };
  const Case cases[] = {
      {0, 9, 5, " 9:05 AM"},   {0, 12, 30, "12:30 PM"}, {0, 0, 10, "12:10 AM"},
      {0, 23, 59, "11:59 PM"}, {3, 9, 5, "09:05"},      {3, 0, 10, "00:10"},
      {1, 9, 5, " 9:05"},      {2, 9, 5, "09:05 AM"},
  };
  tZeitObj time;
  for (const Case& c : cases) {
    time.SetFormat(c.flags, " AM", " PM", ":");
    EXPECT_EQ(time.TimeText(At(c.hour, c.minute)), c.text) << int(c.flags) << " " << c.hour;
  }
}

TEST(DateTextTest, OrdersLeadingZerosAndCentury) {
  struct Case {
    std::uint8_t flags;
    const char* text;
    double right;  // extent right at x = 0, 8-pixel cells
  };
  const Case cases[] = {
      {2 + 8 + 16, "05.03.24", 64}, {2 + 8 + 16 + 32, "05.03.2024", 80}, {2, " 5. 3.24", 64},
      {1 + 8 + 16, "03.05.24", 64}, {4 + 8 + 16 + 32, "2024.03.05", 80}, {0, " 5. 3.24", 64},
  };
  tDatumObj date;
  for (const Case& c : cases) {
    date.SetFormat(c.flags, ".");
    EXPECT_EQ(date.DateText(At(10, 0)), c.text) << int(c.flags);
    EXPECT_EQ(date.GetExtent().right, c.right) << int(c.flags);
  }
}

TEST(TimeTextTest, ExtentCountsThePmTextOnlyInTwelveHourDisplay) {
  tZeitObj time;
  time.SetPosition(10, 0);
  time.SetFormat(0, " AM", " PM", ":");
  EXPECT_EQ(time.GetExtent().right, 10 + 8 * 8);
  time.SetFormat(1, " AM", " PM", ":");
  EXPECT_EQ(time.GetExtent().right, 10 + 5 * 8);
}

// --- drawing of the positioned fields ------------------------------------------------------

TEST(FieldDrawTest, ClockAndPlaceholdersInNormalMode) {
  TextView v;
  FieldContext context;
  context.now = At(9, 5);

  tZeitObj time;
  time.SetPosition(10.7, 20.2);
  time.SetFormat(0, " AM", " PM", ":");
  DrawObject(time, v.view, kDrawNormal, context);

  tausobj output;  // always transparent, whatever the fill colour
  output.SetPosition(100, 50);
  output.SetFillColour(0);
  output.Draw(v.view, kDrawNormal);

  tSkalAus scaled;  // opaque on its fill colour unless that is "none"
  scaled.SetDigits(3, 1);
  scaled.SetFillColour(0);
  scaled.Draw(v.view, kDrawNormal);
  scaled.SetFillColour(255);
  scaled.Draw(v.view, kDrawNormal);

  tausobj empty;  // digits 0, decimals 0: nothing to show, but two cells to hit
  empty.SetDisplay(false, 0, 0);
  empty.Draw(v.view, kDrawNormal);
  EXPECT_TRUE(empty.HitTest(16, 8));

  EXPECT_THAT(v.texts, ElementsAre("Text(10,20,opaque, 9:05 AM,SYST_008.FON)",
                                   "Text(100,50,clear,####.##,SYST_008.FON)",
                                   "Text(0,0,opaque,###.#,SYST_008.FON)",
                                   "Text(0,0,clear,###.#,SYST_008.FON)"));
}

TEST(FieldDrawTest, BlocksInDragAndOutlineMode) {
  TextView v;
  FieldContext context;
  context.now = At(9, 5);

  tZeitObj time;  // 8 cells for " 9:05 AM"
  time.SetFormat(0, " AM", " PM", ":");
  DrawObject(time, v.view, kDrawOutline, context);

  tausobj decimalsOnly;  // ".##": one cell narrower than its extent
  decimalsOnly.SetDisplay(false, 0, 2);
  decimalsOnly.Draw(v.view, kDrawOutline);
  EXPECT_EQ(decimalsOnly.GetExtent().right, 32);

  ttext text;
  text.SetPosition(10, 20);
  text.SetText("Abc");
  text.Draw(v.view, kDrawDrag);

  EXPECT_TRUE(v.texts.empty());
  EXPECT_THAT(v.canvas.Only("Rectangle"),
              ElementsAre("Rectangle(0,0,64,8)", "Rectangle(0,0,24,8)", "Rectangle(10,20,34,28)"));
  // The outline block is hollow, the dragged block filled.
  EXPECT_THAT(v.canvas.Only("Brush"), ::testing::Contains("BrushHollow"));
}

// --- text lists ------------------------------------------------------------------------------

TEST(TextListFieldTest, ShowsTheFirstTextPaddedToTheLongest) {
  ListPtr lists = TextListOf(2, {"Aus", "Ein", "Stoerung"});
  tTeLiObj field;
  field.SetTextList(2);
  field.SetPosition(10, 20);
  UpdateTextListExtents(field, lists.get());
  EXPECT_EQ(field.textLength(), 8);
  EXPECT_EQ(field.GetExtent().right, 10 + 8 * 8 - 1);
  EXPECT_EQ(field.GetExtent().bottom, 20 + 8 - 1);

  TextView v;
  FieldContext context;
  context.textLists = lists.get();
  DrawObject(field, v.view, kDrawNormal, context);
  DrawObject(field, v.view, kDrawOutline, context);
  // Without its list the field shows nothing.
  field.SetTextList(9);
  DrawObject(field, v.view, kDrawNormal, context);
  EXPECT_THAT(v.texts, ElementsAre("Text(10,20,opaque,Aus     ,SYST_008.FON)"));
  EXPECT_THAT(v.canvas.Only("Rectangle"), ElementsAre("Rectangle(10,20,73,27)"));
}

TEST(TextListFieldTest, InputFieldKeepsItsStoredLength) {
  ListPtr lists = TextListOf(1, {"Hand", "Automatik"});
  tEdLiObj field;
  field.SetTextList(1);
  field.SetTextLength(4);
  UpdateTextListExtents(field, lists.get());
  EXPECT_EQ(field.textLength(), 4);
  EXPECT_EQ(field.GetExtent().right, 4 * 8 - 1);
}

TEST(TextListFieldTest, RecordTakesTheFieldsListElseTheFirstElseNone) {
  ListPtr lists = TextListOf(1, {"Aus", "Ein"});
  AppendNode(lists, TextListOf(3, {"Z\xE4hler"}));
  static_cast<t_textliste*>(lists->next())->valueList = true;

  tEdLiObj field;
  field.SetVariable(6);
  const auto tail = [](const Bytes& record) { return Bytes(record.begin() + 24, record.end()); };

  field.SetTextList(3);
  Bytes record;
  WriteObjectBinary(field, record, lists.get());
  EXPECT_THAT(tail(record), ElementsAreArray(Bytes{2, 1, 0, 6, 6, 0, 0, 0, 6, 'Z', 0x84, 'h', 'l',
                                                   'e', 'r', 0, 0}));
  EXPECT_EQ(field.textLength(), 6);

  field.SetTextList(77);  // names no list: the first list instead
  record.clear();
  WriteObjectBinary(field, record, lists.get());
  EXPECT_THAT(tail(record), ElementsAreArray(Bytes{1,   2,   0, 3, 6, 0,   0,   0,   3, 'A',
                                                   'u', 's', 1, 0, 3, 'E', 'i', 'n', 0, 0}));

  record.clear();
  WriteObjectBinary(field, record, nullptr);  // a project without lists
  EXPECT_THAT(tail(record), ElementsAre(1, 0, 0, 0, 6, 0, 0, 0));
  EXPECT_EQ(field.textLength(), 0);
}

TEST(TextListFieldTest, ReadRecordBecomesTheSmallestFreeList) {
  ListPtr source = TextListOf(1, {"Aus", "Ein"});
  static_cast<t_textliste&>(*source).valueList = true;
  tTeLiObj field;
  field.SetTextList(1);
  t_gruppe group;
  group.AppendMember(field.Clone());
  Bytes record;
  WriteObjectBinary(group, record, source.get());

  RecordRead read = ReadObjectRecord(MemoryReader(record.data(), record.size()));
  ASSERT_TRUE(read.complete);
  ListPtr project = TextListOf(1, {"a"});
  AppendNode(project, TextListOf(3, {"b"}));
  GermanTranslator german;
  AdoptRecordTextLists(*read.object, project, german);

  ASSERT_EQ(CountNodes(project.get()), 3);
  const auto& created = static_cast<const t_textliste&>(*project->next()->next());
  EXPECT_EQ(created.number, 2);
  EXPECT_EQ(created.name, "Textliste 2");
  EXPECT_TRUE(created.valueList);
  EXPECT_EQ(CountNodes(created.texts.get()), 2);
  EXPECT_EQ(created.texts->next()->name, "Ein");
  const auto& member =
      static_cast<const tTeLiObj&>(*static_cast<t_gruppe&>(*read.object).FirstMember());
  EXPECT_EQ(member.textList(), 2);
  EXPECT_FALSE(member.hasRecordTexts());
}

TEST(TextListFieldTest, RecordWithMoreThan256TextsKeepsTheFirstAndStaysInStep) {
  Bytes record = {15, 15, 1, 1, 0, 1, 0, 0, 0, 0};
  for (char c : std::string("SYST_008.FON")) record.push_back(static_cast<std::uint8_t>(c));
  record.insert(record.end(), {8, 8, 1, 0x2C, 0x01, 1, 4, 0});  // 300 texts, length 1, var 4
  for (int i = 0; i < 300; ++i)
    record.insert(record.end(), {static_cast<std::uint8_t>(i & 0xFF), 0, 1, 'x'});
  record.insert(record.end(), {3, 0, 0x81, 0, 0, 0, 0, 0, 9, 0});  // switching = 1 on var 9

  RecordRead read = ReadObjectRecord(MemoryReader(record.data(), record.size()));
  ASSERT_TRUE(read.complete);
  const auto& field = static_cast<const tTeLiObj&>(*read.object);
  EXPECT_EQ(field.recordTexts().size(), tTeLiObj::kMaxRecordTexts);
  EXPECT_EQ(field.variable(), 4);
  EXPECT_EQ(field.GetSwitching().variable, 9);
}

// --- variables and text lists in use -----------------------------------------------------------

TEST(RenumberTest, FieldsRenumberTheirOwnVariableAndTheSwitching) {
  t_schaltung rule;
  rule.action = 3;
  rule.variable = 12;
  tausobj output;
  output.SetVariable(12);
  output.SetSwitching(rule);
  t_plotgraf plot;
  plot.SetVariables(3, 3);
  t_bargraf bar;
  bar.SetVariable(12);
  tSkalAus scaled;
  scaled.SetVariable(12);
  tTeLiObj list;
  list.SetVariable(12);
  list.SetTextList(4);

  std::vector<t_objekt*> objects = {&output, &bar, &scaled, &list};
  for (t_objekt* o : objects) {
    EXPECT_TRUE(o->UsesVariable(12));
    o->RenumberVariable(12, 15);
    EXPECT_TRUE(o->UsesVariable(15));
    EXPECT_FALSE(o->UsesVariable(12));
  }
  EXPECT_EQ(output.GetSwitching().variable, 15);
  plot.RenumberVariable(3, 4);
  EXPECT_EQ(plot.valueVariable(), 4);
  EXPECT_EQ(plot.statusVariable(), 4);

  EXPECT_TRUE(list.UsesTextList(4));
  list.RenumberTextList(4, 5);
  EXPECT_EQ(list.textList(), 5);
  EXPECT_FALSE(output.UsesTextList(0));
  ttext text;  // a static text uses no variable
  EXPECT_FALSE(text.UsesVariable(0));
}

// --- graphs ------------------------------------------------------------------------------------

TEST(GraphDrawTest, BarGraphUpwardsHasArrowAndBottomBand) {
  RecordingCanvas canvas;
  tview view(&canvas);
  view.SetZoom(1);
  t_bargraf bar;
  bar.SetCorners(0, 0, 100, 50);
  bar.Draw(view, kDrawNormal);
  EXPECT_THAT(canvas.Only("Polygon"), ElementsAre("Polygon((0,0)(100,0)(100,50)(0,50)(0,0))"));
  EXPECT_THAT(canvas.Only("FillRect"), ElementsAre("FillRect(0,40,100,50)"));
  EXPECT_THAT(canvas.Only("LineTo"), ElementsAre("LineTo(50,0)", "LineTo(25,12)", "LineTo(75,12)"));

  // Mirrored vertically the corners swap, the direction stays.
  bar.SetSelected(true);
  bar.Mirror(true, false);
  EXPECT_EQ(bar.Points()[0].y, 50);
  EXPECT_EQ(bar.Points()[1].y, 0);
  EXPECT_EQ(bar.direction(), 3);
}

TEST(GraphDrawTest, PlotGraphTimeAxisTicksAndLabels) {
  TextView v;
  t_plotgraf plot;
  plot.SetCorners(20, 10, 220, 110);
  plot.SetAxis(0, 1, 2, 3);
  plot.Draw(v.view, kDrawNormal);
  std::size_t ticks = 0;
  for (const std::string& call : v.canvas.Only("MoveTo"))
    if (call.find(",112)") != std::string::npos) ++ticks;
  EXPECT_EQ(ticks, 21u);
  ASSERT_EQ(v.texts.size(), 6u);
  EXPECT_EQ(v.texts.front(), "Text(5,120,clear,%%:%%,3_______.FON)");
  EXPECT_EQ(v.texts.back(), "Text(205,120,clear,%%:%%,3_______.FON)");
  EXPECT_EQ(plot.FontFile(), "3_______.FON");

  // Without fill the labels become crossed placeholders.
  TextView hollow;
  plot.SetFillColour(255);
  plot.Draw(hollow.view, kDrawNormal);
  EXPECT_TRUE(hollow.texts.empty());
  EXPECT_EQ(hollow.canvas.Only("Rectangle").size(), 6u);
}

TEST(GraphGeometryTest, RotateChangesNothingAndHandlesResizeBothCorners) {
  t_plotgraf plot;
  plot.SetCorners(10, 10, 110, 60);
  plot.Rotate(0, 0, 90);
  EXPECT_EQ(plot.Points()[1], (TermPoint{110, 60}));
  plot.SetSelected(true);
  plot.SetHandle(kSlotBottomRight, {210, 110});
  plot.FitToFrame();
  EXPECT_EQ(plot.Points()[0], (TermPoint{10, 10}));
  EXPECT_EQ(plot.Points()[1], (TermPoint{210, 110}));
  EXPECT_TRUE(plot.HitTest(210, 110));
  EXPECT_FALSE(plot.HitTest(211, 110));
}

TEST(FieldGeometryTest, FieldsMoveButNeverResizeRotateOrMirror) {
  ObjectPtr field = CreateObjectOfKind(kKindAusgabe);
  auto& output = static_cast<tausobj&>(*field);
  output.SetPosition(100, 50);
  output.SetSelected(true);
  output.Mirror(true, true);
  output.Rotate(0, 0, 45);
  EXPECT_EQ(output.x(), 100);
  output.MoveBy(-5, 7);
  output.UpdateExtent();
  EXPECT_EQ(output.GetExtent().left, 95);
  EXPECT_EQ(output.GetExtent().bottom, 65);
  ObjectPtr copy = output.Clone();
  EXPECT_EQ(static_cast<tausobj&>(*copy).y(), 57);
}

}  // namespace
}  // namespace tavo

// The palette and the tools on the sheet, driven by real mouse and key
// events: creating every kind, selecting, moving, resizing and deleting,
// each an undoable step of the document; the gestures' edge cases; and what
// happens when a drag or a creation is cut short.

#include <QAction>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <cmath>
#include <functional>
#include <vector>

#include "document/edits.h"
#include "editor/sheet/picturepage.h"
#include "editor/sheet/tools/sheettoolbox.h"
#include "editor/uitext.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "objects/fields/fields.h"
#include "objects/gruppe.h"
#include "sheet_testing.h"
#include "shell/messageboxes.h"

namespace tavo {
namespace {

// Where the gestures of the tests create their objects: nothing lies there.
constexpr int F = 160;

std::unique_ptr<t_rechteck> Rect(double x1, double y1, double x2, double y2) {
  auto r = std::make_unique<t_rechteck>();
  r->SetCorners(x1, y1, x2, y2);
  r->UpdateExtent();
  return r;
}

class SheetTools : public testing::SheetTesting {
 protected:
  void SetUp() override {
    SheetTesting::SetUp();
    settings().fangStyle = 0;  // the snap has a test of its own
    page_ = std::make_unique<PicturePage>(workspace());
    page_->resize(900, 640);
    page_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(page_.get()));
    page_->SetMessageBox(&box_);
    document_ = std::make_unique<Document>(MakeProject());
    picture_ = &FirstPicture(document_->Project());
    page_->SetDocument(document_.get());
    page_->OpenPictureInEditor(picture_);
    sheet().setFocus();
    // The application drops a move to where the mouse already is; the last
    // test may have left it anywhere.
    MoveTo({1, 1});
    MoveTo({2, 2});
  }
  void TearDown() override {
    page_.reset();
    document_.reset();
  }

  // A 320 x 240 terminal and one picture at zoom 1, offset (10, 10), with
  // the rectangles A (20, 20)-(60, 50) and B (100, 20)-(140, 50) and the
  // group G of C (20, 100)-(60, 130) and D (100, 100)-(140, 130); a text
  // list 1 with the texts "Aus" and "Ein".
  static std::unique_ptr<t_projekt> MakeProject() {
    auto project = std::make_unique<t_projekt>();
    project->terminal = std::make_unique<t_terminal>();
    project->terminal->width = 320;
    project->terminal->height = 240;
    auto list = std::make_unique<t_textliste>();
    list->number = 1;
    list->name = "Zustand";
    for (const char* text : {"Aus", "Ein"}) {
      auto t = std::make_unique<t_text>();
      t->name = text;
      AppendNode(list->texts, std::move(t));
    }
    AppendNode(project->textLists, std::move(list));
    auto picture = std::make_unique<t_bild>();
    picture->name = "Bild";
    picture->originX = 10;
    picture->originY = 10;
    AppendNode(picture->objects, Rect(20, 20, 60, 50));
    AppendNode(picture->objects, Rect(100, 20, 140, 50));
    auto group = std::make_unique<t_gruppe>();
    group->AppendMember(Rect(20, 100, 60, 130));
    group->AppendMember(Rect(100, 100, 140, 130));
    AppendNode(picture->objects, std::move(group));
    AppendNode(project->pictures, std::move(picture));
    return project;
  }

  Sheet& sheet() { return *page_->SheetWidget(); }
  SheetToolbox& toolbox() { return page_->Toolbox(); }
  EditorState& state() { return page_->State(); }
  t_objekt& Object(int index) {
    t_liste* n = picture_->objects.get();
    for (int i = 0; i < index; ++i) n = n->next();
    return static_cast<t_objekt&>(*n);
  }
  t_objekt& A() { return Object(0); }
  t_objekt& B() { return Object(1); }
  t_gruppe& G() { return static_cast<t_gruppe&>(Object(2)); }
  int Count() const { return CountNodes(picture_->objects.get()); }
  t_objekt& Last() { return Object(Count() - 1); }
  const TextId* UndoName() const { return document_->UndoName(); }

  QPoint W(int x, int y) { return {page_->View().TermToWinX(x), page_->View().TermToWinY(y)}; }
  void MoveTo(QPoint p) { QTest::mouseMove(&sheet(), p); }
  void ClickAt(int x, int y, Qt::KeyboardModifiers modifiers = {}) {
    const QPoint p = W(x, y);
    MoveTo(p);
    QTest::mouseClick(&sheet(), Qt::LeftButton, modifiers, p);
  }
  // Press at `from`, move in two steps and let go at `to` (window points).
  void DragWin(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {}) {
    MoveTo(from);
    QTest::mousePress(&sheet(), Qt::LeftButton, modifiers, from);
    MoveTo((from + to) / 2);
    MoveTo(to);
    QTest::mouseRelease(&sheet(), Qt::LeftButton, modifiers, to);
  }
  void Drag(int x0, int y0, int x1, int y1, Qt::KeyboardModifiers modifiers = {}) {
    DragWin(W(x0, y0), W(x1, y1), modifiers);
  }
  QToolButton* Button(int tool) { return page_->findChild<QToolButton*>(FindTool(tool)->button); }
  void Arm(int tool) { QTest::mouseClick(Button(tool), Qt::LeftButton); }
  void Key(int key, Qt::KeyboardModifiers modifiers = {}, bool autoRepeat = false) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(), autoRepeat);
    QApplication::sendEvent(&sheet(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, QString(), autoRepeat);
    QApplication::sendEvent(&sheet(), &release);
  }
  // The sheet as painted, without the cross-hair.
  QImage Shown() {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&sheet(), &leave);
    return sheet().Image().copy();
  }
  static TermRect Extent(const t_objekt& o) {
    return {o.ExtentLeft(), o.ExtentTop(), o.ExtentRight(), o.ExtentBottom()};
  }
  static void ExpectExtent(const t_objekt& o, double left, double top, double right,
                           double bottom) {
    EXPECT_EQ(o.ExtentLeft(), left);
    EXPECT_EQ(o.ExtentTop(), top);
    EXPECT_EQ(o.ExtentRight(), right);
    EXPECT_EQ(o.ExtentBottom(), bottom);
  }
  bool SameName(const TextId* a, const TextId& b) {
    return a && a->group == b.group && a->entry == b.entry;
  }

  std::unique_ptr<PicturePage> page_;
  std::unique_ptr<Document> document_;
  t_bild* picture_ = nullptr;
  ScriptedMessageBox box_;
};

// --- every kind -------------------------------------------------------------------

struct KindCase {
  const char* name;
  int tool;
  std::vector<QPoint> clicks;  // terminal points
  std::uint8_t kind;
  QPoint topLeft;  // of the new object's extent
  bool resizable;
  bool naturalSize = false;  // the bitmap dialog keeps the image's size (40 x 30)
};

void PrintTo(const KindCase& c, std::ostream* os) {
  *os << c.name;
}

class EveryKind : public SheetTools, public ::testing::WithParamInterface<KindCase> {};

const KindCase kKinds[] = {
    {"line", 1, {{100, F}, {160, F + 30}}, kKindLinie, {100, F}, true},
    {"rectangle", 2, {{160, F + 40}, {100, F}}, kKindRechteck, {100, F}, true},
    {"circle", 3, {{130, F + 20}, {160, F + 40}}, kKindKreis, {100, F}, true},
    {"polygon", 4, {{100, F}, {160, F}, {130, F + 40}, {100, F}}, kKindPolygon, {100, F}, true},
    {"text", 5, {{100, F}}, kKindText, {100, F}, false},
    {"bar graph", 6, {{100, F}, {160, F + 40}}, kKindBargraf, {100, F}, true},
    {"plot graph", 7, {{100, F}, {160, F + 40}}, kKindPlotgraf, {100, F}, true},
    {"text list input", 8, {{100, F}}, kKindEditListe, {100, F}, false},
    {"text list output", 9, {{100, F}}, kKindTextListe, {100, F}, false},
    {"output", 10, {{100, F}}, kKindAusgabe, {100, F}, false},
    {"input", 11, {{100, F}}, kKindEingabe, {100, F}, false},
    {"scaled output", 12, {{100, F}}, kKindSkalAusgabe, {100, F}, false},
    {"scaled input", 13, {{100, F}}, kKindSkalEingabe, {100, F}, false},
    {"barcode", 14, {{100, F}}, kKindBarcode, {100, F}, false},
    {"time", 15, {{100, F}}, kKindZeit, {100, F}, false},
    {"date", 16, {{100, F}}, kKindDatum, {100, F}, false},
    {"bitmap", 17, {{100, F}, {160, F + 40}}, kKindBitmap, {100, F}, true},
    // The box (0, 10)-(40, 40) shifted by the click.
    {"bitmap of natural size", 17, {{100, F - 10}}, kKindBitmap, {100, F}, false, true},
};

// Each kind is created by its gesture, then selected, moved, resized and
// deleted on the sheet; every step is undone and redone.
TEST_P(EveryKind, CreateSelectMoveResizeDelete) {
  const KindCase& c = GetParam();
  // What the kinds' dialogs will do; here: fields that show something, a
  // pen colour the fields keep and the graphs and bitmaps lose.
  toolbox().Hooks().armDialog = [&](int tool, t_objekt& buffer) {
    EXPECT_EQ(tool, c.tool);
    buffer.SetPenColour(9);
    if (auto* list = dynamic_cast<tTeLiObj*>(&buffer)) {
      list->SetTextList(1);
      list->SetTextLength(3);
    }
    if (auto* bitmap = dynamic_cast<tqvxbitmap*>(&buffer); bitmap && c.naturalSize) {
      bitmap->SetFixedSize(true);
      bitmap->SetCorners(0, 10, 40, 40);
    }
    return true;
  };
  state().attributes.penColour = 4;
  const int before = Count();

  Arm(c.tool);
  EXPECT_EQ(page_->Tool(), c.tool);
  for (const QPoint& p : c.clicks) ClickAt(p.x(), p.y());
  ASSERT_EQ(Count(), before + 1);
  t_objekt* made = &Last();
  EXPECT_EQ(made->Kind(), c.kind);
  EXPECT_EQ(made->ExtentLeft(), c.topLeft.x());
  EXPECT_EQ(made->ExtentTop(), c.topLeft.y());
  EXPECT_FALSE(made->IsSelected());
  const bool fieldKind = FindTool(c.tool)->buffered && !FindTool(c.tool)->drawingAttributes;
  EXPECT_EQ(made->penColour(), fieldKind ? 9 : 4);
  EXPECT_EQ(page_->Tool(), kToolSelect);
  EXPECT_TRUE(Button(kToolSelect)->isChecked());
  EXPECT_TRUE(SameName(UndoName(), txt::kEditCreate));
  document_->Undo();
  EXPECT_EQ(Count(), before);
  document_->Redo();
  ASSERT_EQ(Count(), before + 1);

  // Select with a click in the middle (the empty sheet first: nothing stays
  // selected).
  ClickAt(300, 230);
  EXPECT_FALSE(Last().IsSelected());
  const TermRect created = Extent(Last());
  const int midX = int((created.left + created.right) / 2);
  const int midY = int((created.top + created.bottom) / 2);
  ClickAt(midX, midY);
  EXPECT_TRUE(Last().IsSelected());
  EXPECT_FALSE(A().IsSelected());

  // Move by (20, 10).
  Drag(midX, midY, midX + 20, midY + 10);
  ExpectExtent(Last(), created.left + 20, created.top + 10, created.right + 20,
               created.bottom + 10);
  EXPECT_TRUE(SameName(UndoName(), txt::kEditMove));
  document_->Undo();
  ExpectExtent(Last(), created.left, created.top, created.right, created.bottom);
  document_->Redo();
  const TermRect moved = Extent(Last());
  EXPECT_EQ(moved.left, created.left + 20);
  ASSERT_TRUE(Last().IsSelected());

  // Resize by the bottom-right handle (it lies 4 pixels out at zoom 1).
  Drag(int(moved.right) + 4, int(moved.bottom) + 4, int(moved.right) + 34, int(moved.bottom) + 24);
  if (c.resizable) {
    EXPECT_TRUE(SameName(UndoName(), txt::kEditResize));
    EXPECT_EQ(Last().ExtentLeft(), moved.left);
    EXPECT_GT(Last().ExtentRight() - Last().ExtentLeft(), moved.right - moved.left);
    document_->Undo();
    ExpectExtent(Last(), moved.left, moved.top, moved.right, moved.bottom);
    document_->Redo();
    EXPECT_GT(Last().ExtentRight(), moved.right);
  } else {
    // Nothing to fit: no step.
    EXPECT_TRUE(SameName(UndoName(), txt::kEditMove));
    ExpectExtent(Last(), moved.left, moved.top, moved.right, moved.bottom);
  }
  EXPECT_TRUE(Last().edgeHandlesShown());
  EXPECT_TRUE(Last().cornerHandlesShown());

  // Delete, after its question.
  ASSERT_TRUE(Last().IsSelected());
  box_.QueueAnswer(kAnswerJa);
  page_->DeleteSelectedObjects();
  EXPECT_EQ(Count(), before);
  EXPECT_TRUE(SameName(UndoName(), txt::kHintLoeschen));
  document_->Undo();
  EXPECT_EQ(Count(), before + 1);
  EXPECT_EQ(Last().Kind(), c.kind);
  document_->Redo();
  EXPECT_EQ(Count(), before);
  ASSERT_EQ(box_.Calls().size(), 1u);
  EXPECT_EQ(box_.Calls()[0].kind, MsgKind::Abfrage);
}

INSTANTIATE_TEST_SUITE_P(Tools, EveryKind, ::testing::ValuesIn(kKinds));

// --- the palette ----------------------------------------------------------------------

TEST_F(SheetTools, PaletteHasTheToolsInOneGroupAndTheBitmapOutside) {
  auto* palette = page_->findChild<QToolBar*>("tb_objekte");
  ASSERT_NE(palette, nullptr);
  const char* hints[] = {"Sektionsmodus",
                         "Linie ",
                         "Rechteck ",
                         "Kreis ",
                         "Polygon",
                         "Text",
                         "Bargraf ",
                         "Plotgraf",
                         "Textlisteneingabefeld",
                         "Textlistenausgabefeld",
                         "Ausgabefeld",
                         "Eingabefeld",
                         "skalierbares Ausgabefeld",
                         "skalierbares Eingabefeld",
                         "Barcodeeingabefeld",
                         "Uhrzeitausgabefeld",
                         "Datumsausgabefeld",
                         "Bitmap einfügen"};
  const char* names[] = {"but_pfeil",       "but_line",        "but_rect",       "but_circ",
                         "but_poly",        "but_text",        "but_bargraf",    "but_plotgraf",
                         "but_editlist",    "but_textlist",    "but_ausgabe",    "but_eingabe",
                         "but_scalausgabe", "but_scaleingabe", "but_barcodeein", "but_clockaus",
                         "but_dateaus",     "ToolButton9"};
  for (int tool = 0; tool <= kLastTool; ++tool) {
    SCOPED_TRACE(tool);
    QToolButton* button = palette->findChild<QToolButton*>(names[tool]);
    ASSERT_NE(button, nullptr);
    EXPECT_STREQ(FindTool(tool)->hint.german, hints[tool]);
    EXPECT_EQ(button->toolTip(), Q(workspace().translator().Tr(FindTool(tool)->hint)));
    EXPECT_EQ(button->isCheckable(), tool != kToolBitmap);
    EXPECT_EQ(button->group() != nullptr, tool != kToolBitmap);
  }
  EXPECT_TRUE(Button(0)->isChecked());
  Arm(2);
  EXPECT_TRUE(Button(2)->isChecked());
  EXPECT_FALSE(Button(0)->isChecked());
  Arm(kToolBitmap);
  EXPECT_EQ(page_->Tool(), kToolBitmap);
  EXPECT_TRUE(Button(2)->isChecked());  // the group keeps what it had
  Arm(0);
  EXPECT_TRUE(Button(0)->isChecked());
}

// Arming a kind with a dialog resets its edit buffer to the start values
// with the current drawing attributes; a cancelled dialog arms nothing.
TEST_F(SheetTools, ArmingResetsTheEditBufferAndACancelledDialogArmsNothing) {
  bool accept = true;
  toolbox().Hooks().armDialog = [&](int, t_objekt& buffer) {
    if (auto* field = dynamic_cast<tausobj*>(&buffer)) {
      EXPECT_FALSE(field->textDisplay());
      EXPECT_EQ(field->digits(), 4);
      EXPECT_EQ(field->decimals(), 0);
      EXPECT_EQ(field->factorCode(), 4);
      EXPECT_EQ(field->font(), "S008X016.FON");
      EXPECT_EQ(field->cellHeight(), 16);
      EXPECT_EQ(field->fillColour(), 3);
      EXPECT_TRUE(field->name.empty());
      EXPECT_EQ(field->GetSwitching().action, 0);
      // What the dialog sets is what the next arming forgets.
      field->SetDisplay(true, 9, 9);
      field->name = "Last";
      field->SetSwitching({3, 1, 7});
    }
    return accept;
  };
  state().attributes.fillColour = 3;
  Arm(11);
  Arm(11);
  EXPECT_EQ(page_->Tool(), 11);
  EXPECT_TRUE(Button(11)->isChecked());

  accept = false;
  Arm(5);
  EXPECT_EQ(page_->Tool(), 11);
  EXPECT_TRUE(Button(11)->isChecked());
  EXPECT_EQ(sheet().cursor().pixmap().cacheKey(),
            page_->Cursors().Cursor("EingabeCursor").pixmap().cacheKey());
  // The barcode starts with the text display.
  accept = true;
  toolbox().Hooks().armDialog = [](int, t_objekt& buffer) {
    EXPECT_TRUE(static_cast<tausobj&>(buffer).textDisplay());
    return true;
  };
  Arm(14);
  EXPECT_EQ(page_->Tool(), 14);
}

// --- selecting --------------------------------------------------------------------------

TEST_F(SheetTools, ShiftRules) {
  ClickAt(40, 30);
  EXPECT_TRUE(A().IsSelected());
  ClickAt(120, 30, Qt::ShiftModifier);
  EXPECT_TRUE(A().IsSelected());
  EXPECT_TRUE(B().IsSelected());
  // Shift on a selected object takes it out.
  ClickAt(40, 30, Qt::ShiftModifier);
  EXPECT_FALSE(A().IsSelected());
  EXPECT_TRUE(B().IsSelected());
  // Without Shift a selected object stays selected and is the one dragged,
  // with the rest of the selection.
  ClickAt(40, 30, Qt::ShiftModifier);
  Drag(120, 30, 125, 33);
  ExpectExtent(A(), 25, 23, 65, 53);
  ExpectExtent(B(), 105, 23, 145, 53);
  // A Shift press on the empty sheet keeps the selection and starts a band.
  Drag(10, 90, 150, 140, Qt::ShiftModifier);
  EXPECT_TRUE(A().IsSelected());
  EXPECT_TRUE(B().IsSelected());
  EXPECT_TRUE(G().IsSelected());
  // A press on the empty sheet without Shift drops the selection.
  ClickAt(300, 200);
  EXPECT_TRUE(document_->SelectedObjects().empty());
}

TEST_F(SheetTools, RubberBandSelectsWhatLiesStrictlyInside) {
  struct Case {
    QPoint from, to;
    bool a, b, g;
  };
  const Case cases[] = {
      {{10, 10}, {70, 60}, true, false, false},
      {{70, 60}, {10, 10}, true, false, false},  // the other way round
      {{150, 140}, {10, 10}, true, true, true},
      {{20, 10}, {70, 60}, false, false, false},  // A's left edge on the border
      {{19, 19}, {61, 51}, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.from.x() << "," << c.from.y() << " " << c.to.x() << "," << c.to.y());
    document_->DeselectAll();
    const QImage before = Shown();
    Drag(c.from.x(), c.from.y(), c.to.x(), c.to.y());
    EXPECT_EQ(A().IsSelected(), c.a);
    EXPECT_EQ(B().IsSelected(), c.b);
    EXPECT_EQ(G().IsSelected(), c.g);
    if (!c.a && !c.b && !c.g) {
      EXPECT_EQ(Shown(), before);  // no band left behind
    }
  }
}

TEST_F(SheetTools, SelectAllAndDeleteTakeMembersSelectedInTheTree) {
  page_->SelectAllObjects();
  EXPECT_EQ(document_->SelectedTopLevel().size(), 3u);
  document_->DeselectAll();
  // A member selected in the object tree goes alone; its group stays.
  t_objekt* member = G().FirstMember();
  document_->Select(*member, true);
  box_.QueueAnswer(kAnswerJa);
  page_->DeleteSelectedObjects();
  EXPECT_EQ(G().MemberCount(), 1);
  EXPECT_EQ(Count(), 3);
  document_->Undo();
  EXPECT_EQ(G().MemberCount(), 2);
}

// --- moving -----------------------------------------------------------------------------

TEST_F(SheetTools, MarksFollowTheDragAndTheObjectsMoveOnRelease) {
  ClickAt(40, 30);
  const QImage selected = Shown();
  MoveTo(W(40, 30));
  QTest::mousePress(&sheet(), Qt::LeftButton, {}, W(40, 30));
  MoveTo(W(70, 60));
  // Only the marks moved: the frame without handles at the new place.
  ExpectExtent(A(), 20, 20, 60, 50);
  EXPECT_EQ(A().Frame(), (FrameRect{50, 50, 90, 80}));
  EXPECT_FALSE(A().cornerHandlesShown());
  const QImage dragging = Shown();
  EXPECT_EQ(dragging.pixel(W(70, 50)), selected.pixel(W(70, 50)) ^ 0xFFFFFF);
  EXPECT_EQ(dragging.pixel(W(20, 25)), selected.pixel(W(20, 25)) ^ 0xFFFFFF);  // old frame gone
  EXPECT_EQ(document_->History().Size(), 0u);
  QTest::mouseRelease(&sheet(), Qt::LeftButton, {}, W(70, 60));
  ExpectExtent(A(), 50, 50, 90, 80);
  EXPECT_TRUE(A().cornerHandlesShown());
  EXPECT_EQ(document_->History().Size(), 1u);
}

// A drag let go left of or above the sheet moves nothing; the marks go back.
TEST_F(SheetTools, DragReleasedLeftOrAboveTheSheetMovesNothing) {
  ClickAt(40, 30);
  const QImage selected = Shown();
  for (const QPoint outside : {QPoint(-20, 100), QPoint(100, -5)}) {
    DragWin(W(40, 30), outside);
    ExpectExtent(A(), 20, 20, 60, 50);
    EXPECT_TRUE(A().IsSelected());
    EXPECT_TRUE(A().cornerHandlesShown());
    EXPECT_EQ(Shown(), selected);
  }
  EXPECT_EQ(document_->History().Size(), 0u);
}

TEST_F(SheetTools, EscapePutsTheMarksBackAndEndsACreation) {
  ClickAt(40, 30);
  const QImage selected = Shown();
  MoveTo(W(40, 30));
  QTest::mousePress(&sheet(), Qt::LeftButton, {}, W(40, 30));
  MoveTo(W(80, 90));
  Key(Qt::Key_Escape);
  EXPECT_EQ(Shown(), selected);
  MoveTo(W(90, 100));
  QTest::mouseRelease(&sheet(), Qt::LeftButton, {}, W(90, 100));
  ExpectExtent(A(), 20, 20, 60, 50);
  EXPECT_EQ(document_->History().Size(), 0u);

  // A creation under way: its rubber band goes, nothing is created.
  for (int tool : {2, 4}) {
    Arm(tool);
    ClickAt(100, 170);
    if (tool == 4) ClickAt(150, 180);
    MoveTo(W(200, 200));
    Key(Qt::Key_Escape);
    EXPECT_EQ(page_->Tool(), kToolSelect);
    EXPECT_EQ(Count(), 3);
    EXPECT_EQ(state().newObject, nullptr);
  }
  document_->DeselectAll();
  const QImage plain = Shown();
  document_->Select(A(), true);
  document_->DeselectAll();
  EXPECT_EQ(Shown(), plain);
}

// Arrow keys move the selection a pixel, with Shift a grid step; a held key
// is one step, the next press another.
TEST_F(SheetTools, ArrowKeysNudgeAndMergeWhileTheKeyRepeats) {
  settings().gridSize = 8;
  ClickAt(40, 30);
  for (int i = 0; i < 3; ++i) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), i > 0);
    QApplication::sendEvent(&sheet(), &press);
  }
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
  QApplication::sendEvent(&sheet(), &release);
  ExpectExtent(A(), 23, 20, 63, 50);
  EXPECT_EQ(document_->History().Size(), 1u);
  Key(Qt::Key_Up, Qt::ShiftModifier);
  ExpectExtent(A(), 23, 12, 63, 42);
  EXPECT_EQ(document_->History().Size(), 2u);
  document_->Undo();
  document_->Undo();
  ExpectExtent(A(), 20, 20, 60, 50);
  // Nothing selected: the keys are not used.
  document_->DeselectAll();
  QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
  QApplication::sendEvent(&sheet(), &left);
  EXPECT_FALSE(left.isAccepted());
}

// --- creating -----------------------------------------------------------------------------

TEST_F(SheetTools, PolygonCloses) {
  struct Case {
    const char* name;
    std::vector<QPoint> clicks;
    int points;  // of the finished polygon; 0: still open
  };
  std::vector<QPoint> fifty, twoRows;
  for (int i = 0; i < 50; ++i) fifty.push_back({10 + 5 * i, i % 2 ? 170 : 200});
  fifty.push_back({300, 230});  // the 51st click adds no vertex
  const Case cases[] = {
      {"51st click", fifty, 51},
      {"first vertex again", {{100, 170}, {150, 170}, {120, 200}, {100, 170}}, 4},
      {"last vertex again", {{100, 170}, {150, 170}, {150, 170}}, 3},
      {"second click on the first", {{100, 170}, {100, 170}}, 2},
      {"open", {{100, 170}, {150, 170}}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Arm(4);
    const int before = Count();
    for (const QPoint& p : c.clicks) ClickAt(p.x(), p.y());
    if (c.points == 0) {
      EXPECT_EQ(Count(), before);
      EXPECT_EQ(state().clickCount, 2);
      Arm(0);
      EXPECT_EQ(state().newObject, nullptr);
      continue;
    }
    ASSERT_EQ(Count(), before + 1);
    const auto& polygon = static_cast<const t_polygon&>(Last());
    ASSERT_EQ(polygon.Count(), c.points);
    EXPECT_EQ(polygon.Points().front(), polygon.Points().back());
    EXPECT_EQ(polygon.Points().front(),
              (TermPoint{double(c.clicks[0].x()), double(c.clicks[0].y())}));
  }
}

TEST_F(SheetTools, CircleStraightBelowHasItsRingOnOneVerticalLine) {
  Arm(3);
  ClickAt(150, 170);
  ClickAt(150, 210);
  const auto& circle = static_cast<const t_punktobjekt&>(Last());
  ASSERT_EQ(circle.Points().size(), t_kreis::kPoints);
  for (const TermPoint& p : circle.Points()) EXPECT_EQ(p.x, 150.0);
  EXPECT_EQ(circle.ExtentTop(), 130);
  EXPECT_EQ(circle.ExtentBottom(), 209);  // sin 88 degrees, truncated
}

// With snap on, a click between raster points creates at the nearest one.
TEST_F(SheetTools, SnapPutsCreationClicksOnTheRaster) {
  settings().fangStyle = 1;
  settings().fangSize = 10;
  Arm(2);
  ClickAt(103, 168);
  ClickAt(146, 194);
  ExpectExtent(Last(), 100, 170, 150, 190);
}

// A right press ends a creation under way: the next left release only
// brings the selection tool back, and the rubber band is gone at once.
TEST_F(SheetTools, RightClickCancelsACreation) {
  const QImage plain = Shown();
  for (int tool : {2, 3, 6, 7, 4}) {
    SCOPED_TRACE(tool);
    Arm(tool);
    ClickAt(100, 170);
    MoveTo(W(150, 200));
    QTest::mousePress(&sheet(), Qt::RightButton, {}, W(150, 200));
    QTest::mouseRelease(&sheet(), Qt::RightButton, {}, W(150, 200));
    page_->ContextMenu()->close();
    EXPECT_EQ(page_->Tool(), kToolAfterContextMenu);
    EXPECT_EQ(Shown(), plain);
    ClickAt(160, 210);
    EXPECT_EQ(page_->Tool(), kToolSelect);
    ClickAt(170, 220);
    EXPECT_EQ(Count(), 3);
  }
}

// Switching to the selection tool removes every unfinished rubber band,
// the graphs' too.
TEST_F(SheetTools, ArmingTheSelectionToolRemovesTheRubberBand) {
  const QImage plain = Shown();
  for (int tool : {1, 2, 3, 4, 6, 7, 17}) {
    SCOPED_TRACE(tool);
    Arm(tool);
    ClickAt(100, 170);
    MoveTo(W(140, 200));
    EXPECT_NE(Shown(), plain);
    Arm(0);
    EXPECT_EQ(Shown(), plain);
    EXPECT_EQ(state().clickCount, 0);
  }
}

TEST_F(SheetTools, PositionLabelAndCursors) {
  page_->View().SetOffsetX(0);
  page_->View().SetOffsetY(0);
  MoveTo({12, 345});
  EXPECT_EQ(page_->findChild<QLabel*>("Label11")->text(), "X:0012  Y:0345");
  auto cursorIs = [&](const char* name) {
    return sheet().cursor().pixmap().cacheKey() ==
           page_->Cursors().Cursor(name).pixmap().cacheKey();
  };
  EXPECT_TRUE(cursorIs("PfeilCursor"));
  Arm(3);
  EXPECT_TRUE(cursorIs("CircCursor"));
  Arm(0);
  page_->OpenPictureInEditor(picture_);
  ClickAt(40, 30);
  // Over the handles of the selected rectangle (20, 20)-(60, 50).
  struct Hover {
    QPoint at;
    const char* cursor;
  };
  for (const Hover& h : {Hover{{64, 54}, "BM33"}, Hover{{40, 16}, "BM12"}, Hover{{16, 35}, "BM21"},
                         Hover{{40, 30}, "PfeilCursor"}}) {
    MoveTo(W(h.at.x(), h.at.y()));
    EXPECT_TRUE(cursorIs(h.cursor)) << h.cursor;
  }
}

// --- the context menu --------------------------------------------------------------------

TEST_F(SheetTools, ContextMenuEntriesFollowTheSelection) {
  QMenu* menu = page_->ContextMenu();
  QAction* properties = menu->findChild<QAction*>("Objekteigenschaften");
  QAction* switching = menu->findChild<QAction*>("Schaltverhalten");
  ASSERT_NE(properties, nullptr);
  ASSERT_NE(switching, nullptr);
  EXPECT_EQ(menu->actions().indexOf(properties), 0);
  EXPECT_EQ(menu->actions().indexOf(switching), 1);
  EXPECT_TRUE(menu->actions().value(2)->isSeparator());
  EXPECT_EQ(menu->actions().value(3)->objectName(), "Darstellungsoptinen1");

  auto text = std::make_unique<ttext>();
  text->SetPosition(200, 200);
  text->SetText("T");
  t_objekt* textObject = text.get();
  std::vector<ObjectPtr> add;
  add.push_back(std::move(text));
  ASSERT_TRUE(AddObjects(*document_, *picture_, std::move(add), txt::kEditCreate, false));
  struct Case {
    std::vector<t_objekt*> selected;
    bool properties, switching;
  };
  const Case cases[] = {
      {{}, false, false},
      {{&A()}, false, true},
      {{&A(), textObject}, true, true},
      {{G().FirstMember()}, false, false},  // members do not count
  };
  std::vector<t_objekt*> got;
  toolbox().Hooks().objectProperties = [&](const std::vector<t_objekt*>& o) { got = o; };
  for (const Case& c : cases) {
    document_->SetSelection(c.selected);
    emit menu->aboutToShow();
    EXPECT_EQ(properties->isEnabled(), c.properties);
    EXPECT_EQ(switching->isEnabled(), c.switching);
  }
  document_->SetSelection(std::vector<t_objekt*>{textObject, &A()});
  QTest::mousePress(&sheet(), Qt::RightButton, {}, W(250, 200));
  emit menu->aboutToShow();
  properties->trigger();
  menu->close();
  EXPECT_EQ(got, (std::vector<t_objekt*>{&A(), textObject}));  // list order
  EXPECT_EQ(page_->Tool(), kToolSelect);

  // A menu closed by a click the platform does not pass on to the sheet:
  // the next click on the sheet is the user's own.
  QTest::mousePress(&sheet(), Qt::RightButton, {}, W(250, 200));
  menu->popup(sheet().mapToGlobal(W(250, 200)));
  menu->hide();
  QApplication::processEvents();
  EXPECT_EQ(page_->Tool(), kToolSelect);
  ClickAt(120, 30);
  EXPECT_TRUE(B().IsSelected());
}

// --- cut short --------------------------------------------------------------------------------

// Another picture opened while a polygon is being built or a drag is under
// way: nothing is created or moved, in either picture.
TEST_F(SheetTools, PictureSwitchDropsTheCreationAndTheDrag) {
  auto other = ClonePictureWithoutObjects(*picture_);
  t_bild* second = other.get();
  AppendNode(document_->Project().pictures, std::move(other));

  Arm(4);
  ClickAt(100, 170);
  ClickAt(150, 170);
  page_->OpenPictureInEditor(second);
  EXPECT_EQ(state().clickCount, 0);
  EXPECT_EQ(state().newObject, nullptr);
  // The tool stays armed and starts anew on the picture now open.
  ClickAt(150, 200);
  ClickAt(100, 170);
  EXPECT_EQ(state().clickCount, 2);
  EXPECT_EQ(CountNodes(second->objects.get()), 0);
  EXPECT_EQ(Count(), 3);
  Arm(0);

  page_->OpenPictureInEditor(picture_);
  ClickAt(40, 30);
  MoveTo(W(40, 30));
  QTest::mousePress(&sheet(), Qt::LeftButton, {}, W(40, 30));
  MoveTo(W(90, 80));
  page_->OpenPictureInEditor(second);
  MoveTo(W(100, 90));
  QTest::mouseRelease(&sheet(), Qt::LeftButton, {}, W(100, 90));
  page_->OpenPictureInEditor(picture_);
  ExpectExtent(A(), 20, 20, 60, 50);
  EXPECT_TRUE(A().cornerHandlesShown());  // the marks are whole again
  EXPECT_EQ(document_->History().Size(), 0u);
}

// The project closed in the middle of a drag, or the dragged object undone
// away: the tools let go of it.
TEST_F(SheetTools, ProjectClosedOrObjectUndoneDuringADrag) {
  Arm(2);
  ClickAt(100, 170);
  ClickAt(150, 200);
  ClickAt(120, 185);
  MoveTo(W(120, 185));
  QTest::mousePress(&sheet(), Qt::LeftButton, {}, W(120, 185));
  MoveTo(W(130, 195));
  document_->Undo();  // the rectangle goes
  EXPECT_EQ(state().hitObject, nullptr);
  MoveTo(W(140, 205));
  QTest::mouseRelease(&sheet(), Qt::LeftButton, {}, W(140, 205));
  EXPECT_EQ(Count(), 3);
  EXPECT_FALSE(document_->CanUndo());

  ClickAt(40, 30);
  MoveTo(W(40, 30));
  QTest::mousePress(&sheet(), Qt::LeftButton, {}, W(40, 30));
  MoveTo(W(60, 45));
  page_->SetDocument(nullptr);
  document_.reset();
  MoveTo(W(80, 60));
  QTest::mouseRelease(&sheet(), Qt::LeftButton, {}, W(80, 60));
  Key(Qt::Key_Right);
  EXPECT_EQ(page_->OpenPicture(), nullptr);
}

// A step the document refuses leaves the picture as it was and says why.
TEST_F(SheetTools, FailedStepIsReported) {
  std::vector<bmprectype> full;
  for (std::int32_t id = 1; id <= t_bmpliste::kMaxIdentifier; ++id)
    full.push_back({"x" + std::to_string(id) + ".bmp", id, 1, 1, 1});
  document_->Project().bitmaps.Swap(full);
  const QImage plain = Shown();
  Arm(kToolBitmap);
  ClickAt(100, 170);
  ClickAt(150, 200);
  EXPECT_EQ(Count(), 3);
  ASSERT_EQ(box_.Calls().size(), 1u);
  EXPECT_EQ(box_.Calls()[0].kind, MsgKind::Fehler);
  EXPECT_EQ(box_.Calls()[0].text, workspace().translator().Tr(txt::kEditBitmapRegistryFull));
  EXPECT_EQ(page_->Tool(), kToolSelect);
  EXPECT_EQ(Shown(), plain);
}

}  // namespace
}  // namespace tavo

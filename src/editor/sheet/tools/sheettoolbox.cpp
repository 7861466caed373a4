#include "editor/sheet/tools/sheettoolbox.h"

#include <QAction>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "app/workspace.h"
#include "document/edits.h"
#include "editor/sheet/picturepage.h"
#include "editor/uitext.h"
#include "objects/fields/fields.h"
#include "objects/rounding.h"
#include "project/projekt.h"
#include "shell/messagebox.h"

namespace tavo {
namespace {

// The cursor of a handle code: "BM" followed by the code.
int HandleCursor(int code) {
  const int row = code / 10, column = code % 10;
  if (row < 1 || row > 3 || column < 1 || column > 3) return 0;
  return kBM11 + (row - 1) * 3 + (column - 1);
}

}  // namespace

SheetToolbox::SheetToolbox(PicturePage& page, Workspace& workspace)
    : page_(page),
      workspace_(workspace),
      outline_(page),
      select_(*this),
      twoPoints_(*this),
      polygon_(*this),
      place_(*this),
      armed_(FindTool(kToolSelect)) {
  palette_ = new QToolBar(&page);
  palette_->setObjectName("tb_objekte");
  palette_->setOrientation(Qt::Vertical);
  palette_->setIconSize(QSize(16, 16));
  palette_->setMovable(false);
  group_ = new QButtonGroup(palette_);
  group_->setExclusive(true);
  for (const ToolInfo& row : Tools()) {
    auto* button = new QToolButton(palette_);
    button->setObjectName(row.button);
    button->setAutoRaise(true);
    button->setIcon(SheetCursors::ToolIcon(row.cursor));
    if (row.tool == kToolBitmap) {
      // A plain button outside the group: the group keeps showing the tool
      // armed before.
      palette_->addSeparator();
    } else {
      button->setCheckable(true);
      group_->addButton(button, row.tool);
    }
    palette_->addWidget(button);
    buttons_[row.tool] = button;
    const int tool = row.tool;
    QObject::connect(button, &QToolButton::clicked, palette_, [this, tool] { Arm(tool); });
  }
  buttons_[kToolSelect]->setChecked(true);

  // "Objekteigenschaften" and "Schaltverhalten" go in front of the page's
  // own entries.
  QMenu* menu = page.ContextMenu();
  QAction* first = menu->actions().value(0);
  properties_ = new QAction(menu);
  properties_->setObjectName("Objekteigenschaften");
  switching_ = new QAction(menu);
  switching_->setObjectName("Schaltverhalten");
  menu->insertAction(first, properties_);
  menu->insertAction(first, switching_);
  separator_ = menu->insertSeparator(first);
  QObject::connect(menu, &QMenu::aboutToShow, palette_, [this] { UpdateMenu(); });
  // Where the click that closes the menu is not passed on to the sheet, the
  // next click on the sheet is the user's own and must not be swallowed. A
  // click that is passed on arrives before this and is swallowed still.
  QObject::connect(menu, &QMenu::aboutToHide, palette_, [this] {
    QTimer::singleShot(0, palette_, [this] {
      if (State().tool == kToolAfterContextMenu) page_.SetToolNumber(kToolSelect);
    });
  });
  QObject::connect(properties_, &QAction::triggered, palette_, [this] { EditSelected(false); });
  QObject::connect(switching_, &QAction::triggered, palette_, [this] { EditSelected(true); });
  Retranslate();
}

SheetToolbox::~SheetToolbox() {
  // The palette's buttons and the menu entries call into the toolbox: they
  // go with it.
  delete properties_;
  delete switching_;
  delete separator_;
  delete palette_;
}

void SheetToolbox::Retranslate() {
  Translator& t = workspace_.translator();
  for (const ToolInfo& row : Tools()) buttons_[row.tool]->setToolTip(Tr(t, row.hint));
  properties_->setText(Tr(t, txt::kMenuObjekteigenschaften));
  switching_->setText(Tr(t, txt::kMenuSchaltverhalten));
}

// --- shared ------------------------------------------------------------------------

EditorState& SheetToolbox::State() {
  return page_.State();
}

Document* SheetToolbox::Doc() const {
  return page_.OpenPicture() ? page_.CurrentDocument() : nullptr;
}

t_bild* SheetToolbox::Picture() const {
  return page_.CurrentDocument() ? page_.OpenPicture() : nullptr;
}

TermPixel SheetToolbox::Term(sheet::WinPoint p) const {
  const tview& view = page_.View();
  return {view.WinToTermX(p.x), view.WinToTermY(p.y)};
}

sheet::WinPoint SheetToolbox::Win(TermPixel p) const {
  const tview& view = page_.View();
  return {view.TermToWinX(p.x), view.TermToWinY(p.y)};
}

std::vector<t_objekt*> SheetToolbox::SelectedTopLevel() const {
  Document* document = Doc();
  return document ? document->SelectedTopLevel() : std::vector<t_objekt*>{};
}

void SheetToolbox::DeselectAll() {
  if (Document* document = Doc()) document->DeselectAll();
}

void SheetToolbox::Report(const EditResult& result) {
  if (!result)
    page_.Messages().Show(MsgKind::Fehler, ButtonSet::Weiter,
                          workspace_.translator().Tr(result.error));
}

void SheetToolbox::Create(ObjectPtr object) {
  Document* document = Doc();
  t_bild* picture = Picture();
  BackToSelection();
  if (!document || !picture || !object) return;
  // Text list fields are as wide as the longest text of their list.
  UpdateTextListExtents(*object, document->Project().textLists.get());
  std::vector<ObjectPtr> objects;
  objects.push_back(std::move(object));
  Report(AddObjects(*document, *picture, std::move(objects), txt::kEditCreate, false));
}

GestureTool* SheetToolbox::Current() {
  const int tool = State().tool;
  if (tool == kToolSelect) return &select_;
  if (tool < 1 || tool > kLastTool) return nullptr;
  switch (gesture_) {
    case Gesture::TwoPoints:
      return &twoPoints_;
    case Gesture::Polygon:
      return &polygon_;
    case Gesture::Place:
      return &place_;
    case Gesture::Select:
    case Gesture::Bitmap:
      break;
  }
  return nullptr;
}

void SheetToolbox::SetCursor(int number) {
  if (number == cursor_) return;
  cursor_ = number;
  page_.SheetWidget()->setCursor(page_.Cursors().Cursor(number));
}

void SheetToolbox::CheckButtonOf(int tool) {
  // The bitmap button stands outside the group; other numbers have none.
  if (tool >= 0 && tool < kToolBitmap) buttons_[tool]->setChecked(true);
}

void SheetToolbox::RefreshBand() {
  GestureTool* tool = Current();
  outline_.Show(tool ? tool->Band() : XorShape{});
}

// --- arming ------------------------------------------------------------------------

void SheetToolbox::Arm(int tool) {
  const ToolInfo* row = FindTool(tool);
  if (!row) return;
  if (tool == kToolSelect) {
    // Every unfinished rubber band goes, the graphs' too.
    AbortCreation();
    BackToSelection();
    return;
  }
  if (row->buffered) {
    t_objekt* buffer = buffers_.Reset(row->kind, State().attributes, workspace_.translator());
    if (hooks_.armDialog && !hooks_.armDialog(tool, *buffer)) {
      CheckButtonOf(State().tool);  // the tool armed so far stays
      return;
    }
    // The dialog may have put a new object in the buffer's place.
    if (row->kind == kKindBitmap)
      if (t_objekt* confirmed = buffers_.Buffer(row->kind)) confirmed->UpdateExtent();
  }
  AbortCreation();
  armed_ = row;
  const t_objekt* bitmap = buffers_.Buffer(kKindBitmap);
  gesture_ = GestureOf(*row, row->kind == kKindBitmap && bitmap && bitmap->fixedSize());
  page_.SetToolNumber(tool);
  State().clickCount = 0;
  SetCursor(row->cursor);
  CheckButtonOf(tool);
}

void SheetToolbox::AbortCreation() {
  twoPoints_.Cancel();
  polygon_.Cancel();
  RefreshBand();
}

void SheetToolbox::BackToSelection() {
  armed_ = FindTool(kToolSelect);
  gesture_ = Gesture::Select;
  State().clickCount = 0;
  State().newObject.reset();
  page_.SetToolNumber(kToolSelect);
  SetCursor(kPfeilCursor);
  CheckButtonOf(kToolSelect);
  RefreshBand();
}

// --- the page's events ---------------------------------------------------------

void SheetToolbox::Activate() {
  cursor_ = 0;  // the page set a cursor of its own
}

void SheetToolbox::Deactivate() {
  select_.Cancel();
  AbortCreation();
  cursor_ = 0;
}

void SheetToolbox::Cancel() {
  select_.Cancel();
  AbortCreation();
}

void SheetToolbox::ObjectsChanged() {
  select_.ObjectsChanged();
  RefreshBand();
}

void SheetToolbox::MouseDown(const SheetMouse& event) {
  EditorState& s = State();
  switch (event.button) {
    case Qt::LeftButton:
      if (GestureTool* tool = Current()) tool->MouseDown(event);
      break;
    case Qt::RightButton:
      // The context menu comes: whatever was under way is called off.
      s.buttonsDown |= kRightDown;
      select_.Cancel();
      AbortCreation();
      break;
    case Qt::MiddleButton:
      s.buttonsDown |= kMiddleDown;
      break;
    default:
      break;
  }
  RefreshBand();
}

void SheetToolbox::MouseMove(const SheetMouse& event) {
  const EditorState& s = State();
  if (s.tool != kToolAfterContextMenu) {
    const ToolInfo* row = FindTool(s.tool);
    SetCursor(row ? row->cursor : kPfeilCursor);
    if (s.tool == kToolSelect) CheckButtonOf(kToolSelect);
  }
  // A handle of a selected object under the mouse shows its own cursor.
  if (const t_bild* picture = Picture()) {
    const TermPixel at = Term({event.x, event.y});
    const double zoom = page_.View().Zoom();
    for (const t_liste* n = picture->objects.get(); n; n = n->next()) {
      const auto& object = static_cast<const t_objekt&>(*n);
      if (!object.IsSelected()) continue;
      const int code = object.HandleAt(SaturateToI16(at.x), SaturateToI16(at.y), zoom);
      if (code != kHandleNone) {
        SetCursor(HandleCursor(code));
        break;
      }
    }
  }
  if (GestureTool* tool = Current()) tool->MouseMove(event);
  RefreshBand();
}

void SheetToolbox::MouseUp(const SheetMouse& event) {
  EditorState& s = State();
  switch (event.button) {
    case Qt::LeftButton:
      if (GestureTool* tool = Current()) tool->MouseUp(event);
      break;
    case Qt::RightButton:
      s.buttonsDown &= ~kRightDown;
      break;
    case Qt::MiddleButton:
      s.buttonsDown &= ~kMiddleDown;
      break;
    default:
      break;
  }
  RefreshBand();
}

void SheetToolbox::Click(const SheetMouse& event) {
  if (GestureTool* tool = Current()) tool->Click(event);
  RefreshBand();
}

void SheetToolbox::DoubleClick(const SheetMouse& event) {
  const t_bild* picture = Picture();
  if (!picture || State().tool != kToolSelect || !hooks_.objectProperties) return;
  const TermPixel at = Term({event.x, event.y});
  t_objekt* hit = nullptr;
  // Later objects lie on top: the last one hit is the front-most.
  for (t_liste* n = picture->objects.get(); n; n = n->next()) {
    auto& object = static_cast<t_objekt&>(*n);
    if (object.HitTest(SaturateToI16(at.x), SaturateToI16(at.y))) hit = &object;
  }
  if (hit && EditBuffers::HasBuffer(hit->Kind())) hooks_.objectProperties({hit});
}

bool SheetToolbox::Key(QKeyEvent* event) {
  const int tool = State().tool;
  if (event->key() == Qt::Key_Escape && event->type() == QEvent::KeyPress && tool >= 1 &&
      tool <= kLastTool) {
    // Escape takes back the creation tool and what it began.
    AbortCreation();
    BackToSelection();
    return true;
  }
  GestureTool* current = Current();
  const bool used = current && current->Key(event);
  RefreshBand();
  return used;
}

void SheetToolbox::HideRubberBand() {
  outline_.Hide();
}

void SheetToolbox::ShowRubberBand() {
  RefreshBand();
}

// --- context menu -------------------------------------------------------------------

void SheetToolbox::UpdateMenu() {
  const std::vector<t_objekt*> selected = SelectedTopLevel();
  properties_->setEnabled(std::any_of(selected.begin(), selected.end(), [](const t_objekt* o) {
    return EditBuffers::HasBuffer(o->Kind());
  }));
  switching_->setEnabled(!selected.empty());
}

void SheetToolbox::EditSelected(bool switching) {
  // The menu took the click that would have brought the selection tool back.
  page_.SetToolNumber(kToolSelect);
  const std::vector<t_objekt*> selected = SelectedTopLevel();
  if (selected.empty()) return;
  const auto& hook = switching ? hooks_.switching : hooks_.objectProperties;
  if (hook) hook(selected);
}

}  // namespace tavo

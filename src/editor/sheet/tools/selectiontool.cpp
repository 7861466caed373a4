#include "editor/sheet/tools/selectiontool.h"

#include <QKeyEvent>
#include <algorithm>
#include <string>

#include "app/workspace.h"
#include "document/edits.h"
#include "editor/sheet/picturepage.h"
#include "editor/sheet/tools/sheettoolbox.h"
#include "objects/rounding.h"
#include "project/records.h"

namespace tavo {
namespace {

std::vector<t_objekt*> TopLevel(const t_bild& picture) {
  std::vector<t_objekt*> objects;
  for (t_liste* n = picture.objects.get(); n; n = n->next())
    objects.push_back(static_cast<t_objekt*>(n));
  return objects;
}

void FrameAtExtent(t_objekt& o, int dx = 0, int dy = 0) {
  o.SetFrame(SaturateToI16(o.ExtentLeft() + dx), SaturateToI16(o.ExtentTop() + dy),
             SaturateToI16(o.ExtentRight() + dx), SaturateToI16(o.ExtentBottom() + dy));
}

// The object's lines in the project file, members included.
std::string ProjectForm(const t_objekt& object) {
  std::string form;
  object.WriteProjectLines([&](const std::string& line) { form += line + '\n'; });
  return form;
}

// Whether fitting the object to the frame between the two handles would
// change it at all (texts and fields keep their size, for example).
bool FitChanges(const t_objekt& object, HandlePoint topLeft, HandlePoint bottomRight) {
  ObjectPtr probe = object.Clone();
  if (!probe) return true;  // let the edit say why it cannot be done
  probe->UpdateExtent();
  probe->SetHandle(kSlotTopLeft, topLeft);
  probe->SetHandle(kSlotBottomRight, bottomRight);
  probe->FitToFrame();
  probe->UpdateExtent();
  return ProjectForm(*probe) != ProjectForm(object);
}

}  // namespace

bool SelectionTool::Dragging() const {
  const EditorState& s = box_.State();
  return (s.buttonsDown & kLeftDown) && (s.resizeObject || s.hitObject || s.rubberBand);
}

XorShape SelectionTool::Band() const {
  const EditorState& s = box_.State();
  if (!s.rubberBand) return {};
  return {XorShape::Kind::Rectangle, {s.anchor, {s.curPos.x + 1, s.curPos.y + 1}}};
}

// --- press ------------------------------------------------------------------------

void SelectionTool::MouseDown(const SheetMouse& event) {
  if (event.button == Qt::LeftButton) Press(event);
}

void SelectionTool::Press(const SheetMouse& event) {
  EditorState& s = box_.State();
  Cancel();  // a drag the release of which never came
  s.anchor = s.curPos;
  s.handleCode = kHandleNone;
  Document* document = box_.Doc();
  t_bild* picture = box_.Picture();
  if (!document || !picture) return;
  s.buttonsDown |= kLeftDown;
  const std::vector<t_objekt*> objects = TopLevel(*picture);
  const double zoom = box_.Page().View().Zoom();
  const TermPixel raw = box_.Term({event.x, event.y});
  const TermPixel at = box_.Term(s.curPos);
  const auto rx = SaturateToI16(raw.x), ry = SaturateToI16(raw.y);
  const auto ax = SaturateToI16(at.x), ay = SaturateToI16(at.y);

  // A handle of a selected object, the front-most first.
  for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
    if (!(*it)->IsSelected()) continue;
    s.handleCode = (*it)->HandleAt(rx, ry, zoom);
    if (s.handleCode != kHandleNone) {
      s.grabPoint = at;
      s.resizeObject = *it;
      return;
    }
  }

  const bool shift = event.modifiers & Qt::ShiftModifier;
  const bool onSelected = std::any_of(objects.begin(), objects.end(), [&](t_objekt* o) {
    return o->IsSelected() && o->HitTest(ax, ay);
  });
  t_objekt* hit = nullptr;
  for (auto it = objects.rbegin(); it != objects.rend() && !hit; ++it)
    if ((*it)->HitTest(ax, ay)) hit = *it;

  const bool keepSelection = onSelected || shift;
  if (!hit) {
    if (!keepSelection) document->DeselectAll();
    s.rubberBand = true;
    return;
  }
  if (!hit->IsSelected()) {
    if (keepSelection) {
      document->Select(*hit, true);
    } else {
      t_objekt* one[] = {hit};
      document->SetSelection(one);
    }
  } else if (shift) {
    document->Select(*hit, false);
  }
  s.hitObject = hit;
}

// --- drag ----------------------------------------------------------------------------

void SelectionTool::MouseMove(const SheetMouse&) {
  const EditorState& s = box_.State();
  if (!(s.buttonsDown & kLeftDown) || !box_.Picture()) return;
  if (s.resizeObject)
    DragHandle();
  else if (s.hitObject)
    DragMarks();
}

void SelectionTool::DragHandle() {
  EditorState& s = box_.State();
  tview& view = box_.Page().View();
  const int dx = view.WinToTermX(s.curPos.x) - view.WinToTermX(s.prevPos.x);
  const int dy = view.WinToTermY(s.curPos.y) - view.WinToTermY(s.prevPos.y);
  if (dx == 0 && dy == 0) return;
  if (marked_.empty()) marked_.push_back(s.resizeObject);
  box_.Page().BeginXorDrawing();
  s.resizeObject->DragHandle(SaturateToI16(dx), SaturateToI16(dy), s.handleCode, view);
  box_.Page().EndXorDrawing();
}

// The marks of the selected objects follow the mouse; the objects stay.
void SelectionTool::DragMarks() {
  const EditorState& s = box_.State();
  tview& view = box_.Page().View();
  const int dx = view.WinToTermX(s.curPos.x) - view.WinToTermX(s.anchor.x);
  const int dy = view.WinToTermY(s.curPos.y) - view.WinToTermY(s.anchor.y);
  if (marked_.empty()) {
    if (dx == 0 && dy == 0) return;
    marked_ = box_.SelectedTopLevel();
  } else if (dx == shownDx_ && dy == shownDy_) {
    return;
  }
  box_.Page().BeginXorDrawing();
  for (t_objekt* o : marked_) {
    if (!o->IsSelected()) continue;
    o->DrawFrame(view);
    o->SetHandleFlags(false, false);
    FrameAtExtent(*o, dx, dy);
    o->DrawFrame(view);
  }
  box_.Page().EndXorDrawing();
  shownDx_ = dx;
  shownDy_ = dy;
}

void SelectionTool::PutMarksBack() {
  if (marked_.empty()) return;
  tview& view = box_.Page().View();
  box_.Page().BeginXorDrawing();
  for (t_objekt* o : marked_) {
    if (o->IsSelected()) o->DrawFrame(view);
    o->SetHandleFlags(true, true);
    FrameAtExtent(*o);
    if (o->IsSelected()) o->DrawFrame(view);
  }
  box_.Page().EndXorDrawing();
  marked_.clear();
  shownDx_ = shownDy_ = 0;
}

void SelectionTool::Cancel() {
  EditorState& s = box_.State();
  PutMarksBack();
  s.resizeObject = nullptr;
  s.hitObject = nullptr;
  s.rubberBand = false;
  s.buttonsDown &= ~kLeftDown;
}

// --- release ---------------------------------------------------------------------------

void SelectionTool::MouseUp(const SheetMouse& event) {
  EditorState& s = box_.State();
  if (event.button != Qt::LeftButton || !(s.buttonsDown & kLeftDown)) return;
  s.buttonsDown &= ~kLeftDown;
  if (!box_.Picture()) return Cancel();
  if (s.resizeObject)
    FinishResize();
  else if (s.hitObject)
    FinishMove();
  else if (s.rubberBand)
    FinishRubberBand(event);
}

void SelectionTool::FinishResize() {
  EditorState& s = box_.State();
  t_objekt& object = *s.resizeObject;
  s.resizeObject = nullptr;
  const bool dragged = !marked_.empty();
  const HandlePoint topLeft = object.Handle(kSlotTopLeft);
  const HandlePoint bottomRight = object.Handle(kSlotBottomRight);
  PutMarksBack();
  if (!dragged ||
      (topLeft == object.Handle(kSlotTopLeft) && bottomRight == object.Handle(kSlotBottomRight)))
    return;
  if (!FitChanges(object, topLeft, bottomRight)) return;
  box_.Report(ResizeObject(*box_.Doc(), *box_.Picture(), object, topLeft, bottomRight));
}

void SelectionTool::FinishMove() {
  EditorState& s = box_.State();
  s.hitObject = nullptr;
  const bool dragged = !marked_.empty();
  const int dx = shownDx_, dy = shownDy_;
  PutMarksBack();
  // Let go left of or above the sheet: the move is called off.
  if (!dragged || s.curPos.x < 0 || s.curPos.y < 0) return;
  const std::vector<t_objekt*> objects = box_.SelectedTopLevel();
  if (objects.empty()) return;
  box_.Report(MoveObjects(*box_.Doc(), *box_.Picture(), objects, dx, dy));
}

void SelectionTool::FinishRubberBand(const SheetMouse& event) {
  EditorState& s = box_.State();
  s.rubberBand = false;
  const TermPixel a = box_.Term(s.anchor);
  const TermPixel b = box_.Term({event.x, event.y});
  std::vector<t_objekt*> inside;
  for (t_objekt* o : TopLevel(*box_.Picture()))
    if (!o->IsSelected() && o->InsideRect(a.x, a.y, b.x, b.y)) inside.push_back(o);
  if (inside.empty()) return;
  std::vector<t_objekt*> selection = box_.Doc()->SelectedObjects();
  selection.insert(selection.end(), inside.begin(), inside.end());
  box_.Doc()->SetSelection(selection);
}

// --- keys ---------------------------------------------------------------------------------

bool SelectionTool::Key(QKeyEvent* event) {
  int dx = 0, dy = 0;
  switch (event->key()) {
    case Qt::Key_Left:
      dx = -1;
      break;
    case Qt::Key_Right:
      dx = 1;
      break;
    case Qt::Key_Up:
      dy = -1;
      break;
    case Qt::Key_Down:
      dy = 1;
      break;
    case Qt::Key_Escape:
      if (event->type() != QEvent::KeyPress || !Dragging()) return false;
      Cancel();
      return true;
    default:
      return false;
  }
  Document* document = box_.Doc();
  if (!document || !box_.Picture()) return false;
  if (event->type() == QEvent::KeyRelease) {
    // The nudges of one held key are one step; the next press starts another.
    if (!event->isAutoRepeat()) document->BreakMerge();
    return true;
  }
  if (Dragging()) return true;  // the mouse has the selection
  if (event->modifiers() & Qt::ShiftModifier) {
    const int step = sheet::GridDistance(box_.workspace().settings().picture.gridSize);
    dx *= step;
    dy *= step;
  }
  return Nudge(dx, dy);
}

bool SelectionTool::Nudge(int dx, int dy) {
  // Members selected in the object tree move too.
  const std::vector<t_objekt*> objects = box_.Doc()->SelectedObjects();
  if (objects.empty()) return false;
  box_.Report(MoveObjects(*box_.Doc(), *box_.Picture(), objects, dx, dy, kMergeNudge));
  return true;
}

}  // namespace tavo

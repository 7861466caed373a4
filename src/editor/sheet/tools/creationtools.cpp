#include "editor/sheet/tools/creationtools.h"

#include "editor/sheet/picturepage.h"
#include "editor/sheet/tools/sheettoolbox.h"
#include "objects/objectkinds.h"
#include "objects/shapes/shapes.h"

namespace tavo {
namespace {

bool Same(TermPixel a, TermPixel b) {
  return a.x == b.x && a.y == b.y;
}

// A new object of the armed kind: a copy of its edit buffer, or one with
// the kind's defaults.
ObjectPtr MakeObject(SheetToolbox& box) {
  const ToolInfo& row = box.Armed();
  ObjectPtr object;
  if (row.buffered) {
    if (const t_objekt* buffer = box.Buffers().Buffer(row.kind)) object = buffer->Clone();
  } else {
    object = CreateObjectOfKind(row.kind);
  }
  if (object && row.drawingAttributes) box.State().attributes.ApplyTo(*object);
  return object;
}

}  // namespace

void CreationTool::MouseDown(const SheetMouse& event) {
  if (event.button == Qt::LeftButton) box_.DeselectAll();
}

// --- two points -----------------------------------------------------------------------

void TwoPointTool::Click(const SheetMouse&) {
  EditorState& s = box_.State();
  if (!box_.Picture()) return;
  const TermPixel at = box_.Term(s.curPos);
  if (s.clickCount == 0) {
    s.firstPoint = at;
    s.anchor = s.curPos;
    s.clickCount = 1;
    return;
  }
  s.lastPoint = at;
  s.clickCount = 0;
  ObjectPtr object = MakeObject(box_);
  if (!object) return box_.Report(EditResult::Failed(txt::kEditCannotCopy));
  box_.Armed().span(*object, s.firstPoint, s.lastPoint);
  box_.Create(std::move(object));
}

void TwoPointTool::Cancel() {
  box_.State().clickCount = 0;
}

XorShape TwoPointTool::Band() const {
  const EditorState& s = box_.State();
  if (s.clickCount < 1) return {};
  const sheet::WinPoint first = box_.Win(s.firstPoint), mouse = s.curPos;
  switch (box_.Armed().rubber) {
    case RubberShape::Line:
      return {XorShape::Kind::Lines, {first, mouse}};
    case RubberShape::Rectangle:
      return {XorShape::Kind::Rectangle, {first, mouse}};
    case RubberShape::Ellipse:
      // Centred on the first click.
      return {XorShape::Kind::Ellipse, {{2 * first.x - mouse.x, 2 * first.y - mouse.y}, mouse}};
    case RubberShape::None:
      break;
  }
  return {};
}

// --- polygon --------------------------------------------------------------------------------

void PolygonTool::Click(const SheetMouse&) {
  EditorState& s = box_.State();
  if (!box_.Picture()) return;
  const TermPixel at = box_.Term(s.curPos);
  if (s.clickCount == 0 || !s.newObject) {
    s.firstPoint = s.lastPoint = at;
    s.anchor = s.curPos;
    auto polygon = std::make_unique<t_polygon>();
    polygon->AppendPoint({double(at.x), double(at.y)});
    s.newObject = std::move(polygon);
    s.clickCount = 1;
    return;
  }
  auto& polygon = static_cast<t_polygon&>(*s.newObject);
  if (Same(at, s.firstPoint) || Same(at, s.lastPoint) || s.clickCount >= kMaxClicks) {
    // The click that closes adds no vertex, only the copy of the first.
    box_.State().attributes.ApplyTo(polygon);
    polygon.AppendPoint({double(s.firstPoint.x), double(s.firstPoint.y)});
    s.clickCount = 0;
    ObjectPtr done = std::move(s.newObject);
    box_.Create(std::move(done));
    return;
  }
  polygon.AppendPoint({double(at.x), double(at.y)});
  ++s.clickCount;
  s.lastPoint = at;
  s.anchor = s.curPos;
}

void PolygonTool::Cancel() {
  EditorState& s = box_.State();
  s.newObject.reset();
  s.clickCount = 0;
}

XorShape PolygonTool::Band() const {
  const EditorState& s = box_.State();
  if (s.clickCount < 1 || !s.newObject) return {};
  XorShape band{XorShape::Kind::Lines, {}};
  for (const TermPoint& p : static_cast<const t_polygon&>(*s.newObject).Points())
    band.points.push_back(box_.Win({int(p.x), int(p.y)}));
  band.points.push_back(s.curPos);
  return band;
}

// --- one click ---------------------------------------------------------------------------------

void PlaceTool::Click(const SheetMouse&) {
  EditorState& s = box_.State();
  if (!box_.Picture() || s.clickCount != 0) return;
  s.firstPoint = box_.Term(s.curPos);
  ObjectPtr object = MakeObject(box_);
  if (!object) return box_.Report(EditResult::Failed(txt::kEditCannotCopy));
  box_.Armed().place(*object, s.firstPoint);
  box_.Create(std::move(object));
}

}  // namespace tavo

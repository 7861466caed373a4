#pragma once
// The creation gestures. Each serves every kind whose row in the tool
// table names it; the row says which kind to make, from what (a new object
// or a copy of the kind's edit buffer) and how its geometry follows from
// the clicks. A left press deselects everything; a creation ends with one
// step that appends the object (not selected) to the open picture, after
// which the selection tool is armed again.

#include "editor/sheet/tools/gesturetool.h"

namespace tavo {

class CreationTool : public GestureTool {
 public:
  using GestureTool::GestureTool;
  void MouseDown(const SheetMouse& event) override;
};

// Two clicks: line, rectangle, circle, bar graph, plot graph, and a bitmap
// that does not keep its natural size. The rubber band runs from the first
// click to the mouse.
class TwoPointTool final : public CreationTool {
 public:
  using CreationTool::CreationTool;
  void Click(const SheetMouse& event) override;
  void Cancel() override;
  XorShape Band() const override;
};

// One click per vertex, up to 50; clicking the first or the last vertex
// again closes the polygon earlier. The rubber band shows the vertices so
// far and the edge to the mouse.
class PolygonTool final : public CreationTool {
 public:
  static constexpr int kMaxClicks = 50;
  using CreationTool::CreationTool;
  void Click(const SheetMouse& event) override;
  void Cancel() override;
  XorShape Band() const override;
};

// One click places a copy of the edit buffer: text, the fields, and a
// bitmap of natural size.
class PlaceTool final : public CreationTool {
 public:
  using CreationTool::CreationTool;
  void Click(const SheetMouse& event) override;
};

}  // namespace tavo

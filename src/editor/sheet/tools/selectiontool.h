#pragma once
// Tool 0: selects objects (click, Shift-click, rubber band), moves the
// selection by dragging and resizes one object by a handle. While the
// mouse drags, only the marks move (inverted frames on the sheet, without
// handles); the picture changes once, when the button is let go, as one
// step. The arrow keys move the selection by one terminal pixel (with
// Shift by the grid step); the steps of one held key are one step.

#include <vector>

#include "editor/sheet/tools/gesturetool.h"

namespace tavo {

class t_objekt;

class SelectionTool final : public GestureTool {
 public:
  using GestureTool::GestureTool;

  void MouseDown(const SheetMouse& event) override;
  void MouseMove(const SheetMouse& event) override;
  void MouseUp(const SheetMouse& event) override;
  bool Key(QKeyEvent* event) override;
  // Ends a drag without changing the picture: the marks go back to where
  // the objects are.
  void Cancel() override;
  void ObjectsChanged() override { Cancel(); }
  XorShape Band() const override;
  // A move, resize or rubber band is under way.
  bool Dragging() const;

 private:
  void Press(const SheetMouse& event);
  void DragMarks();
  void DragHandle();
  // Every mark the drag touched as its object lies, handles shown again.
  void PutMarksBack();
  void FinishResize();
  void FinishMove();
  void FinishRubberBand(const SheetMouse& event);
  bool Nudge(int dx, int dy);

  // The objects whose marks the drag changed.
  std::vector<t_objekt*> marked_;
  // The shift (terminal pixels) the moved marks show.
  int shownDx_ = 0;
  int shownDy_ = 0;
};

}  // namespace tavo

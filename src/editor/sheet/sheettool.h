#pragma once
// What the sheet hands its mouse and key events to. The page owns the
// frame of every event (cross-hair, snapped position, the zoom modes and
// the state after a right-button press); everything else goes to the tool
// installed with PicturePage::SetTool (selection and creation tools).
//
// Coordinates are sheet (window) pixels; PicturePage::CurPos() holds the
// snapped position of the latest move. Handlers that draw on the sheet do
// so through the page's view, bracketed by HideCrossHair / ShowCrossHair,
// and rubber bands by BeginXorDrawing / EndXorDrawing.

#include "editor/sheet/sheet.h"

class QKeyEvent;

namespace tavo {

class SheetTool {
 public:
  virtual ~SheetTool() = default;
  // The page hands events to the tool again / stops handing them (a zoom
  // mode was armed, the project closed).
  virtual void Activate() {}
  virtual void Deactivate() {}
  // Drops whatever the tool has under way (a drag, a creation) without
  // changing the picture: another picture was opened, the project closed.
  // The tool keeps no pointer into the model afterwards.
  virtual void Cancel() {}
  // The open picture's objects changed under the tool (an undo, an edit
  // from elsewhere). Called while the change is delivered, when the objects
  // that left are still alive: the tool lets go of them.
  virtual void ObjectsChanged() {}
  virtual void MouseDown(const SheetMouse&) {}
  virtual void MouseMove(const SheetMouse&) {}
  virtual void MouseUp(const SheetMouse&) {}
  // A left-button press and release on the sheet.
  virtual void Click(const SheetMouse&) {}
  // A left double click, after the click of its second release.
  virtual void DoubleClick(const SheetMouse&) {}
  // Key presses and releases (QEvent::KeyPress, KeyRelease); true when the
  // key was used.
  virtual bool Key(QKeyEvent*) { return false; }
  // The page is about to paint the sheet, or part of it, and has painted
  // it: the tool takes its inverted rubber band off and puts it back, so
  // that a paint never leaves half of one behind.
  virtual void HideRubberBand() {}
  virtual void ShowRubberBand() {}
  // The sheet's image was replaced (a new size): nothing the tool drew is
  // on it any more.
  virtual void SheetReplaced() {}
};

}  // namespace tavo

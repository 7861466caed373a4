#pragma once
// The editor's interaction state: which tool is armed, where the mouse is
// and where the gesture under way started, what the last left press hit,
// and the drawing attributes new shapes receive. The picture editor page
// owns one; the page, the palette and the tools share it.

#include <cstdint>

#include "document/editbuffers.h"
#include "editor/sheet/sheetgeometry.h"
#include "objects/objekt.h"
#include "objects/tview.h"

namespace tavo {

// Bits of EditorState::buttonsDown.
inline constexpr unsigned kLeftDown = 1;
inline constexpr unsigned kRightDown = 2;
inline constexpr unsigned kMiddleDown = 4;

struct EditorState {
  // 0 selection, 1..17 creation tools, 100 / 101 zoom modes, 200 after a
  // right-button press (the page's kTool... numbers).
  int tool = 0;
  // Clicks made so far for the creation under way; a creation is under way
  // while it is above 0.
  int clickCount = 0;
  // The mouse position of the latest move, snapped, and of the move before;
  // window coordinates.
  sheet::WinPoint curPos;
  sheet::WinPoint prevPos;
  // Where the drag, rubber band or creation rubber band started (window).
  sheet::WinPoint anchor;
  // First and latest creation click (terminal).
  TermPixel firstPoint;
  TermPixel lastPoint;
  // The handle grabbed at the last left press (0: none), and curPos then in
  // terminal coordinates.
  std::int16_t handleCode = 0;
  TermPixel grabPoint;
  // The object whose handle was grabbed, and the object the last left press
  // hit. Both point into the open picture: the tools drop them whenever the
  // picture's objects change.
  t_objekt* resizeObject = nullptr;
  t_objekt* hitObject = nullptr;
  // A selection rectangle is being dragged.
  bool rubberBand = false;
  unsigned buttonsDown = 0;
  // The polygon being built; it belongs to the tool until it is appended.
  ObjectPtr newObject;
  DrawingAttributes attributes;
};

}  // namespace tavo

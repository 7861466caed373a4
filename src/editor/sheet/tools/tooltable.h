#pragma once
// The palette's tools next to the kind table: for each tool number its
// button, hint and cursor, the kind it creates and the gesture that creates
// it. Four gestures serve every kind; a new kind gets a row here (and, when
// it has a dialog, an edit buffer in editbuffers.cpp).

#include <cstdint>
#include <span>

#include "objects/objekt.h"
#include "objects/tview.h"
#include "shell/texts.h"

namespace tavo {

enum class Gesture : std::uint8_t {
  Select,     // the selection tool
  TwoPoints,  // two clicks; the object spans them
  Polygon,    // one click per vertex until it closes
  Place,      // one click places the object
  Bitmap,     // Place while the bitmap keeps its natural size, else TwoPoints
};

// The inverted feedback between the first click (or the last vertex) and
// the mouse.
enum class RubberShape : std::uint8_t {
  None,
  Line,
  Rectangle,
  Ellipse,  // centred on the first click, through the mouse
};

struct ToolInfo {
  int tool;
  const char* button;  // object name of the palette button
  TextId hint;
  int cursor;  // SheetCursorNumber
  Gesture gesture;
  std::uint8_t kind;  // the kind created; the selection tool creates none
  // Made from the kind's edit buffer, which the kind's dialog sets up
  // before the tool is armed.
  bool buffered;
  // Takes the current drawing attributes (the field kinds have theirs from
  // the buffer).
  bool drawingAttributes;
  RubberShape rubber;
  // TwoPoints (and Bitmap): puts the geometry between the two clicks.
  void (*span)(t_objekt& object, TermPixel first, TermPixel last);
  // Place (and Bitmap): puts the object's reference point at the click.
  void (*place)(t_objekt& object, TermPixel at);
};

inline constexpr int kToolBitmap = 17;
inline constexpr int kLastTool = 17;

// The tools in palette order, 0 to 17.
std::span<const ToolInfo> Tools();
// Null for a number that is no palette tool.
const ToolInfo* FindTool(int tool);
// The gesture of the row; Bitmap resolved by whether the bitmap keeps its
// natural size.
Gesture GestureOf(const ToolInfo& row, bool naturalSize);

}  // namespace tavo

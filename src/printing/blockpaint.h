#pragma once
// Draws a pixel block of the printout on any canvas: the preview, printer
// and PDF canvases of the program, and plain pixel buffers in tests.

#include "objects/fields/fields.h"
#include "printing/printout.h"

namespace tavo {

class FontCache;
class tview;

struct BlockPainter {
  FontCache& fonts;
  // Pictures are drawn through this view (borrowed for the block at zoom 1);
  // it must draw its texts with `fonts`.
  tview& view;
  FieldContext fields;
};

// Paints `block` with its top-left at the canvas's origin. The canvas
// should be block.width x block.height pixels; the block paints its own
// background.
void PaintBlock(const PixelBlock& block, Canvas& canvas, BlockPainter& painter);

}  // namespace tavo

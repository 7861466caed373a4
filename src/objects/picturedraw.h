#pragma once
// A picture as the editor sheet shows it: the colour of its display area
// and its objects in drawing order. The sheet, the command line's rendered
// images and the picture list's thumbnails draw pictures through these.

#include "objects/fields/fields.h"
#include "objects/tview.h"

namespace tavo {

class t_bild;

// Draw mode for the display setting "Style": 0 normal, 1 outline; -1
// (nothing drawn) for any other value.
int DrawModeForStyle(int style);

// The display area's colour: white in the outline display, otherwise the
// picture's background colour in the view's palette (an index above 15 gives
// kInvalidPaletteColour).
Rgb PictureBackground(const t_bild& picture, const tview& view, bool outline);

// Every object of the picture in list order, the first at the back; nothing
// for a negative mode.
void DrawPictureObjects(const t_bild& picture, tview& view, int mode, const FieldContext& context);

}  // namespace tavo

#include "editor/sheet/tools/tooltable.h"

#include "editor/sheet/cursors.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "objects/fields/fields.h"
#include "objects/shapes/shapes.h"

namespace tavo {
namespace {

void SpanLine(t_objekt& o, TermPixel f, TermPixel l) {
  static_cast<t_linie&>(o).SetEnds(f.x, f.y, l.x, l.y);
}
void SpanRectangle(t_objekt& o, TermPixel f, TermPixel l) {
  static_cast<t_rechteck&>(o).SetCorners(f.x, f.y, l.x, l.y);
}
void SpanCircle(t_objekt& o, TermPixel f, TermPixel l) {
  static_cast<t_kreis&>(o).SetFromCentre(f.x, f.y, l.x, l.y);
}
void SpanGraph(t_objekt& o, TermPixel f, TermPixel l) {
  static_cast<t_graf&>(o).SetCorners(f.x, f.y, l.x, l.y);
}
void SpanBitmap(t_objekt& o, TermPixel f, TermPixel l) {
  static_cast<tqvxbitmap&>(o).SetCorners(f.x, f.y, l.x, l.y);
}

// The fields are laid out from the top-left corner of their first cell.
void PlaceField(t_objekt& o, TermPixel at) {
  static_cast<t_feldobjekt&>(o).SetPosition(at.x, at.y);
}
// A bitmap of natural size keeps the box its dialog gave it, shifted by the
// click.
void PlaceBitmap(t_objekt& o, TermPixel at) {
  auto& b = static_cast<tqvxbitmap&>(o);
  b.SetCorners(b.x1 + at.x, b.y1 + at.y, b.x2 + at.x, b.y2 + at.y);
}

namespace t = txt;

// Tool numbers are the palette's, not the kinds'.
constexpr ToolInfo kTools[] = {
    {0, "but_pfeil", t::kPaletteSelect, kPfeilCursor, Gesture::Select, 0, false, false,
     RubberShape::None, nullptr, nullptr},
    {1, "but_line", t::kPaletteLine, kLineCursor, Gesture::TwoPoints, kKindLinie, false, true,
     RubberShape::Line, SpanLine, nullptr},
    {2, "but_rect", t::kPaletteRect, kRectCursor, Gesture::TwoPoints, kKindRechteck, false, true,
     RubberShape::Rectangle, SpanRectangle, nullptr},
    {3, "but_circ", t::kPaletteCirc, kCircCursor, Gesture::TwoPoints, kKindKreis, false, true,
     RubberShape::Ellipse, SpanCircle, nullptr},
    {4, "but_poly", t::kPalettePoly, kPolyCursor, Gesture::Polygon, kKindPolygon, false, true,
     RubberShape::Line, nullptr, nullptr},
    {5, "but_text", t::kPaletteText, kTextCursor, Gesture::Place, kKindText, true, false,
     RubberShape::None, nullptr, PlaceField},
    {6, "but_bargraf", t::kPaletteBargraf, kBarGrafCursor, Gesture::TwoPoints, kKindBargraf, true,
     true, RubberShape::Rectangle, SpanGraph, nullptr},
    {7, "but_plotgraf", t::kPalettePlotgraf, kPlotgrafCursor, Gesture::TwoPoints, kKindPlotgraf,
     true, true, RubberShape::Rectangle, SpanGraph, nullptr},
    {8, "but_editlist", t::kPaletteEditList, kEditListCursor, Gesture::Place, kKindEditListe, true,
     false, RubberShape::None, nullptr, PlaceField},
    {9, "but_textlist", t::kPaletteTextList, kTextListCursor, Gesture::Place, kKindTextListe, true,
     false, RubberShape::None, nullptr, PlaceField},
    {10, "but_ausgabe", t::kPaletteAusgabe, kAusgabeCursor, Gesture::Place, kKindAusgabe, true,
     false, RubberShape::None, nullptr, PlaceField},
    {11, "but_eingabe", t::kPaletteEingabe, kEingabeCursor, Gesture::Place, kKindEingabe, true,
     false, RubberShape::None, nullptr, PlaceField},
    {12, "but_scalausgabe", t::kPaletteScalAusgabe, kScalAusgabeCursor, Gesture::Place,
     kKindSkalAusgabe, true, false, RubberShape::None, nullptr, PlaceField},
    {13, "but_scaleingabe", t::kPaletteScalEingabe, kScalEingabeCursor, Gesture::Place,
     kKindSkalEingabe, true, false, RubberShape::None, nullptr, PlaceField},
    {14, "but_barcodeein", t::kPaletteBarcode, kBarcodeCursor, Gesture::Place, kKindBarcode, true,
     false, RubberShape::None, nullptr, PlaceField},
    {15, "but_clockaus", t::kPaletteClockAus, kClockAusCursor, Gesture::Place, kKindZeit, true,
     false, RubberShape::None, nullptr, PlaceField},
    {16, "but_dateaus", t::kPaletteDateAus, kDateAusCursor, Gesture::Place, kKindDatum, true, false,
     RubberShape::None, nullptr, PlaceField},
    {kToolBitmap, "ToolButton9", t::kPaletteBitmap, kBitmapCursor, Gesture::Bitmap, kKindBitmap,
     true, true, RubberShape::Rectangle, SpanBitmap, PlaceBitmap},
};

}  // namespace

std::span<const ToolInfo> Tools() {
  return kTools;
}

const ToolInfo* FindTool(int tool) {
  return tool >= 0 && tool <= kLastTool ? &kTools[tool] : nullptr;
}

Gesture GestureOf(const ToolInfo& row, bool naturalSize) {
  if (row.gesture != Gesture::Bitmap) return row.gesture;
  return naturalSize ? Gesture::Place : Gesture::TwoPoints;
}

}  // namespace tavo

#include "objects/tview.h"

#include <cmath>
#include <vector>

#include "objects/rounding.h"
#include "resources/fonts.h"

namespace tavo {

namespace {

constexpr Rgb kColour[kPaletteSize] = {
    0x000000, 0xA40000, 0x00A400, 0xA4A400, 0x0000A4, 0xA400A4, 0x00A4A4, 0xA4A4A4,
    0x505050, 0xFC0000, 0x00FC00, 0xFCFC00, 0x0000FC, 0xFC00FC, 0x00FCFC, 0xFCFCFC,
};

constexpr Rgb kGrey[kPaletteSize] = {
    0x000000, 0x3C3C3C, 0x505050, 0x787878, 0x484848, 0x646464, 0x8C8C8C, 0xB4B4B4,
    0x505050, 0x3C3C3C, 0xA0A0A0, 0xB4B4B4, 0x484848, 0x5C5C5C, 0xE8E8E8, 0xFCFCFC,
};

// Code page 1252: FC is u-umlaut, DF sharp s.
const std::array<std::string, kPaletteSize> kNames = {
    "Schwarz    ",
    "Blau       ",
    "Gr\xFCn       ",
    "Petrol     ",
    "Rotbraun   ",
    "Violett    ",
    "Oliv"
    "gr\xFCn   ",
    "HellGrau   ",
    "Grau       ",
    "HellBlau   ",
    "Hellgr\xFCn   ",
    "Hellblau   ",
    "Hellrot    ",
    "Pink       ",
    "Gelb       ",
    "Wei\xDF       ",
};

constexpr std::uint8_t kPatterns[kPatternCount][8] = {
    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
    {0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00},
    {0x80, 0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40},
    {0x1C, 0x38, 0x70, 0xE0, 0xC1, 0x83, 0x07, 0x0E},
    {0x07, 0x83, 0xC1, 0xE0, 0x70, 0x38, 0x1C, 0x0E},
    {0xD2, 0x69, 0xB4, 0x5A, 0x2D, 0x96, 0x4B, 0xA5},
    {0x88, 0x88, 0xFF, 0x88, 0x88, 0x88, 0xFF, 0x88},
    {0x12, 0x21, 0xC0, 0xC0, 0x21, 0x12, 0x0C, 0x0C},
    {0xCC, 0x33, 0xCC, 0x33, 0xCC, 0x33, 0xCC, 0x33},
    {0x00, 0x10, 0x00, 0x01, 0x00, 0x10, 0x00, 0x01},
    {0x00, 0x22, 0x00, 0x88, 0x00, 0x22, 0x00, 0x88},
};

}  // namespace

Rgb ColourPalette(int index) {
  return index >= 0 && index < kPaletteSize ? kColour[index] : kInvalidPaletteColour;
}

Rgb GreyPalette(int index) {
  return index >= 0 && index < kPaletteSize ? kGrey[index] : kInvalidPaletteColour;
}

const std::string& PaletteName(int index) {
  static const std::string kNone;
  return index >= 0 && index < kPaletteSize ? kNames[index] : kNone;
}

const std::uint8_t* PatternTile(int pattern) {
  return pattern >= 1 && pattern <= kPatternCount ? kPatterns[pattern - 1] : nullptr;
}

// --- transform ------------------------------------------------------------------

void tview::SetZoom(double zoom) {
  if (std::isfinite(zoom) && zoom > 0) zoom_ = zoom;
}

std::int16_t tview::TermToWinX(double t) const {
  return SaturateToI16(RoundEven(t * zoom_) + offsetX_);
}

std::int16_t tview::TermToWinY(double t) const {
  return SaturateToI16(RoundEven(t * zoom_) + offsetY_);
}

std::int16_t tview::WinToTermX(double w) const {
  return RoundToI16((w - offsetX_) / zoom_);
}

std::int16_t tview::WinToTermY(double w) const {
  return RoundToI16((w - offsetY_) / zoom_);
}

// --- pen, brush -----------------------------------------------------------------

void tview::SetPenMode(PenMode mode) {
  penMode_ = mode;
  if (canvas_) canvas_->SetPenMode(mode);
}

void tview::SetPenWidth(int width, bool scaled) {
  int pixels = scaled ? RoundToI32(width * zoom_) : width;
  if (pixels < 1) pixels = 1;
  if (canvas_) canvas_->SetPenWidth(pixels);
}

void tview::SetPenStyle(PenStyle style) {
  if (canvas_) canvas_->SetPenStyle(style);
}

void tview::SetPenColour(Rgb colour) {
  penColour_ = colour;
  if (canvas_) canvas_->SetPenColour(colour);
}

void tview::ApplyBrush() {
  if (fillPattern_ == 1) {
    canvas_->SetBrushSolid(brushColour_);
  } else if (const std::uint8_t* tile = PatternTile(fillPattern_)) {
    // The view is a preview of the terminal: a pattern keeps its terminal
    // pixels at every zoom, anchored at the terminal's origin.
    canvas_->SetBrushPatternScaled(tile, brushColour_, zoom_, offsetX_, offsetY_);
  } else {
    canvas_->SetBrushHollow();
  }
}

// --- drawing --------------------------------------------------------------------

void tview::MoveTo(int x, int y) {
  if (canvas_) canvas_->MoveTo(TermToWinX(x), TermToWinY(y));
}

void tview::LineTo(int x, int y) {
  if (canvas_) canvas_->LineTo(TermToWinX(x), TermToWinY(y));
}

void tview::Line(double x1, double y1, double x2, double y2) {
  MoveTo(RoundToI32(x1), RoundToI32(y1));
  LineTo(RoundToI32(x2), RoundToI32(y2));
}

void tview::Rectangle(int x1, int y1, int x2, int y2) {
  if (!canvas_) return;
  ApplyBrush();
  canvas_->Rectangle(TermToWinX(x1), TermToWinY(y1), TermToWinX(x2), TermToWinY(y2));
}

void tview::FillRectangle(int x1, int y1, int x2, int y2) {
  if (!canvas_) return;
  ApplyBrush();
  canvas_->FillRect(TermToWinX(x1), TermToWinY(y1), TermToWinX(x2), TermToWinY(y2));
}

void tview::Polygon(std::span<const TermPixel> points) {
  if (!canvas_ || points.empty()) return;
  std::vector<CanvasPoint> window;
  window.reserve(points.size());
  for (const TermPixel& p : points) window.push_back({TermToWinX(p.x), TermToWinY(p.y)});
  ApplyBrush();
  canvas_->Polygon(window);
}

void tview::Pixel(int x, int y, Rgb colour) {
  if (canvas_) canvas_->SetPixel(TermToWinX(x), TermToWinY(y), colour);
}

void tview::Text(int x, int y, bool opaque, const std::string& text) {
  if (!canvas_ || !textRenderer_) return;
  textRenderer_(*canvas_, TermToWinX(x), TermToWinY(y), penColour_, text, fontName_, opaque,
                brushColour_, zoom_);
}

void tview::UseFontCache(FontCache& fonts) {
  textRenderer_ = [&fonts](Canvas& canvas, int x, int y, Rgb ink, const std::string& text,
                           const std::string& fontName, bool opaque, Rgb background, double zoom) {
    fonts.DrawTerminalText(canvas, x, y, ink, text, fontName, opaque, background, zoom);
  };
}

void tview::FillWindowRect(int left, int top, int right, int bottom) {
  if (!canvas_) return;
  canvas_->SetBrushSolid(brushColour_);
  canvas_->FillRect(left, top, right + 1, bottom + 1);
}

// --- borrowing ------------------------------------------------------------------

ViewBorrow::ViewBorrow(tview& view, Canvas* canvas, double zoom, std::int16_t offsetX,
                       std::int16_t offsetY)
    : view_(view),
      canvas_(view.canvas()),
      zoom_(view.Zoom()),
      offsetX_(view.OffsetX()),
      offsetY_(view.OffsetY()) {
  view_.SetCanvas(canvas);
  view_.SetZoom(zoom);
  view_.SetOffsetX(offsetX);
  view_.SetOffsetY(offsetY);
}

ViewBorrow::~ViewBorrow() {
  view_.SetCanvas(canvas_);
  view_.SetZoom(zoom_);
  view_.SetOffsetX(offsetX_);
  view_.SetOffsetY(offsetY_);
}

}  // namespace tavo

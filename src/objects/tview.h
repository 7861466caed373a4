#pragma once
// The drawing view: every graphic object draws itself in terminal
// coordinates through it. It maps terminal pixels to window pixels with a
// zoom and an offset, remembers pen, brush, fill pattern and terminal font,
// and draws on a Canvas. One view serves the whole program; thumbnails and
// previews borrow it for a while through ViewBorrow.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "resources/canvas.h"
#include "resources/resourceproblems.h"

namespace tavo {

class FontCache;

// --- palettes and fill patterns ---------------------------------------------

inline constexpr int kPaletteSize = 16;
// Returned for an index outside 0..15, in both palettes.
inline constexpr Rgb kInvalidPaletteColour = 0x281414;

Rgb ColourPalette(int index);
Rgb GreyPalette(int index);
// Name of a palette entry, blank-padded to 11 characters, code page 1252;
// empty for an index outside 0..15.
const std::string& PaletteName(int index);

inline constexpr int kPatternCount = 11;
// Tile of fill pattern n (1..11): eight rows, top first, most significant
// bit leftmost. Null for any other n.
const std::uint8_t* PatternTile(int pattern);

inline constexpr const char* kInitialViewFont = "sys08x16.fon";

// Draws a text in a terminal bitmap font at window position (x, y), the
// top-left of its first cell. The font code plugs its renderer in here.
using TerminalTextRenderer =
    std::function<void(Canvas& canvas, int x, int y, Rgb ink, const std::string& text,
                       const std::string& fontName, bool opaque, Rgb background, double zoom)>;

// A terminal point in whole pixels.
struct TermPixel {
  int x = 0;
  int y = 0;
};

class tview {
 public:
  tview() = default;
  explicit tview(Canvas* canvas) : canvas_(canvas) {}

  // --- surface and transform -------------------------------------------------
  Canvas* canvas() const { return canvas_; }
  void SetCanvas(Canvas* canvas) { canvas_ = canvas; }
  double Zoom() const { return zoom_; }
  // A zoom that is not a positive finite number is refused (the old stays).
  void SetZoom(double zoom);
  std::int16_t OffsetX() const { return offsetX_; }
  std::int16_t OffsetY() const { return offsetY_; }
  void SetOffsetX(std::int16_t x) { offsetX_ = x; }
  void SetOffsetY(std::int16_t y) { offsetY_ = y; }

  // Results saturate at the 16-bit range.
  std::int16_t TermToWinX(double t) const;
  std::int16_t TermToWinY(double t) const;
  std::int16_t WinToTermX(double w) const;
  std::int16_t WinToTermY(double w) const;

  // Terminal palette lookups follow the display setting.
  bool Grayscale() const { return grayscale_; }
  void SetGrayscale(bool on) { grayscale_ = on; }
  Rgb PaletteColour(int index) const {
    return grayscale_ ? GreyPalette(index) : ColourPalette(index);
  }

  // --- pen, brush, font ------------------------------------------------------
  void SetPenMode(PenMode mode);
  PenMode penMode() const { return penMode_; }
  // Window pixels: round(w x zoom) when scaled, else w; never below 1.
  void SetPenWidth(int width, bool scaled);
  void SetPenStyle(PenStyle style);
  void SetPenColour(Rgb colour);
  Rgb penColour() const { return penColour_; }
  void SetFontColour(Rgb colour) { fontColour_ = colour; }
  Rgb fontColour() const { return fontColour_; }
  void SetBrushColour(Rgb colour) { brushColour_ = colour; }
  Rgb brushColour() const { return brushColour_; }
  // 0 = hollow, 1..11 = the fill patterns, anything else = hollow.
  void SetFillPattern(std::int16_t pattern) { fillPattern_ = pattern; }
  std::int16_t fillPattern() const { return fillPattern_; }
  void SetFontName(const std::string& name) { fontName_ = name; }
  const std::string& fontName() const { return fontName_; }
  void SetTextRenderer(TerminalTextRenderer renderer) { textRenderer_ = std::move(renderer); }
  // Texts are drawn by the program's font cache, which must outlive the view.
  void UseFontCache(FontCache& fonts);
  // Objects tell here about the files they cannot draw as they are (the
  // font cache has a sink of its own).
  void SetProblemSink(ResourceProblemSink sink) { problemSink_ = std::move(sink); }
  void ReportProblem(const std::string& file, const std::string& problem) const {
    if (problemSink_) problemSink_(file, problem);
  }

  // --- drawing, terminal coordinates --------------------------------------
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  // End points rounded to whole terminal pixels (ties to even).
  void Line(double x1, double y1, double x2, double y2);
  // Outline with the pen, interior with the fill pattern in the brush colour.
  void Rectangle(int x1, int y1, int x2, int y2);
  void FillRectangle(int x1, int y1, int x2, int y2);
  void Polygon(std::span<const TermPixel> points);
  // One window pixel at the transformed point.
  void Pixel(int x, int y, Rgb colour);
  // Terminal font text (already in the terminal's code page) in the pen
  // colour over the brush colour; nothing without a text renderer.
  void Text(int x, int y, bool opaque, const std::string& text);

  // --- drawing, window coordinates (selection marks) ----------------------
  // Fills the inclusive window rectangle with the brush colour, no outline.
  void FillWindowRect(int left, int top, int right, int bottom);

 private:
  void ApplyBrush();

  Canvas* canvas_ = nullptr;
  std::int16_t offsetX_ = 0;
  std::int16_t offsetY_ = 0;
  std::string fontName_ = kInitialViewFont;
  Rgb brushColour_ = 0xFFFFFF;
  Rgb penColour_ = 0;
  Rgb fontColour_ = 0;
  double zoom_ = 200.0;
  std::int16_t fillPattern_ = 0;
  PenMode penMode_ = PenMode::Copy;
  bool grayscale_ = false;
  TerminalTextRenderer textRenderer_;
  ResourceProblemSink problemSink_;
};

// Points the view at another surface with its own zoom and offsets and puts
// the previous ones back when it goes out of scope.
class ViewBorrow {
 public:
  ViewBorrow(tview& view, Canvas* canvas, double zoom, std::int16_t offsetX, std::int16_t offsetY);
  ~ViewBorrow();
  ViewBorrow(const ViewBorrow&) = delete;
  ViewBorrow& operator=(const ViewBorrow&) = delete;

 private:
  tview& view_;
  Canvas* canvas_;
  double zoom_;
  std::int16_t offsetX_;
  std::int16_t offsetY_;
};

}  // namespace tavo

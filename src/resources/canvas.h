#pragma once
// The drawing surface everything terminal-shaped is drawn on: the editor
// sheet, thumbnails, previews, rendered images. Window pixel coordinates.
// Implemented with QPainter on a QImage or a widget (src/qt), and by plain
// pixel buffers in tests.

#include <cstdint>
#include <vector>

namespace tavo {

// 0x00BBGGRR, the colour form of the palettes.
using Rgb = std::uint32_t;

inline constexpr std::uint8_t RedOf(Rgb c) {
  return c & 0xFF;
}
inline constexpr std::uint8_t GreenOf(Rgb c) {
  return (c >> 8) & 0xFF;
}
inline constexpr std::uint8_t BlueOf(Rgb c) {
  return (c >> 16) & 0xFF;
}
inline constexpr Rgb MakeRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return Rgb(r) | (Rgb(g) << 8) | (Rgb(b) << 16);
}

enum class PenMode { Copy, Invert };
enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, None };

struct CanvasPoint {
  int x = 0;
  int y = 0;
};

// A 16-bit (5-6-5 packed) image as the terminal and the bitmap object use it.
struct Image16 {
  int width = 0;
  int height = 0;
  std::vector<std::uint16_t> pixels;  // row by row, top row first
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  virtual void SetPenMode(PenMode mode) = 0;
  virtual void SetPenWidth(int width) = 0;
  virtual void SetPenStyle(PenStyle style) = 0;
  virtual void SetPenColour(Rgb colour) = 0;
  // Brush for Rectangle and Polygon: hollow, solid, or an 8 x 8 tile whose
  // 1 bits take the brush colour and 0 bits black; the tile repeats from the
  // window origin. Rows are top first, most significant bit leftmost.
  virtual void SetBrushHollow() = 0;
  virtual void SetBrushSolid(Rgb colour) = 0;
  virtual void SetBrushPattern(const std::uint8_t rows[8], Rgb colour) = 0;
  // The tile in terminal pixels: each bit covers `scale` x `scale` window
  // pixels, and the tile repeats from (originX, originY), the window point
  // of the terminal's origin. Canvases that cannot scale a tile draw it as
  // SetBrushPattern does.
  virtual void SetBrushPatternScaled(const std::uint8_t rows[8], Rgb colour, double /*scale*/,
                                     int /*originX*/, int /*originY*/) {
    SetBrushPattern(rows, colour);
  }

  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  // Outline with the pen, interior with the brush; right and bottom exclusive.
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  virtual void Polygon(const std::vector<CanvasPoint>& points) = 0;
  // Interior only, with the brush; right and bottom exclusive.
  virtual void FillRect(int left, int top, int right, int bottom) = 0;
  // Plain colour fill ignoring pen and brush (text cells, backgrounds).
  virtual void FillRectColour(int left, int top, int right, int bottom, Rgb colour) = 0;
  virtual void SetPixel(int x, int y, Rgb colour) = 0;
  virtual Rgb Pixel(int x, int y) const = 0;
  // Stretches `image` into the rectangle (left > right or top > bottom
  // mirrors); pixels equal to `transparent` are skipped when `useTransparent`.
  virtual void DrawImage(const Image16& image, int left, int top, int right, int bottom,
                         bool useTransparent, std::uint16_t transparent) = 0;
  // Limits every drawing to the rectangle (right and bottom exclusive) until
  // ClearClip; reading pixels is not limited. Canvases that cannot clip
  // draw everywhere, which is never wrong, only slower.
  virtual void SetClip(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/) {}
  virtual void ClearClip() {}
};

}  // namespace tavo

#pragma once
// A plain pixel buffer behind the canvas interface: enough for text drawing,
// which only fills rectangles and sets pixels.

#include <algorithm>
#include <vector>

#include "resources/canvas.h"

namespace tavo::testing {

class PixelCanvas : public Canvas {
 public:
  PixelCanvas(int width, int height, Rgb paper = 0xFFFFFF)
      : width_(width), height_(height), pixels_(std::size_t(width) * height, paper) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetPenMode(PenMode) override {}
  void SetPenWidth(int) override {}
  void SetPenStyle(PenStyle) override {}
  void SetPenColour(Rgb) override {}
  void SetBrushHollow() override {}
  void SetBrushSolid(Rgb) override {}
  void SetBrushPattern(const std::uint8_t[8], Rgb) override {}
  void MoveTo(int, int) override {}
  void LineTo(int, int) override {}
  void Rectangle(int, int, int, int) override {}
  void Polygon(const std::vector<CanvasPoint>&) override {}
  void FillRect(int, int, int, int) override {}
  void DrawImage(const Image16&, int, int, int, int, bool, std::uint16_t) override {}

  void FillRectColour(int left, int top, int right, int bottom, Rgb colour) override {
    ++fills;
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y)
      for (int x = std::max(left, 0); x < std::min(right, width_); ++x)
        pixels_[std::size_t(y) * width_ + x] = colour;
  }
  void SetPixel(int x, int y, Rgb colour) override {
    ++fills;
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
      pixels_[std::size_t(y) * width_ + x] = colour;
  }
  Rgb Pixel(int x, int y) const override {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[std::size_t(y) * width_ + x];
  }

  const std::vector<Rgb>& Pixels() const { return pixels_; }
  int fills = 0;

 private:
  int width_;
  int height_;
  std::vector<Rgb> pixels_;
};

}  // namespace tavo::testing

#pragma once
// A canvas that records every call as a short text, so tests can check what
// the view asked the surface to do.

#include <cstdio>
#include <string>
#include <vector>

#include "resources/canvas.h"

namespace tavo::testing {

class RecordingCanvas : public Canvas {
 public:
  std::vector<std::string> calls;

  int Width() const override { return 640; }
  int Height() const override { return 480; }
  void SetPenMode(PenMode mode) override {
    Add(mode == PenMode::Copy ? "PenMode(copy)" : "PenMode(invert)");
  }
  void SetPenWidth(int width) override { Add("PenWidth(" + std::to_string(width) + ")"); }
  void SetPenStyle(PenStyle style) override {
    Add("PenStyle(" + std::to_string(static_cast<int>(style)) + ")");
  }
  void SetPenColour(Rgb colour) override { Add("PenColour(" + Hex(colour) + ")"); }
  void SetBrushHollow() override { Add("BrushHollow"); }
  void SetBrushSolid(Rgb colour) override { Add("BrushSolid(" + Hex(colour) + ")"); }
  void SetBrushPattern(const std::uint8_t rows[8], Rgb colour) override {
    std::string text = "BrushPattern(";
    for (int i = 0; i < 8; ++i) text += Hex(rows[i], 2);
    Add(text + "," + Hex(colour) + ")");
  }
  void MoveTo(int x, int y) override { Add("MoveTo" + Pt(x, y)); }
  void LineTo(int x, int y) override { Add("LineTo" + Pt(x, y)); }
  void Rectangle(int l, int t, int r, int b) override { Add("Rectangle" + Rect(l, t, r, b)); }
  void Polygon(const std::vector<CanvasPoint>& points) override {
    std::string text = "Polygon(";
    for (const CanvasPoint& p : points) text += Pt(p.x, p.y);
    Add(text + ")");
  }
  void FillRect(int l, int t, int r, int b) override { Add("FillRect" + Rect(l, t, r, b)); }
  void FillRectColour(int l, int t, int r, int b, Rgb c) override {
    Add("FillRectColour" + Rect(l, t, r, b) + Hex(c));
  }
  void SetPixel(int x, int y, Rgb c) override { Add("SetPixel" + Pt(x, y) + Hex(c)); }
  Rgb Pixel(int, int) const override { return 0; }
  void DrawImage(const Image16&, int, int, int, int, bool, std::uint16_t) override {
    Add("DrawImage");
  }

  // Calls that start with `prefix`, in order.
  std::vector<std::string> Only(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& c : calls)
      if (c.rfind(prefix, 0) == 0) out.push_back(c);
    return out;
  }

 private:
  void Add(std::string call) { calls.push_back(std::move(call)); }
  static std::string Pt(int x, int y) {
    return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
  }
  static std::string Rect(int l, int t, int r, int b) {
    return "(" + std::to_string(l) + "," + std::to_string(t) + "," + std::to_string(r) + "," +
           std::to_string(b) + ")";
  }
  static std::string Hex(unsigned value, int digits = 6) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
    return buffer;
  }
};

}  // namespace tavo::testing

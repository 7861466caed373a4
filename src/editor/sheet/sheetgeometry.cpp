#include "editor/sheet/sheetgeometry.h"

#include <algorithm>
#include <cmath>

#include "objects/rounding.h"
#include "objects/tview.h"

namespace tavo::sheet {

int ClampScroll(int position) {
  return std::clamp(position, kScrollMin, kScrollMax);
}

bool CanDouble(double zoom) {
  return zoom < kZoomMax;
}

bool CanHalve(double zoom) {
  return zoom > kZoomMin;
}

ZoomResult ZoomAbout(const tview& view, int x, int y, bool doubling) {
  const double zoom = doubling ? view.Zoom() * 2 : view.Zoom() / 2;
  tview after;
  after.SetZoom(zoom);
  after.SetOffsetX(view.OffsetX());
  after.SetOffsetY(view.OffsetY());
  const int dx = after.WinToTermX(x) - view.WinToTermX(x);
  const int dy = after.WinToTermY(y) - view.WinToTermY(y);
  // The scroll bars hold the negated offsets and clamp them to their range.
  ZoomResult result;
  result.zoom = zoom;
  result.offsetX = -ClampScroll(-(view.OffsetX() + RoundToI32(dx * zoom)));
  result.offsetY = -ClampScroll(-(view.OffsetY() + RoundToI32(dy * zoom)));
  return result;
}

Offsets CentreOffsets(int sheetWidth, int sheetHeight, int terminalWidth, int terminalHeight,
                      double zoom) {
  return {sheetWidth / 2 - RoundToI32(terminalWidth * zoom) / 2,
          sheetHeight / 2 - RoundToI32(terminalHeight * zoom) / 2};
}

WinPoint SnapPoint(const tview& view, int x, int y, bool snapOn, int size) {
  if (!snapOn || size < 1) return {x, y};
  const double zoom = view.Zoom();
  const double kx = RoundEven(double(view.WinToTermX(x)) / size);
  const double ky = RoundEven(double(view.WinToTermY(y)) / size);
  return {RoundToI32(size * (kx * zoom) + view.OffsetX()),
          RoundToI32(size * (ky * zoom) + view.OffsetY())};
}

int GridDistance(int gridSize) {
  return gridSize < 2 ? 4 : gridSize;
}

void ForEachGridDot(const tview& view, int sheetWidth, int sheetHeight, int gx, int gy,
                    const std::function<void(int x, int y)>& dot) {
  gx = GridDistance(gx);
  gy = GridDistance(gy);
  // The remainder keeps the sign of the dividend, so the first row and
  // column may lie just outside the sheet; they are clipped when drawn.
  const int left = view.WinToTermX(0), top = view.WinToTermY(0);
  const int right = view.WinToTermX(sheetWidth), bottom = view.WinToTermY(sheetHeight);
  const int x0 = left - left % gx;
  int lastRow = -1;
  bool firstRow = true;
  for (int ty = top - top % gy; ty <= bottom; ty += gy) {
    const int wy = view.TermToWinY(ty);
    if (!firstRow && wy == lastRow) continue;
    firstRow = false;
    lastRow = wy;
    int lastColumn = 0;
    bool firstColumn = true;
    for (int tx = x0; tx <= right; tx += gx) {
      const int wx = view.TermToWinX(tx);
      if (!firstColumn && wx == lastColumn) continue;
      firstColumn = false;
      lastColumn = wx;
      dot(wx, wy);
    }
  }
}

std::vector<RulerTick> RulerTicks(double from, double to, int length) {
  std::vector<RulerTick> ticks;
  if (length <= 0 || !(to > from) || !std::isfinite(from) || !std::isfinite(to)) return ticks;
  const double pixelsPerUnit = length / (to - from);
  // Labelled marks at least 50 pixels apart, on 1, 2, 5 times a power of ten.
  constexpr double kLabelSpacing = 50;
  long long major = 1;
  for (long long decade = 1; decade <= 100000000; decade *= 10) {
    major = 0;
    for (const long long m : {1, 2, 5}) {
      if (m * decade * pixelsPerUnit >= kLabelSpacing) {
        major = m * decade;
        break;
      }
    }
    if (major) break;
  }
  if (!major) return ticks;
  long long minor = major % 5 == 0 ? major / 5 : major / 2;
  if (minor < 1 || minor * pixelsPerUnit < 4) minor = major;
  const long long first = static_cast<long long>(std::ceil(from / minor)) * minor;
  for (long long v = first; v <= to; v += minor) {
    RulerTick tick;
    tick.pixel = static_cast<int>(std::lround((v - from) * pixelsPerUnit));
    tick.value = static_cast<int>(v);
    tick.major = v % major == 0;
    ticks.push_back(tick);
  }
  return ticks;
}

bool CrossHairNesting::Hide() {
  const bool draw = depth_ <= 0;
  ++depth_;
  return draw;
}

bool CrossHairNesting::Show() {
  if (depth_ > 0) --depth_;
  return depth_ == 0;
}

}  // namespace tavo::sheet

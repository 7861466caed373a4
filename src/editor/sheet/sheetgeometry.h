#pragma once
// The arithmetic of the editor sheet, kept apart from the widgets: zoom
// steps about a point, the scroll range, centring, snap, the grid dots, the
// ruler ticks and the cross-hair nesting. Standard library only; every
// transform goes through the view, so the sheet, the snap and the zoom step
// round alike (nearest, ties to even).

#include <cstdint>
#include <functional>
#include <vector>

namespace tavo {

class tview;

namespace sheet {

// The zoom only ever doubles or halves between these bounds.
inline constexpr double kZoomMin = 0.25;
inline constexpr double kZoomMax = 8.0;

// Both scroll bars; a position is the negated offset.
inline constexpr int kScrollMin = -10000;
inline constexpr int kScrollMax = 10000;
inline constexpr int kScrollSmallStep = 10;
inline constexpr int kScrollLargeStep = 100;

// Width of the horizontal ruler's height and the vertical ruler's width.
inline constexpr int kRulerSize = 26;

int ClampScroll(int position);

// Whether one more doubling / halving is allowed at this zoom.
bool CanDouble(double zoom);
bool CanHalve(double zoom);

struct ZoomResult {
  double zoom = 1.0;
  int offsetX = 0;  // already clamped to the scroll range
  int offsetY = 0;
};

// One zoom step about the window point (x, y): the terminal point under it
// stays under it. The view is not changed.
ZoomResult ZoomAbout(const tview& view, int x, int y, bool doubling);

struct Offsets {
  int x = 0;
  int y = 0;
};

// Offsets that centre a terminal of the given size on a sheet of the given
// size (both halves truncated, as the division of whole numbers does).
Offsets CentreOffsets(int sheetWidth, int sheetHeight, int terminalWidth, int terminalHeight,
                      double zoom);

struct WinPoint {
  int x = 0;
  int y = 0;
  bool operator==(const WinPoint&) const = default;
};

// The window point whose terminal value is the nearest multiple of `size`.
// With snap off, or a size below 1 (which has no multiples to snap to), the
// point is returned unchanged.
WinPoint SnapPoint(const tview& view, int x, int y, bool snapOn, int size);

// Grid distances below 2 are replaced by 4.
int GridDistance(int gridSize);

// Calls `dot` with the window position of every grid dot on a sheet of the
// given size, row by row, for the distances gx and gy (each through
// GridDistance). Terminal points that fall on the same window pixel as the
// dot before them (small zooms) are reported once, so that inverting each
// reported dot never cancels itself out.
void ForEachGridDot(const tview& view, int sheetWidth, int sheetHeight, int gx, int gy,
                    const std::function<void(int x, int y)>& dot);

// Tick marks of a ruler that runs from terminal value `from` at pixel 0 to
// `to` at pixel `length`.
struct RulerTick {
  int pixel = 0;
  int value = 0;
  bool major = false;  // long mark with a label
};
std::vector<RulerTick> RulerTicks(double from, double to, int length);

// The nesting of HideCrossHair / ShowCrossHair: the cross is drawn (which
// inverts it on or off) when the outermost Hide starts and the outermost
// Show ends.
class CrossHairNesting {
 public:
  // True when the caller must draw the cross now.
  bool Hide();
  bool Show();
  int Depth() const { return depth_; }
  void Reset() { depth_ = 0; }

 private:
  int depth_ = 0;
};

}  // namespace sheet
}  // namespace tavo

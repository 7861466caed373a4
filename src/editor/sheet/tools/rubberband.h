#pragma once
// The rubber band: one shape drawn inverting on the sheet, which drawing
// again removes. The outline remembers what it drew, so that showing the
// next shape first takes the old one off, and a paint of the sheet can take
// it off and put it back without leaving half of one behind.

#include <vector>

#include "editor/sheet/sheetgeometry.h"

namespace tavo {

class PicturePage;

struct XorShape {
  enum class Kind { None, Lines, Rectangle, Ellipse };
  Kind kind = Kind::None;
  // Lines: the points of the open line; Rectangle: two corners (right and
  // bottom exclusive); Ellipse: two corners of the box it lies in.
  std::vector<sheet::WinPoint> points;

  bool Empty() const { return kind == Kind::None || points.empty(); }
  bool operator==(const XorShape&) const = default;
};

class RubberBandOutline {
 public:
  explicit RubberBandOutline(PicturePage& page) : page_(page) {}

  // Takes the shape shown so far off and draws `shape` (nothing when empty).
  void Show(const XorShape& shape);
  void Hide() { Show({}); }
  const XorShape& Shown() const { return shown_; }
  // The sheet was replaced: nothing is drawn any more.
  void Forget() { shown_ = {}; }

 private:
  void Draw(const XorShape& shape);

  PicturePage& page_;
  XorShape shown_;
};

}  // namespace tavo

#pragma once
// One bar of the import window: a label, a position and a maximum. The
// display is touched only when the whole-number percentage of the new
// position differs from the one the bar shows, so that reading is not
// slowed down by redrawing and the window is repainted only when the user
// can see a difference.

#include <cstdint>
#include <string>

namespace tavo {

class ProgressDisplay;

// The nearest whole percentage of position / maximum, halves to the even
// neighbour; a maximum of 0 counts as complete.
int WholePercent(std::uint64_t position, std::uint64_t maximum);

class ImportBar {
 public:
  explicit ImportBar(ProgressDisplay* display) : display_(display) {}
  // Shows `label` and the new percentage when the percentage changed.
  void Show(const std::string& label, std::uint64_t position, std::uint64_t maximum);
  // The percentage of the bar's position (0 until the first change).
  int percent() const { return percent_; }

 private:
  ProgressDisplay* display_;
  int percent_ = 0;
};

}  // namespace tavo

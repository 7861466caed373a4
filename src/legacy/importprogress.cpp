#include "legacy/importprogress.h"

#include <algorithm>
#include <cstdint>

#include "shell/progress.h"

namespace tavo {

int WholePercent(std::uint64_t position, std::uint64_t maximum) {
  if (maximum == 0) return 100;
  position = std::min(position, maximum);
  // Keep position * 200 inside 64 bits; files that large lose nothing a
  // whole percentage could show.
  while (maximum > UINT64_MAX / 200) {
    position >>= 1;
    maximum >>= 1;
  }
  const std::uint64_t scaled = position * 100;
  std::uint64_t whole = scaled / maximum;
  const std::uint64_t twice = (scaled % maximum) * 2;
  if (twice > maximum || (twice == maximum && whole % 2 == 1)) ++whole;
  return static_cast<int>(whole);
}

void ImportBar::Show(const std::string& label, std::uint64_t position, std::uint64_t maximum) {
  const int percent = WholePercent(position, maximum);
  if (percent == percent_) return;
  percent_ = percent;
  if (!display_) return;
  display_->SetLabel(label);
  display_->SetPercent(percent);
}

}  // namespace tavo

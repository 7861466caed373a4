#include "project/bmpliste.h"

#include <algorithm>

namespace tavo {

bool t_bmpliste::HasIdentifier(std::int32_t id) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [id](const bmprectype& e) { return e.identifier == id; });
}

std::int32_t t_bmpliste::Register(const std::string& fileName, std::int32_t width,
                                  std::int32_t height, std::int32_t currentIdentifier) {
  std::int32_t result = kNoIdentifier;
  for (bmprectype& e : entries_) {
    if (e.fileName == fileName && e.width == width && e.height == height) {
      ++e.useCount;
      result = e.identifier;
      break;
    }
  }
  // An object whose stored identifier is still free keeps it, even when an
  // entry for the same file and size exists.
  if (currentIdentifier != 0 && !HasIdentifier(currentIdentifier)) {
    entries_.push_back({fileName, currentIdentifier, 1, width, height});
    return currentIdentifier;
  }
  if (result != kNoIdentifier) return result;
  std::vector<bool> taken(kMaxIdentifier + 1, false);
  for (const bmprectype& e : entries_)
    if (e.identifier >= 1 && e.identifier <= kMaxIdentifier) taken[e.identifier] = true;
  for (std::int32_t j = 1; j <= kMaxIdentifier; ++j) {
    if (!taken[j]) {
      entries_.push_back({fileName, j, 1, width, height});
      return j;
    }
  }
  return kNoIdentifier;
}

bool t_bmpliste::operator==(const t_bmpliste& other) const {
  return entries_ == other.entries_;
}

void t_bmpliste::Release(std::int32_t identifier) {
  auto it = std::find_if(entries_.begin(), entries_.end(),
                         [identifier](const bmprectype& e) { return e.identifier == identifier; });
  if (it == entries_.end()) return;
  if (--it->useCount <= 0) entries_.erase(it);
}

}  // namespace tavo

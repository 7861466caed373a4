#include "project/usedfiles.h"

namespace tavo {

void UsedFileTable::Enter(const std::string& text) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    std::string name = text.substr(start, std::min(end - start, kNameLength));
    start = end + 1;
    if (name.empty()) continue;
    for (char& c : name)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (Contains(name)) continue;
    for (std::string& entry : entries_) {
      if (entry.empty()) {
        entry = name;
        break;
      }
    }
  }
}

void UsedFileTable::Clear() {
  for (std::string& entry : entries_) entry.clear();
}

int UsedFileTable::Count() const {
  int n = 0;
  for (const std::string& entry : entries_) n += entry.empty() ? 0 : 1;
  return n;
}

bool UsedFileTable::Contains(const std::string& name) const {
  for (const std::string& entry : entries_)
    if (entry == name) return true;
  return false;
}

}  // namespace tavo

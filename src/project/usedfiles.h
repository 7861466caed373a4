#pragma once
// Names of the terminal resource files (fonts, graphics) that the run form
// refers to; the download copies every one of them into the image.

#include <array>
#include <string>

namespace tavo {

class UsedFileTable {
 public:
  static constexpr int kEntries = 201;
  static constexpr std::size_t kNameLength = 12;

  // Splits `text` at ';', upper-cases each name (cut to 12 characters) and
  // stores it in the first empty entry unless present; drops names once full.
  void Enter(const std::string& text);
  void Clear();
  int Count() const;
  const std::string& At(int index) const { return entries_[index]; }
  bool Contains(const std::string& name) const;

 private:
  std::array<std::string, kEntries> entries_;
};

}  // namespace tavo

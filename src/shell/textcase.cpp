#include "shell/textcase.h"

#include <cstdint>

namespace tavo {

char FoldCase(char ch) {
  const auto b = static_cast<std::uint8_t>(ch);
  if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 0x20);
  // À..Þ except the multiplication sign.
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<char>(b + 0x20);
  switch (b) {
    case 0x8A:
      return static_cast<char>(0x9A);  // Š
    case 0x8C:
      return static_cast<char>(0x9C);  // Œ
    case 0x8E:
      return static_cast<char>(0x9E);  // Ž
    case 0x9F:
      return static_cast<char>(0xFF);  // Ÿ
    default:
      return ch;
  }
}

std::string FoldCase(std::string_view text) {
  std::string out(text);
  for (char& ch : out) ch = FoldCase(ch);
  return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

}  // namespace tavo

// Code page 1252 <-> UTF-8, used where texts leave or enter the program
// (console, Qt, source-code literals).

#include "shell/codepage.h"

#include <cstdint>

namespace tavo {
namespace {

// Code points of 0x80..0x9F in code page 1252; 0 where the byte is unused.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string Cp1252ToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    auto b = static_cast<std::uint8_t>(ch);
    char32_t cp = b;
    if (b >= 0x80 && b < 0xA0) cp = kCp1252High[b - 0x80] ? kCp1252High[b - 0x80] : b;
    AppendUtf8(out, cp);
  }
  return out;
}

std::string Utf8ToCp1252(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    auto b = static_cast<std::uint8_t>(text[i]);
    char32_t cp;
    std::size_t len;
    if (b < 0x80) {
      cp = b, len = 1;
    } else if ((b & 0xE0) == 0xC0 && i + 1 < text.size()) {
      cp = ((b & 0x1F) << 6) | (text[i + 1] & 0x3F), len = 2;
    } else if ((b & 0xF0) == 0xE0 && i + 2 < text.size()) {
      cp = ((b & 0x0F) << 12) | ((text[i + 1] & 0x3F) << 6) | (text[i + 2] & 0x3F), len = 3;
    } else if ((b & 0xF8) == 0xF0 && i + 3 < text.size()) {
      cp = 0xFFFD, len = 4;
    } else {
      // Not UTF-8: keep the byte as it is (it is most likely code page 1252).
      out += text[i++];
      continue;
    }
    i += len;
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
      out += static_cast<char>(cp);
      continue;
    }
    char mapped = '?';
    for (int k = 0; k < 32; ++k)
      if (kCp1252High[k] == cp) mapped = static_cast<char>(0x80 + k);
    out += mapped;
  }
  return out;
}

}  // namespace tavo

// Code page 1252 <-> UTF-8, used where texts leave or enter the program
// (console, Qt, source-code literals).

#include "shell/codepage.h"

#include <cstdint>
#include <cstring>

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

// Length of the well-formed UTF-8 sequence at `at` and its code point, or 0
// when the bytes there are no such sequence (then they are code page 1252,
// and "\xDCber" must stay "Über" rather than lose its "b").
std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t& cp) {
  const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[at + k]); };
  const std::uint8_t b = byte(0);
  std::size_t len;
  char32_t minimum;
  if (b < 0x80) {
    cp = b;
    return 1;
  } else if ((b & 0xE0) == 0xC0) {
    len = 2, cp = b & 0x1F, minimum = 0x80;
  } else if ((b & 0xF0) == 0xE0) {
    len = 3, cp = b & 0x0F, minimum = 0x800;
  } else if ((b & 0xF8) == 0xF0) {
    len = 4, cp = b & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (at + len > text.size()) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    if ((byte(k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(k) & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
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

std::string Utf8ToCp1252(std::string_view text, std::size_t* unmapped) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp;
    const std::size_t len = DecodeUtf8(text, i, cp);
    if (len == 0) {
      // Not UTF-8: keep the byte as it is (it is most likely code page 1252).
      out += text[i++];
      continue;
    }
    i += len;
    // The five bytes code page 1252 leaves unused travel as U+0081 and so on
    // (see Cp1252ToUtf8) and come back as themselves.
    const bool unusedByte = cp >= 0x80 && cp < 0xA0 && kCp1252High[cp - 0x80] == 0;
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF) || unusedByte) {
      out += static_cast<char>(cp);
      continue;
    }
    char mapped = '?';
    for (int k = 0; k < 32; ++k)
      if (kCp1252High[k] == cp) mapped = static_cast<char>(0x80 + k);
    if (mapped == '?' && unmapped) ++*unmapped;
    out += mapped;
  }
  return out;
}

bool LooksLikeUtf8(std::string_view text) {
  bool multiByte = false;
  std::size_t i = 0;
  while (i < text.size()) {
    // Plain ASCII eight bytes at a time: most of a project file is.
    std::uint64_t word;
    if (i + 8 <= text.size()) {
      std::memcpy(&word, text.data() + i, 8);
      if ((word & 0x8080808080808080ULL) == 0) {
        i += 8;
        continue;
      }
    }
    if (static_cast<std::uint8_t>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    char32_t cp;
    const std::size_t len = DecodeUtf8(text, i, cp);
    if (len == 0) return false;
    multiByte = true;
    i += len;
  }
  return multiByte;
}

}  // namespace tavo

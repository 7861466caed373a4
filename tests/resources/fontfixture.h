#pragma once
// Writes small font files for tests, byte by byte, without the font code.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "resources/tempdir.h"

namespace tavo::testing {

struct FontFixture {
  std::string shortName = "TEST";
  std::string description = "Testfont";
  std::uint16_t width = 8;
  std::uint16_t height = 16;
  // Glyph record size; 0 means height * ceil(width / 8).
  std::uint16_t glyphSize = 0;
  int glyphRecords = 256;
  std::map<int, std::vector<std::uint8_t>> glyphs;  // code -> record bytes
};

// Container layout: streams 0..3 back to back, header written by hand.
inline std::vector<std::uint8_t> FontBytes(const FontFixture& f) {
  const std::uint16_t g = f.glyphSize ? f.glyphSize : std::uint16_t(f.height * ((f.width + 7) / 8));
  const std::uint16_t sizes[4] = {31, 9, 4, g};
  const std::uint32_t counts[4] = {1, 1, 1, std::uint32_t(f.glyphRecords)};
  std::vector<std::uint8_t> out(168, 0);
  const char magic[] = "JKHD0101";
  std::copy(magic, magic + 8, out.begin());
  std::uint32_t start = 0;
  for (int s = 0; s < 16; ++s) {
    const std::uint16_t size = s < 4 ? sizes[s] : 0;
    const std::uint32_t count = s < 4 ? counts[s] : 0;
    for (int i = 0; i < 4; ++i) out[8 + 10 * s + i] = std::uint8_t(start >> (8 * i));
    out[12 + 10 * s] = std::uint8_t(size);
    out[13 + 10 * s] = std::uint8_t(size >> 8);
    for (int i = 0; i < 4; ++i) out[14 + 10 * s + i] = std::uint8_t(count >> (8 * i));
    start += std::uint32_t(size) * count;
  }
  auto counted = [&](const std::string& text, std::size_t recordSize) {
    std::vector<std::uint8_t> r(recordSize, 0);
    r[0] = std::uint8_t(text.size());
    for (std::size_t i = 0; i < text.size() && i + 1 < recordSize; ++i)
      r[i + 1] = std::uint8_t(text[i]);
    out.insert(out.end(), r.begin(), r.end());
  };
  counted(f.description, 31);
  counted(f.shortName, 9);
  out.insert(out.end(), {std::uint8_t(f.width), std::uint8_t(f.width >> 8), std::uint8_t(f.height),
                         std::uint8_t(f.height >> 8)});
  for (int code = 0; code < f.glyphRecords; ++code) {
    std::vector<std::uint8_t> r(g, 0);
    auto it = f.glyphs.find(code);
    if (it != f.glyphs.end())
      for (std::size_t i = 0; i < it->second.size() && i < r.size(); ++i) r[i] = it->second[i];
    out.insert(out.end(), r.begin(), r.end());
  }
  return out;
}

inline void WriteFont(const std::string& path, const FontFixture& f) {
  WriteBytes(path, FontBytes(f));
}

}  // namespace tavo::testing

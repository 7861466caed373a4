#pragma once
// Tiny BMP files built byte by byte, and a scratch folder per test.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/tempfolder.h"

namespace tavo::testing {

inline void Le(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A BMP with a 40-byte info header (or a 12-byte core header). `rows` are
// the pixel rows as stored in the file (already padded to 4 bytes).
inline std::vector<std::uint8_t> MakeBmp(int width, int height, int bits,
                                         const std::vector<std::uint32_t>& palette,
                                         const std::vector<std::uint8_t>& rows,
                                         std::uint32_t compression = 0,
                                         const std::vector<std::uint32_t>& masks = {},
                                         bool coreHeader = false) {
  const std::uint32_t infoSize = coreHeader ? 12 : 40;
  const std::uint32_t paletteBytes =
      static_cast<std::uint32_t>(palette.size() * (coreHeader ? 3 : 4));
  const std::uint32_t offset = 14 + infoSize + 4 * std::uint32_t(masks.size()) + paletteBytes;
  std::vector<std::uint8_t> f{'B', 'M'};
  Le(f, offset + std::uint32_t(rows.size()), 4);
  Le(f, 0, 4);
  Le(f, offset, 4);
  Le(f, infoSize, 4);
  if (coreHeader) {
    Le(f, width, 2);
    Le(f, height, 2);
    Le(f, 1, 2);
    Le(f, bits, 2);
  } else {
    Le(f, static_cast<std::uint32_t>(width), 4);
    Le(f, static_cast<std::uint32_t>(height), 4);
    Le(f, 1, 2);
    Le(f, bits, 2);
    Le(f, compression, 4);
    Le(f, std::uint32_t(rows.size()), 4);
    Le(f, 2835, 4);
    Le(f, 2835, 4);
    Le(f, std::uint32_t(palette.size()), 4);
    Le(f, 0, 4);
  }
  for (std::uint32_t m : masks) Le(f, m, 4);
  for (std::uint32_t c : palette) Le(f, c, coreHeader ? 3 : 4);  // 0x00RRGGBB as B, G, R(, 0)
  f.insert(f.end(), rows.begin(), rows.end());
  return f;
}

// A 24-bit bitmap of the given size whose pixel (x, y) has red x, green y
// and blue 8 (so each pixel word is distinct in a small image).
inline std::vector<std::uint8_t> GradientBmp(int width, int height) {
  std::vector<std::uint8_t> rows;
  const int stride = (width * 3 + 3) / 4 * 4;
  for (int row = height - 1; row >= 0; --row) {  // bottom-up
    int written = 0;
    for (int x = 0; x < width; ++x, written += 3) {
      rows.push_back(8);
      rows.push_back(static_cast<std::uint8_t>(row * 8));
      rows.push_back(static_cast<std::uint8_t>(x * 8));
    }
    for (; written < stride; ++written) rows.push_back(0);
  }
  return MakeBmp(width, height, 24, {}, rows);
}

inline void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
}

using ScratchFolder = TempFolder;

}  // namespace tavo::testing

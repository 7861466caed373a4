#pragma once
// Windows bitmap files read into the terminal's 16-bit pixel form, without
// any platform library: every bitmap an engineer may hand us (1, 4, 8, 16,
// 24 and 32 bits per pixel, with palettes, bottom-up or top-down).

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "resources/canvas.h"

namespace tavo {

// The terminal's pixel word: (R div 8) x 2048 + (G div 8) x 64 + (B div 8).
// Bit 5 stays 0: green keeps only five of its six bits.
inline constexpr std::uint16_t Pack16(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<std::uint16_t>((r >> 3) * 2048 + (g >> 3) * 64 + (b >> 3));
}
// A Windows colour value (red in the low byte) as a pixel word.
inline constexpr std::uint16_t Pack16(std::int32_t windowsColour) {
  const auto c = static_cast<std::uint32_t>(windowsColour);
  return Pack16(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// Largest image accepted, in pixels; a damaged header must not make us
// reserve gigabytes.
inline constexpr std::int64_t kMaxBitmapPixels = 4096 * 4096;

// Decodes a BMP file held in memory. On failure `out` is left empty and
// `error` (when given) says why in plain English. A file that still gives an
// image but lacks part of its pixel data sets `damage` (when given) to what
// is wrong; it is emptied for a sound file.
bool DecodeBmp16(std::span<const std::uint8_t> file, Image16& out, std::string* error = nullptr,
                 std::string* damage = nullptr);
// Reads and decodes a file; false (with the reason) when it cannot be read.
// Anything but a regular file is refused without being opened.
bool LoadBmp16(const std::filesystem::path& path, Image16& out, std::string* error = nullptr,
               std::string* damage = nullptr);

// Width and height from the file's header only; false when it is no BMP.
bool ReadBmpSize(const std::filesystem::path& path, int& width, int& height);

}  // namespace tavo

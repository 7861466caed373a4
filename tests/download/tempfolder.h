#pragma once
// Files in a test's own folder (support/tempfolder.h), and test data.

#include <filesystem>
#include <fstream>
#include <string>

#include "support/tempfolder.h"

namespace tavo::testing {

inline void WriteBytes(const std::filesystem::path& file, const std::string& content) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << content;
}

inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Bytes that differ from block to block, so a misplaced block shows.
inline std::string Pattern(std::size_t size, int seed) {
  std::string s(size, '\0');
  for (std::size_t i = 0; i < size; ++i)
    s[i] = static_cast<char>((i * 7 + static_cast<std::size_t>(seed) * 13 + i / 1024) & 0xFF);
  return s;
}

}  // namespace tavo::testing

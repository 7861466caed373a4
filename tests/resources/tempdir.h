#pragma once
// A folder of its own for each test, removed afterwards.

#include "support/tempfolder.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tavo::testing {

using TempDir = TempFolder;

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace tavo::testing

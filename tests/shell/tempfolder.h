#pragma once
// A fresh folder per test, removed afterwards, with small helpers to lay out
// installations in it.

#include "support/tempfolder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace tavo::testing {

inline void WriteFile(const std::filesystem::path& file, const std::string& content) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << content;
}

inline std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The folders that make a folder an installation.
inline void MakeInstallation(const std::filesystem::path& base) {
  std::filesystem::create_directories(base / "system");
  std::filesystem::create_directories(base / "fonts");
}

}  // namespace tavo::testing

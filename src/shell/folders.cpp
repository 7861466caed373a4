#include "shell/folders.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <utility>

#include "shell/codepage.h"
#include "shell/textcase.h"

namespace fs = std::filesystem;

namespace tavo {
namespace {

bool IsSeparator(char ch) {
  return ch == '\\' || ch == '/';
}

std::vector<std::string_view> SplitComponents(std::string_view relative) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= relative.size(); ++i) {
    if (i == relative.size() || IsSeparator(relative[i])) {
      if (i > start) parts.push_back(relative.substr(start, i - start));
      start = i + 1;
    }
  }
  return parts;
}

// Installation names are code page 1252; names on disk are usually UTF-8
// (or, copied from old media, code page 1252). Either form matches.
bool NameMatches(const std::string& onDisk, std::string_view wanted) {
  return EqualsIgnoreCase(onDisk, wanted) || EqualsIgnoreCase(Utf8ToCp1252(onDisk), wanted);
}

// The entry of `folder` that `component` names. An exact match wins; among
// several case variants (possible on Linux) the first in byte order is used,
// so the choice does not depend on the order the folder lists them in.
std::optional<std::string> FindEntry(const fs::path& folder, std::string_view component) {
  if (component == "." || component == "..") return std::nullopt;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return std::nullopt;
  std::optional<std::string> best;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    std::string name = it->path().filename().string();
    if (name == component) return name;
    if (NameMatches(name, component) && (!best || name < *best)) best = std::move(name);
  }
  return best;
}

}  // namespace

Installation::Installation(fs::path baseFolder) : base_(std::move(baseFolder)) {}

fs::path Installation::Resolve(std::string_view relative) const {
  fs::path result = base_;
  bool onDisk = true;
  const auto parts = SplitComponents(relative);
  for (std::string_view part : parts) {
    if (onDisk) {
      if (auto match = FindEntry(result, part)) {
        result /= *match;
        continue;
      }
      onDisk = false;
    }
    result /= std::string(part);
  }
  // "fonts\" names a folder; keep the trailing separator so that callers
  // can tell and append file names.
  if (!parts.empty() && IsSeparator(relative.back())) result /= "";
  return result;
}

std::vector<fs::path> Installation::ListFiles(std::string_view folder,
                                              std::string_view pattern) const {
  std::vector<std::pair<std::string, fs::path>> found;
  std::error_code ec;
  fs::directory_iterator it(Resolve(folder), ec);
  if (ec) return {};
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    std::error_code typeError;
    if (!it->is_regular_file(typeError) || typeError) continue;
    std::string name = it->path().filename().string();
    if (MatchesPattern(name, pattern) || MatchesPattern(Utf8ToCp1252(name), pattern))
      found.emplace_back(std::move(name), it->path());
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<fs::path> files;
  files.reserve(found.size());
  for (auto& entry : found) files.push_back(std::move(entry.second));
  return files;
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
  // As on the system the installations come from, "*.*" also lists names
  // without an extension.
  if (pattern == "*.*") return true;
  // Iterative matching with one backtrack point: linear in practice and
  // never recursive, whatever the pattern.
  std::size_t n = 0, p = 0;
  std::size_t starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace tavo

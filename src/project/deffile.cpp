#include "project/deffile.h"

#include <fstream>

namespace tavo {

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return true;
}

std::int32_t ParseDefinitionInt(const std::string& text, std::int32_t fallback) {
  const std::size_t b = text.find_first_not_of(" \t");
  const std::string t = b == std::string::npos ? std::string() : text.substr(b);
  std::size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
  if (i >= t.size() || t[i] < '0' || t[i] > '9') return fallback;
  std::int64_t v = 0;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
    v = v * 10 + (t[i++] - '0');
    if (v > 2147483648LL) v = 2147483648LL;
  }
  v = negative ? -v : v;
  if (v > 2147483647LL) v = 2147483647LL;
  return static_cast<std::int32_t>(v);
}

}  // namespace tavo

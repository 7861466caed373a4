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

std::string DefinitionIni::Fold(const std::string& s) {
  std::string out = s;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

namespace {
std::string Trim(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  std::size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}
}  // namespace

bool DefinitionIni::Read(const std::string& path) {
  std::vector<std::string> lines;
  if (!ReadTextLines(path, lines)) return false;
  std::string section;
  for (const std::string& raw : lines) {
    std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      std::size_t close = line.find(']');
      section =
          Fold(Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
      continue;
    }
    std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string key = Fold(Trim(line.substr(0, eq)));
    std::string value = Trim(line.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    values_.emplace(section + "\n" + key, value);  // the first occurrence wins
  }
  return true;
}

std::string DefinitionIni::String(const std::string& section, const std::string& key,
                                  const std::string& fallback) const {
  auto it = values_.find(Fold(section) + "\n" + Fold(key));
  return it == values_.end() ? fallback : it->second;
}

std::int32_t DefinitionIni::Int(const std::string& section, const std::string& key,
                                std::int32_t fallback) const {
  auto it = values_.find(Fold(section) + "\n" + Fold(key));
  return it == values_.end() ? fallback : ParseInt(it->second, fallback);
}

std::int32_t DefinitionIni::ParseInt(const std::string& text, std::int32_t fallback) {
  std::string t = Trim(text);
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

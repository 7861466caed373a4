#include "shell/inifile.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "shell/textcase.h"

namespace fs = std::filesystem;

namespace tavo {
namespace {

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& ch : out)
    if (ch == '\r' || ch == '\n') ch = ' ';
  return out;
}

}  // namespace

bool IniFile::Load(const fs::path& path, std::string* error) {
  sections_.clear();
  std::error_code ec;
  if (!fs::exists(path, ec)) return true;
  std::ifstream in;
  // A device or pipe in place of the file would never end.
  if (fs::is_regular_file(path, ec)) in.open(path, std::ios::binary);
  if (!in.is_open() || !in) {
    if (error) *error = "Die Einstellungen \"" + path.string() + "\" sind nicht lesbar.";
    return false;
  }
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Parse(content);
  return true;
}

void IniFile::Parse(std::string_view content) {
  sections_.clear();
  sections_.push_back(Section{});
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string_view::npos) end = content.size();
    std::string_view line = content.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    const std::string_view trimmed = Trim(line);
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
      sections_.push_back(Section{std::string(Trim(trimmed.substr(1, trimmed.size() - 2))), {}});
      continue;
    }
    const auto equals = line.find('=');
    const std::string_view key =
        equals == std::string_view::npos ? "" : Trim(line.substr(0, equals));
    if (key.empty() || trimmed.front() == ';' || trimmed.front() == '#') {
      sections_.back().lines.push_back(Line{"", "", std::string(line)});
    } else {
      sections_.back().lines.push_back(
          Line{std::string(key), std::string(Trim(line.substr(equals + 1))), ""});
    }
  }
}

std::string IniFile::Serialize() const {
  std::string out;
  for (const Section& section : sections_) {
    if (section.name.empty() && section.lines.empty()) continue;
    if (!section.name.empty()) out += "[" + section.name + "]\n";
    for (const Line& line : section.lines)
      out += line.key.empty() ? line.raw + "\n" : line.key + "=" + line.value + "\n";
  }
  return out;
}

bool IniFile::Save(const fs::path& path, std::string* error) const {
  auto fail = [&](const std::string& why) {
    if (error) *error = "Die Einstellungen \"" + path.string() + "\" sind nicht gesichert: " + why;
    return false;
  };
  std::error_code ec;
  if (path.has_parent_path()) {
    fs::create_directories(path.parent_path(), ec);
    if (ec) return fail(ec.message());
  }
  fs::path temporary = path;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    const std::string content = Serialize();
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) {
      if (fs::is_regular_file(temporary, ec)) fs::remove(temporary, ec);
      return fail("Schreibfehler");
    }
  }
  fs::rename(temporary, path, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return fail(ec.message());
  }
  return true;
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  for (const Section& section : sections_)
    if (!section.name.empty() && EqualsIgnoreCase(section.name, name)) return &section;
  return nullptr;
}

IniFile::Section* IniFile::FindSection(std::string_view name) {
  return const_cast<Section*>(static_cast<const IniFile*>(this)->FindSection(name));
}

const IniFile::Line* IniFile::FindKey(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  if (!found) return nullptr;
  for (const Line& line : found->lines)
    if (!line.key.empty() && EqualsIgnoreCase(line.key, key)) return &line;
  return nullptr;
}

bool IniFile::HasSection(std::string_view section) const {
  return FindSection(section) != nullptr;
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
  return FindKey(section, key) != nullptr;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                const std::string& fallback) const {
  const Line* line = FindKey(section, key);
  return line ? line->value : fallback;
}

int IniFile::ReadInt(std::string_view section, std::string_view key, int fallback) const {
  const Line* line = FindKey(section, key);
  if (!line) return fallback;
  std::string_view text = line->value;
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return fallback;
  return value;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  const Line* line = FindKey(section, key);
  if (!line) return fallback;
  if (EqualsIgnoreCase(line->value, "true")) return true;
  if (EqualsIgnoreCase(line->value, "false")) return false;
  return ReadInt(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  Section* found = FindSection(section);
  if (!found) {
    sections_.push_back(Section{std::string(section), {}});
    found = &sections_.back();
  }
  for (Line& line : found->lines) {
    if (!line.key.empty() && EqualsIgnoreCase(line.key, key)) {
      line.value = OneLine(value);
      return;
    }
  }
  // New keys go behind the last key of the section, before trailing blanks.
  auto insertAt = found->lines.end();
  while (insertAt != found->lines.begin() && std::prev(insertAt)->key.empty() &&
         Trim(std::prev(insertAt)->raw).empty())
    --insertAt;
  found->lines.insert(insertAt, Line{std::string(key), OneLine(value), ""});
}

void IniFile::WriteInt(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::EraseSection(std::string_view section) {
  std::erase_if(sections_, [&](const Section& s) {
    return !s.name.empty() && EqualsIgnoreCase(s.name, section);
  });
}

}  // namespace tavo

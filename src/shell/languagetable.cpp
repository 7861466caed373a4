#include "shell/languagetable.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace tavo {
namespace {

std::string FirstLine(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string line;
  char ch;
  while (line.size() < kMaxTableText && in.get(ch) && ch != '\n') line += ch;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

bool EndsWithLineBreak(const fs::path& file) {
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  if (!in || in.tellg() <= 0) return true;  // empty or missing: nothing to finish
  in.seekg(-1, std::ios::end);
  char last = '\n';
  in.get(last);
  return last == '\n';
}

}  // namespace

bool ReadTableEntries(const fs::path& file, std::unordered_map<std::string, std::string>& entries) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return false;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string_view line(content.data() + start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // The key is everything before the first "=" behind the first ",":
    // comparing it with "gggg,eeee" as a whole is the exact match of group
    // and entry.
    const auto comma = line.find(',');
    if (comma == std::string_view::npos) continue;
    const auto equals = line.find('=', comma + 1);
    if (equals == std::string_view::npos) continue;
    std::string_view text = line.substr(equals + 1, kMaxTableText);
    if (text == kEmptyTextMarker) text = {};
    entries.emplace(std::string(line.substr(0, equals)), std::string(text));
  }
  return true;
}

bool AppendTableEntries(const fs::path& file,
                        const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string lines;
  // A last line without its line break would otherwise swallow the first
  // new one.
  if (!EndsWithLineBreak(file)) lines += "\r\n";
  for (const auto& [key, text] : entries) {
    lines += key + "=";
    for (char ch : text) lines += (ch == '\r' || ch == '\n') ? ' ' : ch;
    lines += "\r\n";
  }
  std::ofstream out(file, std::ios::binary | std::ios::app);
  out.write(lines.data(), static_cast<std::streamsize>(lines.size()));
  out.close();
  return static_cast<bool>(out);
}

std::string TableKey(std::uint16_t group, std::uint16_t entry) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04u,%04u", static_cast<unsigned>(group),
                static_cast<unsigned>(entry));
  return buffer;
}

LanguageTable::LanguageTable(Installation installation, std::string code)
    : installation_(std::move(installation)), code_(std::move(code)) {}

void LanguageTable::SetLanguage(std::string code) {
  code_ = std::move(code);
  resolved_.clear();
  cache_ = Cache{};
  appended_.clear();
}

fs::path LanguageTable::TableFile() const {
  // The code comes from the user's settings; it must not lead out of
  // "system\".
  if (code_.empty() || code_.find_first_of("/\\") != std::string::npos ||
      code_.find('\0') != std::string::npos)
    return {};
  return installation_.Resolve("system\\" + code_ + ".SPR");
}

bool LanguageTable::Refresh(const fs::path& file) {
  std::error_code ec;
  const auto size = fs::file_size(file, ec);
  if (ec) return false;
  const auto time = fs::last_write_time(file, ec);
  if (ec) return false;
  if (cache_.valid && cache_.file == file && cache_.size == size && cache_.time == time)
    return true;
  Cache fresh;
  if (!ReadTableEntries(file, fresh.texts)) return false;
  fresh.valid = true;
  fresh.file = file;
  fresh.size = size;
  fresh.time = time;
  cache_ = std::move(fresh);
  return true;
}

std::string LanguageTable::Translate(std::uint16_t group, std::uint16_t entry,
                                     const std::string& germanDefault) {
  // Finding the file matches names case-blind in two folders: done once
  // per language while the file is there, not for every text.
  if (resolved_.empty()) resolved_ = TableFile();
  const fs::path& file = resolved_;
  if (file.empty() || !Refresh(file)) {
    resolved_.clear();
    return germanDefault;
  }
  const std::string key = TableKey(group, entry);
  if (auto found = cache_.texts.find(key); found != cache_.texts.end()) return found->second;
  if (auto known = appended_.find(key); known != appended_.end()) return known->second;
  // A failed append is not reported: the caller still gets its text.
  AppendTableEntries(file, {{key, germanDefault}});
  appended_.emplace(key, germanDefault);
  cache_.valid = false;
  return kNewTextMarker;
}

std::vector<LanguageFile> ListLanguageFiles(const Installation& installation) {
  std::vector<LanguageFile> languages;
  for (const fs::path& file : installation.ListFiles("system\\", "*.SPR")) {
    if (languages.size() == kMaxLanguageFiles) break;
    const std::string name = file.filename().string();
    languages.push_back(LanguageFile{name.substr(0, name.find('.')), FirstLine(file), file});
  }
  return languages;
}

int FindLanguage(const std::vector<LanguageFile>& languages, const std::string& code) {
  for (std::size_t i = 0; i < languages.size(); ++i)
    if (languages[i].code == code) return static_cast<int>(i);
  return -1;
}

}  // namespace tavo

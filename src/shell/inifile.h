#pragma once
// A small ini file: "[Section]" lines followed by "Key=Value" lines.
// Sections and keys are found without regard to case, values are bytes kept
// as they are (code page 1252 in this program). Lines the reader does not
// understand (comments, blank lines) stay where they are when the file is
// written back.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

class IniFile {
 public:
  // Reads `path`; a missing file is an empty store and no error. Returns
  // false with `error` set when the file exists but cannot be read.
  bool Load(const std::filesystem::path& path, std::string* error = nullptr);
  void Parse(std::string_view content);

  // Writes to a temporary file next to `path` and replaces `path` with it
  // only when everything was written; creates missing folders.
  bool Save(const std::filesystem::path& path, std::string* error = nullptr) const;
  std::string Serialize() const;

  bool HasSection(std::string_view section) const;
  bool HasKey(std::string_view section, std::string_view key) const;

  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& fallback) const;
  // Decimal, with an optional sign; anything else gives `fallback`.
  int ReadInt(std::string_view section, std::string_view key, int fallback) const;
  // Stored as "1"/"0"; any other integer is true when not 0; "true"/"false"
  // are accepted as well.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  // Line breaks in `value` become blanks: the file has one value per line.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInt(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  void EraseSection(std::string_view section);

 private:
  struct Line {
    std::string key;  // empty: `raw` is kept verbatim
    std::string value;
    std::string raw;
  };
  struct Section {
    std::string name;  // empty for lines before the first section
    std::vector<Line> lines;
  };

  const Section* FindSection(std::string_view name) const;
  Section* FindSection(std::string_view name);
  const Line* FindKey(std::string_view section, std::string_view key) const;

  std::vector<Section> sections_;
};

}  // namespace tavo

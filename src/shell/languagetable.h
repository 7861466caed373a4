#pragma once
// The language table: "system\<code>.SPR" below the base folder. The first
// line names the language; every other line is "gggg,eeee=text" with group
// and entry in four digits. A text the table lacks is appended with its
// German default, so that a translator finds every text the program used.

#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

#include "shell/folders.h"
#include "shell/language.h"

namespace tavo {

// Returned once for a text that was just added to the table.
inline constexpr const char* kNewTextMarker = ">>>>>";
// Stands for an empty translation in a table line.
inline constexpr const char* kEmptyTextMarker = ">-l-e-e-r-<";
// Longest text taken from a table line.
inline constexpr std::size_t kMaxTableText = 2000;

class LanguageTable : public Translator {
 public:
  LanguageTable(Installation installation, std::string code);

  // Takes effect for every later Translate().
  void SetLanguage(std::string code);
  const std::string& Language() const { return code_; }

  // The table file of the current language; empty when the code cannot
  // name a file (it holds a path separator or is empty).
  std::filesystem::path TableFile() const;

  std::string Translate(std::uint16_t group, std::uint16_t entry,
                        const std::string& germanDefault) override;

 private:
  // The table is re-read only when its file changed (size or time), which
  // an appended line always does.
  struct Cache {
    bool valid = false;
    std::filesystem::path file;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type time;
    std::unordered_map<std::string, std::string> texts;  // "gggg,eeee" -> text
  };

  bool Refresh(const std::filesystem::path& file);

  Installation installation_;
  std::string code_;
  std::filesystem::path resolved_;  // TableFile() while it was readable
  Cache cache_;
  // Pairs appended during this run: if the file could not take them, they
  // still show their default from the second call on.
  std::unordered_map<std::string, std::string> appended_;
};

// "0001,0100" for group 1, entry 100.
std::string TableKey(std::uint16_t group, std::uint16_t entry);

// The entries of a table file, "gggg,eeee" -> text (the first line of each
// pair wins; texts are cut to kMaxTableText, the empty marker gives "").
// Returns false when the file cannot be read.
bool ReadTableEntries(const std::filesystem::path& file,
                      std::unordered_map<std::string, std::string>& entries);
// Appends one "gggg,eeee=text" line per entry, CR LF terminated, creating
// the file when it is missing. Line breaks inside a text become blanks.
bool AppendTableEntries(const std::filesystem::path& file,
                        const std::vector<std::pair<std::string, std::string>>& entries);

struct LanguageFile {
  std::string code;         // file name up to its first "."
  std::string displayName;  // first line of the file (code page 1252)
  std::filesystem::path file;
};
inline constexpr std::size_t kMaxLanguageFiles = 101;
// The language tables of "system\" for the options dialog, in ascending file
// name order, at most kMaxLanguageFiles.
std::vector<LanguageFile> ListLanguageFiles(const Installation& installation);
// Index of the entry with `code`, or -1.
int FindLanguage(const std::vector<LanguageFile>& languages, const std::string& code);

}  // namespace tavo

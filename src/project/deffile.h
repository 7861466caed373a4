#pragma once
// Reading the installation's definition files: plain text lines and the ini
// form of the terminal definitions (sections and keys matched without regard
// to case, as ini files are).

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tavo {

// The type number a terminal definition without "Typnummer" gets: a
// second-generation panel, so such a terminal is served like the current ones.
inline constexpr const char* kReferenceTypeNumber = "VT-0A06-0000";

// Reads the lines of a text file (CR LF or LF); false when it cannot be opened.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines);

class DefinitionIni {
 public:
  // False when the file cannot be opened; then every lookup gives its default.
  bool Read(const std::string& path);
  std::string String(const std::string& section, const std::string& key,
                     const std::string& fallback) const;
  // Decimal with optional sign; a value without leading digits gives the default.
  std::int32_t Int(const std::string& section, const std::string& key, std::int32_t fallback) const;
  static std::int32_t ParseInt(const std::string& text, std::int32_t fallback);

 private:
  static std::string Fold(const std::string& s);
  std::map<std::string, std::string> values_;  // "section\nkey", folded
};

}  // namespace tavo

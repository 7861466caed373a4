#pragma once
// Reading the installation's definition files: plain text lines; the ini
// form of the terminal definitions is read with the shell's IniFile.

#include <cstdint>
#include <string>
#include <vector>

namespace tavo {

// The type number a terminal definition without "Typnummer" gets: a
// second-generation panel, so such a terminal is served like the current ones.
inline constexpr const char* kReferenceTypeNumber = "VT-0A06-0000";

// Reads the lines of a text file (CR LF or LF); false when it cannot be opened.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines);

// Integers of definition files follow the ini convention: optional sign and
// leading decimal digits ("12 px" is 12); a text without digits gives the
// default.
std::int32_t ParseDefinitionInt(const std::string& text, std::int32_t fallback);

}  // namespace tavo

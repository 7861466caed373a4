#pragma once
// Case-insensitive comparison of code page 1252 texts: file names of the
// installation, ini sections and keys, command-line words. Letters with
// umlauts and accents fold as well, since file names like "Übersicht.bmp"
// come from Windows installations where case never mattered.

#include <string>
#include <string_view>

namespace tavo {

// Lower-case form of one code page 1252 byte.
char FoldCase(char ch);
std::string FoldCase(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace tavo

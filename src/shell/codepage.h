#pragma once
// The core keeps texts in code page 1252, as the files do; these convert at
// the program's edges.

#include <string>

namespace tavo {

std::string Cp1252ToUtf8(const std::string& text);
// Characters without a code page 1252 form become '?'; bytes that are not
// UTF-8 are kept as they are.
std::string Utf8ToCp1252(const std::string& text);

}  // namespace tavo

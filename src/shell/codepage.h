#pragma once
// The core keeps texts in code page 1252, as the files do; these convert at
// the program's edges.

#include <cstddef>
#include <string>
#include <string_view>

namespace tavo {

std::string Cp1252ToUtf8(const std::string& text);
// Characters without a code page 1252 form become '?' (counted in
// `unmapped` when given); bytes that are not UTF-8 are kept as they are.
std::string Utf8ToCp1252(std::string_view text, std::size_t* unmapped = nullptr);
// Whether a file's bytes are UTF-8 rather than code page 1252: there is at
// least one multi-byte sequence, and every byte above 0x7F belongs to a
// well-formed one. Code page 1252 text practically never passes: its
// accented letters are lead bytes that a letter, not a continuation byte,
// follows ("\xDCber").
bool LooksLikeUtf8(std::string_view text);

}  // namespace tavo

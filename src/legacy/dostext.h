#pragma once
// Text fields of the DOS generation's binary records: s[N] is a length byte
// and N characters in the terminal's code page.

#include <algorithm>
#include <cstdint>
#include <string>

#include "project/liste.h"

namespace tavo {

// s[N] as stored. A length byte beyond N counts as N, so that a damaged
// count never reads past the field.
inline std::string DosCounted(const std::uint8_t* field, std::size_t n) {
  const std::size_t length = std::min<std::size_t>(field[0], n);
  return std::string(reinterpret_cast<const char*>(field + 1), length);
}

// A name: back-converted from the terminal's code page, without the blanks
// around it (the first-generation writer pads names to their full width).
inline std::string DosName(const std::uint8_t* field, std::size_t n) {
  const std::string text = FromTerminalCharset(DosCounted(field, n));
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace tavo

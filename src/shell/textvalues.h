#pragma once
// Values put into a translated text: each "%s" takes the next value, in
// order. A text with fewer "%s" than values leaves the rest out; one with
// more keeps the surplus "%s" as they stand (a translator's slip shows,
// it does not crash).

#include <initializer_list>
#include <string>

namespace tavo {

inline std::string WithValues(std::string text, std::initializer_list<std::string> values) {
  std::size_t at = 0;
  for (const std::string& value : values) {
    at = text.find("%s", at);
    if (at == std::string::npos) break;
    text.replace(at, 2, value);
    at += value.size();
  }
  return text;
}

}  // namespace tavo

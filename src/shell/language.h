#pragma once
// Every visible text is looked up by (group, entry) with its German text as
// the default. Texts returned are in code page 1252.

#include <cstdint>
#include <string>

#include "shell/texts.h"

namespace tavo {

class Translator {
 public:
  virtual ~Translator() = default;
  // `germanDefault` is code page 1252.
  virtual std::string Translate(std::uint16_t group, std::uint16_t entry,
                                const std::string& germanDefault) = 0;
  // Convenience for registry entries (their German text is UTF-8 in code).
  std::string Tr(const TextId& id);
};

// Returns the German defaults and writes nothing: tests, and the fallback
// when no language table is in use.
class GermanTranslator : public Translator {
 public:
  std::string Translate(std::uint16_t, std::uint16_t, const std::string& germanDefault) override {
    return germanDefault;
  }
};

}  // namespace tavo

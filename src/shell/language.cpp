#include "shell/language.h"

#include "shell/codepage.h"

namespace tavo {

std::string Translator::Tr(const TextId& id) {
  return Translate(id.group, id.entry, Utf8ToCp1252(id.german));
}

}  // namespace tavo

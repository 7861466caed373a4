#pragma once
// Registered texts as Qt strings: translated, then from code page 1252.

#include <QString>

#include "shell/codepage.h"
#include "shell/language.h"

namespace tavo {

inline QString QtText(Translator& translator, const TextId& id) {
  return QString::fromStdString(Cp1252ToUtf8(translator.Tr(id)));
}

inline QString QtCp1252(const std::string& text) {
  return QString::fromStdString(Cp1252ToUtf8(text));
}

}  // namespace tavo

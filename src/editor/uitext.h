#pragma once
// Texts between the core (code page 1252) and the widgets (QString), and the
// window's re-translation: every caption is set through one registered
// setter, so that changing the language re-does all of them in one place.

#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "shell/codepage.h"
#include "shell/language.h"

namespace tavo {

inline QString Q(const std::string& cp1252) {
  return QString::fromStdString(Cp1252ToUtf8(cp1252));
}
inline std::string S(const QString& text) {
  return Utf8ToCp1252(text.toStdString());
}
inline QString Tr(Translator& translator, const TextId& id) {
  return Q(translator.Tr(id));
}

// "Name|*.ext|Name|*.a;*.b" as a Qt file dialog filter
// ("Name (*.ext);;Name (*.a *.b)").
inline QString QtFileFilter(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2)
    filters << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
  return filters.join(";;");
}

// Setters of translated captions. Add() applies the setter at once and keeps
// it for Apply(); the setters must not outlive the widgets they touch, so
// each page keeps its own list.
class Retranslator {
 public:
  explicit Retranslator(Translator& translator) : translator_(translator) {}
  void Add(std::function<void(Translator&)> setter) {
    setter(translator_);
    setters_.push_back(std::move(setter));
  }
  void Apply() {
    for (const auto& setter : setters_) setter(translator_);
  }
  Translator& translator() { return translator_; }

 private:
  Translator& translator_;
  std::vector<std::function<void(Translator&)>> setters_;
};

}  // namespace tavo

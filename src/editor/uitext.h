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

// The name of palette colour `index` (0 .. 15) in the window's language;
// empty for any other index (no colour).
inline QString PaletteText(Translator& translator, int index) {
  static constexpr const TextId* kNames[] = {
      &txt::kFarbe0,  &txt::kFarbe1,  &txt::kFarbe2,  &txt::kFarbe3, &txt::kFarbe4,  &txt::kFarbe5,
      &txt::kFarbe6,  &txt::kFarbe7,  &txt::kFarbe8,  &txt::kFarbe9, &txt::kFarbe10, &txt::kFarbe11,
      &txt::kFarbe12, &txt::kFarbe13, &txt::kFarbe14, &txt::kFarbe15};
  return index >= 0 && index < 16 ? Tr(translator, *kNames[index]) : QString();
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

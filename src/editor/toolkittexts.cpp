#include "editor/toolkittexts.h"

#include <cstring>

#include "editor/uitext.h"
#include "shell/texts.h"

namespace tavo {

namespace {

struct ToolkitText {
  const char* context;
  const char* source;  // the toolkit's English text
  const TextId* text;
};

constexpr ToolkitText kTexts[] = {
    {"QFileDialog", "Look in:", &txt::kQtSuchenIn},
    {"QFileDialog", "File &name:", &txt::kQtDateiname},
    {"QFileDialog", "Files of type:", &txt::kQtDateityp},
    {"QFileDialog", "&Open", &txt::kQtOeffnenMnemonic},
    {"QFileDialog", "&Save", &txt::kQtSpeichernMnemonic},
    {"QFileDialog", "Back", &txt::kQtZurueck},
    {"QFileDialog", "Forward", &txt::kQtVor},
    {"QFileDialog", "Parent Directory", &txt::kQtUebergeordnet},
    {"QFileDialog", "Create New Folder", &txt::kQtNeuerOrdnerHint},
    {"QFileDialog", "List View", &txt::kQtListe},
    {"QFileDialog", "Detail View", &txt::kQtDetails},
    {"QFileDialog", "&New Folder", &txt::kQtNeuerOrdner},
    {"QFileDialog", "&Rename", &txt::kQtUmbenennen},
    {"QFileDialog", "&Delete", &txt::kQtLoeschen},
    {"QFileDialog", "Show &hidden files", &txt::kQtVersteckte},
    {"QFileDialog", "All Files (*)", &txt::kQtAlleDateien},
    {"QFileSystemModel", "Name", &txt::kQtName},
    {"QFileSystemModel", "Size", &txt::kQtGroesse},
    {"QFileSystemModel", "Type", &txt::kQtTyp},
    {"QFileSystemModel", "Date Modified", &txt::kQtGeaendert},
    {"QFileSystemModel", "Computer", &txt::kQtComputer},
    {"QPlatformTheme", "Cancel", &txt::kQtAbbrechen},
    {"QPlatformTheme", "OK", &txt::kQtOK},
    {"QPlatformTheme", "Open", &txt::kQtOeffnen},
    {"QPlatformTheme", "Save", &txt::kQtSpeichern},
    {"QAbstractFileIconProvider", "Folder", &txt::kQtOrdner},
    {"QAbstractFileIconProvider", "Drive", &txt::kQtLaufwerk},
};

}  // namespace

ToolkitTexts::ToolkitTexts(Translator& translator, QObject* parent)
    : QTranslator(parent), translator_(translator) {}

QString ToolkitTexts::translate(const char* context, const char* sourceText, const char*,
                                int) const {
  if (!context || !sourceText) return {};
  for (const ToolkitText& t : kTexts)
    if (std::strcmp(t.context, context) == 0 && std::strcmp(t.source, sourceText) == 0)
      return Tr(translator_, *t.text);
  return {};
}

}  // namespace tavo

#include "editor/dialogs/keydialogs.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <memory>

#include "document/operations.h"
#include "project/projekt.h"
#include "project/records.h"
#include "shell/messagebox.h"

namespace tavo {
namespace {

constexpr int kLevels = 4;
constexpr const char* kLevelPrefix[kLevels] = {"CBN", "CBS", "CBC", "CBA"};

}  // namespace

KeyAssignmentDialog::KeyAssignmentDialog(Translator& translator, const t_projekt& project,
                                         const t_bild& picture, const Layout& layout,
                                         QWidget* parent)
    : ToolDialog(translator, nullptr, parent, layout.ok, layout.cancel), rows_(layout.rows) {
  setObjectName(layout.name);
  setWindowTitle(Tr(translator, layout.caption));
  const std::string typeNumber = project.terminal ? project.terminal->typeNumber : std::string();
  QStringList items{Tr(translator, layout.nichts)};
  int pictures = 0;
  for (const t_liste* p = project.pictures.get(); p; p = p->next(), ++pictures) items << Q(p->name);

  auto* levels = new QHBoxLayout;
  std::vector<QGridLayout*> grids;
  for (int level = 0; level < kLevels; ++level) {
    auto* box = new QGroupBox(Tr(translator, layout.levelCaption[level]), this);
    box->setObjectName(QString("GroupBox") + kLevelPrefix[level]);
    box->setToolTip(Tr(translator, layout.levelHint[level]));
    grids.push_back(new QGridLayout(box));
    levels->addWidget(box);
  }
  for (int row = 1; row <= rows_; ++row) {
    const bool offered = layout.offered(typeNumber, row);
    // The row's name stands once, before its list in the first box.
    auto* label = new QLabel(Tr(translator, layout.rowCaption[row - 1]));
    label->setObjectName(QString("Label") + QString::number(row));
    label->setToolTip(Tr(translator, layout.rowHint[row - 1]));
    label->setEnabled(offered);
    grids.front()->addWidget(label, row, 0);
    for (int level = 0; level < kLevels; ++level) {
      auto* list = new QComboBox(this);
      list->setObjectName(kLevelPrefix[level] + QString::number(row));
      list->addItems(items);
      list->setEnabled(offered);
      const int key = layout.keyNumber(row, level);
      const t_taste* record = picture.Key(key);
      const int value = record ? record->value : 0;
      // A value past the last picture selects nothing.
      list->setCurrentIndex(value <= pictures ? value : -1);
      grids[static_cast<std::size_t>(level)]->addWidget(list, row, 1);
      entries_.push_back({key, list});
    }
  }
  Body()->addLayout(levels);
}

QComboBox* KeyAssignmentDialog::List(int row, int level) const {
  if (row < 1 || row > rows_ || level < 0 || level >= kLevels) return nullptr;
  return entries_[static_cast<std::size_t>((row - 1) * kLevels + level)].list;
}

bool KeyAssignmentDialog::Apply() {
  values_.clear();
  for (const Entry& e : entries_)
    if (e.list->currentIndex() >= 0)
      values_.emplace_back(e.key, static_cast<std::uint16_t>(e.list->currentIndex()));
  return true;
}

TDialog_FTasten::TDialog_FTasten(Translator& translator, const t_projekt& project,
                                 const t_bild& picture, QWidget* parent)
    : KeyAssignmentDialog(
          translator, project, picture,
          {"TDialog_FTasten", 16, &FunctionKeyNumber, &FunctionKeyOffered, txt::kFTastenCaption,
           txt::kFTastenNichts, txt::kFTastenOk, txt::kFTastenCancel, txt::kFTastenRow,
           txt::kFTastenRowHint, txt::kFTastenLevel, txt::kFTastenLevelHint},
          parent) {}

TDialog_Stasten::TDialog_Stasten(Translator& translator, const t_projekt& project,
                                 const t_bild& picture, QWidget* parent)
    : KeyAssignmentDialog(
          translator, project, picture,
          {"TDialog_Stasten", 12, &SoftKeyNumber, &SoftKeyOffered, txt::kSTastenCaption,
           txt::kSTastenNichts, txt::kSTastenOk, txt::kSTastenCancel, txt::kSTastenRow,
           txt::kSTastenRowHint, txt::kSTastenLevel, txt::kSTastenLevelHint},
          parent) {}

bool EditPictureKeys(QWidget* parent, Translator& translator, MessageBox& messages,
                     Document& document, t_bild& picture, bool softKeys) {
  std::unique_ptr<KeyAssignmentDialog> dialog;
  if (softKeys)
    dialog = std::make_unique<TDialog_Stasten>(translator, document.Project(), picture, parent);
  else
    dialog = std::make_unique<TDialog_FTasten>(translator, document.Project(), picture, parent);
  if (dialog->exec() != QDialog::Accepted) return false;
  const EditResult result = SetPictureKeys(document, picture, dialog->Values());
  if (!result) messages.Show(MsgKind::Fehler, ButtonSet::Weiter, translator.Tr(result.error));
  return result.done;
}

}  // namespace tavo

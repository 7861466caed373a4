#include "editor/dialogs/optionsdialog.h"

#include <QGroupBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "app/workspace.h"

namespace tavo {
namespace {

// The settings keep three characters of a language code; a table whose code
// is longer could be chosen but never found again.
constexpr std::size_t kCodeLength = 3;

}  // namespace

TProgrammOptionen::TProgrammOptionen(Workspace& workspace, QWidget* parent)
    : ToolDialog(workspace.translator(), nullptr, parent, txt::kEingabeUebernehmen,
                 txt::kEingabeVerwerfen),
      workspace_(workspace),
      files_(ListLanguageFiles(workspace.install())),
      languages_(new QListWidget(this)) {
  setObjectName("TProgrammOptionen");
  setWindowTitle(Tr(translator(), txt::kProgrammoptionen));
  auto* group = new QGroupBox(Tr(translator(), txt::kSprachauswahl), this);
  group->setObjectName("Sprachauswahl");
  auto* layout = new QVBoxLayout(group);
  languages_->setObjectName("SprachListe");
  layout->addWidget(languages_);
  Body()->addWidget(group);

  const QString tooLong = Tr(translator(), txt::kSprachcodeZuLang);
  for (const LanguageFile& file : files_) {
    // A table without a name line is shown by its code.
    auto* item =
        new QListWidgetItem(Q(file.displayName.empty() ? file.code : file.displayName), languages_);
    if (file.code.size() > kCodeLength) {
      item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
      item->setToolTip(tooLong);
    }
  }
  const int current = FindLanguage(files_, workspace_.settings().code);
  if (current >= 0) languages_->setCurrentRow(current);
  languages_->setFocus();
  connect(languages_, &QListWidget::itemDoubleClicked, this, &ToolDialog::Confirm);
  resize(320, 300);
}

bool TProgrammOptionen::Apply() {
  const int row = languages_->currentRow();
  if (row < 0 || row >= static_cast<int>(files_.size()) || !languages_->item(row)->isSelected())
    return true;  // nothing chosen: the language stays as it is
  const std::string code = files_[static_cast<std::size_t>(row)].code.substr(0, kCodeLength);
  workspace_.settings().code = code;
  workspace_.SetLanguage(code);
  return true;
}

bool RunProgramOptions(QWidget* parent, Workspace& workspace) {
  TProgrammOptionen dialog(workspace, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace tavo

#include "editor/dialogs/editingoptions.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace tavo {
namespace {

QLineEdit* NumberField(const char* name, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setMaximumWidth(80);
  return field;
}

QCheckBox* Tick(const char* name, const QString& caption, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  return box;
}

}  // namespace

TBearbeitungsoptionen::TBearbeitungsoptionen(Translator& translator, MessageBox* messages,
                                             QWidget* parent)
    : ToolDialog(translator, messages, parent) {
  setObjectName("TBearbeitungsoptionen");
  setWindowTitle(Tr(translator, txt::kPositionierungen));
  auto unit = [&](const TextId& id) { return new QLabel(Tr(translator, id)); };

  auto* kopieren = new QGroupBox(Tr(translator, txt::kOptKopieren), this);
  kopieren->setObjectName("GroupBoxKopieren");
  auto* k = new QGridLayout(kopieren);
  moveX_ = NumberField("move_X", kopieren);
  moveY_ = NumberField("Move_Y", kopieren);
  k->addWidget(new QLabel(Tr(translator, txt::kOptVerschiebungX)), 0, 0);
  k->addWidget(moveX_, 0, 1);
  k->addWidget(unit(txt::kOptPixel), 0, 2);
  k->addWidget(new QLabel(Tr(translator, txt::kOptVerschiebungY)), 1, 0);
  k->addWidget(moveY_, 1, 1);
  k->addWidget(unit(txt::kOptPixel), 1, 2);

  auto* spiegeln = new QGroupBox(Tr(translator, txt::kOptSpiegeln), this);
  spiegeln->setObjectName("GroupBoxSpiegeln");
  auto* s = new QVBoxLayout(spiegeln);
  spiegelX_ = Tick("Spiegel_X", Tr(translator, txt::kOptUmXAchse), spiegeln);
  spiegelY_ = Tick("Spiegel_Y", Tr(translator, txt::kOptUmYAchse), spiegeln);
  spiegelOrginal_ = Tick("SpiegelOrginal", Tr(translator, txt::kOptOrginalBeibehalten), spiegeln);
  s->addWidget(spiegelX_);
  s->addWidget(spiegelY_);
  s->addWidget(spiegelOrginal_);

  auto* drehen = new QGroupBox(Tr(translator, txt::kOptDrehen), this);
  drehen->setObjectName("GroupBoxDrehen");
  auto* d = new QGridLayout(drehen);
  winkel_ = NumberField("Winkel", drehen);
  winkelOrginal_ = Tick("WinkelOrginal", Tr(translator, txt::kOptOrginalBeibehalten), drehen);
  d->addWidget(new QLabel(Tr(translator, txt::kOptWinkel)), 0, 0);
  d->addWidget(winkel_, 0, 1);
  d->addWidget(unit(txt::kOptGrad), 0, 2);
  d->addWidget(winkelOrginal_, 1, 0, 1, 3);

  Body()->addWidget(kopieren);
  Body()->addWidget(spiegeln);
  Body()->addWidget(drehen);
  Load(options_);
}

void TBearbeitungsoptionen::Load(const EditingOptions& options) {
  options_ = options;
  moveX_->setText(QString::number(options.copyMoveX));
  moveY_->setText(QString::number(options.copyMoveY));
  spiegelX_->setChecked(options.mirrorX);
  spiegelY_->setChecked(options.mirrorY);
  spiegelOrginal_->setChecked(options.mirrorCopy);
  winkel_->setText(QString::number(options.angle));
  winkelOrginal_->setChecked(options.rotateCopy);
}

bool TBearbeitungsoptionen::Apply() {
  const auto x = IntegerField(moveX_);
  if (!x) return false;
  const auto y = IntegerField(moveY_);
  if (!y) return false;
  const auto angle = IntegerField(winkel_);
  if (!angle) return false;
  options_.copyMoveX = *x;
  options_.copyMoveY = *y;
  options_.mirrorX = spiegelX_->isChecked();
  options_.mirrorY = spiegelY_->isChecked();
  options_.mirrorCopy = spiegelOrginal_->isChecked();
  options_.angle = *angle;
  options_.rotateCopy = winkelOrginal_->isChecked();
  return true;
}

bool EditEditingOptions(QWidget* parent, Translator& translator, MessageBox* messages,
                        EditingOptions& options) {
  TBearbeitungsoptionen dialog(translator, messages, parent);
  dialog.Load(options);
  if (dialog.exec() != QDialog::Accepted) return false;
  options = dialog.Options();
  return true;
}

}  // namespace tavo

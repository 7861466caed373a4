#include "editor/print/printoptionsform.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>

#include "project/projekt.h"

namespace tavo {

TPrintOptionsForm::TPrintOptionsForm(Translator& translator, const t_projekt& project,
                                     const PrintOptions& options, QWidget* parent)
    : ToolDialog(translator, nullptr, parent, txt::kDruckOptUebernehmen, txt::kDruckOptVerwerfen),
      options_(options) {
  setObjectName("TPrintOptionsForm");
  setWindowTitle(Tr(translator, txt::kDruckeinstellungen));
  auto* group = new QGroupBox(Tr(translator, txt::kDruckumfang), this);
  group->setObjectName("Druckumfang");
  auto* form = new QFormLayout(group);

  projectInfo_ = YesNo(options.projectInfo, "cbProjektinfo");
  pictures_ = new QComboBox(this);
  pictures_->setObjectName("cbBilder");
  pictures_->addItems({Tr(translator, txt::kDruckOptAlle), Tr(translator, txt::kDruckOptAuswahl),
                       Tr(translator, txt::kDruckOptKeines)});
  pictures_->setCurrentIndex(static_cast<int>(options.pictures) - 2);
  alarms_ = YesNo(options.alarms, "cbAlarme");
  variables_ = YesNo(options.variables, "cbVariablen");
  textLists_ = YesNo(options.textLists, "cbTextlisten");
  pictureNumber_ = new QComboBox(this);
  pictureNumber_->setObjectName("cbBildnummer");
  // The numbers of all pictures in list order; the current selection when
  // it is among them, else the first.
  int current = 0;
  for (const t_liste* n = project.pictures.get(); n; n = n->next()) {
    const auto& b = static_cast<const t_bild&>(*n);
    if (b.pictureNumber == options.selectedPicture) current = pictureNumber_->count();
    pictureNumber_->addItem(QString::number(b.pictureNumber));
  }
  pictureNumber_->setCurrentIndex(pictureNumber_->count() ? current : -1);
  pictureNumberLabel_ = new QLabel(Tr(translator, txt::kDruckOptBildnummer), this);

  auto row = [&](const TextId& label, QComboBox* box) {
    auto* l = new QLabel(Tr(translator, label), this);
    l->setBuddy(box);
    form->addRow(l, box);
  };
  row(txt::kDruckOptProjektinfo, projectInfo_);
  row(txt::kDruckOptBilder, pictures_);
  row(txt::kDruckOptAlarme, alarms_);
  row(txt::kDruckOptVariablen, variables_);
  row(txt::kDruckOptTextlisten, textLists_);
  form->addRow(pictureNumberLabel_, pictureNumber_);
  Body()->addWidget(group);
  connect(pictures_, &QComboBox::currentIndexChanged, this, &TPrintOptionsForm::ShowPictureNumber);
  ShowPictureNumber();
  setMinimumWidth(340);
  projectInfo_->setFocus();
}

QComboBox* TPrintOptionsForm::YesNo(bool yes, const char* name) {
  auto* box = new QComboBox(this);
  box->setObjectName(name);
  box->addItems({Tr(translator(), txt::kDruckOptJa), Tr(translator(), txt::kDruckOptNein)});
  box->setCurrentIndex(yes ? 0 : 1);
  return box;
}

void TPrintOptionsForm::ShowPictureNumber() {
  const bool selection = pictures_->currentIndex() == 1;
  pictureNumberLabel_->setVisible(selection);
  pictureNumber_->setVisible(selection);
}

bool TPrintOptionsForm::Apply() {
  options_.projectInfo = projectInfo_->currentIndex() == 0;
  options_.pictures = static_cast<PictureScope>(pictures_->currentIndex() + 2);
  options_.alarms = alarms_->currentIndex() == 0;
  options_.variables = variables_->currentIndex() == 0;
  options_.textLists = textLists_->currentIndex() == 0;
  options_.selectedPicture = 0;
  if (options_.pictures == PictureScope::Selection) {
    bool ok = false;
    const uint number = pictureNumber_->currentText().toUInt(&ok);
    options_.selectedPicture = ok && number <= 65535 ? static_cast<std::uint16_t>(number) : 0;
  }
  return true;
}

}  // namespace tavo

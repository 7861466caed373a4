#include "editor/download/downloaddialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "download/protocol/frame.h"
#include "editor/uitext.h"
#include "shell/codepage.h"
#include "shell/language.h"
#include "shell/messagebox.h"
#include "shell/texts.h"
#include "shell/textvalues.h"

namespace tavo {

namespace {

constexpr int kRateCount = 12;

}  // namespace

TDialog_Projekt_download::TDialog_Projekt_download(PortSettings& settings, std::vector<int> ports,
                                                   Translator& translator, MessageBox& messages,
                                                   QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      values_(settings),
      translator_(translator),
      messages_(messages) {
  setObjectName("TDialog_Projekt_download");
  setWindowTitle("Projekt Downloader");
  setModal(true);

  toolBar_ = new QToolBar(this);
  toolBar_->setObjectName("ToolBar1");
  okButton_ = new QToolButton(toolBar_);
  okButton_->setObjectName("OKButtom");
  okButton_->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
  cancelButton_ = new QToolButton(toolBar_);
  cancelButton_->setObjectName("AbbruchButtom");
  cancelButton_->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
  toolBar_->addWidget(okButton_);
  toolBar_->addWidget(cancelButton_);
  connect(okButton_, &QToolButton::clicked, this, &TDialog_Projekt_download::OKButtomClick);
  connect(cancelButton_, &QToolButton::clicked, this,
          &TDialog_Projekt_download::AbbruchButtomClick);

  panel_ = new QWidget(this);
  panel_->setObjectName("Panel1");
  auto* form = new QFormLayout(panel_);
  portLabel_ = new QLabel(panel_);
  portLabel_->setObjectName("Label1");
  portList_ = new QComboBox(panel_);
  portList_->setObjectName("PortNummer");
  for (int port : ports) portList_->addItem("COM" + QString::number(port), port);
  connect(portList_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0) portMissing_->hide();
  });
  portLabel_->setBuddy(portList_);
  form->addRow(portLabel_, portList_);
  portMissing_ = new QLabel(panel_);
  portMissing_->setObjectName("PortFehlt");
  portMissing_->setWordWrap(true);
  portMissing_->setStyleSheet("color: #b00000");
  portMissing_->hide();
  form->addRow(portMissing_);

  rateLabel_ = new QLabel(panel_);
  rateLabel_->setObjectName("Label2");
  rateList_ = new QComboBox(panel_);
  rateList_->setObjectName("BaudRate");
  for (int index = 1; index <= kRateCount; ++index)
    rateList_->addItem(QString::number(RateOfIndex(index)));
  rateLabel_->setBuddy(rateList_);
  form->addRow(rateLabel_, rateList_);

  stationLabel_ = new QLabel(panel_);
  stationLabel_->setObjectName("Label3");
  stationEdit_ = new QLineEdit(panel_);
  stationEdit_->setObjectName("SlaveNummer");
  stationEdit_->setMaxLength(10);
  stationLabel_->setBuddy(stationEdit_);
  form->addRow(stationLabel_, stationEdit_);

  scopeGroup_ = new QGroupBox(panel_);
  scopeGroup_->setObjectName("Umfang");
  auto* scopeLayout = new QVBoxLayout(scopeGroup_);
  scopeAll_ = new QRadioButton(scopeGroup_);
  scopeAll_->setObjectName("UmfangAlles");
  scopeOptimal_ = new QRadioButton(scopeGroup_);
  scopeOptimal_->setObjectName("UmfangOptimal");
  scopeLayout->addWidget(scopeAll_);
  scopeLayout->addWidget(scopeOptimal_);
  form->addRow(scopeGroup_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(toolBar_);
  layout->addWidget(panel_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

TDialog_Projekt_download::~TDialog_Projekt_download() = default;

void TDialog_Projekt_download::Translate() {
  auto tr = [this](const TextId& id) { return Q(translator_.Tr(id)); };
  setWindowTitle(tr(txt::kDlgDownloadTitle));
  panel_->setToolTip(tr(txt::kDlgParameterPanel));
  toolBar_->setToolTip(tr(txt::kDlgAktionsleiste));
  okButton_->setToolTip(tr(txt::kDlgEingabenUebernehmen));
  cancelButton_->setToolTip(tr(txt::kDlgEingabenVerwerfen));
  portLabel_->setText(tr(txt::kDlgPortLabel));
  portList_->setToolTip(tr(txt::kDlgPortHint));
  rateLabel_->setText(tr(txt::kDlgRateLabel));
  rateList_->setToolTip(tr(txt::kDlgRateHint));
  stationLabel_->setText(tr(txt::kDlgStationLabel));
  stationEdit_->setToolTip(tr(txt::kDlgStationHint));
  scopeGroup_->setTitle(tr(txt::kDlgUmfang));
  scopeGroup_->setToolTip(tr(txt::kDlgUmfangHint));
  scopeAll_->setText(tr(txt::kDlgUmfangAlles));
  scopeOptimal_->setText(tr(txt::kDlgUmfangOptimal));
}

void TDialog_Projekt_download::FormShow() {
  stationEdit_->setText(QString::number(values_.station));
  // A stored index outside the table (a hand-edited settings file) shows
  // the default rate.
  const PortSettings defaults;
  rateList_->setCurrentIndex(values_.baudrate >= 1 && values_.baudrate <= kRateCount
                                 ? values_.baudrate - 1
                                 : defaults.baudrate - 1);
  (values_.umfang == 1 ? scopeOptimal_ : scopeAll_)->setChecked(true);
  // A stored port that is gone is said, and none is chosen in its place:
  // a download to another port could reach another terminal.
  const int port = portList_->findData(values_.comport);
  portList_->setCurrentIndex(port);
  const bool missing = port < 0 && portList_->count() > 0;
  portMissing_->setText(missing ? PortMissingText() : QString());
  portMissing_->setVisible(missing);
}

QString TDialog_Projekt_download::PortMissingText() {
  return Q(WithValues(translator_.Tr(txt::kPortFehlt), {std::to_string(values_.comport)}));
}

void TDialog_Projekt_download::showEvent(QShowEvent* event) {
  Translate();
  FormShow();
  QDialog::showEvent(event);
}

void TDialog_Projekt_download::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      OKButtomClick();
      return;
    case Qt::Key_Escape:
      AbbruchButtomClick();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void TDialog_Projekt_download::OKButtomClick() {
  bool number = false;
  const int station = stationEdit_->text().trimmed().toInt(&number);
  if (!number || station < 1 || station > 255) {
    messages_.Show(MsgKind::Fehler, ButtonSet::Weiter, translator_.Tr(txt::kDlgUngueltigeEingabe));
    stationEdit_->setText(QString::number(values_.station));
    stationEdit_->setFocus();
    stationEdit_->selectAll();
    return;
  }
  // Without a port that opens there is nothing to download to; with ports
  // but none chosen, the stored one is gone.
  if (portList_->count() == 0) {
    messages_.Show(MsgKind::Fehler, ButtonSet::Weiter, translator_.Tr(txt::kDlgKeinePorts));
    return;
  }
  if (portList_->currentIndex() < 0) {
    messages_.Show(MsgKind::Fehler, ButtonSet::Weiter, S(PortMissingText()));
    portList_->setFocus();
    return;
  }
  values_.comport = portList_->currentData().toInt();
  values_.baudrate = rateList_->currentIndex() + 1;
  values_.umfang = scopeOptimal_->isChecked() ? 1 : 0;
  values_.station = station;
  settings_ = values_;
  accept();
}

void TDialog_Projekt_download::AbbruchButtomClick() {
  reject();
}

}  // namespace tavo

#include "editor/sheet/gridsettings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/uitext.h"

namespace tavo {
namespace {

QSpinBox* DistanceBox(const char* name, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(name);
  box->setRange(1, 100);  // at most three digits
  return box;
}

// Only 0 and 1 are states of a check box; other values leave it alone.
void LoadFlag(QCheckBox* box, int value) {
  if (value == 0 || value == 1) box->setChecked(value == 1);
}

}  // namespace

TGridSettings::TGridSettings(Translator& translator, QWidget* parent)
    : QDialog(parent), translator_(translator) {
  setObjectName("TGridSettings");
  setModal(true);

  toolBar_ = new QToolBar(this);
  toolBar_->setObjectName("ToolBar1");
  ok_ = new QToolButton(toolBar_);
  ok_->setObjectName("ToolButton1");
  ok_->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
  cancel_ = new QToolButton(toolBar_);
  cancel_->setObjectName("ToolButton2");
  cancel_->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
  toolBar_->addWidget(ok_);
  toolBar_->addWidget(cancel_);
  connect(ok_, &QToolButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QToolButton::clicked, this, &QDialog::reject);

  darstellung_ = new QCheckBox(this);
  darstellung_->setObjectName("Darstellung");
  softkeyrect_ = new QCheckBox(this);
  softkeyrect_->setObjectName("softkeyrect");
  softkeytext_ = new QCheckBox(this);
  softkeytext_->setObjectName("softkeytext");
  black_ = new QRadioButton(this);
  black_->setObjectName("softkeycolorblack");
  white_ = new QRadioButton(this);
  white_->setObjectName("softkeycolorwhite");

  raster_ = new QGroupBox(this);
  raster_->setObjectName("Raster");
  rasterEin_ = new QCheckBox(raster_);
  rasterEin_->setObjectName("RasterEin");
  rasterLabel_ = new QLabel(raster_);
  rasterAbstand_ = DistanceBox("RasterAbstand", raster_);
  rasterLabel_->setBuddy(rasterAbstand_);
  auto* rasterLayout = new QGridLayout(raster_);
  rasterLayout->addWidget(rasterEin_, 0, 0, 1, 2);
  rasterLayout->addWidget(rasterLabel_, 1, 0);
  rasterLayout->addWidget(rasterAbstand_, 1, 1);

  fang_ = new QGroupBox(this);
  fang_->setObjectName("Fang");
  fangEin_ = new QCheckBox(fang_);
  fangEin_->setObjectName("FangEin");
  fangLabel_ = new QLabel(fang_);
  fangAbstand_ = DistanceBox("FangAbstand", fang_);
  fangLabel_->setBuddy(fangAbstand_);
  auto* fangLayout = new QGridLayout(fang_);
  fangLayout->addWidget(fangEin_, 0, 0, 1, 2);
  fangLayout->addWidget(fangLabel_, 1, 0);
  fangLayout->addWidget(fangAbstand_, 1, 1);

  auto* colours = new QHBoxLayout;
  colours->addSpacing(20);
  colours->addWidget(black_);
  colours->addWidget(white_);
  colours->addStretch();
  auto* groups = new QHBoxLayout;
  groups->addWidget(raster_);
  groups->addWidget(fang_);

  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(toolBar_);
  layout->addWidget(darstellung_);
  layout->addWidget(softkeyrect_);
  layout->addWidget(softkeytext_);
  layout->addLayout(colours);
  layout->addLayout(groups);

  // The state the dialog is created with: the settings' defaults.
  Load(PictureSettings{});
  for (QCheckBox* box : {softkeyrect_, softkeytext_, rasterEin_, fangEin_})
    connect(box, &QCheckBox::toggled, this, &TGridSettings::UpdateEnabling);
  UpdateEnabling();
  Retranslate();
}

void TGridSettings::Retranslate() {
  setWindowTitle(Tr(translator_, txt::kGridDialogCaption));
  toolBar_->setToolTip(Tr(translator_, txt::kGridToolBar));
  ok_->setToolTip(Tr(translator_, txt::kGridAccept));
  cancel_->setToolTip(Tr(translator_, txt::kGridDiscard));
  darstellung_->setText(Tr(translator_, txt::kGridUmriss));
  softkeyrect_->setText(Tr(translator_, txt::kGridSoftkeyRect));
  softkeytext_->setText(Tr(translator_, txt::kGridSoftkeyText));
  black_->setText(Tr(translator_, txt::kGridBlack));
  white_->setText(Tr(translator_, txt::kGridWhite));
  raster_->setTitle(Tr(translator_, txt::kGridRaster));
  fang_->setTitle(Tr(translator_, txt::kGridFang));
  rasterEin_->setText(Tr(translator_, txt::kGridOn));
  fangEin_->setText(Tr(translator_, txt::kGridOn));
  rasterLabel_->setText(Tr(translator_, txt::kGridDistance));
  fangLabel_->setText(Tr(translator_, txt::kGridDistance));
}

void TGridSettings::Load(const PictureSettings& s) {
  LoadFlag(darstellung_, s.style);
  LoadFlag(softkeyrect_, s.softkeyrect);
  LoadFlag(softkeytext_, s.softkeytext);
  if (s.softkeytextcolor == 0) black_->setChecked(true);
  if (s.softkeytextcolor == 1) white_->setChecked(true);
  LoadFlag(rasterEin_, s.gridStyle);
  LoadFlag(fangEin_, s.fangStyle);
  rasterAbstand_->setValue(s.gridSize);
  fangAbstand_->setValue(s.fangSize);
  UpdateEnabling();
}

void TGridSettings::Store(PictureSettings& s) const {
  // A distance typed but not yet confirmed counts as well.
  rasterAbstand_->interpretText();
  fangAbstand_->interpretText();
  s.style = darstellung_->isChecked() ? 1 : 0;
  s.softkeyrect = softkeyrect_->isChecked() ? 1 : 0;
  s.softkeytext = softkeytext_->isChecked() ? 1 : 0;
  s.softkeytextcolor = white_->isChecked() ? 1 : 0;
  s.gridStyle = rasterEin_->isChecked() ? 1 : 0;
  s.gridSize = rasterAbstand_->value();
  s.fangStyle = fangEin_->isChecked() ? 1 : 0;
  s.fangSize = fangAbstand_->value();
}

void TGridSettings::UpdateEnabling() {
  softkeytext_->setEnabled(softkeyrect_->isChecked());
  const bool labels = softkeyrect_->isChecked() && softkeytext_->isChecked();
  black_->setEnabled(labels);
  white_->setEnabled(labels);
  rasterAbstand_->setEnabled(rasterEin_->isChecked());
  fangAbstand_->setEnabled(fangEin_->isChecked());
}

void TGridSettings::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);  // Escape rejects
}

void TGridSettings::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

bool TGridSettings::Edit(QWidget* parent, Translator& translator, PictureSettings& settings) {
  TGridSettings dialog(translator, parent);
  dialog.Load(settings);
  if (dialog.exec() != QDialog::Accepted) return false;
  dialog.Store(settings);
  return true;
}

}  // namespace tavo

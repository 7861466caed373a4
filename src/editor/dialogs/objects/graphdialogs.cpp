#include "editor/dialogs/objects/graphdialogs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPolygon>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <climits>

#include "document/propertyedits.h"
#include "editor/dialogs/attributepickers.h"
#include "objects/fields/fields.h"
#include "objects/rounding.h"
#include "objects/tview.h"

namespace tavo {

namespace {

constexpr int kIconSize = 32;

QLineEdit* RangeEdit(QWidget* parent, const char* name, double value) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setText(QString::number(RoundToI32(value)));
  return edit;
}

QRadioButton* Radio(QWidget* parent, const char* name, const QString& caption = {}) {
  auto* button = new QRadioButton(caption, parent);
  button->setObjectName(name);
  return button;
}

QIcon ColourIcon(int pickerColour) {
  QPixmap pixmap(40, 16);
  if (pickerColour >= 0 && pickerColour < kPaletteSize) {
    const Rgb rgb = ColourPalette(pickerColour);
    pixmap.fill(QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)));
  } else {
    pixmap.fill(Qt::white);
  }
  QPainter p(&pixmap);
  p.setPen(Qt::black);
  if (pickerColour < 0 || pickerColour >= kPaletteSize) p.drawLine(0, 15, 39, 0);  // none
  p.drawRect(0, 0, 39, 15);
  return QIcon(pixmap);
}

// The orientation of a plot graph: the curve runs left to right or top to bottom.
QIcon OrientationIcon(int orientation) {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::white);
  QPainter p(&pixmap);
  p.setPen(QPen(Qt::black, 1));
  p.drawRect(2, 2, kIconSize - 5, kIconSize - 5);
  p.setPen(QPen(Qt::darkBlue, 2));
  QPolygon curve;
  for (int i = 0; i <= 6; ++i) {
    const int along = 4 + i * 4, across = (i % 2 == 0) ? 20 : 10;
    curve << (orientation == 0 ? QPoint(along, across) : QPoint(across, along));
  }
  p.drawPolyline(curve);
  return QIcon(pixmap);
}

}  // namespace

QIcon DirectionIcon(int direction) {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::white);
  QPainter p(&pixmap);
  p.setPen(QPen(Qt::black, 1));
  p.drawRect(2, 2, kIconSize - 5, kIconSize - 5);
  // The filled part of the bar at its start, the arrow towards its end.
  const int s = kIconSize - 4;
  QRect band;
  QLine shaft;
  QPolygon head;
  switch (direction) {
    case 0:
      band = QRect(3, 3, 6, s - 2);
      shaft = QLine(9, 16, 27, 16);
      head << QPoint(28, 16) << QPoint(21, 10) << QPoint(21, 22);
      break;
    case 1:
      band = QRect(3, 3, s - 2, 6);
      shaft = QLine(16, 9, 16, 27);
      head << QPoint(16, 28) << QPoint(10, 21) << QPoint(22, 21);
      break;
    case 2:
      band = QRect(s - 5, 3, 6, s - 2);
      shaft = QLine(22, 16, 4, 16);
      head << QPoint(3, 16) << QPoint(10, 10) << QPoint(10, 22);
      break;
    default:
      band = QRect(3, s - 5, s - 2, 6);
      shaft = QLine(16, 22, 16, 4);
      head << QPoint(16, 3) << QPoint(10, 10) << QPoint(22, 10);
      break;
  }
  p.fillRect(band, Qt::darkGray);
  p.setPen(QPen(Qt::darkBlue, 2));
  p.drawLine(shaft);
  p.setBrush(Qt::darkBlue);
  p.drawPolygon(head);
  return QIcon(pixmap);
}

// --- bar graph ---------------------------------------------------------------------------

Tdialog_bargraf_obj::Tdialog_bargraf_obj(const ObjectDialogContext& context, const t_objekt& buffer,
                                         QWidget* parent)
    : ObjectDialog(context, buffer, parent) {
  setObjectName("Tdialog_bargraf_obj");
  const auto& graph = static_cast<const t_bargraf&>(buffer);
  Translator& t = translator();

  QGroupBox* range = Group("Wertebereich", txt::kObjWertebereich);
  auto* rangeLayout = new QFormLayout(range);
  edit1_ = RangeEdit(range, "Edit1", graph.upper());
  edit1_->setToolTip(Tr(t, txt::kObjMaximalWert));
  edit2_ = RangeEdit(range, "Edit2", graph.lower());
  edit2_->setToolTip(Tr(t, txt::kObjMinimalerWert));
  rangeLayout->addRow(Tr(t, txt::kObjObererWert), edit1_);
  rangeLayout->addRow(Tr(t, txt::kObjUntererWert), edit2_);

  QGroupBox* variable = Group("Variable", txt::kObjVariable);
  variable->setToolTip(Tr(t, txt::kObjVariableFestlegen));
  auto* variableLayout = new QVBoxLayout(variable);
  varibox_ = VariableBox(variable, "Varibox", graph.variable());
  variableLayout->addWidget(varibox_);

  QGroupBox* direction = Group("Laufrichtung", txt::kObjLaufrichtung);
  direction->setToolTip(Tr(t, txt::kObjLaufrichtungBestimmen));
  auto* directionLayout = new QHBoxLayout(direction);
  laufrichtung_ = new QButtonGroup(this);
  const TextId* hints[] = {&txt::kObjNachRechts, &txt::kObjNachUnten, &txt::kObjNachLinks,
                           &txt::kObjNachOben};
  for (int d = 0; d < 4; ++d) {
    // The picture is the button's own: clicking it chooses the button.
    QRadioButton* button = Radio(direction, "");
    button->setObjectName(QString("LRBut%1").arg(d + 1));
    button->setIcon(DirectionIcon(d));
    button->setIconSize(QSize(kIconSize, kIconSize));
    button->setToolTip(Tr(t, *hints[d]));
    laufrichtung_->addButton(button, d);
    directionLayout->addWidget(button);
  }
  // A direction the dialog does not offer leaves the initial choice: up.
  if (QAbstractButton* chosen = laufrichtung_->button(graph.direction()))
    chosen->setChecked(true);
  else
    laufrichtung_->button(3)->setChecked(true);

  auto* top = new QHBoxLayout;
  top->addWidget(range);
  top->addWidget(variable, 1);
  Body()->addLayout(top);
  Body()->addWidget(direction);
  for (QLineEdit* edit : {edit1_, edit2_})
    connect(edit, &QLineEdit::textChanged, this, &ObjectDialog::Changed);
  connect(laufrichtung_, &QButtonGroup::idClicked, this, &ObjectDialog::Changed);
  AddPreview();
}

bool Tdialog_bargraf_obj::Store(t_objekt& target, bool strict) {
  auto& graph = static_cast<t_bargraf&>(target);
  graph.SetDirection(static_cast<std::uint8_t>(laufrichtung_->checkedId()));
  if (const std::optional<int> number = ChosenNumber(varibox_))
    graph.SetVariable(static_cast<std::int16_t>(*number));
  const std::optional<std::int32_t> upper = Integer(edit1_, INT32_MIN, INT32_MAX, strict);
  if (!upper && strict) return false;
  const std::optional<std::int32_t> lower = Integer(edit2_, INT32_MIN, INT32_MAX, strict);
  if (!lower && strict) return false;
  graph.SetRange(lower ? *lower : graph.lower(), upper ? *upper : graph.upper());
  return true;
}

// --- plot graph ---------------------------------------------------------------------------

Tdialog_plotgraf_obj::Tdialog_plotgraf_obj(const ObjectDialogContext& context,
                                           const t_objekt& buffer, QWidget* parent)
    : ObjectDialog(context, buffer, parent) {
  setObjectName("Tdialog_plotgraf_obj");
  const auto& graph = static_cast<const t_plotgraf&>(buffer);
  Translator& t = translator();
  scaleColour_ = graph.scaleColour();

  QGroupBox* variable = Group("Variable", txt::kObjVariable);
  variable->setToolTip(Tr(t, txt::kObjProzessvariablen));
  auto* variableLayout = new QFormLayout(variable);
  varibox_ = VariableBox(variable, "Varibox", graph.valueVariable());
  varibox_->setToolTip(Tr(t, txt::kObjVariableDesWertes));
  varibox1_ = VariableBox(variable, "Varibox1", graph.statusVariable());
  varibox1_->setToolTip(Tr(t, txt::kObjVariableDesStatus));
  variableLayout->addRow(Tr(t, txt::kObjWert), varibox_);
  variableLayout->addRow(Tr(t, txt::kObjStatus), varibox1_);

  QGroupBox* range = Group("Wertebereich", txt::kObjWertebereich);
  range->setToolTip(Tr(t, txt::kObjWertebereichWaehlen));
  auto* rangeLayout = new QVBoxLayout(range);
  edit1_ = RangeEdit(range, "Edit1", graph.upper());
  edit1_->setToolTip(Tr(t, txt::kObjMaximalwert));
  edit2_ = RangeEdit(range, "Edit2", graph.lower());
  edit2_->setToolTip(Tr(t, txt::kObjMinimalwert));
  rangeLayout->addWidget(edit1_);
  rangeLayout->addWidget(edit2_);

  QGroupBox* orientation = Group("Ausrichtung", txt::kObjAusrichtung);
  orientation->setToolTip(Tr(t, txt::kObjLaufrichtungWaehlen));
  auto* orientationLayout = new QHBoxLayout(orientation);
  auto* orientationGroup = new QButtonGroup(this);
  rb1_ = Radio(orientation, "RB1");
  rb1_->setToolTip(Tr(t, txt::kObjLinksNachRechts));
  rb2_ = Radio(orientation, "RB2");
  rb2_->setToolTip(Tr(t, txt::kObjObenNachUnten));
  int o = 0;
  for (QRadioButton* b : {rb1_, rb2_}) {
    b->setIcon(OrientationIcon(o++));
    b->setIconSize(QSize(kIconSize, kIconSize));
    orientationGroup->addButton(b);
    orientationLayout->addWidget(b);
  }
  (graph.orientation() == 1 ? rb2_ : rb1_)->setChecked(true);

  QGroupBox* time = Group("Zeit_pro_Pixel", txt::kObjZeitProPixel);
  time->setToolTip(Tr(t, txt::kObjZeitbasis));
  auto* timeGrid = new QGridLayout(time);
  zeitProPixel_ = new QButtonGroup(this);
  const TextId* items[] = {&txt::kObjZeit1s, &txt::kObjZeit10s,  &txt::kObjZeit5min,
                           &txt::kObjZeit2s, &txt::kObjZeit30s,  &txt::kObjZeit10min,
                           &txt::kObjZeit5s, &txt::kObjZeit1min, &txt::kObjZeit30min};
  for (int i = 0; i < 9; ++i) {
    QRadioButton* item = Radio(time, "", Tr(t, *items[i]));
    item->setObjectName(QString("Zeit_pro_Pixel%1").arg(i));
    zeitProPixel_->addButton(item, i);
    // Three columns filled from top to bottom.
    timeGrid->addWidget(item, i % 3, i / 3);
  }
  if (QAbstractButton* chosen = zeitProPixel_->button(graph.timePerPixel() - 1))
    chosen->setChecked(true);

  QGroupBox* axis = Group("Zeitachse", txt::kObjZeitachse);
  axis->setToolTip(Tr(t, txt::kObjArtDerZeitachse));
  auto* axisLayout = new QGridLayout(axis);
  zeitachse_ = new QButtonGroup(this);
  const TextId* axes[][2] = {{&txt::kObjOhne, &txt::kObjKeineZeitachse},
                             {&txt::kObjUhrzeit, &txt::kObjZeitachseUhrzeit},
                             {&txt::kObjLaufzeit, &txt::kObjZeitachseLaufzeit}};
  for (int i = 0; i < 3; ++i) {
    QRadioButton* button = Radio(axis, "", Tr(t, *axes[i][0]));
    button->setObjectName(QString("RBZ%1").arg(i + 1));
    button->setToolTip(Tr(t, *axes[i][1]));
    zeitachse_->addButton(button, i + 1);
    axisLayout->addWidget(button, i, 0);
  }
  if (QAbstractButton* chosen = zeitachse_->button(graph.timeAxis())) chosen->setChecked(true);
  speedButton1_ = new QToolButton(axis);
  speedButton1_->setObjectName("SpeedButton1");
  speedButton1_->setIconSize(QSize(40, 16));
  speedButton1_->setToolTip(Tr(t, txt::kObjSkalenfarbe));
  auto* label1 = new QLabel(Tr(t, txt::kObjSkalenfarbe), axis);
  label1->setObjectName("Label1");
  axisLayout->addWidget(label1, 3, 0);
  axisLayout->addWidget(speedButton1_, 3, 1);

  auto* row1 = new QHBoxLayout;
  row1->addWidget(variable, 1);
  row1->addWidget(range);
  auto* row2 = new QHBoxLayout;
  row2->addWidget(orientation);
  row2->addWidget(time, 1);
  row2->addWidget(axis);
  Body()->addLayout(row1);
  Body()->addLayout(row2);

  choose_ = [this](int start, QPoint topLeft) {
    return RunAttributePicker(this, translator(), ObjectAttribute::PenColour, start, topLeft,
                              &txt::kObjSkalafarbe);
  };
  connect(speedButton1_, &QToolButton::clicked, this, &Tdialog_plotgraf_obj::ChooseScaleColour);
  for (QLineEdit* edit : {edit1_, edit2_})
    connect(edit, &QLineEdit::textChanged, this, &ObjectDialog::Changed);
  connect(orientationGroup, &QButtonGroup::buttonClicked, this, &ObjectDialog::Changed);
  connect(zeitProPixel_, &QButtonGroup::idClicked, this, &ObjectDialog::Changed);
  connect(zeitachse_, &QButtonGroup::idClicked, this, &ObjectDialog::Changed);
  ShowScaleColour();
  AddPreview();
}

void Tdialog_plotgraf_obj::ShowScaleColour() {
  const int picker = PickerColourOfScale(scaleColour_);
  speedButton1_->setIcon(ColourIcon(picker));
}

void Tdialog_plotgraf_obj::ChooseScaleColour() {
  const QPoint corner = speedButton1_->mapToGlobal(QPoint(0, speedButton1_->height()));
  if (const std::optional<int> chosen = choose_(PickerColourOfScale(scaleColour_), corner))
    scaleColour_ = ScaleColourOfPicker(*chosen);
  ShowScaleColour();
  Changed();
}

bool Tdialog_plotgraf_obj::Store(t_objekt& target, bool strict) {
  auto& graph = static_cast<t_plotgraf&>(target);
  const std::optional<std::int32_t> lower = Integer(edit2_, INT32_MIN, INT32_MAX, strict);
  if (!lower && strict) return false;
  const std::optional<std::int32_t> upper = Integer(edit1_, INT32_MIN, INT32_MAX, strict);
  if (!upper && strict) return false;
  graph.SetRange(lower ? *lower : graph.lower(), upper ? *upper : graph.upper());
  const std::optional<int> value = ChosenNumber(varibox_);
  const std::optional<int> status = ChosenNumber(varibox1_);
  graph.SetVariables(value ? static_cast<std::uint16_t>(*value) : graph.valueVariable(),
                     status ? static_cast<std::uint16_t>(*status) : graph.statusVariable());
  const int perPixel = zeitProPixel_->checkedId();
  const int axis = zeitachse_->checkedId();
  graph.SetAxis(rb2_->isChecked() ? 1 : 0,
                perPixel >= 0 ? static_cast<std::uint8_t>(perPixel + 1) : graph.timePerPixel(),
                axis >= 1 ? static_cast<std::uint8_t>(axis) : graph.timeAxis(), scaleColour_);
  return true;
}

}  // namespace tavo

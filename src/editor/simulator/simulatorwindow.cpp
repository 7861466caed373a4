#include "editor/simulator/simulatorwindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/simulator/simulatorface.h"
#include "editor/uitext.h"
#include "objects/tview.h"
#include "project/projekt.h"
#include "project/records.h"
#include "qt/qimagecanvas.h"
#include "shell/messagebox.h"
#include "shell/texts.h"
#include "shell/textvalues.h"
#include "simulator/simulator.h"

namespace tavo {

namespace {

enum Column { kColNumber, kColName, kColAddress, kColType, kColValue, kColumns };

constexpr int kFunctionKeys = 16;
constexpr int kSoftKeys = 12;
constexpr int kTypeAscii = 6;
// At most this many reader messages in one box; the rest are counted.
constexpr std::size_t kShownMessages = 20;

// The largest whole factor that keeps the display within a comfortable
// part of a common screen.
int FittingScale(int width, int height) {
  int factor = 1;
  while (factor < 8 && width * (factor + 1) <= 800 && height * (factor + 1) <= 640) ++factor;
  return factor;
}

QDateTime ToQDateTime(const LocalTime& time, int seconds) {
  return QDateTime(QDate(time.year, time.month, time.day),
                   QTime(time.hour, time.minute, std::clamp(seconds, 0, 59)));
}

}  // namespace

SimulatorWindow::SimulatorWindow(Translator& translator, MessageBox& messages,
                                 const t_katalog* catalogue, QWidget* parent)
    : QWidget(parent, Qt::Window),
      translator_(translator),
      messages_(messages),
      catalogue_(catalogue),
      texts_(std::make_unique<Retranslator>(translator)) {
  setObjectName("SimulatorWindow");
  empty_ = QImage(1, 1, QImage::Format_RGB32);
  empty_.fill(Qt::black);
  prompt_ = [this](const SimInputField&, const QString& label) -> std::optional<QString> {
    bool ok = false;
    const QString typed = QInputDialog::getText(this, Tr(translator_, txt::kSimEingabe), label,
                                                QLineEdit::Normal, QString(), &ok);
    if (!ok) return std::nullopt;
    return typed;
  };
  BuildWidgets();
  if (parent) parent->window()->installEventFilter(this);
}

SimulatorWindow::~SimulatorWindow() {
  if (simulator_ && listener_ >= 0) simulator_->RemoveListener(listener_);
}

void SimulatorWindow::BuildWidgets() {
  auto* root = new QHBoxLayout(this);

  // Left: the terminal with its keys, the picture selector and the levels.
  auto* left = new QVBoxLayout;
  auto* top = new QHBoxLayout;
  auto* pictureLabel = new QLabel(this);
  texts_->Add([pictureLabel](Translator& tr) { pictureLabel->setText(Tr(tr, txt::kSimBild)); });
  pictures_ = new QComboBox(this);
  pictures_->setObjectName("PictureSelect");
  pictures_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  connect(pictures_, &QComboBox::activated, this, [this](int index) {
    if (simulator_) simulator_->ShowPicture(index + 1);
  });
  auto* scaleLabel = new QLabel(this);
  texts_->Add(
      [scaleLabel](Translator& tr) { scaleLabel->setText(Tr(tr, txt::kSimVergroesserung)); });
  scale_ = new QSpinBox(this);
  scale_->setObjectName("ScaleBox");
  scale_->setRange(1, 8);
  connect(scale_, &QSpinBox::valueChanged, this, [this](int factor) {
    face_->SetScale(factor);
    adjustSize();
  });
  auto* reload = new QToolButton(this);
  reload->setObjectName("ReloadBut");
  texts_->Add([reload](Translator& tr) {
    reload->setText(Tr(tr, txt::kSimNeuLaden));
    reload->setToolTip(Tr(tr, txt::kSimNeuLadenHinweis));
  });
  connect(reload, &QToolButton::clicked, this, [this] { Reload(); });
  top->addWidget(pictureLabel);
  top->addWidget(pictures_, 1);
  top->addSpacing(12);
  top->addWidget(scaleLabel);
  top->addWidget(scale_);
  top->addSpacing(12);
  top->addWidget(reload);
  left->addLayout(top);

  face_ = new SimulatorFace(translator_, this);
  connect(face_, &SimulatorFace::softKeyPressed, this, [this](int key) { PressSoftKey(key); });
  connect(face_, &SimulatorFace::displayClicked, this,
          [this](QPoint pixel) { ClickDisplay(pixel); });
  left->addWidget(face_, 0, Qt::AlignHCenter);

  // Function keys and the level the next key press uses.
  auto* keyRow = new QHBoxLayout;
  keyRow->setSpacing(2);
  for (int k = 1; k <= kFunctionKeys; ++k) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString("FunctionKey%1").arg(k));
    button->setFocusPolicy(Qt::NoFocus);
    texts_->Add([button, k](Translator& tr) {
      button->setText(Tr(tr, txt::kFTastenRow[k - 1]));
      button->setToolTip(Tr(tr, txt::kFTastenRowHint[k - 1]));
    });
    connect(button, &QToolButton::clicked, this, [this, k] { PressFunctionKey(k); });
    keyRow->addWidget(button);
    functionKeys_.push_back(button);
  }
  keyRow->addStretch(1);
  left->addLayout(keyRow);
  auto* levelRow = new QHBoxLayout;
  auto* levelLabel = new QLabel(this);
  texts_->Add([levelLabel](Translator& tr) { levelLabel->setText(Tr(tr, txt::kSimEbene)); });
  levelRow->addWidget(levelLabel);
  levels_ = new QButtonGroup(this);
  levels_->setExclusive(true);
  for (int level = 0; level < 4; ++level) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString("KeyLevel%1").arg(level));
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    texts_->Add([button, level](Translator& tr) {
      button->setText(Tr(tr, txt::kFTastenLevel[level]));
      button->setToolTip(Tr(tr, txt::kFTastenLevelHint[level]));
    });
    levels_->addButton(button, level);
    levelRow->addWidget(button);
  }
  levels_->button(0)->setChecked(true);
  levelRow->addStretch(1);
  left->addLayout(levelRow);
  status_ = new QLabel(this);
  status_->setObjectName("StatusText");
  left->addWidget(status_);
  left->addStretch(1);
  root->addLayout(left);

  // Right: variables, alarms, clock.
  auto* right = new QSplitter(Qt::Vertical, this);
  auto* variableBox = new QGroupBox(this);
  texts_->Add([variableBox](Translator& tr) { variableBox->setTitle(Tr(tr, txt::kSimVariablen)); });
  auto* variableLayout = new QVBoxLayout(variableBox);
  variables_ = new QTableWidget(0, kColumns, variableBox);
  variables_->setObjectName("VariableTable");
  variables_->verticalHeader()->hide();
  variables_->setSelectionBehavior(QAbstractItemView::SelectRows);
  variables_->setSelectionMode(QAbstractItemView::SingleSelection);
  variables_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
  variables_->horizontalHeader()->setStretchLastSection(true);
  texts_->Add([this](Translator& tr) {
    variables_->setHorizontalHeaderLabels({Tr(tr, txt::kColNummer), Tr(tr, txt::kColName),
                                           Tr(tr, txt::kColAdresse), Tr(tr, txt::kColTyp),
                                           Tr(tr, txt::kSimSpalteWert)});
    if (simulator_) FillVariables();  // type names are translated
  });
  connect(variables_, &QTableWidget::itemChanged, this, &SimulatorWindow::ValueEdited);
  variableLayout->addWidget(variables_);
  right->addWidget(variableBox);

  auto* alarmBox = new QGroupBox(this);
  texts_->Add([alarmBox](Translator& tr) { alarmBox->setTitle(Tr(tr, txt::kSimAlarmbits)); });
  auto* alarmLayout = new QVBoxLayout(alarmBox);
  alarmBits_ = new QListWidget(alarmBox);
  alarmBits_->setObjectName("AlarmBits");
  connect(alarmBits_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (filling_ || !simulator_) return;
    simulator_->SetAlarm(static_cast<std::uint16_t>(item->data(Qt::UserRole).toInt()),
                         item->checkState() == Qt::Checked);
  });
  alarmLayout->addWidget(alarmBits_);
  right->addWidget(alarmBox);

  auto* activeBox = new QGroupBox(this);
  texts_->Add([activeBox](Translator& tr) { activeBox->setTitle(Tr(tr, txt::kSimAktiveAlarme)); });
  auto* activeLayout = new QVBoxLayout(activeBox);
  activeAlarms_ = new QListWidget(activeBox);
  activeAlarms_->setObjectName("ActiveAlarms");
  activeLayout->addWidget(activeAlarms_);
  right->addWidget(activeBox);

  auto* clockBox = new QGroupBox(this);
  texts_->Add([clockBox](Translator& tr) { clockBox->setTitle(Tr(tr, txt::kSimUhr)); });
  auto* clockLayout = new QHBoxLayout(clockBox);
  clock_ = new QDateTimeEdit(clockBox);
  clock_->setObjectName("ClockEdit");
  clock_->setDisplayFormat("yyyy-MM-dd HH:mm:ss");
  connect(clock_, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& time) {
    if (filling_ || !simulator_) return;
    LocalTime t;
    t.year = time.date().year();
    t.month = time.date().month();
    t.day = time.date().day();
    t.hour = time.time().hour();
    t.minute = time.time().minute();
    simulator_->SetClock(t, time.time().second());
  });
  clockRuns_ = new QCheckBox(clockBox);
  clockRuns_->setObjectName("ClockRuns");
  texts_->Add([this](Translator& tr) { clockRuns_->setText(Tr(tr, txt::kSimUhrLaeuft)); });
  auto* now = new QToolButton(clockBox);
  now->setObjectName("ClockNow");
  texts_->Add([now](Translator& tr) {
    now->setText(Tr(tr, txt::kSimJetzt));
    now->setToolTip(Tr(tr, txt::kSimJetztHinweis));
  });
  connect(now, &QToolButton::clicked, this, [this] {
    if (!simulator_) return;
    const QDateTime current = QDateTime::currentDateTime();
    LocalTime t;
    t.year = current.date().year();
    t.month = current.date().month();
    t.day = current.date().day();
    t.hour = current.time().hour();
    t.minute = current.time().minute();
    simulator_->SetClock(t, current.time().second());
  });
  clockLayout->addWidget(clock_, 1);
  clockLayout->addWidget(clockRuns_);
  clockLayout->addWidget(now);
  right->addWidget(clockBox);
  right->setStretchFactor(0, 4);
  right->setStretchFactor(1, 1);
  right->setStretchFactor(2, 1);
  right->setStretchFactor(3, 0);
  root->addWidget(right, 1);

  // The clock runs in whole seconds, as the terminal's does; plot graphs
  // take their samples on the way.
  ticker_ = new QTimer(this);
  ticker_->setInterval(1000);
  connect(ticker_, &QTimer::timeout, this, [this] {
    if (simulator_ && clockRuns_->isChecked()) simulator_->Advance(1);
  });
  connect(clockRuns_, &QCheckBox::toggled, this, [this](bool on) {
    if (on)
      ticker_->start();
    else
      ticker_->stop();
  });
  clockRuns_->setChecked(true);

  texts_->Add([this](Translator& tr) { setWindowTitle(Tr(tr, txt::kSimFenster)); });
}

bool SimulatorWindow::Open(const std::filesystem::path& driveD) {
  std::vector<std::string> problems;
  std::unique_ptr<Simulator> loaded = Simulator::Load(driveD, catalogue_, problems);
  if (!loaded) {
    if (problems.empty()) problems.push_back(driveD.string());
    ShowMessages(txt::kSimNichtGelesen, problems);
    return false;
  }
  if (simulator_ && listener_ >= 0) simulator_->RemoveListener(listener_);
  listener_ = -1;
  simulator_ = std::move(loaded);
  folder_ = driveD;
  Start();
  if (!problems.empty()) ShowMessages(txt::kSimLesemeldungen, problems);
  return true;
}

bool SimulatorWindow::Reload() {
  if (folder_.empty()) return false;
  const std::filesystem::path folder = folder_;
  return Open(folder);
}

void SimulatorWindow::SetVariableNames(const t_liste* variables) {
  names_.reset();
  t_liste* last = nullptr;
  for (const t_liste* n = variables; n; n = n->next())
    last = AppendNode(names_, last, CloneRecord(static_cast<const t_variable&>(*n)));
  if (simulator_) simulator_->SetVariableNames(names_.get());
}

void SimulatorWindow::SetPictureNames(const t_liste* pictures) {
  pictureNames_.clear();
  for (const t_liste* n = pictures; n; n = n->next())
    pictureNames_[static_cast<const t_bild*>(n)->pictureNumber] = n->name;
  if (simulator_) FillPictures();
}

void SimulatorWindow::Start() {
  const t_projekt& project = simulator_->Project();
  if (names_) simulator_->SetVariableNames(names_.get());
  face_->SetTerminal(project.terminal.get(), simulator_->Width(), simulator_->Height());
  const int scale = FittingScale(simulator_->Width(), simulator_->Height());
  if (scale_->value() == scale) face_->SetScale(scale);
  scale_->setValue(scale);
  listener_ = simulator_->AddListener([this](SimChange change) { OnChange(change); });
  FillPictures();
  FillVariables();
  FillAlarmBits();
  UpdateAlarms();
  UpdateClock();
  UpdateKeys();
  Redraw();
  adjustSize();
}

void SimulatorWindow::OnChange(SimChange change) {
  switch (change) {
    case SimChange::Picture:
      FillPictures();
      UpdateKeys();
      break;
    case SimChange::Values:
      UpdateValues();
      break;
    case SimChange::Clock:
      UpdateClock();
      break;
    case SimChange::Alarms:
      UpdateAlarms();
      break;
  }
  Redraw();
}

void SimulatorWindow::Redraw() {
  if (!simulator_) return;
  QImageCanvas canvas(simulator_->Width(), simulator_->Height());
  tview view(&canvas);
  view.SetZoom(1);
  simulator_->Draw(view);
  face_->SetImage(canvas.Image());
  emit displayChanged();
}

const QImage& SimulatorWindow::DisplayImage() const {
  return face_->Image().isNull() ? empty_ : face_->Image();
}

void SimulatorWindow::FillPictures() {
  const QSignalBlocker block(pictures_);
  pictures_->clear();
  for (int p = 1; p <= simulator_->PictureCount(); ++p) {
    const t_bild* picture = simulator_->PictureAt(p);
    const auto named = pictureNames_.find(picture->pictureNumber);
    const std::string& name = named != pictureNames_.end() ? named->second : picture->name;
    pictures_->addItem(QString::number(picture->pictureNumber) + "  " + Q(name));
  }
  pictures_->setCurrentIndex(simulator_->CurrentPicture() - 1);
}

void SimulatorWindow::FillVariables() {
  filling_ = true;
  const auto& variables = simulator_->Variables();
  const t_projekt& project = simulator_->Project();
  const bool siemens = project.coupling && project.coupling->addressFormat == 1;
  variables_->setRowCount(static_cast<int>(variables.size()));
  for (int row = 0; row < static_cast<int>(variables.size()); ++row) {
    const SimVariable& v = variables[static_cast<std::size_t>(row)];
    auto cell = [&](int column, const QString& text, bool editable) {
      auto* item = new QTableWidgetItem(text);
      Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
      if (editable) flags |= Qt::ItemIsEditable;
      item->setFlags(flags);
      if (column == kColNumber) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      variables_->setItem(row, column, item);
    };
    cell(kColNumber, QString::number(v.number), false);
    cell(kColName, Q(v.name), false);
    cell(kColAddress, Q(v.addressText), false);
    const int type = v.type < 10 ? v.type : 0;
    cell(kColType,
         Tr(translator_, siemens ? txt::kVarTypeNamesSiemens[type] : txt::kVarTypeNamesIntel[type])
             .trimmed(),
         false);
    cell(kColValue, ValueText(row), true);
  }
  variables_->resizeColumnsToContents();
  // Every column in sight, the value column with room for typing.
  variables_->setMinimumWidth(variables_->horizontalHeader()->length() + 80);
  filling_ = false;
}

QString SimulatorWindow::ValueText(int row) const {
  const SimVariable& v = simulator_->Variables()[static_cast<std::size_t>(row)];
  return v.type == kTypeAscii ? Q(v.text) : QString::number(v.value);
}

void SimulatorWindow::UpdateValues() {
  const int rows = static_cast<int>(simulator_->Variables().size());
  if (rows != variables_->rowCount()) {
    FillVariables();
    return;
  }
  filling_ = true;
  for (int row = 0; row < rows; ++row) {
    const SimVariable& v = simulator_->Variables()[static_cast<std::size_t>(row)];
    variables_->item(row, kColName)->setText(Q(v.name));
    QTableWidgetItem* item = variables_->item(row, kColValue);
    const QString text = ValueText(row);
    if (item->text() != text) item->setText(text);
  }
  filling_ = false;
}

void SimulatorWindow::ValueEdited(QTableWidgetItem* item) {
  if (filling_ || !simulator_ || item->column() != kColValue) return;
  const int row = item->row();
  const auto& variables = simulator_->Variables();
  if (row < 0 || row >= static_cast<int>(variables.size())) return;
  const std::string number = std::to_string(variables[static_cast<std::size_t>(row)].number);
  std::string message;
  if (simulator_->SetValueText(number, S(item->text().trimmed()), &message)) return;
  // Refused: the cell shows the value the variable still holds.
  filling_ = true;
  item->setText(ValueText(row));
  filling_ = false;
  messages_.Show(MsgKind::Fehler, ButtonSet::Weiter,
                 translator_.Tr(txt::kSimWertAbgelehnt) + "\n" + message);
}

void SimulatorWindow::FillAlarmBits() {
  filling_ = true;
  alarmBits_->clear();
  for (const t_liste* n = simulator_->Project().alarms.get(); n; n = n->next()) {
    auto* item = new QListWidgetItem(QString::number(n->number) + "  " + Q(n->name), alarmBits_);
    item->setData(Qt::UserRole, n->number);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  filling_ = false;
}

void SimulatorWindow::UpdateAlarms() {
  filling_ = true;
  for (int i = 0; i < alarmBits_->count(); ++i) {
    QListWidgetItem* item = alarmBits_->item(i);
    const int number = item->data(Qt::UserRole).toInt();
    const bool on = (simulator_->AlarmWord(number / 16) >> (number % 16)) & 1;
    item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
  }
  filling_ = false;
  activeAlarms_->clear();
  for (const SimAlarm& alarm : simulator_->ActiveAlarms()) {
    const QString came = ToQDateTime(alarm.came, 0).toString("HH:mm");
    activeAlarms_->addItem(came + "  " + QString::number(alarm.number) + "  " + Q(alarm.text));
  }
}

void SimulatorWindow::UpdateClock() {
  filling_ = true;
  clock_->setDateTime(ToQDateTime(simulator_->Clock(), simulator_->ClockSeconds()));
  filling_ = false;
}

void SimulatorWindow::UpdateKeys() {
  const t_projekt& project = simulator_->Project();
  const std::string type = project.terminal ? project.terminal->typeNumber : std::string();
  for (int k = 1; k <= kFunctionKeys; ++k)
    functionKeys_[static_cast<std::size_t>(k - 1)]->setVisible(FunctionKeyOffered(type, k));
}

int SimulatorWindow::KeyLevel() const {
  return std::max(0, levels_->checkedId());
}

bool SimulatorWindow::PressFunctionKey(int key) {
  if (key < 1 || key > kFunctionKeys) return false;
  const int level = KeyLevel();
  QString name = Tr(translator_, txt::kFTastenRow[key - 1]);
  if (level > 0) name = Tr(translator_, txt::kFTastenLevel[level]) + "-" + name;
  return PressKey(FunctionKeyNumber(key, level), name);
}

bool SimulatorWindow::PressSoftKey(int key) {
  if (key < 1 || key > kSoftKeys) return false;
  const int level = KeyLevel();
  QString name = Tr(translator_, txt::kSTastenRow[key - 1]);
  if (level > 0) name = Tr(translator_, txt::kSTastenLevel[level]) + "-" + name;
  return PressKey(SoftKeyNumber(key, level), name);
}

bool SimulatorWindow::PressKey(int keyNumber, const QString& name) {
  // A level is chosen for one key press, as a modifier is held for one.
  levels_->button(0)->setChecked(true);
  if (!simulator_) return false;
  if (simulator_->PressKey(keyNumber)) {
    Status(QString());
    return true;
  }
  Status(Q(WithValues(translator_.Tr(txt::kSimTasteOhneFunktion), {S(name)})));
  return false;
}

bool SimulatorWindow::ClickDisplay(const QPoint& pixel) {
  if (!simulator_) return false;
  const std::vector<SimInputField> fields = simulator_->InputFields();
  // The field drawn last lies on top.
  for (auto it = fields.rbegin(); it != fields.rend(); ++it) {
    const TermRect& a = it->area;
    if (pixel.x() < a.left || pixel.x() > a.right || pixel.y() < a.top || pixel.y() > a.bottom)
      continue;
    const QString label = Q(WithValues(translator_.Tr(txt::kSimEingabeWert), {it->limits}));
    const std::optional<QString> typed = prompt_(*it, label);
    if (!typed) return false;
    std::string message;
    if (simulator_->EnterInput(it->index, S(typed->trimmed()), &message)) return true;
    messages_.Show(MsgKind::Fehler, ButtonSet::Weiter,
                   translator_.Tr(txt::kSimWertAbgelehnt) + "\n" + message);
    return false;
  }
  if (const int softKey = face_->SoftKeyAt(pixel)) return PressSoftKey(softKey);
  return false;
}

void SimulatorWindow::ShowMessages(const TextId& heading, const std::vector<std::string>& lines) {
  std::string text = translator_.Tr(heading);
  for (std::size_t i = 0; i < lines.size() && i < kShownMessages; ++i) text += "\n" + lines[i];
  if (lines.size() > kShownMessages)
    text += "\n" + WithValues(translator_.Tr(txt::kWeitereMeldungen),
                              {std::to_string(lines.size() - kShownMessages)});
  messages_.Show(MsgKind::Fehler, ButtonSet::Weiter, text);
}

void SimulatorWindow::Status(const QString& text) {
  status_->setText(text);
}

void SimulatorWindow::Retranslate() {
  texts_->Apply();
  face_->Retranslate();
}

void SimulatorWindow::keyPressEvent(QKeyEvent* event) {
  // The computer's F keys with Shift, Ctrl or Alt are the terminal's.
  const int key = event->key();
  if (key >= Qt::Key_F1 && key <= Qt::Key_F16) {
    const Qt::KeyboardModifiers m = event->modifiers();
    int level = 0;
    if (m & Qt::ShiftModifier)
      level = 1;
    else if (m & Qt::ControlModifier)
      level = 2;
    else if (m & Qt::AltModifier)
      level = 3;
    levels_->button(level)->setChecked(true);
    PressFunctionKey(key - Qt::Key_F1 + 1);
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool SimulatorWindow::eventFilter(QObject* watched, QEvent* event) {
  // The window belongs to the window that opened it and goes with it.
  if (parentWidget() && watched == parentWidget()->window() &&
      (event->type() == QEvent::Hide || event->type() == QEvent::Close))
    close();
  return QWidget::eventFilter(watched, event);
}

}  // namespace tavo

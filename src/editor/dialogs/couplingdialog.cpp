#include "editor/dialogs/couplingdialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/workspace.h"
#include "project/projekt.h"

namespace tavo {
namespace {

constexpr const char* kCouplingFolder = "system\\kopplungen\\";
constexpr const char* kNoCouplingPicture = "none.bmp";
constexpr QSize kPictureBox(220, 160);
constexpr std::uint8_t kFormatSiemens = 1;

// A data block address keeps the data block in the high byte and the data
// word in the low byte; both fields take 0..255.
constexpr std::int32_t kByteMax = 255;

bool IsSiemens(const t_steuerung& coupling) {
  return coupling.addressFormat == kFormatSiemens;
}

}  // namespace

TKopplungDialog::TKopplungDialog(Workspace& workspace, const t_steuerung* current,
                                 MessageBox* messages, QWidget* parent)
    : ToolDialog(workspace.translator(), messages, parent),
      workspace_(workspace),
      list_(new QListWidget(this)),
      preview_(new QLabel(this)),
      info_(new QPlainTextEdit(this)),
      sort_(new QButtonGroup(this)) {
  setObjectName("TKopplungDialog");
  setWindowTitle(Tr(translator(), txt::kKopplungsDialog));

  auto* choice = new QGroupBox(Tr(translator(), txt::kAnkopplung), this);
  choice->setObjectName("Ankopplung");
  auto* choiceLayout = new QVBoxLayout(choice);
  list_->setObjectName("KopplungListe");
  choiceLayout->addWidget(list_);

  auto* previewBox = new QGroupBox(Tr(translator(), txt::kVorschau), this);
  previewBox->setObjectName("Vorschau");
  auto* previewLayout = new QVBoxLayout(previewBox);
  preview_->setObjectName("KopplungBild");
  preview_->setAlignment(Qt::AlignCenter);
  preview_->setMinimumSize(kPictureBox);
  previewLayout->addWidget(preview_);

  auto* infoBox = new QGroupBox(Tr(translator(), txt::kInfo), this);
  infoBox->setObjectName("Info");
  auto* infoLayout = new QVBoxLayout(infoBox);
  info_->setObjectName("KopplungInfo");
  info_->setReadOnly(true);
  FitLines(info_, 6);
  infoLayout->addWidget(info_);

  auto* transfer = new QGroupBox(Tr(translator(), txt::kTransferblock), this);
  transfer->setObjectName("Transferblock");
  auto* grid = new QGridLayout(transfer);
  const TextId* blockNames[] = {&txt::kLesen, &txt::kSchreiben};
  const char* blockObjects[] = {"Lesen", "Schreiben"};
  for (int b = 0; b < 2; ++b) {
    AddressFields& f = fields_[static_cast<std::size_t>(b)];
    grid->addWidget(new QLabel(Tr(translator(), *blockNames[b]), transfer), b, 0);
    auto field = [&](const char* suffix, const TextId& caption, int column, QLabel*& label) {
      label = new QLabel(Tr(translator(), caption), transfer);
      auto* edit = new QLineEdit(transfer);
      edit->setObjectName(QString(blockObjects[b]) + suffix);
      label->setBuddy(edit);
      grid->addWidget(label, b, column);
      grid->addWidget(edit, b, column + 1);
      return edit;
    };
    f.address = field("Adr", txt::kAdresse, 1, f.labels[0]);
    f.dataBlock = field("DB", txt::kDB, 3, f.labels[1]);
    f.dataWord = field("DW", txt::kDW, 5, f.labels[2]);
  }

  auto* sortBox = new QGroupBox(Tr(translator(), txt::kStoerbitsortierung), this);
  sortBox->setObjectName("Stoerbitsortierung");
  auto* sortLayout = new QVBoxLayout(sortBox);
  const TextId* sortNames[] = {&txt::kSortErst, &txt::kSortNeu, &txt::kSortPrioritaet};
  for (int i = 0; i < 3; ++i) {
    auto* button = new QRadioButton(Tr(translator(), *sortNames[i]), sortBox);
    sort_->addButton(button, i);
    sortLayout->addWidget(button);
  }

  auto* left = new QVBoxLayout;
  left->addWidget(choice, 1);
  left->addWidget(sortBox);
  auto* right = new QVBoxLayout;
  right->addWidget(previewBox, 1);
  right->addWidget(infoBox);
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addLayout(right, 1);
  Body()->addLayout(top);
  Body()->addWidget(transfer);

  ForEach<t_steuerung>(workspace_.catalog().couplings, [&](const t_steuerung& c) {
    entries_.push_back(&c);
    list_->addItem(Q(c.name));
  });
  FitWidth(list_);

  // Start at the entry of the project's coupling (the first entry when none
  // has its name), keeping the project's addresses and alarm sorting.
  int row = -1;
  if (current) {
    working_.CopyFrom(*current);
    hasCoupling_ = true;
    for (std::size_t i = 0; i < entries_.size() && row < 0; ++i)
      if (entries_[i]->name == current->name) row = static_cast<int>(i);
  }
  if (row < 0 && !entries_.empty()) row = 0;
  if (row >= 0) {
    const t_steuerung& entry = *entries_[static_cast<std::size_t>(row)];
    const std::int32_t read = working_.readBlockAddress;
    const std::int32_t write = working_.writeBlockAddress;
    const std::int16_t sort = working_.alarmSort;
    working_.CopyFrom(entry);
    working_.readBlockAddress = read;
    working_.writeBlockAddress = write;
    working_.alarmSort = sort;
    hasCoupling_ = true;
    list_->setCurrentRow(row);
  }
  shownRow_ = row;
  ShowCoupling();
  OkButton()->setEnabled(hasCoupling_);
  connect(list_, &QListWidget::currentRowChanged, this, &TKopplungDialog::EntryChanged);
  connect(list_, &QListWidget::itemDoubleClicked, this, &ToolDialog::Confirm);
  list_->setFocus();
  resize(700, sizeHint().height());
}

QRadioButton* TKopplungDialog::SortButton(int index) const {
  return qobject_cast<QRadioButton*>(sort_->button(index));
}

void TKopplungDialog::EntryChanged(int row) {
  if (row == shownRow_ || row < 0 || row >= static_cast<int>(entries_.size())) return;
  // The addresses typed so far go with the coupling to the next entry; an
  // address that cannot be read keeps the dialog at the entry it was.
  if (!TakeAddresses()) {
    const QSignalBlocker blocker(list_);
    list_->setCurrentRow(shownRow_);
    return;
  }
  TakeSort();
  const std::int32_t read = working_.readBlockAddress;
  const std::int32_t write = working_.writeBlockAddress;
  const std::int16_t sort = working_.alarmSort;
  working_.CopyFrom(*entries_[static_cast<std::size_t>(row)]);
  working_.readBlockAddress = read;
  working_.writeBlockAddress = write;
  working_.alarmSort = sort;
  shownRow_ = row;
  ShowCoupling();
}

void TKopplungDialog::ShowCoupling() {
  ShowInstallationPicture(preview_, workspace_.install(), kCouplingFolder,
                          hasCoupling_ ? working_.bitmap : kNoCouplingPicture, kPictureBox,
                          kNoCouplingPicture);
  QStringList lines;
  for (const std::string& line : working_.info) lines << Q(line);
  info_->setPlainText(lines.join('\n'));

  const bool siemens = IsSiemens(working_);
  const std::int32_t addresses[] = {working_.readBlockAddress, working_.writeBlockAddress};
  for (std::size_t b = 0; b < fields_.size(); ++b) {
    AddressFields& f = fields_[b];
    const std::int32_t address = addresses[b];
    f.address->setText(QString::number(address));
    // Shown so that data block * 256 + data word gives the address back
    // whatever it is; a data block beyond one byte is refused on confirming
    // rather than cut.
    f.dataBlock->setText(QString::number(address >> 8));
    f.dataWord->setText(QString::number(address & 0xFF));
    f.address->setVisible(!siemens);
    f.labels[0]->setVisible(!siemens);
    for (QWidget* w : {static_cast<QWidget*>(f.dataBlock), static_cast<QWidget*>(f.dataWord),
                       static_cast<QWidget*>(f.labels[1]), static_cast<QWidget*>(f.labels[2])})
      w->setVisible(siemens);
  }

  // A sorting the three items do not name stays as it is unless the user
  // picks one.
  if (QAbstractButton* button = sort_->button(working_.alarmSort)) {
    button->setChecked(true);
  } else if (QAbstractButton* checked = sort_->checkedButton()) {
    sort_->setExclusive(false);
    checked->setChecked(false);
    sort_->setExclusive(true);
  }
}

std::optional<std::int32_t> TKopplungDialog::ReadAddress(Block block) {
  const AddressFields& f = fields_[block];
  if (!IsSiemens(working_)) return IntegerField(f.address);
  const auto dataBlock = IntegerField(f.dataBlock, 0, kByteMax, txt::kNichtImByteBereich);
  if (!dataBlock) return std::nullopt;
  const auto dataWord = IntegerField(f.dataWord, 0, kByteMax, txt::kNichtImByteBereich);
  if (!dataWord) return std::nullopt;
  return *dataBlock * 256 + *dataWord;
}

bool TKopplungDialog::TakeAddresses() {
  const auto read = ReadAddress(kLesen);
  if (!read) return false;
  const auto write = ReadAddress(kSchreiben);
  if (!write) return false;
  working_.readBlockAddress = *read;
  working_.writeBlockAddress = *write;
  return true;
}

void TKopplungDialog::TakeSort() {
  const int id = sort_->checkedId();
  if (id >= 0) working_.alarmSort = static_cast<std::int16_t>(id);
}

bool TKopplungDialog::Apply() {
  if (!hasCoupling_) return true;
  if (!TakeAddresses()) return false;
  TakeSort();
  return true;
}

std::unique_ptr<t_steuerung> ChooseCoupling(QWidget* parent, Workspace& workspace,
                                            const t_projekt& project, MessageBox* messages) {
  TKopplungDialog dialog(workspace, project.coupling.get(), messages, parent);
  if (dialog.exec() != QDialog::Accepted || !dialog.HasCoupling()) return nullptr;
  return CloneRecord(dialog.WorkingCopy());
}

}  // namespace tavo

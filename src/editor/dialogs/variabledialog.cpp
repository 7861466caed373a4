#include "editor/dialogs/variabledialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "shell/language.h"

namespace tavo {

namespace {
constexpr std::uint8_t kFormatSiemens = 1;
constexpr std::int32_t kByteMax = 255;
constexpr std::int32_t kWordMax = 65535;
}  // namespace

TVariableDialog::TVariableDialog(Translator& translator, const t_variable& variable,
                                 const t_steuerung* coupling, MessageBox* messages, QWidget* parent)
    : ToolDialog(translator, messages, parent),
      working_(CloneRecord(variable)),
      siemens_(coupling && coupling->addressFormat == kFormatSiemens),
      name_(new QLineEdit(this)),
      type_(new QComboBox(this)),
      address_(new QLineEdit(this)),
      dataBlock_(new QLineEdit(this)),
      dataWord_(new QLineEdit(this)),
      length_(new QLineEdit(this)) {
  setObjectName("TVariableDialog");
  setWindowTitle(Tr(translator, txt::kDlgVariable));
  name_->setObjectName("VariableName");
  type_->setObjectName("VariableTyp");
  address_->setObjectName("VariableAdresse");
  dataBlock_->setObjectName("VariableDB");
  dataWord_->setObjectName("VariableDW");
  length_->setObjectName("VariableLaenge");

  auto* grid = new QGridLayout;
  int row = 0;
  auto line = [&](const TextId& caption, QWidget* field) {
    auto* label = new QLabel(Tr(translator, caption), this);
    label->setBuddy(field);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    ++row;
    return label;
  };
  line(txt::kColName, name_);
  line(txt::kColTyp, type_);
  QLabel* addressLabel = line(txt::kAdresse, address_);
  QLabel* dbLabel = line(txt::kDB, dataBlock_);
  QLabel* dwLabel = line(txt::kDW, dataWord_);
  line(txt::kColLaenge, length_);
  Body()->addLayout(grid);
  name_->setMinimumWidth(260);

  for (int t = 0; t < kVarTypeCount; ++t)
    type_->addItem(
        Tr(translator, siemens_ ? txt::kVarTypeNamesSiemens[t] : txt::kVarTypeNamesIntel[t]));
  // A type beyond the table (a damaged file) is shown as no choice and
  // stays unless one is chosen.
  type_->setCurrentIndex(working_->type < kVarTypeCount ? working_->type : -1);

  name_->setText(Q(working_->name));
  address_->setText(QString::number(working_->address));
  dataBlock_->setText(QString::number(working_->address >> 8));
  dataWord_->setText(QString::number(working_->address & 0xFF));
  length_->setText(QString::number(working_->length));
  for (QWidget* w : {static_cast<QWidget*>(address_), static_cast<QWidget*>(addressLabel)})
    w->setVisible(!siemens_);
  for (QWidget* w : {static_cast<QWidget*>(dataBlock_), static_cast<QWidget*>(dataWord_),
                     static_cast<QWidget*>(dbLabel), static_cast<QWidget*>(dwLabel)})
    w->setVisible(siemens_);
  ShowLengthState();
  connect(type_, &QComboBox::activated, this, &TVariableDialog::TypeChosen);
  name_->setFocus();
  name_->selectAll();
}

void TVariableDialog::TypeChosen(int index) {
  if (index < 0 || index >= kVarTypeCount) return;
  working_->type = static_cast<std::uint8_t>(index);
  length_->setText(QString::number(VarTypeTable[index].defaultLength));
  ShowLengthState();
}

void TVariableDialog::ShowLengthState() {
  const int type = type_->currentIndex();
  length_->setReadOnly(!(type >= 0 && VarTypeTable[type].lengthEditable));
}

bool TVariableDialog::Apply() {
  std::int32_t address = 0;
  if (siemens_) {
    const auto dataBlock = IntegerField(dataBlock_, 0, kByteMax, txt::kNichtImByteBereich);
    if (!dataBlock) return false;
    const auto dataWord = IntegerField(dataWord_, 0, kByteMax, txt::kNichtImByteBereich);
    if (!dataWord) return false;
    address = *dataBlock * 256 + *dataWord;
  } else {
    const auto plain = IntegerField(address_);
    if (!plain) return false;
    address = *plain;
  }
  const auto length = IntegerField(length_, 0, kWordMax, txt::kNichtImWortBereich);
  if (!length) return false;
  working_->address = address;
  if (type_->currentIndex() >= 0) working_->type = static_cast<std::uint8_t>(type_->currentIndex());
  working_->name = S(name_->text());
  working_->length = static_cast<std::uint16_t>(*length);
  return true;
}

std::unique_ptr<t_variable> EditVariable(QWidget* parent, Translator& translator,
                                         const t_variable& variable, const t_steuerung* coupling,
                                         MessageBox* messages) {
  TVariableDialog dialog(translator, variable, coupling, messages, parent);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return CloneRecord(dialog.Variable());
}

}  // namespace tavo

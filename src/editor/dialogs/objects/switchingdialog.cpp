#include "editor/dialogs/objects/switchingdialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/dialogs/objects/objectdialog.h"
#include "project/projekt.h"

namespace tavo {

namespace {

constexpr const char* kComparisons[] = {"<", "<=", "=", "=>", ">", "<>"};

QGroupBox* Group(QWidget* parent, const char* name, const QString& caption) {
  auto* box = new QGroupBox(caption, parent);
  box->setObjectName(name);
  return box;
}

QRadioButton* Item(QWidget* parent, QButtonGroup* group, int id, const QString& caption,
                   const QString& name) {
  auto* button = new QRadioButton(caption, parent);
  button->setObjectName(name);
  group->addButton(button, id);
  return button;
}

void Check(QButtonGroup* group, int id) {
  if (QAbstractButton* button = group->button(id)) button->setChecked(true);
}

}  // namespace

TSwitch_dia::TSwitch_dia(Translator& translator, MessageBox* messages, const t_projekt& project,
                         const t_schaltung& rule, QWidget* parent)
    : ToolDialog(translator, messages, parent),
      original_(rule),
      result_(rule),
      form_(SwitchingFormOf(rule)) {
  setObjectName("TSwitch_dia");
  setWindowTitle(Tr(translator, txt::kObjSchalteigenschaften));

  QGroupBox* actionBox = Group(this, "Aktion", Tr(translator, txt::kObjAktion));
  auto* actionLayout = new QHBoxLayout(actionBox);
  aktion_ = new QButtonGroup(this);
  const TextId* actions[] = {&txt::kObjKeine, &txt::kObjBitorientiert, &txt::kObjWertorientiert};
  for (int i = 0; i < 3; ++i)
    actionLayout->addWidget(
        Item(actionBox, aktion_, i, Tr(translator, *actions[i]), QString("Aktion%1").arg(i)));

  variableGroup_ = Group(this, "Variable", Tr(translator, txt::kObjVariable));
  auto* variableLayout = new QVBoxLayout(variableGroup_);
  varibox_ = RecordBox(variableGroup_, "Varibox", project.variables.get(), rule.variable);
  variableLayout->addWidget(varibox_);

  bitGroup_ = Group(this, "Bitorientiert", Tr(translator, txt::kObjBitorientiert));
  auto* bitLayout = new QHBoxLayout(bitGroup_);
  QGroupBox* maskBox = Group(bitGroup_, "Bitmaske", Tr(translator, txt::kObjBitmaske));
  auto* maskGrid = new QGridLayout(maskBox);
  bitmaske_ = new QButtonGroup(this);
  for (int item = 0; item < kBitItems; ++item)
    maskGrid->addWidget(Item(maskBox, bitmaske_, item, QString::number(BitOfBitItem(item)),
                             QString("Bitmaske%1").arg(item)),
                        item / 8, item % 8);  // eight columns
  QGroupBox* bitTest = Group(bitGroup_, "BPruefung", Tr(translator, txt::kObjPruefungAuf));
  auto* bitTestLayout = new QVBoxLayout(bitTest);
  bPruefung_ = new QButtonGroup(this);
  for (int i = 0; i < 2; ++i)
    bitTestLayout->addWidget(
        Item(bitTest, bPruefung_, i, QString::number(i), QString("BPruefung%1").arg(i)));
  bitLayout->addWidget(maskBox, 1);
  bitLayout->addWidget(bitTest);

  valueGroup_ = Group(this, "Wertorientiert", Tr(translator, txt::kObjWertorientiert));
  auto* valueLayout = new QHBoxLayout(valueGroup_);
  QGroupBox* comparison = Group(valueGroup_, "WPruefung", Tr(translator, txt::kObjPruefungAuf));
  auto* comparisonGrid = new QGridLayout(comparison);
  wPruefung_ = new QButtonGroup(this);
  for (int i = 0; i < 6; ++i)
    comparisonGrid->addWidget(Item(comparison, wPruefung_, i, QString::fromLatin1(kComparisons[i]),
                                   QString("WPruefung%1").arg(i)),
                              i / 3, i % 3);
  auto* valueColumn = new QVBoxLayout;
  valueColumn->addWidget(new QLabel(Tr(translator, txt::kObjVergleichswert), valueGroup_));
  edit1_ = new QLineEdit(valueGroup_);
  edit1_->setObjectName("Edit1");
  valueColumn->addWidget(edit1_);
  valueColumn->addStretch();
  valueLayout->addWidget(comparison);
  valueLayout->addLayout(valueColumn);

  Body()->addWidget(actionBox);
  Body()->addWidget(variableGroup_);
  Body()->addWidget(bitGroup_);
  Body()->addWidget(valueGroup_);

  Check(wPruefung_, form_.comparison);
  Check(bPruefung_, form_.bitTest);
  Check(aktion_, form_.action);
  ShowAction();
  connect(aktion_, &QButtonGroup::idClicked, this, [this](int id) {
    form_.ChooseAction(id);
    ShowAction();
  });
  connect(bitmaske_, &QButtonGroup::idClicked, this, [this](int item) { form_.ChooseBit(item); });
}

void TSwitch_dia::ShowAction() {
  const int action = form_.action;
  variableGroup_->setVisible(action != SwitchingForm::kNone);
  bitGroup_->setVisible(action == SwitchingForm::kBitTest);
  valueGroup_->setVisible(action == SwitchingForm::kComparison);
  if (action == SwitchingForm::kBitTest) Check(bitmaske_, form_.bitItem);
  if (action == SwitchingForm::kComparison) edit1_->setText(QString::number(form_.ShownValue()));
  adjustSize();
}

bool TSwitch_dia::Apply() {
  form_.bitTest = bPruefung_->checkedId() < 0 ? 1 : bPruefung_->checkedId();
  form_.comparison = wPruefung_->checkedId() < 0 ? 2 : wPruefung_->checkedId();
  std::int32_t typed = 0;
  if (form_.action == SwitchingForm::kComparison) {
    const std::optional<std::int32_t> value = IntegerField(edit1_);
    if (!value) return false;
    typed = *value;
  }
  const std::optional<int> chosen = ChosenNumber(varibox_);
  const auto variable = chosen ? static_cast<std::int16_t>(*chosen) : original_.variable;
  result_ = SwitchingRuleOf(form_, variable, typed);
  return true;
}

std::optional<t_schaltung> EditSwitchingRule(QWidget* parent, Translator& translator,
                                             MessageBox* messages, const t_projekt& project,
                                             const t_schaltung& rule) {
  TSwitch_dia dialog(translator, messages, project, rule, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Rule();
}

}  // namespace tavo

#include "editor/dialogs/textlistdialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "document/listoperations.h"
#include "shell/language.h"

namespace tavo {

namespace {

constexpr int kTextRole = Qt::UserRole;
constexpr int kKindBit = 0;
constexpr int kKindValue = 1;
constexpr std::int32_t kWordMax = 65535;

// The bit of a single-bit mask; -1 for 0 or several bits.
int SingleBit(std::uint16_t value) {
  for (int bit = 0; bit < 16; ++bit)
    if (value == (1u << bit)) return bit;
  return -1;
}

int LowestBit(std::uint16_t value) {
  for (int bit = 0; bit < 16; ++bit)
    if (value & (1u << bit)) return bit;
  return -1;
}

t_text* TextOf(const QTreeWidgetItem* item) {
  return item ? reinterpret_cast<t_text*>(item->data(0, kTextRole).value<quintptr>()) : nullptr;
}

}  // namespace

QString TextValueCaption(const t_text& text, bool valueList, const QString& bit) {
  const int single = valueList ? -1 : SingleBit(text.value);
  if (single < 0) return QString::number(text.value);
  // "Bit  0" ... "Bit 15": the numbers line up.
  return bit + QString(" %1").arg(single, 2);
}

// --- the editor ----------------------------------------------------------------------

TTextListEditor::TTextListEditor(Translator& translator, const t_textliste& list,
                                 MessageBox* messages, QWidget* parent)
    : ToolDialog(translator, messages, parent),
      working_(CloneRecord(list)),
      name_(new QLineEdit(this)),
      kind_(new QComboBox(this)),
      texts_(new QTreeWidget(this)),
      newText_(new QToolButton(this)),
      editText_(new QToolButton(this)),
      deleteText_(new QToolButton(this)),
      copyText_(new QToolButton(this)) {
  setObjectName("TTextListEditor");
  setWindowTitle(Tr(translator, txt::kDlgTextListe));
  name_->setObjectName("Bezeichnung");
  kind_->setObjectName("Auswertung");
  texts_->setObjectName("TextListeTexte");

  auto* tools = new QToolBar(this);
  tools->setObjectName("TextToolBar");
  const std::pair<QToolButton*, std::pair<const char*, const TextId*>> buttons[] = {
      {newText_, {"NeuerText", &txt::kNeuenTextAnlegen}},
      {editText_, {"TextBearbeiten", &txt::kTextBearbeiten}},
      {deleteText_, {"TextLoeschen", &txt::kTextLoeschen}},
      {copyText_, {"TextKopieren", &txt::kTextKopieren}},
  };
  const QStyle::StandardPixmap images[] = {QStyle::SP_FileIcon, QStyle::SP_FileDialogDetailedView,
                                           QStyle::SP_TrashIcon, QStyle::SP_FileDialogNewFolder};
  int i = 0;
  for (const auto& [button, what] : buttons) {
    button->setObjectName(what.first);
    button->setToolTip(Tr(translator, *what.second));
    button->setIcon(style()->standardIcon(images[i++]));
    tools->addWidget(button);
  }
  connect(newText_, &QToolButton::clicked, this, &TTextListEditor::NewText);
  connect(editText_, &QToolButton::clicked, this, &TTextListEditor::EditText);
  connect(deleteText_, &QToolButton::clicked, this, &TTextListEditor::DeleteTexts);
  connect(copyText_, &QToolButton::clicked, this, &TTextListEditor::CopyTexts);

  auto* grid = new QGridLayout;
  auto* nameLabel = new QLabel(Tr(translator, txt::kBezeichnung), this);
  nameLabel->setBuddy(name_);
  auto* kindLabel = new QLabel(Tr(translator, txt::kAuswertung), this);
  kindLabel->setBuddy(kind_);
  grid->addWidget(nameLabel, 0, 0);
  grid->addWidget(name_, 0, 1);
  grid->addWidget(kindLabel, 1, 0);
  grid->addWidget(kind_, 1, 1);
  Body()->addLayout(grid);
  Body()->addWidget(tools);
  Body()->addWidget(texts_, 1);

  kind_->addItem(Tr(translator, txt::kBitOrientiert));
  kind_->addItem(Tr(translator, txt::kWertOrientiert));
  kind_->setCurrentIndex(working_->valueList ? kKindValue : kKindBit);
  connect(kind_, &QComboBox::activated, this, [this](int index) {
    // Only a list without texts takes another kind; the values of its texts
    // would mean something else.
    if (working_->texts) return;
    working_->valueList = index == kKindValue;
  });
  name_->setText(Q(working_->name));

  texts_->setColumnCount(2);
  texts_->setHeaderLabels({Tr(translator, txt::kArtWert), Tr(translator, txt::kColText)});
  texts_->setRootIsDecorated(false);
  texts_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  texts_->setAllColumnsShowFocus(true);
  texts_->header()->setSectionsClickable(true);
  texts_->setColumnWidth(0, 90);
  connect(texts_->header(), &QHeaderView::sectionClicked, this, [this](int column) {
    sortColumn_ = column;
    texts_->sortItems(column, Qt::AscendingOrder);
  });
  connect(texts_, &QTreeWidget::itemDoubleClicked, this, [this] { EditText(); });
  resize(440, 420);
  ShowTexts();
  name_->setFocus();
}

TTextListEditor::~TTextListEditor() = default;

void TTextListEditor::ShowTexts(const std::vector<const t_text*>& select) {
  const QString bit = Tr(translator(), txt::kArtBit);
  texts_->clear();
  ForEach<t_text>(working_->texts, [&](t_text& t) {
    auto* item =
        new QTreeWidgetItem(texts_, {TextValueCaption(t, working_->valueList, bit), Q(t.name)});
    item->setData(0, kTextRole, QVariant::fromValue(reinterpret_cast<quintptr>(&t)));
    if (std::find(select.begin(), select.end(), &t) != select.end()) {
      item->setSelected(true);
      texts_->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
    }
  });
  if (sortColumn_ >= 0) texts_->sortItems(sortColumn_, Qt::AscendingOrder);
  kind_->setEnabled(!working_->texts);
}

std::vector<t_text*> TTextListEditor::SelectedTexts() const {
  std::vector<t_text*> selected;
  for (int i = 0; i < texts_->topLevelItemCount(); ++i)
    if (texts_->topLevelItem(i)->isSelected()) selected.push_back(TextOf(texts_->topLevelItem(i)));
  return selected;
}

bool TTextListEditor::RunTextDialog(t_text& text) {
  if (working_->valueList) {
    TValueTextDialog dialog(translator(), text, &Messages(), this);
    if (dialog.exec() != QDialog::Accepted) return false;
    text.name = dialog.Text().name;
    text.value = dialog.Text().value;
  } else {
    TBitTextDialog dialog(translator(), text, &Messages(), this);
    if (dialog.exec() != QDialog::Accepted) return false;
    text.name = dialog.Text().name;
    text.value = dialog.Text().value;
  }
  return true;
}

void TTextListEditor::AppendText(std::unique_ptr<t_text> text) {
  AppendNode(working_->texts, std::move(text));
}

void TTextListEditor::NewText() {
  auto text = std::make_unique<t_text>();
  text->name = "neuer Text";
  text->value = FirstFreeTextValue(*working_);
  // The text joins the list only when its dialog is confirmed.
  if (!RunTextDialog(*text)) return;
  const t_text* added = text.get();
  AppendText(std::move(text));
  ShowTexts({added});
}

void TTextListEditor::EditText() {
  t_text* text = TextOf(texts_->currentItem());
  if (!text) return;
  if (RunTextDialog(*text)) ShowTexts({text});
}

void TTextListEditor::DeleteTexts() {
  const std::vector<t_text*> selected = SelectedTexts();
  if (selected.empty()) return;
  for (t_text* text : selected) UnlinkNode(working_->texts, text);
  ShowTexts();
}

void TTextListEditor::CopyTexts() {
  std::vector<const t_text*> copies;
  for (const t_text* text : SelectedTexts()) {
    auto copy = std::make_unique<t_text>();
    copy->name = text->name;
    copy->value = FirstFreeTextValue(*working_);
    copies.push_back(copy.get());
    AppendText(std::move(copy));
  }
  if (!copies.empty()) ShowTexts(copies);
}

bool TTextListEditor::Apply() {
  working_->name = S(name_->text());
  return true;
}

std::unique_ptr<t_textliste> EditTextList(QWidget* parent, Translator& translator,
                                          const t_textliste& list, MessageBox* messages) {
  TTextListEditor editor(translator, list, messages, parent);
  if (editor.exec() != QDialog::Accepted) return nullptr;
  return CloneRecord(editor.List());
}

// --- the text dialogs ----------------------------------------------------------------

TBitTextDialog::TBitTextDialog(Translator& translator, const t_text& text, MessageBox* messages,
                               QWidget* parent)
    : ToolDialog(translator, messages, parent),
      text_(new QLineEdit(this)),
      bits_(new QButtonGroup(this)) {
  setObjectName("TBitTextDialog");
  setWindowTitle(Tr(translator, txt::kColText));
  working_.name = text.name;
  working_.value = text.value;
  text_->setObjectName("Text");
  text_->setText(Q(text.name));
  text_->setMinimumWidth(260);
  auto* box = new QGroupBox(Tr(translator, txt::kBitzuweisung), this);
  box->setObjectName("Bitzuweisung");
  auto* grid = new QGridLayout(box);
  const QString bit = Tr(translator, txt::kArtBit);
  for (int b = 0; b < 16; ++b) {
    auto* button = new QRadioButton(bit + " " + QString::number(b), box);
    button->setObjectName(QString("Bit%1").arg(b));
    bits_->addButton(button, b);
    grid->addWidget(button, b % 8, b / 8);
  }
  if (const int lowest = LowestBit(text.value); lowest >= 0)
    bits_->button(lowest)->setChecked(true);
  Body()->addWidget(text_);
  Body()->addWidget(box);
  text_->setFocus();
  text_->selectAll();
}

QRadioButton* TBitTextDialog::BitButton(int bit) const {
  return qobject_cast<QRadioButton*>(bits_->button(bit));
}

bool TBitTextDialog::Apply() {
  working_.name = S(text_->text());
  // Without a chosen bit the text keeps its value.
  if (const int bit = bits_->checkedId(); bit >= 0)
    working_.value = static_cast<std::uint16_t>(1u << bit);
  return true;
}

TValueTextDialog::TValueTextDialog(Translator& translator, const t_text& text, MessageBox* messages,
                                   QWidget* parent)
    : ToolDialog(translator, messages, parent),
      text_(new QLineEdit(this)),
      value_(new QLineEdit(this)) {
  setObjectName("TValueTextDialog");
  setWindowTitle(Tr(translator, txt::kColText));
  working_.name = text.name;
  working_.value = text.value;
  text_->setObjectName("Text");
  value_->setObjectName("Wert");
  text_->setText(Q(text.name));
  text_->setMinimumWidth(260);
  value_->setText(QString::number(text.value));
  auto* grid = new QGridLayout;
  auto* textLabel = new QLabel(Tr(translator, txt::kColText), this);
  textLabel->setBuddy(text_);
  auto* valueLabel = new QLabel(Tr(translator, txt::kArtWert), this);
  valueLabel->setBuddy(value_);
  grid->addWidget(textLabel, 0, 0);
  grid->addWidget(text_, 0, 1);
  grid->addWidget(valueLabel, 1, 0);
  grid->addWidget(value_, 1, 1);
  Body()->addLayout(grid);
  text_->setFocus();
  text_->selectAll();
}

bool TValueTextDialog::Apply() {
  const auto value = IntegerField(value_, 0, kWordMax, txt::kNichtImWortBereich);
  if (!value) return false;
  working_.name = S(text_->text());
  working_.value = static_cast<std::uint16_t>(*value);
  return true;
}

}  // namespace tavo

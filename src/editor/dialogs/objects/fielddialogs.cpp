#include "editor/dialogs/objects/fielddialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

#include "objects/fields/fields.h"

namespace tavo {

namespace {

constexpr int kByteMax = 255;
// What the terminal's time record keeps of the AM and PM texts, and of a
// separator.
constexpr int kDayTextLength = 3;
constexpr int kSeparatorLength = 1;
// Factor and offset as the dialog has room for them.
constexpr int kRealLength = 13;

// The factor items of "Prüfung auf"; code = index + 1.
constexpr const char* kFactorItems[] = {"*0.001", "*0.01", "*0.1", "*1", "*10", "*100", "*1000"};

QLineEdit* NumberEdit(QWidget* parent, const char* name, int value, int maxLength = 0) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  if (maxLength > 0) edit->setMaxLength(maxLength);
  edit->setText(QString::number(value));
  return edit;
}

QLineEdit* TextEdit(QWidget* parent, const char* name, const std::string& text, int maxLength) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMaxLength(maxLength);
  edit->setText(Q(text));
  return edit;
}

QRadioButton* Radio(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QRadioButton(caption, parent);
  button->setObjectName(name);
  return button;
}

// The chosen entry's file name and cell, when one is chosen.
void TakeFont(t_feldobjekt& field, const FontChoice* chosen) {
  if (!chosen) return;
  field.SetFont(chosen->file);
  field.SetCell(chosen->height, chosen->width);
}

}  // namespace

// --- numeric output, input and barcode fields --------------------------------------

Tdialog_ausgabe_obj::Tdialog_ausgabe_obj(const ObjectDialogContext& context, const t_objekt& buffer,
                                         QWidget* parent)
    : ObjectDialog(context, buffer, parent) {
  const char* names[] = {"Tdialog_eingabe_obj", "Tdialog_ausgabe_obj", "Tdialog_barcode_obj"};
  setObjectName(buffer.Kind() == kKindEingabe   ? names[0]
                : buffer.Kind() == kKindBarcode ? names[2]
                                                : names[1]);
  const auto& field = static_cast<const tausobj&>(buffer);
  Translator& t = translator();

  QGroupBox* artBox = Group("Art", txt::kObjArt);
  auto* artLayout = new QHBoxLayout(artBox);
  art_ = new QButtonGroup(this);
  QRadioButton* text = Radio(artBox, "ArtText", Tr(t, txt::kObjArtText));
  QRadioButton* value = Radio(artBox, "ArtWert", Tr(t, txt::kObjArtWert));
  art_->addButton(text, 0);
  art_->addButton(value, 1);
  artLayout->addWidget(text);
  artLayout->addWidget(value);
  (field.textDisplay() ? text : value)->setChecked(true);

  QGroupBox* variable = Group("Variable", txt::kObjVariable);
  auto* variableLayout = new QVBoxLayout(variable);
  varibox_ = VariableBox(variable, "Varibox", field.variable());
  variableLayout->addWidget(varibox_);

  wertanzeige_ = Group("Wertanzeige", txt::kObjWertanzeige);
  auto* valueLayout = new QFormLayout(wertanzeige_);
  edit1_ = NumberEdit(wertanzeige_, "Edit1", field.digits());
  edit2_ = NumberEdit(wertanzeige_, "Edit2", field.decimals());
  valueLayout->addRow(Tr(t, txt::kObjVorkomma), edit1_);
  valueLayout->addRow(Tr(t, txt::kObjNachkomma), edit2_);

  textanzeige_ = Group("Textanzeige", txt::kObjTextanzeige);
  auto* textLayout = new QFormLayout(textanzeige_);
  edit3_ = NumberEdit(textanzeige_, "Edit3", field.digits());
  edit4_ = NumberEdit(textanzeige_, "Edit4", field.decimals());
  textLayout->addRow(Tr(t, txt::kObjAnzahlZeichen), edit3_);
  textLayout->addRow(Tr(t, txt::kObjAbZeichen), edit4_);

  QGroupBox* factorBox = Group("faktor", txt::kObjPruefungAuf);
  auto* factorLayout = new QGridLayout(factorBox);
  faktor_ = new QButtonGroup(this);
  for (int i = 0; i < 7; ++i) {
    auto* item = Radio(factorBox, "", QString::fromLatin1(kFactorItems[i]));
    item->setObjectName(QString("faktor%1").arg(i));
    faktor_->addButton(item, i);
    factorLayout->addWidget(item, i / 5, i % 5);  // five columns
  }
  if (QAbstractButton* chosen = faktor_->button(field.factorCode() - 1)) chosen->setChecked(true);

  QGroupBox* fontGroup = Group("Zeichensatzwahl", txt::kObjZeichensatzwahl);
  auto* fontLayout = new QVBoxLayout(fontGroup);
  fontbox_ = FontList(fontGroup, "fontbox", field.font());
  fontLayout->addWidget(fontbox_);
  sample_ = AddFontSample(fontGroup, fontLayout);

  auto* left = new QVBoxLayout;
  left->addWidget(artBox);
  left->addWidget(variable);
  left->addWidget(wertanzeige_);
  left->addWidget(textanzeige_);
  left->addStretch();
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addWidget(fontGroup, 1);
  Body()->addLayout(top);
  Body()->addWidget(factorBox);

  connect(art_, &QButtonGroup::idClicked, this, [this] {
    ShowDisplayGroup();
    Changed();
  });
  connect(faktor_, &QButtonGroup::idClicked, this, &ObjectDialog::Changed);
  for (QLineEdit* edit : {edit1_, edit2_, edit3_, edit4_})
    connect(edit, &QLineEdit::textChanged, this, &ObjectDialog::Changed);
  auto showSample = [this, font = field.font()] {
    const FontChoice* chosen = FontAt(fontbox_->currentRow());
    sample_->ShowFont(chosen ? chosen->file : font);
  };
  connect(fontbox_, &QListWidget::currentRowChanged, this, showSample);
  showSample();
  ShowDisplayGroup();
  AddPreview();
}

void Tdialog_ausgabe_obj::ShowDisplayGroup() {
  const bool text = art_->checkedId() == 0;
  textanzeige_->setVisible(text);
  wertanzeige_->setVisible(!text);
}

bool Tdialog_ausgabe_obj::Store(t_objekt& target, bool strict) {
  auto& field = static_cast<tausobj&>(target);
  const bool text = art_->checkedId() == 0;
  if (const std::optional<int> number = ChosenNumber(varibox_))
    field.SetVariable(static_cast<std::int16_t>(*number));
  if (!CheckFontRow(fontbox_, strict)) {
    if (strict) return false;
  } else {
    TakeFont(field, FontAt(fontbox_->currentRow()));
  }
  if (faktor_->checkedId() >= 0)
    field.SetFactorCode(static_cast<std::uint8_t>(faktor_->checkedId() + 1));
  QLineEdit* digitsEdit = text ? edit3_ : edit1_;
  QLineEdit* decimalsEdit = text ? edit4_ : edit2_;
  std::optional<std::int32_t> digits = Integer(digitsEdit, 0, kByteMax, strict);
  if (!digits && strict) return false;
  std::optional<std::int32_t> decimals = Integer(decimalsEdit, 0, kByteMax, strict);
  if (!decimals && strict) return false;
  field.SetDisplay(text, static_cast<std::uint8_t>(digits.value_or(field.digits())),
                   static_cast<std::uint8_t>(decimals.value_or(field.decimals())));
  return true;
}

// --- scaled fields ---------------------------------------------------------------------

Tdialog_Skalausgabe_obj::Tdialog_Skalausgabe_obj(const ObjectDialogContext& context,
                                                 const t_objekt& buffer, QWidget* parent)
    : ObjectDialog(context, buffer, parent) {
  setObjectName(buffer.Kind() == kKindSkalEingabe ? "Tdialog_SkalEingabe_Obj"
                                                  : "Tdialog_Skalausgabe_obj");
  const auto& field = static_cast<const tSkalAus&>(buffer);
  Translator& t = translator();

  QGroupBox* variable = Group("Variable", txt::kObjVariable);
  auto* variableLayout = new QVBoxLayout(variable);
  varibox_ = VariableBox(variable, "Varibox", field.variable());
  variableLayout->addWidget(varibox_);

  QGroupBox* fontGroup = Group("Zeichensatzwahl", txt::kObjZeichensatzwahl);
  auto* fontLayout = new QVBoxLayout(fontGroup);
  fontbox_ = FontBox(fontGroup, "FontBox", field.font());
  fontLayout->addWidget(fontbox_);
  sample_ = AddFontSample(fontGroup, fontLayout);

  QGroupBox* value = Group("Wertanzeige", txt::kObjWertanzeige);
  auto* valueLayout = new QFormLayout(value);
  edit1_ = NumberEdit(value, "Edit1", field.digits(), 3);
  edit2_ = NumberEdit(value, "Edit2", field.decimals(), 3);
  // A value from a file may need more room than typing has; it is shown whole.
  auto realEdit = [&](const char* name, double v) {
    auto* edit = new QLineEdit(value);
    edit->setObjectName(name);
    const QString shown = DecimalText(v);
    edit->setMaxLength(std::max<int>(kRealLength, static_cast<int>(shown.size())));
    edit->setText(shown);
    return edit;
  };
  edit3_ = realEdit("Edit3", field.m());
  edit4_ = realEdit("Edit4", field.b());
  valueLayout->addRow(Tr(t, txt::kObjVorkomma), edit1_);
  valueLayout->addRow(Tr(t, txt::kObjNachkomma), edit2_);
  valueLayout->addRow(Tr(t, txt::kObjFaktor), edit3_);
  valueLayout->addRow(Tr(t, txt::kObjOffset), edit4_);

  auto* left = new QVBoxLayout;
  left->addWidget(variable);
  left->addWidget(value);
  left->addStretch();
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addWidget(fontGroup, 1);
  Body()->addLayout(top);

  for (QLineEdit* edit : {edit1_, edit2_, edit3_, edit4_})
    connect(edit, &QLineEdit::textChanged, this, &ObjectDialog::Changed);
  auto showSample = [this, font = field.font()] {
    const FontChoice* chosen = FontAt(fontbox_->currentIndex());
    sample_->ShowFont(chosen ? chosen->file : font);
  };
  connect(fontbox_, &QComboBox::currentIndexChanged, this, showSample);
  showSample();
  AddPreview();
}

bool Tdialog_Skalausgabe_obj::Store(t_objekt& target, bool strict) {
  auto& field = static_cast<tSkalAus&>(target);
  if (const std::optional<int> number = ChosenNumber(varibox_))
    field.SetVariable(static_cast<std::uint16_t>(*number));
  TakeFont(field, FontAt(fontbox_->currentIndex()));
  const std::optional<std::int32_t> digits = Integer(edit1_, 0, kByteMax, strict);
  if (!digits && strict) return false;
  const std::optional<std::int32_t> decimals = Integer(edit2_, 0, kByteMax, strict);
  if (!decimals && strict) return false;
  const std::optional<double> m = Real(edit3_, strict);
  if (!m && strict) return false;
  const std::optional<double> b = Real(edit4_, strict);
  if (!b && strict) return false;
  field.SetDigits(static_cast<std::uint8_t>(digits.value_or(field.digits())),
                  static_cast<std::uint8_t>(decimals.value_or(field.decimals())));
  field.SetConversion(m.value_or(field.m()), b.value_or(field.b()));
  return true;
}

// --- time --------------------------------------------------------------------------------

Tdialog_zeitausgabe_obj::Tdialog_zeitausgabe_obj(const ObjectDialogContext& context,
                                                 const t_objekt& buffer, QWidget* parent)
    : ObjectDialog(context, buffer, parent) {
  setObjectName("Tdialog_zeitausgabe_obj");
  const auto& field = static_cast<const tZeitObj&>(buffer);
  Translator& t = translator();

  QGroupBox* settings = Group("Einstellungen", txt::kObjEinstellungen);
  auto* grid = new QGridLayout(settings);
  auto* clock = new QButtonGroup(this);
  std12_ = Radio(settings, "std12", Tr(t, txt::kObj12Stunden));
  std24_ = Radio(settings, "std24", Tr(t, txt::kObj24Stunden));
  clock->addButton(std12_);
  clock->addButton(std24_);
  ((field.flags() & tZeitObj::k24Hours) ? std24_ : std12_)->setChecked(true);
  amLabel_ = new QLabel(Tr(t, txt::kObjVormittag), settings);
  amStr_ = TextEdit(settings, "AM_str", field.am(), kDayTextLength);
  pmLabel_ = new QLabel(Tr(t, txt::kObjNachmittag), settings);
  pmStr_ = TextEdit(settings, "pm_str", field.pm(), kDayTextLength);
  tzStr_ = TextEdit(settings, "tz_str", field.separator(), kSeparatorLength);
  QGroupBox* zero = Group("FuehrendeNull", txt::kObjFuehrendeNull, settings);
  auto* zeroLayout = new QHBoxLayout(zero);
  auto* zeroGroup = new QButtonGroup(this);
  ofn_ = Radio(zero, "ofn", Tr(t, txt::kObjOhneNull));
  mfn_ = Radio(zero, "mfn", Tr(t, txt::kObjMitNull));
  zeroGroup->addButton(ofn_);
  zeroGroup->addButton(mfn_);
  zeroLayout->addWidget(ofn_);
  zeroLayout->addWidget(mfn_);
  ((field.flags() & tZeitObj::kLeadingZero) ? mfn_ : ofn_)->setChecked(true);
  grid->addWidget(std12_, 0, 0);
  grid->addWidget(std24_, 0, 1);
  grid->addWidget(amLabel_, 1, 0);
  grid->addWidget(amStr_, 1, 1);
  grid->addWidget(pmLabel_, 2, 0);
  grid->addWidget(pmStr_, 2, 1);
  grid->addWidget(new QLabel(Tr(t, txt::kObjTrennzeichen), settings), 3, 0);
  grid->addWidget(tzStr_, 3, 1);
  grid->addWidget(zero, 4, 0, 1, 2);

  QGroupBox* fontGroup = Group("Zeichensatz", txt::kObjZeichensatz);
  auto* fontLayout = new QVBoxLayout(fontGroup);
  fontbox_ = FontBox(fontGroup, "FontBox", field.font());
  fontLayout->addWidget(fontbox_);
  sample_ = AddFontSample(fontGroup, fontLayout);

  auto* top = new QHBoxLayout;
  top->addWidget(settings);
  top->addWidget(fontGroup, 1);
  Body()->addLayout(top);

  for (QRadioButton* b : {std12_, std24_, ofn_, mfn_})
    connect(b, &QRadioButton::toggled, this, [this] {
      ShowDayTexts();
      Changed();
    });
  for (QLineEdit* edit : {amStr_, pmStr_, tzStr_})
    connect(edit, &QLineEdit::textChanged, this, &ObjectDialog::Changed);
  auto showSample = [this, font = field.font()] {
    const FontChoice* chosen = FontAt(fontbox_->currentIndex());
    sample_->ShowFont(chosen ? chosen->file : font);
  };
  connect(fontbox_, &QComboBox::currentIndexChanged, this, showSample);
  showSample();
  ShowDayTexts();
  AddPreview();
}

void Tdialog_zeitausgabe_obj::ShowDayTexts() {
  const bool twelve = std12_->isChecked();
  for (QWidget* w : {static_cast<QWidget*>(amLabel_), static_cast<QWidget*>(amStr_),
                     static_cast<QWidget*>(pmLabel_), static_cast<QWidget*>(pmStr_)})
    w->setVisible(twelve);
}

bool Tdialog_zeitausgabe_obj::Store(t_objekt& target, bool) {
  auto& field = static_cast<tZeitObj&>(target);
  std::uint8_t flags = 0;
  if (std24_->isChecked()) flags |= tZeitObj::k24Hours;
  if (mfn_->isChecked()) flags |= tZeitObj::kLeadingZero;
  field.SetFormat(flags, LineText(amStr_->text()), LineText(pmStr_->text()),
                  LineText(tzStr_->text()));
  TakeFont(field, FontAt(fontbox_->currentIndex()));
  return true;
}

// --- date ----------------------------------------------------------------------------------

Tdialog_datumausgabe_obj::Tdialog_datumausgabe_obj(const ObjectDialogContext& context,
                                                   const t_objekt& buffer, QWidget* parent)
    : ObjectDialog(context, buffer, parent) {
  setObjectName("Tdialog_datumausgabe_obj");
  const auto& field = static_cast<const tDatumObj&>(buffer);
  Translator& t = translator();

  QGroupBox* format = Group("Format", txt::kObjFormat);
  auto* formatLayout = new QVBoxLayout(format);
  auto* order = new QButtonGroup(this);
  mtj_ = Radio(format, "MTJ", Tr(t, txt::kObjMonatTagJahr));
  tmj_ = Radio(format, "TMJ", Tr(t, txt::kObjTagMonatJahr));
  jmt_ = Radio(format, "JMT", Tr(t, txt::kObjJahrMonatTag));
  for (QRadioButton* b : {mtj_, tmj_, jmt_}) {
    order->addButton(b);
    formatLayout->addWidget(b);
  }
  // Each order bit that is set chooses its button, so the last one wins;
  // without any the date would have no order: day-month-year.
  const std::uint8_t flags = field.flags();
  if (!(flags & (tDatumObj::kMonthDayYear | tDatumObj::kDayMonthYear | tDatumObj::kYearMonthDay)))
    tmj_->setChecked(true);
  if (flags & tDatumObj::kMonthDayYear) mtj_->setChecked(true);
  if (flags & tDatumObj::kDayMonthYear) tmj_->setChecked(true);
  if (flags & tDatumObj::kYearMonthDay) jmt_->setChecked(true);

  auto* separatorRow = new QHBoxLayout;
  tzStr_ = TextEdit(this, "TZ_Str", field.separator(), kSeparatorLength);
  separatorRow->addWidget(new QLabel(Tr(t, txt::kObjTrennzeichen), this));
  separatorRow->addWidget(tzStr_);
  separatorRow->addStretch();
  auto check = [&](const char* name, const TextId& caption, std::uint8_t bit) {
    auto* box = new QCheckBox(Tr(t, caption), this);
    box->setObjectName(name);
    box->setChecked(flags & bit);
    connect(box, &QCheckBox::toggled, this, &ObjectDialog::Changed);
    return box;
  };
  tmn_ = check("TMN", txt::kObjTagMitNull, tDatumObj::kDayZero);
  mmn_ = check("MMN", txt::kObjMonatMitNull, tDatumObj::kMonthZero);
  jha_ = check("JHA", txt::kObjJahrhundert, tDatumObj::kCentury);

  QGroupBox* fontGroup = Group("Zeichensatz", txt::kObjZeichensatz);
  auto* fontLayout = new QVBoxLayout(fontGroup);
  fontbox_ = FontBox(fontGroup, "FontBox", field.font());
  fontLayout->addWidget(fontbox_);
  sample_ = AddFontSample(fontGroup, fontLayout);

  auto* left = new QVBoxLayout;
  left->addWidget(format);
  left->addLayout(separatorRow);
  left->addWidget(tmn_);
  left->addWidget(mmn_);
  left->addWidget(jha_);
  left->addStretch();
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addWidget(fontGroup, 1);
  Body()->addLayout(top);

  for (QRadioButton* b : {mtj_, tmj_, jmt_})
    connect(b, &QRadioButton::toggled, this, &ObjectDialog::Changed);
  connect(tzStr_, &QLineEdit::textChanged, this, &ObjectDialog::Changed);
  auto showSample = [this, font = field.font()] {
    const FontChoice* chosen = FontAt(fontbox_->currentIndex());
    sample_->ShowFont(chosen ? chosen->file : font);
  };
  connect(fontbox_, &QComboBox::currentIndexChanged, this, showSample);
  showSample();
  AddPreview();
}

bool Tdialog_datumausgabe_obj::Store(t_objekt& target, bool) {
  auto& field = static_cast<tDatumObj&>(target);
  std::uint8_t flags = 0;
  if (mtj_->isChecked()) flags |= tDatumObj::kMonthDayYear;
  if (tmj_->isChecked()) flags |= tDatumObj::kDayMonthYear;
  if (jmt_->isChecked()) flags |= tDatumObj::kYearMonthDay;
  if (tmn_->isChecked()) flags |= tDatumObj::kDayZero;
  if (mmn_->isChecked()) flags |= tDatumObj::kMonthZero;
  if (jha_->isChecked()) flags |= tDatumObj::kCentury;
  field.SetFormat(flags, LineText(tzStr_->text()));
  TakeFont(field, FontAt(fontbox_->currentIndex()));
  return true;
}

// --- text list fields ----------------------------------------------------------------------

Tdialog_TextListe_obj::Tdialog_TextListe_obj(const ObjectDialogContext& context,
                                             const t_objekt& buffer, QWidget* parent)
    : ObjectDialog(context, buffer, parent) {
  const bool input = buffer.Kind() == kKindEditListe;
  setObjectName(input ? "Tdialog_editlisteeingabe_obj" : "Tdialog_TextListe_obj");
  const auto& field = static_cast<const tTeLiObj&>(buffer);

  QGroupBox* list = Group("Textliste", txt::kObjTextliste);
  auto* listLayout = new QVBoxLayout(list);
  textbox_ = TextListBox(list, "TextBox", field.textList());
  listLayout->addWidget(textbox_);
  QGroupBox* variable = Group("Variable", txt::kObjVariable);
  auto* variableLayout = new QVBoxLayout(variable);
  varibox_ = VariableBox(variable, "Varibox", field.variable());
  variableLayout->addWidget(varibox_);
  QGroupBox* fontGroup = input ? Group("Zeichensatzwahl", txt::kObjZeichensatzwahl)
                               : Group("Zeichensatz", txt::kObjZeichensatz);
  auto* fontLayout = new QVBoxLayout(fontGroup);
  fontbox_ = FontBox(fontGroup, "FontBox", field.font());
  fontLayout->addWidget(fontbox_);
  sample_ = AddFontSample(fontGroup, fontLayout);

  Body()->addWidget(list);
  Body()->addWidget(variable);
  Body()->addWidget(fontGroup);
  auto showSample = [this, font = field.font()] {
    const FontChoice* chosen = FontAt(fontbox_->currentIndex());
    sample_->ShowFont(chosen ? chosen->file : font);
  };
  connect(fontbox_, &QComboBox::currentIndexChanged, this, showSample);
  showSample();
  AddPreview();
}

bool Tdialog_TextListe_obj::Store(t_objekt& target, bool) {
  auto& field = static_cast<tTeLiObj&>(target);
  if (const std::optional<int> number = ChosenNumber(textbox_))
    field.SetTextList(static_cast<std::uint16_t>(*number));
  if (const std::optional<int> number = ChosenNumber(varibox_))
    field.SetVariable(static_cast<std::int16_t>(*number));
  TakeFont(field, FontAt(fontbox_->currentIndex()));
  return true;
}

}  // namespace tavo

#include "editor/pages/infopage.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/mainwindow_icons.h"
#include "editor/uitext.h"
#include "project/records.h"
#include "shell/folders.h"

namespace tavo {

namespace {

QLabel* ValueLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

QLabel* ImageLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setMinimumSize(160, 120);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

// A missing picture shows nothing; it is not worth a message.
void LoadPicture(QLabel* label, const std::filesystem::path& file) {
  QPixmap pixmap;
  if (!file.empty() && pixmap.load(QString::fromStdString(file.string())))
    label->setPixmap(pixmap.scaled(label->minimumSize().expandedTo(QSize(160, 120)),
                                   Qt::KeepAspectRatio, Qt::SmoothTransformation));
  else
    label->clear();
}

}  // namespace

InfoPage::InfoPage(Retranslator& texts, const Installation& install, QWidget* parent)
    : QWidget(parent),
      install_(install),
      name_(new QLineEdit(this)),
      author_(new QLineEdit(this)),
      info_(new QPlainTextEdit(this)),
      created_(ValueLabel("PrjcreateStr", this)),
      changed_(ValueLabel("PrjChangedStr", this)),
      terminalName_(ValueLabel("PrjTerminalStr", this)),
      resolution_(ValueLabel("PrjTermAuflStr", this)),
      colours_(ValueLabel("PrjTermFarbStr", this)),
      mainMemory_(ValueLabel("PrjTermHMemStr", this)),
      flashMemory_(ValueLabel("PrjTermFMemStr", this)),
      terminalImage_(ImageLabel("Image3", this)),
      couplingName_(ValueLabel("PrjSpsStr", this)),
      couplingImage_(ImageLabel("Image4", this)),
      changeTerminal_(new QToolButton(this)),
      changeCoupling_(new QToolButton(this)) {
  setObjectName("TabInfo");
  name_->setObjectName("PrjNameStr");
  author_->setObjectName("PrjAutorStr");
  info_->setObjectName("PrjInfoStr");
  info_->setTabChangesFocus(true);
  changeTerminal_->setObjectName("TermChangeBut");
  changeTerminal_->setIcon(MakeIcon(IconId::TerminalChange));
  changeCoupling_->setObjectName("BitBtn3");
  changeCoupling_->setIcon(MakeIcon(IconId::CouplingChange));
  for (QToolButton* b : {changeTerminal_, changeCoupling_})
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

  auto* project = new QGroupBox(this);
  auto* projectForm = new QFormLayout(project);
  auto* nameLabel = new QLabel(project);
  auto* authorLabel = new QLabel(project);
  auto* infoLabel = new QLabel(project);
  auto* createdLabel = new QLabel(project);
  auto* changedLabel = new QLabel(project);
  projectForm->addRow(nameLabel, name_);
  projectForm->addRow(authorLabel, author_);
  projectForm->addRow(infoLabel, info_);
  projectForm->addRow(createdLabel, created_);
  projectForm->addRow(changedLabel, changed_);
  info_->setFixedHeight(info_->fontMetrics().lineSpacing() * 4 + 12);

  auto* terminal = new QGroupBox(this);
  auto* terminalLayout = new QHBoxLayout(terminal);
  auto* terminalForm = new QFormLayout;
  auto* terminalLabel = new QLabel(terminal);
  auto* resolutionLabel = new QLabel(terminal);
  auto* coloursLabel = new QLabel(terminal);
  auto* mainLabel = new QLabel(terminal);
  auto* flashLabel = new QLabel(terminal);
  terminalForm->addRow(terminalLabel, terminalName_);
  terminalForm->addRow(resolutionLabel, resolution_);
  terminalForm->addRow(coloursLabel, colours_);
  terminalForm->addRow(mainLabel, mainMemory_);
  terminalForm->addRow(flashLabel, flashMemory_);
  terminalForm->addRow(changeTerminal_);
  terminalLayout->addLayout(terminalForm, 1);
  terminalLayout->addWidget(terminalImage_);

  auto* coupling = new QGroupBox(this);
  auto* couplingLayout = new QHBoxLayout(coupling);
  auto* couplingForm = new QFormLayout;
  auto* couplingLabel = new QLabel(coupling);
  couplingForm->addRow(couplingLabel, couplingName_);
  couplingForm->addRow(changeCoupling_);
  couplingLayout->addLayout(couplingForm, 1);
  couplingLayout->addWidget(couplingImage_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(project);
  layout->addWidget(terminal);
  layout->addWidget(coupling);
  layout->addStretch(1);

  texts.Add([=, this](Translator& tr) {
    project->setTitle(Tr(tr, txt::kLabelProjekt));
    nameLabel->setText(Tr(tr, txt::kLabelProjektname));
    authorLabel->setText(Tr(tr, txt::kLabelAutor));
    infoLabel->setText(Tr(tr, txt::kLabelInfo));
    createdLabel->setText(Tr(tr, txt::kLabelErstellt));
    changedLabel->setText(Tr(tr, txt::kLabelGeaendert));
    terminal->setTitle(Tr(tr, txt::kLabelTerminal));
    terminalLabel->setText(Tr(tr, txt::kLabelTerminal));
    resolutionLabel->setText(Tr(tr, txt::kLabelAufloesung));
    coloursLabel->setText(Tr(tr, txt::kLabelFarbtiefe));
    mainLabel->setText(Tr(tr, txt::kLabelHauptspeicher));
    flashLabel->setText(Tr(tr, txt::kLabelFlashspeicher));
    coupling->setTitle(Tr(tr, txt::kLabelSteuerung));
    couplingLabel->setText(Tr(tr, txt::kLabelSteuerung));
    changeTerminal_->setText(Tr(tr, txt::kHintTerminalAendern));
    changeTerminal_->setToolTip(Tr(tr, txt::kHintTerminalAendern));
    changeCoupling_->setText(Tr(tr, txt::kHintSteuerungAendern));
    changeCoupling_->setToolTip(Tr(tr, txt::kHintSteuerungAendern));
  });

  connect(name_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (filling_ || !head_) return;
    head_->name = S(text);
    emit headEdited();
  });
  connect(author_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (filling_ || !head_) return;
    head_->author = S(text);
    emit headEdited();
  });
  connect(info_, &QPlainTextEdit::textChanged, this, &InfoPage::TakeInfoLines);
  connect(changeTerminal_, &QToolButton::clicked, this, &InfoPage::changeTerminalClicked);
  connect(changeCoupling_, &QToolButton::clicked, this, &InfoPage::changeCouplingClicked);
  Clear();
}

void InfoPage::TakeInfoLines() {
  if (filling_ || !head_) return;
  // The head keeps three info lines; more lines in the memo are not stored.
  const QStringList lines = info_->toPlainText().split('\n');
  std::string* targets[] = {&head_->info1, &head_->info2, &head_->info3};
  for (int i = 0; i < 3; ++i) *targets[i] = i < lines.size() ? S(lines[i]) : std::string();
  emit headEdited();
}

void InfoPage::ShowHead(t_kopf* head) {
  filling_ = true;
  head_ = head;
  name_->setText(head ? Q(head->name) : QString());
  author_->setText(head ? Q(head->author) : QString());
  info_->clear();
  if (head) info_->setPlainText(Q(head->info1) + "\n" + Q(head->info2) + "\n" + Q(head->info3));
  created_->setText(head ? Q(head->created) : QString());
  changed_->setText(head ? Q(head->changed) : QString());
  for (QWidget* w : std::initializer_list<QWidget*>{name_, author_, info_})
    w->setEnabled(head != nullptr);
  filling_ = false;
}

void InfoPage::ShowChangedDate() {
  changed_->setText(head_ ? Q(head_->changed) : QString());
}

void InfoPage::ShowTerminal(const t_terminal* t) {
  terminalName_->setText(t ? Q(t->terminalName) : QString());
  resolution_->setText(t ? QString("%1x%2").arg(t->width).arg(t->height) : QString());
  colours_->setText(t ? QString::number(t->colourDepth) : QString());
  mainMemory_->setText(t ? QString::number(t->workMemory) : QString());
  flashMemory_->setText(t ? QString::number(t->storeMemory) : QString());
  LoadPicture(terminalImage_,
              t ? install_.Resolve("system\\terminals\\" + t->bitmap) : std::filesystem::path());
}

void InfoPage::ShowCoupling(const t_steuerung* c) {
  couplingName_->setText(c ? Q(c->couplingName) : QString("none"));
  LoadPicture(couplingImage_,
              install_.Resolve("system\\kopplungen\\" + (c ? c->bitmap : std::string("none.bmp"))));
}

void InfoPage::Clear() {
  ShowHead(nullptr);
  ShowTerminal(nullptr);
  terminalImage_->clear();
  couplingName_->clear();
  couplingImage_->clear();
}

}  // namespace tavo

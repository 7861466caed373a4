#include "editor/pages/infopage.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScrollArea>
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

// Terminal and coupling pictures: small enough that the page fits a window
// of 800 x 600 without scrolling. The terminal's picture is as tall as its
// panel's values; the coupling's panel has one value only.
QLabel* ImageLabel(const char* name, QSize size, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setMinimumSize(size);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

// A missing picture shows nothing; it is not worth a message.
void LoadPicture(QLabel* label, const std::filesystem::path& file) {
  QPixmap pixmap;
  if (!file.empty() && pixmap.load(QString::fromStdString(file.string())))
    label->setPixmap(
        pixmap.scaled(label->minimumSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
  else
    label->clear();
}

}  // namespace

QString MemoryText(Translator& translator, std::int64_t bytes) {
  constexpr std::int64_t kKB = 1024, kMB = 1024 * 1024;
  if (bytes >= kMB && bytes % kMB == 0)
    return Tr(translator, txt::kEinheitMB).replace("%s", QString::number(bytes / kMB));
  if (bytes >= kKB)
    return Tr(translator, txt::kEinheitKB).replace("%s", QString::number((bytes + kKB / 2) / kKB));
  return Tr(translator, txt::kEinheitBytes).replace("%s", QString::number(bytes));
}

InfoPage::InfoPage(Retranslator& texts, const Installation& install, QWidget* parent)
    : QWidget(parent),
      translator_(texts.translator()),
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
      terminalImage_(ImageLabel("Image3", QSize(128, 96), this)),
      couplingName_(ValueLabel("PrjSpsStr", this)),
      couplingImage_(ImageLabel("Image4", QSize(96, 72), this)),
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
  // The head keeps three info lines.
  info_->setFixedHeight(info_->fontMetrics().lineSpacing() * 3 + 12);

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

  // In a window too small for the page it scrolls; its parts never
  // overlap.
  auto* content = new QWidget;
  content->setObjectName("TabInfoInhalt");
  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(project);
  layout->addWidget(terminal);
  layout->addWidget(coupling);
  layout->addStretch(1);
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName("TabInfoScroll");
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setWidget(content);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(scroll);

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

  connect(name_, &QLineEdit::textChanged, this, [this] {
    if (!filling_ && hasHead_) emit headEdited(0);
  });
  connect(author_, &QLineEdit::textChanged, this, [this] {
    if (!filling_ && hasHead_) emit headEdited(1);
  });
  connect(info_, &QPlainTextEdit::textChanged, this, [this] {
    if (!filling_ && hasHead_) emit headEdited(2);
  });
  connect(name_, &QLineEdit::editingFinished, this, &InfoPage::headEditFinished);
  connect(author_, &QLineEdit::editingFinished, this, &InfoPage::headEditFinished);
  info_->installEventFilter(this);
  connect(changeTerminal_, &QToolButton::clicked, this, &InfoPage::changeTerminalClicked);
  connect(changeCoupling_, &QToolButton::clicked, this, &InfoPage::changeCouplingClicked);
  Clear();
}

bool InfoPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == info_ && event->type() == QEvent::FocusOut) emit headEditFinished();
  return QWidget::eventFilter(watched, event);
}

void InfoPage::TakeInto(t_kopf& head) const {
  head.name = S(name_->text());
  head.author = S(author_->text());
  // The head keeps three info lines; more lines in the memo are not stored.
  const QStringList lines = info_->toPlainText().split('\n');
  std::string* targets[] = {&head.info1, &head.info2, &head.info3};
  for (int i = 0; i < 3; ++i) *targets[i] = i < lines.size() ? S(lines[i]) : std::string();
}

void InfoPage::ShowHead(const t_kopf* head) {
  filling_ = true;
  hasHead_ = head != nullptr;
  auto show = [](QLineEdit* edit, const QString& text) {
    if (edit->text() != text) edit->setText(text);
  };
  show(name_, head ? Q(head->name) : QString());
  show(author_, head ? Q(head->author) : QString());
  const QString info =
      head ? Q(head->info1) + "\n" + Q(head->info2) + "\n" + Q(head->info3) : QString();
  // The memo may hold more lines than the head keeps: compare what is kept.
  t_kopf shown;
  TakeInto(shown);
  if (!head || shown.info1 != head->info1 || shown.info2 != head->info2 ||
      shown.info3 != head->info3)
    info_->setPlainText(info);
  created_->setText(head ? Q(head->created) : QString());
  changed_->setText(head ? Q(head->changed) : QString());
  for (QWidget* w : std::initializer_list<QWidget*>{name_, author_, info_})
    w->setEnabled(head != nullptr);
  filling_ = false;
}

void InfoPage::ShowChangedDate(const std::string& date) {
  if (hasHead_) changed_->setText(Q(date));
}

void InfoPage::ShowTerminal(const t_terminal* t) {
  terminalName_->setText(t ? Q(t->terminalName) : QString());
  resolution_->setText(t ? QString("%1x%2").arg(t->width).arg(t->height) : QString());
  colours_->setText(t ? QString::number(t->colourDepth) : QString());
  mainMemory_->setText(t ? MemoryText(translator_, t->workMemory) : QString());
  flashMemory_->setText(t ? MemoryText(translator_, t->storeMemory) : QString());
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

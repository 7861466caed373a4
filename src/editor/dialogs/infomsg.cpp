#include "editor/dialogs/infomsg.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "editor/dialogs/dialogkit.h"
#include "shell/language.h"
#include "shell/messageboxes.h"

namespace tavo {
namespace {

constexpr ButtonSet kSets[] = {ButtonSet::JaNein, ButtonSet::Weiter,
                               ButtonSet::JaJaAlleNeinNeinAlleAbbruch, ButtonSet::JaNeinAbbruch};

// The row of a set; a value outside the known sets shows "Weiter", as the
// shared button table does.
std::size_t RowOf(ButtonSet buttons) {
  switch (buttons) {
    case ButtonSet::JaNein:
      return 0;
    case ButtonSet::JaJaAlleNeinNeinAlleAbbruch:
      return 2;
    case ButtonSet::JaNeinAbbruch:
      return 3;
    case ButtonSet::Weiter:
      break;
  }
  return 1;
}

QStyle::StandardPixmap IconOf(MsgKind kind) {
  switch (kind) {
    case MsgKind::Warnung:
      return QStyle::SP_MessageBoxWarning;
    case MsgKind::Fehler:
      return QStyle::SP_MessageBoxCritical;
    case MsgKind::Abfrage:
      return QStyle::SP_MessageBoxQuestion;
    case MsgKind::Information:
      break;
  }
  return QStyle::SP_MessageBoxInformation;
}

}  // namespace

TInfo_MSG::TInfo_MSG(Translator& translator, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      translator_(translator),
      icon_(new QLabel(this)),
      message_(new QLabel(this)) {
  setObjectName("TInfo_MSG");
  setModal(true);

  message_->setObjectName("MsgText");
  message_->setTextFormat(Qt::PlainText);  // messages quote user input as it stands
  message_->setWordWrap(true);
  message_->setAlignment(Qt::AlignCenter);
  message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  message_->setMinimumWidth(260);
  message_->setMaximumWidth(480);
  QFont bold = message_->font();
  bold.setBold(true);
  message_->setFont(bold);

  auto* textRow = new QHBoxLayout;
  textRow->addWidget(icon_, 0, Qt::AlignTop);
  textRow->addWidget(message_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(textRow);
  layout->addSpacing(8);

  const char* rowNames[] = {"JaNeinPanel", "WeiterPanel", "AllePanel", "JaNeinAbbruchPanel"};
  for (ButtonSet set : kSets) {
    Row& row = rows_[RowOf(set)];
    row.widget = new QWidget(this);
    row.widget->setObjectName(rowNames[RowOf(set)]);
    auto* buttons = new QHBoxLayout(row.widget);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch();
    for (const MessageButton& b : MessageButtons(translator_, set)) {
      auto* button = new QPushButton(row.widget);
      // Enter and Escape are the box's own keys, not a default button's.
      button->setAutoDefault(false);
      button->setDefault(false);
      const int answer = b.answer;
      connect(button, &QPushButton::clicked, this, [this, answer] { done(answer); });
      buttons->addWidget(button);
      row.buttons.push_back(button);
    }
    buttons->addStretch();
    layout->addWidget(row.widget);
  }
}

void TInfo_MSG::Prepare(MsgKind kind, ButtonSet buttons, const std::string& text) {
  current_ = buttons;
  setWindowTitle(Q(MessageTitle(translator_, kind)));
  for (ButtonSet set : kSets) {
    const std::vector<MessageButton> captions = MessageButtons(translator_, set);
    Row& row = rows_[RowOf(set)];
    for (std::size_t i = 0; i < row.buttons.size() && i < captions.size(); ++i)
      row.buttons[i]->setText(Q(captions[i].caption));
  }
  const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon_->setPixmap(style()->standardIcon(IconOf(kind), nullptr, this).pixmap(side, side));
  message_->setText(Q(text));
  for (std::size_t r = 0; r < rows_.size(); ++r) rows_[r].widget->setVisible(r == RowOf(buttons));
  rows_[RowOf(buttons)].buttons.front()->setFocus();
  // The layout takes the new message in now: until it does, it holds the
  // box at the size of the message before, however short this one is.
  layout()->activate();
  adjustSize();
}

int TInfo_MSG::Show(MsgKind kind, ButtonSet buttons, const std::string& text) {
  if (isVisible()) {
    // A message while this box is open (from a timer, say) gets a box of
    // its own instead of taking over the open one.
    TInfo_MSG nested(translator_, parentWidget());
    return nested.Show(kind, buttons, text);
  }
  Prepare(kind, buttons, text);
  const int answer = exec();
  return OffersAnswer(buttons, answer) ? answer : EscapeAnswer(buttons);
}

std::vector<QPushButton*> TInfo_MSG::RowButtons(ButtonSet buttons) const {
  return rows_[RowOf(buttons)].buttons;
}

void TInfo_MSG::reject() {
  done(EscapeAnswer(current_));
}

void TInfo_MSG::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      event->accept();
      done(EnterAnswer(current_));
      return;
    case Qt::Key_Escape:
      event->accept();
      reject();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void TInfo_MSG::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) CenterOnScreen(this);
}

}  // namespace tavo

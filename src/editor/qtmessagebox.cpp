#include "editor/qtmessagebox.h"

#include <QMessageBox>
#include <QPushButton>

#include "shell/codepage.h"
#include "shell/messageboxes.h"

namespace tavo {

namespace {
QString Q(const std::string& cp1252) {
  return QString::fromStdString(Cp1252ToUtf8(cp1252));
}
}  // namespace

int QtMessageBox::Show(MsgKind kind, ButtonSet buttons, const std::string& text) {
  QMessageBox box(parent_);
  box.setWindowTitle(Q(MessageTitle(translator_, kind)));
  box.setText("<b>" + Q(text).toHtmlEscaped() + "</b>");
  box.setWindowFlags(box.windowFlags() & ~Qt::WindowCloseButtonHint);
  int result = EscapeAnswer(buttons);
  std::vector<std::pair<QPushButton*, int>> map;
  for (const MessageButton& b : MessageButtons(translator_, buttons)) {
    QPushButton* button = box.addButton(Q(b.caption), QMessageBox::ActionRole);
    map.emplace_back(button, b.answer);
    if (b.answer == EnterAnswer(buttons)) box.setDefaultButton(button);
    if (b.answer == EscapeAnswer(buttons)) box.setEscapeButton(button);
  }
  box.exec();
  for (const auto& [button, answer] : map)
    if (box.clickedButton() == button) result = answer;
  return result;
}

}  // namespace tavo

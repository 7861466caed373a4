#pragma once
// The message box window: one modal box for every message and question,
// titled by the kind of message, with one of four rows of buttons.

#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "shell/messagebox.h"

class QLabel;
class QPushButton;

namespace tavo {

class Translator;

class TInfo_MSG : public QDialog, public MessageBox {
  Q_OBJECT
 public:
  explicit TInfo_MSG(Translator& translator, QWidget* parent = nullptr);

  // Shows the box modally; returns the index of the button used (MsgAnswer).
  int Show(MsgKind kind, ButtonSet buttons, const std::string& text) override;

  // Fills title, text and buttons for one message without showing the box;
  // the first step of Show().
  void Prepare(MsgKind kind, ButtonSet buttons, const std::string& text);

  QLabel* MessageLabel() const { return message_; }
  // The buttons of the row that `buttons` shows, from left to right.
  std::vector<QPushButton*> RowButtons(ButtonSet buttons) const;

 public slots:
  // Escape, and closing the window by other means, answer as Escape does.
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  struct Row {
    QWidget* widget = nullptr;
    std::vector<QPushButton*> buttons;
  };

  Translator& translator_;
  QLabel* icon_;
  QLabel* message_;
  std::array<Row, 4> rows_;
  ButtonSet current_ = ButtonSet::Weiter;
};

}  // namespace tavo

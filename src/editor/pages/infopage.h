#pragma once
// The page "ProjektInfo": the head's name, author, three info lines and
// dates, which the user edits in place (each change goes into the head at
// once); the terminal panel and the coupling panel with their pictures and
// the buttons that change them.

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace tavo {

class Installation;
class Retranslator;
class t_kopf;
class t_steuerung;
class t_terminal;

class InfoPage : public QWidget {
  Q_OBJECT
 public:
  InfoPage(Retranslator& texts, const Installation& install, QWidget* parent);

  // The head shown and edited; null empties the fields and locks them.
  void ShowHead(t_kopf* head);
  void ShowChangedDate();
  void ShowTerminal(const t_terminal* terminal);
  // Null: "none" and "system\kopplungen\none.bmp".
  void ShowCoupling(const t_steuerung* coupling);
  void Clear();

 signals:
  // The user changed a head field.
  void headEdited();
  void changeTerminalClicked();
  void changeCouplingClicked();

 private:
  void TakeInfoLines();

  const Installation& install_;
  t_kopf* head_ = nullptr;
  bool filling_ = false;
  QLineEdit* name_;
  QLineEdit* author_;
  QPlainTextEdit* info_;
  QLabel* created_;
  QLabel* changed_;
  QLabel* terminalName_;
  QLabel* resolution_;
  QLabel* colours_;
  QLabel* mainMemory_;
  QLabel* flashMemory_;
  QLabel* terminalImage_;
  QLabel* couplingName_;
  QLabel* couplingImage_;
  QToolButton* changeTerminal_;
  QToolButton* changeCoupling_;
};

}  // namespace tavo

#pragma once
// The page "ProjektInfo": the head's name, author, three info lines and
// dates, which the user edits in place (each change is handed to the window
// as an edit of the head at once); the terminal panel and the coupling
// panel with their pictures and the buttons that change them. The page
// keeps no pointer into the project: it shows what it is given.

#include <QString>
#include <QWidget>
#include <cstdint>
#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace tavo {

class Installation;
class Retranslator;
class Translator;
class t_kopf;
class t_steuerung;
class t_terminal;

// A memory size as people read it: "2 MB", "512 KB", "100 Bytes".
QString MemoryText(Translator& translator, std::int64_t bytes);

class InfoPage : public QWidget {
  Q_OBJECT
 public:
  InfoPage(Retranslator& texts, const Installation& install, QWidget* parent);

  // Shows the head; null empties the fields and locks them. A field that
  // already shows the value is left alone (the cursor stays where it is).
  void ShowHead(const t_kopf* head);
  void ShowChangedDate(const std::string& date);
  // Writes the fields' texts into a head (a copy being edited).
  void TakeInto(t_kopf& head) const;
  void ShowTerminal(const t_terminal* terminal);
  // Null: "none" and "system\kopplungen\none.bmp".
  void ShowCoupling(const t_steuerung* coupling);
  void Clear();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  // The user changed a head field: 0 name, 1 author, 2 info lines.
  void headEdited(int field);
  // The user left a head field.
  void headEditFinished();
  void changeTerminalClicked();
  void changeCouplingClicked();

 private:
  Translator& translator_;
  const Installation& install_;
  bool hasHead_ = false;
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

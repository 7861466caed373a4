#pragma once
// The terminal choice dialog: replaces the project's terminal by a copy of
// an installed terminal definition, soft and special key areas included.

#include <memory>
#include <vector>

#include "editor/dialogs/dialogkit.h"
#include "project/records.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;

namespace tavo {

class Workspace;
class t_projekt;

class TTerminalDialog : public ToolDialog {
  Q_OBJECT
 public:
  // `current` is the project's terminal (null when it has none).
  TTerminalDialog(Workspace& workspace, const t_terminal* current, QWidget* parent = nullptr);

  QListWidget* List() const { return list_; }  // "Terminalauswahl"
  QLabel* Picture() const { return picture_; }
  QPlainTextEdit* InfoMemo() const { return info_; }
  // The terminal the dialog stands at: a copy of the selected entry, or of
  // the project's terminal while none is selected.
  const t_terminal& WorkingCopy() const { return working_; }
  // The selected catalogue entry, or null.
  const t_terminal* Selected() const;

 protected:
  bool Apply() override { return true; }

 private:
  void Select(int row);
  void ShowTerminal(const t_terminal& terminal);

  Workspace& workspace_;
  std::vector<const t_terminal*> entries_;
  t_terminal working_;
  QListWidget* list_;
  QLabel* picture_;
  QPlainTextEdit* info_;
};

// Lets the user choose the project's terminal. On confirmation with an entry
// selected the result is a copy of it (with key areas of its own), which
// the caller puts in place as one step; null when cancelled.
std::unique_ptr<t_terminal> ChooseTerminal(QWidget* parent, Workspace& workspace,
                                           const t_projekt& project);

}  // namespace tavo

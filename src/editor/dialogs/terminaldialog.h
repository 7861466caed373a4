#pragma once
// The terminal choice dialog: replaces the project's terminal by a copy of
// an installed terminal definition, soft and special key areas included.

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
// selected the project's terminal becomes a copy of it, the project is
// marked modified and the result is true; otherwise nothing changes.
bool ChooseTerminal(QWidget* parent, Workspace& workspace, t_projekt& project);

// Copies `entry` into the project's terminal (making one when the project
// has none) and marks the project modified.
void ApplyTerminal(t_projekt& project, const t_terminal& entry);

}  // namespace tavo

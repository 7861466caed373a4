#pragma once
// The program options dialog: chooses the language of the user interface
// from the language tables of the installation's "system\" folder.

#include <string>
#include <vector>

#include "editor/dialogs/dialogkit.h"
#include "shell/languagetable.h"

class QListWidget;

namespace tavo {

class Workspace;

class TProgrammOptionen : public ToolDialog {
  Q_OBJECT
 public:
  TProgrammOptionen(Workspace& workspace, QWidget* parent = nullptr);

  // "Sprachauswahl": one row per language table, named by its first line.
  QListWidget* Languages() const { return languages_; }
  const std::vector<LanguageFile>& Files() const { return files_; }

 protected:
  // The chosen language becomes the settings' code and the language of
  // every later translation.
  bool Apply() override;

 private:
  Workspace& workspace_;
  std::vector<LanguageFile> files_;
  QListWidget* languages_;
};

// Shows the dialog; true when it was confirmed (the caller translates its
// window again).
bool RunProgramOptions(QWidget* parent, Workspace& workspace);

}  // namespace tavo

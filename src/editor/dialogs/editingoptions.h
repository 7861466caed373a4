#pragma once
// The editing options "Positionierungen" (`TBearbeitungsoptionen`): the
// shift of every copy, the directions of a mirror and the angle of a
// rotation, and whether mirror and rotation keep the original.

#include "document/operations.h"
#include "editor/dialogs/dialogkit.h"

class QCheckBox;
class QLineEdit;

namespace tavo {

class TBearbeitungsoptionen : public ToolDialog {
  Q_OBJECT
 public:
  TBearbeitungsoptionen(Translator& translator, MessageBox* messages, QWidget* parent = nullptr);

  void Load(const EditingOptions& options);
  // The options as confirmed; valid after the dialog was accepted.
  const EditingOptions& Options() const { return options_; }

 protected:
  // The number fields take any integer; a text that is none keeps the
  // dialog open.
  bool Apply() override;

 private:
  EditingOptions options_;
  QLineEdit* moveX_;
  QLineEdit* moveY_;
  QCheckBox* spiegelX_;
  QCheckBox* spiegelY_;
  QCheckBox* spiegelOrginal_;
  QLineEdit* winkel_;
  QCheckBox* winkelOrginal_;
};

// Shows the dialog with `options`; true (and `options` changed) when it
// was confirmed.
bool EditEditingOptions(QWidget* parent, Translator& translator, MessageBox* messages,
                        EditingOptions& options);

}  // namespace tavo

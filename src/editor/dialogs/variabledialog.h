#pragma once
// The dialog "Variable": name, type (the names of the coupling's address
// format), address (one field, or data block and data word with a SIEMENS
// coupling) and length, which only the type "ASCII" lets the user change.
// It works on a copy of the variable.

#include <memory>

#include "editor/dialogs/dialogkit.h"
#include "project/records.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace tavo {

class TVariableDialog : public ToolDialog {
  Q_OBJECT
 public:
  // `coupling` decides the address form and the type names (null: plain).
  TVariableDialog(Translator& translator, const t_variable& variable, const t_steuerung* coupling,
                  MessageBox* messages, QWidget* parent = nullptr);

  QLineEdit* NameField() const { return name_; }
  QComboBox* TypeList() const { return type_; }
  // Only the fields of the coupling's address form are visible.
  QLineEdit* AddressField() const { return address_; }
  QLineEdit* DataBlockField() const { return dataBlock_; }
  QLineEdit* DataWordField() const { return dataWord_; }
  QLineEdit* LengthField() const { return length_; }
  // The copy the dialog works on; complete after confirming.
  const t_variable& Variable() const { return *working_; }

 protected:
  bool Apply() override;

 private:
  void TypeChosen(int index);
  void ShowLengthState();

  std::unique_ptr<t_variable> working_;
  bool siemens_;
  QLineEdit* name_;
  QComboBox* type_;
  QLineEdit* address_;
  QLineEdit* dataBlock_;
  QLineEdit* dataWord_;
  QLineEdit* length_;
};

// Shows the dialog; the edited copy on confirmation, null when cancelled.
std::unique_ptr<t_variable> EditVariable(QWidget* parent, Translator& translator,
                                         const t_variable& variable, const t_steuerung* coupling,
                                         MessageBox* messages);

}  // namespace tavo

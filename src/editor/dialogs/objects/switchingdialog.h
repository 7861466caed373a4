#pragma once
// The switching behaviour dialog `TSwitch_dia` ("Schalteigenschaften"): no
// rule ("keine"), a bit test of a variable ("Bitorientiert": the bit and
// whether it is tested for 0 or 1) or a comparison of the variable with a
// value ("Wertorientiert"). It works on a copy of the rule; the rule it
// stands for is its result once confirmed. The controls follow
// SwitchingForm (document/propertyedits.h).

#include <QButtonGroup>

#include "document/propertyedits.h"
#include "editor/dialogs/dialogkit.h"

class QComboBox;
class QGroupBox;
class QLineEdit;

namespace tavo {

class t_projekt;

class TSwitch_dia : public ToolDialog {
  Q_OBJECT
 public:
  TSwitch_dia(Translator& translator, MessageBox* messages, const t_projekt& project,
              const t_schaltung& rule, QWidget* parent = nullptr);

  // Valid once the dialog was confirmed.
  const t_schaltung& Rule() const { return result_; }

 protected:
  // A comparison value that is no whole number of 32 bits is refused.
  bool Apply() override;

 private:
  void ShowAction();

  t_schaltung original_;
  t_schaltung result_;
  SwitchingForm form_;
  QButtonGroup* aktion_;      // "keine", "Bitorientiert", "Wertorientiert"
  QGroupBox* variableGroup_;  // "Variable"
  QComboBox* varibox_;
  QGroupBox* bitGroup_;      // "Bitorientiert"
  QButtonGroup* bitmaske_;   // items "0", "8", "1", "9", ...
  QButtonGroup* bPruefung_;  // "0", "1"
  QGroupBox* valueGroup_;    // "Wertorientiert"
  QButtonGroup* wPruefung_;  // "<", "<=", "=", "=>", ">", "<>"
  QLineEdit* edit1_;         // "Vergleichswert"
};

// Shows the dialog for a rule; the rule confirmed, nothing when cancelled.
std::optional<t_schaltung> EditSwitchingRule(QWidget* parent, Translator& translator,
                                             MessageBox* messages, const t_projekt& project,
                                             const t_schaltung& rule);

}  // namespace tavo

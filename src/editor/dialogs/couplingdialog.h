#pragma once
// The coupling choice dialog: replaces the project's PLC coupling by a copy
// of an installed coupling definition, keeping the project's transfer block
// addresses and alarm bit sorting, which it edits as well.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "editor/dialogs/dialogkit.h"
#include "project/records.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;

namespace tavo {

class MessageBox;
class Workspace;
class t_projekt;

class TKopplungDialog : public ToolDialog {
  Q_OBJECT
 public:
  // `current` is the project's coupling (null when it has none).
  TKopplungDialog(Workspace& workspace, const t_steuerung* current, MessageBox* messages,
                  QWidget* parent = nullptr);

  enum Block { kLesen = 0, kSchreiben = 1 };
  QListWidget* List() const { return list_; }   // "Ankopplung"
  QLabel* Preview() const { return preview_; }  // "Vorschau"
  QPlainTextEdit* InfoMemo() const { return info_; }
  // The address fields of a transfer block: "Adresse" for plain addresses,
  // "DB" and "DW" for data block addresses. Only one form is visible.
  QLineEdit* AddressField(Block block) const { return fields_[block].address; }
  QLineEdit* DataBlockField(Block block) const { return fields_[block].dataBlock; }
  QLineEdit* DataWordField(Block block) const { return fields_[block].dataWord; }
  QRadioButton* SortButton(int index) const;  // "Erst", "Neu", "Priroität"
  // The coupling the dialog stands at; its block addresses and alarm sort
  // are brought up to date by every change of entry and by confirming.
  const t_steuerung& WorkingCopy() const { return working_; }
  // Whether confirming has something to give the project: an entry is
  // selected, or the project had a coupling to begin with.
  bool HasCoupling() const { return hasCoupling_; }

 protected:
  bool Apply() override;

 private:
  struct AddressFields {
    QLineEdit* address = nullptr;
    QLineEdit* dataBlock = nullptr;
    QLineEdit* dataWord = nullptr;
    std::array<QLabel*, 3> labels{};  // "Adresse", "DB", "DW"
  };

  void EntryChanged(int row);
  void ShowCoupling();
  // Reads both block addresses from the visible fields into the working copy;
  // false (after saying why) when a field holds no valid address.
  bool TakeAddresses();
  void TakeSort();
  std::optional<std::int32_t> ReadAddress(Block block);

  Workspace& workspace_;
  std::vector<const t_steuerung*> entries_;
  t_steuerung working_;
  bool hasCoupling_ = false;
  int shownRow_ = -1;
  QListWidget* list_;
  QLabel* preview_;
  QPlainTextEdit* info_;
  std::array<AddressFields, 2> fields_;
  QButtonGroup* sort_;
};

// Lets the user choose the project's coupling and its transfer block and
// alarm sorting. On confirmation the result is the working copy, which the
// caller puts in place as one step; null when cancelled. Field errors go
// to `messages` (a box of the dialog's own when null).
std::unique_ptr<t_steuerung> ChooseCoupling(QWidget* parent, Workspace& workspace,
                                            const t_projekt& project,
                                            MessageBox* messages = nullptr);

}  // namespace tavo

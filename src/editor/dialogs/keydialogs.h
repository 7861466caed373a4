#pragma once
// The key assignments of the picture open in the editor: `TDialog_FTasten`
// for the function keys F1 ... F16 and `TDialog_Stasten` for the soft keys
// S1 ... S12, each on the levels Normal, Shift, Ctrl and Alt. Every list
// holds "nichts" and then the project's pictures in list order, so that an
// entry's position is the key value it stands for. Rows the terminal does
// not offer (by its type number) are shown disabled and keep their values.

#include <QComboBox>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "editor/dialogs/dialogkit.h"

namespace tavo {

class Document;
class t_bild;
class t_projekt;

class KeyAssignmentDialog : public ToolDialog {
  Q_OBJECT
 public:
  // The list of a row (1 ...) and level (0 Normal, 1 Shift, 2 Ctrl, 3 Alt).
  QComboBox* List(int row, int level) const;
  int Rows() const { return rows_; }
  // Key number and value of every list that has an entry chosen. A list
  // without one (its key named a picture that is gone) keeps its key's value.
  const std::vector<std::pair<int, std::uint16_t>>& Values() const { return values_; }

 protected:
  struct Layout {
    const char* name;
    int rows;
    int (*keyNumber)(int row, int level);
    bool (*offered)(const std::string& typeNumber, int row);
    const TextId& caption;
    const TextId& nichts;
    const TextId& ok;
    const TextId& cancel;
    const TextId* rowCaption;  // `rows` entries
    const TextId* rowHint;
    const TextId* levelCaption;  // four entries
    const TextId* levelHint;
  };
  KeyAssignmentDialog(Translator& translator, const t_projekt& project, const t_bild& picture,
                      const Layout& layout, QWidget* parent);
  bool Apply() override;

 private:
  struct Entry {
    int key;
    QComboBox* list;
  };
  int rows_;
  std::vector<Entry> entries_;  // row by row, levels in order
  std::vector<std::pair<int, std::uint16_t>> values_;
};

class TDialog_FTasten : public KeyAssignmentDialog {
  Q_OBJECT
 public:
  TDialog_FTasten(Translator& translator, const t_projekt& project, const t_bild& picture,
                  QWidget* parent = nullptr);
};

class TDialog_Stasten : public KeyAssignmentDialog {
  Q_OBJECT
 public:
  TDialog_Stasten(Translator& translator, const t_projekt& project, const t_bild& picture,
                  QWidget* parent = nullptr);
};

// Shows the function key (or soft key) dialog for the picture and, when it
// is confirmed, puts the values in place as one step. False when cancelled
// or when the step could not be done (`messages` then says why).
bool EditPictureKeys(QWidget* parent, Translator& translator, MessageBox& messages,
                     Document& document, t_bild& picture, bool softKeys);

}  // namespace tavo

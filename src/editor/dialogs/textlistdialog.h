#pragma once
// The text list editor "TextListe" and its two text dialogs. The editor
// works on a copy of the list (name, kind and texts): new texts get the
// first free value, texts are edited in the dialog of the list's kind
// (a bit of "Bitzuweisung", or a value), deleted without asking, copied
// with the first free value. The kind can change only while the list has
// no texts.

#include <QDialog>
#include <memory>

#include "editor/dialogs/dialogkit.h"
#include "project/records.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QToolButton;
class QTreeWidget;

namespace tavo {

// What the "Wert" column shows: "Bit  0" ... "Bit 15" for the masks of a
// bit list (`bit` is the translated word), the number otherwise.
QString TextValueCaption(const t_text& text, bool valueList, const QString& bit);

class TTextListEditor : public ToolDialog {
  Q_OBJECT
 public:
  TTextListEditor(Translator& translator, const t_textliste& list, MessageBox* messages,
                  QWidget* parent = nullptr);
  ~TTextListEditor() override;

  QLineEdit* NameField() const { return name_; }       // "Bezeichnung"
  QComboBox* KindChoice() const { return kind_; }      // "Auswertung"
  QTreeWidget* TextTable() const { return texts_; }    // "Wert", "Text"
  QToolButton* NewButton() const { return newText_; }  // "neuen Text anlegen"
  QToolButton* EditButton() const { return editText_; }
  QToolButton* DeleteButton() const { return deleteText_; }
  QToolButton* CopyButton() const { return copyText_; }
  // The copy the dialog works on; complete after confirming.
  const t_textliste& List() const { return *working_; }

  // The tool buttons' commands.
  void NewText();
  void EditText();
  void DeleteTexts();
  void CopyTexts();

 protected:
  bool Apply() override;

 private:
  void ShowTexts(const std::vector<const t_text*>& select = {});
  std::vector<t_text*> SelectedTexts() const;
  bool RunTextDialog(t_text& text);
  void AppendText(std::unique_ptr<t_text> text);

  std::unique_ptr<t_textliste> working_;
  QLineEdit* name_;
  QComboBox* kind_;
  QTreeWidget* texts_;
  QToolButton* newText_;
  QToolButton* editText_;
  QToolButton* deleteText_;
  QToolButton* copyText_;
  int sortColumn_ = -1;  // -1: list order
};

// A text of a bit list: its text and the radio group "Bitzuweisung".
class TBitTextDialog : public ToolDialog {
  Q_OBJECT
 public:
  TBitTextDialog(Translator& translator, const t_text& text, MessageBox* messages,
                 QWidget* parent = nullptr);
  QLineEdit* TextField() const { return text_; }
  QRadioButton* BitButton(int bit) const;
  const t_text& Text() const { return working_; }

 protected:
  bool Apply() override;

 private:
  t_text working_;
  QLineEdit* text_;
  QButtonGroup* bits_;
};

// A text of a value list: its text and its value.
class TValueTextDialog : public ToolDialog {
  Q_OBJECT
 public:
  TValueTextDialog(Translator& translator, const t_text& text, MessageBox* messages,
                   QWidget* parent = nullptr);
  QLineEdit* TextField() const { return text_; }
  QLineEdit* ValueField() const { return value_; }
  const t_text& Text() const { return working_; }

 protected:
  bool Apply() override;

 private:
  t_text working_;
  QLineEdit* text_;
  QLineEdit* value_;
};

// Shows the editor; the edited copy on confirmation, null when cancelled.
std::unique_ptr<t_textliste> EditTextList(QWidget* parent, Translator& translator,
                                          const t_textliste& list, MessageBox* messages);

}  // namespace tavo

#pragma once
// The symbol library's dialogs: "Symbol sichern" asks the name a symbol is
// saved under (refusing an empty or taken name and staying open), and the
// "Symbol-Laden Dialog" lists the library's symbols with a preview, can
// delete one, and gives the file chosen.

#include <QDialog>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "editor/dialogs/dialogkit.h"
#include "exchange/symbols.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace tavo {

class ObjectFactory;
class Workspace;

// The name checked against the folder: the trimmed name, or nothing after
// the warning "Sie haben keinen Symbolname angegeben !" or "Symbolname ist
// bereits vergeben !".
class SymbolSaveDialog : public ToolDialog {
  Q_OBJECT
 public:
  SymbolSaveDialog(Translator& translator, MessageBox* messages, std::filesystem::path folder,
                   const std::string& proposed, QWidget* parent = nullptr);
  QLineEdit* NameField() const { return name_; }
  const std::string& Name() const { return chosen_; }

 protected:
  bool Apply() override;

 private:
  std::filesystem::path folder_;
  QLineEdit* name_;
  std::string chosen_;
};

class SymbolLoadDialog : public ToolDialog {
  Q_OBJECT
 public:
  SymbolLoadDialog(Workspace& workspace, MessageBox* messages, std::filesystem::path folder,
                   QWidget* parent = nullptr);
  QListWidget* List() const { return list_; }
  QLabel* Preview() const { return preview_; }
  const std::vector<SymbolEntry>& Entries() const { return entries_; }
  // The file of the symbol chosen; valid after the dialog was accepted.
  const std::filesystem::path& Chosen() const { return chosen_; }
  // Asks "Symbol wirklich löschen ?" and deletes the selected symbol's file.
  void DeleteSelected();

 protected:
  bool Apply() override;

 private:
  void ShowPreview(int row);

  Workspace& workspace_;
  std::filesystem::path folder_;
  std::vector<SymbolEntry> entries_;
  QListWidget* list_;
  QLabel* preview_;
  std::filesystem::path chosen_;
};

// The dialogs as the editor's symbol button runs them; nothing when cancelled.
std::optional<std::string> AskSymbolName(QWidget* parent, Translator& translator,
                                         MessageBox* messages, const std::filesystem::path& folder,
                                         const std::string& proposed);
std::optional<std::filesystem::path> ChooseSymbol(QWidget* parent, Workspace& workspace,
                                                  MessageBox* messages,
                                                  const std::filesystem::path& folder);

}  // namespace tavo

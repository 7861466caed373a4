#pragma once
// The picture editor's action bar `tb_arbeitsmittel`: the editing
// operations on the selected objects of the open picture (group, ungroup,
// drawing order, mirror, copy, rotate, delete), the pickers of the five
// drawing attributes, the editing options, the picture's base data and key
// assignments, and alignment, spacing and size. Each button asks what it
// must ask and calls one operation of the document library, which is one
// undoable step. The same actions serve the sheet's context menu and the
// keyboard shortcuts.
//
// Contract with the picture page: SetDocument() whenever the page's document
// changes; the bar follows the open picture and the selection itself. The
// pickers change the current drawing attributes when nothing is selected
// (SetAttributeStore() points them at the attributes new objects get).
// toolReset() asks the page to return to the selection tool.

#include <QToolBar>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "document/document.h"
#include "document/operations.h"

class QMenu;

namespace tavo {

class MessageBox;
class Retranslator;
class Workspace;

class EditToolBar : public QToolBar {
  Q_OBJECT
 public:
  explicit EditToolBar(Workspace& workspace, QWidget* parent = nullptr);
  ~EditToolBar() override;

  void SetDocument(Document* document);
  // Where errors and warnings go; null: a box of the bar's own.
  void SetMessageSource(std::function<MessageBox*()> source) { messageSource_ = std::move(source); }
  // The current drawing attributes; without a store the bar keeps its own.
  using AttributeStore = std::function<std::uint8_t&(ObjectAttribute)>;
  void SetAttributeStore(AttributeStore store) { store_ = std::move(store); }
  std::uint8_t& Current(ObjectAttribute attribute);

  // Appends the editing options, grouping, drawing order and alignment to
  // the sheet's context menu.
  void AddToContextMenu(QMenu* menu);
  // The shortcuts act while the focus is inside `scope` (the picture page).
  void AddShortcutsTo(QWidget* scope);
  void Retranslate();

  // The images of the buttons, drawn in code.
  enum class Icon;

  // The action of a button, by its name ("ToolButmakegruppe", ...).
  QAction* Action(const char* name) const;

  // What the buttons ask; tests answer for the user.
  struct Prompts {
    // "Selektierte Objekte wirklich löschen ?"; true for "Ja".
    std::function<bool()> confirmDelete;
    // The picker of the attribute, opened on `start` at the screen point;
    // the value chosen, nothing when it was closed without a choice.
    std::function<std::optional<int>(ObjectAttribute, int start, QPoint topLeft)> pickAttribute;
    // The editing options dialog; true when confirmed.
    std::function<bool(EditingOptions&)> editOptions;
    // The key dialogs and the base data dialog for the open picture.
    std::function<void(Document&, t_bild&, bool softKeys)> editKeys;
    std::function<void(Document&, t_bild&)> editBaseData;
    // "Symbol sichern" with the name proposed, for the library `folder`:
    // the name confirmed (trimmed, free), nothing when cancelled.
    std::function<std::optional<std::string>(const std::string& proposed,
                                             const std::filesystem::path& folder)>
        symbolName;
    // The "Symbol-Laden Dialog": the file chosen, nothing when cancelled.
    std::function<std::optional<std::filesystem::path>(const std::filesystem::path& folder)>
        chooseSymbol;
  };
  Prompts& prompts() { return prompts_; }

  // --- the operations, as the buttons run them ------------------------------
  void Group();
  void Ungroup();
  void Order(DrawingOrder order);
  void Copy();
  void Mirror();
  void Rotate();
  // Asks first; nothing is asked when nothing is selected.
  void Delete();
  void PickAttribute(ObjectAttribute attribute);
  void EditOptions();
  void Align(Alignment alignment);
  void Distribute(Distribution distribution);
  void MatchSize(SizeMatch match);
  void FunctionKeys();
  void SoftKeys();
  void BaseData();
  // With objects selected: saves them as a symbol of the library; without:
  // inserts a symbol of the library into the open picture.
  void Symbol();

 signals:
  void toolReset();

 private:
  QAction* AddAction(const char* name, const TextId& hint, Icon icon, std::function<void()> run);
  void UpdateStates();
  void Report(const EditResult& result);
  MessageBox& Messages();
  t_bild* Picture() const;
  EditingOptions Options() const;
  QPoint BelowButton(QAction* action) const;

  Workspace& workspace_;
  std::unique_ptr<Retranslator> texts_;
  Document* document_ = nullptr;
  DocumentSubscription subscription_;
  std::function<MessageBox*()> messageSource_;
  std::unique_ptr<MessageBox> ownMessages_;
  AttributeStore store_;
  CurrentAttributes own_;
  Prompts prompts_;
  std::vector<QAction*> shortcutActions_;
  std::vector<QAction*> menuActions_;
};

}  // namespace tavo

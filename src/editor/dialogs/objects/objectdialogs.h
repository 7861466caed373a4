#pragma once
// The object property dialogs and the switching behaviour dialog as the
// picture editor page reaches them:
// - arming the creation tool of a kind with a dialog (text, the fields, the
//   graphs, the bitmap) shows the dialog on the kind's edit buffer, already
//   at its start values; OK arms the tool with the buffer as confirmed;
// - "Objekteigenschaften" in the sheet's context menu (each selected
//   top-level object in list order, one dialog after the other), a double
//   click on an object on the sheet, the object tree's property button
//   `ToolButton5` and a double click on a node open the dialog of that
//   object: the object is loaded into its kind's buffer, the dialog works on
//   a copy, and OK replaces the object by the confirmed copy as one step of
//   the document (the buffer keeps what was confirmed); Cancel changes
//   nothing;
// - "Schaltverhalten" in the context menu and the tree's `ToolButton19`
//   open `TSwitch_dia` for an object; OK sets the rule (a group passes it
//   to its members) as one step.
// Objects of kinds without a dialog (groups and shapes) are left alone.

#include <QObject>
#include <functional>
#include <memory>

#include "editor/dialogs/objects/objectdialog.h"

class QDialog;

namespace tavo {

class Document;
class PicturePage;
class t_bild;

class ObjectPropertyDialogs : public QObject {
  Q_OBJECT
 public:
  // Plugs the dialogs into the page's tools and object tree; a child of
  // the page.
  explicit ObjectPropertyDialogs(PicturePage& page);

  // True when the object was changed.
  bool EditObjectProperties(Document& document, t_bild& picture, t_objekt& object);
  bool EditSwitching(Document& document, t_bild& picture, t_objekt& object);
  // The dialog of the buffer's kind on the buffer; on OK the buffer is what
  // was confirmed and true is returned.
  bool ArmDialog(t_objekt& buffer);

  // Called with every dialog before it is shown (tests drive them).
  std::function<void(QDialog&)> dialogMade;

 private:
  ObjectDialogContext Context(const t_projekt& project, const t_bild* picture);

  PicturePage& page_;
};

// The dialog of the buffer's kind; null for a kind without one.
std::unique_ptr<ObjectDialog> MakeObjectDialog(const ObjectDialogContext& context,
                                               const t_objekt& buffer, QWidget* parent);

// What the program's picture editor page gets: the dialogs plugged in.
ObjectPropertyDialogs* InstallObjectDialogs(PicturePage& page);

}  // namespace tavo

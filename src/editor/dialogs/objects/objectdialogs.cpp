#include "editor/dialogs/objects/objectdialogs.h"

#include "app/workspace.h"
#include "document/objectedit.h"
#include "document/propertyedits.h"
#include "editor/dialogs/objects/bitmapdialog.h"
#include "editor/dialogs/objects/fielddialogs.h"
#include "editor/dialogs/objects/graphdialogs.h"
#include "editor/dialogs/objects/switchingdialog.h"
#include "editor/dialogs/objects/textdialog.h"
#include "editor/sheet/objecttree.h"
#include "editor/sheet/picturepage.h"
#include "editor/sheet/tools/sheettoolbox.h"
#include "project/projekt.h"
#include "shell/messagebox.h"

namespace tavo {

std::unique_ptr<ObjectDialog> MakeObjectDialog(const ObjectDialogContext& context,
                                               const t_objekt& buffer, QWidget* parent) {
  switch (buffer.Kind()) {
    case kKindText:
      return std::make_unique<Tdialog_textedit>(context, buffer, parent);
    case kKindEingabe:
    case kKindAusgabe:
    case kKindBarcode:
      return std::make_unique<Tdialog_ausgabe_obj>(context, buffer, parent);
    case kKindBargraf:
      return std::make_unique<Tdialog_bargraf_obj>(context, buffer, parent);
    case kKindPlotgraf:
      return std::make_unique<Tdialog_plotgraf_obj>(context, buffer, parent);
    case kKindSkalEingabe:
    case kKindSkalAusgabe:
      return std::make_unique<Tdialog_Skalausgabe_obj>(context, buffer, parent);
    case kKindZeit:
      return std::make_unique<Tdialog_zeitausgabe_obj>(context, buffer, parent);
    case kKindDatum:
      return std::make_unique<Tdialog_datumausgabe_obj>(context, buffer, parent);
    case kKindTextListe:
    case kKindEditListe:
      return std::make_unique<Tdialog_TextListe_obj>(context, buffer, parent);
    case kKindBitmap:
      return std::make_unique<TDialog_Bitmap_Obj>(context, buffer, parent);
    default:
      return nullptr;
  }
}

ObjectPropertyDialogs::ObjectPropertyDialogs(PicturePage& page) : QObject(&page), page_(page) {
  SheetToolHooks& hooks = page.Toolbox().Hooks();
  hooks.armDialog = [this](int, t_objekt& buffer) { return ArmDialog(buffer); };
  // The objects the menu hands over stay valid while the steps replace
  // other objects than them; each is looked for in the picture again.
  auto each = [this](bool switching) {
    return [this, switching](const std::vector<t_objekt*>& objects) {
      for (t_objekt* object : objects) {
        Document* document = page_.CurrentDocument();
        t_bild* picture = page_.OpenPicture();
        if (!document || !picture || !PlaceOf(*picture, *object).top) continue;
        if (switching)
          EditSwitching(*document, *picture, *object);
        else
          EditObjectProperties(*document, *picture, *object);
      }
    };
  };
  hooks.objectProperties = each(false);
  hooks.switching = each(true);
  ObjectTreePanel* tree = page.ObjectTree();
  tree->editProperties = [this](Document& document, t_bild& picture, t_objekt& object) {
    EditObjectProperties(document, picture, object);
  };
  tree->editSwitching = [this](Document& document, t_bild& picture, t_objekt& object) {
    EditSwitching(document, picture, object);
  };
}

ObjectDialogContext ObjectPropertyDialogs::Context(const t_projekt& project,
                                                   const t_bild* picture) {
  return ObjectDialogContext{page_.workspace(), page_.Fonts(), project, picture, &page_.Messages()};
}

bool ObjectPropertyDialogs::ArmDialog(t_objekt& buffer) {
  const t_projekt* project = page_.Project();
  if (!project) return false;
  const ObjectDialogContext context = Context(*project, page_.OpenPicture());
  std::unique_ptr<ObjectDialog> dialog = MakeObjectDialog(context, buffer, page_.window());
  if (!dialog) return true;
  if (dialogMade) dialogMade(*dialog);
  if (dialog->exec() != QDialog::Accepted) return false;
  page_.Toolbox().Buffers().Store(dialog->TakeResult());
  return true;
}

bool ObjectPropertyDialogs::EditObjectProperties(Document& document, t_bild& picture,
                                                 t_objekt& object) {
  EditBuffers& buffers = page_.Toolbox().Buffers();
  if (!EditBuffers::HasBuffer(object.Kind()) || !buffers.Load(object)) return false;
  const ObjectDialogContext context = Context(document.Project(), &picture);
  std::unique_ptr<ObjectDialog> dialog =
      MakeObjectDialog(context, *buffers.Buffer(object.Kind()), page_.window());
  if (!dialog) return false;
  if (dialogMade) dialogMade(*dialog);
  if (dialog->exec() != QDialog::Accepted) return false;
  ObjectPtr edited = dialog->TakeResult();
  dialog.reset();
  if (!edited) return false;
  // The buffer keeps what was confirmed, for the next object of the kind.
  if (ObjectPtr kept = edited->Clone()) buffers.Store(std::move(kept));
  bool changed = false;
  const EditResult result = ReplaceObject(document, picture, object, std::move(edited),
                                          txt::kMenuObjekteigenschaften, &changed);
  if (!result) {
    page_.Messages().Show(MsgKind::Fehler, ButtonSet::Weiter,
                          page_.workspace().translator().Tr(result.error));
    return false;
  }
  return changed;
}

bool ObjectPropertyDialogs::EditSwitching(Document& document, t_bild& picture, t_objekt& object) {
  TSwitch_dia dialog(page_.workspace().translator(), &page_.Messages(), document.Project(),
                     object.GetSwitching(), page_.window());
  if (dialogMade) dialogMade(dialog);
  if (dialog.exec() != QDialog::Accepted) return false;
  bool changed = false;
  const EditResult result = SetObjectSwitching(document, picture, object, dialog.Rule(), &changed);
  if (!result) {
    page_.Messages().Show(MsgKind::Fehler, ButtonSet::Weiter,
                          page_.workspace().translator().Tr(result.error));
    return false;
  }
  return changed;
}

ObjectPropertyDialogs* InstallObjectDialogs(PicturePage& page) {
  return new ObjectPropertyDialogs(page);
}

}  // namespace tavo

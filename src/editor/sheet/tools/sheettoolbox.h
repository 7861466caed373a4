#pragma once
// The palette `tb_objekte` and the tools behind it. The toolbox is the
// tool the picture editor page hands its sheet events to: it keeps what
// every tool shares (the cursor of the armed tool and of a handle under the
// mouse, the right-button and middle-button state, the rubber band, Escape)
// and passes the rest to the armed tool: the selection tool, or the
// creation gesture of the armed kind (two points, polygon, place) as the
// tool table says.
//
// Every change of the picture goes through the document as one step; a
// step that fails leaves the picture as it was and is reported in the
// page's message box.

#include <QPointer>
#include <array>
#include <functional>
#include <vector>

#include "document/document.h"
#include "document/editbuffers.h"
#include "editor/sheet/tools/creationtools.h"
#include "editor/sheet/tools/editorstate.h"
#include "editor/sheet/tools/rubberband.h"
#include "editor/sheet/tools/selectiontool.h"
#include "editor/sheet/tools/tooltable.h"

class QAction;
class QButtonGroup;
class QToolBar;
class QToolButton;

namespace tavo {

class PicturePage;
class Workspace;
class t_bild;

// What the property dialogs plug in; empty members do nothing visible.
struct SheetToolHooks {
  // Shown when a creation tool of a kind with a dialog is armed, with the
  // kind's edit buffer already at its start values; false leaves the armed
  // tool as it was. Empty: accepted without showing anything.
  std::function<bool(int tool, t_objekt& buffer)> armDialog;
  // The context menu's "Objekteigenschaften" and "Schaltverhalten", with
  // the selected top-level objects in list order, and a double click with
  // the selection tool on an object that has a property dialog (with that
  // object). The objects are valid until a step changes them.
  std::function<void(const std::vector<t_objekt*>& objects)> objectProperties;
  std::function<void(const std::vector<t_objekt*>& objects)> switching;
};

class SheetToolbox final : public SheetTool {
 public:
  SheetToolbox(PicturePage& page, Workspace& workspace);
  ~SheetToolbox() override;

  // The palette `tb_objekte` (a child of the page).
  QToolBar* Palette() const { return palette_; }
  SheetToolHooks& Hooks() { return hooks_; }
  EditBuffers& Buffers() { return buffers_; }
  // What the palette's button of tool `tool` (0..17) does.
  void Arm(int tool);
  void Retranslate();

  // --- the page's events --------------------------------------------------------
  void Activate() override;
  void Deactivate() override;
  void Cancel() override;
  void ObjectsChanged() override;
  void MouseDown(const SheetMouse& event) override;
  void MouseMove(const SheetMouse& event) override;
  void MouseUp(const SheetMouse& event) override;
  void Click(const SheetMouse& event) override;
  // The properties of the front-most object under the mouse, when it is of
  // a kind with a dialog.
  void DoubleClick(const SheetMouse& event) override;
  bool Key(QKeyEvent* event) override;
  void HideRubberBand() override;
  void ShowRubberBand() override;
  void SheetReplaced() override { outline_.Forget(); }

  // --- for the tools ------------------------------------------------------------
  PicturePage& Page() { return page_; }
  EditorState& State();
  Workspace& workspace() { return workspace_; }
  // Both null unless a picture is open.
  Document* Doc() const;
  t_bild* Picture() const;
  // The row of the armed creation tool (of the selection tool otherwise).
  const ToolInfo& Armed() const { return *armed_; }
  TermPixel Term(sheet::WinPoint p) const;
  sheet::WinPoint Win(TermPixel p) const;
  // The selected top-level objects of the open picture in list order.
  std::vector<t_objekt*> SelectedTopLevel() const;
  void DeselectAll();
  // Appends the new object to the open picture as one step and goes back
  // to the selection tool.
  void Create(ObjectPtr object);
  // Tells the user why a step was not done.
  void Report(const EditResult& result);
  // Selection tool, arrow cursor, nothing under way.
  void BackToSelection();

 private:
  GestureTool* Current();
  void SetCursor(int number);
  void CheckButtonOf(int tool);
  // Drops the creation under way (clicks, the polygon being built).
  void AbortCreation();
  void UpdateMenu();
  void EditSelected(bool switching);
  void RefreshBand();

  PicturePage& page_;
  Workspace& workspace_;
  EditBuffers buffers_;
  SheetToolHooks hooks_;
  RubberBandOutline outline_;
  SelectionTool select_;
  TwoPointTool twoPoints_;
  PolygonTool polygon_;
  PlaceTool place_;
  const ToolInfo* armed_;
  Gesture gesture_ = Gesture::Select;
  int cursor_ = 0;  // the sheet's cursor as last set here
  QToolBar* palette_;
  QButtonGroup* group_;
  std::array<QToolButton*, kLastTool + 1> buttons_{};
  QAction* properties_;
  QAction* switching_;
  QAction* separator_;
};

}  // namespace tavo

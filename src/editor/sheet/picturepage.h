#pragma once
// The picture editor page (the main window's tab "BildEditor"): the sheet
// `blatt` with its scroll bars and rulers in the panel `Panel8`, the page's
// tool buttons, the labels for zoom, picture name and mouse position, and
// the side panel `Panel4` that takes the object tree.
//
// Contract with the main window:
// - SetDocument() when a project is opened, created or closed (nullptr): no
//   picture is open afterwards. The page never owns the document; it
//   subscribes to it and follows every change (the open picture, objects,
//   selection, the terminal) without keeping pointers into the model
//   beyond what the document says is open.
// - OpenPictureInEditor() makes the picture the document's open picture
//   (which deselects the objects of the one open so far); the page then
//   takes the new picture's zoom and offsets into the view and the scroll
//   bars, announces it (pictureOpened, for the object tree) and repaints.
// - ShowDisplaySettings() is the "Grid" menu entry; ApplySettings() belongs
//   to every activation of the window; Retranslate() after a change of
//   language.
// - aboutToPaint() comes at the start of every paint of the sheet (the
//   picture list refreshes its statistics then), also when nothing else
//   is painted.
// Zoom and offsets live in the open picture (t_bild::zoom, originX,
// originY): every zoom step, scroll and centring writes them back there.
// They are view state, not project content, so they do not mark the project
// modified.
//
// For the selection and creation tools: SetTool() installs the receiver of
// the sheet's mouse and key events (the page's own toolbox with the palette
// `tb_objekte`, unless a test installs another); View() is the drawing view
// on the sheet (terminal coordinates); State() the interaction state shared
// with the tools, CurPos() its snapped mouse position; the cross-hair
// brackets and the inverting drawing state are public; after drawing
// outside a handler call PresentSheet().
// DeleteSelectedObjects() and SelectAllObjects() are the main window's
// Delete key and "Alles markieren". Edits that fail are reported in the
// message box set with SetMessageBox().

#include <QWidget>
#include <memory>
#include <optional>

#include "document/document.h"
#include "editor/sheet/cursors.h"
#include "editor/sheet/sheet.h"
#include "editor/sheet/sheetgeometry.h"
#include "editor/sheet/tools/editorstate.h"
#include "objects/fields/fields.h"
#include "objects/tview.h"
#include "resources/fonts.h"

class QKeyEvent;
class QLabel;
class QRect;
class QMenu;
class QAction;
class QScrollBar;
class QSplitter;
class QToolButton;

namespace tavo {

class EditToolBar;
class MessageBox;
class ObjectTreePanel;
class Ruler;
class SheetTool;
class SheetToolbox;
class MessageBox;
class Workspace;
class t_bild;
class t_projekt;
struct PictureSettings;

// Tool numbers the page itself knows; creation tools use 1..17.
inline constexpr int kToolSelect = 0;
inline constexpr int kToolZoomHalve = 100;
inline constexpr int kToolZoomDouble = 101;
// After a right-button press: the next left-button release only returns
// to tool 0.
inline constexpr int kToolAfterContextMenu = 200;

inline constexpr const char* kSoftKeyFont = "S006X008.FON";

class PicturePage : public QWidget {
  Q_OBJECT
 public:
  explicit PicturePage(Workspace& workspace, QWidget* parent = nullptr);
  ~PicturePage() override;

  void SetDocument(Document* document);
  void OpenPictureInEditor(t_bild* picture);
  t_bild* OpenPicture() const { return picture_; }
  t_projekt* Project() const { return project_; }
  Document* CurrentDocument() const { return document_; }
  void ShowDisplaySettings();
  void ApplySettings();
  void Retranslate();

  // --- for the tools ------------------------------------------------------
  tview& View() { return view_; }
  Workspace& workspace() { return workspace_; }
  // The terminal fonts as the sheet draws them.
  FontCache& Fonts() { return fonts_; }
  Sheet* SheetWidget() const { return blatt_; }
  const SheetCursors& Cursors() const { return cursors_; }
  // The receiver of mouse and key events while no zoom mode is armed; not
  // owned, nullptr for none. It is deactivated while a zoom mode is armed.
  // After a right-button press (tool 200) it gets every event but the next
  // left press, release and click, which only return to tool 0.
  void SetTool(SheetTool* tool);
  // 0 selection, 1..17 creation tools (the installed tool tells them
  // apart), 100 / 101 zoom modes, 200 after a right press. Any number but
  // 100 and 101 releases the zoom buttons.
  int Tool() const { return state_.tool; }
  void SetToolNumber(int number);
  sheet::WinPoint CurPos() const { return state_.curPos; }
  EditorState& State() { return state_; }
  // The palette and the tools behind it.
  SheetToolbox& Toolbox() { return *toolbox_; }
  // The snap of the display settings applied to a window point.
  sheet::WinPoint SnapPoint(int x, int y) const;
  bool PaintLocked() const { return paintLock_; }
  void HideCrossHair();
  void ShowCrossHair();
  void BeginXorDrawing();
  void EndXorDrawing();
  // Inverts the grid dots (drawing twice removes them); distances below 2
  // are 4.
  void DrawGrid(int gx, int gy, bool show);
  // Shows what was drawn on the sheet since the last paint.
  void PresentSheet();
  // The sheet's context menu; its last entry opens the display dialog.
  QMenu* ContextMenu() const { return popupMenu1_; }
  // The side panel that takes the object tree.
  QWidget* ObjectPanel() const { return panel4_; }
  // The object tree and its buttons, in the side panel.
  ObjectTreePanel* ObjectTree() const { return objectTree_; }
  QSize SheetSize() const;

  // --- objects on the clipboard (the edit menu's entries) -----------------
  // The selected objects (groups whole) as object lines under a type of
  // the program's own, and as plain text; Cut removes them as one step.
  void CopyObjects();
  void CutObjects();
  // Objects from the clipboard, 10 terminal pixels further than the paste
  // before, selected, as one step; a text of object lines pastes as well.
  void PasteObjects();

  // Repaints the part of the sheet that shows the terminal area (objects'
  // extents; the handles around them are included).
  void RepaintArea(const TermRect& area);

  // --- editing ----------------------------------------------------------------
  // The Delete key: the action bar's delete, with its question.
  void DeleteSelectedObjects();
  // Every top-level object of the open picture becomes selected.
  void SelectAllObjects();
  // Where an edit that cannot be done is reported; not owned. Without one
  // the page shows a message window of its own.
  void SetMessageBox(MessageBox* box) { messages_ = box; }
  MessageBox& Messages();

  // --- the action bar tb_arbeitsmittel ------------------------------------
  EditToolBar* ActionBar() const { return arbeitsmittel_; }
  // The open picture as an image of the terminal's size on the clipboard,
  // drawn as the sheet draws it (colour palette, no marks, grid or soft key
  // frames).
  void CopyPictureToClipboard();

 public slots:
  void blattPaint();
  void ToolButZoomOutClick();
  void ToolButZoomInClick();
  void ToolButton12Click();
  void ToolButgridClick();
  void ToolButCol_BWClick();
  void ToolButRulerClick();
  void ButBildToolPanelClick();
  void ScrollBar1Change(int position);
  void ScrollBar2Change(int position);
  void Panel8Resize();
  void Darstellungsoptinen1Click();

 signals:
  void aboutToPaint();
  void pictureOpened(tavo::t_bild* picture);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  void SheetMouseDown(const tavo::SheetMouse& event);
  void SheetMouseMove(const tavo::SheetMouse& event);
  void SheetMouseUp(const tavo::SheetMouse& event);
  void SheetClick(const tavo::SheetMouse& event);
  void SheetDoubleClick(const tavo::SheetMouse& event);
  void SheetMouseLeft();
  void SheetSurfaceChanged();

 private:
  void DocumentChanged(const Change& change);
  // Presses and releases of keys on the sheet.
  void SheetKey(QKeyEvent* event);
  void AdoptOpenPicture();
  PictureSettings& Settings();
  bool ZoomArmed() const;
  void ZoomStep();
  void DisplayDialog(bool fromContextMenu);
  void SetScrollPositions(int offsetX, int offsetY);
  // The whole sheet, or only the window rectangle `clip`.
  void PaintPicture(const QRect* clip = nullptr);
  void DrawSoftKeys();
  void DrawCross();
  void DeselectAll();
  void UpdateToolPanel();
  FieldContext Fields() const;

  Workspace& workspace_;
  FontCache fonts_;
  tview view_;
  SheetCursors cursors_;
  Document* document_ = nullptr;
  DocumentSubscription subscription_;
  int pastes_ = 0;  // since the last copy: each paste lands a step further
  // What the document has open; kept in step by its notification.
  t_projekt* project_ = nullptr;
  t_bild* picture_ = nullptr;
  SheetTool* tool_ = nullptr;
  EditorState state_;
  std::unique_ptr<SheetToolbox> toolbox_;
  MessageBox* messages_ = nullptr;
  std::unique_ptr<MessageBox> ownMessages_;
  bool swallowClick_ = false;
  bool paintLock_ = false;
  sheet::CrossHairNesting crossHair_;
  std::optional<sheet::WinPoint> crossAt_;  // where the cross is drawn now
  bool mouseInside_ = false;

  QWidget* panel8_;
  Sheet* blatt_;
  QScrollBar* scrollBar1_;
  QScrollBar* scrollBar2_;
  QWidget* scrollCorner_;
  Ruler* hRuler_;
  Ruler* vRuler_;
  QSplitter* splitter_;
  QWidget* panel4_;
  ObjectTreePanel* objectTree_;
  EditToolBar* arbeitsmittel_;
  QToolButton* zoomOut_;
  QToolButton* zoomIn_;
  QToolButton* centre_;
  QToolButton* grid_;
  QToolButton* colourGrey_;
  QToolButton* ruler_;
  QToolButton* toolPanel_;
  QLabel* label11_;
  QLabel* label12_;
  QLabel* label21_;
  QMenu* popupMenu1_;
  QAction* displayOptions_;
};

}  // namespace tavo

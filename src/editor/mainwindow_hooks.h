#pragma once
// Where the main window meets the pieces it does not build itself: the
// message box, the options, terminal and coupling dialogs, the picture
// editor page, the download, the DOS import, printing and the file dialogs.
// Each is one entry of EditorHooks; an empty entry leaves its commands
// present but disabled. DefaultEditorHooks() (mainwindow_hooks.cpp) is the
// one spot that wires the program's real pieces; tests pass their own.

#include <QPointer>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class QPrinter;

namespace tavo {

class MessageBox;
class Translator;
class Workspace;
class t_bild;
class Document;
class t_projekt;
class t_steuerung;
class t_terminal;
class tview;

// What the window asks of the picture editor page. MakePageLink() adapts
// any page widget that has (some of) these operations.
class PictureEditorLink {
 public:
  virtual ~PictureEditorLink() = default;
  virtual QWidget* Widget() const = 0;
  // Null when the project is closed; the page must drop every reference
  // into the previous project and its subscription to the document.
  virtual void SetDocument(Document* document) = 0;
  virtual void OpenPictureInEditor(t_bild* picture) = 0;
  virtual const t_bild* OpenPicture() const = 0;
  // Takes over the editor settings (grid, grey scale, rulers, tool panel)
  // when the window becomes active.
  virtual void ApplySettings() = 0;
  virtual void Retranslate() = 0;
  // The sheet's size in window pixels, so that pictures read from a file get
  // origins centred on it; empty when unknown.
  virtual QSize SheetSize() const { return {}; }
  // Where the page reports an edit it could not do (the window's box).
  virtual void SetMessageBox(MessageBox*) {}
  // Optional operations; the window disables what a page lacks.
  virtual bool HasDisplaySettings() const { return false; }
  virtual void ShowDisplaySettings() {}
  virtual bool HasDeleteSelection() const { return false; }
  virtual void DeleteSelectedObjects() {}
  virtual bool HasCopyToClipboard() const { return false; }
  virtual void CopyPictureToClipboard() {}
  // The edit menu's commands on the objects of the open picture.
  virtual bool HasObjectClipboard() const { return false; }
  virtual void CutObjects() {}
  virtual void CopyObjects() {}
  virtual void PasteObjects() {}
  virtual bool HasSelectAll() const { return false; }
  virtual void SelectAllObjects() {}
};

// Forwards to the page's own members; operations the page lacks stay off.
// The page is owned by its Qt parent; the link only refers to it.
template <class Page>
class PageLink final : public PictureEditorLink {
 public:
  explicit PageLink(Page* page) : page_(page) {}
  QWidget* Widget() const override { return page_; }
  void SetDocument(Document* document) override {
    if (page_) page_->SetDocument(document);
  }
  void OpenPictureInEditor(t_bild* picture) override {
    if (page_) page_->OpenPictureInEditor(picture);
  }
  const t_bild* OpenPicture() const override { return page_ ? page_->OpenPicture() : nullptr; }
  void ApplySettings() override {
    if (page_) page_->ApplySettings();
  }
  void Retranslate() override {
    if (page_) page_->Retranslate();
  }
  QSize SheetSize() const override {
    if constexpr (requires(Page & p) { p.SheetSize(); })
      if (page_) return page_->SheetSize();
    return {};
  }
  void SetMessageBox(MessageBox* box) override {
    if constexpr (requires(Page & p) { p.SetMessageBox(box); })
      if (page_) page_->SetMessageBox(box);
  }
  bool HasDisplaySettings() const override {
    return requires(Page & p) {
      p.ShowDisplaySettings();
    };
  }
  void ShowDisplaySettings() override {
    if constexpr (requires(Page & p) { p.ShowDisplaySettings(); })
      if (page_) page_->ShowDisplaySettings();
  }
  bool HasDeleteSelection() const override {
    return requires(Page & p) {
      p.DeleteSelectedObjects();
    };
  }
  void DeleteSelectedObjects() override {
    if constexpr (requires(Page & p) { p.DeleteSelectedObjects(); })
      if (page_) page_->DeleteSelectedObjects();
  }
  bool HasCopyToClipboard() const override {
    return requires(Page & p) {
      p.CopyPictureToClipboard();
    };
  }
  void CopyPictureToClipboard() override {
    if constexpr (requires(Page & p) { p.CopyPictureToClipboard(); })
      if (page_) page_->CopyPictureToClipboard();
  }
  bool HasObjectClipboard() const override {
    return requires(Page & p) {
      p.PasteObjects();
    };
  }
  void CutObjects() override {
    if constexpr (requires(Page & p) { p.CutObjects(); })
      if (page_) page_->CutObjects();
  }
  void CopyObjects() override {
    if constexpr (requires(Page & p) { p.CopyObjects(); })
      if (page_) page_->CopyObjects();
  }
  void PasteObjects() override {
    if constexpr (requires(Page & p) { p.PasteObjects(); })
      if (page_) page_->PasteObjects();
  }
  bool HasSelectAll() const override {
    return requires(Page & p) {
      p.SelectAllObjects();
    };
  }
  void SelectAllObjects() override {
    if constexpr (requires(Page & p) { p.SelectAllObjects(); })
      if (page_) page_->SelectAllObjects();
  }

 private:
  QPointer<Page> page_;
};

template <class Page>
std::unique_ptr<PictureEditorLink> MakePageLink(Page* page) {
  return std::make_unique<PageLink<Page>>(page);
}

// What a file dialog is asked for. `filter` is in the window's form
// "Name|*.ext|Name|*.*"; `proposedName` is a file name without folder.
struct FileDialogRequest {
  QString title;
  QString folder;
  QString proposedName;
  QString filter;
  QString defaultSuffix;
};

struct EditorHooks {
  // The message box window, created once. Empty: the plain Qt box.
  std::function<std::unique_ptr<MessageBox>(QWidget* parent, Translator&)> messageBox;
  // The picture editor page, made a child of `parent`. Empty: an empty page.
  std::function<std::unique_ptr<PictureEditorLink>(QWidget* parent, Workspace&, tview&)>
      pictureEditor;
  // True when the user confirmed (the window then translates itself again).
  std::function<bool(QWidget* parent, Workspace&)> programOptions;
  // The terminal (coupling) chosen for the project, which the window puts
  // in place as one step; null when cancelled.
  std::function<std::unique_ptr<t_terminal>(QWidget* parent, Workspace&, const t_projekt&)>
      chooseTerminal;
  std::function<std::unique_ptr<t_steuerung>(QWidget* parent, Workspace&, const t_projekt&)>
      chooseCoupling;
  // Builds the image and runs the download sequence.
  std::function<void(QWidget* parent, Workspace&, t_projekt&, MessageBox&)> download;
  // Builds the image into a work folder and shows it in the simulator window.
  std::function<void(QWidget* parent, Workspace&, t_projekt&, MessageBox&)> simulate;
  // Null when the import was cancelled or failed (it reports why). It calls
  // `closeProject` once a file was chosen; false there abandons the import.
  std::function<std::unique_ptr<t_projekt>(QWidget* parent, Workspace&, MessageBox&,
                                           std::function<bool()> closeProject)>
      dosImport;
  // The printout preview, shown modally, printing on the window's printer.
  std::function<void(QWidget* parent, Workspace&, t_projekt&, QPrinter&)> print;
  // The platform's printer setup dialog on the window's printer.
  std::function<void(QWidget* parent, QPrinter&)> printerSetup;
  // Chosen file name, or empty when cancelled.
  std::function<QString(QWidget* parent, const FileDialogRequest&)> openFile;
  std::function<QString(QWidget* parent, const FileDialogRequest&)> saveFile;
  // Shows a document of the installation (the manual) in the desktop's
  // viewer; false when that failed.
  std::function<bool(const QString& file)> showDocument;
};

EditorHooks DefaultEditorHooks();

}  // namespace tavo

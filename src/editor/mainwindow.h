#pragma once
// The main window: at most one open project, the start view and the five
// project views (info, variables, alarms, pictures, editor), the project
// navigation tree, the menus and tool bars and where each command leads,
// the status bar, the window-wide keys, and the questions before a project
// or the program is closed.

#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "check/projectcheck.h"
#include "document/document.h"
#include "editor/mainwindow_hooks.h"
#include "editor/pages/exchangeactions.h"
#include "objects/tview.h"
#include "resources/fonts.h"
#include "shell/texts.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPrinter;
class QSplitter;
class QTabWidget;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace tavo {

class AlarmPage;
class CheckPanel;
class InfoPage;
class MessageBox;
class PictureListPage;
class Retranslator;
class TextListPage;
class ToolkitTexts;
class VariablePage;
class Workspace;
class t_bild;
class t_liste;
class t_objekt;

// True for a control that takes typed text (the window leaves it its keys).
bool TakesTextInput(const QWidget* widget);

// The file name a save dialog proposes for a project: the head's name with
// every "\", "/" and ":" replaced by a blank.
std::string ProposedProjectFileName(const std::string& headName);

class TmainForm : public QMainWindow {
  Q_OBJECT
 public:
  // Views for ShowView.
  enum View { kViewStart = 0, kViewInfo, kViewVariables, kViewAlarms, kViewPictures, kViewEditor };
  // Page indices of the page control, in tab order.
  enum Page { kPageInfo = 0, kPageAlarms, kPageVariables, kPageTexts, kPagePictures, kPageEditor };

  explicit TmainForm(Workspace& workspace, EditorHooks hooks = DefaultEditorHooks(),
                     QWidget* parent = nullptr);
  ~TmainForm() override;

  // --- state ----------------------------------------------------------------
  t_projekt* Project() const { return document_ ? &document_->Project() : nullptr; }
  // The open project's document (its undo history, open picture and
  // selection); null without a project.
  Document* CurrentDocument() const { return document_.get(); }
  int CurrentView() const { return view_; }
  int CurrentPage() const;
  // Messages and questions go to this box instead of the window's own
  // (tests script the answers); null goes back to the window's box.
  void SetMessageBox(MessageBox* box);
  MessageBox& Box();
  PictureEditorLink& Editor() { return *editor_; }
  tview& DrawingView() { return drawingView_; }
  // The printer of printer setup and printout, made on first use.
  QPrinter& Printer();
  QString StatusPanelText(int panel) const;
  // The download's 50 ms serial wake-up timer; the download starts and
  // stops it.
  QTimer& SucheTimer() { return sucheTimer_; }

  // --- operations the commands and other parts use --------------------------
  void ShowView(int view);
  // Reads the project file (after the save question for the open project).
  // False when nothing was opened; the reason has been shown.
  bool OpenProjectFile(const QString& path);
  // Closes the open project after the save question. False when the user
  // took the command back, or wanted the project saved and saving did not
  // happen: the project stays open.
  bool CloseProject();
  // Writes the project to its file, asking for one when it has none (or
  // always, with `askForFile`). True when it was written.
  bool Save(bool askForFile = false);
  // Rebuilds the navigation tree (after the picture list changed).
  void BuildTree();
  // Rebuilds the four list pages from the project.
  void FillLists();
  // A change of project content that no step of the history can take back:
  // the project stays modified until it is saved.
  void MarkModified();
  // Executes an edit and shows why when it could not be done.
  bool Run(CommandPtr command);
  // Checks the open project; the findings go to the result list below the
  // pages, which is shown when `show` is set or there are findings.
  std::vector<Finding> CheckOpenProject(bool show);
  // The project check's result list.
  CheckPanel* Checks() const { return checkPanel_; }
  void Retranslate();

 public slots:
  void Neu1Click();
  void oeffnen1Click();
  void ToolButton33Click();
  void ToolButton21Click();
  void schliessenClick();
  void Drucken2Click();
  void Druckereinrichtung1Click();
  void Optionen1Click();
  void Beenden1Click();
  void Info1Click();
  // F1: the manual shipped with the program, in the window's language.
  void HandbuchClick();
  void But_UebertragenClick();
  void SimulierenClick();
  void ProjektPruefenClick();
  void Variablen1Click();
  void Alarme1Click();
  void Bilder1Click();
  void Grid1Click();
  void ToolButton35Click();
  void ToolButton36Click();
  void PicToClipButClick();
  void UndoClick();
  void RedoClick();
  void CutClick();
  void CopyClick();
  void PasteClick();
  void SelectAllClick();
  void TermChangeButClick();
  void BitBtn3Click();
  void Timer1Timer();
  void FormActivate();
  void RefreshPictureStatistics();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // A project file dropped on the window is opened.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Component;
  enum class Availability;
  static const Component kComponents[];

  void CreateCommands();
  void CreateRecentMenus();
  void FillRecentMenu(QMenu* menu);
  void UpdateRecentMenus();
  void RememberRecent(const std::string& file);
  QMenuBar* CreateMenuBar(const char* name, const char* const* layout);
  QToolBar* CreateToolBar(const char* name, std::initializer_list<const char*> buttons);
  QAction* Action(const char* name) const;
  bool Available(Availability availability) const;
  void UpdateCommandStates();
  void CreatePages();
  void TakeProject(std::unique_ptr<t_projekt> project);
  void DocumentChanged(const Change& change);
  void UpdateUndoActions();
  void HeadFieldEdited(int field);
  void DropProject();
  void FollowTerminalGreyScale();
  void TellObjectsOffTheDisplay();
  bool WriteProject(const std::string& path);
  FileDialogRequest ProjectFileRequest(const TextId& title, const TextId& filter);
  void RememberProjectFolder(const QString& file);
  QSize EditorSheetSize();
  bool AskToSaveChanges();
  bool FormCloseQuery();
  bool FormKeyDown(int key);
  void Navigate(QTreeWidgetItem* item);
  void OpenSelectedPictures();
  void OpenReference(t_bild* picture, t_objekt* object);
  // Shows the place of the check panel's finding `index`.
  void GoToFinding(int index);
  // Before a download: the errors of the check and whether to go on.
  bool DownloadDespiteErrors(const std::vector<Finding>& findings);
  void PageChanged(int index);
  void SyncTree();
  void UpdateTitle();
  void UpdateClipboardButton();
  std::string Text(const TextId& id);

  Workspace& workspace_;
  EditorHooks hooks_;
  std::unique_ptr<Retranslator> texts_;
  std::unique_ptr<MessageBox> ownBox_;
  MessageBox* messages_ = nullptr;
  // What the pages are given: it shows in whichever box the window uses.
  std::unique_ptr<MessageBox> pageBox_;
  // The file dialogs the list pages' export and import use.
  ExchangeDialogs exchangeDialogs_;
  std::unique_ptr<Document> document_;
  DocumentSubscription subscription_;
  // Data of the tree's "Variablen", "Alarme" and "Bilder" nodes, told apart
  // by their kind tags.
  std::unique_ptr<t_liste> markerVariables_;
  std::unique_ptr<t_liste> markerAlarms_;
  std::unique_ptr<t_liste> markerPictures_;
  FontCache fonts_;
  tview drawingView_;
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<PictureEditorLink> editor_;
  int view_ = -1;
  bool editorLaidOut_ = false;  // the editor page had its size once
  bool inTimer_ = false;
  bool loading_ = false;  // a project file is being read
  bool picturesStale_ = false;

  std::vector<QMenu*> recentMenus_;
  QMenuBar* menuStart_ = nullptr;
  QMenuBar* menuOffen_ = nullptr;
  QToolBar* tbProgramm1_ = nullptr;
  QToolBar* tbProgramm2_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QSplitter* pageSplitter_ = nullptr;  // the pages above the check panel
  QTreeWidget* baum_ = nullptr;
  QTabWidget* pages_ = nullptr;
  InfoPage* infoPage_ = nullptr;
  AlarmPage* alarmPage_ = nullptr;
  VariablePage* variablePage_ = nullptr;
  TextListPage* textPage_ = nullptr;
  PictureListPage* picturePage_ = nullptr;
  CheckPanel* checkPanel_ = nullptr;
  QLabel* statusPanels_[5] = {};
  QLabel* statusHint_ = nullptr;
  // The toolkit's own dialogs in the window's language, while the window lives.
  std::unique_ptr<ToolkitTexts> toolkitTexts_;  // the hint of the command under the mouse
  QTimer timer1_;
  QTimer sucheTimer_;
};

}  // namespace tavo

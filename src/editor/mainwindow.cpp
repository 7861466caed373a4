#include "editor/mainwindow.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QScreen>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTextEdit>
#include <QTime>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "app/workspace.h"
#include "document/recordedit.h"
#include "editor/dialogs/infomsg.h"
#include "editor/mainwindow_icons.h"
#include "editor/pages/checkpanel.h"
#include "editor/pages/editorplaceholder.h"
#include "editor/pages/infopage.h"
#include "editor/pages/listpages.h"
#include "editor/pages/picturelist.h"
#include "editor/toolkittexts.h"
#include "editor/uitext.h"
#include "project/projekt.h"

namespace tavo {

namespace fs = std::filesystem;

namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;
constexpr int kStatusWidths[5] = {60, 64, 96, 50, 50};
constexpr int kTreeDataRole = Qt::UserRole;
constexpr int kCheckPanelHeight = 180;

// The client area of the window: in the start view nothing covers it and
// the tile shows.
class TiledBackground : public QWidget {
 public:
  explicit TiledBackground(QWidget* parent) : QWidget(parent), tile_(StartViewTile()) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawTiledPixmap(rect(), QPixmap::fromImage(tile_));
  }

 private:
  QImage tile_;
};

t_liste* NodeData(const QTreeWidgetItem* item) {
  return item ? reinterpret_cast<t_liste*>(item->data(0, kTreeDataRole).value<quintptr>())
              : nullptr;
}

void SetNodeData(QTreeWidgetItem* item, t_liste* data) {
  item->setData(0, kTreeDataRole, QVariant::fromValue(reinterpret_cast<quintptr>(data)));
}

// A text is being typed: Delete belongs to the field, also to the editor
// of a list item's label being renamed in place.
}  // namespace

bool TakesTextInput(const QWidget* widget) {
  if (!widget) return false;
  if (qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
      qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget))
    return true;
  if (const auto* combo = qobject_cast<const QComboBox*>(widget)) return combo->isEditable();
  return false;
}

std::string ProposedProjectFileName(const std::string& headName) {
  std::string name = headName;
  for (char& c : name)
    if (c == '\\' || c == '/' || c == ':') c = ' ';
  return name;
}

TmainForm::TmainForm(Workspace& workspace, EditorHooks hooks, QWidget* parent)
    : QMainWindow(parent),
      workspace_(workspace),
      hooks_(std::move(hooks)),
      texts_(std::make_unique<Retranslator>(workspace.translator())),
      markerVariables_(std::make_unique<t_liste>(kTagVariablesNode)),
      markerAlarms_(std::make_unique<t_liste>(kTagAlarmsNode)),
      markerPictures_(std::make_unique<t_liste>(kTagPicturesNode)),
      fonts_(workspace.install()) {
  setObjectName("TmainForm");
  drawingView_.UseFontCache(fonts_);
  ownBox_ = hooks_.messageBox ? hooks_.messageBox(this, workspace_.translator())
                              : std::make_unique<TInfo_MSG>(workspace_.translator(), this);

  resize(kWindowWidth, kWindowHeight);
  if (const QScreen* screen = QApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - kWindowWidth) / 2,
         area.y() + (area.height() - kWindowHeight) / 2);
  }

  auto* background = new TiledBackground(this);
  setCentralWidget(background);
  splitter_ = new QSplitter(Qt::Horizontal, background);
  splitter_->setObjectName("Splitter1");
  splitter_->setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(background);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter_);

  baum_ = new QTreeWidget(splitter_);
  baum_->setObjectName("baum");
  baum_->setHeaderHidden(true);
  baum_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  baum_->setMinimumWidth(120);
  connect(baum_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item) { Navigate(item); });
  connect(baum_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { Navigate(item); });

  pageSplitter_ = new QSplitter(Qt::Vertical, splitter_);
  pageSplitter_->setObjectName("Splitter2");
  pageSplitter_->setChildrenCollapsible(false);
  pages_ = new QTabWidget(pageSplitter_);
  pages_->setObjectName("pagecontrol1");
  splitter_->setStretchFactor(1, 1);
  splitter_->setSizes({200, kWindowWidth - 200});
  CreatePages();
  checkPanel_ = new CheckPanel(*texts_, pageSplitter_);
  pageSplitter_->setStretchFactor(0, 1);
  connect(checkPanel_, &CheckPanel::findingActivated, this, &TmainForm::GoToFinding);
  CreateCommands();

  auto* status = new QStatusBar(this);
  status->setObjectName("StatusBar");
  setStatusBar(status);
  for (int i = 0; i < 5; ++i) {
    statusPanels_[i] = new QLabel(status);
    statusPanels_[i]->setObjectName(QString("StatusPanel%1").arg(i));
    statusPanels_[i]->setMinimumWidth(kStatusWidths[i]);
    status->addWidget(statusPanels_[i]);
  }
  statusHint_ = new QLabel(status);
  statusHint_->setObjectName("StatusHint");
  status->addWidget(statusHint_, 1);

  timer1_.setObjectName("Timer1");
  timer1_.setInterval(1000);
  connect(&timer1_, &QTimer::timeout, this, &TmainForm::Timer1Timer);
  timer1_.start();
  // The download's serial wake-up ticks on this timer; the download switches
  // it on and off.
  sucheTimer_.setObjectName("SucheTimer");
  sucheTimer_.setInterval(50);

  setAcceptDrops(true);
  // The window sees every key before the focused control does.
  qApp->installEventFilter(this);
  toolkitTexts_ = std::make_unique<ToolkitTexts>(workspace_.translator());
  QCoreApplication::installTranslator(toolkitTexts_.get());

  ShowView(kViewStart);
  UpdateCommandStates();
  UpdateTitle();
  Timer1Timer();
}

TmainForm::~TmainForm() {
  qApp->removeEventFilter(this);
  QCoreApplication::removeTranslator(toolkitTexts_.get());
  // The pages refer into the project and to the drawing view: they go
  // before either.
  if (editor_) editor_->SetDocument(nullptr);
  subscription_.Reset();
  for (QObject* sender :
       std::initializer_list<QObject*>{pages_, baum_, infoPage_, alarmPage_, variablePage_,
                                       textPage_, picturePage_, checkPanel_})
    sender->disconnect(this);
  delete takeCentralWidget();
}

void TmainForm::CreatePages() {
  Retranslator& texts = *texts_;
  infoPage_ = new InfoPage(texts, workspace_.install(), pages_);
  alarmPage_ = new AlarmPage(workspace_, texts, pages_);
  variablePage_ = new VariablePage(workspace_, texts, pages_);
  textPage_ = new TextListPage(workspace_, texts, pages_);
  picturePage_ =
      new PictureListPage(workspace_, texts, drawingView_, workspace_.settings().picture, pages_);
  auto* editorTab = new QWidget(pages_);
  editorTab->setObjectName("TabBildedit");
  auto* editorLayout = new QVBoxLayout(editorTab);
  editorLayout->setContentsMargins(0, 0, 0, 0);
  if (hooks_.pictureEditor) editor_ = hooks_.pictureEditor(editorTab, workspace_, drawingView_);
  if (!editor_) editor_ = MakePageLink(new EditorPlaceholderPage(editorTab));
  struct WindowBox final : MessageBox {
    TmainForm& window;
    explicit WindowBox(TmainForm& w) : window(w) {}
    int Show(MsgKind kind, ButtonSet buttons, const std::string& text) override {
      return window.Box().Show(kind, buttons, text);
    }
  };
  pageBox_ = std::make_unique<WindowBox>(*this);
  editor_->SetMessageBox(pageBox_.get());
  exchangeDialogs_ = {hooks_.openFile, hooks_.saveFile,
                      [this] { return editor_ ? editor_->SheetSize() : QSize(); }};
  for (ListPage* page :
       std::initializer_list<ListPage*>{alarmPage_, variablePage_, textPage_, picturePage_}) {
    page->SetMessageBox(pageBox_.get());
    page->SetExchangeDialogs(&exchangeDialogs_);
  }
  editorLayout->addWidget(editor_->Widget());
  editor_->SetMessageBox(&Box());

  pages_->addTab(infoPage_, QString());
  pages_->addTab(alarmPage_, QString());
  pages_->addTab(variablePage_, QString());
  pages_->addTab(textPage_, QString());
  pages_->addTab(picturePage_, QString());
  pages_->addTab(editorTab, QString());
  texts.Add([this](Translator& tr) {
    const TextId* captions[] = {&txt::kTabProjektInfo, &txt::kAlarme, &txt::kVariablen,
                                &txt::kTabTexte,       &txt::kBilder, &txt::kTabBildEditor};
    for (int i = 0; i < 6; ++i) pages_->setTabText(i, Tr(tr, *captions[i]));
  });
  connect(pages_, &QTabWidget::currentChanged, this, &TmainForm::PageChanged);

  connect(infoPage_, &InfoPage::headEdited, this, &TmainForm::HeadFieldEdited);
  connect(infoPage_, &InfoPage::headEditFinished, this, [this] {
    if (document_) document_->BreakMerge();
  });
  connect(infoPage_, &InfoPage::changeTerminalClicked, this, &TmainForm::TermChangeButClick);
  connect(infoPage_, &InfoPage::changeCouplingClicked, this, &TmainForm::BitBtn3Click);
  for (ListPage* page :
       std::initializer_list<ListPage*>{alarmPage_, variablePage_, textPage_, picturePage_}) {
    connect(page, &ListPage::modified, this, &TmainForm::MarkModified);
    connect(page, &ListPage::openReference, this, &TmainForm::OpenReference);
  }
  connect(picturePage_, &PictureListPage::editRequested, this, &TmainForm::OpenSelectedPictures);
}

// --- state ---------------------------------------------------------------------

int TmainForm::CurrentPage() const {
  return pages_->currentIndex();
}

void TmainForm::SetMessageBox(MessageBox* box) {
  messages_ = box;
  editor_->SetMessageBox(&Box());
}

MessageBox& TmainForm::Box() {
  return messages_ ? *messages_ : *ownBox_;
}

QPrinter& TmainForm::Printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

QString TmainForm::StatusPanelText(int panel) const {
  return panel >= 0 && panel < 5 ? statusPanels_[panel]->text() : QString();
}

std::string TmainForm::Text(const TextId& id) {
  return workspace_.translator().Tr(id);
}

void TmainForm::MarkModified() {
  if (!document_) return;
  document_->MarkChangedOutsideHistory();
  checkPanel_->MarkStale();
  picturesStale_ = true;
}

// Typing into a field of the head is one step per field until the field
// is left.
void TmainForm::HeadFieldEdited(int field) {
  t_projekt* project = Project();
  if (!project || !project->head) return;
  std::unique_ptr<t_kopf> edited = CloneRecord(*project->head);
  infoPage_->TakeInto(*edited);
  Run(MakeHeadEdit(txt::kEditHead, *project, std::move(edited),
                   static_cast<MergeKey>(kMergeHeadField + field)));
}

// As desktop programs do: the open file's name first, a "*" while there
// are unsaved changes, the program's name last. A project without a file
// yet is shown by its name.
void TmainForm::UpdateTitle() {
  QString title = "QVX Tavo Dex";
  if (const t_projekt* project = Project()) {
    QString shown = project->path.empty()
                        ? Q(project->head ? project->head->name : std::string())
                        : QString::fromStdString(fs::path(project->path).filename().string());
    // "[*]" is where the window puts its "*"; one in the name is shown as is.
    shown.replace("[*]", "[*][*]");
    title = shown + "[*] - " + title;
  }
  setWindowTitle(title);
  setWindowModified(Project() && Project()->modified);
}

// --- views -----------------------------------------------------------------------

void TmainForm::ShowView(int view) {
  // Without a project only the start view is reachable.
  if (!Project() || view < kViewStart || view > kViewEditor) view = kViewStart;
  view_ = view;
  if (view == kViewStart) {
    menuOffen_->hide();
    menuStart_->show();
    tbProgramm2_->hide();
    tbProgramm1_->show();
    pages_->hide();
    baum_->hide();
    splitter_->hide();
  } else {
    static constexpr int kPageOfView[] = {kPageInfo,   kPageInfo,     kPageVariables,
                                          kPageAlarms, kPagePictures, kPageEditor};
    if (view == kViewInfo) {
      menuStart_->hide();
      menuOffen_->show();
      tbProgramm1_->hide();
      baum_->show();
    }
    tbProgramm2_->show();
    splitter_->show();
    pages_->show();
    // The pages share their splitter with the check panel: their size is
    // settled now, so a page laid out in the same turn sees it.
    pageSplitter_->refresh();
    // Hiding the page that holds the focus (a where-used list, a table)
    // moves the focus on to the navigation tree, which takes it as a choice
    // of its first node when none is current: that is no navigation.
    const QSignalBlocker quiet(baum_);
    pages_->setCurrentIndex(kPageOfView[view]);
  }
  view_ = view;  // the page change above may have passed through PageChanged
  SyncTree();
  UpdateClipboardButton();
}

// A tab picked by hand is the view of its page.
void TmainForm::PageChanged(int index) {
  if (index == kPagePictures && picturesStale_ && Project()) {
    picturePage_->Fill(Project());
    picturesStale_ = false;
  }
  if (Project() && view_ != kViewStart) {
    static constexpr int kViewOfPage[] = {kViewInfo,      kViewAlarms,   kViewVariables,
                                          -1 /* texts */, kViewPictures, kViewEditor};
    if (index >= 0 && index <= kPageEditor && kViewOfPage[index] >= 0) view_ = kViewOfPage[index];
    SyncTree();
  }
  UpdateClipboardButton();
}

// The tree's node shows the page shown. A tree without a current node would
// take its first node when it gets the focus (as when the focused field of
// a page that is being hidden passes it on), and that node would switch
// the window back to the project info: the tree always has one.
void TmainForm::SyncTree() {
  QTreeWidgetItem* root = baum_->topLevelItem(0);
  if (!root || root->childCount() < 4) return;
  QTreeWidgetItem* node = nullptr;
  switch (pages_->currentIndex()) {
    case kPageInfo:
      node = root->child(0);
      break;
    case kPageVariables:
      node = root->child(1);
      break;
    case kPageAlarms:
      node = root->child(2);
      break;
    case kPagePictures:
      node = root->child(3);
      break;
    case kPageEditor:
      node = root->child(3);
      for (int i = 0; i < node->childCount(); ++i)
        if (NodeData(node->child(i)) == editor_->OpenPicture()) node = node->child(i);
      break;
    default:
      break;
  }
  const QSignalBlocker blocker(baum_);
  baum_->setCurrentItem(node ? node : root);
  if (!node) baum_->clearSelection();  // the text lists have no node
}

void TmainForm::UpdateClipboardButton() {
  Action("PicToClipBut")->setVisible(view_ != kViewStart && pages_->currentIndex() == kPageEditor);
}

// --- navigation tree -------------------------------------------------------------

void TmainForm::BuildTree() {
  const QSignalBlocker blocker(baum_);
  baum_->setUpdatesEnabled(false);
  baum_->clear();
  if (Project()) {
    auto* root = new QTreeWidgetItem(baum_, {Q(Project()->head ? Project()->head->name : "")});
    auto node = [&](const TextId& text, IconId icon, t_liste* data) {
      auto* item = new QTreeWidgetItem(root, {Tr(workspace_.translator(), text)});
      item->setIcon(0, MakeIcon(icon));
      if (data) SetNodeData(item, data);
      return item;
    };
    node(txt::kNodeProjektinfo, IconId::NodeInfo, nullptr);
    node(txt::kVariablen, IconId::NodeVariables, markerVariables_.get());
    node(txt::kAlarme, IconId::NodeAlarms, markerAlarms_.get());
    QTreeWidgetItem* pictures = node(txt::kBilder, IconId::NodePictures, markerPictures_.get());
    const QIcon pictureIcon = MakeIcon(IconId::NodePicture);
    const int start = Project()->head ? Project()->head->startPicture : -1;
    ForEach<t_bild>(Project()->pictures, [&](t_bild& b) {
      auto* item = new QTreeWidgetItem(pictures, {Q(b.name)});
      item->setIcon(0, pictureIcon);
      SetNodeData(item, &b);
      // The picture the terminal shows first stands out, as in the list.
      if (b.pictureNumber == start) {
        QFont bold = item->font(0);
        bold.setBold(true);
        item->setFont(0, bold);
        item->setToolTip(0, Tr(workspace_.translator(), txt::kStartbild));
      }
    });
    root->setExpanded(true);
  }
  baum_->setUpdatesEnabled(true);
  SyncTree();
}

void TmainForm::Navigate(QTreeWidgetItem* item) {
  if (!Project()) return;
  t_liste* data = NodeData(item);
  if (!data) {
    ShowView(kViewInfo);
    return;
  }
  switch (data->kindTag()) {
    case kTagVariablesNode:
      ShowView(kViewVariables);
      break;
    case kTagAlarmsNode:
      ShowView(kViewAlarms);
      break;
    case kTagPicturesNode:
      ShowView(kViewPictures);
      break;
    case kTagBild: {
      auto* picture = static_cast<t_bild*>(data);
      // A click on the node of the picture already open only shows it.
      if (editor_->OpenPicture() != picture) editor_->OpenPictureInEditor(picture);
      ShowView(kViewEditor);
      break;
    }
    default:
      ShowView(kViewInfo);
  }
}

// --- lists -------------------------------------------------------------------

void TmainForm::FillLists() {
  const t_projekt* p = Project();
  alarmPage_->Fill(p);
  variablePage_->Fill(p);
  textPage_->Fill(p);
  picturePage_->Fill(p);
  picturesStale_ = false;
}

void TmainForm::RefreshPictureStatistics() {
  picturePage_->RefreshPictureStatistics(Project());
}

void TmainForm::OpenSelectedPictures() {
  if (!Project()) return;
  const std::vector<t_bild*> pictures = picturePage_->SelectedPictures();
  if (pictures.empty()) return;
  for (t_bild* picture : pictures) editor_->OpenPictureInEditor(picture);
  ShowView(kViewEditor);
}

// A row of a where-used list: the picture in the editor, the object selected.
void TmainForm::OpenReference(t_bild* picture, t_objekt* object) {
  if (!document_ || !picture) return;
  editor_->OpenPictureInEditor(picture);
  if (object && document_->OpenPicture() == picture) {
    t_objekt* one[] = {object};
    document_->SetSelection(one);
  }
  ShowView(kViewEditor);
}

// --- project check -------------------------------------------------------------

std::vector<Finding> TmainForm::CheckOpenProject(bool show) {
  if (!Project()) return {};
  std::vector<Finding> findings =
      CheckProject(*Project(), {workspace_.catalog().fonts.get(), &workspace_.install()});
  const bool shown = checkPanel_->isVisibleTo(pageSplitter_);
  if (show || !findings.empty() || shown) checkPanel_->ShowFindings(findings);
  // A list that appears takes a part of the pages' height.
  if (!shown && checkPanel_->isVisibleTo(pageSplitter_)) {
    const int total = std::max(pageSplitter_->height(), 2 * kCheckPanelHeight);
    pageSplitter_->setSizes({total - kCheckPanelHeight, kCheckPanelHeight});
  }
  return findings;
}

// The place as it was when the check ran: a list position is taken only
// while it still holds what the finding names, else the record is looked
// for by number; an object that moved leaves just its picture shown.
void TmainForm::GoToFinding(int index) {
  t_projekt* project = Project();
  const std::vector<Finding>& findings = checkPanel_->Findings();
  if (!project || index < 0 || index >= static_cast<int>(findings.size())) return;
  const FindingPlace& place = findings[static_cast<std::size_t>(index)].place;
  auto record = [&](const ListPtr& list) -> t_liste* {
    t_liste* at = RecordAtPosition(list.get(), place.record);
    return at && at->number == place.number ? at : FindByNumber(list.get(), place.number);
  };
  auto select = [&](int view, int page, ListPage* listPage, const ListPtr& list) {
    ShowView(view);
    pages_->setCurrentIndex(page);
    if (t_liste* found = record(list)) listPage->Table()->SelectRecords({found});
  };
  switch (place.kind) {
    case PlaceKind::Project:
      ShowView(kViewInfo);
      break;
    case PlaceKind::Picture:
    case PlaceKind::Key:
    case PlaceKind::Object: {
      t_bild* picture = PictureAtPosition(*project, place.picture);
      if (!picture || picture->pictureNumber != place.pictureNumber ||
          picture->name != place.pictureName) {
        picture = nullptr;
        ForEach<t_bild>(project->pictures, [&](t_bild& b) {
          if (!picture && b.pictureNumber == place.pictureNumber) picture = &b;
        });
      }
      if (!picture) return;
      t_objekt* object =
          place.kind == PlaceKind::Object ? ObjectAtPath(*picture, place.object) : nullptr;
      if (object && (object->Kind() != place.objectKind || object->name != place.objectName))
        object = nullptr;
      OpenReference(picture, object);
      break;
    }
    case PlaceKind::Variable:
      select(kViewVariables, kPageVariables, variablePage_, project->variables);
      break;
    case PlaceKind::Alarm:
      select(kViewAlarms, kPageAlarms, alarmPage_, project->alarms);
      break;
    case PlaceKind::TextList:
      select(kViewInfo, kPageTexts, textPage_, project->textLists);
      break;
  }
}

bool TmainForm::DownloadDespiteErrors(const std::vector<Finding>& findings) {
  constexpr int kShownErrors = 10;
  Translator& tr = workspace_.translator();
  std::string text = Text(txt::kPruefVorDownload) + "\n";
  int errors = 0;
  for (const Finding& f : findings) {
    if (f.severity() != Severity::Error) continue;
    if (++errors <= kShownErrors) text += "\n" + FindingLine(f, tr);
  }
  if (errors > kShownErrors)
    text += "\n" + FillIn(Text(txt::kPruefWeitere), {std::to_string(errors - kShownErrors)});
  text += "\n\n" + Text(txt::kPruefTrotzdemUebertragen);
  return Box().Show(MsgKind::Abfrage, ButtonSet::JaNein, text) == kAnswerJa;
}

// --- status bar --------------------------------------------------------------

void TmainForm::Timer1Timer() {
  // A tick that arrives while the previous one still runs (a message box
  // inside it) is skipped.
  if (inTimer_) return;
  inTimer_ = true;
  statusPanels_[0]->setText(QTime::currentTime().toString("HH:mm:ss"));
  statusPanels_[1]->setText(Q(TodayText()));
  const TextId& state = !Project()            ? txt::kStatusNichtGeladen
                        : Project()->modified ? txt::kStatusVeraendert
                                              : txt::kStatusImSpeicher;
  statusPanels_[2]->setText(Tr(workspace_.translator(), state));
  // While modified the page shows the date the next save will write.
  if (Project() && Project()->head)
    infoPage_->ShowChangedDate(Project()->modified ? TodayText() : Project()->head->changed);
  inTimer_ = false;
}

// --- activation and translation ---------------------------------------------

void TmainForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

// The hint of the command under the mouse goes beside the panels: shown as
// the status bar's message it would hide time, date and project state.
bool TmainForm::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    statusHint_->setText(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

void TmainForm::FormActivate() {
  Action("ToolButton35")->setChecked(workspace_.settings().picture.projectpanel);
  editor_->ApplySettings();
  Retranslate();
}

void TmainForm::Retranslate() {
  texts_->Apply();
  if (QTreeWidgetItem* root = baum_->topLevelItem(0); root && root->childCount() >= 4) {
    const TextId* nodes[] = {&txt::kNodeProjektinfo, &txt::kVariablen, &txt::kAlarme,
                             &txt::kBilder};
    for (int i = 0; i < 4; ++i) root->child(i)->setText(0, Tr(workspace_.translator(), *nodes[i]));
  }
  editor_->Retranslate();
  checkPanel_->Retranslate();
  Timer1Timer();
}

// --- keys --------------------------------------------------------------------

bool TmainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == baum_->viewport() && event->type() == QEvent::MouseButtonRelease) {
    // A click on the tree with no node selected shows the project info.
    if (Project() && !baum_->currentItem()) ShowView(kViewInfo);
    return false;
  }
  if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return false;
  // The application passes a key up the parent chain; it is handled once,
  // where it arrives first.
  QWidget* focus = QApplication::focusWidget();
  if (widget != (focus ? focus : this)) return false;
  return FormKeyDown(static_cast<QKeyEvent*>(event)->key());
}

bool TmainForm::FormKeyDown(int key) {
  if (!Project() || view_ == kViewStart) return false;
  const int page = pages_->currentIndex();
  if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Delete) return false;
  // The where-used list below a page's table keeps its keys: Enter opens
  // the reference chosen there.
  ListPage* const lists[] = {nullptr, alarmPage_, variablePage_, textPage_, picturePage_, nullptr};
  if (page >= 0 && page <= kPageEditor && lists[page] &&
      !lists[page]->TakesCommandKeys(QApplication::focusWidget()))
    return false;
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    // A field being typed into (a list's filter, a name edited in place)
    // takes its Enter.
    if (page != kPageEditor && TakesTextInput(QApplication::focusWidget())) return false;
    switch (page) {
      case kPageAlarms:
        alarmPage_->EditSelected();
        return true;
      case kPageVariables:
        variablePage_->EditSelected();
        return true;
      case kPageTexts:
        textPage_->EditSelected();
        return true;
      case kPagePictures:
        OpenSelectedPictures();
        return true;
      default:
        return false;  // the focused control's
    }
  }
  if (key == Qt::Key_Delete) {
    if (page == kPageInfo || TakesTextInput(QApplication::focusWidget())) return false;
    switch (page) {
      case kPageAlarms:
        alarmPage_->DeleteSelected();
        break;
      case kPageVariables:
        variablePage_->DeleteSelected();
        break;
      case kPageTexts:
        textPage_->DeleteSelected();
        break;
      case kPagePictures:
        picturePage_->DeleteSelected();
        break;
      case kPageEditor:
        if (editor_->OpenPicture()) editor_->DeleteSelectedObjects();
        break;
      default:
        return false;
    }
    return true;
  }
  return false;
}

}  // namespace tavo

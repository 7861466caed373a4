// The window's commands: every menu entry and tool button, what it is
// called, which text and image it shows, when it is available, and the
// handler it runs. Menus and tool bars are laid out from these names.

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <filesystem>
#include <optional>
#include <utility>

#include "app/workspace.h"
#include "document/recordedit.h"
#include "editor/mainwindow.h"
#include "editor/mainwindow_icons.h"
#include "editor/mainwindow_splash.h"
#include "editor/pages/infopage.h"
#include "editor/pages/listpages.h"
#include "editor/pages/picturelist.h"
#include "editor/uitext.h"
#include "objects/objekt.h"
#include "project/projekt.h"
#include "shell/codepage.h"
#include "shell/messagebox.h"
#include "shell/textvalues.h"

namespace tavo {

namespace fs = std::filesystem;

enum class TmainForm::Availability {
  Always,
  Project,          // a project is open
  Options,          // the options dialog is wired
  PrinterSetup,     // the printer setup is wired
  Print,            // project + printout wired
  Download,         // project + download wired
  Simulate,         // project + simulator wired
  DosImport,        // the DOS import is wired
  DisplaySettings,  // project + the editor page offers its display dialog
  Clipboard,        // project + the editor page copies pictures
  Undo,             // a step to take back
  Redo,             // a step to do again
  ObjectClipboard,  // project + the editor page cuts, copies and pastes objects
  SelectAll,        // project + the editor page selects all its objects
};

struct TmainForm::Component {
  const char* name;
  void (TmainForm::*handler)();
  const TextId* caption;  // menu entries
  const TextId* hint;     // tool buttons
  std::optional<IconId> icon;
  Availability availability;
  bool checkable = false;
};

const TmainForm::Component TmainForm::kComponents[] = {
    // MenuStart
    {"Neu1", &TmainForm::Neu1Click, &txt::kMenuNeu, nullptr, {}, Availability::Always},
    {"oeffnen1", &TmainForm::oeffnen1Click, &txt::kMenuOeffnen, nullptr, {}, Availability::Always},
    {"ImportDos1",
     &TmainForm::ToolButton36Click,
     &txt::kMenuImportDos,
     nullptr,
     {},
     Availability::DosImport},
    {"Druckereinrichtung1",
     &TmainForm::Druckereinrichtung1Click,
     &txt::kMenuDruckereinrichtung,
     nullptr,
     {},
     Availability::PrinterSetup},
    {"Optionen1",
     &TmainForm::Optionen1Click,
     &txt::kMenuOptionen,
     nullptr,
     {},
     Availability::Options},
    {"Beenden1", &TmainForm::Beenden1Click, &txt::kMenuBeenden, nullptr, {}, Availability::Always},
    {"Handbuch1",
     &TmainForm::HandbuchClick,
     &txt::kMenuHandbuch,
     nullptr,
     {},
     Availability::Always},
    {"Info1", &TmainForm::Info1Click, &txt::kMenuInfoStart, nullptr, {}, Availability::Always},
    // MenuOffen
    {"Neu2", &TmainForm::Neu1Click, &txt::kMenuNeu, nullptr, {}, Availability::Always},
    {"oeffnen2", &TmainForm::oeffnen1Click, &txt::kMenuOeffnen, nullptr, {}, Availability::Always},
    {"Speichern2",
     &TmainForm::ToolButton33Click,
     &txt::kMenuSpeichern,
     nullptr,
     {},
     Availability::Project},
    {"Speichernunter2",
     &TmainForm::ToolButton21Click,
     &txt::kMenuSpeichernUnter,
     nullptr,
     {},
     Availability::Project},
    {"ImportDos2",
     &TmainForm::ToolButton36Click,
     &txt::kMenuImportDos,
     nullptr,
     {},
     Availability::DosImport},
    {"schliessen",
     &TmainForm::schliessenClick,
     &txt::kMenuSchliessen,
     nullptr,
     {},
     Availability::Project},
    {"Simulieren1",
     &TmainForm::SimulierenClick,
     &txt::kSimBefehl,
     nullptr,
     {},
     Availability::Simulate},
    {"Pruefen1",
     &TmainForm::ProjektPruefenClick,
     &txt::kPruefBefehl,
     nullptr,
     {},
     Availability::Project},
    {"Drucken2", &TmainForm::Drucken2Click, &txt::kMenuDrucken, nullptr, {}, Availability::Print},
    {"Druckereinrichtung2",
     &TmainForm::Druckereinrichtung1Click,
     &txt::kMenuDruckereinrichtung,
     nullptr,
     {},
     Availability::PrinterSetup},
    {"Optionen2",
     &TmainForm::Optionen1Click,
     &txt::kMenuOptionen,
     nullptr,
     {},
     Availability::Options},
    {"Beenden2", &TmainForm::Beenden1Click, &txt::kMenuBeenden, nullptr, {}, Availability::Always},
    {"Variablen1",
     &TmainForm::Variablen1Click,
     &txt::kVariablen,
     nullptr,
     {},
     Availability::Project},
    {"Alarme1", &TmainForm::Alarme1Click, &txt::kAlarme, nullptr, {}, Availability::Project},
    {"Bilder1", &TmainForm::Bilder1Click, &txt::kBilder, nullptr, {}, Availability::Project},
    {"Grid1", &TmainForm::Grid1Click, &txt::kMenuGrid, nullptr, {}, Availability::DisplaySettings},
    {"Handbuch2",
     &TmainForm::HandbuchClick,
     &txt::kMenuHandbuch,
     nullptr,
     {},
     Availability::Always},
    {"Info2", &TmainForm::Info1Click, &txt::kMenuInfoOffen, nullptr, {}, Availability::Always},
    {"Rueckgaengig1", &TmainForm::UndoClick, &txt::kEditUndo, nullptr, {}, Availability::Undo},
    {"Wiederholen1", &TmainForm::RedoClick, &txt::kEditRedo, nullptr, {}, Availability::Redo},
    {"Ausschneiden1",
     &TmainForm::CutClick,
     &txt::kMenuAusschneiden,
     nullptr,
     {},
     Availability::ObjectClipboard},
    {"Kopieren1",
     &TmainForm::CopyClick,
     &txt::kMenuKopieren,
     nullptr,
     {},
     Availability::ObjectClipboard},
    {"Einfuegen1",
     &TmainForm::PasteClick,
     &txt::kMenuEinfuegen,
     nullptr,
     {},
     Availability::ObjectClipboard},
    {"AllesMarkieren1",
     &TmainForm::SelectAllClick,
     &txt::kMenuAllesMarkieren,
     nullptr,
     {},
     Availability::SelectAll},
    // tb_programm1
    {"ToolButton2", &TmainForm::Neu1Click, nullptr, &txt::kHintNeuesProjekt, IconId::NewProject,
     Availability::Always},
    {"ToolButton3", &TmainForm::oeffnen1Click, nullptr, &txt::kHintProjektOeffnen,
     IconId::OpenProject, Availability::Always},
    {"ToolButton36", &TmainForm::ToolButton36Click, nullptr, &txt::kHintImportDos,
     IconId::ImportDos, Availability::DosImport},
    // tb_programm2
    {"ToolButton1", &TmainForm::Neu1Click, nullptr, &txt::kHintNeuesProjekt, IconId::NewProject,
     Availability::Always},
    {"ToolButton30", &TmainForm::oeffnen1Click, nullptr, &txt::kHintProjektOeffnen,
     IconId::OpenProject, Availability::Always},
    {"ToolButton33", &TmainForm::ToolButton33Click, nullptr, &txt::kHintProjektSichern,
     IconId::SaveProject, Availability::Project},
    {"ToolButton21", &TmainForm::ToolButton21Click, nullptr, &txt::kHintSaveAs, IconId::SaveAs,
     Availability::Project},
    {"ToolButton35", &TmainForm::ToolButton35Click, nullptr, &txt::kHintProjektansicht,
     IconId::ProjectPanel, Availability::Always, true},
    {"ToolButPruefen", &TmainForm::ProjektPruefenClick, nullptr, &txt::kPruefBefehl,
     IconId::CheckProject, Availability::Project},
    {"But_Uebertragen", &TmainForm::But_UebertragenClick, nullptr, &txt::kHintDownload,
     IconId::Download, Availability::Download},
    {"ToolButSimulieren", &TmainForm::SimulierenClick, nullptr, &txt::kSimBefehlHinweis,
     IconId::Simulate, Availability::Simulate},
    {"ToolButUndo", &TmainForm::UndoClick, nullptr, &txt::kEditUndo, IconId::Undo,
     Availability::Undo},
    {"ToolButRedo", &TmainForm::RedoClick, nullptr, &txt::kEditRedo, IconId::Redo,
     Availability::Redo},
    {"PicToClipBut", &TmainForm::PicToClipButClick, nullptr, &txt::kHintBildInZwischenablage,
     IconId::PictureToClipboard, Availability::Clipboard},
    {"ToolButton8", &TmainForm::Drucken2Click, nullptr, &txt::kHintDrucken, IconId::Print,
     Availability::Print},
};

namespace {
// Menu layouts: "[Name" opens a sub menu (by its object name), "-" is a
// separator, "^" ends the sub menu; other names are entries. A name at the
// top level is an entry of the bar itself.
// clang-format off
constexpr const char* kMenuStart[] = {
    "[Datei1", "Neu1", "oeffnen1", "ImportDos1", "Druckereinrichtung1", "Optionen1", "-",
        "Beenden1", "^",
    "[Hilfe1", "Handbuch1", "-", "Info1", "^",
    nullptr};
constexpr const char* kMenuOffen[] = {
    "[Datei2", "Neu2", "oeffnen2", "ImportDos2", "Speichern2", "Speichernunter2", "schliessen", "-",
        "Pruefen1", "Simulieren1", "Drucken2", "Druckereinrichtung2", "Optionen2", "-", "Beenden2", "^",
    "[Bearbeiten1", "Rueckgaengig1", "Wiederholen1", "-", "Ausschneiden1", "Kopieren1",
        "Einfuegen1", "-", "AllesMarkieren1", "^",
    "[Ansicht1", "Variablen1", "Alarme1", "Bilder1", "^",
    "[Einstellungen1", "Grid1", "^",
    "[Hilfe2", "Handbuch2", "-", "Info2", "^",
    nullptr};
// clang-format on

const TextId* SubMenuCaption(const std::string& name) {
  if (name == "Datei1" || name == "Datei2") return &txt::kMenuDatei;
  if (name == "Ansicht1") return &txt::kMenuAnsicht;
  if (name == "Bearbeiten1") return &txt::kMenuBearbeiten;
  if (name == "Einstellungen1") return &txt::kMenuEinstellungen;
  if (name == "Hilfe1" || name == "Hilfe2") return &txt::kMenuHilfe;
  return nullptr;
}
}  // namespace

void TmainForm::CreateCommands() {
  for (const Component& c : kComponents) {
    auto* action = new QAction(this);
    action->setObjectName(c.name);
    if (c.icon) action->setIcon(MakeIcon(*c.icon));
    action->setCheckable(c.checkable);
    connect(action, &QAction::triggered, this, c.handler);
    texts_->Add([action, &c](Translator& tr) {
      if (c.caption) action->setText(Tr(tr, *c.caption));
      if (c.hint) {
        action->setText(Tr(tr, *c.hint));
        action->setToolTip(Tr(tr, *c.hint));
        action->setStatusTip(Tr(tr, *c.hint));
      }
    });
  }
  Action("ToolButton35")->setChecked(workspace_.settings().picture.projectpanel);

  auto* menus = new QWidget(this);
  auto* menuLayout = new QVBoxLayout(menus);
  menuLayout->setContentsMargins(0, 0, 0, 0);
  menuLayout->setSpacing(0);
  menuStart_ = CreateMenuBar("MenuStart", kMenuStart);
  menuOffen_ = CreateMenuBar("MenuOffen", kMenuOffen);
  menuLayout->addWidget(menuStart_);
  menuLayout->addWidget(menuOffen_);
  setMenuWidget(menus);

  tbProgramm1_ = CreateToolBar("tb_programm1", {"ToolButton2", "ToolButton3", "ToolButton36"});
  tbProgramm2_ = CreateToolBar(
      "tb_programm2", {"ToolButton1", "ToolButton30", "ToolButton33", "ToolButton21", "ToolButUndo",
                       "ToolButRedo", "ToolButton35", "ToolButPruefen", "But_Uebertragen",
                       "ToolButSimulieren", "PicToClipBut", "ToolButton8"});
  // Shortcuts of the edit entries; the tool buttons share their actions.
  Action("Rueckgaengig1")->setShortcut(QKeySequence::Undo);
  Action("Wiederholen1")
      ->setShortcuts(
          {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  Action("Ausschneiden1")->setShortcut(QKeySequence::Cut);
  Action("Kopieren1")->setShortcut(QKeySequence::Copy);
  Action("Einfuegen1")->setShortcut(QKeySequence::Paste);
  Action("AllesMarkieren1")->setShortcut(QKeySequence::SelectAll);
  Action("Pruefen1")->setShortcut(QKeySequence(Qt::Key_F7));
  for (const char* name : {"Rueckgaengig1", "Wiederholen1", "Ausschneiden1", "Kopieren1",
                           "Einfuegen1", "AllesMarkieren1", "Pruefen1"})
    Action(name)->setShortcutContext(Qt::WindowShortcut);
  // The file commands' usual keys. Each command has an entry in both menu
  // bars; only the shown bar's entries take their keys.
  const std::pair<const char*, QKeySequence> fileKeys[] = {
      {"Neu1", QKeySequence(Qt::CTRL | Qt::Key_N)},
      {"Neu2", QKeySequence(Qt::CTRL | Qt::Key_N)},
      {"oeffnen1", QKeySequence(Qt::CTRL | Qt::Key_O)},
      {"oeffnen2", QKeySequence(Qt::CTRL | Qt::Key_O)},
      {"Speichern2", QKeySequence(Qt::CTRL | Qt::Key_S)},
      {"Speichernunter2", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
      {"schliessen", QKeySequence(Qt::CTRL | Qt::Key_W)},
      {"Drucken2", QKeySequence(Qt::CTRL | Qt::Key_P)},
      {"Beenden1", QKeySequence(Qt::CTRL | Qt::Key_Q)},
      {"Beenden2", QKeySequence(Qt::CTRL | Qt::Key_Q)},
      {"Handbuch1", QKeySequence(Qt::Key_F1)},
      {"Handbuch2", QKeySequence(Qt::Key_F1)},
  };
  for (const auto& [name, keys] : fileKeys) {
    Action(name)->setShortcut(keys);
    Action(name)->setShortcutContext(Qt::WindowShortcut);
  }
  CreateRecentMenus();
}

// "Zuletzt geöffnet" below "Öffnen..." in both file menus: the recent
// projects of the settings, listed anew each time the menu opens.
void TmainForm::CreateRecentMenus() {
  const std::pair<const char*, const char*> places[] = {{"oeffnen1", "Zuletzt1"},
                                                        {"oeffnen2", "Zuletzt2"}};
  for (const auto& [open, name] : places) {
    QAction* openEntry = Action(open);
    QMenu* file = nullptr;
    for (QObject* holder : openEntry->associatedObjects())
      if (auto* menu = qobject_cast<QMenu*>(holder)) file = menu;
    if (!file) continue;
    auto* recent = new QMenu(file);
    recent->setObjectName(name);
    recent->menuAction()->setObjectName(name);
    const QList<QAction*> entries = file->actions();
    const qsizetype at = entries.indexOf(openEntry);
    file->insertMenu(entries.value(at + 1), recent);
    connect(recent, &QMenu::aboutToShow, this, [this, recent] { FillRecentMenu(recent); });
    texts_->Add([recent](Translator& tr) { recent->setTitle(Tr(tr, txt::kMenuZuletztGeoeffnet)); });
    recentMenus_.push_back(recent);
  }
  UpdateRecentMenus();
}

void TmainForm::FillRecentMenu(QMenu* menu) {
  menu->clear();
  int number = 0;
  for (const std::string& file : workspace_.settings().recentProjects) {
    const QString path = QString::fromStdString(file);
    ++number;
    // "&1 Demo.qvx": the digit is the entry's key; the full path is the hint.
    QString caption = QString::fromStdString(fs::path(file).filename().string());
    caption.replace('&', "&&");
    QAction* entry =
        menu->addAction(number < 10 ? QString("&%1 %2").arg(number).arg(caption) : caption);
    entry->setToolTip(path);
    entry->setStatusTip(path);
    connect(entry, &QAction::triggered, this, [this, path] { OpenProjectFile(path); });
  }
  menu->setToolTipsVisible(true);
}

void TmainForm::UpdateRecentMenus() {
  for (QMenu* menu : recentMenus_) menu->setEnabled(!workspace_.settings().recentProjects.empty());
}

QMenuBar* TmainForm::CreateMenuBar(const char* name, const char* const* layout) {
  auto* bar = new QMenuBar(this);
  bar->setObjectName(name);
  bar->setNativeMenuBar(false);
  QMenu* menu = nullptr;
  for (const char* const* entry = layout; *entry; ++entry) {
    const std::string item = *entry;
    if (item[0] == '[') {
      menu = bar->addMenu(QString());
      menu->setObjectName(QString::fromStdString(item.substr(1)));
      const TextId* caption = SubMenuCaption(item.substr(1));
      texts_->Add([menu, caption](Translator& tr) { menu->setTitle(Tr(tr, *caption)); });
    } else if (item == "^") {
      menu = nullptr;
    } else if (item == "-") {
      if (menu) menu->addSeparator();
    } else if (menu) {
      menu->addAction(Action(*entry));
    } else {
      bar->addAction(Action(*entry));
    }
  }
  return bar;
}

QToolBar* TmainForm::CreateToolBar(const char* name, std::initializer_list<const char*> buttons) {
  auto* bar = new QToolBar(this);
  bar->setObjectName(name);
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->toggleViewAction()->setVisible(false);
  bar->setContextMenuPolicy(Qt::PreventContextMenu);
  for (const char* button : buttons) {
    QAction* action = Action(button);
    bar->addAction(action);
    if (QWidget* widget = bar->widgetForAction(action)) widget->setObjectName(button);
  }
  addToolBar(Qt::TopToolBarArea, bar);
  return bar;
}

QAction* TmainForm::Action(const char* name) const {
  return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

bool TmainForm::Available(Availability availability) const {
  const bool project = Project() != nullptr;
  switch (availability) {
    case Availability::Always:
      return true;
    case Availability::Project:
      return project;
    case Availability::Options:
      return static_cast<bool>(hooks_.programOptions);
    case Availability::PrinterSetup:
      return static_cast<bool>(hooks_.printerSetup);
    case Availability::Print:
      return project && hooks_.print;
    case Availability::Download:
      return project && hooks_.download;
    case Availability::Simulate:
      return project && hooks_.simulate;
    case Availability::DosImport:
      return static_cast<bool>(hooks_.dosImport);
    case Availability::DisplaySettings:
      return project && editor_->HasDisplaySettings();
    case Availability::Clipboard:
      return project && editor_->HasCopyToClipboard();
    case Availability::Undo:
      return document_ && document_->CanUndo();
    case Availability::Redo:
      return document_ && document_->CanRedo();
    case Availability::ObjectClipboard:
      return project && editor_->HasObjectClipboard();
    case Availability::SelectAll:
      return project && editor_->HasSelectAll();
  }
  return false;
}

void TmainForm::UpdateCommandStates() {
  for (const Component& c : kComponents) Action(c.name)->setEnabled(Available(c.availability));
  UpdateUndoActions();
  const bool project = Project() != nullptr;
  infoPage_->findChild<QToolButton*>("TermChangeBut")->setEnabled(project && hooks_.chooseTerminal);
  infoPage_->findChild<QToolButton*>("BitBtn3")->setEnabled(project && hooks_.chooseCoupling);
}

// --- handlers of the commands that do not touch the project file -------------

void TmainForm::Druckereinrichtung1Click() {
  if (hooks_.printerSetup) hooks_.printerSetup(this, Printer());
}

void TmainForm::Drucken2Click() {
  if (hooks_.print && Project()) hooks_.print(this, workspace_, *Project(), Printer());
}

void TmainForm::Optionen1Click() {
  if (!hooks_.programOptions || !hooks_.programOptions(this, workspace_)) return;
  Retranslate();
  // Rows show translated words (type names, "Ja"/"Nein", "Wert"/"Bit",
  // colour names, sizes with their unit), as do the memory sizes.
  if (Project()) {
    FillLists();
    infoPage_->ShowTerminal(Project()->terminal.get());
  }
}

void TmainForm::Beenden1Click() {
  close();
}

// The manual in the language of the window, the German one where that
// language has none.
void TmainForm::HandbuchClick() {
  std::filesystem::path manual;
  for (const std::string& code : {workspace_.settings().code, std::string("049")}) {
    manual = workspace_.install().Resolve("doc\\handbuch_" + code + ".html");
    if (fs::is_regular_file(manual)) break;
  }
  const QString file = QString::fromStdString(manual.string());
  if (fs::is_regular_file(manual) && hooks_.showDocument && hooks_.showDocument(file)) return;
  Box().Show(MsgKind::Fehler, ButtonSet::Weiter,
             Text(txt::kHandbuchFehlt) + "\n" + Utf8ToCp1252(manual.string()));
}

void TmainForm::Info1Click() {
  (new TFirstQVXWin(&workspace_.translator(), this))->Present();  // frees itself when closed
}

void TmainForm::But_UebertragenClick() {
  if (!hooks_.download || !Project()) return;
  // Errors of the check would show on the terminal or break the download:
  // the user sees them first and decides.
  const std::vector<Finding> findings = CheckOpenProject(false);
  if (CountAtLeast(findings, Severity::Error) > 0 && !DownloadDespiteErrors(findings)) return;
  hooks_.download(this, workspace_, *Project(), Box());
}

// The image the download would send, shown by the simulator: no check
// first, since the simulator shows what errors do on the terminal.
void TmainForm::SimulierenClick() {
  if (hooks_.simulate && Project()) hooks_.simulate(this, workspace_, *Project(), Box());
}

void TmainForm::ProjektPruefenClick() {
  CheckOpenProject(true);
}

void TmainForm::Variablen1Click() {
  ShowView(kViewVariables);
}

void TmainForm::Alarme1Click() {
  ShowView(kViewAlarms);
}

void TmainForm::Bilder1Click() {
  ShowView(kViewPictures);
}

void TmainForm::Grid1Click() {
  if (Project()) editor_->ShowDisplaySettings();
}

void TmainForm::ToolButton35Click() {
  bool& shown = workspace_.settings().picture.projectpanel;
  shown = !shown;
  Action("ToolButton35")->setChecked(shown);
  if (view_ != kViewStart) baum_->setVisible(shown);
}

void TmainForm::PicToClipButClick() {
  if (Project()) editor_->CopyPictureToClipboard();
}

// The edit menu's object commands act on the open picture; elsewhere they
// leave the focused control its own.
namespace {
// A text field that has the focus takes the edit entries for its text.
bool TextFieldTakes(const char* slot) {
  QWidget* focus = QApplication::focusWidget();
  if (!TakesTextInput(focus)) return false;
  QMetaObject::invokeMethod(focus, slot);
  return true;
}
}  // namespace

void TmainForm::CutClick() {
  if (TextFieldTakes("cut")) return;
  if (Project() && CurrentPage() == kPageEditor) editor_->CutObjects();
}

void TmainForm::CopyClick() {
  if (TextFieldTakes("copy")) return;
  if (Project() && CurrentPage() == kPageEditor) editor_->CopyObjects();
}

void TmainForm::PasteClick() {
  if (TextFieldTakes("paste")) return;
  if (Project() && CurrentPage() == kPageEditor) editor_->PasteObjects();
}

void TmainForm::SelectAllClick() {
  if (TextFieldTakes("selectAll")) return;
  if (Project() && CurrentPage() == kPageEditor) editor_->SelectAllObjects();
}

void TmainForm::TermChangeButClick() {
  if (!hooks_.chooseTerminal || !Project()) return;
  auto chosen = hooks_.chooseTerminal(this, workspace_, *Project());
  if (!chosen) return;
  const int oldWidth = Project()->terminal ? Project()->terminal->width : 0;
  const int oldHeight = Project()->terminal ? Project()->terminal->height : 0;
  if (!Run(MakeTerminalEdit(txt::kEditTerminal, *Project(), std::move(chosen)))) return;
  const t_terminal& now = *Project()->terminal;
  if (now.width < oldWidth || now.height < oldHeight) TellObjectsOffTheDisplay();
}

// After a change to a smaller display: which pictures have objects that now
// lie wholly or partly outside it, and how many.
void TmainForm::TellObjectsOffTheDisplay() {
  const t_terminal& terminal = *Project()->terminal;
  std::string lines;
  int total = 0;
  ForEach<t_bild>(Project()->pictures, [&](t_bild& picture) {
    int outside = 0;
    for (const t_liste* o = picture.objects.get(); o; o = o->next()) {
      const auto& object = static_cast<const t_objekt&>(*o);
      outside += object.ExtentLeft() < 0 || object.ExtentTop() < 0 ||
                 object.ExtentRight() > terminal.width - 1 ||
                 object.ExtentBottom() > terminal.height - 1;
    }
    if (outside == 0) return;
    total += outside;
    lines += "\n" +
             WithValues(Text(txt::kObjekteAusserhalbBild), {std::to_string(picture.pictureNumber),
                                                            picture.name, std::to_string(outside)});
  });
  if (total == 0) return;
  const std::string size = std::to_string(terminal.width) + " x " + std::to_string(terminal.height);
  Box().Show(MsgKind::Warnung, ButtonSet::Weiter,
             WithValues(Text(txt::kObjekteAusserhalb), {size, std::to_string(total)}) + lines);
}

void TmainForm::BitBtn3Click() {
  if (!hooks_.chooseCoupling || !Project()) return;
  if (auto chosen = hooks_.chooseCoupling(this, workspace_, *Project()))
    Run(MakeCouplingEdit(txt::kEditCoupling, *Project(), std::move(chosen)));
}

// --- undo and redo ---------------------------------------------------------------

void TmainForm::UndoClick() {
  if (document_ && document_->CanUndo()) document_->Undo();
  UpdateUndoActions();
}

void TmainForm::RedoClick() {
  if (document_ && document_->CanRedo()) document_->Redo();
  UpdateUndoActions();
}

// The entries name the step they take back or do again.
void TmainForm::UpdateUndoActions() {
  Translator& tr = workspace_.translator();
  const TextId* undo = document_ ? document_->UndoName() : nullptr;
  const TextId* redo = document_ ? document_->RedoName() : nullptr;
  auto named = [&](const TextId& plain, const TextId& step, const TextId* name) {
    return name ? Tr(tr, step).replace("%s", Tr(tr, *name)) : Tr(tr, plain);
  };
  for (const char* name : {"Rueckgaengig1", "ToolButUndo"}) {
    QAction* action = Action(name);
    action->setEnabled(undo != nullptr);
    action->setText(named(txt::kEditUndo, txt::kEditUndoStep, undo));
    action->setToolTip(action->text());
  }
  for (const char* name : {"Wiederholen1", "ToolButRedo"}) {
    QAction* action = Action(name);
    action->setEnabled(redo != nullptr);
    action->setText(named(txt::kEditRedo, txt::kEditRedoStep, redo));
    action->setToolTip(action->text());
  }
}

}  // namespace tavo

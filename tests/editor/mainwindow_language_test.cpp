// Every text the window shows comes from the language table of the chosen
// language, apart from data (the project's own names and texts, numbers,
// dates): a walk over the views in German and in English collects what is
// shown and names every text that is no table entry.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <fstream>
#include <set>
#include <sstream>

#include "editor/mainwindow_splash.h"
#include "editor/sheet/objecticons.h"
#include "editor/sheet/objecttree.h"
#include "editor/sheet/picturepage.h"
#include "editor/simulator/simulatecommand.h"
#include "editor/simulator/simulatorwindow.h"
#include "mainwindow_fixture.h"
#include "objects/objekt.h"
#include "project/records.h"
#include "shell/codepage.h"

namespace tavo::testing {
namespace {

namespace fs = std::filesystem;

QString Plain(QString text) {
  // Mnemonics and the shortcut part of a menu entry are no words.
  text.remove(QRegularExpression("&(?=[^&])"));
  text = text.section('\t', 0, 0);
  // A hint may end in the key that gives the command: "(Ctrl+D)".
  static const QRegularExpression key(R"( \((Ctrl|Shift|Alt|Del|Ins|F\d)[^()]*\)$)");
  text.remove(key);
  return text.trimmed();
}

// The texts of a language table, as shown (mnemonics removed), and the
// texts with "%s" as patterns.
struct Table {
  std::set<QString> texts;
  std::vector<QRegularExpression> patterns;

  explicit Table(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const std::size_t eq = line.find('=');
      if (line.size() < 10 || line[4] != ',' || eq == std::string::npos) continue;
      const QString text = Plain(QString::fromStdString(Cp1252ToUtf8(line.substr(eq + 1))));
      if (text.isEmpty()) continue;
      texts.insert(text);
      if (text.contains("%s")) {
        QStringList parts = text.split("%s");
        for (QString& part : parts) part = QRegularExpression::escape(part);
        patterns.emplace_back("^" + parts.join(".*") + "$");
      }
    }
  }
  bool Holds(const QString& text) const {
    if (texts.count(text)) return true;
    for (const QRegularExpression& pattern : patterns)
      if (pattern.match(text).hasMatch()) return true;
    return false;
  }
};

// Numbers, times, dates, sizes and the like carry no words.
bool NoWords(const QString& text) {
  static const QRegularExpression letters("[A-Za-zÄÖÜäöüß]{2,}");
  return !letters.match(text).hasMatch();
}

class LanguageWalkTest : public MainWindowTest {
 protected:
  // What the project itself brings: names and texts are data.
  void CollectData(const t_projekt& project) {
    auto add = [this](const std::string& cp1252) {
      data_.insert(QString::fromStdString(Cp1252ToUtf8(cp1252)).trimmed());
    };
    if (project.head) {
      for (const std::string* s : {&project.head->name, &project.head->author, &project.head->info1,
                                   &project.head->info2, &project.head->info3})
        add(*s);
    }
    if (project.terminal) add(project.terminal->terminalName);
    if (project.coupling) add(project.coupling->couplingName);
    add(kVersionText);
    for (const t_liste* n : {project.alarms.get(), project.variables.get(), project.textLists.get(),
                             project.pictures.get()})
      for (; n; n = n->next()) add(n->name);
  }

  // Runs `open`, which is to show a modal dialog: looks at the dialog and
  // cancels it. False when no dialog came.
  bool LookAtDialog(const std::function<void()>& open) {
    bool found = false;
    int ticks = 0;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      if (QWidget* dialog = QApplication::activeModalWidget()) {
        poll.stop();
        found = true;
        seen_[Plain(dialog->windowTitle())] = dialog->objectName() + " (title)";
        Look(*dialog);
        dialog->close();
      } else if (++ticks > 250) {
        poll.stop();
      }
    });
    poll.start();
    open();
    poll.stop();
    return found;
  }

  void Look(QWidget& window) {
    auto take = [this](const QString& text, const QString& where) {
      const QString shown = Plain(text);
      if (shown.isEmpty()) return;
      seen_[shown] = where;
    };
    for (QWidget* w : window.findChildren<QWidget*>()) {
      if (!w->isVisible()) continue;
      const QString where =
          w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName();
      take(w->toolTip(), where + " (hint)");
      if (auto* label = qobject_cast<QLabel*>(w)) take(label->text(), where);
      if (auto* button = qobject_cast<QAbstractButton*>(w)) take(button->text(), where);
      if (auto* box = qobject_cast<QGroupBox*>(w)) take(box->title(), where);
      if (auto* edit = qobject_cast<QLineEdit*>(w)) take(edit->placeholderText(), where);
      if (auto* tabs = qobject_cast<QTabBar*>(w))
        for (int i = 0; i < tabs->count(); ++i) take(tabs->tabText(i), where);
      if (auto* header = qobject_cast<QHeaderView*>(w); header && header->model())
        for (int i = 0; i < header->count(); ++i) {
          take(header->model()->headerData(i, header->orientation()).toString(), where);
          take(header->model()->headerData(i, header->orientation(), Qt::ToolTipRole).toString(),
               where + " (hint)");
        }
      if (auto* bar = qobject_cast<QMenuBar*>(w))
        for (QAction* top : bar->actions()) {
          take(top->text(), where);
          if (QMenu* menu = top->menu())
            for (QAction* a : menu->actions()) {
              take(a->text(), menu->objectName());
              if (a->menu()) take(a->menu()->title(), menu->objectName());
            }
        }
      if (auto* bar = qobject_cast<QToolBar*>(w))
        for (QAction* a : bar->actions())
          if (a->isVisible()) take(a->toolTip(), where + " (hint)");
    }
  }

  // Texts shown that are neither table entries nor data.
  QStringList Strangers(const Table& table) const {
    QStringList strangers;
    for (const auto& [text, where] : seen_)
      if (!table.Holds(text) && !data_.count(text) && !NoWords(text))
        strangers << where + ": \"" + text + "\"";
    return strangers;
  }

  std::set<QString> data_;
  std::map<QString, QString> seen_;
};

TEST_F(LanguageWalkTest, EveryTextOfTheWindowIsATableEntryInBothLanguages) {
  EditorHooks hooks = Hooks();
  hooks.pictureEditor = DefaultEditorHooks().pictureEditor;
  hooks.simulate = [this](QWidget* parent, Workspace& ws, t_projekt& project, MessageBox& box) {
    SimulateCommandOptions options;
    options.workFolder = files_.path() / "simulator";
    RunSimulateCommand(parent, ws, project, box, options);
  };
  TmainForm& w = MakeWindow(std::move(hooks));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  for (const char* code : {"049", "044"}) {
    SCOPED_TRACE(code);
    workspace_->settings().code = code;
    workspace_->SetLanguage(code);
    w.ShowView(TmainForm::kViewStart);
    w.Retranslate();
    seen_.clear();
    Look(w);
    ASSERT_TRUE(w.OpenProjectFile(QString::fromStdString(ProjectCopy("Demo.qvx").string())));
    CollectData(*w.Project());
    w.Retranslate();
    auto* pages = Find<QTabWidget>("pagecontrol1");
    for (int page = 0; page < pages->count(); ++page) {
      if (page == TmainForm::kPageEditor) {
        Find<QTreeWidget>("baum")->setCurrentItem(
            Find<QTreeWidget>("baum")->topLevelItem(0)->child(3)->child(0));
      } else {
        pages->setCurrentIndex(page);
      }
      QApplication::processEvents();
      Look(w);
    }
    // The simulator window on the project's image.
    Action("ToolButSimulieren")->trigger();
    auto* simulator = window_->findChild<SimulatorWindow*>();
    ASSERT_NE(simulator, nullptr);
    seen_[Plain(simulator->windowTitle())] = "SimulatorWindow (title)";
    Look(*simulator);
    simulator->close();
    QApplication::processEvents();
    const Table table(Base() / "system" / (std::string(code) + ".SPR"));
    EXPECT_EQ(Strangers(table).join("\n").toStdString(), "");
    Action("schliessen")->trigger();
  }
}

// The dialogs the window opens speak its language too, the toolkit's file
// dialog included: each is opened as the user opens it, looked at and
// cancelled.
TEST_F(LanguageWalkTest, EveryTextOfTheDialogsIsATableEntryInBothLanguages) {
  EditorHooks hooks = DefaultEditorHooks();
  hooks.messageBox = nullptr;
  hooks.showDocument = [](const QString&) { return true; };
  TmainForm& w = MakeWindow(std::move(hooks));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  auto* pages = Find<QTabWidget>("pagecontrol1");
  auto trigger = [this](const char* name) {
    return [this, name] {
      QAction* action = window_->findChild<QAction*>(name);
      ASSERT_NE(action, nullptr) << name;
      action->trigger();
    };
  };
  auto click = [this](const char* name) {
    return [this, name] {
      auto* button = window_->findChild<QAbstractButton*>(name);
      ASSERT_NE(button, nullptr) << name;
      button->click();
    };
  };
  for (const char* code : {"049", "044"}) {
    SCOPED_TRACE(code);
    workspace_->settings().code = code;
    workspace_->SetLanguage(code);
    w.Retranslate();
    seen_.clear();
    ASSERT_TRUE(w.OpenProjectFile(QString::fromStdString(ProjectCopy("Demo.qvx").string())));
    CollectData(*w.Project());
    struct Step {
      const char* what;
      int page;  // shown first; -1: the first picture in the editor
      std::function<void()> open;
    };
    const Step steps[] = {
        {"program options", TmainForm::kPageInfo, trigger("Optionen2")},
        {"terminal", TmainForm::kPageInfo, click("TermChangeBut")},
        {"coupling", TmainForm::kPageInfo, click("BitBtn3")},
        {"new alarm", TmainForm::kPageAlarms, trigger("TabAlarme_Neu")},
        {"new variable", TmainForm::kPageVariables, trigger("TabVariablen_Neu")},
        {"new text list", TmainForm::kPageTexts, trigger("TabTexte_Neu")},
        {"display", -1, trigger("Grid1")},
        {"picture base data", -1, trigger("ToolButton18")},
        {"function keys", -1, trigger("ToolButton20")},
        {"soft keys", -1, trigger("ToolButton11")},
        {"drawing options", -1, trigger("ToolButoptionen")},
        {"fill colour", -1, trigger("ToolButton13")},
        {"fill pattern", -1, trigger("ToolButton14")},
        {"pen colour", -1, trigger("ToolButton15")},
        {"pen style", -1, trigger("ToolButton16")},
        {"pen width", -1, trigger("ToolButton17")},
        {"download", TmainForm::kPageInfo, click("But_Uebertragen")},
        {"open", TmainForm::kPageInfo, trigger("oeffnen2")},
        {"save as", TmainForm::kPageInfo, trigger("Speichernunter2")},
        {"print", TmainForm::kPageInfo, trigger("Drucken2")},
    };
    for (const Step& step : steps) {
      SCOPED_TRACE(step.what);
      if (step.page >= 0) {
        pages->setCurrentIndex(step.page);
      } else {
        auto* tree = Find<QTreeWidget>("baum");
        tree->setCurrentItem(tree->topLevelItem(0)->child(3)->child(0));
      }
      QApplication::processEvents();
      EXPECT_TRUE(LookAtDialog(step.open));
    }
    // The splash window of "Info", not modal.
    Action("Info2")->trigger();
    auto* splash = window_->findChild<TFirstQVXWin*>();
    ASSERT_NE(splash, nullptr);
    Look(*splash);
    splash->close();
    QApplication::processEvents();
    // The property dialog of every kind of object the field demo's pictures
    // hold, and the switching dialog.
    w.CurrentDocument()->MarkSaved();
    ASSERT_TRUE(w.OpenProjectFile(QString::fromStdString(ProjectCopy("Felder.qvx").string())));
    CollectData(*w.Project());
    auto* page = window_->findChild<PicturePage*>();
    ASSERT_NE(page, nullptr);
    ObjListe& objects = *page->ObjectTree()->Tree();
    auto* properties = page->ObjectTree()->findChild<QToolButton*>("ToolButton5");
    auto* switching = page->ObjectTree()->findChild<QToolButton*>("ToolButton19");
    std::set<int> kinds;
    QTreeWidgetItem* pictures = Find<QTreeWidget>("baum")->topLevelItem(0)->child(3);
    for (int p = 0; p < pictures->childCount(); ++p) {
      Find<QTreeWidget>("baum")->setCurrentItem(pictures->child(p));
      QApplication::processEvents();
      const t_bild* picture = page->OpenPicture();
      ASSERT_NE(picture, nullptr);
      for (const t_liste* o = picture->objects.get(); o; o = o->next()) {
        const auto& object = static_cast<const t_objekt&>(*o);
        if (PropertyImageIndex(object.Kind()) < 0 || !kinds.insert(object.Kind()).second) continue;
        ASSERT_NE(objects.NodeOf(&object), nullptr);
        objects.setCurrentItem(objects.NodeOf(&object));
        SCOPED_TRACE(int(object.Kind()));
        EXPECT_TRUE(LookAtDialog([properties] { properties->click(); }));
        if (kinds.size() == 1) {
          EXPECT_TRUE(LookAtDialog([switching] { switching->click(); }));
        }
      }
    }
    EXPECT_GE(kinds.size(), 4u);
    const Table table(Base() / "system" / (std::string(code) + ".SPR"));
    EXPECT_EQ(Strangers(table).join("\n").toStdString(), "");
    w.CurrentDocument()->MarkSaved();
    Action("schliessen")->trigger();
  }
}

}  // namespace
}  // namespace tavo::testing

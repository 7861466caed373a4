// Views, menus, tool bars and the navigation tree of the main window.

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>

#include "editor/mainwindow_splash.h"

#include "mainwindow_fixture.h"
#include "shell/codepage.h"

namespace tavo::testing {
namespace {

QStringList Entries(QMenuBar* bar) {
  QStringList names;
  for (QAction* top : bar->actions()) {
    if (QMenu* menu = top->menu()) {
      names << "[" + menu->objectName();
      for (QAction* a : menu->actions()) names << (a->isSeparator() ? "-" : a->objectName());
      names << "]";
    } else {
      names << top->objectName();
    }
  }
  return names;
}

QStringList Buttons(QToolBar* bar) {
  QStringList names;
  for (QAction* a : bar->actions()) names << a->objectName();
  return names;
}

using ViewTest = MainWindowTest;

TEST_F(ViewTest, StartViewOffersOnlyTheStartMenuAndToolBar) {
  TmainForm& w = MakeWindow();
  EXPECT_EQ(w.CurrentView(), TmainForm::kViewStart);
  EXPECT_TRUE(Find<QMenuBar>("MenuStart")->isVisible());
  EXPECT_FALSE(Find<QMenuBar>("MenuOffen")->isVisible());
  EXPECT_TRUE(Find<QToolBar>("tb_programm1")->isVisible());
  EXPECT_FALSE(Find<QToolBar>("tb_programm2")->isVisible());
  EXPECT_FALSE(Find<QTabWidget>("pagecontrol1")->isVisible());
  EXPECT_FALSE(Find<QTreeWidget>("baum")->isVisible());
  EXPECT_EQ(w.StatusPanelText(2).toStdString(), "nicht geladen");
  EXPECT_EQ(w.size(), QSize(1024, 768));

  EXPECT_EQ(
      Entries(Find<QMenuBar>("MenuStart")),
      (QStringList{"[Datei1", "Neu1", "oeffnen1", "Zuletzt1", "ImportDos1", "Druckereinrichtung1",
                   "Optionen1", "-", "Beenden1", "]", "[Hilfe1", "Handbuch1", "-", "Info1", "]"}));
  EXPECT_EQ(Entries(Find<QMenuBar>("MenuOffen")), (QStringList{"[Datei2",
                                                               "Neu2",
                                                               "oeffnen2",
                                                               "Zuletzt2",
                                                               "ImportDos2",
                                                               "Speichern2",
                                                               "Speichernunter2",
                                                               "schliessen",
                                                               "-",
                                                               "Pruefen1",
                                                               "Simulieren1",
                                                               "Drucken2",
                                                               "Druckereinrichtung2",
                                                               "Optionen2",
                                                               "-",
                                                               "Beenden2",
                                                               "]",
                                                               "[Bearbeiten1",
                                                               "Rueckgaengig1",
                                                               "Wiederholen1",
                                                               "-",
                                                               "Ausschneiden1",
                                                               "Kopieren1",
                                                               "Einfuegen1",
                                                               "-",
                                                               "AllesMarkieren1",
                                                               "]",
                                                               "[Ansicht1",
                                                               "Variablen1",
                                                               "Alarme1",
                                                               "Bilder1",
                                                               "]",
                                                               "[Einstellungen1",
                                                               "Grid1",
                                                               "]",
                                                               "[Hilfe2",
                                                               "Handbuch2",
                                                               "-",
                                                               "Info2",
                                                               "]"}));
  EXPECT_EQ(Buttons(Find<QToolBar>("tb_programm1")),
            (QStringList{"ToolButton2", "ToolButton3", "ToolButton36"}));
  EXPECT_EQ(Buttons(Find<QToolBar>("tb_programm2")),
            (QStringList{"ToolButton1", "ToolButton30", "ToolButton33", "ToolButton21",
                         "ToolButUndo", "ToolButRedo", "ToolButton35", "ToolButPruefen",
                         "But_Uebertragen", "ToolButSimulieren", "PicToClipBut", "ToolButton8"}));
  EXPECT_EQ(Action("Neu1")->text().toStdString(), "&Neu");
  EXPECT_EQ(Action("ToolButton35")->toolTip().toStdString(), "Projektansicht ändern");
}

TEST_F(ViewTest, EachViewShowsItsPageAndTheClipboardButtonOnlyOnTheEditorPage) {
  TmainForm& w = WindowWith(ProjectCopy("Demo.qvx"));
  auto* pages = Find<QTabWidget>("pagecontrol1");
  QStringList tabs;
  for (int i = 0; i < pages->count(); ++i) tabs << pages->widget(i)->objectName();
  EXPECT_EQ(tabs, (QStringList{"TabInfo", "TabAlarme", "TabVariablen", "TabTexte", "TabBilder",
                               "TabBildedit"}));
  EXPECT_EQ(pages->tabText(0).toStdString(), "ProjektInfo");
  EXPECT_EQ(pages->tabText(5).toStdString(), "BildEditor");

  struct Case {
    int view;
    const char* page;
  };
  for (const Case& c : {Case{1, "TabInfo"}, Case{2, "TabVariablen"}, Case{3, "TabAlarme"},
                        Case{4, "TabBilder"}, Case{5, "TabBildedit"}, Case{1, "TabInfo"}}) {
    SCOPED_TRACE(c.view);
    w.ShowView(c.view);
    EXPECT_EQ(pages->currentWidget()->objectName(), c.page);
    EXPECT_TRUE(Find<QMenuBar>("MenuOffen")->isVisible());
    EXPECT_FALSE(Find<QMenuBar>("MenuStart")->isVisible());
    EXPECT_TRUE(Find<QToolBar>("tb_programm2")->isVisible());
    EXPECT_FALSE(Find<QToolBar>("tb_programm1")->isVisible());
    EXPECT_TRUE(pages->isVisible());
    EXPECT_EQ(Action("PicToClipBut")->isVisible(), c.view == 5);
  }
  // Picking a tab by hand follows the same rule.
  pages->setCurrentIndex(TmainForm::kPageEditor);
  EXPECT_TRUE(Action("PicToClipBut")->isVisible());
  pages->setCurrentIndex(TmainForm::kPageTexts);
  EXPECT_FALSE(Action("PicToClipBut")->isVisible());

  Action("schliessen")->trigger();
  EXPECT_EQ(w.CurrentView(), TmainForm::kViewStart);
  EXPECT_FALSE(pages->isVisible());
  EXPECT_TRUE(Find<QMenuBar>("MenuStart")->isVisible());
}

TEST_F(ViewTest, ViewMenuEntriesSwitchViews) {
  TmainForm& w = WindowWith(ProjectCopy("Demo.qvx"));
  Action("Variablen1")->trigger();
  EXPECT_EQ(w.CurrentView(), TmainForm::kViewVariables);
  Action("Alarme1")->trigger();
  EXPECT_EQ(w.CurrentPage(), TmainForm::kPageAlarms);
  Action("Bilder1")->trigger();
  EXPECT_EQ(w.CurrentPage(), TmainForm::kPagePictures);
}

TEST_F(ViewTest, NavigationTreeListsThePagesAndPicturesWithTheirKindTags) {
  TmainForm& w = WindowWith(ProjectCopy("Demo.qvx"));
  auto* baum = Find<QTreeWidget>("baum");
  ASSERT_EQ(baum->topLevelItemCount(), 1);
  QTreeWidgetItem* root = baum->topLevelItem(0);
  EXPECT_EQ(root->text(0).toStdString(), "Demo Kläranlage");
  EXPECT_TRUE(root->isExpanded());
  ASSERT_EQ(root->childCount(), 4);
  auto tag = [](QTreeWidgetItem* item) {
    auto* data = reinterpret_cast<t_liste*>(item->data(0, Qt::UserRole).value<quintptr>());
    return data ? int(data->kindTag()) : -1;
  };
  struct Node {
    const char* text;
    int tag;
    int view;
  };
  const Node nodes[] = {
      {"Projektinfo", -1, 1}, {"Variablen", 10, 2}, {"Alarme", 12, 3}, {"Bilder", 16, 4}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(nodes[i].text);
    EXPECT_EQ(root->child(i)->text(0).toStdString(), nodes[i].text);
    EXPECT_EQ(tag(root->child(i)), nodes[i].tag);
    // From a view whose node is another one (the tree shows the view's node).
    w.ShowView(nodes[i].view == TmainForm::kViewAlarms ? TmainForm::kViewInfo
                                                       : TmainForm::kViewAlarms);
    baum->setCurrentItem(root->child(i));
    EXPECT_EQ(w.CurrentView(), nodes[i].view);
  }

  // One node per picture, in project order; choosing one opens it.
  QTreeWidgetItem* pictures = root->child(3);
  ASSERT_EQ(pictures->childCount(), CountNodes(w.Project()->pictures.get()));
  QTreeWidgetItem* second = pictures->child(1);
  EXPECT_EQ(tag(second), kTagBild);
  const t_liste* record = w.Project()->pictures->next();
  EXPECT_EQ(second->text(0).toStdString(), Cp1252ToUtf8(record->name));
  baum->setCurrentItem(second);
  EXPECT_EQ(w.CurrentView(), TmainForm::kViewEditor);
  EXPECT_EQ(w.Editor().OpenPicture(), record);

  // The root carries no data: project info.
  baum->setCurrentItem(root);
  EXPECT_EQ(w.CurrentView(), TmainForm::kViewInfo);
}

// The highlighted tab, the page shown, the view and the tree's node agree
// whichever way the page was chosen: a tab picked while the cursor is in a
// field of the info page once sent the focus to the tree, whose first node
// then took the window back to the info page.
TEST_F(ViewTest, TabTreeAndViewStayInStep) {
  TmainForm& w = MakeWindow();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  ASSERT_TRUE(w.OpenProjectFile(QString::fromStdString(ProjectCopy("Demo.qvx").string())));
  auto* pages = Find<QTabWidget>("pagecontrol1");
  auto* baum = Find<QTreeWidget>("baum");
  QTreeWidgetItem* root = baum->topLevelItem(0);
  auto expectInStep = [&](int view, int page, QTreeWidgetItem* node) {
    EXPECT_EQ(w.CurrentView(), view);
    EXPECT_EQ(pages->currentIndex(), page);
    EXPECT_EQ(pages->tabBar()->currentIndex(), page);
    for (int i = 0; i < pages->count(); ++i)
      EXPECT_EQ(pages->widget(i)->isVisible(), i == page) << "page " << i;
    EXPECT_EQ(baum->currentItem(), node);
  };
  expectInStep(TmainForm::kViewInfo, TmainForm::kPageInfo, root->child(0));

  for (const bool afterNew : {false, true}) {
    SCOPED_TRACE(afterNew ? "after New" : "after Open");
    if (afterNew) {
      Action("Neu2")->trigger();
      root = baum->topLevelItem(0);
    }
    Find<QLineEdit>("PrjNameStr")->setFocus();
    QApplication::processEvents();
    // The "Bilder" tab, clicked once.
    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {},
                      pages->tabBar()->tabRect(TmainForm::kPagePictures).center());
    expectInStep(TmainForm::kViewPictures, TmainForm::kPagePictures, root->child(3));
    // The editor opened from the list: tab, page and tree node follow.
    if (!afterNew) {
      w.ShowView(TmainForm::kViewPictures);
      baum->setCurrentItem(root->child(3)->child(1));
      expectInStep(TmainForm::kViewEditor, TmainForm::kPageEditor, root->child(3)->child(1));
    }
    // And back to the info page by its tab, at the first click.
    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {},
                      pages->tabBar()->tabRect(TmainForm::kPageInfo).center());
    expectInStep(TmainForm::kViewInfo, TmainForm::kPageInfo, root->child(0));
    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {},
                      pages->tabBar()->tabRect(TmainForm::kPageAlarms).center());
    expectInStep(TmainForm::kViewAlarms, TmainForm::kPageAlarms, root->child(2));
    w.ShowView(TmainForm::kViewInfo);
  }
}

TEST_F(ViewTest, ProjectPanelButtonTogglesTheSettingAndTheTree) {
  workspace_->settings().picture.projectpanel = false;
  TmainForm& w = MakeWindow();
  w.FormActivate();
  EXPECT_FALSE(Action("ToolButton35")->isChecked());
  ASSERT_TRUE(w.OpenProjectFile(QString::fromStdString(ProjectCopy("Demo.qvx").string())));
  auto* baum = Find<QTreeWidget>("baum");
  EXPECT_TRUE(baum->isVisible());  // opening shows the tree anyway

  Action("ToolButton35")->trigger();
  EXPECT_TRUE(workspace_->settings().picture.projectpanel);
  EXPECT_TRUE(Action("ToolButton35")->isChecked());
  EXPECT_TRUE(baum->isVisible());
  Action("ToolButton35")->trigger();
  EXPECT_FALSE(workspace_->settings().picture.projectpanel);
  EXPECT_FALSE(Action("ToolButton35")->isChecked());
  EXPECT_FALSE(baum->isVisible());
}

TEST_F(ViewTest, CommandsOfPiecesNotWiredAreDisabledAndWiredOnesRun) {
  {
    WindowWith(ProjectCopy("Demo.qvx"));
    for (const char* name :
         {"ToolButton36", "Optionen1", "Optionen2", "Drucken2", "ToolButton8", "But_Uebertragen",
          "ToolButSimulieren", "Simulieren1", "Grid1", "PicToClipBut", "Druckereinrichtung1"})
      EXPECT_FALSE(Action(name)->isEnabled()) << name;
    EXPECT_TRUE(Action("Neu1")->isEnabled());
  }
  EditorHooks hooks = Hooks();
  int downloads = 0;
  const t_projekt* downloaded = nullptr;
  hooks.download = [&](QWidget*, Workspace&, t_projekt& p, MessageBox& box) {
    ++downloads;
    downloaded = &p;
    EXPECT_EQ(&box, &box_);
  };
  hooks.programOptions = [&](QWidget*, Workspace& ws) {
    ws.SetLanguage("044");  // the user chose English
    return true;
  };
  TmainForm& w = MakeWindow(std::move(hooks));
  EXPECT_FALSE(Action("But_Uebertragen")->isEnabled());  // no project yet
  ASSERT_TRUE(w.OpenProjectFile(QString::fromStdString(ProjectCopy("Demo.qvx").string())));
  ASSERT_TRUE(Action("But_Uebertragen")->isEnabled());
  Action("But_Uebertragen")->trigger();
  EXPECT_EQ(downloads, 1);
  EXPECT_EQ(downloaded, w.Project());

  // After the options dialog every caption is translated again.
  Action("Optionen2")->trigger();
  EXPECT_EQ(Action("Neu2")->text().toStdString(), "&New");
  EXPECT_EQ(Find<QTabWidget>("pagecontrol1")->tabText(0).toStdString(), "Project info");
  EXPECT_EQ(Find<QTreeWidget>("baum")->topLevelItem(0)->child(1)->text(0).toStdString(),
            "Variables");
  EXPECT_EQ(Find<QTreeView>("TabVariablen_Liste")
                ->model()
                ->headerData(2, Qt::Horizontal)
                .toString()
                .toStdString(),
            "Address");
}

}  // namespace
}  // namespace tavo::testing

namespace tavo::testing {
namespace {

TEST_F(ViewTest, InfoShowsTheSplashWindowWhichClosesOnEscape) {
  MakeWindow();
  Action("Info1")->trigger();
  QPointer<TFirstQVXWin> splash = window_->findChild<TFirstQVXWin*>("TFirstQVXWin");
  ASSERT_NE(splash, nullptr);
  EXPECT_TRUE(splash->isVisible());
  EXPECT_FALSE(splash->isModal());
  EXPECT_EQ(splash->findChild<QLabel*>("VersionLabel")->text(), "Version 5.0.8.0");
  EXPECT_EQ(splash->findChild<QLabel*>("Image1")->toolTip(), "Programm Info");
  QTest::keyClick(splash, Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(splash, nullptr);  // closed and freed
}

}  // namespace
}  // namespace tavo::testing

// What the window shows of a project: grey terminals in grey, rows tall
// enough for their letters, pages that fit small windows, and the word
// when a smaller terminal leaves objects off its display.

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardItem>
#include <QTabWidget>
#include <QToolBar>

#include <QLabel>
#include <QProgressBar>
#include <QStatusTipEvent>

#include "editor/mainwindow_progress.h"
#include "editor/pages/infopage.h"
#include "editor/pages/recordtable.h"
#include "mainwindow_fixture.h"
#include "objects/tview.h"

namespace tavo::testing {
namespace {

// A picture in palette colour 1 (blue) on a terminal with the given definition.
std::string OnePictureProject(const std::string& terminal) {
  return "[Head]\r\n-Name = \"Grau\"\r\n[Terminal]\r\n-DOSVersion = \"" + terminal +
         "\"\r\n[PLC]\r\n-DOSVersion = \"SPS_DBW.KOP\"\r\n[Pictures]\r\n"
         "-Picture(1;1;\"Haupt\";1)\r\n-PictureEnd\r\n";
}

using DisplayTest = MainWindowTest;

// The display follows the terminal: a grey terminal's pictures are grey
// from the start, on the sheet and in the thumbnails; the grey button still
// switches.
TEST_F(DisplayTest, GreyTerminalsAreShownGreyFromTheStart) {
  struct Case {
    const char* terminal;
    bool grey;
  };
  for (const Case& c : {Case{"VTA_240M.TRM", true}, Case{"VTA_640C.TRM", false}}) {
    SCOPED_TRACE(c.terminal);
    workspace_->settings().picture.grayscale = !c.grey;
    TmainForm& w = WindowWith(ProjectFile("grau.qvx", OnePictureProject(c.terminal)));
    ASSERT_EQ(w.Project()->terminal->greyScale, c.grey);
    EXPECT_EQ(workspace_->settings().picture.grayscale, c.grey);
    auto* pictures = Find<RecordTable>("bild_liste_Bericht");
    const QImage thumbnail =
        pictures->SourceModel().item(0, 0)->icon().pixmap(QSize(81, 60)).toImage();
    const Rgb palette = c.grey ? GreyPalette(1) : ColourPalette(1);  // blue, green, red bytes
    const QRgb expected = qRgb(int(palette & 0xFF), int(palette >> 8 & 0xFF), int(palette >> 16));
    EXPECT_EQ(thumbnail.pixel(thumbnail.width() / 2, thumbnail.height() / 2), expected);
  }
}

// The load progress says in figures what its bar shows, from the start.
TEST_F(DisplayTest, LoadProgressFigureAndBarAgree) {
  LoadProgressWindow progress(workspace_->translator(), nullptr);
  auto figure = [&progress] {
    for (QLabel* label : progress.findChildren<QLabel*>())
      if (label->text().endsWith('%')) return label->text().toStdString();
    return std::string();
  };
  auto* bar = progress.findChild<QProgressBar*>();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(figure(), "0 %");
  EXPECT_EQ(bar->value(), 0);
  progress.SetPercent(40);
  EXPECT_EQ(figure(), "40 %");
  EXPECT_EQ(bar->value(), 40);
}

// Every page lays out without overlap in a window of 800 x 600 (no part
// smaller than it needs); the info page, the tallest, scrolls below that
// instead of squeezing its fields over each other.
TEST_F(DisplayTest, PagesFitAWindowOf800By600AndTheInfoPageScrollsBelow) {
  EditorHooks hooks = Hooks();
  hooks.pictureEditor = DefaultEditorHooks().pictureEditor;
  TmainForm& w = MakeWindow(std::move(hooks));
  ASSERT_TRUE(w.OpenProjectFile(QString::fromStdString(ProjectCopy("Demo.qvx").string())));
  w.resize(800, 600);
  auto* pages = Find<QTabWidget>("pagecontrol1");
  // Every widget of a page at least as large as it needs: none overlaps.
  auto fits = [](QWidget* page) {
    for (QWidget* part : page->findChildren<QWidget*>()) {
      if (!part->isVisible() || qobject_cast<QScrollArea*>(part->parentWidget())) continue;
      const QSize need = part->minimumSizeHint();
      if (part->layout() && (part->width() < need.width() || part->height() < need.height()))
        return part->objectName().toStdString() + " " + std::to_string(part->width()) + "x" +
               std::to_string(part->height()) + " < " + std::to_string(need.width()) + "x" +
               std::to_string(need.height());
    }
    return std::string();
  };
  for (int page = 0; page < pages->count(); ++page) {
    pages->setCurrentIndex(page);
    QApplication::processEvents();
    EXPECT_EQ(w.size(), QSize(800, 600)) << "page " << page;
    EXPECT_EQ(fits(pages->currentWidget()), "") << "page " << page;
  }
  pages->setCurrentIndex(TmainForm::kPageInfo);
  auto* scroll = Find<QScrollArea>("TabInfoScroll");
  QApplication::processEvents();
  EXPECT_FALSE(scroll->verticalScrollBar()->isVisible());

  w.resize(800, 560);
  QApplication::processEvents();
  QWidget* content = scroll->widget();
  EXPECT_GE(content->height(), content->minimumSizeHint().height());
  EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());
}

// The hint of a command under the mouse shows beside the panels; as the
// status bar's message it hid time, date and project state.
TEST_F(DisplayTest, CommandHintsLeaveTheStatusPanelsShown) {
  TmainForm& w = WindowWith(ProjectCopy("Demo.qvx"));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QAction* save = Action("ToolButton33");
  save->showStatusText(Find<QToolBar>("tb_programm2"));
  QApplication::processEvents();
  EXPECT_EQ(Find<QLabel>("StatusHint")->text(), save->statusTip());
  EXPECT_FALSE(save->statusTip().isEmpty());
  for (const char* panel : {"StatusPanel0", "StatusPanel1", "StatusPanel2"})
    EXPECT_TRUE(Find<QLabel>(panel)->isVisible()) << panel;
  EXPECT_EQ(w.StatusPanelText(2).toStdString(), "im Speicher");
  // Leaving the button clears the hint.
  save->showStatusText(Find<QToolBar>("tb_programm2"));
  QStatusTipEvent leave{QString()};
  QApplication::sendEvent(Find<QToolBar>("tb_programm2"), &leave);
  EXPECT_EQ(Find<QLabel>("StatusHint")->text(), "");
}

// A 640 x 480 project: picture 1 with one object beyond x 319, picture 2
// with one beyond x 319 and one beyond y 239, picture 3 all inside.
const char* const kWideProject =
    "[Head]\r\n-Name = \"Breit\"\r\n[Terminal]\r\n-DOSVersion = \"VTA_640C.TRM\"\r\n"
    "[PLC]\r\n-DOSVersion = \"SPS_DBW.KOP\"\r\n[Pictures]\r\n"
    "-Picture(1;1;\"Eins\";15)\r\n"
    "-Object(2;0;0;0;0;1;0;15;1;\"r\";10;10;50;10;50;50;10;50)\r\n"
    "-Object(1;0;0;0;0;1;0;0;0;\"l\";0;0;400;100)\r\n"
    "-PictureEnd\r\n"
    "-Picture(2;7;\"Zwei\";15)\r\n"
    "-Object(2;0;0;0;0;1;0;15;1;\"r\";300;10;350;10;350;50;300;50)\r\n"
    "-Object(2;0;0;0;0;1;0;15;1;\"r\";0;250;10;250;10;260;0;260)\r\n"
    "-PictureEnd\r\n"
    "-Picture(3;3;\"Drei\";15)\r\n"
    "-Object(1;0;0;0;0;1;0;0;0;\"l\";0;0;100;100)\r\n"
    "-PictureEnd\r\n";

// A smaller terminal says which pictures now have objects off its display.
TEST_F(DisplayTest, ASmallerTerminalSaysWhichObjectsLieOutsideIt) {
  struct Case {
    int width, height;
    std::string message;  // empty: nothing to say
  };
  const Case cases[] = {
      {320, 240,
       "Die Anzeige des neuen Terminals ist 320 x 240 Pixel gro\xDF. 3 Objekte liegen jetzt ganz "
       "oder teilweise au\xDF"
       "erhalb:\nBild 1 \"Eins\": 1 Objekte\nBild 7 \"Zwei\": 2 Objekte"},
      {640, 480, ""},  // not smaller
      {500, 400, ""},  // smaller, everything still on it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    EditorHooks hooks = Hooks();
    hooks.chooseTerminal = [&c](QWidget*, Workspace&, const t_projekt& p) {
      auto terminal = std::make_unique<t_terminal>();
      terminal->CopyFrom(*p.terminal);
      terminal->width = static_cast<std::int16_t>(c.width);
      terminal->height = static_cast<std::int16_t>(c.height);
      return terminal;
    };
    box_ = ScriptedMessageBox();
    TmainForm& w = MakeWindow(std::move(hooks));
    ASSERT_TRUE(
        w.OpenProjectFile(QString::fromStdString(ProjectFile("breit.qvx", kWideProject).string())));
    w.TermChangeButClick();
    EXPECT_EQ(w.Project()->terminal->width, c.width);
    if (c.message.empty()) {
      EXPECT_TRUE(box_.Calls().empty());
    } else {
      ASSERT_EQ(box_.Calls().size(), 1u);
      EXPECT_EQ(box_.Calls()[0].kind, MsgKind::Warnung);
      EXPECT_EQ(box_.Calls()[0].text, c.message);
    }
  }
}

// Sizes as people read them, the start picture marked, alarm headings in
// full words with hints, and colour names in the window's language.
TEST_F(DisplayTest, ListsAndInfoSpeakTheUsersTerms) {
  EditorHooks hooks = Hooks();
  hooks.programOptions = [](QWidget*, Workspace& workspace) {
    workspace.settings().code = "044";
    workspace.SetLanguage("044");
    return true;
  };
  TmainForm& w = MakeWindow(std::move(hooks));
  ASSERT_TRUE(w.OpenProjectFile(QString::fromStdString(ProjectCopy("Demo.qvx").string())));
  EXPECT_EQ(Find<QLabel>("PrjTermHMemStr")->text().toStdString(), "2 MB");
  EXPECT_EQ(Find<QLabel>("PrjTermFMemStr")->text().toStdString(), "4 MB");
  EXPECT_EQ(MemoryText(workspace_->translator(), 524288).toStdString(), "512 KB");
  EXPECT_EQ(MemoryText(workspace_->translator(), 1536 * 1024).toStdString(), "1536 KB");
  EXPECT_EQ(MemoryText(workspace_->translator(), 100).toStdString(), "100 Bytes");

  auto* pictures = Find<RecordTable>("bild_liste_Bericht");
  const auto& firstPicture = static_cast<const t_bild&>(*w.Project()->pictures);
  EXPECT_EQ(pictures->TextAt(0, 3).toStdString(), std::to_string(firstPicture.size) + " Bytes");
  // The start picture (number 1) stands out in the list and in the tree.
  QStandardItem* first = pictures->SourceModel().item(0, 0);
  EXPECT_TRUE(first->font().bold());
  EXPECT_EQ(first->toolTip().toStdString(), "Startbild");
  EXPECT_FALSE(pictures->SourceModel().item(1, 0)->font().bold());
  QTreeWidgetItem* node = Find<QTreeWidget>("baum")->topLevelItem(0)->child(3)->child(0);
  EXPECT_TRUE(node->font(0).bold());
  EXPECT_EQ(node->toolTip(0).toStdString(), "Startbild");

  auto* alarms = Find<RecordTable>("TabAlarme_Liste");
  QStringList headings, hints;
  for (int c = 0; c < 6; ++c) {
    headings << alarms->model()->headerData(c, Qt::Horizontal).toString();
    hints << alarms->model()->headerData(c, Qt::Horizontal, Qt::ToolTipRole).toString();
  }
  EXPECT_EQ(headings, (QStringList{"Nummer", "Text", "Dynamisch", "Unterbrechend", "History Kommen",
                                   "History Gehen"}));
  for (const QString& hint : hints) EXPECT_FALSE(hint.isEmpty());
  // The headings fit their columns.
  for (int c = 2; c < 6; ++c)
    EXPECT_GE(alarms->columnWidth(c),
              alarms->header()->fontMetrics().horizontalAdvance(headings[c]))
        << headings[c].toStdString();
  // All six fit the page of a window of 1024 x 768, the program's first size.
  w.resize(1024, 768);
  Find<QTabWidget>("pagecontrol1")->setCurrentIndex(TmainForm::kPageAlarms);
  QApplication::processEvents();
  EXPECT_LE(alarms->header()->sectionPosition(5) + alarms->columnWidth(5),
            alarms->viewport()->width());

  // Colour names and units follow the language chosen in the options.
  EXPECT_EQ(pictures->TextAt(0, 2).toStdString(), "Hellgrau");
  Action("Optionen2")->trigger();
  EXPECT_EQ(pictures->TextAt(0, 2).toStdString(), "Light grey");
  EXPECT_EQ(pictures->TextAt(0, 3).toStdString(), std::to_string(firstPicture.size) + " bytes");
  EXPECT_EQ(pictures->SourceModel().item(0, 0)->toolTip().toStdString(), "Start picture");
  EXPECT_EQ(Find<QLabel>("PrjTermHMemStr")->text().toStdString(), "2 MB");
}

}  // namespace
}  // namespace tavo::testing

// The four list pages: columns, row texts, sorting by a heading, the
// picture list's thumbnails and statistics, and the keys that reach them.

#include <QListView>
#include <QStackedWidget>
#include <QTabWidget>

#include "editor/pages/picturelist.h"
#include "editor/pages/recordtable.h"
#include "mainwindow_fixture.h"
#include "objects/objekt.h"
#include "qt/qimagecanvas.h"
#include "shell/settings.h"

namespace tavo::testing {
namespace {

// A 320 x 240 terminal with a data block coupling; records out of order.
const char* const kListProject =
    "[Head]\r\n"
    "-Name         = \"Listen\"\r\n"
    "[Terminal]\r\n"
    "-DOSVersion    = \"VTA_2MBM.TRM\"\r\n"
    "[PLC]\r\n"
    "-DOSVersion    = \"SPS_DBW.KOP\"\r\n"
    "[Variables]\r\n"
    "-Variable(10;010,005;3;2;1;\"b\")\r\n"
    "-Variable(9;001,000;4;4;1;\"B\")\r\n"
    "-Variable(100;000,007;1;2;1;\"a\")\r\n"
    "[Alarms]\r\n"
    "-Alarm(7;\"S008X016.FON\";128;1;\"Zulauf\")\r\n"
    "-Alarm(2;\"S008X016.FON\";4;2;\"Ablauf\")\r\n"
    "[TextList]\r\n"
    "-TextList(\"Werte\";2;Wert)\r\n"
    "-Text(\"x\";0)\r\n"
    "-TextListEnd\r\n"
    "-TextList(\"Bits\";1;Bit)\r\n"
    "-Text(\"y\";1)\r\n"
    "-TextListEnd\r\n"
    "[Pictures]\r\n"
    "-Picture(1;5;\"Haupt\";4)\r\n"
    "-Object(2;0;0;0;0;1;0;15;1;\"r1\";10;10;50;10;50;50;10;50)\r\n"
    "-Object(2;0;0;0;0;1;0;15;1;\"r2\";60;10;90;10;90;50;60;50)\r\n"
    "-Object(1;0;0;0;0;1;0;0;0;\"l1\";0;0;100;100)\r\n"
    "-PictureEnd\r\n"
    "-Picture(2;3;\"haupt\";1)\r\n"
    "-Object(1;0;0;0;0;1;0;0;0;\"l2\";0;0;10;10)\r\n"
    "-Object(1;0;0;0;0;1;0;0;0;\"l3\";0;0;20;20)\r\n"
    "-PictureEnd\r\n";

QStringList Column(RecordTable* table, int column) {
  QStringList texts;
  for (int row = 0; row < table->RowCount(); ++row) texts << table->TextAt(row, column);
  return texts;
}

using ListPageTest = MainWindowTest;

TEST_F(ListPageTest, RowsShowTheRecordsInListOrder) {
  WindowWith(ProjectFile("listen.qvx", kListProject));
  auto* variables = Find<RecordTable>("TabVariablen_Liste");
  EXPECT_EQ(Column(variables, 0), (QStringList{"b", "B", "a"}));
  // SIEMENS coupling: data block and data word.
  EXPECT_EQ(Column(variables, 2), (QStringList{"DB10 DW5", "DB1 DW0", "DB0 DW7"}));
  EXPECT_EQ(Column(variables, 4), (QStringList{"KH       ", "KD       ", "KM       "}));

  auto* alarms = Find<RecordTable>("TabAlarme_Liste");
  EXPECT_EQ(Column(alarms, 0), (QStringList{"7", "2"}));
  EXPECT_EQ(Column(alarms, 2), (QStringList{"Ja", "Nein"}));  // dynamic
  EXPECT_EQ(Column(alarms, 3), (QStringList{"Nein", "Ja"}));  // interrupting

  auto* texts = Find<RecordTable>("TabTexte_Liste");
  EXPECT_EQ(Column(texts, 2), (QStringList{"Wert", "Bit"}));

  auto* pictures = Find<RecordTable>("bild_liste_Bericht");
  EXPECT_EQ(Column(pictures, 0), (QStringList{"Haupt", "haupt"}));
  EXPECT_EQ(Column(pictures, 1), (QStringList{"5", "3"}));
  EXPECT_EQ(Column(pictures, 2),
            (QStringList{QString::fromStdString(Cp1252ToUtf8(PaletteName(4))).trimmed(),
                         QString::fromStdString(Cp1252ToUtf8(PaletteName(1))).trimmed()}));
  EXPECT_EQ(Column(pictures, 4), (QStringList{"3", "2"}));
  EXPECT_EQ(pictures->model()->headerData(4, Qt::Horizontal).toString().toStdString(),
            "anz. Objekte");
}

struct SortCase {
  const char* table;
  int column;
  QStringList firstColumn;  // after sorting
};

// Rows are as tall as the font's letters with marks above them: a row cut
// to the font's height clipped the dots of capital umlauts ("Überlauf" read
// "Uberlauf"). The text is centred in its row; the marks' top must lie in it.
TEST_F(ListPageTest, RowsLeaveRoomForTheMarksOfCapitals) {
  TmainForm& w = WindowWith(ProjectFile("listen.qvx", kListProject));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  for (const char* name : {"TabAlarme_Liste", "TabVariablen_Liste", "TabTexte_Liste"}) {
    SCOPED_TRACE(name);
    auto* table = Find<RecordTable>(name);
    const QFontMetrics metrics(table->font());
    const QRect marks = metrics.tightBoundingRect(QString::fromUtf8("ÄÖÜÅÉÂ"));
    const int rowHeight = table->visualRect(table->model()->index(0, 0)).height();
    const int markTop = (rowHeight - metrics.height()) / 2 + metrics.ascent() + marks.top();
    EXPECT_GE(markTop, 1) << "row " << rowHeight << ", font " << metrics.height();
    const int descentBottom = (rowHeight - metrics.height()) / 2 + metrics.height();
    EXPECT_LE(descentBottom, rowHeight);
  }
}

TEST_F(ListPageTest, HeadingClickSortsAscendingAndLeavesTheRecordsAlone) {
  TmainForm& w = WindowWith(ProjectFile("listen.qvx", kListProject));
  const SortCase cases[] = {
      {"TabVariablen_Liste", 1, {"B", "b", "a"}},  // numeric: 9, 10, 100
      {"TabVariablen_Liste", 0, {"B", "a", "b"}},  // by character code
      {"TabVariablen_Liste", 2, {"a", "B", "b"}},  // by stored address
      {"TabVariablen_Liste", 4, {"B", "b", "a"}},  // "KD" < "KH" < "KM"
      {"TabAlarme_Liste", 0, {"2", "7"}},
      {"TabAlarme_Liste", 1, {"2", "7"}},  // "Ablauf" < "Zulauf"
      {"TabTexte_Liste", 2, {"1", "2"}},   // bit lists first
      {"bild_liste_Bericht", 1, {"haupt", "Haupt"}},
  };
  for (const SortCase& c : cases) {
    SCOPED_TRACE(std::string(c.table) + " " + std::to_string(c.column));
    auto* table = Find<RecordTable>(c.table);
    table->SortByColumn(c.column);
    EXPECT_EQ(Column(table, 0), c.firstColumn);
    // A second click keeps the ascending order.
    table->SortByColumn(c.column);
    EXPECT_EQ(Column(table, 0), c.firstColumn);
  }
  EXPECT_EQ(w.Project()->variables->name, "b");  // the list keeps its order
}

TEST_F(ListPageTest, ThumbnailMapsTheTerminalWidthTo160Pixels) {
  for (int width : {320, 640}) {
    SCOPED_TRACE(width);
    t_projekt project;
    project.terminal = std::make_unique<t_terminal>();
    project.terminal->width = static_cast<std::int16_t>(width);
    project.terminal->height = static_cast<std::int16_t>(width * 3 / 4);
    t_bild picture;
    picture.backgroundColour = 4;
    tview view;
    PictureSettings settings;
    const QImage image = DrawThumbnail(picture, project, view, settings);
    ASSERT_EQ(image.size(), QSize(162, 120));
    const QRgb background = 0xFF000000 | ((ColourPalette(4) & 0xFF) << 16) |
                            (ColourPalette(4) & 0xFF00) | ((ColourPalette(4) >> 16) & 0xFF);
    EXPECT_EQ(image.pixel(0, 0), background);
    EXPECT_EQ(image.pixel(158, 110), background);
    EXPECT_NE(image.pixel(161, 60), background);
    EXPECT_EQ(view.canvas(), nullptr);  // the view is given back
  }
}

// Statistics go to the picture's own row, also when another picture's name
// differs only in case.
TEST_F(ListPageTest, StatisticsRefreshUpdatesEachPicturesOwnRow) {
  TmainForm& w = WindowWith(ProjectFile("listen.qvx", kListProject));
  auto* second = static_cast<t_bild*>(w.Project()->pictures->next());
  second->objects->DetachNext();  // one object less
  w.RefreshPictureStatistics();
  auto* pictures = Find<RecordTable>("bild_liste_Bericht");
  EXPECT_EQ(Column(pictures, 4), (QStringList{"3", "1"}));
  EXPECT_EQ(second->objectCount, 1);
}

TEST_F(ListPageTest, EnterOnThePictureListOpensTheSelectedPictureInTheEditor) {
  TmainForm& w = WindowWith(ProjectFile("listen.qvx", kListProject));
  Action("Bilder1")->trigger();
  auto* pictures = Find<RecordTable>("bild_liste_Bericht");
  pictures->setFocus();
  pictures->selectionModel()->select(pictures->model()->index(1, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
  QTest::keyClick(pictures, Qt::Key_Return);
  EXPECT_EQ(w.CurrentView(), TmainForm::kViewEditor);
  EXPECT_EQ(w.Editor().OpenPicture(), w.Project()->pictures->next());

  // Enter on the info page belongs to the focused control.
  w.ShowView(TmainForm::kViewInfo);
  QTest::keyClick(Find<QWidget>("PrjNameStr"), Qt::Key_Return);
  EXPECT_EQ(w.CurrentView(), TmainForm::kViewInfo);
}

// The icon view opens a picture as the table does: a click there selects
// the picture's icon only, not every cell of its row.
TEST_F(ListPageTest, IconViewOpensTheClickedPictureByDoubleClickEnterAndEditButton) {
  enum class How { DoubleClick, Enter, EditButton };
  for (How how : {How::DoubleClick, How::Enter, How::EditButton}) {
    SCOPED_TRACE(static_cast<int>(how));
    TmainForm& w = WindowWith(ProjectFile("listen.qvx", kListProject));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    Action("Bilder1")->trigger();
    Find<QAction>("TBBildAnsicht")->trigger();
    auto* icons = Find<QListView>("bild_liste_Symbole");
    QApplication::processEvents();
    const QPoint second = icons->visualRect(icons->model()->index(1, 0)).center();
    QTest::mouseClick(icons->viewport(), Qt::LeftButton, {}, second);
    switch (how) {
      case How::DoubleClick:
        QTest::mouseDClick(icons->viewport(), Qt::LeftButton, {}, second);
        break;
      case How::Enter:
        QTest::keyClick(icons, Qt::Key_Return);
        break;
      case How::EditButton:
        EXPECT_TRUE(Find<QAction>("TBBildEdit")->isEnabled());
        Find<QAction>("TBBildEdit")->trigger();
        break;
    }
    EXPECT_EQ(w.CurrentView(), TmainForm::kViewEditor);
    EXPECT_EQ(w.Editor().OpenPicture(), w.Project()->pictures->next());
  }
}

TEST_F(ListPageTest, PictureViewButtonSwitchesBetweenTableAndIcons) {
  WindowWith(ProjectFile("listen.qvx", kListProject));
  auto* stack = Find<QStackedWidget>("bild_liste");
  EXPECT_EQ(stack->currentWidget()->objectName(), "bild_liste_Bericht");
  Find<QAction>("TBBildAnsicht")->trigger();
  EXPECT_EQ(stack->currentWidget()->objectName(), "bild_liste_Symbole");
  EXPECT_EQ(Find<QListView>("bild_liste_Symbole")->iconSize(), QSize(162, 120));
  Find<QAction>("TBBildAnsicht")->trigger();
  EXPECT_EQ(stack->currentWidget()->objectName(), "bild_liste_Bericht");
}

}  // namespace
}  // namespace tavo::testing

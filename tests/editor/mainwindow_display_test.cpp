// What the window shows of a project: grey terminals in grey, rows tall
// enough for their letters, pages that fit small windows, and the word
// when a smaller terminal leaves objects off its display.

#include <QImage>
#include <QPixmap>

#include <QLabel>
#include <QProgressBar>

#include "editor/mainwindow_progress.h"
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

}  // namespace
}  // namespace tavo::testing

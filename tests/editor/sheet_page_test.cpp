#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cstdlib>

#include "editor/sheet/gridsettings.h"
#include "editor/sheet/picturepage.h"
#include "editor/sheet/ruler.h"
#include "editor/sheet/sheettool.h"
#include "project/projectfile.h"
#include "sheet_testing.h"
#include "shell/messageboxes.h"

namespace tavo {
namespace {

constexpr Rgb kWhite = 0xFFFFFF;

class SheetPage : public testing::SheetTesting {
 protected:
  void SetUp() override {
    SheetTesting::SetUp();
    page_ = std::make_unique<PicturePage>(workspace());
    page_->resize(900, 640);
    page_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(page_.get()));
    document_ = std::make_unique<Document>(SmallProject());
    project_ = &document_->Project();
  }
  void TearDown() override {
    page_.reset();
    document_.reset();
  }

  // Opens the small project's picture at the given zoom and offsets.
  t_bild& Open(double zoom = 1, int offsetX = 10, int offsetY = 10) {
    t_bild& picture = FirstPicture(*project_);
    picture.zoom = zoom;
    picture.originX = std::int16_t(offsetX);
    picture.originY = std::int16_t(offsetY);
    page_->SetDocument(document_.get());
    page_->OpenPictureInEditor(&picture);
    return picture;
  }
  template <class T = QToolButton>
  T* Child(const char* name) {
    T* child = page_->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  Sheet& sheet() { return *page_->SheetWidget(); }
  // The sheet's pixel at a terminal point.
  Rgb At(int x, int y) {
    return sheet().canvas().Pixel(page_->View().TermToWinX(x), page_->View().TermToWinY(y));
  }
  // Whether any pixel of the terminal rectangle (inclusive) has the colour.
  bool Anywhere(int left, int top, int right, int bottom, Rgb colour) {
    for (int y = top; y <= bottom; ++y)
      for (int x = left; x <= right; ++x)
        if (At(x, y) == colour) return true;
    return false;
  }

  std::unique_ptr<PicturePage> page_;
  std::unique_ptr<Document> document_;
  t_projekt* project_ = nullptr;
};

// The layers of a paint, each shown where it lies over the one before:
// sheet, display background, objects, selection marks, soft key overlay,
// grid dots.
TEST_F(SheetPage, PaintsInLayers) {
  settings().gridSize = 16;
  FirstObject(FirstPicture(*project_)).SetSelected(true);
  Open(1, 10, 10);
  const Rgb blue = ColourPalette(1), green = ColourPalette(2);

  EXPECT_EQ(sheet().canvas().Pixel(2, 2), 0x606060u);  // sheet outside the display
  EXPECT_EQ(At(5, 5), blue);                           // display background
  EXPECT_EQ(At(63, 47), blue);                         // ... up to its last pixel
  EXPECT_EQ(At(30, 26), green);                        // the rectangle over it
  EXPECT_EQ(At(25, 20), green ^ kWhite);               // its selection frame, inverted
  EXPECT_EQ(At(31, 15), blue ^ kWhite);                // a handle square outside the frame
  // Dotted soft key frame over the rectangle, its white label over both.
  EXPECT_TRUE(Anywhere(21, 38, 38, 38, green ^ kWhite));
  EXPECT_TRUE(Anywhere(20, 40, 27, 47, kWhite));
  // Dotted frame one window pixel outside the display.
  bool frame = false;
  for (int y = 9; y < 60; ++y) frame |= sheet().canvas().Pixel(9, y) == (0x606060 ^ kWhite);
  EXPECT_TRUE(frame);
  // Grid dots last, inverting whatever lies below.
  EXPECT_EQ(At(0, 16), blue ^ kWhite);
  EXPECT_EQ(At(32, 32), green ^ kWhite);
  EXPECT_EQ(At(32, 31), green);
}

// Soft key names stay legible on any picture: in their colour setting with
// an outline of the other colour.
TEST_F(SheetPage, SoftKeyNamesHaveAContrastingOutline) {
  settings().gridStyle = 0;
  FirstObject(FirstPicture(*project_)).SetFillColour(15);
  for (const int textColour : {1, 0}) {
    for (const std::uint8_t background : {std::uint8_t(15), std::uint8_t(0)}) {
      SCOPED_TRACE(::testing::Message()
                   << "name colour " << textColour << " on " << int(background));
      settings().softkeytextcolor = textColour;
      FirstPicture(*project_).backgroundColour = background;
      Open(2);
      const Rgb ink = textColour == 1 ? kWhite : 0;
      // The label's area left of the rectangle, on the picture's background.
      EXPECT_TRUE(Anywhere(9, 39, 19, 47, ink));
      EXPECT_TRUE(Anywhere(9, 39, 19, 47, ink ^ kWhite));
    }
  }
}

TEST_F(SheetPage, DisplayAreaColourFollowsStyleAndPalette) {
  struct Case {
    int style;
    bool grey;
    std::uint8_t background;
    Rgb display, insideObject;
  };
  const Case cases[] = {
      {0, false, 1, ColourPalette(1), ColourPalette(2)},
      {0, true, 1, GreyPalette(1), GreyPalette(2)},
      {1, false, 1, GreyPalette(15), GreyPalette(15)},  // outline: white, objects unfilled
      {1, true, 20, GreyPalette(15), GreyPalette(15)},
      {0, false, 20, kInvalidPaletteColour, ColourPalette(2)},
      {7, false, 1, ColourPalette(1), ColourPalette(1)},  // unknown style: no objects
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "style " << c.style << " grey " << c.grey << " colour " << int(c.background));
    settings().style = c.style;
    settings().grayscale = c.grey;
    settings().gridStyle = 0;
    settings().softkeyrect = 0;
    FirstPicture(*project_).backgroundColour = c.background;
    Open();
    EXPECT_EQ(At(5, 5), c.display);
    EXPECT_EQ(At(30, 26), c.insideObject);
  }
}

TEST_F(SheetPage, OpeningAPictureTakesItsViewAndDropsTheOldSelection) {
  auto copy = ClonePictureWithoutObjects(FirstPicture(*project_));
  t_bild& other = *copy;
  AppendNode(project_->pictures, std::move(copy));
  other.zoom = 4;
  other.originX = -300;
  other.originY = 25;
  t_objekt& object = FirstObject(FirstPicture(*project_));
  object.SetSelected(true);
  Open(1, 10, 10);
  t_bild* announced = nullptr;
  QObject::connect(page_.get(), &PicturePage::pictureOpened,
                   [&](t_bild* picture) { announced = picture; });

  page_->OpenPictureInEditor(&other);
  EXPECT_FALSE(object.IsSelected());
  EXPECT_EQ(announced, &other);
  EXPECT_EQ(page_->OpenPicture(), &other);
  EXPECT_EQ(page_->View().Zoom(), 4.0);
  EXPECT_EQ(page_->View().OffsetX(), -300);
  EXPECT_EQ(page_->View().OffsetY(), 25);
  EXPECT_EQ(Child<QScrollBar>("ScrollBar1")->value(), 300);
  EXPECT_EQ(Child<QScrollBar>("ScrollBar2")->value(), -25);
  EXPECT_EQ(Child<QLabel>("Label21")->text(), "Test");
  EXPECT_EQ(Child<QLabel>("Label12")->text(), "400%");
  page_->OpenPictureInEditor(nullptr);
}

TEST_F(SheetPage, ActivationSetsTheButtonsFromTheSettings) {
  for (bool on : {true, false}) {
    settings().gridStyle = on ? 1 : 0;
    settings().grayscale = on;
    settings().scala = on;
    settings().panel = !on;
    page_->ApplySettings();
    EXPECT_EQ(Child("ToolButgrid")->isChecked(), on);
    EXPECT_EQ(Child("ToolButCol_BW")->isChecked(), on);
    EXPECT_EQ(Child("ToolButRuler")->isChecked(), on);
    EXPECT_EQ(Child("ButBildToolPanel")->isChecked(), on);
    EXPECT_EQ(Child<Ruler>("hRuler")->isVisible(), on);
    EXPECT_EQ(page_->ObjectPanel()->isVisible(), on);
  }
}

TEST_F(SheetPage, ZoomStepKeepsThePointUnderTheMouse) {
  settings().fangStyle = 0;
  t_bild& picture = Open(1, 0, 0);
  QToolButton* doubling = Child("ToolButZoomOut");
  QTest::mouseClick(doubling, Qt::LeftButton);
  EXPECT_EQ(page_->Tool(), kToolZoomDouble);
  EXPECT_TRUE(doubling->isChecked());

  QTest::mouseMove(&sheet(), QPoint(100, 50));
  QTest::mouseClick(&sheet(), Qt::LeftButton, {}, QPoint(100, 50));
  EXPECT_EQ(page_->View().Zoom(), 2.0);
  EXPECT_EQ(picture.zoom, 2.0);
  EXPECT_EQ(page_->View().WinToTermX(100), 100);
  EXPECT_EQ(page_->View().WinToTermY(50), 50);
  EXPECT_EQ(picture.originX, -100);
  EXPECT_EQ(picture.originY, -50);
  EXPECT_EQ(Child<QScrollBar>("ScrollBar1")->value(), 100);
  EXPECT_EQ(Child<QScrollBar>("ScrollBar2")->value(), 50);
  EXPECT_EQ(page_->Tool(), kToolSelect);
  EXPECT_FALSE(doubling->isChecked());
  EXPECT_EQ(sheet().cursor().shape(), Qt::CrossCursor);
  EXPECT_EQ(Child<QLabel>("Label12")->text(), "200%");

  // Halving about the same point goes back.
  QTest::mouseClick(Child("ToolButZoomIn"), Qt::LeftButton);
  QTest::mouseClick(&sheet(), Qt::LeftButton, {}, QPoint(100, 50));
  EXPECT_EQ(picture.zoom, 1.0);
  EXPECT_EQ(picture.originX, 0);

  // The hints say what each button does, and that the click on the sheet
  // sets the point to zoom about (they once said the opposite).
  const std::string code = workspace().settings().code;
  workspace().SetLanguage("049");
  page_->Retranslate();
  const std::string enlarge = doubling->toolTip().toStdString();
  const std::string reduce = Child("ToolButZoomIn")->toolTip().toStdString();
  workspace().SetLanguage(code);
  EXPECT_EQ(enlarge.rfind("Vergrößern", 0), 0u) << enlarge;
  EXPECT_EQ(reduce.rfind("Verkleinern", 0), 0u) << reduce;
  for (const std::string& hint : {enlarge, reduce})
    EXPECT_NE(hint.find("Klick auf das Blatt"), std::string::npos) << hint;
}

TEST_F(SheetPage, ZoomButtonsReleaseThemselvesAtTheLimits) {
  Open(8);
  QToolButton* doubling = Child("ToolButZoomOut");
  QTest::mouseClick(doubling, Qt::LeftButton);
  EXPECT_FALSE(doubling->isChecked());
  EXPECT_EQ(page_->Tool(), kToolSelect);

  Open(0.25);
  QToolButton* halving = Child("ToolButZoomIn");
  QTest::mouseClick(halving, Qt::LeftButton);
  EXPECT_FALSE(halving->isChecked());
  EXPECT_EQ(page_->Tool(), kToolSelect);
}

TEST_F(SheetPage, ScrollBarsClampAndThePictureKeepsTheClampedOffset) {
  settings().fangStyle = 0;
  t_bild& picture = Open(4, -9990, 0);
  QTest::mouseClick(Child("ToolButZoomOut"), Qt::LeftButton);
  QTest::mouseMove(&sheet(), QPoint(400, 100));
  QTest::mouseClick(&sheet(), Qt::LeftButton, {}, QPoint(400, 100));
  EXPECT_EQ(picture.zoom, 8.0);
  EXPECT_EQ(picture.originX, -10000);
  EXPECT_EQ(page_->View().OffsetX(), -10000);
  EXPECT_EQ(Child<QScrollBar>("ScrollBar1")->value(), 10000);

  Child<QScrollBar>("ScrollBar2")->setValue(-20000);
  EXPECT_EQ(picture.originY, 10000);
  EXPECT_EQ(page_->View().OffsetY(), 10000);
  Child<QScrollBar>("ScrollBar1")->setValue(37);
  EXPECT_EQ(picture.originX, -37);
}

TEST_F(SheetPage, CentringPutsTheDisplayInTheMiddleOfTheSheet) {
  t_bild& picture = Open(2, 0, 0);
  QTest::mouseClick(Child("ToolButton12"), Qt::LeftButton);
  EXPECT_EQ(picture.originX, sheet().width() / 2 - 64);
  EXPECT_EQ(picture.originY, sheet().height() / 2 - 48);
  EXPECT_EQ(page_->View().OffsetX(), picture.originX);
  EXPECT_EQ(Child<QScrollBar>("ScrollBar2")->value(), -picture.originY);

  // Without a picture nothing happens.
  page_->OpenPictureInEditor(nullptr);
  const int before = page_->View().OffsetX();
  QTest::mouseClick(Child("ToolButton12"), Qt::LeftButton);
  EXPECT_EQ(page_->View().OffsetX(), before);
}

TEST_F(SheetPage, GridButtonInvertsTheDotsWithoutRepaint) {
  Open();
  const QImage painted = sheet().Image().copy();
  QToolButton* grid = Child("ToolButgrid");
  ASSERT_TRUE(grid->isChecked());
  QTest::mouseClick(grid, Qt::LeftButton);
  EXPECT_EQ(settings().gridStyle, 0);
  EXPECT_NE(sheet().Image(), painted);
  EXPECT_EQ(At(10, 10), ColourPalette(1));  // the dot is gone
  QTest::mouseClick(grid, Qt::LeftButton);
  EXPECT_EQ(settings().gridStyle, 1);
  EXPECT_EQ(sheet().Image(), painted);
}

TEST_F(SheetPage, DisplayDialogChangesTheSettingsAndTheGridButton) {
  Open();
  auto answer = [](bool accept) {
    QTimer::singleShot(0, [accept] {
      auto* dialog = qobject_cast<TGridSettings*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialog->findChild<QCheckBox*>("RasterEin")->setChecked(false);
      dialog->findChild<QCheckBox*>("Darstellung")->setChecked(true);
      QTest::keyClick(dialog, accept ? Qt::Key_Return : Qt::Key_Escape);
    });
  };
  answer(false);
  page_->ShowDisplaySettings();
  EXPECT_EQ(settings().gridStyle, 1);
  EXPECT_EQ(settings().style, 0);

  answer(true);
  page_->ShowDisplaySettings();
  EXPECT_EQ(settings().gridStyle, 0);
  EXPECT_EQ(settings().style, 1);
  EXPECT_FALSE(Child("ToolButgrid")->isChecked());
  EXPECT_EQ(At(10, 10), GreyPalette(15));  // repainted: outline display, no grid dot
}

TEST_F(SheetPage, RulerButtonMakesRoomForTheRulers) {
  Open();
  Ruler* hRuler = Child<Ruler>("hRuler");
  EXPECT_FALSE(hRuler->isVisible());
  EXPECT_EQ(sheet().pos(), QPoint(0, 0));

  QTest::mouseClick(Child("ToolButRuler"), Qt::LeftButton);
  EXPECT_TRUE(settings().scala);
  EXPECT_TRUE(hRuler->isVisible());
  EXPECT_EQ(sheet().pos(), QPoint(26, 26));
  const QWidget* panel = Child<QWidget>("Panel8");
  EXPECT_EQ(sheet().size(), panel->size() - QSize(26, 26));
  EXPECT_EQ(hRuler->geometry(), QRect(0, 0, panel->width(), 26));
  // The rulers show the terminal coordinates of the visible sheet.
  EXPECT_EQ(hRuler->From(), page_->View().WinToTermX(-26));
  EXPECT_EQ(hRuler->To(), page_->View().WinToTermX(sheet().width()));
  EXPECT_EQ(Child<Ruler>("vRuler")->From(), page_->View().WinToTermY(0));

  QTest::mouseClick(Child("ToolButRuler"), Qt::LeftButton);
  EXPECT_FALSE(settings().scala);
  EXPECT_EQ(sheet().pos(), QPoint(0, 0));
}

TEST_F(SheetPage, PanelButtonShowsAndHidesTheObjectPanel) {
  EXPECT_FALSE(page_->ObjectPanel()->isVisible());  // "Panel" true: hidden
  QToolButton* button = Child("ButBildToolPanel");
  EXPECT_FALSE(button->isChecked());
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_FALSE(settings().panel);
  EXPECT_TRUE(page_->ObjectPanel()->isVisible());
  EXPECT_TRUE(button->isChecked());

  settings().panel = true;
  page_->ApplySettings();
  EXPECT_FALSE(page_->ObjectPanel()->isVisible());
}

// Cross-hair: drawn inverting at the mouse, so that leaving the sheet
// restores every pixel.
TEST_F(SheetPage, CrossHairFollowsTheMouseAndLeavesNoTrace) {
  settings().fangStyle = 0;
  Open();
  const QImage painted = sheet().Image().copy();
  QTest::mouseMove(&sheet(), QPoint(200, 150));
  EXPECT_NE(sheet().Image().pixel(200, 146), painted.pixel(200, 146));
  EXPECT_NE(sheet().Image().pixel(204, 150), painted.pixel(204, 150));
  EXPECT_EQ(sheet().Image().pixel(205, 150), painted.pixel(205, 150));
  QTest::mouseMove(&sheet(), QPoint(300, 100));
  EXPECT_EQ(sheet().Image().pixel(200, 146), painted.pixel(200, 146));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&sheet(), &leave);
  EXPECT_EQ(sheet().Image(), painted);
}

struct RecordingTool : SheetTool {
  int downs = 0, ups = 0, clicks = 0, active = 0;
  void Activate() override { ++active; }
  void Deactivate() override { --active; }
  void MouseDown(const SheetMouse&) override { ++downs; }
  void MouseUp(const SheetMouse&) override { ++ups; }
  void Click(const SheetMouse&) override { ++clicks; }
};

// After a right-button press the next left release only returns to the
// selection tool; an armed zoom is dropped.
TEST_F(SheetPage, RightPressDisarmsAndSwallowsTheNextClick) {
  RecordingTool tool;
  page_->SetTool(&tool);
  Open();
  EXPECT_EQ(tool.active, 1);
  QTest::mouseClick(Child("ToolButZoomOut"), Qt::LeftButton);
  EXPECT_EQ(tool.active, 0);  // the zoom mode has the events now
  QTest::mousePress(&sheet(), Qt::RightButton, {}, QPoint(50, 50));
  EXPECT_EQ(page_->Tool(), kToolAfterContextMenu);
  EXPECT_FALSE(Child("ToolButZoomOut")->isChecked());
  QTest::mouseRelease(&sheet(), Qt::RightButton, {}, QPoint(50, 50));
  page_->ContextMenu()->close();
  EXPECT_EQ(tool.active, 1);  // the zoom mode is gone
  EXPECT_EQ(tool.ups, 1);     // the right release went to the tool

  QTest::mouseClick(&sheet(), Qt::LeftButton, {}, QPoint(50, 50));
  EXPECT_EQ(page_->Tool(), kToolSelect);
  EXPECT_EQ(page_->View().Zoom(), 1.0);
  EXPECT_EQ(tool.clicks, 0);
  EXPECT_EQ(tool.ups, 1);
  QTest::mouseClick(&sheet(), Qt::LeftButton, {}, QPoint(50, 50));
  EXPECT_EQ(tool.clicks, 1);
  EXPECT_EQ(tool.downs, 1);
  page_->SetTool(nullptr);
}

// On a screen with two device pixels per window pixel every sheet pixel
// becomes a 2 x 2 block of its own colour: edges stay sharp.
TEST_F(SheetPage, HighDensityScreensShowWholeTerminalPixels) {
  settings().gridStyle = 0;
  settings().softkeyrect = 0;
  Open(1, 10, 10);
  QImage device(sheet().size() * 2, QImage::Format_RGB32);
  device.setDevicePixelRatio(2);
  sheet().render(&device);
  const QImage& image = sheet().Image();
  // Across the rectangle's left edge (terminal x 19 | 20) on row 30.
  for (int x = 27; x <= 32; ++x) {
    const QRgb expected = image.pixel(x, 40);
    for (int dx = 0; dx < 2; ++dx)
      for (int dy = 0; dy < 2; ++dy) EXPECT_EQ(device.pixel(2 * x + dx, 80 + dy), expected) << x;
  }
}

TEST_F(SheetPage, ClosingTheProjectLeavesNoPicture) {
  Open();
  page_->SetDocument(nullptr);
  EXPECT_EQ(page_->OpenPicture(), nullptr);
  EXPECT_EQ(sheet().canvas().Pixel(300, 200), 0x606060u);
  QTest::mouseClick(Child("ToolButton12"), Qt::LeftButton);  // nothing to centre
  QTest::mouseClick(Child("ToolButgrid"), Qt::LeftButton);   // nothing to draw on
  EXPECT_EQ(sheet().canvas().Pixel(300, 200), 0x606060u);
}

TEST_F(SheetPage, CursorsAreRegisteredByNumberAndName) {
  const SheetCursors& cursors = page_->Cursors();
  EXPECT_EQ(SheetCursors::Name(1), "ZoomInCursor");
  EXPECT_EQ(SheetCursors::Name(19), "DateAusCursor");
  EXPECT_EQ(SheetCursors::Name(20), "BM11");
  EXPECT_EQ(SheetCursors::Name(25), "BM23");
  EXPECT_EQ(SheetCursors::Name(28), "BM33");
  EXPECT_EQ(SheetCursors::Name(29), "BitmapCursor");
  EXPECT_EQ(SheetCursors::Name(30), "");
  for (int n = 1; n <= SheetCursors::kCount; ++n) {
    EXPECT_EQ(SheetCursors::Number(SheetCursors::Name(n)), n);
    EXPECT_EQ(cursors.Cursor(n).shape(), Qt::BitmapCursor);
    EXPECT_FALSE(cursors.Cursor(n).pixmap().isNull()) << n;
  }
  EXPECT_EQ(cursors.Cursor("nonsense").shape(), Qt::CrossCursor);
}

// The demo project on the page at every zoom; with TAVO_SHEET_SNAPSHOTS
// set the page is written to /tmp/tavo_sheet_<view>.png to look at.
TEST_F(SheetPage, ShowsTheDemoProject) {
  ScriptedMessageBox box;
  ProjectReadContext context = workspace().ReadContext(&box);
  auto demo = ReadProjectFile(workspace().install().Resolve("Projects\\Demo.qvx").string(), context)
                  .project;
  ASSERT_NE(demo, nullptr);
  page_->resize(1100, 760);
  Document document(std::move(demo));
  page_->SetDocument(&document);
  t_bild& picture = FirstPicture(document.Project());
  static_cast<t_objekt*>(picture.objects->next())->SetSelected(true);
  const bool snapshots = std::getenv("TAVO_SHEET_SNAPSHOTS") != nullptr;
  auto snap = [&](const char* name) {
    if (snapshots) page_->grab().save(QString("/tmp/tavo_sheet_%1.png").arg(name));
  };
  for (double zoom : {1.0, 2.0, 4.0, 8.0}) {
    picture.zoom = zoom;
    page_->OpenPictureInEditor(&picture);
    QTest::mouseClick(Child("ToolButton12"), Qt::LeftButton);
    EXPECT_EQ(Child<QLabel>("Label12")->text(), QString("%1%").arg(zoom * 100));
    snap(QString("zoom%1").arg(zoom).toLatin1().constData());
    // The display's top-left corner, scrolled into view.
    Child<QScrollBar>("ScrollBar1")->setValue(-10);
    Child<QScrollBar>("ScrollBar2")->setValue(-10);
    EXPECT_EQ(At(1, 1), ColourPalette(picture.backgroundColour)) << zoom;
  }
  picture.zoom = 1;
  page_->OpenPictureInEditor(&picture);
  QTest::mouseClick(Child("ToolButton12"), Qt::LeftButton);
  QTest::mouseClick(Child("ToolButCol_BW"), Qt::LeftButton);
  EXPECT_EQ(At(1, 1), GreyPalette(picture.backgroundColour));
  snap("grey");
  settings().style = 1;
  QTest::mouseClick(Child("ToolButRuler"), Qt::LeftButton);
  QTest::mouseClick(Child("ToolButton12"), Qt::LeftButton);
  EXPECT_EQ(At(1, 1), GreyPalette(15));
  snap("outline");
  if (snapshots) {
    TGridSettings dialog(workspace().translator());
    dialog.Load(settings());
    dialog.grab().save("/tmp/tavo_sheet_dialog.png");
  }
  page_->SetDocument(nullptr);
}

}  // namespace
}  // namespace tavo

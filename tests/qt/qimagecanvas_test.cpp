#include "qt/qimagecanvas.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPen>

#include "objects/tview.h"

namespace tavo {
namespace {

constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kRed = MakeRgb(255, 0, 0);

TEST(QImageCanvas, PixelsAndColourFillsAreExactAndClipped) {
  QImageCanvas canvas(10, 6, kWhite);
  canvas.FillRectColour(-5, 2, 3, 100, kRed);  // right and bottom exclusive
  EXPECT_EQ(canvas.Pixel(0, 2), kRed);
  EXPECT_EQ(canvas.Pixel(2, 5), kRed);
  EXPECT_EQ(canvas.Pixel(3, 2), kWhite);
  EXPECT_EQ(canvas.Pixel(0, 1), kWhite);
  canvas.SetPixel(9, 0, MakeRgb(1, 2, 3));
  canvas.SetPixel(10, 0, kRed);  // outside: ignored
  EXPECT_EQ(canvas.Pixel(9, 0), MakeRgb(1, 2, 3));
  EXPECT_EQ(canvas.Image().pixel(9, 0), qRgb(1, 2, 3));
}

TEST(QImageCanvas, InvertingPenRestoresWhatItDrewOver) {
  QImageCanvas canvas(12, 4, kWhite);
  canvas.SetPenMode(PenMode::Invert);
  canvas.SetPenColour(MakeRgb(0xFF, 0xFF, 0x00));
  canvas.MoveTo(1, 1);
  canvas.LineTo(8, 1);
  EXPECT_EQ(canvas.Pixel(4, 1), MakeRgb(0, 0, 0xFF));
  EXPECT_EQ(canvas.Pixel(4, 2), kWhite);
  canvas.MoveTo(1, 1);
  canvas.LineTo(8, 1);
  EXPECT_EQ(canvas.Pixel(4, 1), kWhite);
}

// Inverted lines along a row or a column are drawn without the painter;
// they cover exactly the pixels the painter's line does.
TEST(QImageCanvas, InvertedStraightLinesCoverWhatThePainterCovers) {
  struct Line {
    int x1, y1, x2, y2;
  };
  const Line lines[] = {{2, 5, 9, 5},   {9, 5, 2, 5},  {5, 1, 5, 9},   {5, 9, 5, 1},
                        {4, 4, 4, 4},   {-3, 5, 3, 5}, {6, -2, 6, 20}, {0, 11, 30, 11},
                        {11, 0, 11, 0}, {1, 1, 7, 6}};
  for (const bool clipped : {false, true}) {
    for (const Line& l : lines) {
      SCOPED_TRACE(::testing::Message() << l.x1 << "," << l.y1 << " " << l.x2 << "," << l.y2
                                        << (clipped ? " clipped" : ""));
      QImageCanvas canvas(12, 12, kWhite);
      canvas.FillRectColour(0, 0, 6, 12, kRed);
      if (clipped) canvas.SetClip(3, 2, 8, 7);
      QImage expected = canvas.Image().copy();
      {
        QPainter painter(&expected);
        if (clipped) painter.setClipRect(QRect(3, 2, 5, 5));
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        QPen pen(QColor(0xFF, 0xFF, 0x00));
        pen.setWidth(1);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.drawLine(l.x1, l.y1, l.x2, l.y2);
      }
      canvas.SetPenMode(PenMode::Invert);
      canvas.SetPenColour(MakeRgb(0xFF, 0xFF, 0x00));
      canvas.MoveTo(l.x1, l.y1);
      canvas.LineTo(l.x2, l.y2);
      EXPECT_EQ(canvas.Image(), expected);
    }
  }
}

TEST(QImageCanvas, PatternBrushRepeatsFromTheWindowOrigin) {
  QImageCanvas canvas(20, 10, kWhite);
  const std::uint8_t rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
  canvas.SetBrushPattern(rows, kRed);
  canvas.FillRect(3, 1, 19, 9);
  // 1 bits (most significant leftmost) take the brush colour, 0 bits black.
  EXPECT_EQ(canvas.Pixel(3, 1), kRed);  // row 0x55, column 3
  EXPECT_EQ(canvas.Pixel(4, 1), 0u);    // column 4 of 0x55 is 0
  EXPECT_EQ(canvas.Pixel(8, 2), kRed);  // 0xAA repeats at x = 8
  EXPECT_EQ(canvas.Pixel(11, 2), 0u);
  EXPECT_EQ(canvas.Pixel(2, 1), kWhite);  // outside
  EXPECT_EQ(canvas.Pixel(3, 9), kWhite);  // bottom exclusive
}

TEST(QImageCanvas, RectangleOutlineStaysInsideRightAndBottom) {
  QImageCanvas canvas(12, 12, kWhite);
  canvas.SetPenColour(kRed);
  canvas.SetBrushSolid(MakeRgb(0, 0, 255));
  canvas.Rectangle(2, 2, 8, 7);
  EXPECT_EQ(canvas.Pixel(2, 2), kRed);
  EXPECT_EQ(canvas.Pixel(7, 6), kRed);
  EXPECT_EQ(canvas.Pixel(8, 6), kWhite);
  EXPECT_EQ(canvas.Pixel(7, 7), kWhite);
  EXPECT_EQ(canvas.Pixel(4, 4), MakeRgb(0, 0, 255));
}

TEST(QImageCanvas, ImagesStretchMirrorAndSkipTransparentPixels) {
  Image16 image;
  image.width = 2;
  image.height = 1;
  image.pixels = {0xF800, 0x001F};  // red, blue (transparent below)
  struct Case {
    int left, right;
    Rgb atZero, atThree;
  };
  const Case cases[] = {{0, 4, kRed, kWhite}, {4, 0, kWhite, kRed}};
  for (const Case& c : cases) {
    QImageCanvas canvas(6, 4, kWhite);
    canvas.DrawImage(image, c.left, 0, c.right, 2, true, 0x001F);
    EXPECT_EQ(canvas.Pixel(0, 0), c.atZero);
    EXPECT_EQ(canvas.Pixel(1, 1), c.atZero);
    EXPECT_EQ(canvas.Pixel(3, 0), c.atThree);
    EXPECT_EQ(canvas.Pixel(0, 2), kWhite);
  }
}

TEST(QImageCanvas, BorrowedImageIsDrawnInPlace) {
  QImage image(4, 4, QImage::Format_RGB16);
  image.fill(Qt::white);
  {
    QImageCanvas canvas(image);
    canvas.FillRectColour(0, 0, 2, 2, kRed);
  }
  EXPECT_EQ(image.pixel(1, 1), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(2, 2), qRgb(255, 255, 255));
}

// The sheet is a preview of the terminal: a fill pattern keeps its terminal
// pixels at every zoom (each bit zoom x zoom window pixels) and is anchored
// at the terminal's origin, as the rest of the picture is. At 800 % a hatch
// was drawn at window pixel size.
TEST(QImageCanvas, FillPatternsScaleWithTheZoomFromTheTerminalOrigin) {
  constexpr int kSide = 24;  // terminal pixels filled
  for (const int pattern : {3, 7, 10}) {
    for (const int zoom : {2, 4, 8}) {
      SCOPED_TRACE(::testing::Message() << "pattern " << pattern << " zoom " << zoom);
      auto fill = [pattern](QImageCanvas& canvas, double z, std::int16_t x, std::int16_t y) {
        tview view;
        ViewBorrow borrow(view, &canvas, z, x, y);
        view.SetBrushColour(kRed);
        view.SetFillPattern(static_cast<std::int16_t>(pattern));
        view.FillRectangle(0, 0, kSide - 1, kSide - 1);
      };
      QImageCanvas terminal(kSide, kSide, kWhite);
      fill(terminal, 1, 0, 0);
      const int offsetX = 5, offsetY = 3;  // the terminal's origin in the window
      QImageCanvas sheet(kSide * zoom + 10, kSide * zoom + 10, kWhite);
      fill(sheet, zoom, offsetX, offsetY);
      int wrong = 0;
      for (int y = 0; y < kSide * zoom; ++y)
        for (int x = 0; x < kSide * zoom; ++x)
          wrong += sheet.Pixel(offsetX + x, offsetY + y) != terminal.Pixel(x / zoom, y / zoom);
      EXPECT_EQ(wrong, 0);
    }
  }
}

// Pattern fills are written into the image directly; the painter's tiled
// brush is the reference. Every pixel must agree, edges included, for
// concave, crossing and clipped outlines, scaled tiles and shifted origins.
TEST(QImageCanvas, DirectPatternFillsMatchThePaintersTiledBrush) {
  const std::uint8_t rows[8] = {0x81, 0x42, 0x24, 0x18, 0xF0, 0x0F, 0x3C, 0xC3};
  struct Shape {
    const char* name;
    std::vector<CanvasPoint> points;  // empty: a rectangle from the first two
  };
  const std::vector<Shape> shapes = {
      {"triangle", {{3, 2}, {37, 9}, {11, 29}}},
      {"concave", {{2, 2}, {38, 2}, {20, 15}, {38, 28}, {2, 28}, {12, 15}}},
      {"crossing", {{1, 1}, {38, 28}, {38, 1}, {1, 28}}},
      {"rotated rectangle", {{20, -3}, {43, 15}, {20, 33}, {-4, 15}}},
      {"sliver", {{5, 5}, {35, 6}, {5, 6}}},
      {"point", {{7, 7}}},
  };
  const struct {
    double scale;
    int originX, originY;
  } tiles[] = {{1, 0, 0}, {1, 3, -5}, {3, -7, 2}, {2.5, 4, 4}, {8, 1, 13}};
  for (const auto& tile : tiles) {
    for (const Shape& shape : shapes) {
      for (const bool clipped : {false, true}) {
        SCOPED_TRACE(::testing::Message()
                     << shape.name << " scale " << tile.scale << (clipped ? " clipped" : ""));
        auto draw = [&](bool direct) {
          QImageCanvas canvas(40, 30, kWhite);
          canvas.SetDirectPatternFills(direct);
          if (clipped) canvas.SetClip(6, 4, 31, 22);
          canvas.SetPenStyle(PenStyle::None);
          canvas.SetBrushPatternScaled(rows, kRed, tile.scale, tile.originX, tile.originY);
          canvas.Polygon(shape.points);
          canvas.FillRect(30, 20, 47, 26);      // partly outside the image
          canvas.Rectangle(-3, 24, 9, 35);      // mirrored order is sorted
          canvas.SetPenStyle(PenStyle::Solid);  // outline over the direct fill
          canvas.Polygon({{25, 3}, {36, 3}, {30, 12}});
          return canvas.Image().copy();
        };
        const QImage direct = draw(true), painter = draw(false);
        int wrong = 0;
        for (int y = 0; y < direct.height(); ++y)
          for (int x = 0; x < direct.width(); ++x)
            wrong += direct.pixel(x, y) != painter.pixel(x, y);
        EXPECT_EQ(wrong, 0);
      }
    }
  }
}

}  // namespace
}  // namespace tavo

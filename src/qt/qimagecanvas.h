#pragma once
// The canvas on a QImage: rendered pictures, previews and the command line
// draw through it. Pixel operations write the image directly; lines,
// rectangles, polygons and images go through a QPainter without
// antialiasing.

#include <QBrush>
#include <QImage>
#include <QPen>
#include <QRect>
#include <memory>
#include <optional>

#include "resources/canvas.h"

class QPainter;

namespace tavo {

class QImageCanvas : public Canvas {
 public:
  // Owns a new image of the given size filled with `paper`.
  QImageCanvas(int width, int height, Rgb paper = 0xFFFFFF);
  // Borrows `image`, which must outlive the canvas; it is converted to a
  // 32-bit format when it has another one. Its pixels are complete once
  // Image() has been called or the canvas is gone.
  explicit QImageCanvas(QImage& image);
  ~QImageCanvas() override;

  // The image with every drawing so far applied.
  QImage& Image() {
    EndPainting();
    return *image_;
  }
  const QImage& Image() const {
    EndPainting();
    return *image_;
  }

  int Width() const override;
  int Height() const override;
  void SetPenMode(PenMode mode) override;
  void SetPenWidth(int width) override;
  void SetPenStyle(PenStyle style) override;
  void SetPenColour(Rgb colour) override;
  void SetBrushHollow() override;
  void SetBrushSolid(Rgb colour) override;
  void SetBrushPattern(const std::uint8_t rows[8], Rgb colour) override;
  void SetBrushPatternScaled(const std::uint8_t rows[8], Rgb colour, double scale, int originX,
                             int originY) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void Polygon(const std::vector<CanvasPoint>& points) override;
  void FillRect(int left, int top, int right, int bottom) override;
  void FillRectColour(int left, int top, int right, int bottom, Rgb colour) override;
  void SetPixel(int x, int y, Rgb colour) override;
  Rgb Pixel(int x, int y) const override;
  void DrawImage(const Image16& image, int left, int top, int right, int bottom,
                 bool useTransparent, std::uint16_t transparent) override;
  void SetClip(int left, int top, int right, int bottom) override;
  void ClearClip() override;

  // Pattern fills are written into the image directly (the painter hands
  // tiled fills to other threads, which costs more than the fill). Off,
  // they take the painter's tiled brush: the reference the direct fill is
  // tested against.
  void SetDirectPatternFills(bool on) { directPatternFills_ = on; }

 private:
  enum class BrushKind { Hollow, Solid, Pattern };
  void Prepare(QPainter& painter, bool withPen, bool withBrush);
  // The pen and brush for the current settings, made again only after a
  // setting changed: a picture sets the same few pens thousands of times.
  const QPen& CurrentPen();
  const QBrush& CurrentBrush();
  const QImage& PatternTile();
  bool DirectPatternFill() const;
  // Fills the pixels a solid fill of `polygon` covers with the pattern.
  void FillPolygonWithPattern(const QPolygon& polygon);
  void FillRectWithPattern(int left, int top, int right, int bottom);
  // Pattern pixels of row `y` from `left` to `right` (exclusive) into `line`,
  // the image's row y; the tile must be current.
  void PatternSpan(QRgb* line, int y, int left, int right) const;
  void InvertStraightLine(int x1, int y1, int x2, int y2);
  bool ClipToImage(int& left, int& top, int& right, int& bottom) const;
  // One painter serves every primitive until the pixels are touched
  // directly: opening a painter per primitive costs more than drawing.
  QPainter& Painter();
  void EndPainting() const;

  std::unique_ptr<QImage> owned_;
  QImage* image_;
  mutable std::unique_ptr<QPainter> painter_;
  std::optional<QRect> clip_;
  PenMode penMode_ = PenMode::Copy;
  int penWidth_ = 1;
  PenStyle penStyle_ = PenStyle::Solid;
  Rgb penColour_ = 0;
  BrushKind brushKind_ = BrushKind::Solid;
  Rgb brushColour_ = 0xFFFFFF;
  std::uint8_t pattern_[8] = {};
  double patternScale_ = 1;  // window pixels per tile bit
  int patternOriginX_ = 0, patternOriginY_ = 0;
  bool directPatternFills_ = true;
  bool penDirty_ = true, brushDirty_ = true, tileDirty_ = true;
  QPen pen_;
  QBrush brush_;
  QImage tile_;
  QImage coverage_;  // scratch: where a solid fill of the polygon lands
  int penX_ = 0;
  int penY_ = 0;
};

}  // namespace tavo

#include "qt/qimagecanvas.h"

#include <QBrush>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <algorithm>
#include <cmath>

namespace tavo {
namespace {

QRgb ToQRgb(Rgb c) {
  return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}
QColor ToQColor(Rgb c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

Qt::PenStyle ToQtStyle(PenStyle style) {
  switch (style) {
    case PenStyle::Solid:
      return Qt::SolidLine;
    case PenStyle::Dash:
      return Qt::DashLine;
    case PenStyle::Dot:
      return Qt::DotLine;
    case PenStyle::DashDot:
      return Qt::DashDotLine;
    case PenStyle::DashDotDot:
      return Qt::DashDotDotLine;
    case PenStyle::None:
      return Qt::NoPen;
  }
  return Qt::SolidLine;
}

// 5-6-5 packed pixel to 8 bits per channel, the low bits filled from the top.
QRgb From565(std::uint16_t p) {
  const int r = (p >> 11) & 0x1F, g = (p >> 5) & 0x3F, b = p & 0x1F;
  return qRgb((r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2));
}

void EnsureWritableFormat(QImage& image) {
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32 &&
      image.format() != QImage::Format_ARGB32_Premultiplied) {
    image = image.convertToFormat(QImage::Format_RGB32);
  }
}

}  // namespace

QImageCanvas::QImageCanvas(int width, int height, Rgb paper)
    : owned_(
          std::make_unique<QImage>(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32)),
      image_(owned_.get()) {
  image_->fill(ToQColor(paper));
}

QImageCanvas::QImageCanvas(QImage& image) : image_(&image) {
  EnsureWritableFormat(image);
}

QImageCanvas::~QImageCanvas() {
  EndPainting();
}

QPainter& QImageCanvas::Painter() {
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(image_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (clip_) painter_->setClipRect(*clip_);
  }
  return *painter_;
}

void QImageCanvas::SetClip(int left, int top, int right, int bottom) {
  clip_ = QRect(left, top, std::max(right - left, 0), std::max(bottom - top, 0));
  if (painter_) painter_->setClipRect(*clip_);
}

void QImageCanvas::ClearClip() {
  clip_.reset();
  if (painter_) painter_->setClipping(false);
}

void QImageCanvas::EndPainting() const {
  painter_.reset();
}

int QImageCanvas::Width() const {
  return image_->width();
}
int QImageCanvas::Height() const {
  return image_->height();
}

void QImageCanvas::SetPenMode(PenMode mode) {
  penMode_ = mode;
}
void QImageCanvas::SetPenWidth(int width) {
  width = std::max(width, 1);
  penDirty_ = penDirty_ || width != penWidth_;
  penWidth_ = width;
}
void QImageCanvas::SetPenStyle(PenStyle style) {
  penDirty_ = penDirty_ || style != penStyle_;
  penStyle_ = style;
}
void QImageCanvas::SetPenColour(Rgb colour) {
  penDirty_ = penDirty_ || colour != penColour_;
  penColour_ = colour;
}
void QImageCanvas::SetBrushHollow() {
  brushDirty_ = brushDirty_ || brushKind_ != BrushKind::Hollow;
  brushKind_ = BrushKind::Hollow;
}
void QImageCanvas::SetBrushSolid(Rgb colour) {
  brushDirty_ = brushDirty_ || brushKind_ != BrushKind::Solid || colour != brushColour_;
  brushKind_ = BrushKind::Solid;
  brushColour_ = colour;
}
void QImageCanvas::SetBrushPattern(const std::uint8_t rows[8], Rgb colour) {
  SetBrushPatternScaled(rows, colour, 1, 0, 0);
}

void QImageCanvas::SetBrushPatternScaled(const std::uint8_t rows[8], Rgb colour, double scale,
                                         int originX, int originY) {
  scale = std::isfinite(scale) && scale > 0 ? scale : 1;
  const bool sameTile = brushKind_ == BrushKind::Pattern && colour == brushColour_ &&
                        std::equal(rows, rows + 8, pattern_) && scale == patternScale_;
  if (!sameTile || originX != patternOriginX_ || originY != patternOriginY_) brushDirty_ = true;
  if (!sameTile) tileDirty_ = true;
  brushKind_ = BrushKind::Pattern;
  brushColour_ = colour;
  std::copy(rows, rows + 8, pattern_);
  patternScale_ = scale;
  patternOriginX_ = originX;
  patternOriginY_ = originY;
}

const QPen& QImageCanvas::CurrentPen() {
  if (penDirty_) {
    pen_ = QPen(ToQColor(penColour_));
    pen_.setWidth(penWidth_);
    pen_.setStyle(ToQtStyle(penStyle_));
    pen_.setCapStyle(Qt::FlatCap);
    pen_.setJoinStyle(Qt::MiterJoin);
    penDirty_ = false;
  }
  return pen_;
}

// 1 bits in the brush colour, 0 bits black; each bit `patternScale_` window
// pixels wide and high. A tile repeats in whole pixels: its size is rounded.
const QImage& QImageCanvas::PatternTile() {
  if (tileDirty_) {
    const int side = std::clamp(static_cast<int>(std::lround(8 * patternScale_)), 1, 8 * 64);
    tile_ = QImage(side, side, QImage::Format_RGB32);
    const QRgb ink = ToQRgb(brushColour_), black = qRgb(0, 0, 0);
    for (int y = 0; y < side; ++y) {
      const int row = std::min(7, y * 8 / side);
      QRgb* line = reinterpret_cast<QRgb*>(tile_.scanLine(y));
      for (int x = 0; x < side; ++x)
        line[x] = (pattern_[row] & (0x80 >> std::min(7, x * 8 / side))) ? ink : black;
    }
    tileDirty_ = false;
  }
  return tile_;
}

const QBrush& QImageCanvas::CurrentBrush() {
  if (brushDirty_) {
    if (brushKind_ == BrushKind::Hollow)
      brush_ = QBrush(Qt::NoBrush);
    else if (brushKind_ == BrushKind::Solid)
      brush_ = QBrush(ToQColor(brushColour_));
    else
      brush_ = QBrush(PatternTile());  // anchored by the painter's brush origin
    brushDirty_ = false;
  }
  return brush_;
}

bool QImageCanvas::DirectPatternFill() const {
  return directPatternFills_ && brushKind_ == BrushKind::Pattern && penMode_ == PenMode::Copy;
}

// The tile repeats from the pattern's origin, as the painter's tiled brush
// anchored at its brush origin does.
void QImageCanvas::PatternSpan(QRgb* line, int y, int left, int right) const {
  const int side = tile_.width();
  const auto wrap = [side](int v) { return ((v % side) + side) % side; };
  const QRgb* row = reinterpret_cast<const QRgb*>(tile_.constScanLine(wrap(y - patternOriginY_)));
  int t = wrap(left - patternOriginX_);
  for (int x = left; x < right; ++x) {
    line[x] = row[t];
    if (++t == side) t = 0;
  }
}

void QImageCanvas::FillRectWithPattern(int left, int top, int right, int bottom) {
  if (!ClipToImage(left, top, right, bottom)) return;
  EndPainting();
  PatternTile();
  uchar* bits = image_->bits();
  const qsizetype stride = image_->bytesPerLine();
  for (int y = top; y < bottom; ++y)
    PatternSpan(reinterpret_cast<QRgb*>(bits + y * stride), y, left, right);
}

// The pixels are those a solid fill of the polygon covers, found by filling
// it on a scratch image: the painter's solid fills stay on this thread, and
// the edges are exactly those of the tiled fill.
void QImageCanvas::FillPolygonWithPattern(const QPolygon& polygon) {
  int left = 0, top = 0, right = 0, bottom = 0;
  {
    const QRect box = polygon.boundingRect();
    left = box.left() - 1;
    top = box.top() - 1;
    right = box.right() + 2;
    bottom = box.bottom() + 2;
  }
  if (!ClipToImage(left, top, right, bottom)) return;
  if (coverage_.width() < image_->width() || coverage_.height() < image_->height()) {
    // With alpha, so that an uncovered pixel is 0 (RGB32 keeps alpha set).
    coverage_ = QImage(image_->width(), image_->height(), QImage::Format_ARGB32_Premultiplied);
    coverage_.fill(0);
  }
  {
    QPainter mask(&coverage_);
    mask.setRenderHint(QPainter::Antialiasing, false);
    mask.setClipRect(QRect(left, top, right - left, bottom - top));
    mask.setPen(Qt::NoPen);
    mask.setBrush(QColor(255, 255, 255));
    mask.drawPolygon(polygon);
  }
  EndPainting();
  PatternTile();
  uchar* bits = image_->bits();
  const qsizetype stride = image_->bytesPerLine();
  uchar* coverageBits = coverage_.bits();
  const qsizetype coverageStride = coverage_.bytesPerLine();
  const auto isCovered = [](QRgb pixel) { return pixel != 0; };
  for (int y = top; y < bottom; ++y) {
    QRgb* const covered = reinterpret_cast<QRgb*>(coverageBits + y * coverageStride);
    QRgb* const line = reinterpret_cast<QRgb*>(bits + y * stride);
    QRgb* const end = covered + right;
    // Runs found and cleared by the library's searches and fills: a loop
    // of our own over every pixel ran up to a fifth slower or faster with
    // where it happened to lie in the program.
    QRgb* run = std::find_if(covered + left, end, isCovered);
    while (run != end) {
      QRgb* const runEnd = std::find(run, end, QRgb{0});
      PatternSpan(line, y, static_cast<int>(run - covered), static_cast<int>(runEnd - covered));
      std::fill(run, runEnd, QRgb{0});  // left clean for the next
      run = std::find_if(runEnd, end, isCovered);
    }
  }
}

void QImageCanvas::Prepare(QPainter& painter, bool withPen, bool withBrush) {
  // The painter compares what it is given with what it has, so unchanged
  // settings cost a comparison, not a state change.
  painter.setCompositionMode(penMode_ == PenMode::Invert ? QPainter::RasterOp_SourceXorDestination
                                                         : QPainter::CompositionMode_SourceOver);
  if (withPen && penStyle_ != PenStyle::None)
    painter.setPen(CurrentPen());
  else
    painter.setPen(Qt::NoPen);
  if (!withBrush || brushKind_ == BrushKind::Hollow) {
    painter.setBrush(Qt::NoBrush);
  } else {
    painter.setBrush(CurrentBrush());
    if (brushKind_ == BrushKind::Pattern) painter.setBrushOrigin(patternOriginX_, patternOriginY_);
  }
}

void QImageCanvas::MoveTo(int x, int y) {
  penX_ = x;
  penY_ = y;
}

void QImageCanvas::LineTo(int x, int y) {
  if (penMode_ == PenMode::Invert && penWidth_ == 1 && penStyle_ == PenStyle::Solid &&
      (x == penX_ || y == penY_)) {
    InvertStraightLine(penX_, penY_, x, y);
  } else {
    QPainter& painter = Painter();
    Prepare(painter, true, false);
    painter.drawLine(penX_, penY_, x, y);
  }
  penX_ = x;
  penY_ = y;
}

// Selection frames, rubber bands and the cross-hair are inverted lines
// along a row or a column, many per mouse move; the painter spends far more
// on each than the few pixels cost. The pixels are those the painter's
// line covers: from the smaller end up to, not including, the larger one
// (a line of length 0 covers its point).
// Cuts the rectangle (right and bottom exclusive) to the image and the clip;
// false when nothing is left.
bool QImageCanvas::ClipToImage(int& left, int& top, int& right, int& bottom) const {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, image_->width());
  bottom = std::min(bottom, image_->height());
  if (clip_) {
    left = std::max(left, clip_->left());
    top = std::max(top, clip_->top());
    right = std::min(right, clip_->left() + clip_->width());
    bottom = std::min(bottom, clip_->top() + clip_->height());
  }
  return right > left && bottom > top;
}

void QImageCanvas::InvertStraightLine(int x1, int y1, int x2, int y2) {
  int left = std::min(x1, x2), right = std::max(x1, x2);
  int top = std::min(y1, y2), bottom = std::max(y1, y2);
  if (left == right) ++right;
  if (top == bottom) ++bottom;
  if (!ClipToImage(left, top, right, bottom)) return;
  EndPainting();
  const QRgb colour = ToQRgb(penColour_) & 0x00FFFFFF;  // the alpha stays
  for (int y = top; y < bottom; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(image_->scanLine(y));
    for (int x = left; x < right; ++x) line[x] ^= colour;
  }
}

void QImageCanvas::Rectangle(int left, int top, int right, int bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  if (right - left < 1 || bottom - top < 1) return;
  if (DirectPatternFill()) {
    FillRectWithPattern(left, top, right, bottom);
  } else {
    QPainter& painter = Painter();
    Prepare(painter, false, true);
    painter.drawRect(QRect(left, top, right - left, bottom - top));
  }
  if (penStyle_ != PenStyle::None) {
    QPainter& painter = Painter();
    Prepare(painter, true, false);
    // The outline runs on the outermost pixels: right and bottom exclusive.
    painter.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
  }
}

void QImageCanvas::Polygon(const std::vector<CanvasPoint>& points) {
  if (points.empty()) return;
  QPolygon polygon;
  for (const CanvasPoint& p : points) polygon << QPoint(p.x, p.y);
  if (DirectPatternFill()) {
    FillPolygonWithPattern(polygon);
    if (penStyle_ == PenStyle::None) return;
    QPainter& painter = Painter();
    Prepare(painter, true, false);
    painter.drawPolygon(polygon);
    return;
  }
  QPainter& painter = Painter();
  Prepare(painter, true, true);
  painter.drawPolygon(polygon);
}

void QImageCanvas::FillRect(int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top || brushKind_ == BrushKind::Hollow) return;
  if (DirectPatternFill()) {
    FillRectWithPattern(left, top, right, bottom);
    return;
  }
  QPainter& painter = Painter();
  Prepare(painter, false, true);
  painter.drawRect(QRect(left, top, right - left, bottom - top));
}

void QImageCanvas::FillRectColour(int left, int top, int right, int bottom, Rgb colour) {
  if (!ClipToImage(left, top, right, bottom)) return;
  EndPainting();
  const QRgb value = ToQRgb(colour);
  for (int y = top; y < bottom; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(image_->scanLine(y));
    std::fill(line + left, line + right, value);
  }
}

void QImageCanvas::SetPixel(int x, int y, Rgb colour) {
  if (x < 0 || y < 0 || x >= image_->width() || y >= image_->height()) return;
  if (clip_ && !clip_->contains(x, y)) return;
  EndPainting();
  reinterpret_cast<QRgb*>(image_->scanLine(y))[x] = ToQRgb(colour);
}

Rgb QImageCanvas::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= image_->width() || y >= image_->height()) return 0;
  EndPainting();
  const QRgb p = reinterpret_cast<const QRgb*>(image_->constScanLine(y))[x];
  return MakeRgb(std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)), std::uint8_t(qBlue(p)));
}

void QImageCanvas::DrawImage(const Image16& image, int left, int top, int right, int bottom,
                             bool useTransparent, std::uint16_t transparent) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() < std::size_t(image.width) * std::size_t(image.height))
    return;
  const bool mirrorX = right < left;
  const bool mirrorY = bottom < top;
  const int x0 = std::min(left, right), y0 = std::min(top, bottom);
  const int w = std::abs(right - left), h = std::abs(bottom - top);
  if (w == 0 || h == 0) return;
  QImage source(image.width, image.height, QImage::Format_ARGB32);
  for (int y = 0; y < image.height; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(source.scanLine(y));
    for (int x = 0; x < image.width; ++x) {
      const std::uint16_t p = image.pixels[std::size_t(y) * image.width + x];
      line[x] = (useTransparent && p == transparent) ? qRgba(0, 0, 0, 0) : From565(p);
    }
  }
  if (mirrorX || mirrorY) source = source.mirrored(mirrorX, mirrorY);
  QPainter& painter = Painter();
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(QRect(x0, y0, w, h), source);
}

}  // namespace tavo

#include "qt/pagecanvas.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "project/projekt.h"
#include "qt/qimagecanvas.h"
#include "shell/codepage.h"
#include "shell/safefile.h"

namespace tavo {

namespace {

QString Text(const std::string& cp1252) {
  return QString::fromUtf8(Cp1252ToUtf8(cp1252));
}

QColor Colour(Rgb c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

// A font whose lines are `height` device units from the top of the ascent
// to the bottom of the descent, so a text stays within its millimetres.
QFont SizedFont(QFont font, double height) {
  font.setPixelSize(std::max(1, static_cast<int>(height + 0.5)));
  const double natural = QFontMetricsF(font).height();
  if (natural > height)
    font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * height / natural)));
  return font;
}

}  // namespace

QPainterPageCanvas::QPainterPageCanvas(QPainter& painter, const QRectF& target,
                                       BlockPainter& blocks)
    : painter_(painter), target_(target), blocks_(blocks) {}

QPointF QPainterPageCanvas::Point(double x, double y) const {
  return {target_.left() + MM(x), target_.top() + MM(y)};
}

QRectF QPainterPageCanvas::Rect(const MmRect& r) const {
  return {Point(r.x, r.y), QSizeF(MM(r.width), MM(r.height))};
}

void QPainterPageCanvas::StartPage(const PageGeometry& page) {
  scale_ = page.width > 0 ? target_.width() / page.width : 1;
  painter_.save();
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter_.setRenderHint(QPainter::LosslessImageRendering, true);
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  painter_.fillRect(QRectF(target_.topLeft(), QSizeF(MM(page.width), MM(page.height))), Qt::white);
}

void QPainterPageCanvas::Title(const PageTitle& title) {
  QFont font("Courier New");
  font.setStyleHint(QFont::TypeWriter);
  font.setBold(true);
  font.setItalic(true);
  painter_.setFont(SizedFont(font, MM(4.5)));
  painter_.setPen(Qt::black);
  const QPointF at = Point(title.x, title.y);
  painter_.drawText(QPointF(at.x(), at.y() + QFontMetricsF(painter_.font()).ascent()),
                    Text(title.text));
}

void QPainterPageCanvas::Note(const PageNote& note) {
  QFont font("Sans Serif");
  font.setStyleHint(QFont::SansSerif);
  painter_.setFont(SizedFont(font, MM(note.size)));
  painter_.setPen(Colour(note.colour));
  const QPointF at = Point(note.x, note.y);
  painter_.drawText(QPointF(at.x(), at.y() + QFontMetricsF(painter_.font()).ascent()),
                    Text(note.text));
}

void QPainterPageCanvas::Frame(const PageFrame& frame) {
  QPen pen(Colour(frame.colour));
  pen.setWidthF(MM(frame.penMm));
  pen.setStyle(frame.dashed ? Qt::DashLine : Qt::SolidLine);
  painter_.setPen(pen);
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(Rect(frame.rect));
}

void QPainterPageCanvas::Block(const PixelBlock& block, const MmRect& place) {
  if (block.width <= 0 || block.height <= 0) return;
  painter_.drawImage(Rect(place), RenderBlock(block, blocks_));
}

void QPainterPageCanvas::EndPage() {
  painter_.restore();
}

QImage RenderBlock(const PixelBlock& block, BlockPainter& blocks) {
  QImageCanvas canvas(block.width, block.height);
  PaintBlock(block, canvas, blocks);
  return canvas.Image();
}

bool WritePrintoutPdf(const Printout& printout, BlockPainter& blocks, const std::string& path,
                      std::string* error) {
  const std::string why = WhyNotWritable(path);
  if (!why.empty()) {
    if (error) *error = "cannot write " + path + ": " + why;
    return false;
  }
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(QString::fromUtf8(Cp1252ToUtf8(kProductName)));
    writer.setCreator(QString::fromUtf8(Cp1252ToUtf8(kProductName)));
    writer.setPageSize(QPageSize(QSizeF(printout.page.width, printout.page.height),
                                 QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(600);
    QPainter painter;
    if (!painter.begin(&writer)) {
      if (error) *error = "cannot start the PDF for " + path;
      return false;
    }
    const QRectF page(0, 0, writer.width(), writer.height());
    QPainterPageCanvas canvas(painter, page, blocks);
    for (std::size_t i = 0; i < printout.pages.size(); ++i) {
      if (i > 0) writer.newPage();
      ReplayPage(printout, i, canvas);
    }
    painter.end();
  }
  return WriteFileSafely(path, std::string_view(bytes.constData(), bytes.size()), error);
}

}  // namespace tavo

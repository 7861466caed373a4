#include "editor/mainwindow_icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>
#include <cmath>

namespace tavo {

namespace {

const QColor kInk(0x30, 0x38, 0x48);
const QColor kPaper(0xFA, 0xFA, 0xF5);
const QColor kFolder(0xE8, 0xB8, 0x4A);
const QColor kBlue(0x2E, 0x6E, 0xC8);
const QColor kGreen(0x3A, 0x9A, 0x50);
const QColor kRed(0xC8, 0x3A, 0x3A);

void Sheet(QPainter& p) {
  QPainterPath path;
  path.moveTo(3.5, 1.5);
  path.lineTo(9.5, 1.5);
  path.lineTo(12.5, 4.5);
  path.lineTo(12.5, 14.5);
  path.lineTo(3.5, 14.5);
  path.closeSubpath();
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawPath(path);
  p.drawLine(QPointF(9.5, 1.5), QPointF(9.5, 4.5));
  p.drawLine(QPointF(9.5, 4.5), QPointF(12.5, 4.5));
}

void Folder(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kFolder.darker(115));
  p.drawRect(QRectF(1.5, 3.5, 6, 3));
  p.setBrush(kFolder);
  p.drawRect(QRectF(1.5, 5.5, 13, 8));
}

void Disk(QPainter& p, const QColor& body) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(body);
  p.drawRect(QRectF(1.5, 1.5, 13, 13));
  p.setBrush(kPaper);
  p.drawRect(QRectF(4.5, 1.5, 7, 5));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(3.5, 9.5, 9, 5));
}

void Terminal(QPainter& p, const QRectF& r) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(0x50, 0x58, 0x60));
  p.drawRoundedRect(r, 1.5, 1.5);
  p.setBrush(QColor(0x70, 0xB0, 0xE8));
  p.drawRect(r.adjusted(2, 2, -2, -r.height() / 3));
}

void Picture(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(0xDD, 0xEE, 0xFF));
  p.drawRect(QRectF(1.5, 2.5, 13, 11));
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  QPolygonF hill({QPointF(2, 13), QPointF(7, 7), QPointF(10, 10), QPointF(12, 8), QPointF(14, 13)});
  p.drawPolygon(hill);
  p.setBrush(kFolder);
  p.drawEllipse(QPointF(11, 5.5), 1.6, 1.6);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
  p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(from, to);
  const QPointF d = to - from;
  const qreal len = std::max<qreal>(1, std::hypot(d.x(), d.y()));
  const QPointF u = d / len;
  const QPointF n(-u.y(), u.x());
  p.setBrush(colour);
  p.setPen(Qt::NoPen);
  p.drawPolygon(QPolygonF({to + u * 2, to - u * 3 + n * 3, to - u * 3 - n * 3}));
}

void Draw(QPainter& p, IconId id) {
  switch (id) {
    case IconId::NewProject:
      Sheet(p);
      p.setPen(QPen(kGreen, 2));
      p.drawLine(QPointF(8, 7), QPointF(8, 13));
      p.drawLine(QPointF(5, 10), QPointF(11, 10));
      break;
    case IconId::OpenProject:
      Folder(p);
      break;
    case IconId::ImportDos:
      Folder(p);
      p.setPen(QPen(kInk, 1));
      p.setFont(QFont("Sans", 5, QFont::Bold));
      p.drawText(QRectF(1.5, 6, 13, 7), Qt::AlignCenter, "DOS");
      break;
    case IconId::SaveProject:
      Disk(p, kBlue);
      break;
    case IconId::SaveAs:
      Disk(p, kBlue);
      p.setPen(QPen(kRed, 2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(9, 14), QPointF(15, 8));
      break;
    case IconId::ProjectPanel:
      p.setPen(QPen(kInk, 1));
      p.setBrush(kPaper);
      p.drawRect(QRectF(1.5, 1.5, 13, 13));
      p.setBrush(kBlue.lighter(150));
      p.drawRect(QRectF(1.5, 1.5, 5, 13));
      p.drawLine(QPointF(3, 4.5), QPointF(5, 4.5));
      p.drawLine(QPointF(3, 7.5), QPointF(5, 7.5));
      p.drawLine(QPointF(3, 10.5), QPointF(5, 10.5));
      break;
    case IconId::Download:
      Terminal(p, QRectF(5.5, 6.5, 9, 8));
      Arrow(p, QPointF(2, 2), QPointF(7, 7), kGreen);
      break;
    case IconId::Simulate:
      Terminal(p, QRectF(1.5, 2.5, 13, 11));
      p.setPen(Qt::NoPen);
      p.setBrush(kGreen);
      p.drawPolygon(QPolygonF({QPointF(6, 4.5), QPointF(11, 7), QPointF(6, 9.5)}));
      break;
    case IconId::PictureToClipboard:
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(0xC0, 0x90, 0x60));
      p.drawRect(QRectF(2.5, 2.5, 11, 12));
      p.setBrush(kPaper);
      p.drawRect(QRectF(4.5, 4.5, 7, 8));
      p.setBrush(Qt::lightGray);
      p.drawRect(QRectF(5.5, 1.5, 5, 2));
      break;
    case IconId::Print:
      p.setPen(QPen(kInk, 1));
      p.setBrush(kPaper);
      p.drawRect(QRectF(4.5, 1.5, 7, 5));
      p.setBrush(QColor(0xA0, 0xA8, 0xB0));
      p.drawRect(QRectF(1.5, 6.5, 13, 6));
      p.setBrush(kPaper);
      p.drawRect(QRectF(4.5, 10.5, 7, 4));
      break;
    case IconId::CheckProject:
      Sheet(p);
      p.setPen(QPen(kGreen, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawPolyline(QPolygonF({QPointF(5, 9), QPointF(7.5, 12), QPointF(14, 4)}));
      break;
    case IconId::EditPicture:
      Picture(p);
      p.setPen(QPen(kRed, 2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(6, 15), QPointF(15, 6));
      break;
    case IconId::PictureListView:
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(0xDD, 0xEE, 0xFF));
      for (int y : {1, 9})
        for (int x : {1, 9}) p.drawRect(QRectF(x + 0.5, y + 0.5, 5, 5));
      break;
    case IconId::TerminalChange:
      Terminal(p, QRectF(1.5, 2.5, 13, 11));
      break;
    case IconId::CouplingChange:
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(0x90, 0x98, 0xA0));
      p.drawRect(QRectF(1.5, 3.5, 5, 9));
      p.drawRect(QRectF(9.5, 3.5, 5, 9));
      p.setPen(QPen(kGreen, 2));
      p.drawLine(QPointF(6.5, 8), QPointF(9.5, 8));
      break;
    case IconId::Undo:
    case IconId::Redo: {
      // A hooked arrow turning back (undo) or onward (redo).
      const bool undo = id == IconId::Undo;
      if (!undo) p.scale(-1, 1), p.translate(-16, 0);
      QPainterPath hook;
      hook.moveTo(4, 6);
      hook.lineTo(10, 6);
      hook.cubicTo(15, 6, 15, 13, 10, 13);
      hook.lineTo(6, 13);
      p.setPen(QPen(kBlue, 2, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawPath(hook);
      p.setPen(Qt::NoPen);
      p.setBrush(kBlue);
      p.drawPolygon(QPolygonF({QPointF(1, 6), QPointF(6, 2), QPointF(6, 10)}));
      break;
    }
    case IconId::NodeInfo:
      p.setPen(QPen(kBlue, 1));
      p.setBrush(kBlue);
      p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
      p.setPen(QPen(Qt::white, 2));
      p.drawLine(QPointF(8, 7), QPointF(8, 12));
      p.drawPoint(QPointF(8, 4.5));
      break;
    case IconId::NodeAlarms:
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(0xF0, 0xC0, 0x20));
      p.drawPolygon(QPolygonF({QPointF(8, 1.5), QPointF(14.5, 14), QPointF(1.5, 14)}));
      p.setPen(QPen(kInk, 2));
      p.drawLine(QPointF(8, 6), QPointF(8, 10));
      p.drawPoint(QPointF(8, 12.3));
      break;
    case IconId::NodeVariables:
      p.setPen(QPen(kInk, 1));
      p.setBrush(kPaper);
      p.drawRect(QRectF(1.5, 3.5, 13, 9));
      p.setPen(QPen(kBlue, 1));
      p.setFont(QFont("Sans", 6, QFont::Bold));
      p.drawText(QRectF(1.5, 3.5, 13, 9), Qt::AlignCenter, "x=");
      break;
    case IconId::NodePictures:
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(0xDD, 0xEE, 0xFF));
      p.drawRect(QRectF(4.5, 1.5, 10, 8));
      p.drawRect(QRectF(1.5, 5.5, 10, 8));
      break;
    case IconId::NodePicture:
      Picture(p);
      break;
  }
}

}  // namespace

QIcon MakeIcon(IconId id) {
  QIcon icon;
  for (int scale : {1, 2}) {
    QPixmap pixmap(16 * scale, 16 * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    Draw(p, id);
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

QImage StartViewTile() {
  // A faint terminal outline on a blue-grey ground: the start view shows
  // that there is nothing open without looking empty.
  QImage tile(96, 96, QImage::Format_RGB32);
  tile.fill(QColor(0x5A, 0x6E, 0x84));
  QPainter p(&tile);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x66, 0x7B, 0x92), 2));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(20, 24, 56, 42), 4, 4);
  p.drawRect(QRectF(27, 30, 42, 24));
  for (int i = 0; i < 4; ++i) p.drawRect(QRectF(29 + i * 10, 58, 6, 4));
  return tile;
}

QImage SplashPicture(int width, int height, qreal devicePixelRatio) {
  QImage image(QSize(width, height) * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(devicePixelRatio);
  image.fill(Qt::black);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient band(0, 0, width, 0);
  band.setColorAt(0, QColor(0x10, 0x30, 0x60));
  band.setColorAt(1, QColor(0x20, 0x70, 0xB0));
  p.fillRect(QRectF(0, height * 0.18, width, height * 0.34), band);
  p.setPen(Qt::white);
  QFont title("Sans", 26, QFont::Bold);
  p.setFont(title);
  p.drawText(QRectF(0, height * 0.18, width, height * 0.34), Qt::AlignCenter, "QVX Tavo Dex");
  // A small terminal drawing at the left.
  p.setPen(QPen(QColor(0xC0, 0xD8, 0xF0), 2));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(24, height * 0.62, 64, 46), 4, 4);
  p.drawRect(QRectF(32, height * 0.62 + 7, 48, 26));
  return image;
}

}  // namespace tavo

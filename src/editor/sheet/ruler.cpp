#include "editor/sheet/ruler.h"

#include <QPainter>

#include "editor/sheet/sheetgeometry.h"

namespace tavo {

Ruler::Ruler(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void Ruler::SetRange(double from, double to) {
  if (from == from_ && to == to_) return;
  from_ = from;
  to_ = to;
  update();
}

void Ruler::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().button());
  const bool horizontal = orientation_ == Qt::Horizontal;
  const int length = horizontal ? width() : height();
  const int depth = horizontal ? height() : width();
  QFont font = p.font();
  font.setPixelSize(9);
  p.setFont(font);
  p.setPen(Qt::gray);
  // The marks hang from the edge next to the sheet.
  for (const sheet::RulerTick& tick : sheet::RulerTicks(from_, to_, length)) {
    const int mark = tick.major ? depth / 2 : depth / 4;
    if (horizontal) {
      p.drawLine(tick.pixel, depth - mark, tick.pixel, depth - 1);
      if (tick.major) p.drawText(tick.pixel + 2, 10, QString::number(tick.value));
    } else {
      p.drawLine(depth - mark, tick.pixel, depth - 1, tick.pixel);
      if (tick.major) {
        p.save();
        p.translate(10, tick.pixel + 2);
        p.rotate(-90);
        p.drawText(-QFontMetrics(font).horizontalAdvance(QString::number(tick.value)) - 2, 0,
                   QString::number(tick.value));
        p.restore();
      }
    }
  }
  p.setPen(palette().dark().color());
  if (horizontal)
    p.drawLine(0, depth - 1, length - 1, depth - 1);
  else
    p.drawLine(depth - 1, 0, depth - 1, length - 1);
}

}  // namespace tavo

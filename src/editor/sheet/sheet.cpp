#include "editor/sheet/sheet.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "qt/qimagecanvas.h"

namespace tavo {
namespace {

SheetMouse FromEvent(const QMouseEvent& event) {
  SheetMouse m;
  m.button = event.button();
  m.buttons = event.buttons();
  m.modifiers = event.modifiers();
  const QPoint p = event.position().toPoint();
  m.x = p.x();
  m.y = p.y();
  return m;
}

}  // namespace

Sheet::Sheet(QWidget* parent) : QWidget(parent) {
  setObjectName("blatt");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  MakeSurface();
}

Sheet::~Sheet() = default;

void Sheet::MakeSurface() {
  // The canvas borrows the image, so it goes first.
  canvas_.reset();
  image_ = QImage(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
  image_.fill(QColor(0x60, 0x60, 0x60));
  canvas_ = std::make_unique<QImageCanvas>(image_);
}

Canvas& Sheet::canvas() {
  return *canvas_;
}

const QImage& Sheet::Image() const {
  return canvas_->Image();
}

void Sheet::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.setRenderHint(QPainter::Antialiasing, false);
  const QRect r = event->rect();
  painter.drawImage(r, canvas_->Image(), r);
}

void Sheet::resizeEvent(QResizeEvent*) {
  MakeSurface();
  emit surfaceChanged();
}

void Sheet::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) leftPressed_ = true;
  emit mouseDown(FromEvent(*event));
}

void Sheet::mouseDoubleClickEvent(QMouseEvent* event) {
  // Where the platform sends no press of its own for the second click, this
  // is its press.
  if (event->button() != Qt::LeftButton || !leftPressed_) mousePressEvent(event);
  if (event->button() == Qt::LeftButton) doubleClick_ = true;
}

void Sheet::mouseMoveEvent(QMouseEvent* event) {
  emit mouseMove(FromEvent(*event));
}

void Sheet::mouseReleaseEvent(QMouseEvent* event) {
  const SheetMouse m = FromEvent(*event);
  emit mouseUp(m);
  if (m.button != Qt::LeftButton) return;
  leftPressed_ = false;
  const bool inside = rect().contains(m.x, m.y);
  if (inside) emit click(m);
  if (doubleClick_) {
    doubleClick_ = false;
    if (inside) emit doubleClicked(m);
  }
}

void Sheet::leaveEvent(QEvent*) {
  emit mouseLeft();
}

void Sheet::contextMenuEvent(QContextMenuEvent* event) {
  emit contextMenuWanted(event->globalPos());
}

void Sheet::wheelEvent(QWheelEvent* event) {
  emit wheelTurned(event);
}

// A receiver that uses the key accepts the event; otherwise it goes on to
// the parent.
void Sheet::keyPressEvent(QKeyEvent* event) {
  event->ignore();
  emit keyPressed(event);
}

void Sheet::keyReleaseEvent(QKeyEvent* event) {
  event->ignore();
  emit keyReleased(event);
}

}  // namespace tavo

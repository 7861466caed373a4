#pragma once
// The drawing sheet `blatt`: a widget that holds the picture as drawn, one
// window pixel per sheet pixel, and hands its mouse events on. Everything is
// drawn into the sheet's own image through its canvas, so that the inverted
// marks (grid dots, selection frames, rubber bands, cross-hair) can be
// removed by drawing them again without a repaint; the widget only shows
// the image. On a high-density screen each sheet pixel becomes a block of
// device pixels, never a smoothed one.

#include <QImage>
#include <QWidget>
#include <memory>

#include "resources/canvas.h"

namespace tavo {

class QImageCanvas;

// A mouse event on the sheet, in sheet (window) pixels.
struct SheetMouse {
  Qt::MouseButton button = Qt::NoButton;  // the button pressed or released
  Qt::MouseButtons buttons;               // the buttons held
  Qt::KeyboardModifiers modifiers;
  int x = 0;
  int y = 0;
};

class Sheet : public QWidget {
  Q_OBJECT
 public:
  explicit Sheet(QWidget* parent = nullptr);
  ~Sheet() override;

  // The canvas on the sheet's image; replaced when the sheet is resized
  // (surfaceChanged). Width and Height are the sheet's.
  Canvas& canvas();
  // The image with every drawing so far applied.
  const QImage& Image() const;

 signals:
  // The image was replaced (new size): point the view at canvas() and paint.
  void surfaceChanged();
  void mouseDown(const tavo::SheetMouse& event);
  void mouseMove(const tavo::SheetMouse& event);
  void mouseUp(const tavo::SheetMouse& event);
  // A left-button press and release on the sheet.
  void click(const tavo::SheetMouse& event);
  // A left double click, after the release that ends it (and its click).
  void doubleClicked(const tavo::SheetMouse& event);
  void mouseLeft();
  void contextMenuWanted(const QPoint& globalPos);
  void wheelTurned(QWheelEvent* event);
  void keyPressed(QKeyEvent* event);
  void keyReleased(QKeyEvent* event);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  void MakeSurface();

  QImage image_;
  std::unique_ptr<QImageCanvas> canvas_;
  bool leftPressed_ = false;  // a left press was reported and not yet released
  bool doubleClick_ = false;  // the left button held is the second of a double click
};

}  // namespace tavo

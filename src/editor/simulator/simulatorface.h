#pragma once
// The front of the simulated terminal: its display, drawn at the terminal's
// resolution and shown enlarged by a whole factor with crisp pixels, and the
// buttons of its key areas laid out around it. A soft key area on the
// display gets its button beside the nearest edge of the display, in line
// with the area, as the key sits beside the display on the terminal.

#include <QImage>
#include <QToolButton>
#include <QWidget>
#include <vector>

namespace tavo {

class Translator;
class t_terminal;

class SimulatorFace : public QWidget {
  Q_OBJECT
 public:
  explicit SimulatorFace(Translator& translator, QWidget* parent = nullptr);

  // Builds the key buttons from the terminal's key areas: soft key area n
  // is soft key Sn, special key areas have no key record. Null: no keys.
  void SetTerminal(const t_terminal* terminal, int width, int height);
  // The display content, one pixel per terminal pixel.
  void SetImage(const QImage& display);
  const QImage& Image() const { return image_; }
  void SetScale(int factor);
  int Scale() const { return scale_; }
  // Where the display lies in the widget.
  QRect DisplayRect() const;
  // Terminal pixel under a widget point; false outside the display.
  bool TerminalPoint(const QPoint& widgetPoint, QPoint& terminalPixel) const;
  // The soft key whose area holds the pixel; 0 when none does.
  int SoftKeyAt(const QPoint& terminalPixel) const;
  void Retranslate();

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 signals:
  // Soft key 1 .. 12 (its button, or a click into its area on the display).
  void softKeyPressed(int softKey);
  // A left click on the display.
  void displayClicked(QPoint terminalPixel);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct KeyArea {
    QRect area;       // terminal pixels, inclusive corners as the definition gives them
    int softKey = 0;  // 0: a special key
    QToolButton* button = nullptr;
  };
  void LayOutKeys();

  Translator& translator_;
  QImage image_;
  int width_ = 0;
  int height_ = 0;
  int scale_ = 1;
  std::vector<KeyArea> keys_;
};

}  // namespace tavo

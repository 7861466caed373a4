#pragma once
// A linear scale with tick marks along one edge of the sheet, showing the
// terminal coordinates of the sheet's visible part.

#include <QWidget>

namespace tavo {

class Ruler : public QWidget {
  Q_OBJECT
 public:
  Ruler(Qt::Orientation orientation, QWidget* parent = nullptr);

  // The terminal value at the ruler's first pixel and just past its last.
  void SetRange(double from, double to);
  double From() const { return from_; }
  double To() const { return to_; }
  Qt::Orientation orientation() const { return orientation_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Qt::Orientation orientation_;
  double from_ = 0;
  double to_ = 100;
};

}  // namespace tavo

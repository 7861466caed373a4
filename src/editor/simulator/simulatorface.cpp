#include "editor/simulator/simulatorface.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "editor/uitext.h"
#include "project/records.h"
#include "shell/texts.h"

namespace tavo {

namespace {

// Room around the display for the key buttons, in window pixels.
constexpr int kMargin = 34;
constexpr int kGap = 4;
constexpr int kSoftKeys = 12;

}  // namespace

SimulatorFace::SimulatorFace(Translator& translator, QWidget* parent)
    : QWidget(parent), translator_(translator) {
  setObjectName("SimulatorFace");
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SimulatorFace::SetTerminal(const t_terminal* terminal, int width, int height) {
  for (KeyArea& key : keys_) delete key.button;
  keys_.clear();
  width_ = width;
  height_ = height;
  if (terminal) {
    int soft = 0, special = 0;
    for (const t_liste* n = terminal->keyAreas.get(); n; n = n->next()) {
      const auto& a = static_cast<const t_tastenfeld&>(*n);
      KeyArea key;
      key.area = QRect(QPoint(a.left, a.top), QPoint(a.right, a.bottom)).normalized();
      key.button = new QToolButton(this);
      key.button->setAutoRaise(false);
      key.button->setFocusPolicy(Qt::NoFocus);
      // Soft key areas come first in the list, named "F01" ...; special key
      // areas follow ("S01" ...).
      const bool isSoft = !a.name.empty() && (a.name[0] == 'F' || a.name[0] == 'f');
      if (isSoft) {
        key.softKey = ++soft;
        key.button->setObjectName(QString("SoftKey%1").arg(soft));
        key.button->setEnabled(soft <= kSoftKeys && SoftKeyOffered(terminal->typeNumber, soft));
        const int number = soft;
        connect(key.button, &QToolButton::clicked, this,
                [this, number] { emit softKeyPressed(number); });
      } else {
        key.button->setObjectName(QString("SpecialKey%1").arg(++special));
        key.button->setText(Q(a.name));
        key.button->setEnabled(false);
      }
      keys_.push_back(key);
    }
  }
  Retranslate();
  LayOutKeys();
  updateGeometry();
  adjustSize();
  update();
}

void SimulatorFace::Retranslate() {
  for (KeyArea& key : keys_) {
    if (key.softKey >= 1 && key.softKey <= kSoftKeys) {
      key.button->setText(Tr(translator_, txt::kSTastenRow[key.softKey - 1]));
      key.button->setToolTip(Tr(translator_, txt::kSTastenRowHint[key.softKey - 1]));
    } else if (key.softKey == 0) {
      key.button->setToolTip(Tr(translator_, txt::kSimSondertaste));
    }
  }
}

void SimulatorFace::SetImage(const QImage& display) {
  image_ = display;
  update(DisplayRect());
}

void SimulatorFace::SetScale(int factor) {
  factor = std::max(1, factor);
  if (factor == scale_) return;
  scale_ = factor;
  LayOutKeys();
  updateGeometry();
  adjustSize();
  update();
}

QRect SimulatorFace::DisplayRect() const {
  return QRect(kMargin, kMargin, width_ * scale_, height_ * scale_);
}

bool SimulatorFace::TerminalPoint(const QPoint& widgetPoint, QPoint& terminalPixel) const {
  const QRect display = DisplayRect();
  if (!display.contains(widgetPoint)) return false;
  terminalPixel = QPoint((widgetPoint.x() - display.left()) / scale_,
                         (widgetPoint.y() - display.top()) / scale_);
  return true;
}

int SimulatorFace::SoftKeyAt(const QPoint& terminalPixel) const {
  for (const KeyArea& key : keys_)
    if (key.softKey > 0 && key.button->isEnabled() && key.area.contains(terminalPixel))
      return key.softKey;
  return 0;
}

QSize SimulatorFace::sizeHint() const {
  return QSize(width_ * scale_ + 2 * kMargin, height_ * scale_ + 2 * kMargin);
}

void SimulatorFace::LayOutKeys() {
  const QRect display = DisplayRect();
  for (KeyArea& key : keys_) {
    const QRect& a = key.area;
    // The button goes beside the nearer of the two display edges the area
    // runs along: a wide area above or below the display, a tall one to
    // its left or right (an area in a corner touches two edges).
    const int toLeft = a.left(), toTop = a.top();
    const int toRight = width_ - 1 - a.right(), toBottom = height_ - 1 - a.bottom();
    const bool tall = a.height() > a.width();
    const int nearest = tall ? std::min(toLeft, toRight) : std::min(toTop, toBottom);
    const int x = display.left() + a.left() * scale_;
    const int y = display.top() + a.top() * scale_;
    const int w = std::max(1, a.width() * scale_ - kGap);
    const int h = std::max(1, a.height() * scale_ - kGap);
    const int depth = kMargin - 2 * kGap;
    QRect place;
    if (!tall && nearest == toBottom)
      place = QRect(x + kGap / 2, display.bottom() + 1 + kGap, w, depth);
    else if (!tall)
      place = QRect(x + kGap / 2, kGap, w, depth);
    else if (nearest == toLeft)
      place = QRect(kGap, y + kGap / 2, depth, h);
    else
      place = QRect(display.right() + 1 + kGap, y + kGap / 2, depth, h);
    key.button->setGeometry(place);
  }
}

void SimulatorFace::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0x40, 0x44, 0x4c));
  const QRect display = DisplayRect();
  if (image_.isNull()) {
    painter.fillRect(display, Qt::black);
    return;
  }
  // Whole factors and no smoothing: every terminal pixel a crisp square.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(display, image_);
}

void SimulatorFace::mousePressEvent(QMouseEvent* event) {
  QPoint pixel;
  if (event->button() != Qt::LeftButton || !TerminalPoint(event->position().toPoint(), pixel)) {
    QWidget::mousePressEvent(event);
    return;
  }
  emit displayClicked(pixel);
}

void SimulatorFace::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOutKeys();
}

}  // namespace tavo

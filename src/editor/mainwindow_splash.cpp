#include "editor/mainwindow_splash.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "editor/mainwindow_icons.h"
#include "editor/uitext.h"
#include "project/projekt.h"

namespace tavo {

namespace {
constexpr int kPictureWidth = 420;
constexpr int kPictureHeight = 220;
}  // namespace

TFirstQVXWin::TFirstQVXWin(Translator* translator, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(new QLabel(this)),
      version_(new QLabel(this)) {
  setObjectName("TFirstQVXWin");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowOpacity(0.92);
  setStyleSheet("background: black; color: white;");
  setFocusPolicy(Qt::StrongFocus);
  picture_->setObjectName("Image1");
  const qreal ratio =
      QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->devicePixelRatio() : 1.0;
  picture_->setPixmap(QPixmap::fromImage(SplashPicture(kPictureWidth, kPictureHeight, ratio)));
  picture_->installEventFilter(this);
  version_->setObjectName("VersionLabel");
  version_->setText(kVersionText);
  version_->setAlignment(Qt::AlignRight);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(picture_);
  layout->addWidget(version_);
  timer_.setSingleShot(true);
  timer_.setInterval(kShowMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &QWidget::close);
  SetTranslator(translator);
}

void TFirstQVXWin::SetTranslator(Translator* translator) {
  if (translator) picture_->setToolTip(Tr(*translator, txt::kProgrammInfo));
}

void TFirstQVXWin::Present() {
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - rect().center());
  }
  show();
  raise();
  activateWindow();
}

void TFirstQVXWin::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  timer_.start();
}

void TFirstQVXWin::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      close();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

bool TFirstQVXWin::eventFilter(QObject* watched, QEvent* event) {
  if (watched == picture_ && event->type() == QEvent::MouseButtonRelease) {
    close();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tavo

#include "editor/mainwindow_progress.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

#include "editor/uitext.h"

namespace tavo {

LoadProgressWindow::LoadProgressWindow(Translator& translator, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      label_(new QLabel(this)),
      percent_(new QLabel(this)),
      bar_(new QProgressBar(this)) {
  setObjectName("LoadProgressWindow");
  setWindowTitle(Tr(translator, txt::kProjektLaden));
  label_->setText(Tr(translator, txt::kProgressProjekt));
  bar_->setRange(0, 100);
  bar_->setTextVisible(false);
  // The figure and the bar tell the same: nothing read yet.
  bar_->setValue(0);
  percent_->setText("0 %");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(percent_);
  layout->addWidget(bar_);
  setMinimumWidth(320);
}

void LoadProgressWindow::SetCaption(const std::string& cp1252) {
  setWindowTitle(Q(cp1252));
}

void LoadProgressWindow::SetLabel(const std::string& cp1252) {
  label_->setText(Q(cp1252));
}

void LoadProgressWindow::SetPercent(int percent) {
  bar_->setValue(percent);
  percent_->setText(QString::number(percent) + " %");
  // Only the window's own painting: commands must not run while the reader
  // is half way through a project.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void LoadProgressWindow::Present() {
  adjustSize();
  if (const QScreen* screen = QApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  show();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace tavo

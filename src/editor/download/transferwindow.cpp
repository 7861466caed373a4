#include "editor/download/transferwindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "editor/uitext.h"
#include "shell/codepage.h"
#include "shell/language.h"
#include "shell/texts.h"

namespace tavo {

namespace {

// A gauge counts in int; sizes beyond that are shown scaled down.
void SetGauge(QProgressBar* gauge, std::int64_t position, std::int64_t maximum) {
  maximum = std::max<std::int64_t>(maximum, 0);
  position = std::clamp<std::int64_t>(position, 0, maximum);
  int shift = 0;
  while ((maximum >> shift) > std::numeric_limits<int>::max()) ++shift;
  const int max = static_cast<int>(maximum >> shift);
  const int value = static_cast<int>(position >> shift);
  if (gauge->maximum() != max) gauge->setRange(0, max);
  if (gauge->value() != value) gauge->setValue(value);
}

}  // namespace

TransferProgressWindow::TransferProgressWindow(Translator& translator, QWidget* parent)
    : QDialog(parent), translator_(translator) {
  setObjectName("TDownloadConnect");
  setWindowTitle("Projektdownload");
  // Not kept on top of everything: the messages and questions of the
  // transfer open above it. Modal, so that the main window cannot start a
  // second transfer or close the project while this one runs.
  setWindowModality(Qt::ApplicationModal);

  gesammtLabel_ = new QLabel(this);
  gesammtLabel_->setObjectName("GesammtLabel");
  bearbeitet_ = new QProgressBar(this);
  bearbeitet_->setObjectName("bearbeitet");
  befehllabel_ = new QLabel(this);
  befehllabel_->setObjectName("befehllabel");
  befehllabel_->setMinimumWidth(360);
  statusbar_ = new QProgressBar(this);
  statusbar_->setObjectName("statusbar");

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(gesammtLabel_);
  layout->addWidget(bearbeitet_);
  layout->addWidget(befehllabel_);
  layout->addWidget(statusbar_);
  SetGauge(statusbar_, 0, 0);
  SetGauge(bearbeitet_, 0, 0);
}

TransferProgressWindow::~TransferProgressWindow() = default;

void TransferProgressWindow::Translate() {
  setWindowTitle(Q(translator_.Tr(txt::kTransferTitle)));
  gesammtLabel_->setText(Q(translator_.Tr(txt::kTransferTotalLabel)));
  const QString totalHint = Q(translator_.Tr(txt::kTransferTotalHint));
  gesammtLabel_->setToolTip(totalHint);
  bearbeitet_->setToolTip(totalHint);
  const QString fileHint = Q(translator_.Tr(txt::kTransferFileHint));
  befehllabel_->setToolTip(fileHint);
  statusbar_->setToolTip(fileHint);
}

void TransferProgressWindow::Start() {
  Translate();
  totalMaximum_ = 0;
  SetGauge(statusbar_, 0, 0);
  SetGauge(bearbeitet_, 0, 0);
  befehllabel_->clear();
  show();
  raise();
}

void TransferProgressWindow::SetCommandLabel(const std::string& text) {
  const QString shown = Q(text);
  if (befehllabel_->text() == shown) return;
  befehllabel_->setText(shown);
  // The builder does not return to the event loop between its steps.
  if (befehllabel_->isVisible()) befehllabel_->repaint();
}

void TransferProgressWindow::SetTotalLabel(const std::string& text) {
  gesammtLabel_->setText(Q(text));
  if (gesammtLabel_->isVisible()) gesammtLabel_->repaint();
}

void TransferProgressWindow::SetFileProgress(std::int64_t position, std::int64_t size) {
  SetGauge(statusbar_, position, size);
}

void TransferProgressWindow::SetTotalMaximum(std::int64_t maximum) {
  totalMaximum_ = maximum;
  SetGauge(bearbeitet_, 0, maximum);
}

void TransferProgressWindow::SetTotalProgress(std::int64_t position) {
  SetGauge(bearbeitet_, position, totalMaximum_);
}

void TransferProgressWindow::SetCaption(const std::string& text) {
  SetCommandLabel(text);
}

void TransferProgressWindow::SetLabel(const std::string& text) {
  SetCommandLabel(text);
}

void TransferProgressWindow::SetPercent(int percent) {
  SetGauge(statusbar_, percent, 100);
}

void TransferProgressWindow::closeEvent(QCloseEvent* event) {
  if (closable_)
    QDialog::closeEvent(event);
  else
    event->ignore();
}

void TransferProgressWindow::keyPressEvent(QKeyEvent* event) {
  // Escape would reject() the dialog and hide it in the middle of a transfer.
  if (event->key() == Qt::Key_Escape && !closable_) return;
  QDialog::keyPressEvent(event);
}

}  // namespace tavo

#include "editor/download/transferwindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "editor/uitext.h"
#include "shell/codepage.h"
#include "shell/language.h"
#include "shell/texts.h"
#include "shell/textvalues.h"

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
  abbruch_ = new QPushButton(this);
  abbruch_->setObjectName("AbbruchButton");
  abbruch_->setAutoDefault(false);
  abbruch_->setEnabled(false);
  connect(abbruch_, &QPushButton::clicked, this, &TransferProgressWindow::RequestCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(gesammtLabel_);
  layout->addWidget(bearbeitet_);
  layout->addWidget(befehllabel_);
  layout->addWidget(statusbar_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(abbruch_);
  layout->addLayout(buttons);
  Translate();
  for (QProgressBar* gauge : {statusbar_, bearbeitet_}) {
    gauge->setTextVisible(true);
    gauge->setAlignment(Qt::AlignCenter);
    ShowFigures(gauge, 0, 0);
  }
}

TransferProgressWindow::~TransferProgressWindow() = default;

void TransferProgressWindow::Translate() {
  // Looked up once: the figures change with every block.
  bytesText_ = translator_.Tr(txt::kTransferBytes);
  setWindowTitle(Q(translator_.Tr(txt::kTransferTitle)));
  gesammtLabel_->setText(Q(translator_.Tr(txt::kTransferTotalLabel)));
  const QString totalHint = Q(translator_.Tr(txt::kTransferTotalHint));
  gesammtLabel_->setToolTip(totalHint);
  bearbeitet_->setToolTip(totalHint);
  const QString fileHint = Q(translator_.Tr(txt::kTransferFileHint));
  befehllabel_->setToolTip(fileHint);
  statusbar_->setToolTip(fileHint);
  abbruch_->setText(
      Q(translator_.Tr(cancelRequested_ ? txt::kTransferWirdAbgebrochen : txt::kButtonAbbruch)));
  abbruch_->setToolTip(Q(translator_.Tr(txt::kTransferAbbruchHint)));
}

// The gauge shows its figures, never more done than there is: "1024 von
// 2048 Bytes".
void TransferProgressWindow::ShowFigures(QProgressBar* gauge, std::int64_t position,
                                         std::int64_t maximum) {
  maximum = std::max<std::int64_t>(maximum, 0);
  position = std::clamp<std::int64_t>(position, 0, maximum);
  SetGauge(gauge, position, maximum);
  const QString figures =
      Q(WithValues(bytesText_, {std::to_string(position), std::to_string(maximum)}));
  // A "%" in the text would be taken for a placeholder of the gauge.
  QString format = figures;
  format.replace('%', "%%");
  if (gauge->format() != format) gauge->setFormat(format);
}

void TransferProgressWindow::SetClosable(bool closable) {
  closable_ = closable;
  // "Abbruch" is there while a transfer runs.
  abbruch_->setEnabled(!closable_ && !cancelRequested_);
}

void TransferProgressWindow::RequestCancel() {
  if (closable_ || cancelRequested_) return;
  cancelRequested_ = true;
  abbruch_->setEnabled(false);
  abbruch_->setText(Q(translator_.Tr(txt::kTransferWirdAbgebrochen)));
}

void TransferProgressWindow::Start() {
  cancelRequested_ = false;
  Translate();
  totalMaximum_ = 0;
  totalDone_ = 0;
  ShowFigures(statusbar_, 0, 0);
  ShowFigures(bearbeitet_, 0, 0);
  abbruch_->setEnabled(!closable_);
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
  ShowFigures(statusbar_, position, size);
}

void TransferProgressWindow::SetTotalMaximum(std::int64_t maximum) {
  // A total that grows on the way (the terminal's settings going back)
  // keeps what was done so far.
  totalMaximum_ = maximum;
  ShowFigures(bearbeitet_, totalDone_, maximum);
}

void TransferProgressWindow::SetTotalProgress(std::int64_t position) {
  totalDone_ = position;
  ShowFigures(bearbeitet_, position, totalMaximum_);
}

void TransferProgressWindow::SetCaption(const std::string& text) {
  SetCommandLabel(text);
}

void TransferProgressWindow::SetLabel(const std::string& text) {
  SetCommandLabel(text);
}

void TransferProgressWindow::SetPercent(int percent) {
  // The image builder's steps: a share, not bytes.
  SetGauge(statusbar_, percent, 100);
  statusbar_->setFormat("%p %");
}

void TransferProgressWindow::closeEvent(QCloseEvent* event) {
  if (closable_) {
    QDialog::closeEvent(event);
    return;
  }
  // The window stays until the transfer has stopped.
  event->ignore();
  RequestCancel();
}

void TransferProgressWindow::keyPressEvent(QKeyEvent* event) {
  // Escape would reject() the dialog and hide it in the middle of a
  // transfer: it asks for the stop instead.
  if (event->key() == Qt::Key_Escape && !closable_) {
    RequestCancel();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace tavo

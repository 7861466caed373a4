#include "editor/dialogs/dialogkit.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <charconv>
#include <filesystem>

#include "editor/dialogs/infomsg.h"
#include "shell/codepage.h"
#include "shell/folders.h"
#include "shell/language.h"

namespace tavo {

void CenterOnScreen(QWidget* window) {
  QScreen* screen = window->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t last = text.find_last_not_of(' ');
  text = text.substr(first, last - first + 1);
  // from_chars takes a minus sign but no plus sign.
  if (text.front() == '+') {
    text.remove_prefix(1);
    if (text.empty() || text.front() == '-') return std::nullopt;
  }
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool ShowInstallationPicture(QLabel* label, const Installation& install, std::string_view folder,
                             const std::string& fileName, QSize box, const std::string& fallback) {
  auto load = [&](const std::string& name) {
    QPixmap pixmap;
    // The name comes from a definition file; it names a file of the folder
    // and nothing outside it.
    if (name.empty() || name.find_first_of("/\\") != std::string::npos || name == "." ||
        name == "..")
      return pixmap;
    const std::filesystem::path file = install.Resolve(std::string(folder) + name);
    pixmap.load(QString::fromStdString(file.string()));
    return pixmap;
  };
  QPixmap pixmap = load(fileName);
  if (pixmap.isNull() && !fallback.empty()) pixmap = load(fallback);
  if (pixmap.isNull()) {
    label->clear();
    return false;
  }
  if (pixmap.width() > box.width() || pixmap.height() > box.height())
    pixmap = pixmap.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  label->setPixmap(pixmap);
  return true;
}

void FitLines(QPlainTextEdit* memo, int lines) {
  const QMargins margins = memo->contentsMargins();
  memo->setMinimumHeight(memo->fontMetrics().lineSpacing() * lines +
                         2 * static_cast<int>(memo->document()->documentMargin()) + margins.top() +
                         margins.bottom());
}

void FitWidth(QListWidget* list) {
  const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
  list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() + scrollBar + 4);
}

ToolDialog::ToolDialog(Translator& translator, MessageBox* messages, QWidget* parent,
                       const TextId& confirmHint, const TextId& cancelHint)
    : QDialog(parent),
      translator_(translator),
      messages_(messages),
      bar_(new QToolBar(this)),
      ok_(new QToolButton(this)),
      cancel_(new QToolButton(this)),
      body_(new QVBoxLayout) {
  setModal(true);
  QToolBar* bar = bar_;
  bar->setObjectName("ToolBar1");
  bar->setToolTip(Tr(translator_, txt::kAktionsleiste));
  bar->setIconSize(QSize(20, 20));
  ok_->setObjectName("OKButton");
  ok_->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  ok_->setToolTip(Tr(translator_, confirmHint));
  cancel_->setObjectName("AbbruchButton");
  cancel_->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
  cancel_->setToolTip(Tr(translator_, cancelHint));
  bar->addWidget(ok_);
  bar->addWidget(cancel_);
  connect(ok_, &QToolButton::clicked, this, &ToolDialog::Confirm);
  connect(cancel_, &QToolButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  body_->setContentsMargins(8, 8, 8, 8);
  layout->addLayout(body_);
}

ToolDialog::~ToolDialog() = default;

void ToolDialog::Confirm() {
  if (!ok_->isEnabled()) return;
  if (Apply()) accept();
}

MessageBox& ToolDialog::Messages() {
  if (messages_) return *messages_;
  if (!ownBox_) ownBox_ = new TInfo_MSG(translator_, this);
  return *ownBox_;
}

std::optional<std::int32_t> ToolDialog::IntegerField(QLineEdit* field, std::int32_t low,
                                                     std::int32_t high,
                                                     const TextId& rangeMessage) {
  const std::optional<std::int32_t> value = ParseInteger(S(field->text()));
  if (!value) {
    RefuseField(field, txt::kKeinIntegerwert);
    return std::nullopt;
  }
  if (*value < low || *value > high) {
    RefuseField(field, rangeMessage);
    return std::nullopt;
  }
  return value;
}

void ToolDialog::RefuseField(QLineEdit* field, const TextId& message) {
  std::string text = translator_.Tr(message);
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, S(field->text()));
  Messages().Show(MsgKind::Fehler, ButtonSet::Weiter, text);
  field->setFocus();
  field->selectAll();
}

void ToolDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // Enter confirms wherever the focus is, also in a list or a field.
    event->accept();
    Confirm();
    return;
  }
  QDialog::keyPressEvent(event);
}

void ToolDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) CenterOnScreen(this);
}

}  // namespace tavo

#include "editor/print/printprojectform.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "app/workspace.h"
#include "editor/dialogs/infomsg.h"
#include "editor/mainwindow_icons.h"
#include "editor/print/printoptionsform.h"
#include "editor/uitext.h"
#include "project/projekt.h"
#include "qt/pagecanvas.h"

namespace tavo {

namespace {

// The preview's gap between pages at 100 %, and the scroll steps.
constexpr int kPageGap = 50;
constexpr int kKeyScroll = 100;
constexpr int kWheelScroll = 40;

QSize PageSizeOnScreen(const PageGeometry& page, int zoom, const QWidget* widget) {
  const double dpi = widget->logicalDpiX() > 0 ? widget->logicalDpiX() : 96;
  const double pixelsPerMm = dpi / 25.4 * zoom / 100.0;
  return {static_cast<int>(std::lround(page.width * pixelsPerMm)),
          static_cast<int>(std::lround(page.height * pixelsPerMm))};
}

bool RunPrintDialog(QWidget* parent, QPrinter& printer, int pages) {
  QPrintDialog dialog(&printer, parent);
  dialog.setMinMax(1, pages);
  dialog.setFromTo(1, pages);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace

// --- one page -----------------------------------------------------------------

TPreviewPage::TPreviewPage(const Printout& printout, std::size_t index, BlockPainter& painter,
                           QWidget* parent)
    : QWidget(parent), printout_(printout), index_(index), painter_(painter) {
  setObjectName(QString("Page%1").arg(index + 1));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

const QImage& TPreviewPage::Image() {
  if (image_.size() != size()) {
    image_ = QImage(size(), QImage::Format_RGB32);
    image_.fill(Qt::white);
    QPainter p(&image_);
    QPainterPageCanvas canvas(p, QRectF(0, 0, width(), height()), painter_);
    ReplayPage(printout_, index_, canvas);
  }
  return image_;
}

void TPreviewPage::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, Image());
}

// --- printing ---------------------------------------------------------------------

int PrintPages(const Printout& printout, BlockPainter& blocks, QPrinter& printer, int fromPage,
               int toPage) {
  const int count = static_cast<int>(printout.pages.size());
  if (fromPage < 1) fromPage = 1;
  if (toPage < 1 || toPage > count) toPage = count;
  printer.setDocName(QString::fromUtf8(kProductName));
  printer.setFullPage(true);
  QPainter painter;
  int sent = 0;
  for (int page = fromPage; page <= toPage; ++page) {
    if (sent == 0) {
      if (!painter.begin(&printer)) break;
    } else if (!printer.newPage()) {
      break;
    }
    // The whole sheet of the printer, the page's proportions kept.
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const double scale =
        std::min(paper.width() / printout.page.width, paper.height() / printout.page.height);
    const QRectF target(0, 0, printout.page.width * scale, printout.page.height * scale);
    QPainterPageCanvas canvas(painter, target, blocks);
    ReplayPage(printout, static_cast<std::size_t>(page - 1), canvas);
    ++sent;
  }
  if (sent == 0) {
    printer.abort();
    return 0;
  }
  painter.end();
  return sent;
}

// --- the window ------------------------------------------------------------------

TPrintProjectForm::TPrintProjectForm(Workspace& workspace, const t_projekt& project,
                                     QPrinter& printer, PrintFormHooks hooks, QWidget* parent)
    : QDialog(parent),
      workspace_(workspace),
      project_(project),
      printer_(printer),
      hooks_(std::move(hooks)),
      fonts_(workspace.install()),
      painter_{fonts_, view_, FieldContext{project.textLists.get(), {}}},
      scroll_(new QScrollArea(this)),
      sheet_(new QWidget) {
  setObjectName("TPrintProjectForm");
  setWindowTitle(Tr(workspace.translator(), txt::kDruckvorschau));
  setModal(true);
  view_.UseFontCache(fonts_);
  std::string pageError;
  options_ = OptionsFromSettings(workspace.settings().print, &pageError);

  auto* bar = new QToolBar(this);
  bar->setObjectName("ToolBar1");
  auto add = [&](const char* name, const TextId& hint, const QIcon& icon, const QString& text) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setToolTip(Tr(workspace.translator(), hint));
    if (icon.isNull()) {
      b->setText(text);
    } else {
      b->setIcon(icon);
    }
    bar->addWidget(b);
    return b;
  };
  connect(add("tbtnBack", txt::kDruckZurueck, style()->standardIcon(QStyle::SP_ArrowBack), {}),
          &QToolButton::clicked, this, &TPrintProjectForm::Back);
  connect(add("tbtnOptions", txt::kDruckumfangFestlegen,
              style()->standardIcon(QStyle::SP_FileDialogDetailedView), {}),
          &QToolButton::clicked, this, &TPrintProjectForm::ChooseOptions);
  connect(add("tbtnPrint", txt::kDruckDrucken, MakeIcon(IconId::Print), {}), &QToolButton::clicked,
          this, &TPrintProjectForm::Print);
  connect(
      add("tbtnPdf", txt::kDruckPdfExport, style()->standardIcon(QStyle::SP_DialogSaveButton), {}),
      &QToolButton::clicked, this, &TPrintProjectForm::SavePdf);
  bar->addSeparator();
  const struct {
    const char* name;
    const TextId& hint;
    int zoom;
  } zooms[] = {{"tbtn25", txt::kDruckZoom25, 25},
               {"tbtn50", txt::kDruckZoom50, 50},
               {"tbtn100", txt::kDruckZoom100, 100},
               {"tbtn200", txt::kDruckZoom200, 200}};
  for (const auto& z : zooms) {
    const int percent = z.zoom;
    connect(add(z.name, z.hint, {}, QString("%1%").arg(percent)), &QToolButton::clicked, this,
            [this, percent] { SetZoom(percent); });
  }

  scroll_->setObjectName("ScrollBox1");
  scroll_->setWidget(sheet_);
  scroll_->setWidgetResizable(false);
  scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  scroll_->setBackgroundRole(QPalette::Dark);
  scroll_->viewport()->installEventFilter(this);
  connect(scroll_->verticalScrollBar(), &QScrollBar::valueChanged, this,
          &TPrintProjectForm::ReleaseHiddenPages);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(scroll_);
  setWindowState(windowState() | Qt::WindowMaximized);
  resize(1000, 800);
  if (!pageError.empty())
    Messages().Show(MsgKind::Warnung, ButtonSet::Weiter,
                    workspace.translator().Tr(txt::kDruckSeiteUnbrauchbar) + "\n" + pageError);
  CreatePreview();
}

TPrintProjectForm::~TPrintProjectForm() {
  // The pages refer to the printout and the painter: they go first.
  delete scroll_->takeWidget();
}

MessageBox& TPrintProjectForm::Messages() {
  if (hooks_.messages) return *hooks_.messages;
  if (!ownBox_) ownBox_ = std::make_unique<TInfo_MSG>(workspace_.translator(), this);
  return *ownBox_;
}

void TPrintProjectForm::CreatePreview() {
  for (TPreviewPage* page : pageWidgets_) delete page;
  pageWidgets_.clear();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  PrintContext context{workspace_.translator(), &fonts_, {}};
  printout_ = PrintProject(project_, options_, context).CreatePreview();
  for (std::size_t i = 0; i < printout_.pages.size(); ++i)
    pageWidgets_.push_back(new TPreviewPage(printout_, i, painter_, sheet_));
  LayOutPages();
  for (TPreviewPage* page : pageWidgets_) page->show();
  QApplication::restoreOverrideCursor();
}

void TPrintProjectForm::LayOutPages() {
  const QSize page = PageSizeOnScreen(printout_.page, zoom_, this);
  const int gap = kPageGap * zoom_ / 100;
  const int width = page.width() + 2 * gap;
  int y = gap;
  for (TPreviewPage* w : pageWidgets_) {
    w->setGeometry((width - page.width()) / 2, y, page.width(), page.height());
    y += page.height() + gap;
  }
  sheet_->resize(width, y);
}

// A page image at 200 % is some megabytes: only pages near the visible part
// keep theirs.
void TPrintProjectForm::ReleaseHiddenPages() {
  const int top = scroll_->verticalScrollBar()->value();
  const int height = scroll_->viewport()->height();
  const QRect near(0, top - height, sheet_->width(), 3 * height);
  for (TPreviewPage* page : pageWidgets_)
    if (page->HasImage() && !page->geometry().intersects(near)) page->ReleaseImage();
}

void TPrintProjectForm::SetZoom(int percent) {
  zoom_ = percent;
  LayOutPages();
}

void TPrintProjectForm::Back() {
  StoreOptions(options_, workspace_.settings().print);
  accept();
}

void TPrintProjectForm::ChooseOptions() {
  std::optional<PrintOptions> chosen;
  if (hooks_.optionsDialog) {
    chosen = hooks_.optionsDialog(this, options_);
  } else {
    TPrintOptionsForm form(workspace_.translator(), project_, options_, this);
    if (form.exec() == QDialog::Accepted) chosen = form.Options();
  }
  if (!chosen) return;
  options_ = *chosen;
  zoom_ = 100;
  CreatePreview();
}

void TPrintProjectForm::Print() {
  Translator& tr = workspace_.translator();
  if (printout_.pages.empty()) {
    Messages().Show(MsgKind::Information, ButtonSet::Weiter, tr.Tr(txt::kDruckKeineAusdrucke));
    return;
  }
  if (printer_.printerState() == QPrinter::Active) {
    Messages().Show(MsgKind::Information, ButtonSet::Weiter, tr.Tr(txt::kDruckerBeschaeftigt));
    return;
  }
  const int count = static_cast<int>(printout_.pages.size());
  const bool go = hooks_.printDialog ? hooks_.printDialog(this, printer_, count)
                                     : RunPrintDialog(this, printer_, count);
  if (!go) return;
  int from = 1, to = count;
  if (printer_.printRange() == QPrinter::PageRange) {
    from = printer_.fromPage();
    to = printer_.toPage();
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  PrintPages(printout_, painter_, printer_, from, to);
  QApplication::restoreOverrideCursor();
}

void TPrintProjectForm::SavePdf() {
  Translator& tr = workspace_.translator();
  FileDialogRequest request;
  request.title = Tr(tr, txt::kDruckPdfExport);
  request.folder = Q(workspace_.settings().folders.project);
  const std::string projectName = project_.head ? project_.head->name : std::string();
  request.proposedName = Q(projectName.empty() ? std::string("Projekt") : projectName) + ".pdf";
  request.filter = Tr(tr, txt::kDruckPdfFilter);
  request.defaultSuffix = "pdf";
  QString file;
  if (hooks_.saveFile) {
    file = hooks_.saveFile(this, request);
  } else {
    file = DefaultEditorHooks().saveFile(this, request);
  }
  if (file.isEmpty()) return;
  std::string error;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool written = WritePrintoutPdf(printout_, painter_, file.toStdString(), &error);
  QApplication::restoreOverrideCursor();
  if (!written)
    Messages().Show(MsgKind::Fehler, ButtonSet::Weiter,
                    tr.Tr(txt::kDruckPdfFehler) + "\n" + Utf8ToCp1252(error));
}

void TPrintProjectForm::keyPressEvent(QKeyEvent* event) {
  QScrollBar* bar = scroll_->verticalScrollBar();
  switch (event->key()) {
    case Qt::Key_Escape:
      Back();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Print();
      return;
    case Qt::Key_PageUp:
      bar->setValue(bar->value() - kKeyScroll);
      return;
    case Qt::Key_PageDown:
      bar->setValue(bar->value() + kKeyScroll);
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

bool TPrintProjectForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == scroll_->viewport() && event->type() == QEvent::Wheel) {
    const auto* wheel = static_cast<QWheelEvent*>(event);
    const int delta = wheel->angleDelta().y();
    if (delta == 0) return false;
    // One step per notch; a fine-grained wheel's part of a notch counts as one.
    const int steps = delta / 120 != 0 ? delta / 120 : (delta > 0 ? 1 : -1);
    QScrollBar* bar = scroll_->verticalScrollBar();
    bar->setValue(bar->value() - steps * kWheelScroll);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void RunPrintCommand(QWidget* parent, Workspace& workspace, const t_projekt& project,
                     QPrinter& printer) {
  TPrintProjectForm form(workspace, project, printer, {}, parent);
  form.exec();
}

}  // namespace tavo

#pragma once
// The printout's preview window: builds the pages of the open project when
// it is created, shows them one below the other at 25, 50, 100 or 200 %,
// changes the scope through the options dialog, prints on the window's
// printer through the platform's print dialog, and saves the pages as a
// PDF file.

#include <QDialog>
#include <QImage>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "editor/mainwindow_hooks.h"
#include "objects/tview.h"
#include "printing/blockpaint.h"
#include "printing/printproject.h"
#include "resources/fonts.h"

class QPrinter;
class QScrollArea;
class QToolButton;
class QVBoxLayout;

namespace tavo {

class MessageBox;
class TPreviewPage;

struct PrintFormHooks {
  // The platform's print dialog on `printer` for the pages 1 ... `pages`;
  // true when the user chose to print. Empty: QPrintDialog.
  std::function<bool(QWidget* parent, QPrinter& printer, int pages)> printDialog;
  // The options dialog; the new options, or nothing when cancelled. Empty:
  // TPrintOptionsForm.
  std::function<std::optional<PrintOptions>(QWidget* parent, const PrintOptions& options)>
      optionsDialog;
  // The PDF file's name; empty when cancelled. Empty: QFileDialog.
  std::function<QString(QWidget* parent, const FileDialogRequest& request)> saveFile;
  // Where messages go. Null: a box of the window's own.
  MessageBox* messages = nullptr;
};

class TPrintProjectForm : public QDialog {
  Q_OBJECT
 public:
  TPrintProjectForm(Workspace& workspace, const t_projekt& project, QPrinter& printer,
                    PrintFormHooks hooks = {}, QWidget* parent = nullptr);
  ~TPrintProjectForm() override;

  const Printout& Pages() const { return printout_; }
  const PrintOptions& Options() const { return options_; }
  int ZoomPercent() const { return zoom_; }
  QScrollArea* ScrollBox() const { return scroll_; }
  // The page widgets, top to bottom.
  const std::vector<TPreviewPage*>& PageWidgets() const { return pageWidgets_; }

  // Builds every page anew from the options.
  void CreatePreview();
  void SetZoom(int percent);

 public slots:
  // "Zurück": stores the options in the settings and closes.
  void Back();
  void ChooseOptions();
  void Print();
  void SavePdf();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LayOutPages();
  void ReleaseHiddenPages();
  MessageBox& Messages();

  Workspace& workspace_;
  const t_projekt& project_;
  QPrinter& printer_;
  PrintFormHooks hooks_;
  FontCache fonts_;
  tview view_;
  BlockPainter painter_;
  PrintOptions options_;
  Printout printout_;
  int zoom_ = 100;
  QScrollArea* scroll_;
  QWidget* sheet_;
  std::vector<TPreviewPage*> pageWidgets_;
  std::unique_ptr<MessageBox> ownBox_;
};

// One page of the preview at the window's zoom; drawn when first shown.
class TPreviewPage : public QWidget {
  Q_OBJECT
 public:
  TPreviewPage(const Printout& printout, std::size_t index, BlockPainter& painter, QWidget* parent);
  std::size_t Index() const { return index_; }
  // The page as shown (made when needed).
  const QImage& Image();
  bool HasImage() const { return !image_.isNull(); }
  // Pages scrolled out of sight give their image back.
  void ReleaseImage() { image_ = QImage(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const Printout& printout_;
  std::size_t index_;
  BlockPainter& painter_;
  QImage image_;
};

// Prints the chosen pages of the printout on `printer`: one page each,
// scaled to the printer's whole page, the job named after the program. No
// page sent abandons the job. Returns the number of pages printed.
int PrintPages(const Printout& printout, BlockPainter& painter, QPrinter& printer, int fromPage,
               int toPage);

// The main window's print command: the preview, shown modally.
void RunPrintCommand(QWidget* parent, Workspace& workspace, const t_projekt& project,
                     QPrinter& printer);

}  // namespace tavo

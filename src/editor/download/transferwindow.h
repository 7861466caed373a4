#pragma once
// The transfer progress window (object name "TDownloadConnect"): the step or
// file being worked on, the position within the file, and the overall
// progress of the download. The image builder writes its step captions into
// it, the protocol engine its progress.

#include <QDialog>
#include <cstdint>

#include "download/progress.h"
#include "shell/progress.h"

class QLabel;
class QProgressBar;

namespace tavo {

class Translator;

class TransferProgressWindow : public QDialog, public TransferDisplay, public ProgressDisplay {
  Q_OBJECT
 public:
  explicit TransferProgressWindow(Translator& translator, QWidget* parent = nullptr);
  ~TransferProgressWindow() override;

  // Resets both gauges and shows the window (not waiting for it).
  void Start();
  // Whether the user may close the window; refused while a transfer runs.
  void SetClosable(bool closable) { closable_ = closable; }

  // TransferDisplay
  void SetCommandLabel(const std::string& text) override;
  void SetTotalLabel(const std::string& text) override;
  void SetFileProgress(std::int64_t position, std::int64_t size) override;
  void SetTotalMaximum(std::int64_t maximum) override;
  void SetTotalProgress(std::int64_t position) override;

  // ProgressDisplay (the image builder's steps)
  void SetCaption(const std::string& text) override;
  void SetLabel(const std::string& text) override;
  void SetPercent(int percent) override;

  QLabel* CommandLabel() const { return befehllabel_; }
  QLabel* TotalLabel() const { return gesammtLabel_; }
  QProgressBar* FileGauge() const { return statusbar_; }
  QProgressBar* TotalGauge() const { return bearbeitet_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Translate();

  Translator& translator_;
  QLabel* gesammtLabel_;
  QProgressBar* bearbeitet_;
  QLabel* befehllabel_;
  QProgressBar* statusbar_;
  std::int64_t totalMaximum_ = 0;
  bool closable_ = true;
};

}  // namespace tavo

#pragma once
// The transfer progress window (object name "TDownloadConnect"): the step or
// file being worked on in words, the position within the file, and the
// overall progress of the download, each gauge with its figures. The image
// builder writes its step captions into it, the protocol engine its
// progress. "Abbruch" asks the transfer to stop at its next safe step.

#include <QDialog>
#include <cstdint>
#include <string>

#include "download/progress.h"
#include "shell/progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace tavo {

class Translator;

class TransferProgressWindow : public QDialog, public TransferDisplay, public ProgressDisplay {
  Q_OBJECT
 public:
  explicit TransferProgressWindow(Translator& translator, QWidget* parent = nullptr);
  ~TransferProgressWindow() override;

  // Resets both gauges and shows the window (not waiting for it).
  void Start();
  // Whether the user may close the window; while a transfer runs, closing
  // it (or Escape) asks the transfer to stop, as "Abbruch" does.
  void SetClosable(bool closable);

  // TransferDisplay
  void SetCommandLabel(const std::string& text) override;
  void SetTotalLabel(const std::string& text) override;
  void SetFileProgress(std::int64_t position, std::int64_t size) override;
  void SetTotalMaximum(std::int64_t maximum) override;
  void SetTotalProgress(std::int64_t position) override;
  bool CancelRequested() override { return cancelRequested_; }

  // ProgressDisplay (the image builder's steps)
  void SetCaption(const std::string& text) override;
  void SetLabel(const std::string& text) override;
  void SetPercent(int percent) override;

  QLabel* CommandLabel() const { return befehllabel_; }
  QLabel* TotalLabel() const { return gesammtLabel_; }
  QProgressBar* FileGauge() const { return statusbar_; }
  QProgressBar* TotalGauge() const { return bearbeitet_; }
  QPushButton* CancelButton() const { return abbruch_; }

 public slots:
  // "Abbruch": the transfer stops at its next safe step.
  void RequestCancel();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Translate();
  void ShowFigures(QProgressBar* gauge, std::int64_t position, std::int64_t maximum);

  Translator& translator_;
  QLabel* gesammtLabel_;
  QProgressBar* bearbeitet_;
  QLabel* befehllabel_;
  QProgressBar* statusbar_;
  QPushButton* abbruch_;
  std::string bytesText_;  // "%s von %s Bytes", translated
  std::int64_t totalMaximum_ = 0;
  std::int64_t totalDone_ = 0;
  bool closable_ = true;
  bool cancelRequested_ = false;
};

}  // namespace tavo

#pragma once
// The small window that shows how far reading a project has come: the
// section or picture being read, the percentage and a bar. It keeps the
// window painted while the reader works, without taking user input.

#include <QDialog>

#include "shell/progress.h"

class QLabel;
class QProgressBar;

namespace tavo {

class Translator;

class LoadProgressWindow : public QDialog, public ProgressDisplay {
  Q_OBJECT
 public:
  LoadProgressWindow(Translator& translator, QWidget* parent);

  void SetCaption(const std::string& cp1252) override;
  void SetLabel(const std::string& cp1252) override;
  void SetPercent(int percent) override;
  // Shows the window centred on the screen and paints it once.
  void Present();

 private:
  QLabel* label_;
  QLabel* percent_;
  QProgressBar* bar_;
};

}  // namespace tavo

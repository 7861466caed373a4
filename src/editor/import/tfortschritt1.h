#pragma once
// The import progress window: the whole project (Label1, ProjektBar,
// projekt_prozent) and the part being read (Label2, TeilBar, Teil_Prozent).
// The import drives each row through the core's progress interface; the
// rows are touched only when the whole-number percentage changes, and the
// window shows itself when the import announces its caption.

#include <QWidget>
#include <memory>

#include "shell/progress.h"

class QLabel;
class QProgressBar;

namespace tavo {

class Translator;

class TFortschritt1 : public QWidget {
  Q_OBJECT
 public:
  explicit TFortschritt1(Translator& translator, QWidget* parent = nullptr);
  ~TFortschritt1() override;

  // The row of the whole project and the row of the current part.
  ProgressDisplay& Projekt();
  ProgressDisplay& Teil();

  QLabel* Label1() const { return label1_; }
  QProgressBar* ProjektBar() const { return projektBar_; }
  QLabel* ProjektProzent() const { return projektProzent_; }
  QLabel* Label2() const { return label2_; }
  QProgressBar* TeilBar() const { return teilBar_; }
  QLabel* TeilProzent() const { return teilProzent_; }

 private:
  class Row;

  QLabel* label1_;
  QProgressBar* projektBar_;
  QLabel* projektProzent_;
  QLabel* label2_;
  QProgressBar* teilBar_;
  QLabel* teilProzent_;
  std::unique_ptr<Row> projekt_;
  std::unique_ptr<Row> teil_;
};

}  // namespace tavo

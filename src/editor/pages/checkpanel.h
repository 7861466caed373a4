#pragma once
// The result list of the project check ("Prüfergebnis") below the pages:
// one row per finding with its code, severity, place and message. A double
// click (or Enter) on a row asks the window to show the place. Once the
// project changes, the list says it is out of date until the next check.

#include <QWidget>
#include <vector>

#include "check/projectcheck.h"

class QLabel;
class QTreeWidget;

namespace tavo {

class Retranslator;

class CheckPanel : public QWidget {
  Q_OBJECT
 public:
  CheckPanel(Retranslator& texts, QWidget* parent);

  // Shows the findings of a check that has just run.
  void ShowFindings(std::vector<Finding> findings);
  // The project changed since the findings were made.
  void MarkStale();
  bool IsStale() const { return stale_; }
  // Forgets the findings and hides (the project was closed).
  void Clear();
  const std::vector<Finding>& Findings() const { return findings_; }
  QTreeWidget* List() const { return list_; }
  // Rows and caption in the current language.
  void Retranslate();

 signals:
  // The row of findings()[index] was chosen.
  void findingActivated(int index);

 private:
  void FillRows();
  void UpdateCaption();

  Retranslator& texts_;
  QLabel* caption_;
  QTreeWidget* list_;
  std::vector<Finding> findings_;
  bool stale_ = false;
};

}  // namespace tavo

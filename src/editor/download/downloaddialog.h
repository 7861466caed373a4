#pragma once
// The download dialog: serial port, bit rate, the terminal's station number
// and the download scope. It works on a copy of the "Port" settings and
// writes the copy back only when the user confirms.

#include <QDialog>
#include <vector>

#include "shell/settings.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolBar;
class QToolButton;
class QWidget;

namespace tavo {

class MessageBox;
class Translator;

class TDialog_Projekt_download : public QDialog {
  Q_OBJECT
 public:
  // `ports`: the numbers (1 .. 9) of the ports that could be opened, in
  // ascending order; the list offers exactly these. `settings` receives the
  // values on confirm.
  TDialog_Projekt_download(PortSettings& settings, std::vector<int> ports, Translator& translator,
                           MessageBox& messages, QWidget* parent = nullptr);
  ~TDialog_Projekt_download() override;

  // The working copy (what the dialog shows or, after confirm, took).
  const PortSettings& Values() const { return values_; }

 public slots:
  void OKButtomClick();
  void AbbruchButtomClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Translate();
  void FormShow();
  QString PortMissingText();

  PortSettings& settings_;
  PortSettings values_;
  Translator& translator_;
  MessageBox& messages_;

  QToolBar* toolBar_;
  QToolButton* okButton_;
  QToolButton* cancelButton_;
  QWidget* panel_;
  QLabel* portLabel_;
  // Says that the stored port is not there (hidden otherwise).
  QLabel* portMissing_;
  QComboBox* portList_;
  QLabel* rateLabel_;
  QComboBox* rateList_;
  QLabel* stationLabel_;
  QLineEdit* stationEdit_;
  QGroupBox* scopeGroup_;
  QRadioButton* scopeAll_;
  QRadioButton* scopeOptimal_;
};

}  // namespace tavo

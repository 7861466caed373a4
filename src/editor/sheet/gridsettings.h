#pragma once
// The display dialog `TGridSettings`: outline display, the soft key overlay,
// grid and snap. It edits a copy of the picture settings; only OK (the first
// tool button or Enter) hands the values back.

#include <QDialog>

#include "shell/settings.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class QToolBar;
class QToolButton;

namespace tavo {

class Translator;

class TGridSettings : public QDialog {
  Q_OBJECT
 public:
  TGridSettings(Translator& translator, QWidget* parent = nullptr);

  // Settings values other than 0 and 1 leave their control as the dialog
  // was created (the settings' defaults).
  void Load(const PictureSettings& settings);
  // Every control into `settings`: ticked = 1, white = 1.
  void Store(PictureSettings& settings) const;

  // Shows the dialog modally; true (and `settings` changed) on OK.
  static bool Edit(QWidget* parent, Translator& translator, PictureSettings& settings);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private slots:
  void UpdateEnabling();

 private:
  void Retranslate();

  Translator& translator_;
  QToolButton* ok_;
  QToolButton* cancel_;
  QCheckBox* darstellung_;
  QCheckBox* softkeyrect_;
  QCheckBox* softkeytext_;
  QRadioButton* black_;
  QRadioButton* white_;
  QCheckBox* rasterEin_;
  QSpinBox* rasterAbstand_;
  QCheckBox* fangEin_;
  QSpinBox* fangAbstand_;
  QGroupBox* raster_;
  QGroupBox* fang_;
  QLabel* rasterLabel_;
  QLabel* fangLabel_;
  QToolBar* toolBar_;
};

}  // namespace tavo

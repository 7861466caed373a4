#pragma once
// The dialogs of the two graphs: `Tdialog_bargraf_obj` (value range,
// variable, direction) and `Tdialog_plotgraf_obj` (value and status
// variable, value range, orientation, time per pixel, time axis and the
// scale colour chosen with the colour picker). The range is shown rounded
// to whole numbers and confirmed as whole numbers of 32 bits.

#include <QButtonGroup>
#include <functional>

#include "editor/dialogs/objects/objectdialog.h"

class QComboBox;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace tavo {

class Tdialog_bargraf_obj : public ObjectDialog {
  Q_OBJECT
 public:
  Tdialog_bargraf_obj(const ObjectDialogContext& context, const t_objekt& buffer,
                      QWidget* parent = nullptr);

 protected:
  bool Store(t_objekt& target, bool strict) override;

 private:
  QLineEdit* edit1_;  // "Oberer Wert"
  QLineEdit* edit2_;  // "Unterer Wert"
  QComboBox* varibox_;
  QButtonGroup* laufrichtung_;  // LRBut1..4: directions 0..3
};

class Tdialog_plotgraf_obj : public ObjectDialog {
  Q_OBJECT
 public:
  Tdialog_plotgraf_obj(const ObjectDialogContext& context, const t_objekt& buffer,
                       QWidget* parent = nullptr);

  // The colour picker `SpeedButton1` opens: gets the picker's value and the
  // screen point for its top-left corner, returns the value chosen, or
  // nothing when it was closed without a choice. Tests put their own in.
  using ColourChoice = std::function<std::optional<int>(int colour, QPoint topLeft)>;
  void SetColourChoice(ColourChoice choice) { choose_ = std::move(choice); }
  // The scale colour as the dialog holds it (palette index + 1, 0 none).
  std::uint8_t ScaleColour() const { return scaleColour_; }

 protected:
  bool Store(t_objekt& target, bool strict) override;

 private:
  void ChooseScaleColour();
  void ShowScaleColour();

  QComboBox* varibox_;   // "Wert"
  QComboBox* varibox1_;  // "Status"
  QLineEdit* edit1_;     // upper value
  QLineEdit* edit2_;     // lower value
  QRadioButton* rb1_;
  QRadioButton* rb2_;
  QButtonGroup* zeitProPixel_;  // time per pixel - 1
  QButtonGroup* zeitachse_;     // RBZ1..3: time axis 1..3
  QToolButton* speedButton1_;
  ColourChoice choose_;
  std::uint8_t scaleColour_;
};

// The picture of a direction (0 right, 1 down, 2 left, 3 up): a bar growing
// that way.
QIcon DirectionIcon(int direction);

}  // namespace tavo

#pragma once
// The pickers of the five drawing attributes: small tool windows with one
// button per value, closed by choosing one. Each holds one value: set by the
// caller before showing, replaced by the value of the button clicked; closed
// without a click it keeps what the caller set. A value without a button
// (kMixedAttribute for a selection whose objects differ) shows no button
// down: the hidden neutral button is.

#include <QDialog>
#include <QPoint>
#include <optional>
#include <vector>

#include "document/operations.h"
#include "shell/texts.h"

class QButtonGroup;
class QGridLayout;
class QToolButton;

namespace tavo {

class Translator;

class AttributePicker : public QDialog {
  Q_OBJECT
 public:
  int Value() const { return value_; }
  void SetValue(int value);
  // Whether a value button was clicked since the picker was shown.
  bool Chosen() const { return chosen_; }
  // The button of a value; null when it has none.
  QToolButton* ButtonFor(int value) const;
  // Down exactly when the value has no button of its own.
  QToolButton* NeutralButton() const { return neutral_; }

 protected:
  AttributePicker(QWidget* parent, const char* name, const QString& caption);
  // One value button, placed at (row, column) of the picker's grid.
  QToolButton* AddValueButton(const char* name, int value, const QIcon& icon, int row,
                              int column = 0, int columnSpan = 1);
  void AddNeutralButton(const char* name);

 private:
  struct Entry {
    int value;
    QToolButton* button;
  };
  QGridLayout* grid_;
  QButtonGroup* group_;
  std::vector<Entry> entries_;
  QToolButton* neutral_ = nullptr;
  int value_ = kMixedAttribute;
  bool chosen_ = false;
};

// Colours: `SpeedButton1` no colour (255), `SpeedButton2` ... `SpeedButton17`
// the palette's colours 0..15, `SpeedButton18` neutral. The caller sets the
// caption ("Füllfarbe", "Stiftfarbe", "Hintergrundfarbe").
class TDia_farbe : public AttributePicker {
  Q_OBJECT
 public:
  // The swatches' hints name the colours in the translator's language.
  explicit TDia_farbe(Translator& translator, QWidget* parent = nullptr);
};

// Fill patterns 0..11 (`SpeedButton1` ... `SpeedButton12`), neutral
// `SpeedButton13`; caption "Füllmuster".
class Tdia_muster : public AttributePicker {
  Q_OBJECT
 public:
  Tdia_muster(Translator& translator, QWidget* parent = nullptr);
};

// Pen widths 1 (`SpeedButton1`) and 2 (`SpeedButton2`), neutral
// `SpeedButton13`; caption "Stiftbreite".
class Tdia_stiftbreite : public AttributePicker {
  Q_OBJECT
 public:
  Tdia_stiftbreite(Translator& translator, QWidget* parent = nullptr);
};

// Pen styles 0..3 (`SpeedButton1` ... `SpeedButton4`), neutral
// `SpeedButton13`; caption "Stifttyp".
class Tdia_Stiftstyle : public AttributePicker {
  Q_OBJECT
 public:
  Tdia_Stiftstyle(Translator& translator, QWidget* parent = nullptr);
};

// The picker of `attribute` opened on `start`, its top-left corner at
// `topLeft` (screen), shown modally: the value chosen, nothing when it was
// closed without a choice. `colourCaption` names a colour picker's window.
std::optional<int> RunAttributePicker(QWidget* parent, Translator& translator,
                                      ObjectAttribute attribute, int start, QPoint topLeft,
                                      const TextId* colourCaption = nullptr);

}  // namespace tavo

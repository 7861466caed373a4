#pragma once
// The property dialogs of the fields bound to variables: numeric output,
// input and barcode fields (`Tdialog_ausgabe_obj`, `Tdialog_eingabe_obj`,
// `Tdialog_barcode_obj`), scaled output and input fields
// (`Tdialog_Skalausgabe_obj`, `Tdialog_SkalEingabe_Obj`), the time and date
// fields (`Tdialog_zeitausgabe_obj`, `Tdialog_datumausgabe_obj`) and the
// text list output and input fields (`Tdialog_TextListe_obj`,
// `Tdialog_editlisteeingabe_obj`). The dialogs of one family differ only
// in their window's name and caption (the kind's type name).
//
// Numbers are checked when confirmed: digits and decimals are bytes
// (0..255), factor and offset reals with "." as decimal separator and at
// most eight decimals; the time field's AM and PM texts take three
// characters and the separators one, as the terminal's records keep them.

#include <QButtonGroup>

#include "editor/dialogs/objects/objectdialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace tavo {

// Numeric output (7), input (6) and barcode (10) fields.
class Tdialog_ausgabe_obj : public ObjectDialog {
  Q_OBJECT
 public:
  Tdialog_ausgabe_obj(const ObjectDialogContext& context, const t_objekt& buffer,
                      QWidget* parent = nullptr);

 protected:
  bool Store(t_objekt& target, bool strict) override;

 private:
  void ShowDisplayGroup();

  QButtonGroup* art_;   // `Art`: 0 "Text", 1 "Wert"
  QComboBox* varibox_;  // `Varibox`
  QGroupBox* wertanzeige_;
  QLineEdit* edit1_;      // "Vorkomma"
  QLineEdit* edit2_;      // "Nachkomma"
  QButtonGroup* faktor_;  // "Prüfung auf": factor code - 1
  QGroupBox* textanzeige_;
  QLineEdit* edit3_;  // "Anzahl Zeichen"
  QLineEdit* edit4_;  // "Ab Zeichen"
  QListWidget* fontbox_;
  FontSample* sample_;
};

// Scaled output (12) and input (11) fields.
class Tdialog_Skalausgabe_obj : public ObjectDialog {
  Q_OBJECT
 public:
  Tdialog_Skalausgabe_obj(const ObjectDialogContext& context, const t_objekt& buffer,
                          QWidget* parent = nullptr);

 protected:
  bool Store(t_objekt& target, bool strict) override;

 private:
  QComboBox* varibox_;
  QComboBox* fontbox_;
  FontSample* sample_;
  QLineEdit* edit1_;  // "Vorkomma"
  QLineEdit* edit2_;  // "Nachkomma"
  QLineEdit* edit3_;  // "Faktor (m)"
  QLineEdit* edit4_;  // "Offset (b)"
};

// Time field (14).
class Tdialog_zeitausgabe_obj : public ObjectDialog {
  Q_OBJECT
 public:
  Tdialog_zeitausgabe_obj(const ObjectDialogContext& context, const t_objekt& buffer,
                          QWidget* parent = nullptr);

 protected:
  bool Store(t_objekt& target, bool strict) override;

 private:
  void ShowDayTexts();

  QRadioButton* std12_;
  QRadioButton* std24_;
  QLabel* amLabel_;
  QLineEdit* amStr_;
  QLabel* pmLabel_;
  QLineEdit* pmStr_;
  QLineEdit* tzStr_;
  QRadioButton* ofn_;
  QRadioButton* mfn_;
  QComboBox* fontbox_;
  FontSample* sample_;
};

// Date field (13).
class Tdialog_datumausgabe_obj : public ObjectDialog {
  Q_OBJECT
 public:
  Tdialog_datumausgabe_obj(const ObjectDialogContext& context, const t_objekt& buffer,
                           QWidget* parent = nullptr);

 protected:
  bool Store(t_objekt& target, bool strict) override;

 private:
  QRadioButton* mtj_;
  QRadioButton* tmj_;
  QRadioButton* jmt_;
  QLineEdit* tzStr_;
  QCheckBox* tmn_;
  QCheckBox* mmn_;
  QCheckBox* jha_;
  QComboBox* fontbox_;
  FontSample* sample_;
};

// Text list output (15) and input (16) fields.
class Tdialog_TextListe_obj : public ObjectDialog {
  Q_OBJECT
 public:
  Tdialog_TextListe_obj(const ObjectDialogContext& context, const t_objekt& buffer,
                        QWidget* parent = nullptr);

 protected:
  bool Store(t_objekt& target, bool strict) override;

 private:
  QComboBox* textbox_;
  QComboBox* varibox_;
  QComboBox* fontbox_;
  FontSample* sample_;
};

}  // namespace tavo

#pragma once
// What the object property dialogs share. A dialog opens on a kind's edit
// buffer and never changes it: it works on copies. Every change of a
// control redraws a live preview from a copy with the controls taken in
// (fields that are no numbers yet are skipped there); confirming takes the
// controls into a fresh copy of the buffer, checking each field, and only
// when every field passed is that copy the dialog's result. So a check that
// fails leaves the buffer, and the object the buffer was loaded from, as
// they were.
//
// The helpers fill the choices the dialogs offer: the project's variables
// and text lists by number and name (project order), and the font catalogue
// by display name (catalogue order), with a sample of the chosen font as
// the terminal draws it.

#include <QLabel>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/dialogs/dialogkit.h"
#include "objects/objekt.h"
#include "resources/canvas.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;

namespace tavo {

class FontCache;
class Workspace;
class t_bild;
class t_liste;
class t_projekt;

// What a dialog needs around the object: the workspace (translator, font
// catalogue, settings), the page's font cache, the project (variables and
// text lists), the picture (its background in the preview; may be null)
// and where messages go (null: a box of the dialog's own).
struct ObjectDialogContext {
  Workspace& workspace;
  FontCache& fonts;
  const t_projekt& project;
  const t_bild* picture = nullptr;
  MessageBox* messages = nullptr;
};

// The object as the terminal shows it, drawn by the sheet's own drawing
// code on the picture's background at up to twice its size.
class ObjectPreview : public QLabel {
  Q_OBJECT
 public:
  ObjectPreview(const ObjectDialogContext& context, QWidget* parent);
  void ShowObject(const t_objekt& object);
  const QImage& Image() const { return image_; }
  // Where the object's extent starts on the image, and the zoom used.
  QPoint Origin() const { return origin_; }
  double Zoom() const { return zoom_; }

 private:
  const ObjectDialogContext& context_;
  QImage image_;
  QPoint origin_;
  double zoom_ = 1;
};

// A line of text in a terminal font, white on black, as the terminal draws it.
class FontSample : public QLabel {
  Q_OBJECT
 public:
  FontSample(FontCache& fonts, QWidget* parent);
  void ShowFont(const std::string& fontFile);

 private:
  FontCache& fonts_;
};

// One entry of the font catalogue as the dialogs use it.
struct FontChoice {
  std::string file;
  std::uint8_t height = 0;
  std::uint8_t width = 0;
};

class ObjectDialog : public ToolDialog {
  Q_OBJECT
 public:
  ObjectDialog(const ObjectDialogContext& context, const t_objekt& buffer, QWidget* parent);
  ~ObjectDialog() override;

  // The confirmed object; null until the dialog was confirmed (and after
  // it was taken).
  ObjectPtr TakeResult() { return std::move(result_); }
  ObjectPreview* Preview() const { return preview_; }
  // The object the preview shows now.
  const t_objekt* PreviewObject() const { return shown_.get(); }

 public slots:
  // A control changed: the preview follows.
  void Changed();

 protected:
  // Takes the controls into `target`, in the order the fields are stored.
  // Strict (OK): a field that cannot be taken is refused with its message
  // (the cursor goes there) and the rest is not taken; false then.
  // Otherwise (the preview) such fields are left as they are.
  virtual bool Store(t_objekt& target, bool strict) = 0;
  bool Apply() final;

  // The buffer as the dialog opened on it.
  const t_objekt& Original() const { return *original_; }
  const ObjectDialogContext& Context() const { return context_; }
  // OK recomputes the result's extent, unless told not to (text, bitmap).
  void SetRecomputeExtent(bool on) { recomputeExtent_ = on; }

  // Adds the live preview below what the dialog has built.
  void AddPreview();

  // --- choices ------------------------------------------------------------
  // The project's variables ("number  name"), the one numbered `current`
  // chosen (none when no variable has that number).
  QComboBox* VariableBox(QWidget* parent, const char* name, int current);
  // The project's text lists, the one numbered `current` chosen.
  QComboBox* TextListBox(QWidget* parent, const char* name, int current);
  // The font catalogue as a plain list or a drop-down list, the entry with
  // exactly the file name `current` chosen (none when there is none).
  QListWidget* FontList(QWidget* parent, const char* name, const std::string& current);
  QComboBox* FontBox(QWidget* parent, const char* name, const std::string& current);
  const std::vector<FontChoice>& Fonts() const { return fonts_; }
  // The entry of a row; null for a row that is no entry (-1).
  const FontChoice* FontAt(int row) const;
  // A plain font list without a chosen entry refuses OK, as long as the
  // catalogue has fonts; true when the list may be taken (`row` is then
  // the chosen row or -1 for an empty catalogue).
  bool CheckFontRow(QListWidget* list, bool strict);
  // A sample of the font chosen in `list` or `box`, below it.
  FontSample* AddFontSample(QWidget* parent, QLayout* layout);

  // --- numbers ------------------------------------------------------------
  // The integer in `field` within [low, high] ("'%s' ist kein gültiger
  // Integerwert" otherwise, strict only).
  std::optional<std::int32_t> Integer(QLineEdit* field, std::int32_t low, std::int32_t high,
                                      bool strict);
  // A number with "." as decimal separator and at most eight decimals (what
  // the project file keeps); "'%s' ist kein gültiger Gleitkommawert"
  // otherwise, strict only.
  std::optional<double> Real(QLineEdit* field, bool strict);

  // A group box with a translated caption.
  QGroupBox* Group(const char* name, const TextId& caption, QWidget* parent = nullptr);

 private:
  const ObjectDialogContext context_;
  ObjectPtr original_;
  ObjectPtr result_;
  ObjectPtr shown_;
  std::vector<FontChoice> fonts_;
  ObjectPreview* preview_ = nullptr;
  bool recomputeExtent_ = true;
  bool built_ = false;
};

// A drop-down list of records ("number  name", list order), the first one
// numbered `current` chosen (none when no record has that number).
QComboBox* RecordBox(QWidget* parent, const char* name, const t_liste* records, int current);
// The number of the chosen entry of such a list; nothing when none is chosen.
std::optional<int> ChosenNumber(const QComboBox* box);

// A number as the property dialogs take a real: blanks around it, an
// optional sign, digits with "." before the decimals, at most `maxDecimals`
// decimals that are not trailing zeros. No exponent, no other separator.
std::optional<double> ParseDecimal(std::string_view text, int maxDecimals = 8);
// The text of a one-line field in code page 1252, control characters (a
// line break pasted in) as blanks: the text goes into one line of the
// project file.
std::string LineText(const QString& text);
// A real as the dialogs show it: fixed, eight decimals, "." as separator.
QString DecimalText(double value);

}  // namespace tavo

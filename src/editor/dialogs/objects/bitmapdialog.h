#pragma once
// The bitmap dialog `TDialog_Bitmap_Obj` ("Dialog Bitmap"): the image file
// (`ToolButton1`), whether the bitmap keeps the image's own size
// ("Orginalgröße beibehalten") and whether one colour of it is transparent
// ("Transparentdarstellung"), that colour picked with the mouse in the
// preview `bmpvorschau`. Enter and Escape do nothing here; the tool bar's
// buttons confirm and cancel.
//
// Confirming with the natural size reads the image and gives the box its
// width and height from the first corner on; a file that cannot be read as
// an image is refused with the loader's words and nothing is taken over.

#include <functional>

#include "editor/dialogs/objects/objectdialog.h"
#include "resources/canvas.h"

class QCheckBox;
class QToolButton;

namespace tavo {

// The preview: shows an image and reports the mouse over it.
class BitmapPreview : public QLabel {
  Q_OBJECT
 public:
  explicit BitmapPreview(QWidget* parent);

 signals:
  void hovered(QPoint at);
  void pressed(QPoint at);

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
};

class TDialog_Bitmap_Obj : public ObjectDialog {
  Q_OBJECT
 public:
  static constexpr int kPreviewWidth = 311;
  static constexpr int kPreviewHeight = 247;

  TDialog_Bitmap_Obj(const ObjectDialogContext& context, const t_objekt& buffer,
                     QWidget* parent = nullptr);

  // The file dialog of `ToolButton1`: gets the folder and the file name to
  // start with, returns the file chosen or an empty text. Tests put their
  // own in.
  using FileChoice = std::function<QString(const QString& folder, const QString& preset)>;
  void SetFileChoice(FileChoice choice) { chooseFile_ = std::move(choice); }

  // The dialog's copies.
  const std::string& File() const { return file_; }
  bool Transparent() const { return transparent_; }
  std::int32_t TransparentColour() const { return colour_; }
  bool NaturalSize() const { return natural_; }
  // The preview as drawn last; null when the file does not exist.
  const QImage& PreviewImage() const { return image_; }
  // The colour shown in `Panel3` (under the mouse), a Windows colour.
  std::int32_t HoverColour() const { return hover_; }

 protected:
  bool Store(t_objekt& target, bool strict) override;
  // Enter and Escape are not the dialog's keys.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ChooseFile();
  void DrawPreview();
  void ShowColours();
  void Hovered(QPoint at);
  void Pressed(QPoint at);
  // The file as it is found (the project's bitmap folder too); empty when
  // it is nowhere.
  std::string Resolved() const;

  std::string file_;
  bool transparent_ = false;
  std::int32_t colour_ = 0;
  bool natural_ = false;
  std::int32_t hover_ = 0;
  QCheckBox* checkBox1_;  // natural size
  QCheckBox* checkBox2_;  // transparent
  QLabel* panel3_;        // colour under the mouse
  QLabel* label4_;
  QLabel* panel4_;  // transparent colour
  QLabel* label1_;
  BitmapPreview* bmpvorschau_;
  QImage image_;
  FileChoice chooseFile_;
  // The image last read, by the path it was read from.
  std::string loadedPath_;
  Image16 loaded_;
  bool loadedOk_ = false;
};

}  // namespace tavo

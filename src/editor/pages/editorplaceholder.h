#pragma once
// PLACEHOLDER for the picture editor page (tab "BildEditor") until the real
// page is wired in DefaultEditorHooks(). It remembers the open picture so
// that navigation works end to end, and shows nothing.

#include <QWidget>

namespace tavo {

class t_bild;
class t_projekt;

class EditorPlaceholderPage : public QWidget {
  Q_OBJECT
 public:
  explicit EditorPlaceholderPage(QWidget* parent = nullptr);

  void SetProject(t_projekt* project);
  void OpenPictureInEditor(t_bild* picture) { picture_ = picture; }
  const t_bild* OpenPicture() const { return picture_; }
  void ApplySettings() {}
  void Retranslate() {}

 signals:
  void modified();

 private:
  t_projekt* project_ = nullptr;
  t_bild* picture_ = nullptr;
};

}  // namespace tavo

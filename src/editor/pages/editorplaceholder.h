#pragma once
// PLACEHOLDER for the picture editor page (tab "BildEditor") until the real
// page is wired in DefaultEditorHooks(). It remembers the open picture so
// that navigation works end to end, and shows nothing.

#include <QWidget>

namespace tavo {

class Document;
class t_bild;

class EditorPlaceholderPage : public QWidget {
  Q_OBJECT
 public:
  explicit EditorPlaceholderPage(QWidget* parent = nullptr);

  void SetDocument(Document* document);
  void OpenPictureInEditor(t_bild* picture);
  const t_bild* OpenPicture() const;
  void ApplySettings() {}
  void Retranslate() {}

 private:
  Document* document_ = nullptr;
};

}  // namespace tavo

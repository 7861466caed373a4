#include "editor/pages/editorplaceholder.h"

#include "document/document.h"

namespace tavo {

EditorPlaceholderPage::EditorPlaceholderPage(QWidget* parent) : QWidget(parent) {
  setObjectName("EditorPlaceholder");
}

void EditorPlaceholderPage::SetDocument(Document* document) {
  document_ = document;
}

void EditorPlaceholderPage::OpenPictureInEditor(t_bild* picture) {
  if (document_) document_->SetOpenPicture(picture);
}

const t_bild* EditorPlaceholderPage::OpenPicture() const {
  return document_ ? document_->OpenPicture() : nullptr;
}

}  // namespace tavo

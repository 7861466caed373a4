#include "editor/pages/editorplaceholder.h"

namespace tavo {

EditorPlaceholderPage::EditorPlaceholderPage(QWidget* parent) : QWidget(parent) {
  setObjectName("EditorPlaceholder");
}

void EditorPlaceholderPage::SetProject(t_projekt* project) {
  project_ = project;
  picture_ = nullptr;
}

}  // namespace tavo

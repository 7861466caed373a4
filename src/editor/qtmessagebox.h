#pragma once
// The message box as a modal Qt dialog.

#include "shell/language.h"
#include "shell/messagebox.h"

class QWidget;

namespace tavo {

class QtMessageBox : public MessageBox {
 public:
  QtMessageBox(Translator& translator, QWidget* parent)
      : translator_(translator), parent_(parent) {}
  int Show(MsgKind kind, ButtonSet buttons, const std::string& text) override;

 private:
  Translator& translator_;
  QWidget* parent_;
};

}  // namespace tavo

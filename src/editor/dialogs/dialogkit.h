#pragma once
// What the editor's dialogs share: texts between code page 1252 and Qt,
// centring on the screen, installation pictures, integer fields, and the
// dialog frame with its tool bar of confirm and cancel buttons.

#include <QDialog>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "editor/uitext.h"
#include "shell/texts.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QToolBar;
class QToolButton;
class QVBoxLayout;

namespace tavo {

class Installation;
class MessageBox;
class TInfo_MSG;
class Translator;

// Places a top-level window in the middle of the screen it is on (or the
// primary screen).
void CenterOnScreen(QWidget* window);

// An integer as the dialogs take it: blanks around it, an optional sign and
// decimal digits, within 32 bits. Anything else is no integer.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// Shows `fileName` from the installation folder `folder` ("system\\Terminals\\")
// in `label`, scaled down to fit `box` pixels. A picture that cannot be read
// (or a name that tries to leave the folder) shows `fallback` from the same
// folder when one is given, else nothing. Returns whether a picture is shown.
bool ShowInstallationPicture(QLabel* label, const Installation& install, std::string_view folder,
                             const std::string& fileName, QSize box,
                             const std::string& fallback = {});

// Makes `memo` tall enough for `lines` lines of text.
void FitLines(QPlainTextEdit* memo, int lines);
// Makes `list` wide enough for its longest row.
void FitWidth(QListWidget* list);

// A modal dialog with a tool bar of two buttons: confirm (Enter) and cancel
// (Escape). Confirming asks the dialog to take its inputs over; when that
// fails (after it has said why) the dialog stays open.
class ToolDialog : public QDialog {
  Q_OBJECT
 public:
  // Messages go to `messages`; without one the dialog shows its own box.
  ToolDialog(Translator& translator, MessageBox* messages, QWidget* parent,
             const TextId& confirmHint = txt::kEingabenUebernehmen,
             const TextId& cancelHint = txt::kEingabenVerwerfen);
  ~ToolDialog() override;

  QToolButton* OkButton() const { return ok_; }
  QToolButton* CancelButton() const { return cancel_; }
  // The tool bar ("Aktionsleiste"), for a dialog that has more tools.
  QToolBar* ToolBar() const { return bar_; }

 public slots:
  // What the confirm button and Enter do: closes accepted when the inputs
  // are taken over.
  void Confirm();

 protected:
  // Takes the inputs over; false keeps the dialog open.
  virtual bool Apply() = 0;

  Translator& translator() { return translator_; }
  MessageBox& Messages();
  // Where the dialog's own controls go, below the tool bar.
  QVBoxLayout* Body() const { return body_; }

  // The integer in `field`, within [low, high]. Otherwise says why in the
  // message box, puts the cursor into the field and returns nothing.
  std::optional<std::int32_t> IntegerField(QLineEdit* field, std::int32_t low = INT32_MIN,
                                           std::int32_t high = INT32_MAX,
                                           const TextId& rangeMessage = txt::kKeinIntegerwert);
  // Says `message` with the field's text in place of "%s".
  void RefuseField(QLineEdit* field, const TextId& message);

  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  Translator& translator_;
  MessageBox* messages_;
  TInfo_MSG* ownBox_ = nullptr;  // made on first use, a child of the dialog
  QToolBar* bar_;
  QToolButton* ok_;
  QToolButton* cancel_;
  QVBoxLayout* body_;
};

}  // namespace tavo

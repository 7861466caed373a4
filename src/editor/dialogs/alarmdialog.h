#pragma once
// The alarm dialog: number and text, the font the terminal shows the alarm
// in, its behaviour ("Dynamisch", "Unterbrechend") and history entries
// ("beim Kommen", "beim Gehen"), with a preview that follows every change.
// It works on a copy of the alarm; confirming checks the number.

#include <QCheckBox>
#include <memory>
#include <vector>

#include "editor/dialogs/dialogkit.h"
#include "project/records.h"

class QLineEdit;
class QListWidget;

namespace tavo {

class AlarmPreview;
class FontCache;
class Workspace;
class t_projekt;

class TAlarmDialog : public ToolDialog {
  Q_OBJECT
 public:
  // `alarm` is copied; `isNew` for an alarm that is not in the list yet.
  TAlarmDialog(Workspace& workspace, FontCache& fonts, const t_projekt& project,
               const t_alarme& alarm, bool isNew, MessageBox* messages, QWidget* parent = nullptr);

  QLineEdit* NumberField() const { return number_; }
  QLineEdit* TextField() const { return text_; }
  QListWidget* FontList() const { return fontList_; }  // "Zeichensatz"
  // The check box of a flag (t_alarme::kDynamic ...).
  QCheckBox* FlagBox(std::uint8_t flag) const;
  AlarmPreview* Preview() const { return preview_; }
  // The copy the dialog works on; complete after confirming.
  const t_alarme& Alarm() const { return working_; }

 protected:
  bool Apply() override;

 private:
  void Redraw();

  const t_projekt& project_;
  const t_alarme& original_;
  bool isNew_;
  t_alarme working_;
  std::vector<std::string> fontFiles_;  // by row of the font list
  QLineEdit* number_;
  QLineEdit* text_;
  QListWidget* fontList_;
  std::vector<std::pair<std::uint8_t, QCheckBox*>> flags_;
  AlarmPreview* preview_;
};

// Shows the dialog for `alarm`; the edited copy on confirmation, null when
// cancelled.
std::unique_ptr<t_alarme> EditAlarm(QWidget* parent, Workspace& workspace, FontCache& fonts,
                                    const t_projekt& project, const t_alarme& alarm, bool isNew,
                                    MessageBox* messages);

}  // namespace tavo

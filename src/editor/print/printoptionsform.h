#pragma once
// The printout's options dialog: what the printout holds ("Druckumfang")
// and, for a selection, the number of the pictures printed.

#include "editor/dialogs/dialogkit.h"
#include "printing/printoptions.h"

class QComboBox;
class QLabel;

namespace tavo {

class t_projekt;

class TPrintOptionsForm : public ToolDialog {
  Q_OBJECT
 public:
  TPrintOptionsForm(Translator& translator, const t_projekt& project, const PrintOptions& options,
                    QWidget* parent = nullptr);

  // The options as confirmed (the ones given until then).
  const PrintOptions& Options() const { return options_; }

  QComboBox* ProjectInfo() const { return projectInfo_; }
  QComboBox* Pictures() const { return pictures_; }
  QComboBox* Alarms() const { return alarms_; }
  QComboBox* Variables() const { return variables_; }
  QComboBox* TextLists() const { return textLists_; }
  QComboBox* PictureNumber() const { return pictureNumber_; }

 protected:
  bool Apply() override;

 private:
  QComboBox* YesNo(bool yes, const char* name);
  void ShowPictureNumber();

  PrintOptions options_;
  QComboBox* projectInfo_;
  QComboBox* pictures_;
  QComboBox* alarms_;
  QComboBox* variables_;
  QComboBox* textLists_;
  QLabel* pictureNumberLabel_;
  QComboBox* pictureNumber_;
};

}  // namespace tavo

#pragma once
// The terminal simulator's window: the simulated terminal's front (display
// and key areas), its function keys on four levels, a picture selector, the
// variable table with editable values, the alarm bits and the active
// alarms, and the simulator's clock. Everything it shows comes from the
// Simulator, which it owns; it redraws on the simulator's change
// notification.

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "project/liste.h"
#include "shell/texts.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QListWidget;
class QSpinBox;
class QTableWidget;
class QTableWidgetItem;
class QTimer;
class QToolButton;

namespace tavo {

class MessageBox;
class Retranslator;
class Simulator;
class SimulatorFace;
class Translator;
class t_katalog;
struct SimInputField;
enum class SimChange;

class SimulatorWindow : public QWidget {
  Q_OBJECT
 public:
  // The catalogue (may be null) supplies the terminal and the coupling by
  // the image's identifiers. With a parent the window is a window of its
  // own that closes when the parent is hidden or closed.
  SimulatorWindow(Translator& translator, MessageBox& messages, const t_katalog* catalogue,
                  QWidget* parent = nullptr);
  ~SimulatorWindow() override;

  // Reads the drive D folder and starts the simulation on it. False when
  // the folder holds no usable image: the box says why and the window keeps
  // what it showed before. Problems with single lines are shown too, and
  // the rest of the image runs.
  bool Open(const std::filesystem::path& driveD);
  // Reads the same folder again (after a new download): the terminal
  // starts afresh.
  bool Reload();
  const std::filesystem::path& Folder() const { return folder_; }

  // Names for the variable table by number (the image carries none); the
  // window keeps a copy for later reloads.
  void SetVariableNames(const t_liste* variables);
  // The pictures' names by picture number for the picture selector, where
  // the run file's names are plain ("Bild 1"); kept as well.
  void SetPictureNames(const t_liste* pictures);

  // Asks for the text typed into an input field; nullopt when the user
  // cancels. Tests replace the dialog.
  using InputPrompt = std::function<std::optional<QString>(const SimInputField&, const QString&)>;
  void SetInputPrompt(InputPrompt prompt) { prompt_ = std::move(prompt); }

  Simulator* CurrentSimulator() const { return simulator_.get(); }
  // The display as last drawn, one pixel per terminal pixel.
  const QImage& DisplayImage() const;
  SimulatorFace* Face() const { return face_; }
  // The level the next key press uses: 0 Normal, 1 Shift, 2 Ctrl, 3 Alt.
  int KeyLevel() const;
  // Presses F1 .. F16 (`softKey` false) or S1 .. S12 on the chosen level,
  // as the buttons do; the level goes back to Normal afterwards.
  bool PressFunctionKey(int key);
  bool PressSoftKey(int key);
  // The input field at a terminal pixel takes a typed value (asked through
  // the prompt); false when there is none or the value was refused.
  bool ClickDisplay(const QPoint& terminalPixel);
  void Retranslate();

 signals:
  // After every redraw of the display.
  void displayChanged();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildWidgets();
  void Start();
  void OnChange(SimChange change);
  void Redraw();
  void FillPictures();
  void FillVariables();
  void UpdateValues();
  void FillAlarmBits();
  void UpdateAlarms();
  void UpdateClock();
  void UpdateKeys();
  void ValueEdited(QTableWidgetItem* item);
  bool PressKey(int keyNumber, const QString& name);
  void ShowMessages(const TextId& heading, const std::vector<std::string>& messages);
  void Status(const QString& text);
  QString ValueText(int row) const;

  Translator& translator_;
  MessageBox& messages_;
  const t_katalog* catalogue_;
  std::unique_ptr<Retranslator> texts_;
  std::unique_ptr<Simulator> simulator_;
  int listener_ = -1;
  std::filesystem::path folder_;
  ListPtr names_;
  std::map<std::uint16_t, std::string> pictureNames_;
  InputPrompt prompt_;
  bool filling_ = false;

  SimulatorFace* face_ = nullptr;
  QComboBox* pictures_ = nullptr;
  QSpinBox* scale_ = nullptr;
  QButtonGroup* levels_ = nullptr;
  std::vector<QToolButton*> functionKeys_;
  QTableWidget* variables_ = nullptr;
  QListWidget* alarmBits_ = nullptr;
  QListWidget* activeAlarms_ = nullptr;
  QDateTimeEdit* clock_ = nullptr;
  QCheckBox* clockRuns_ = nullptr;
  QTimer* ticker_ = nullptr;
  QLabel* status_ = nullptr;
  QImage empty_;
};

}  // namespace tavo

#pragma once
// The terminal simulator: a second-generation download image (drive D: the
// run file "Project.run", the picture files "<n>.pic", the pixel files
// "PIC<id>.HCD" and the fonts) read back into a project and run as the
// terminal would run it, with simulated PLC values. No port and no window:
// the window (or the command line) calls these operations and draws the
// current picture through a tview.
//
// docs/simulator.md describes the model: how fields show values, how
// switching rules, keys, inputs, alarms, the clock and the plot history work.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "objects/fields/fields.h"
#include "objects/tview.h"
#include "project/projekt.h"

namespace tavo {

class t_katalog;
class SimulatorState;

// One variable of the running project as the variable table shows it.
struct SimVariable {
  std::uint16_t number = 0;
  // The run file does not carry names; empty unless SetVariableNames gave them.
  std::string name;
  std::int32_t address = 0;
  std::string addressText;  // as the coupling writes it ("010,005" or "2565")
  std::uint8_t type = 3;    // row of VarTypeTable
  std::uint16_t length = 2;
  std::int64_t value = 0;  // every type but ASCII
  std::string text;        // ASCII (type 6): the characters, code page 1252
  // An input field, scaled input field or text list input field of some
  // picture writes it: the operator can change it on the terminal. The
  // simulator's own table may set every variable.
  bool editable = false;
};

// An alarm whose bit is set.
struct SimAlarm {
  std::uint16_t number = 0;
  std::string text;  // code page 1252
  std::string font;
  std::uint8_t flags = 0;  // t_alarme::kDynamic ...
  LocalTime came;          // the simulator's clock when the bit was set
};

// An input field of the current picture (numeric, barcode, scaled or text
// list input), in drawing order.
struct SimInputField {
  int index = 0;          // pass to EnterInput
  std::uint8_t kind = 0;  // kKindEingabe, kKindBarcode, kKindSkalEingabe, kKindEditListe
  std::uint16_t variable = 0;
  TermRect area;  // terminal pixels
  // What can be typed, for a hint: "-9999.99 .. 9999.99", the texts of a
  // list joined by " | ", "12 characters".
  std::string limits;
};

// What changed, for a listener that redraws only what it must.
enum class SimChange { Picture, Values, Clock, Alarms };

class Simulator {
 public:
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // Reads the drive D folder. The catalogue (may be null) supplies the
  // terminal by its type number and the coupling by its identifier; without
  // a match the values the run lines carry are used. Every problem is a
  // message "file:line: what" in `messages`; damaged lines are skipped and
  // the rest is kept. Null when the folder holds no usable image (no
  // Project.run, a first-generation image, no picture at all).
  static std::unique_ptr<Simulator> Load(const std::filesystem::path& driveD,
                                         const t_katalog* catalogue,
                                         std::vector<std::string>& messages);

  // The project as read from the image: head, terminal, coupling,
  // variables (without names), alarms, text lists and pictures with their
  // keys and objects (groups are dissolved on the terminal).
  const t_projekt& Project() const;
  // Terminal resolution and palette.
  int Width() const;
  int Height() const;
  bool Grey() const;

  // --- pictures ----------------------------------------------------------------
  // Pictures in run file order; a key's value is a position in this list.
  int PictureCount() const;
  // 1-based position; null outside 1..PictureCount().
  const t_bild* PictureAt(int position) const;
  // Position of the picture on screen (the start picture after loading,
  // else the first).
  int CurrentPicture() const;
  // Shows the picture at this position; false (nothing changes) outside the list.
  bool ShowPicture(int position);
  // Shows the picture with this picture number; false when there is none.
  bool ShowPictureNumber(std::uint16_t pictureNumber);

  // --- keys ---------------------------------------------------------------------
  // Presses a key by its key record number (F1 = 1, Shift-F1 = 13, S1 = 129
  // ...): the current picture's key record with that number switches to
  // the picture at its value's position. False when the key has no
  // function here (value 0, or a position without a picture).
  bool PressKey(int keyNumber);

  // --- variables ---------------------------------------------------------------
  const std::vector<SimVariable>& Variables() const;
  // By number ("12") or by name; null when there is none.
  const SimVariable* FindVariable(const std::string& numberOrName) const;
  // Takes the names from a project's variable list by number.
  void SetVariableNames(const t_liste* variables);
  // Sets a value as the PLC would; refused (false, `message` says why) when
  // the variable does not exist or the value is outside the variable type's
  // range (Integer -32768..32767, Word 0..65535 ...).
  bool SetValue(std::uint16_t number, std::int64_t value, std::string* message = nullptr);
  // Parses typed text for the variable's type (decimal; Hex also "0x1F"
  // and "1Fh"; ASCII takes the text, cut to the length) and sets it.
  bool SetValueText(const std::string& numberOrName, const std::string& typed,
                    std::string* message = nullptr);

  // --- operator input -----------------------------------------------------------
  std::vector<SimInputField> InputFields() const;
  // Enters typed text into an input field of the current picture, as the
  // operator would: refused when it is no number, has more digits before
  // or after the point than the field shows, or leaves the variable's
  // range; a text list input takes one of its texts or its value.
  bool EnterInput(int index, const std::string& typed, std::string* message = nullptr);

  // --- clock ---------------------------------------------------------------------
  // The simulator's own clock (it does not follow the computer's); starts
  // at the computer's local time when loaded.
  LocalTime Clock() const;
  int ClockSeconds() const;
  void SetClock(const LocalTime& time, int seconds = 0);
  // Lets the clock run: plot graphs take their samples on the way.
  void Advance(int seconds);

  // --- alarms --------------------------------------------------------------------
  // Alarm n is bit (n mod 16) of alarm word n div 16 (15 words, alarms 0..239).
  bool SetAlarm(std::uint16_t number, bool on);
  void SetAlarmWord(int word, std::uint16_t bits);
  std::uint16_t AlarmWord(int word) const;
  // Alarms whose bit is set and that the image defines, in the coupling's
  // alarm sort order: 0 first come first, 1 newest first, 2 by number.
  std::vector<SimAlarm> ActiveAlarms() const;

  // --- drawing -------------------------------------------------------------------
  // Draws the current picture into the view: its background over the whole
  // display, then its objects with the values, in the terminal's palette
  // (grey for a grey terminal) and with the fonts of drive D. The caller
  // sets canvas, zoom and offsets; the view's palette and text renderer are
  // set here.
  void Draw(tview& view) const;

  // --- changes -------------------------------------------------------------------
  using Listener = std::function<void(SimChange)>;
  // Called after every change made through the operations above.
  int AddListener(Listener listener);
  void RemoveListener(int id);

 private:
  Simulator();
  std::unique_ptr<SimulatorState> state_;
};

}  // namespace tavo

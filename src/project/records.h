#pragma once
// The records a project is made of. Each writes itself in two forms: the
// project form (lines of the .qvx file) and the run form (lines for the
// terminal, texts in the terminal's code page).

#include <array>
#include <cstdint>
#include <string>

#include "project/liste.h"

namespace tavo {

class t_steuerung;

// Today's date in the short date form the head records carry ("dd.mm.yyyy").
std::string TodayText();

// --- head --------------------------------------------------------------------
class t_kopf : public t_liste {
 public:
  t_kopf();
  std::string author;
  std::string created;
  std::string changed;
  std::string info1, info2, info3;
  std::int16_t startPicture = 0;

  void WriteProjectLines(const LineSink& sink) const override;
  void WriteRunLines(RunWriter& out) const override;
};

// --- terminal ----------------------------------------------------------------
// One soft key area ("F01" ...) or special key area ("S01" ...) of the display.
class t_tastenfeld : public t_liste {
 public:
  t_tastenfeld() : t_liste(kTagTastenfeld) {}
  std::int16_t left = 0, top = 0, right = 0, bottom = 0;
};

class t_terminal : public t_liste {
 public:
  t_terminal();
  std::int16_t width = 640;
  std::int16_t height = 480;
  std::int16_t colourDepth = 16;
  std::array<std::string, 5> info;
  std::int32_t workMemory = 655360;
  std::int32_t storeMemory = 1048576;
  std::string terminalName = "none";
  std::string bitmap = "NONE.BMP";
  std::string typeNumber = "xx-xxxx-xxxx";
  std::string dosVersion = "VTA_2MBM.TRM";
  bool greyScale = true;
  std::string port1 = "TTY";
  std::string port2 = "RS232";
  ListPtr keyAreas;  // t_tastenfeld: soft key areas, then special key areas

  // Reads a terminal definition file (ini form).
  void Load(const std::string& path) override;
  void WriteProjectLines(const LineSink& sink) const override;
  void WriteRunLines(RunWriter& out) const override;
  void Done() override;
  // Every field but the links; the key areas are copied into a list of its own.
  void CopyFrom(const t_terminal& other);
};

// --- PLC coupling ------------------------------------------------------------
class t_steuerung : public t_liste {
 public:
  t_steuerung();
  std::uint8_t addressType = 0;    // 0 WORD, 1 BYTE
  std::uint8_t addressFormat = 0;  // 0 INTEL, 1 SIEMENS
  std::int32_t lowestAddress = 0;
  std::int32_t highestAddress = 2147483647;
  std::array<std::string, 5> info;
  std::int32_t readBlockAddress = 0;
  std::int32_t writeBlockAddress = 0;
  std::int16_t alarmSort = 0;
  std::string couplingName = "none";
  std::string bitmap = "NONE.BMP";
  std::string dosVersion;
  std::int16_t blockWords1 = 5;
  std::int16_t blockWords2 = 5;
  std::int16_t protocolTimeout = 2000;
  std::int16_t characterTimeout = 200;
  std::string path;
  std::string identifier;

  // Reads a coupling definition file (free form, keywords anywhere).
  void Load(const std::string& path) override;
  void WriteProjectLines(const LineSink& sink) const override;
  void WriteRunLines(RunWriter& out) const override;
  void CopyFrom(const t_steuerung& other);
};

// Address text relative to a coupling: "DDD,WWW" (data block, data word) for
// the SIEMENS format, the plain number otherwise. Reading accepts both forms.
std::string AddressText(std::int32_t address, const t_steuerung* coupling);
std::int32_t AddressFromText(std::string_view text);

// --- variables ---------------------------------------------------------------
class t_variable : public t_liste {
 public:
  // A variable as a reader creates it; the editor uses NewInEditor().
  t_variable();
  static std::unique_ptr<t_variable> NewInEditor(const t_liste* variables);
  std::uint8_t attribute = 0;
  std::int32_t address = 0;
  std::uint16_t length = 2;
  std::uint8_t type = 3;

  // The address form depends on the project's coupling, which the project
  // passes in; the plain overrides write plain numbers.
  void WriteProjectLines(const LineSink& sink, const t_steuerung* coupling) const;
  void WriteRunLines(RunWriter& out, const t_steuerung* coupling) const;
  void WriteProjectLines(const LineSink& sink) const override { WriteProjectLines(sink, nullptr); }
  void WriteRunLines(RunWriter& out) const override { WriteRunLines(out, nullptr); }
};

struct tVartype {
  const char* siemensName;
  const char* intelName;
  std::uint8_t defaultLength;
  bool lengthEditable;
};
inline constexpr int kVarTypeCount = 10;
extern const tVartype VarTypeTable[kVarTypeCount];

// --- alarms ------------------------------------------------------------------
class t_alarme : public t_liste {
 public:
  t_alarme();  // as a reader creates it
  static std::unique_ptr<t_alarme> NewInEditor(const t_liste* alarms);
  std::int32_t bitMask = 1;
  std::string font = "SYS_0816.FON";
  std::uint8_t flags = 0;

  static constexpr std::uint8_t kDynamic = 1;
  static constexpr std::uint8_t kInterrupting = 2;
  static constexpr std::uint8_t kHistoryComes = 4;
  static constexpr std::uint8_t kHistoryGoes = 8;

  void WriteProjectLines(const LineSink& sink) const override;
  void WriteRunLines(RunWriter& out) const override;
};

// Characters per line of the terminal's alarm display: (terminal width -
// 100) divided by the font's character width; 67 without a terminal.
int AlarmLineLength(int terminalWidth, int characterWidth);

// --- text lists --------------------------------------------------------------
class t_text : public t_liste {
 public:
  t_text() : t_liste(kTagText) {}
  std::uint16_t value = 0;
};

class t_textliste : public t_liste {
 public:
  t_textliste();
  bool valueList = false;
  ListPtr texts;  // t_text

  void WriteProjectLines(const LineSink& sink) const override;
  void WriteRunLines(RunWriter& out) const override;
  void Done() override;
};

// --- keys --------------------------------------------------------------------
class t_taste final : public t_liste {
 public:
  t_taste() : t_liste(kTagTaste) {}
  std::uint16_t value = 0;  // target picture position (1-based); 0 = no function

  void WriteProjectLines(const LineSink& sink) const override;
  void WriteRunLines(RunWriter& out) const override;

  // Every picture carries all its keys, so MakeKeyList builds a picture's
  // worth in one allocation; each key is still a node of its own that can be
  // unlinked and deleted alone, and the block goes with its last key.
  static void* operator new(std::size_t size);
  static void operator delete(void* key) noexcept;
};

inline constexpr int kKeyCount = 256;

// Keys 1..count in order, without function. The nodes of `assigned` (keys
// in ascending number order) take their places in the list as they are.
ListPtr MakeKeyList(int count, ListPtr assigned = nullptr);

// The keys 1..kKeyCount of a picture. Most keys of most pictures have no
// function, and a project of a few hundred pictures would build, walk and
// free a node for each of them whenever it is opened. So until the keys are
// walked as a list, only the keys that were assigned are held; the first
// use as a list builds the whole list around those nodes (pointers to them
// stay valid), and from then on it is an ordinary list.
class KeyList {
 public:
  KeyList() = default;
  KeyList(const KeyList&) = delete;
  KeyList& operator=(const KeyList&) = delete;

  // The list: the first of the keys in number order.
  t_liste* get() const { return Nodes().get(); }
  t_liste* operator->() const { return get(); }
  explicit operator bool() const { return get() != nullptr; }
  operator ListPtr&() { return Nodes(); }
  operator const ListPtr&() const { return Nodes(); }

  // Key `number` to be given a value or a name, without building the list;
  // null when no key carries that number.
  t_taste* Assign(int number);
  // Every key that may have a value or a name, in number order: the keys
  // assigned so far, or every key once the list is built. Callers test the
  // value.
  template <class Fn>
  void ForEachAssigned(Fn&& fn) const {
    for (const t_liste* k = (built_ ? nodes_ : assigned_).get(); k; k = k->next())
      fn(static_cast<const t_taste&>(*k));
  }
  template <class Fn>
  void ForEachAssigned(Fn&& fn) {
    for (t_liste* k = (built_ ? nodes_ : assigned_).get(); k; k = k->next())
      fn(static_cast<t_taste&>(*k));
  }
  // The values and names of `other`'s keys (this list must be unused).
  void CopyFrom(const KeyList& other);
  // Releases every key; the list is then empty.
  void Clear();

 private:
  ListPtr& Nodes() const;
  mutable ListPtr nodes_;     // the whole list, once built
  mutable ListPtr assigned_;  // until then: the keys assigned, by number
  mutable bool built_ = false;
};

// Whether a key row is offered for a terminal, by the first seven characters
// of its type number. `key` is 1..16 for F keys, 1..12 for S keys.
bool FunctionKeyOffered(const std::string& typeNumber, int key);
bool SoftKeyOffered(const std::string& typeNumber, int key);
// Key number of F1..F16 / S1..S12 on level 0 Normal, 1 Shift, 2 Ctrl, 3 Alt.
int FunctionKeyNumber(int key, int level);
int SoftKeyNumber(int key, int level);

// --- pictures ----------------------------------------------------------------
class t_bild : public t_liste {
 public:
  t_bild();  // with its 256 keys and no objects
  static std::unique_ptr<t_bild> NewInEditor(const t_liste* pictures);
  std::uint8_t backgroundColour = 15;
  KeyList keys;     // t_taste 1..256
  ListPtr objects;  // graphic objects in drawing order
  std::uint16_t pictureNumber = 1;
  std::int32_t objectCount = 0;
  std::int32_t size = 0;
  double zoom = 1.0;
  std::int16_t originX = 0, originY = 0;

  t_taste* Key(int number);
  const t_taste* Key(int number) const;

  void WriteProjectLines(const LineSink& sink) const override;
  // The "-(Picture;" line of the run file; then the writer compiles the
  // picture into its own terminal files (RunWriter::CompilePicture).
  void WriteRunLines(RunWriter& out) const override;
  std::string RunLine() const;
  void Done() override;
};

// Smallest number from 1 upward that no record of the list carries.
std::uint16_t FreeNumberFromOne(const t_liste* anyNode);

// Copies of records, unlinked, with every field and own copies of the
// lists they hold: an edit is made on a copy, which then replaces the
// record as a whole (so the edit can be taken back by relinking). A
// picture's copy (keys and objects) is made by the object family.
std::unique_ptr<t_kopf> CloneRecord(const t_kopf& head);
std::unique_ptr<t_terminal> CloneRecord(const t_terminal& terminal);
std::unique_ptr<t_steuerung> CloneRecord(const t_steuerung& coupling);
std::unique_ptr<t_variable> CloneRecord(const t_variable& variable);
std::unique_ptr<t_alarme> CloneRecord(const t_alarme& alarm);
std::unique_ptr<t_text> CloneRecord(const t_text& text);
std::unique_ptr<t_textliste> CloneRecord(const t_textliste& list);
// A picture's own fields and keys, without objects.
std::unique_ptr<t_bild> ClonePictureWithoutObjects(const t_bild& picture);

}  // namespace tavo

#pragma once
// The objects drawn in a terminal font at a position (text, numeric,
// scaled, time, date and text list fields) and the two graphs. The fields
// are neither resized, rotated nor mirrored; their extent follows from their
// font's cell and what they show.
//
// Some of them need data from outside the object: fonts are looked up in the
// catalogue when a project line is read, text list fields show and write the
// project's text lists, and time and date fields show a clock. That data is
// passed in explicitly (FieldContext, the font list); the plain operations of
// t_objekt work without it and then show no text list and the computer's
// local time.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "objects/objekt.h"
#include "objects/shapes/shapes.h"

namespace tavo {

inline constexpr const char* kDefaultFieldFont = "SYST_008.FON";
// Font of the plot graph's time axis labels.
inline constexpr const char* kScaleFont = "3_______.FON";

struct LocalTime {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;   // 0..23
  int minute = 0;
};

// The computer's local time; its seconds in `seconds` when given.
LocalTime CurrentLocalTime(int* seconds = nullptr);

class t_plotgraf;

// What a running terminal knows beyond the picture: the variables' values,
// the plot graphs' samples and the converted bitmaps. The editor draws
// without it: fields show placeholders, graphs their symbols, and every
// object is shown whatever its switching rule says.
class FieldValues {
 public:
  virtual ~FieldValues() = default;
  // The value of a variable (0 for one that does not exist).
  virtual std::int64_t Value(std::uint16_t variable) const = 0;
  // The characters a text display shows (code page 1252).
  virtual std::string Text(std::uint16_t variable) const = 0;
  // The samples of a plot graph, oldest first, as values of its variable.
  virtual std::vector<double> Samples(const t_plotgraf& graph) const = 0;
  // The pixel file of a bitmap identifier, already stretched to its placed
  // size; null when the image has none.
  virtual const Image16* PlacedImage(std::int32_t identifier) const = 0;
};

// What drawing the fields needs from outside the object.
struct FieldContext {
  const t_liste* textLists = nullptr;  // the project's text lists (t_textliste)
  std::optional<LocalTime> now;        // empty: the computer's local time
  // Present when the picture runs (the simulator): fields show values and
  // switching rules hide objects.
  const FieldValues* values = nullptr;
};

// Whether a switching rule lets its object show for the variable's value:
// no rule always; "<" ... "<>" compare the value with the rule's value; the
// bit tests look at the bits of the rule's mask (all of them clear, or all
// of them set).
bool SwitchingShows(const t_schaltung& rule, std::int64_t value);

// A number as a field of `digits` places before and `decimals` after the
// point shows it: rounded to the decimals, right-aligned in the field's
// cells; a number that does not fit fills the field with "*".
std::string FieldNumberText(double value, int digits, int decimals);

// --- common base of the positioned fields ------------------------------------

class t_feldobjekt : public t_objekt {
 public:
  double x() const { return x_; }
  double y() const { return y_; }
  void SetPosition(double x, double y);
  const std::string& font() const { return font_; }
  void SetFont(const std::string& font) { font_ = font; }
  std::uint8_t cellHeight() const { return cellHeight_; }
  std::uint8_t cellWidth() const { return cellWidth_; }
  void SetCell(std::uint8_t height, std::uint8_t width);
  // Takes the cell size from the catalogue entry (t_fonteintrag) whose file
  // name equals the font exactly; keeps it when there is none.
  void LookUpCell(const t_liste* fonts);

  // Parses with the catalogue's font list (null: no lookup).
  virtual void ParseWith(std::string_view rest, const t_liste* fonts) = 0;
  void ParseFields(std::string_view rest) override { ParseWith(rest, nullptr); }
  virtual void DrawWith(tview& view, int mode, const FieldContext& context) const = 0;
  void Draw(tview& view, int mode) const override { DrawWith(view, mode, FieldContext{}); }

  std::string FontFile() const override { return font_; }
  bool HitTest(std::int16_t x, std::int16_t y) const override;
  void MoveBy(std::int16_t dx, std::int16_t dy) override;

 protected:
  explicit t_feldobjekt(std::uint8_t kind) : t_objekt(kind) {}

  void CopyFieldTo(t_feldobjekt& copy) const;
  // Extent from the position, `cells` cells wide, both far edges minus `inset`.
  void ExtentOfCells(double cells, double inset = 0);
  // ";" pen colour ... fill pattern, as every field's run line carries them.
  std::string RunAttributes() const;
  // ";x;y" rounded.
  std::string RunPosition() const;
  void ParsePosition(std::string_view& rest);
  void WritePosition(ByteSink& out) const;
  void ReadPosition(BinaryIn& in);
  void WriteFontAndCell(ByteSink& out) const;
  void ReadFontAndCell(BinaryIn& in);
  // The font in the text operation at the truncated position.
  void DrawText(tview& view, bool opaque, const std::string& text) const;
  // The block that stands for `cells` characters in drag and outline mode.
  void DrawBlock(tview& view, std::size_t cells, int inset = 0) const;

  // The binary text record fills in the default for an empty font for good.
  mutable std::string font_ = kDefaultFieldFont;

 private:
  double x_ = 0;
  double y_ = 0;
  std::uint8_t cellHeight_ = 8;
  std::uint8_t cellWidth_ = 8;
};

// --- text --------------------------------------------------------------------

class ttext : public t_feldobjekt {
 public:
  ttext();
  const std::string& text() const { return text_; }
  void SetText(const std::string& text);

  void WriteRunLines(RunWriter& out) const override;
  bool ReadBinary(const ByteReader& read) override;
  void ParseWith(std::string_view rest, const t_liste* fonts) override;
  void DrawWith(tview& view, int mode, const FieldContext& context) const override;
  std::string FormatFields() const override;
  void UpdateExtent() override;
  std::unique_ptr<t_objekt> Clone() const override;
  void WriteBinary(ByteSink& out) const override;

 private:
  std::string text_;
};

// --- numeric output, input and barcode fields ----------------------------------

class tausobj : public t_feldobjekt {
 public:
  tausobj() : tausobj(kKindAusgabe) {}

  bool textDisplay() const { return textDisplay_ != 0; }
  std::uint8_t digits() const { return digits_; }
  std::uint8_t decimals() const { return decimals_; }
  std::uint8_t factorCode() const { return factorCode_; }
  std::int16_t variable() const { return variable_; }
  void SetDisplay(bool text, std::uint8_t digits, std::uint8_t decimals);
  void SetFactorCode(std::uint8_t code) { factorCode_ = code; }
  void SetVariable(std::int16_t variable) { variable_ = variable; }
  // "$$$" for a text display, "####.##" for a value display.
  std::string FormatText() const;
  // The multiplier of the factor code; codes outside 1..7 multiply by 1.
  double Factor() const;
  // Width of the field in cells.
  int Cells() const;

  void WriteRunLines(RunWriter& out) const override;
  bool ReadBinary(const ByteReader& read) override;
  void ParseWith(std::string_view rest, const t_liste* fonts) override;
  void DrawWith(tview& view, int mode, const FieldContext& context) const override;
  std::string FormatFields() const override;
  void UpdateExtent() override;
  std::unique_ptr<t_objekt> Clone() const override;
  void WriteBinary(ByteSink& out) const override;
  bool UsesVariable(std::int16_t variable) const override;
  void CollectReferences(std::vector<std::int16_t>& variables,
                         std::vector<std::int16_t>& textLists) const override;
  void RenumberVariable(std::int16_t from, std::int16_t to) override;

 protected:
  explicit tausobj(std::uint8_t kind);

 private:
  std::uint8_t textDisplay_ = 0;
  std::int16_t variable_ = 0;
  std::uint8_t digits_ = 4;
  std::uint8_t decimals_ = 2;
  std::uint8_t factorCode_ = 1;
};

class t_eingabe : public tausobj {
 public:
  t_eingabe() : tausobj(kKindEingabe) {}
};

class t_barcode : public tausobj {
 public:
  t_barcode() : tausobj(kKindBarcode) {}
};

// Factor code of a factor value: 1, raised by one at each of the thresholds
// 0.005, 0.05, 0.5, 5, 50 and 500 the value exceeds (so 0 and negative
// factors give code 1).
std::uint8_t FactorCodeOf(double factor);

// --- scaled fields -----------------------------------------------------------------

class tSkalAus : public t_feldobjekt {
 public:
  tSkalAus() : tSkalAus(kKindSkalAusgabe) {}

  std::uint16_t variable() const { return variable_; }
  std::uint8_t digits() const { return digits_; }
  std::uint8_t decimals() const { return decimals_; }
  double m() const { return m_; }
  double b() const { return b_; }
  void SetVariable(std::uint16_t variable) { variable_ = variable; }
  void SetDigits(std::uint8_t digits, std::uint8_t decimals);
  void SetConversion(double m, double b);
  std::string FormatText() const;

  void WriteRunLines(RunWriter& out) const override;
  bool ReadBinary(const ByteReader& read) override;
  void ParseWith(std::string_view rest, const t_liste* fonts) override;
  void DrawWith(tview& view, int mode, const FieldContext& context) const override;
  std::string FormatFields() const override;
  void UpdateExtent() override;
  std::unique_ptr<t_objekt> Clone() const override;
  void WriteBinary(ByteSink& out) const override;
  bool UsesVariable(std::int16_t variable) const override;
  void CollectReferences(std::vector<std::int16_t>& variables,
                         std::vector<std::int16_t>& textLists) const override;
  void RenumberVariable(std::int16_t from, std::int16_t to) override;

 protected:
  explicit tSkalAus(std::uint8_t kind);

 private:
  std::uint16_t variable_ = 0;
  std::uint8_t digits_ = 4;
  std::uint8_t decimals_ = 2;
  double m_ = 0;
  double b_ = 0;
};

class t_skaleingabe : public tSkalAus {
 public:
  t_skaleingabe() : tSkalAus(kKindSkalEingabe) {}
};

// --- time and date -----------------------------------------------------------------

class tZeitObj : public t_feldobjekt {
 public:
  static constexpr std::uint8_t k24Hours = 1;
  static constexpr std::uint8_t kLeadingZero = 2;

  tZeitObj();
  std::uint8_t flags() const { return flags_; }
  const std::string& am() const { return am_; }
  const std::string& pm() const { return pm_; }
  const std::string& separator() const { return separator_; }
  void SetFormat(std::uint8_t flags, std::string am, std::string pm, std::string separator);
  // The text shown at the given time.
  std::string TimeText(const LocalTime& now) const;

  void WriteRunLines(RunWriter& out) const override;
  bool ReadBinary(const ByteReader& read) override;
  void ParseWith(std::string_view rest, const t_liste* fonts) override;
  void DrawWith(tview& view, int mode, const FieldContext& context) const override;
  std::string FormatFields() const override;
  void UpdateExtent() override;
  std::unique_ptr<t_objekt> Clone() const override;
  void WriteBinary(ByteSink& out) const override;

 private:
  std::uint8_t flags_ = 0;
  std::string am_;
  std::string pm_;
  std::string separator_;
};

class tDatumObj : public t_feldobjekt {
 public:
  static constexpr std::uint8_t kMonthDayYear = 1;
  static constexpr std::uint8_t kDayMonthYear = 2;
  static constexpr std::uint8_t kYearMonthDay = 4;
  static constexpr std::uint8_t kDayZero = 8;
  static constexpr std::uint8_t kMonthZero = 16;
  static constexpr std::uint8_t kCentury = 32;

  tDatumObj();
  std::uint8_t flags() const { return flags_; }
  const std::string& separator() const { return separator_; }
  void SetFormat(std::uint8_t flags, std::string separator);
  std::string DateText(const LocalTime& now) const;

  void WriteRunLines(RunWriter& out) const override;
  bool ReadBinary(const ByteReader& read) override;
  void ParseWith(std::string_view rest, const t_liste* fonts) override;
  void DrawWith(tview& view, int mode, const FieldContext& context) const override;
  std::string FormatFields() const override;
  void UpdateExtent() override;
  std::unique_ptr<t_objekt> Clone() const override;
  void WriteBinary(ByteSink& out) const override;

 private:
  std::uint8_t flags_ = 0;
  std::string separator_;
};

// --- text list fields ----------------------------------------------------------------

// A text of a text list record read from binary data.
struct RecordText {
  std::int16_t value = 0;
  std::string text;
  bool operator==(const RecordText&) const = default;
};

class tTeLiObj : public t_feldobjekt {
 public:
  // Records keep at most this many texts.
  static constexpr std::size_t kMaxRecordTexts = 256;

  tTeLiObj() : tTeLiObj(kKindTextListe) {}

  std::uint8_t textLength() const { return textLength_; }
  void SetTextLength(std::uint8_t length) { textLength_ = length; }
  std::uint16_t textList() const { return textList_; }
  void SetTextList(std::uint16_t list) { textList_ = list; }
  std::int16_t variable() const { return variable_; }
  void SetVariable(std::int16_t variable) { variable_ = variable; }
  // Texts read from a binary record that are not yet part of a project.
  // hasRecordTexts: the field was read from a record and its texts have not
  // been adopted yet (the record may have held no texts at all).
  bool hasRecordTexts() const { return hasRecord_; }
  const std::vector<RecordText>& recordTexts() const { return recordTexts_; }
  bool recordValueList() const { return recordValueList_; }

  // The text length from the field's list, when the list exists (the output
  // field does this on every extent update that knows the lists).
  void RefreshTextLength(const t_liste* textLists);
  // The text shown in normal mode; empty without the list or its texts.
  std::string ShownText(const t_liste* textLists) const;
  // The text shown for a variable value (terminal code page, padded to the
  // longest text): the text of that value in a value list, in a bit list
  // the text of the lowest bit set; blanks when none belongs to it.
  std::string TextForValue(const t_liste* textLists, std::int64_t value) const;
  // The record with the project's texts: the field's list, else the first
  // list, else none. Keeps the text length it writes.
  void WriteBinaryWith(ByteSink& out, const t_liste* textLists) const;
  // Moves the texts of a read record into a new list of the project.
  void AdoptRecordTexts(ListPtr& textLists, Translator& translator);

  void WriteRunLines(RunWriter& out) const override;
  // Keeps the record's texts (recordTexts) until AdoptRecordTexts.
  bool ReadBinary(const ByteReader& read) override;
  void ParseWith(std::string_view rest, const t_liste* fonts) override;
  void DrawWith(tview& view, int mode, const FieldContext& context) const override;
  std::string FormatFields() const override;
  void UpdateExtent() override;
  std::unique_ptr<t_objekt> Clone() const override;
  // Without the project's lists: the texts of a read record, else none.
  void WriteBinary(ByteSink& out) const override;
  bool UsesVariable(std::int16_t variable) const override;
  void CollectReferences(std::vector<std::int16_t>& variables,
                         std::vector<std::int16_t>& textLists) const override;
  bool UsesTextList(std::int16_t list) const override;
  void RenumberVariable(std::int16_t from, std::int16_t to) override;
  void RenumberTextList(std::int16_t from, std::int16_t to) override;

 protected:
  explicit tTeLiObj(std::uint8_t kind);

 private:
  void WriteRecord(ByteSink& out, bool valueList, const std::vector<RecordText>& texts) const;

  // Derived from the list; the binary record stores what it wrote.
  mutable std::uint8_t textLength_ = 0;
  std::uint16_t textList_ = 0;
  std::int16_t variable_ = 0;
  std::vector<RecordText> recordTexts_;
  bool recordValueList_ = false;
  bool hasRecord_ = false;
};

class tEdLiObj : public tTeLiObj {
 public:
  tEdLiObj() : tTeLiObj(kKindEditListe) {}
};

// --- graphs --------------------------------------------------------------------------

// Two opposite corners and the symbol of the graph.
class t_graf : public t_punktobjekt {
 public:
  void SetCorners(double x1, double y1, double x2, double y2);
  double lower() const { return lower_; }
  double upper() const { return upper_; }
  void SetRange(double lower, double upper);

  bool HitTest(std::int16_t x, std::int16_t y) const override;
  void UpdateExtent() override;
  // Graphs are resized and mirrored, never rotated.
  void Rotate(double centreX, double centreY, int degrees) override;

 protected:
  explicit t_graf(std::uint8_t kind) : t_punktobjekt(kind, 2) {}
  // The rectangle in the style of the mode, then the inverting symbol style.
  void DrawFrameAndSymbolStyle(tview& view, int mode) const;

  double lower_ = 0;
  double upper_ = 0;
};

class t_bargraf : public t_graf {
 public:
  t_bargraf();
  std::uint8_t direction() const { return direction_; }
  void SetDirection(std::uint8_t direction) { direction_ = direction; }
  std::int16_t variable() const { return variable_; }
  void SetVariable(std::int16_t variable) { variable_ = variable; }

  void WriteRunLines(RunWriter& out) const override;
  bool ReadBinary(const ByteReader& read) override;
  void ParseFields(std::string_view rest) override;
  void Draw(tview& view, int mode) const override;
  // The running bar: the rectangle's outline in the pen colour and the part
  // of `fraction` (0..1) filled from the side the bar grows from.
  void DrawLevel(tview& view, int mode, double fraction) const;
  // The share of the bar a value fills, 0..1 (0 when the range is empty).
  double FractionOf(double value) const;
  std::string FormatFields() const override;
  std::unique_ptr<t_objekt> Clone() const override;
  void WriteBinary(ByteSink& out) const override;
  bool UsesVariable(std::int16_t variable) const override;
  void CollectReferences(std::vector<std::int16_t>& variables,
                         std::vector<std::int16_t>& textLists) const override;
  void RenumberVariable(std::int16_t from, std::int16_t to) override;

 private:
  std::uint8_t direction_ = 3;
  std::int16_t variable_ = 0;
};

class t_plotgraf : public t_graf {
 public:
  t_plotgraf();
  std::uint8_t orientation() const { return orientation_; }
  std::uint8_t timePerPixel() const { return timePerPixel_; }
  std::uint8_t timeAxis() const { return timeAxis_; }
  std::uint8_t scaleColour() const { return scaleColour_; }
  std::uint16_t valueVariable() const { return valueVariable_; }
  std::uint16_t statusVariable() const { return statusVariable_; }
  void SetAxis(std::uint8_t orientation, std::uint8_t timePerPixel, std::uint8_t timeAxis,
               std::uint8_t scaleColour);
  void SetVariables(std::uint16_t value, std::uint16_t status);

  void WriteRunLines(RunWriter& out) const override;
  bool ReadBinary(const ByteReader& read) override;
  void ParseFields(std::string_view rest) override;
  void Draw(tview& view, int mode) const override;
  // The running plot: the rectangle, the time axis as the editor shows it,
  // and the samples (oldest first) as a curve in the pen colour, one pixel
  // of time per sample, the newest at the far end of the time axis.
  void DrawSamples(tview& view, int mode, const std::vector<double>& samples) const;
  // How many samples the graph shows: one per pixel along its time axis.
  int SampleCapacity() const;
  std::string FormatFields() const override;
  std::string FontFile() const override { return kScaleFont; }
  std::unique_ptr<t_objekt> Clone() const override;
  void WriteBinary(ByteSink& out) const override;
  bool UsesVariable(std::int16_t variable) const override;
  void CollectReferences(std::vector<std::int16_t>& variables,
                         std::vector<std::int16_t>& textLists) const override;
  void RenumberVariable(std::int16_t from, std::int16_t to) override;

 private:
  void DrawTimeAxis(tview& view, int mode) const;

  std::uint8_t orientation_ = 0;
  std::uint8_t timePerPixel_ = 1;
  std::uint8_t timeAxis_ = 1;
  std::uint8_t scaleColour_ = 15;
  std::uint16_t valueVariable_ = 1;
  std::uint16_t statusVariable_ = 1;
};

// --- operations that reach into groups -------------------------------------------------

// Draws an object (a group: its members) with the context's text lists and clock.
void DrawObject(const t_objekt& object, tview& view, int mode, const FieldContext& context);
// Reads a project line's fields with the catalogue's font list (null: no lookup).
void ParseObjectFields(t_objekt& object, std::string_view rest, const t_liste* fonts);
// The binary record with the project's text lists.
void WriteObjectBinary(const t_objekt& object, ByteSink& out, const t_liste* textLists);
// Refreshes the text length and extent of text list output fields (also in
// groups, whose extents follow).
void UpdateTextListExtents(t_objekt& object, const t_liste* textLists);
// Moves the texts of text list records read from binary data into new
// lists of the project (also in groups).
void AdoptRecordTextLists(t_objekt& object, ListPtr& textLists, Translator& translator);

}  // namespace tavo

#pragma once
// What the exchange files (alarm, variable and text list files, picture
// exchange files and symbols) have in common: their bytes as text lines,
// the comma-separated fields of the alarm and variable files, and the
// messages a reader collects about lines it could not take.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "shell/texts.h"

namespace tavo {

class Translator;

// One thing a reader met: the line it concerns (1-based; 0 for the whole
// file), what happened and the text that fills the message's "%s".
struct ExchangeMessage {
  int line = 0;
  TextId id{0, 0, ""};
  std::string detail;
};

// The message as the user reads it: «Zeile 7: '1x' ist kein gültiger
// Integerwert».
std::string ExchangeMessageText(const ExchangeMessage& message, Translator& translator);
// The messages as lines of one box ("\r" between them), at most `limit`;
// the rest counted in a last line. Empty without messages.
std::string ExchangeMessageLines(const std::vector<ExchangeMessage>& messages,
                                 Translator& translator, std::size_t limit = 12);

// The file's bytes as code page 1252 text. A file a spreadsheet program
// saved as UTF-8 (with or without a byte order mark) is converted; then
// `converted` is set and `unmapped` counts characters without a code page
// 1252 form (they become '?').
struct ExchangeText {
  std::string text;
  bool converted = false;
  std::size_t unmapped = 0;
};
ExchangeText DecodeExchangeBytes(std::string_view bytes);

// Physical lines of a text: CR LF, LF or CR ended; the last line may lack
// its end. Every line keeps its 1-based number.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : text_(text) {}
  // False at the end of the text.
  bool Next(std::string_view& line);
  // Passes over blank lines and the heading line after them.
  void SkipHeader() {
    std::string_view line;
    while (Next(line) && line.empty()) {
    }
  }
  int LineNumber() const { return number_; }
  bool AtEnd() const { return pos_ >= text_.size(); }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  int number_ = 0;
};

// --- comma-separated fields ----------------------------------------------------

// The field as the alarm and variable files write it: as it stands, or, when
// it holds a ",", a double quote or a line break, in double quotes with inner
// quotes doubled, as spreadsheet programs write such a field.
std::string CsvField(const std::string& text);

// One record of a comma-separated file: its fields, the line it began on,
// and whether a quoted field held a line break (the record then spans lines;
// the break is given back as a blank, for no record text can hold one).
struct CsvRecord {
  std::vector<std::string> fields;
  int line = 0;
  bool lineBreakInText = false;
};

// Reads the next record; false at the end. Empty lines are skipped. A field
// that begins with a double quote runs to the closing quote (doubled quotes
// are one quote, line breaks are taken in); any other field runs to the
// next ",". A "," that ends a line starts no field of its own, so a line
// that lost its trailing "," reads the same.
bool NextCsvRecord(LineCursor& lines, CsvRecord& record);

// A whole decimal number (blanks around it allowed) in [low, high].
bool ParseDecimal(std::string_view text, std::int64_t low, std::int64_t high, std::int32_t& value);

// The text with its first "%s" replaced by `value`.
std::string FillIn(std::string text, const std::string& value);

}  // namespace tavo

#include <algorithm>
#include <cstdio>

#include "objects/fields/fields.h"
#include "project/runwriter.h"

namespace tavo {

namespace {

// The AM and PM texts take exactly this many characters in the record.
constexpr std::size_t kDayTextBytes = 3;

// Two characters, right-aligned; a leading blank becomes "0" on request.
std::string TwoDigits(int value, bool leadingZero) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, leadingZero ? "%02d" : "%2d", value);
  return buffer;
}

LocalTime NowOf(const FieldContext& context) {
  return context.now ? *context.now : CurrentLocalTime();
}

void PutChar(ByteSink& out, char c) {
  PutU8(out, static_cast<std::uint8_t>(c));
}

// A separator is one character in the record; an empty one is the zero byte.
void PutSeparator(ByteSink& out, const std::string& separator) {
  const std::string first = ToTerminalCharset(separator.substr(0, 1));
  PutChar(out, first.empty() ? '\0' : first[0]);
}

void ReadSeparator(BinaryIn& in, std::string& separator) {
  std::uint8_t c = 0;
  if (!in.U8(c)) return;
  separator = c == 0 ? std::string() : FromTerminalCharset(std::string(1, static_cast<char>(c)));
}

// AM and PM texts: a length byte 3 and three characters, blank-padded.
void PutDayText(ByteSink& out, const std::string& text) {
  std::string fixed = ToTerminalCharset(text.substr(0, kDayTextBytes));
  fixed.resize(kDayTextBytes, ' ');
  PutU8(out, kDayTextBytes);
  for (char c : fixed) PutChar(out, c);
}

void ReadDayText(BinaryIn& in, std::string& text) {
  std::uint8_t length = 0;
  std::string bytes;
  if (!in.U8(length)) return;
  for (std::size_t i = 0; i < kDayTextBytes; ++i) {
    std::uint8_t c = 0;
    if (!in.U8(c)) return;
    bytes += static_cast<char>(c);
  }
  bytes.resize(std::min<std::size_t>(length, kDayTextBytes));
  text = FromTerminalCharset(bytes);
}

}  // namespace

// --- time ---------------------------------------------------------------------------

tZeitObj::tZeitObj() : t_feldobjekt(kKindZeit) {}

void tZeitObj::SetFormat(std::uint8_t flags, std::string am, std::string pm,
                         std::string separator) {
  flags_ = flags;
  am_ = std::move(am);
  pm_ = std::move(pm);
  separator_ = std::move(separator);
  UpdateExtent();
}

std::string tZeitObj::TimeText(const LocalTime& now) const {
  const bool full = (flags_ & k24Hours) != 0;
  int hour = now.hour;
  const bool afternoon = hour > 11;
  if (!full) {
    hour %= 12;
    if (hour == 0) hour = 12;
  }
  std::string text =
      TwoDigits(hour, (flags_ & kLeadingZero) != 0) + separator_ + TwoDigits(now.minute, true);
  if (!full) text += afternoon ? pm_ : am_;
  return text;
}

void tZeitObj::UpdateExtent() {
  std::size_t cells = 4 + separator_.size();
  if ((flags_ & k24Hours) == 0) cells += pm_.size();
  ExtentOfCells(static_cast<double>(cells));
}

std::string tZeitObj::FormatFields() const {
  return Bracketed(FormatCommonFields() + ";" + RealToText(x()) + ";" + RealToText(y()) + ";" +
                   Quote(font_) + ";" + IntToText(flags_) + ";" + Quote(am_) + ";" + Quote(pm_) +
                   ";" + Quote(separator_));
}

void tZeitObj::ParseWith(std::string_view rest, const t_liste* fonts) {
  ParseCommonFields(rest);
  ParsePosition(rest);
  font_ = Unquote(NextToken(rest));
  flags_ = static_cast<std::uint8_t>(TextToInt(NextToken(rest)));
  am_ = Unquote(NextToken(rest));
  pm_ = Unquote(NextToken(rest));
  separator_ = Unquote(NextToken(rest));
  LookUpCell(fonts);
  UpdateExtent();
}

void tZeitObj::WriteRunLines(RunWriter& out) const {
  out.Line(RunLinePrefix() + RunAttributes() + RunPosition() + ";" + Quote(font_) + ";" +
           IntToText(flags_) + ";" + Quote(ToTerminalCharset(am_)) + ";" +
           Quote(ToTerminalCharset(pm_)) + ";" + Quote(ToTerminalCharset(separator_)) + ")");
}

void tZeitObj::WriteBinary(ByteSink& out) const {
  PutU8(out, Kind());
  WriteAttributes(out);
  WritePosition(out);
  WriteFontAndCell(out);
  PutU8(out, flags_);
  PutDayText(out, am_);
  PutDayText(out, pm_);
  PutSeparator(out, separator_);
  WriteSwitching(out);
}

bool tZeitObj::ReadBinary(const ByteReader& read) {
  BinaryIn in(read);
  ReadAttributes(in);
  ReadPosition(in);
  ReadFontAndCell(in);
  in.U8(flags_);
  ReadDayText(in, am_);
  ReadDayText(in, pm_);
  ReadSeparator(in, separator_);
  ReadSwitching(in);
  UpdateExtent();
  return in.ok();
}

void tZeitObj::DrawWith(tview& view, int mode, const FieldContext& context) const {
  const std::string text = TimeText(NowOf(context));
  t_objekt::Draw(view, mode);
  if (mode == kDrawNormal)
    DrawText(view, fillColour() != 255, ToTerminalCharset(text));
  else
    DrawBlock(view, text.size());
}

std::unique_ptr<t_objekt> tZeitObj::Clone() const {
  auto copy = std::make_unique<tZeitObj>();
  CopyFieldTo(*copy);
  copy->flags_ = flags_;
  copy->am_ = am_;
  copy->pm_ = pm_;
  copy->separator_ = separator_;
  return copy;
}

// --- date ---------------------------------------------------------------------------

tDatumObj::tDatumObj() : t_feldobjekt(kKindDatum) {}

void tDatumObj::SetFormat(std::uint8_t flags, std::string separator) {
  flags_ = flags;
  separator_ = std::move(separator);
  UpdateExtent();
}

std::string tDatumObj::DateText(const LocalTime& now) const {
  const std::string day = TwoDigits(now.day, (flags_ & kDayZero) != 0);
  const std::string month = TwoDigits(now.month, (flags_ & kMonthZero) != 0);
  char buffer[16];
  if (flags_ & kCentury)
    std::snprintf(buffer, sizeof buffer, "%04d", now.year % 10000);
  else
    std::snprintf(buffer, sizeof buffer, "%02d", now.year % 100);
  const std::string year = buffer;
  const std::string& s = separator_;
  if (flags_ & kMonthDayYear) return month + s + day + s + year;
  if (flags_ & kDayMonthYear) return day + s + month + s + year;
  if (flags_ & kYearMonthDay) return year + s + month + s + day;
  // A format without an order bit shows the German order.
  return day + s + month + s + year;
}

void tDatumObj::UpdateExtent() {
  ExtentOfCells((flags_ & kCentury) ? 10 : 8);
}

std::string tDatumObj::FormatFields() const {
  return Bracketed(FormatCommonFields() + ";" + RealToText(x()) + ";" + RealToText(y()) + ";" +
                   Quote(font_) + ";" + IntToText(flags_) + ";" + Quote(separator_));
}

void tDatumObj::ParseWith(std::string_view rest, const t_liste* fonts) {
  ParseCommonFields(rest);
  ParsePosition(rest);
  font_ = Unquote(NextToken(rest));
  flags_ = static_cast<std::uint8_t>(TextToInt(NextToken(rest)));
  separator_ = Unquote(NextToken(rest));
  LookUpCell(fonts);
  UpdateExtent();
}

void tDatumObj::WriteRunLines(RunWriter& out) const {
  out.Line(RunLinePrefix() + RunAttributes() + RunPosition() + ";" + Quote(font_) + ";" +
           IntToText(flags_) + ";" + Quote(ToTerminalCharset(separator_)) + ")");
}

void tDatumObj::WriteBinary(ByteSink& out) const {
  PutU8(out, Kind());
  WriteAttributes(out);
  WritePosition(out);
  WriteFontAndCell(out);
  PutU8(out, flags_);
  PutSeparator(out, separator_);
  WriteSwitching(out);
}

bool tDatumObj::ReadBinary(const ByteReader& read) {
  BinaryIn in(read);
  ReadAttributes(in);
  ReadPosition(in);
  ReadFontAndCell(in);
  in.U8(flags_);
  ReadSeparator(in, separator_);
  ReadSwitching(in);
  UpdateExtent();
  return in.ok();
}

void tDatumObj::DrawWith(tview& view, int mode, const FieldContext& context) const {
  const std::string text = DateText(NowOf(context));
  t_objekt::Draw(view, mode);
  if (mode == kDrawNormal)
    DrawText(view, fillColour() != 255, ToTerminalCharset(text));
  else
    DrawBlock(view, text.size());
}

std::unique_ptr<t_objekt> tDatumObj::Clone() const {
  auto copy = std::make_unique<tDatumObj>();
  CopyFieldTo(*copy);
  copy->flags_ = flags_;
  copy->separator_ = separator_;
  return copy;
}

}  // namespace tavo

#include <algorithm>

#include "objects/fields/fields.h"
#include "project/runwriter.h"

namespace tavo {

namespace {

// The record's length byte holds at most this many characters.
constexpr std::size_t kMaxRecordText = 255;

}  // namespace

ttext::ttext() : t_feldobjekt(kKindText) {}

void ttext::SetText(const std::string& text) {
  text_ = text;
  UpdateExtent();
}

void ttext::UpdateExtent() {
  ExtentOfCells(static_cast<double>(text_.size()));
}

std::string ttext::FormatFields() const {
  return Bracketed(FormatCommonFields() + ";" + RealToText(x()) + ";" + RealToText(y()) + ";" +
                   Quote(text_) + ";" + Quote(font_));
}

void ttext::ParseWith(std::string_view rest, const t_liste* fonts) {
  ParseCommonFields(rest);
  ParsePosition(rest);
  text_ = Unquote(NextToken(rest));
  font_ = Unquote(NextToken(rest));
  LookUpCell(fonts);
  UpdateExtent();
}

void ttext::WriteRunLines(RunWriter& out) const {
  out.Line(RunLinePrefix() + RunAttributes() + RunPosition() + ";" +
           Quote(ToTerminalCharset(text_)) + ";" + Quote(font_) + ")");
}

void ttext::WriteBinary(ByteSink& out) const {
  if (font_.empty()) font_ = kDefaultFieldFont;
  // A longer text would not fit the length byte and put the rest of the
  // record out of step; the terminal gets the first 255 characters.
  const std::string text = ToTerminalCharset(text_.substr(0, kMaxRecordText));
  PutU8(out, Kind());
  WriteAttributes(out);
  WritePosition(out);
  PutU8(out, static_cast<std::uint8_t>(text.size()));
  for (char c : text) PutU8(out, static_cast<std::uint8_t>(c));
  WriteFontAndCell(out);
  WriteSwitching(out);
}

bool ttext::ReadBinary(const ByteReader& read) {
  BinaryIn in(read);
  ReadAttributes(in);
  ReadPosition(in);
  std::uint8_t length = 0;
  if (in.U8(length)) {
    std::string text;
    for (std::uint8_t i = 0; i < length; ++i) {
      std::uint8_t c = 0;
      if (!in.U8(c)) break;
      text += static_cast<char>(c);
    }
    text_ = FromTerminalCharset(text);
  }
  ReadFontAndCell(in);
  ReadSwitching(in);
  UpdateExtent();
  return in.ok();
}

void ttext::DrawWith(tview& view, int mode, const FieldContext&) const {
  t_objekt::Draw(view, mode);
  if (mode == kDrawNormal)
    DrawText(view, fillColour() != 255, ToTerminalCharset(text_));
  else
    DrawBlock(view, text_.size());
}

std::unique_ptr<t_objekt> ttext::Clone() const {
  auto copy = std::make_unique<ttext>();
  CopyFieldTo(*copy);
  copy->text_ = text_;
  return copy;
}

}  // namespace tavo

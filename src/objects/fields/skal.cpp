#include <algorithm>
#include <cmath>

#include "objects/fields/fields.h"
#include "objects/objectkinds.h"
#include "project/runwriter.h"

namespace tavo {

namespace {

std::uint8_t CountOf(std::size_t n) {
  return static_cast<std::uint8_t>(std::min<std::size_t>(n, 255));
}

// Reals from text that the binary form cannot carry read as 0.
double FiniteOrZero(long double value) {
  const auto v = static_cast<double>(value);
  return std::isfinite(v) ? v : 0;
}

}  // namespace

tSkalAus::tSkalAus(std::uint8_t kind) : t_feldobjekt(kind) {}

void tSkalAus::SetDigits(std::uint8_t digits, std::uint8_t decimals) {
  digits_ = digits;
  decimals_ = decimals;
  UpdateExtent();
}

void tSkalAus::SetConversion(double m, double b) {
  m_ = m;
  b_ = b;
}

std::string tSkalAus::FormatText() const {
  std::string format(digits_, '#');
  if (decimals_ > 0) format.append(".").append(static_cast<std::size_t>(decimals_), '#');
  return format;
}

void tSkalAus::UpdateExtent() {
  int cells = 2;
  if (digits_ > 0)
    cells = decimals_ > 0 ? digits_ + decimals_ + 1 : digits_;
  else if (decimals_ > 0)
    cells = decimals_ + 2;
  ExtentOfCells(cells);
}

std::string tSkalAus::FormatFields() const {
  return Bracketed(FormatCommonFields() + ";" + RealToText(x()) + ";" + RealToText(y()) + ";" +
                   Quote(font_) + ";" + Quote(FormatText()) + ";" + RealToText(m_) + ";" +
                   RealToText(b_) + ";" + IntToText(variable_));
}

void tSkalAus::ParseWith(std::string_view rest, const t_liste* fonts) {
  ParseCommonFields(rest);
  ParsePosition(rest);
  font_ = Unquote(NextToken(rest));
  const std::string format = Unquote(NextToken(rest));
  const std::size_t point = format.find('.');
  if (point == std::string::npos) {
    digits_ = CountOf(format.size());
    decimals_ = 0;
  } else {
    digits_ = CountOf(point);
    decimals_ = CountOf(format.size() - point - 1);
  }
  m_ = FiniteOrZero(TextToReal(NextToken(rest)));
  b_ = FiniteOrZero(TextToReal(NextToken(rest)));
  variable_ = static_cast<std::uint16_t>(TextToInt(NextToken(rest)));
  LookUpCell(fonts);
  UpdateExtent();
}

void tSkalAus::WriteRunLines(RunWriter& out) const {
  out.Line(RunLinePrefix() + RunAttributes() + RunPosition() + ";" + Quote(font_) + ";" +
           Quote(FormatText()) + ";" + RealToText(m_) + ";" + RealToText(b_) + ";" +
           IntToText(variable_) + ")");
}

void tSkalAus::WriteBinary(ByteSink& out) const {
  PutU8(out, Kind());
  WriteAttributes(out);
  WritePosition(out);
  WriteFontAndCell(out);
  PutU8(out, digits_);
  PutU8(out, decimals_);
  PutReal48(out, m_);
  PutReal48(out, b_);
  PutI16(out, static_cast<std::int16_t>(variable_));
  WriteSwitching(out);
}

bool tSkalAus::ReadBinary(const ByteReader& read) {
  BinaryIn in(read);
  ReadAttributes(in);
  ReadPosition(in);
  ReadFontAndCell(in);
  in.U8(digits_);
  in.U8(decimals_);
  in.Real(m_);
  in.Real(b_);
  std::int16_t variable = 0;
  if (in.I16(variable)) variable_ = static_cast<std::uint16_t>(variable);
  ReadSwitching(in);
  UpdateExtent();
  return in.ok();
}

void tSkalAus::DrawWith(tview& view, int mode, const FieldContext& context) const {
  if (context.values && mode == kDrawNormal) {
    const double raw = static_cast<double>(context.values->Value(variable_));
    t_objekt::Draw(view, mode);
    DrawText(view, fillColour() != 255, FieldNumberText(m_ * raw + b_, digits_, decimals_));
    return;
  }
  const std::string placeholder = FormatText();
  t_objekt::Draw(view, mode);
  if (mode == kDrawNormal)
    DrawText(view, fillColour() != 255, placeholder);
  else
    DrawBlock(view, placeholder.size());
}

std::unique_ptr<t_objekt> tSkalAus::Clone() const {
  ObjectPtr copy = CreateObjectOfKind(Kind());
  auto* field = dynamic_cast<tSkalAus*>(copy.get());
  if (!field) return nullptr;
  CopyFieldTo(*field);
  field->variable_ = variable_;
  field->digits_ = digits_;
  field->decimals_ = decimals_;
  field->m_ = m_;
  field->b_ = b_;
  return copy;
}

void tSkalAus::CollectReferences(std::vector<std::int16_t>& variables,
                                 std::vector<std::int16_t>& textLists) const {
  t_objekt::CollectReferences(variables, textLists);
  variables.push_back(static_cast<std::int16_t>(variable_));
}

bool tSkalAus::UsesVariable(std::int16_t variable) const {
  return t_objekt::UsesVariable(variable) || variable_ == static_cast<std::uint16_t>(variable);
}

void tSkalAus::RenumberVariable(std::int16_t from, std::int16_t to) {
  t_objekt::RenumberVariable(from, to);
  if (variable_ == static_cast<std::uint16_t>(from)) variable_ = static_cast<std::uint16_t>(to);
}

}  // namespace tavo

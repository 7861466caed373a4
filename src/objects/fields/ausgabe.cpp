#include <algorithm>

#include "objects/fields/fields.h"
#include "objects/objectkinds.h"
#include "project/runwriter.h"

namespace tavo {

namespace {

constexpr double kFactors[] = {0.001, 0.01, 0.1, 1, 10, 100, 1000};

std::uint8_t CountOf(std::size_t n) {
  return static_cast<std::uint8_t>(std::min<std::size_t>(n, 255));
}

}  // namespace

std::uint8_t FactorCodeOf(double factor) {
  std::uint8_t code = 1;
  for (double threshold : {0.005, 0.05, 0.5, 5.0, 50.0, 500.0})
    if (factor > threshold) ++code;
  return code;
}

tausobj::tausobj(std::uint8_t kind) : t_feldobjekt(kind) {}

void tausobj::SetDisplay(bool text, std::uint8_t digits, std::uint8_t decimals) {
  textDisplay_ = text ? 1 : 0;
  digits_ = digits;
  decimals_ = decimals;
  UpdateExtent();
}

std::string tausobj::FormatText() const {
  if (textDisplay()) return std::string(digits_, '$');
  std::string format(digits_, '#');
  if (decimals_ > 0) format.append(".").append(static_cast<std::size_t>(decimals_), '#');
  return format;
}

double tausobj::Factor() const {
  return factorCode_ >= 1 && factorCode_ <= 7 ? kFactors[factorCode_ - 1] : 1;
}

int tausobj::Cells() const {
  if (textDisplay()) return digits_;
  if (digits_ > 0) return decimals_ > 0 ? digits_ + decimals_ + 1 : digits_;
  // Without digits before the point the field keeps room for "0.".
  return decimals_ > 0 ? decimals_ + 2 : 2;
}

void tausobj::UpdateExtent() {
  ExtentOfCells(Cells());
}

std::string tausobj::FormatFields() const {
  return Bracketed(FormatCommonFields() + ";" + RealToText(x()) + ";" + RealToText(y()) + ";" +
                   Quote(font_) + ";" + RealToText(Factor()) + ";" + IntToText(variable_) + ";" +
                   Quote(FormatText()));
}

void tausobj::ParseWith(std::string_view rest, const t_liste* fonts) {
  ParseCommonFields(rest);
  ParsePosition(rest);
  font_ = Unquote(NextToken(rest));
  factorCode_ = FactorCodeOf(static_cast<double>(TextToReal(NextToken(rest))));
  variable_ = static_cast<std::int16_t>(TextToInt(NextToken(rest)));
  const std::string format = Unquote(NextToken(rest));
  // The project file does not carry the first character of a text display.
  textDisplay_ = !format.empty() && format[0] == '$' ? 1 : 0;
  const std::size_t point = format.find('.');
  if (textDisplay() || point == std::string::npos) {
    digits_ = CountOf(format.size());
    decimals_ = 0;
  } else {
    digits_ = CountOf(point);
    decimals_ = CountOf(format.size() - point - 1);
  }
  LookUpCell(fonts);
  UpdateExtent();
}

void tausobj::WriteRunLines(RunWriter& out) const {
  out.Line(RunLinePrefix() + RunAttributes() + RunPosition() + ";" + Quote(font_) + ";" +
           RealToText(Factor()) + ";" + IntToText(variable_) + ";" + Quote(FormatText()) + ")");
}

void tausobj::WriteBinary(ByteSink& out) const {
  PutU8(out, Kind());
  WriteAttributes(out);
  WritePosition(out);
  WriteFontAndCell(out);
  PutU8(out, textDisplay_);
  PutU8(out, digits_);
  PutU8(out, decimals_);
  PutU8(out, factorCode_);
  // The barcode record lacks the repeated cell size.
  if (Kind() != kKindBarcode) {
    PutU8(out, cellWidth());
    PutU8(out, cellHeight());
  }
  PutI16(out, variable_);
  WriteSwitching(out);
}

bool tausobj::ReadBinary(const ByteReader& read) {
  BinaryIn in(read);
  ReadAttributes(in);
  ReadPosition(in);
  ReadFontAndCell(in);
  in.U8(textDisplay_);
  in.U8(digits_);
  in.U8(decimals_);
  in.U8(factorCode_);
  if (Kind() != kKindBarcode) {
    std::uint8_t width = cellWidth(), height = cellHeight();
    in.U8(width);
    in.U8(height);
    SetCell(height, width);
  }
  in.I16(variable_);
  ReadSwitching(in);
  UpdateExtent();
  return in.ok();
}

void tausobj::DrawWith(tview& view, int mode, const FieldContext& context) const {
  if (context.values && mode == kDrawNormal) {
    const auto variable = static_cast<std::uint16_t>(variable_);
    std::string shown;
    if (textDisplay()) {
      shown = context.values->Text(variable).substr(0, digits_);
      shown.resize(digits_, ' ');
      shown = ToTerminalCharset(shown);
    } else {
      shown = FieldNumberText(static_cast<double>(context.values->Value(variable)) * Factor(),
                              digits_, decimals_);
    }
    t_objekt::Draw(view, mode);
    DrawText(view, false, shown);
    return;
  }
  const std::string placeholder = FormatText();
  t_objekt::Draw(view, mode);
  // The terminal writes the value over whatever lies below, so the
  // placeholder has no background.
  if (mode == kDrawNormal)
    DrawText(view, false, placeholder);
  else
    DrawBlock(view, placeholder.size());
}

std::unique_ptr<t_objekt> tausobj::Clone() const {
  ObjectPtr copy = CreateObjectOfKind(Kind());
  auto* field = dynamic_cast<tausobj*>(copy.get());
  if (!field) return nullptr;
  CopyFieldTo(*field);
  field->textDisplay_ = textDisplay_;
  field->variable_ = variable_;
  field->digits_ = digits_;
  field->decimals_ = decimals_;
  field->factorCode_ = factorCode_;
  return copy;
}

void tausobj::CollectReferences(std::vector<std::int16_t>& variables,
                                std::vector<std::int16_t>& textLists) const {
  t_objekt::CollectReferences(variables, textLists);
  variables.push_back(variable_);
}

bool tausobj::UsesVariable(std::int16_t variable) const {
  return t_objekt::UsesVariable(variable) || variable_ == variable;
}

void tausobj::RenumberVariable(std::int16_t from, std::int16_t to) {
  t_objekt::RenumberVariable(from, to);
  if (variable_ == from) variable_ = to;
}

}  // namespace tavo

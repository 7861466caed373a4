#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "objects/bitmap/tqvxbitmap.h"
#include "objects/fields/fields.h"
#include "objects/gruppe.h"
#include "objects/rounding.h"
#include "resources/fontcatalog.h"

namespace tavo {

namespace {

// Bytes of a font name in the binary records: the system's font files have
// 8.3 names of exactly 12 characters.
constexpr std::size_t kFontBytes = 12;

std::uint8_t CellOf(std::int16_t value) {
  return static_cast<std::uint8_t>(std::clamp<int>(value, 0, 255));
}

}  // namespace

bool SwitchingShows(const t_schaltung& rule, std::int64_t value) {
  const auto v = static_cast<double>(value);
  const auto mask = static_cast<std::int64_t>(std::llround(std::clamp(rule.value, 0.0, 65535.0)));
  switch (rule.action) {
    case 1:
      return v < rule.value;
    case 2:
      return v <= rule.value;
    case 3:
      return v == rule.value;
    case 4:
      return v >= rule.value;
    case 5:
      return v > rule.value;
    case 6:
      return v != rule.value;
    case 7:
      return (value & mask) == 0;
    case 8:
      return (value & mask) == mask;
    default:  // no rule, or one the terminal does not know: always shown
      return true;
  }
}

std::string FieldNumberText(double value, int digits, int decimals) {
  digits = std::clamp(digits, 0, 255);
  decimals = std::clamp(decimals, 0, 255);
  int cells = 2;
  if (digits > 0)
    cells = decimals > 0 ? digits + decimals + 1 : digits;
  else if (decimals > 0)
    cells = decimals + 2;
  if (!std::isfinite(value)) return std::string(static_cast<std::size_t>(cells), '*');
  // A value that rounds to zero shows no sign.
  if (std::fabs(value) < 0.5 * std::pow(10.0, -std::min(decimals, 30))) value = 0;
  char buffer[64];
  std::string text;
  if (std::fabs(value) < 1e30) {
    std::snprintf(buffer, sizeof buffer, "%.*f", std::min(decimals, 30), value);
    text = buffer;
  }
  if (text.empty() || text.size() > static_cast<std::size_t>(cells))
    return std::string(static_cast<std::size_t>(cells), '*');
  return std::string(static_cast<std::size_t>(cells) - text.size(), ' ') + text;
}

LocalTime CurrentLocalTime(int* seconds) {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  if (seconds) *seconds = parts.tm_sec;
  return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min};
}

// --- t_feldobjekt ---------------------------------------------------------------

void t_feldobjekt::SetPosition(double x, double y) {
  x_ = ClampCoordinate(x);
  y_ = ClampCoordinate(y);
}

void t_feldobjekt::SetCell(std::uint8_t height, std::uint8_t width) {
  cellHeight_ = height;
  cellWidth_ = width;
}

void t_feldobjekt::LookUpCell(const t_liste* fonts) {
  for (const t_liste* n = fonts; n; n = n->next()) {
    const auto* entry = dynamic_cast<const t_fonteintrag*>(n);
    if (entry && entry->fileName == font_) {
      SetCell(CellOf(entry->height), CellOf(entry->width));
      return;
    }
  }
}

bool t_feldobjekt::HitTest(std::int16_t x, std::int16_t y) const {
  const TermRect e = GetExtent();
  return e.left <= x && x <= e.right && e.top <= y && y <= e.bottom;
}

void t_feldobjekt::MoveBy(std::int16_t dx, std::int16_t dy) {
  SetPosition(x_ + dx, y_ + dy);
}

void t_feldobjekt::CopyFieldTo(t_feldobjekt& copy) const {
  CopyCommonTo(copy);
  copy.x_ = x_;
  copy.y_ = y_;
  copy.font_ = font_;
  copy.cellHeight_ = cellHeight_;
  copy.cellWidth_ = cellWidth_;
}

void t_feldobjekt::ExtentOfCells(double cells, double inset) {
  SetExtent({x_, y_, x_ + cells * cellWidth_ - inset, y_ + cellHeight_ - inset});
}

std::string t_feldobjekt::RunAttributes() const {
  std::string text;
  for (int field : {penColour(), penWidth(), penStyle(), fillColour(), fillPattern()}) {
    text += ';';
    text += IntToText(field);
  }
  return text;
}

std::string t_feldobjekt::RunPosition() const {
  std::string text = ";";
  AppendInt(text, RoundToI32(x_));
  text += ';';
  AppendInt(text, RoundToI32(y_));
  return text;
}

void t_feldobjekt::ParsePosition(std::string_view& rest) {
  const double x = static_cast<double>(TextToReal(NextToken(rest)));
  const double y = static_cast<double>(TextToReal(NextToken(rest)));
  SetPosition(x, y);
}

void t_feldobjekt::WritePosition(ByteSink& out) const {
  PutI16(out, RoundToI16(x_));
  PutI16(out, RoundToI16(y_));
}

void t_feldobjekt::ReadPosition(BinaryIn& in) {
  std::int16_t x = 0, y = 0;
  if (in.I16(x) && in.I16(y)) SetPosition(x, y);
}

void t_feldobjekt::WriteFontAndCell(ByteSink& out) const {
  // Shorter names are padded with zero bytes, longer ones cut.
  for (std::size_t i = 0; i < kFontBytes; ++i)
    PutU8(out, i < font_.size() ? static_cast<std::uint8_t>(font_[i]) : 0);
  PutU8(out, cellHeight_);
  PutU8(out, cellWidth_);
}

void t_feldobjekt::ReadFontAndCell(BinaryIn& in) {
  std::string name;
  for (std::size_t i = 0; i < kFontBytes; ++i) {
    std::uint8_t c = 0;
    if (!in.U8(c)) return;
    name += static_cast<char>(c);
  }
  // The name ends at the first zero byte; trailing blanks are padding too.
  name.resize(std::min(name.find('\0'), name.size()));
  while (!name.empty() && name.back() == ' ') name.pop_back();
  font_ = name;
  in.U8(cellHeight_);
  in.U8(cellWidth_);
}

void t_feldobjekt::DrawText(tview& view, bool opaque, const std::string& text) const {
  if (text.empty()) return;
  view.SetFontName(font_);
  view.Text(static_cast<int>(std::trunc(x_)), static_cast<int>(std::trunc(y_)), opaque, text);
}

void t_feldobjekt::DrawBlock(tview& view, std::size_t cells, int inset) const {
  // The position is kept inside the 16-bit range and a field has at most
  // 255 x 255 cells, so the edges fit an int.
  const int left = static_cast<int>(std::trunc(x_));
  const int top = static_cast<int>(std::trunc(y_));
  const int width = static_cast<int>(std::min<std::size_t>(cells, 65535)) * cellWidth_;
  view.Rectangle(left, top, left + width - inset, top + cellHeight_ - inset);
}

// --- operations that reach into groups ----------------------------------------------

namespace {

template <class Fn>
void EachMember(const t_gruppe& group, Fn&& fn) {
  for (const t_liste* n = group.FirstMember(); n; n = n->next())
    fn(static_cast<const t_objekt&>(*n));
}

template <class Fn>
void EachMember(t_gruppe& group, Fn&& fn) {
  for (t_liste* n = group.FirstMember(); n; n = n->next()) fn(static_cast<t_objekt&>(*n));
}

}  // namespace

namespace {

// The running forms of the kinds that show values without being fields.
bool DrawRunning(const t_objekt& object, tview& view, int mode, const FieldValues& values) {
  switch (object.Kind()) {
    case kKindBargraf:
      if (const auto* bar = dynamic_cast<const t_bargraf*>(&object)) {
        bar->DrawLevel(view, mode,
                       bar->FractionOf(static_cast<double>(
                           values.Value(static_cast<std::uint16_t>(bar->variable())))));
        return true;
      }
      return false;
    case kKindPlotgraf:
      if (const auto* plot = dynamic_cast<const t_plotgraf*>(&object)) {
        plot->DrawSamples(view, mode, values.Samples(*plot));
        return true;
      }
      return false;
    case kKindBitmap:
      if (const auto* bitmap = dynamic_cast<const tqvxbitmap*>(&object)) {
        if (const Image16* placed = values.PlacedImage(bitmap->identifier)) {
          bitmap->DrawPlaced(view, mode, *placed);
          return true;
        }
      }
      return false;
    default:
      return false;
  }
}

}  // namespace

void DrawObject(const t_objekt& object, tview& view, int mode, const FieldContext& context) {
  if (context.values) {
    const t_schaltung rule = object.GetSwitching();
    if (rule.action != 0 &&
        !SwitchingShows(rule, context.values->Value(static_cast<std::uint16_t>(rule.variable))))
      return;
  }
  if (const auto* group = dynamic_cast<const t_gruppe*>(&object)) {
    EachMember(*group, [&](const t_objekt& m) { DrawObject(m, view, mode, context); });
  } else if (const auto* field = dynamic_cast<const t_feldobjekt*>(&object)) {
    field->DrawWith(view, mode, context);
  } else if (!context.values || !DrawRunning(object, view, mode, *context.values)) {
    object.Draw(view, mode);
  }
}

void ParseObjectFields(t_objekt& object, std::string_view rest, const t_liste* fonts) {
  // Only the text and field kinds are fields: the kind byte passes over
  // shapes, graphs, groups and bitmaps without a failing cast, on every
  // object line a project holds.
  const std::uint8_t kind = object.Kind();
  const bool mayBeField = (kind >= kKindText && kind <= kKindAusgabe) ||
                          (kind >= kKindBarcode && kind <= kKindEditListe);
  if (auto* field = mayBeField ? dynamic_cast<t_feldobjekt*>(&object) : nullptr)
    field->ParseWith(rest, fonts);
  else
    object.ParseFields(rest);
}

void WriteObjectBinary(const t_objekt& object, ByteSink& out, const t_liste* textLists) {
  if (const auto* group = dynamic_cast<const t_gruppe*>(&object)) {
    PutU8(out, kKindGruppe);
    EachMember(*group, [&](const t_objekt& m) { WriteObjectBinary(m, out, textLists); });
    PutU8(out, 255);
  } else if (const auto* list = dynamic_cast<const tTeLiObj*>(&object)) {
    list->WriteBinaryWith(out, textLists);
  } else {
    object.WriteBinary(out);
  }
}

void UpdateTextListExtents(t_objekt& object, const t_liste* textLists) {
  if (auto* group = dynamic_cast<t_gruppe*>(&object)) {
    EachMember(*group, [&](t_objekt& m) { UpdateTextListExtents(m, textLists); });
    group->UpdateExtent();
  } else if (auto* list = dynamic_cast<tTeLiObj*>(&object)) {
    // The input field keeps the length it was given.
    if (list->Kind() == kKindTextListe) list->RefreshTextLength(textLists);
    list->UpdateExtent();
  }
}

void AdoptRecordTextLists(t_objekt& object, ListPtr& textLists, Translator& translator) {
  if (auto* group = dynamic_cast<t_gruppe*>(&object))
    EachMember(*group, [&](t_objekt& m) { AdoptRecordTextLists(m, textLists, translator); });
  else if (auto* list = dynamic_cast<tTeLiObj*>(&object))
    list->AdoptRecordTexts(textLists, translator);
}

}  // namespace tavo

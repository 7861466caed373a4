#include "objects/objekt.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "objects/objectkinds.h"
#include "objects/rounding.h"
#include "project/runwriter.h"

namespace tavo {

namespace {

PenStyle StoredPenStyle(std::uint8_t style) {
  switch (style) {
    case 1:
      return PenStyle::Dash;
    case 2:
      return PenStyle::Dot;
    case 3:
      return PenStyle::DashDot;
    default:
      return PenStyle::Solid;
  }
}

// Terminal pixels of a stored pen width: 1 thin, 2 (3 in binary data) thick.
// Values outside 1..3 draw thin.
int PenPixels(std::uint8_t width) {
  return width == 2 || width == 3 ? 3 : 1;
}

const KindInfo& InfoOf(std::uint8_t kind) {
  static const KindInfo kUnknown{0, "", 0, 0, TextId{0, 0, ""}, nullptr};
  const KindInfo* info = FindKind(kind);
  return info ? *info : kUnknown;
}

constexpr Rgb kWhite = 0xFFFFFF;

}  // namespace

t_objekt::t_objekt(std::uint8_t kind) : treeIcon_(InfoOf(kind).treeIcon), kind_(kind) {}

t_objekt::~t_objekt() = default;

// --- record operations ----------------------------------------------------------

void t_objekt::WriteProjectLines(const LineSink& sink) const {
  sink("-Object" + FormatFields());
}

void t_objekt::WriteRunLines(RunWriter&) const {}

void t_objekt::Done() {}

// --- text forms -------------------------------------------------------------------

std::string t_objekt::FormatCommonFields() const {
  return IntToText(kind_) + ";" + IntToText(switching_.action) + ";" +
         IntToText(switching_.variable) + ";" + RealToText(switching_.value) + ";" +
         IntToText(penColour_) + ";" + IntToText(penWidth_) + ";" + IntToText(penStyle_) + ";" +
         IntToText(fillColour_) + ";" + IntToText(fillPattern_) + ";" + Quote(name);
}

void t_objekt::ParseCommonFields(std::string_view& rest) {
  // Narrowing keeps the low bits, as the fields' own widths do.
  switching_.action = static_cast<std::int16_t>(TextToInt(NextToken(rest)));
  switching_.variable = static_cast<std::int16_t>(TextToInt(NextToken(rest)));
  switching_.value = TextToInt(NextToken(rest));
  penColour_ = static_cast<std::uint8_t>(TextToInt(NextToken(rest)));
  penWidth_ = static_cast<std::uint8_t>(TextToInt(NextToken(rest)));
  penStyle_ = static_cast<std::uint8_t>(TextToInt(NextToken(rest)));
  fillColour_ = static_cast<std::uint8_t>(TextToInt(NextToken(rest)));
  fillPattern_ = static_cast<std::uint8_t>(TextToInt(NextToken(rest)));
  name = Unquote(NextToken(rest));
}

std::string t_objekt::Bracketed(const std::string& fields) {
  std::string text(1, '(');
  text += fields;
  text += ')';
  return text;
}

std::string t_objekt::FormatFields() const {
  return Bracketed(FormatCommonFields());
}

void t_objekt::ParseFields(std::string_view rest) {
  ParseCommonFields(rest);
  UpdateExtent();
}

std::string t_objekt::RunLinePrefix() const {
  std::string text;
  text.reserve(96);  // room for the whole line of most kinds, which append to it
  AppendRunLinePrefix(text);
  return text;
}

void t_objekt::AppendRunLinePrefix(std::string& line) const {
  const std::string_view keyword = InfoOf(kind_).runKeyword;
  const std::size_t start = line.size();
  line.resize(start + 2 + keyword.size() + 3 * (1 + kMaxIntText));
  char* p = line.data() + start;
  *p++ = '-';
  *p++ = '(';
  p = std::copy(keyword.begin(), keyword.end(), p);
  *p++ = ';';
  p = WriteInt(p, switching_.action);
  *p++ = ';';
  p = WriteInt(p, switching_.variable);
  *p++ = ';';
  p = WriteInt(p, RoundToI32(switching_.value));
  line.resize(static_cast<std::size_t>(p - line.data()));
}

// --- binary form ------------------------------------------------------------------

bool t_objekt::ReadBinary(const ByteReader& read) {
  BinaryIn in(read);
  ReadAttributes(in);
  ReadSwitching(in);
  return in.ok();
}

void t_objekt::WriteBinary(ByteSink& out) const {
  PutU8(out, kind_);
  WriteAttributes(out);
  WriteSwitching(out);
}

void t_objekt::WriteSwitching(ByteSink& out) const {
  PutI16(out, switching_.action);
  if (switching_.action == 0) return;
  PutReal48(out, switching_.value);
  PutI16(out, switching_.variable);
}

bool t_objekt::ReadSwitching(BinaryIn& in) {
  if (!in.I16(switching_.action)) return false;
  if (switching_.action == 0) return true;
  in.Real(switching_.value);
  in.I16(switching_.variable);
  return in.ok();
}

void t_objekt::WriteAttributes(ByteSink& out) const {
  PutU8(out, penColour_);
  // The terminal takes the thick pen as its pixel width.
  PutU8(out, penWidth_ == 2 ? 3 : penWidth_);
  PutU8(out, penStyle_);
  PutU8(out, fillColour_);
  PutU8(out, fillPattern_);
}

bool t_objekt::ReadAttributes(BinaryIn& in) {
  in.U8(penColour_);
  in.U8(penWidth_);
  in.U8(penStyle_);
  in.U8(fillColour_);
  in.U8(fillPattern_);
  if (penWidth_ == 0) penWidth_ = 1;
  if (penWidth_ == 3) penWidth_ = 2;
  return in.ok();
}

// --- drawing ----------------------------------------------------------------------

void t_objekt::Draw(tview& view, int mode) const {
  switch (mode) {
    case kDrawDrag:
      UseDragStyle(view);
      break;
    case kDrawOutline:
      UseOutlineStyle(view);
      break;
    default:
      UseNormalStyle(view);
      break;
  }
}

void t_objekt::UseNormalStyle(tview& view) const {
  view.SetPenMode(PenMode::Copy);
  view.SetPenWidth(PenPixels(penWidth_), true);
  view.SetFillPattern(fillPattern_);
  if (penColour_ == 255) {
    view.SetPenStyle(PenStyle::None);
  } else {
    view.SetPenStyle(StoredPenStyle(penStyle_));
    const Rgb pen = view.PaletteColour(penColour_ & 0x0F);
    view.SetPenColour(pen);
    view.SetFontColour(pen);
  }
  if (fillColour_ == 255)
    view.SetFillPattern(0);
  else
    view.SetBrushColour(view.PaletteColour(fillColour_ & 0x0F));
}

void t_objekt::UseOutlineStyle(tview& view) const {
  const Rgb black = ColourPalette(0);
  view.SetPenMode(PenMode::Copy);
  view.SetPenStyle(PenStyle::Solid);
  view.SetPenWidth(1, false);
  view.SetPenColour(black);
  view.SetFontColour(black);
  view.SetBrushColour(black);
  view.SetFillPattern(0);
}

void t_objekt::UseDragStyle(tview& view) const {
  // Inverting: drawing the same outline twice restores the sheet.
  const Rgb grey = ColourPalette(7);
  view.SetPenMode(PenMode::Invert);
  view.SetPenStyle(StoredPenStyle(penStyle_));
  view.SetPenWidth(PenPixels(penWidth_), true);
  view.SetPenColour(grey);
  view.SetFontColour(grey);
  view.SetBrushColour(grey);
  view.SetFillPattern(1);
}

std::string t_objekt::FontFile() const {
  return {};
}

// --- geometry ---------------------------------------------------------------------

bool t_objekt::HitTest(std::int16_t, std::int16_t) const {
  return false;
}
void t_objekt::UpdateExtent() {}
void t_objekt::MoveBy(std::int16_t, std::int16_t) {}
void t_objekt::FitToFrame() {}
void t_objekt::Rotate(double, double, int) {}

double t_objekt::ExtentLeft() const {
  return std::trunc(extent_.left);
}
double t_objekt::ExtentTop() const {
  return std::trunc(extent_.top);
}
double t_objekt::ExtentRight() const {
  return std::trunc(extent_.right);
}
double t_objekt::ExtentBottom() const {
  return std::trunc(extent_.bottom);
}

bool t_objekt::InsideRect(double ax, double ay, double bx, double by) const {
  if (ax > bx) std::swap(ax, bx);
  if (ay > by) std::swap(ay, by);
  return ax < ExtentLeft() && ay < ExtentTop() && bx > ExtentRight() && by > ExtentBottom();
}

// --- identity -----------------------------------------------------------------------

std::string t_objekt::TypeName(Translator& translator) const {
  return translator.Tr(InfoOf(kind_).typeName);
}

bool t_objekt::IsGroup() const {
  return false;
}

std::string t_objekt::DisplayName(Translator& translator) const {
  return name.empty() ? TypeName(translator) : name;
}

int t_objekt::TerminalSize() const {
  return InfoOf(kind_).terminalSize;
}

std::int16_t t_objekt::ObjectCount() const {
  return 1;
}

// --- attributes and switching -------------------------------------------------

void t_objekt::SetSwitching(const t_schaltung& rule) {
  switching_ = rule;
}
void t_objekt::SetPenColour(std::uint8_t value) {
  penColour_ = value;
}
void t_objekt::SetPenStyle(std::uint8_t value) {
  penStyle_ = value;
}
void t_objekt::SetPenWidth(std::uint8_t value) {
  penWidth_ = value;
}
void t_objekt::SetFillColour(std::uint8_t value) {
  fillColour_ = value;
}
void t_objekt::SetFillPattern(std::uint8_t value) {
  fillPattern_ = value;
}

bool t_objekt::HasSwitching() const {
  return switching_.action != 0;
}

bool t_objekt::UsesVariable(std::int16_t variable) const {
  return switching_.action != 0 && switching_.variable == variable;
}

bool t_objekt::UsesTextList(std::int16_t) const {
  return false;
}

void t_objekt::CollectReferences(std::vector<std::int16_t>& variables,
                                 std::vector<std::int16_t>&) const {
  if (switching_.action != 0) variables.push_back(switching_.variable);
}
std::string t_objekt::CollectFonts() const {
  return FontFile();
}
std::string t_objekt::BitmapFile() const {
  return {};
}

void t_objekt::RenumberVariable(std::int16_t from, std::int16_t to) {
  if (switching_.variable == from) switching_.variable = to;
}

void t_objekt::RenumberTextList(std::int16_t, std::int16_t) {}

// --- selection frame and handles ------------------------------------------------

void t_objekt::SetFrame(std::int16_t left, std::int16_t top, std::int16_t right,
                        std::int16_t bottom) {
  frame_ = {left, top, right, bottom};
  const auto midX = static_cast<std::int16_t>(left + (right - left) / 2);
  const auto midY = static_cast<std::int16_t>(top + (bottom - top) / 2);
  handles_[kSlotTopLeft] = {left, top};
  handles_[kSlotTopMiddle] = {midX, top};
  handles_[kSlotTopRight] = {right, top};
  handles_[kSlotMiddleLeft] = {left, midY};
  handles_[kSlotMiddleRight] = {right, midY};
  handles_[kSlotBottomLeft] = {left, bottom};
  handles_[kSlotBottomMiddle] = {midX, bottom};
  handles_[kSlotBottomRight] = {right, bottom};
}

void t_objekt::SetHandleFlags(bool edgeHandles, bool cornerHandles) {
  edgeHandlesShown_ = edgeHandles;
  cornerHandlesShown_ = cornerHandles;
}

void t_objekt::DrawFrame(tview& view) const {
  view.SetPenMode(PenMode::Invert);
  view.SetPenStyle(PenStyle::Solid);
  view.SetPenWidth(1, false);
  view.SetPenColour(kWhite);
  const HandlePoint tl = handles_[kSlotTopLeft], tr = handles_[kSlotTopRight];
  const HandlePoint br = handles_[kSlotBottomRight], bl = handles_[kSlotBottomLeft];
  view.MoveTo(tl.x, tl.y);
  view.LineTo(tr.x, tr.y);
  view.LineTo(br.x, br.y);
  view.LineTo(bl.x, bl.y);
  view.LineTo(tl.x, tl.y);

  view.SetPenStyle(PenStyle::None);
  view.SetBrushColour(kWhite);
  // Square of each handle relative to its window point, both ends included;
  // the squares lie outside the frame.
  struct Square {
    int slot;
    bool corner;
    int left, top, right, bottom;
  };
  static constexpr Square kSquares[] = {
      {kSlotTopLeft, true, -7, -7, 0, 0},      {kSlotTopMiddle, false, -3, -7, 4, 0},
      {kSlotTopRight, true, 1, -7, 8, 0},      {kSlotMiddleLeft, false, -7, -3, 0, 4},
      {kSlotMiddleRight, false, 1, -3, 8, 4},  {kSlotBottomLeft, true, -7, 1, 0, 8},
      {kSlotBottomMiddle, false, -3, 1, 4, 8}, {kSlotBottomRight, true, 1, 1, 8, 8},
  };
  for (const Square& s : kSquares) {
    if (s.corner ? !cornerHandlesShown_ : !edgeHandlesShown_) continue;
    const int x = view.TermToWinX(handles_[s.slot].x);
    const int y = view.TermToWinY(handles_[s.slot].y);
    view.FillWindowRect(x + s.left, y + s.top, x + s.right, y + s.bottom);
  }
  view.SetPenMode(PenMode::Copy);
}

std::int16_t t_objekt::HandleAt(std::int16_t x, std::int16_t y, double zoom) const {
  if (!selected_) return kHandleNone;
  // The tolerance shrinks as the zoom grows, so a handle stays 8 window
  // pixels wide.
  const std::int32_t d = (std::isfinite(zoom) && zoom > 0) ? SaturateToI32(4.0 / zoom) : 4;
  struct Probe {
    std::int16_t code;
    int slot;
    int ox, oy;
  };
  static constexpr Probe kOrder[] = {
      {kHandleBottomRight, kSlotBottomRight, 1, 1}, {kHandleBottomMiddle, kSlotBottomMiddle, 0, 1},
      {kHandleBottomLeft, kSlotBottomLeft, -1, 1},  {kHandleMiddleRight, kSlotMiddleRight, 1, 0},
      {kHandleMiddleLeft, kSlotMiddleLeft, -1, 0},  {kHandleTopRight, kSlotTopRight, 1, -1},
      {kHandleTopMiddle, kSlotTopMiddle, 0, -1},    {kHandleTopLeft, kSlotTopLeft, -1, -1},
  };
  for (const Probe& p : kOrder) {
    const std::int64_t hx = handles_[p.slot].x + std::int64_t{p.ox} * d;
    const std::int64_t hy = handles_[p.slot].y + std::int64_t{p.oy} * d;
    if (std::llabs(x - hx) <= d && std::llabs(y - hy) <= d) return p.code;
  }
  return kHandleNone;
}

void t_objekt::DragHandle(std::int16_t dx, std::int16_t dy, std::int16_t code, tview& view) {
  if (!selected_ || fixedSize_) return;
  DrawFrame(view);
  double left = frame_.left, top = frame_.top, right = frame_.right, bottom = frame_.bottom;
  const double w = extent_.right - extent_.left;
  const double h = extent_.bottom - extent_.top;
  // A corner keeps the extent's proportions: the larger dimension follows
  // the mouse. An extent without width and height has no proportions, so
  // its corner then simply follows the mouse.
  const bool wider = w > h && w != 0;
  const bool proportional = wider || h != 0;
  switch (code) {
    case kHandleTopLeft:
      left += dx;
      top += dy;
      if (wider)
        top = bottom - RoundEven(h * (right - left) / w);
      else if (proportional)
        left = right - RoundEven(w * (bottom - top) / h);
      break;
    case kHandleTopMiddle:
      top += dy;
      break;
    case kHandleTopRight:
      right += dx;
      top += dy;
      if (wider)
        top = bottom - RoundEven(h * (right - left) / w);
      else if (proportional)
        right = left + RoundEven(w * (bottom - top) / h);
      break;
    case kHandleMiddleLeft:
      left += dx;
      break;
    case kHandleMiddleRight:
      right += dx;
      break;
    case kHandleBottomLeft:
      left += dx;
      bottom += dy;
      if (wider)
        bottom = top + RoundEven(h * (right - left) / w);
      else if (proportional)
        left = right - RoundEven(w * (bottom - top) / h);
      break;
    case kHandleBottomMiddle:
      bottom += dy;
      break;
    case kHandleBottomRight:
      right += dx;
      bottom += dy;
      if (wider)
        bottom = top + RoundEven(h * (right - left) / w);
      else if (proportional)
        right = left + RoundEven(w * (bottom - top) / h);
      break;
    default:
      break;
  }
  SetFrame(SaturateToI16(left), SaturateToI16(top), SaturateToI16(right), SaturateToI16(bottom));
  SetHandleFlags(false, false);
  DrawFrame(view);
}

void t_objekt::SetSelected(bool selected) {
  if (selected) {
    UpdateExtent();
    SetFrame(SaturateToI16(ExtentLeft()), SaturateToI16(ExtentTop()), SaturateToI16(ExtentRight()),
             SaturateToI16(ExtentBottom()));
  }
  selected_ = selected;
}

void t_objekt::Mirror(bool vertical, bool horizontal) {
  const HandlePoint topLeft = handles_[kSlotTopLeft];
  const HandlePoint bottomRight = handles_[kSlotBottomRight];
  if (horizontal) {
    handles_[kSlotTopLeft].x = RoundToI16(extent_.right);
    handles_[kSlotBottomRight].x = RoundToI16(extent_.left);
  }
  if (vertical) {
    handles_[kSlotTopLeft].y = RoundToI16(extent_.bottom);
    handles_[kSlotBottomRight].y = RoundToI16(extent_.top);
  }
  FitToFrame();
  handles_[kSlotTopLeft] = topLeft;
  handles_[kSlotBottomRight] = bottomRight;
}

// --- copies ------------------------------------------------------------------------

std::unique_ptr<t_objekt> t_objekt::Clone() const {
  ObjectPtr copy = CreateObjectOfKind(kind_);
  if (copy) CopyCommonTo(*copy);
  return copy;
}

void t_objekt::CopyCommonTo(t_objekt& copy) const {
  copy.name = name;
  copy.number = number;
  copy.penColour_ = penColour_;
  copy.penWidth_ = penWidth_;
  copy.penStyle_ = penStyle_;
  copy.fillColour_ = fillColour_;
  copy.fillPattern_ = fillPattern_;
  copy.switching_ = switching_;
  copy.extent_ = extent_;
  copy.treeIcon_ = treeIcon_;
  copy.fixedSize_ = fixedSize_;
}

t_objekt::FrameMapping t_objekt::ExtentToFrame() const {
  const TermRect e = GetExtent();
  const HandlePoint topLeft = Handle(kSlotTopLeft);
  const HandlePoint bottomRight = Handle(kSlotBottomRight);
  const double w = e.right - e.left;
  const double h = e.bottom - e.top;
  FrameMapping m;
  m.left = e.left;
  m.top = e.top;
  m.sx = w != 0 ? (bottomRight.x - topLeft.x) / w : 1;
  m.sy = h != 0 ? (bottomRight.y - topLeft.y) / h : 1;
  m.x0 = topLeft.x;
  m.y0 = topLeft.y;
  return m;
}

}  // namespace tavo

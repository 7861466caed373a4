#include <algorithm>
#include <cmath>

#include "objects/fields/fields.h"
#include "objects/objectkinds.h"
#include "objects/rounding.h"
#include "project/runwriter.h"

namespace tavo {

namespace {

double FiniteOrZero(long double value) {
  const auto v = static_cast<double>(value);
  return std::isfinite(v) ? v : 0;
}

// The graph's rectangle in whole terminal pixels, for the symbol.
struct SymbolBox {
  double l, t, r, b, w, h;
  explicit SymbolBox(const t_objekt& o)
      : l(o.ExtentLeft()),
        t(o.ExtentTop()),
        r(o.ExtentRight()),
        b(o.ExtentBottom()),
        w(r - l),
        h(b - t) {}
};

int Px(double value) {
  return RoundToI32(value);
}

void Stroke(tview& view, double x1, double y1, double x2, double y2) {
  view.MoveTo(Px(x1), Px(y1));
  view.LineTo(Px(x2), Px(y2));
}

// An arrow from (x1, y1) to its tip (x2, y2) with two head strokes.
void Arrow(tview& view, double x1, double y1, double x2, double y2, double hx1, double hy1,
           double hx2, double hy2) {
  Stroke(view, x1, y1, x2, y2);
  Stroke(view, x2, y2, hx1, hy1);
  Stroke(view, x2, y2, hx2, hy2);
}

void Band(tview& view, double l, double t, double r, double b) {
  view.FillRectangle(Px(l), Px(t), Px(r), Px(b));
}

void RightArrow(tview& view, const SymbolBox& s) {
  Arrow(view, s.l + s.w / 5, s.t + s.h / 2, s.r, s.t + s.h / 2, s.r - s.w / 4, s.t + s.h / 4,
        s.r - s.w / 4, s.b - s.h / 4);
}

void DownArrow(tview& view, const SymbolBox& s) {
  Arrow(view, s.l + s.w / 2, s.t + s.h / 5, s.l + s.w / 2, s.b, s.l + s.w / 4, s.b - s.h / 4,
        s.l + s.w / 2 + s.w / 4, s.b - s.h / 4);
}

// A label's place when no text is drawn: a rectangle crossed by its diagonals.
void LabelPlaceholder(tview& view, int l, int t, int r, int b) {
  view.Rectangle(l, t, r, b);
  view.MoveTo(l, t);
  view.LineTo(r, b);
  view.MoveTo(r, t);
  view.LineTo(l, b);
}

constexpr const char* kTimeLabel = "%%:%%";

}  // namespace

// --- common graph -------------------------------------------------------------------

void t_graf::SetCorners(double x1, double y1, double x2, double y2) {
  points_[0] = {ClampCoordinate(x1), ClampCoordinate(y1)};
  points_[1] = {ClampCoordinate(x2), ClampCoordinate(y2)};
  UpdateExtent();
}

void t_graf::SetRange(double lower, double upper) {
  lower_ = lower;
  upper_ = upper;
}

bool t_graf::HitTest(std::int16_t x, std::int16_t y) const {
  const TermRect e = GetExtent();
  return e.left <= x && x <= e.right && e.top <= y && y <= e.bottom;
}

void t_graf::UpdateExtent() {
  ExtentOver(2);
}

void t_graf::Rotate(double, double, int) {}

void t_graf::DrawFrameAndSymbolStyle(tview& view, int mode) const {
  t_objekt::Draw(view, mode);
  const TermPixel a{Px(points_[0].x), Px(points_[0].y)};
  const TermPixel b{Px(points_[1].x), Px(points_[1].y)};
  const TermPixel ring[] = {{a.x, a.y}, {b.x, a.y}, {b.x, b.y}, {a.x, b.y}, {a.x, a.y}};
  view.Polygon(ring);
  // The symbol inverts what lies below, in light grey.
  UseDragStyle(view);
  view.SetPenStyle(PenStyle::Solid);
  view.SetPenWidth(1, true);
}

// --- bar graph ------------------------------------------------------------------------

t_bargraf::t_bargraf() : t_graf(kKindBargraf) {}

std::string t_bargraf::FormatFields() const {
  return Bracketed(FormatCommonFields() + ProjectPoints(2) + ";" + IntToText(direction_) + ";" +
                   RealToText(lower_) + ";" + RealToText(upper_) + ";" + IntToText(variable_));
}

void t_bargraf::ParseFields(std::string_view rest) {
  ParseCommonFields(rest);
  ParsePoints(rest, 2);
  direction_ = static_cast<std::uint8_t>(TextToInt(NextToken(rest)));
  lower_ = FiniteOrZero(TextToReal(NextToken(rest)));
  upper_ = FiniteOrZero(TextToReal(NextToken(rest)));
  variable_ = static_cast<std::int16_t>(TextToInt(NextToken(rest)));
  UpdateExtent();
}

void t_bargraf::WriteRunLines(RunWriter& out) const {
  out.Line(RunLinePrefix() + RunAttributes(true) + RunPoints(2) + ";" + IntToText(direction_) +
           ";" + IntToText(RoundToI32(lower_)) + ";" + IntToText(RoundToI32(upper_)) + ";" +
           IntToText(variable_) + ")");
}

void t_bargraf::WriteBinary(ByteSink& out) const {
  PutU8(out, Kind());
  WriteAttributes(out);
  WritePoints(out);
  PutU8(out, direction_);
  PutReal48(out, lower_);
  PutReal48(out, upper_);
  PutI16(out, variable_);
  WriteSwitching(out);
}

bool t_bargraf::ReadBinary(const ByteReader& read) {
  BinaryIn in(read);
  ReadAttributes(in);
  ReadPoints(in, 2);
  in.U8(direction_);
  in.Real(lower_);
  in.Real(upper_);
  in.I16(variable_);
  ReadSwitching(in);
  UpdateExtent();
  return in.ok();
}

void t_bargraf::Draw(tview& view, int mode) const {
  DrawFrameAndSymbolStyle(view, mode);
  const SymbolBox s(*this);
  switch (direction_) {
    case 0:
      RightArrow(view, s);
      Band(view, s.l, s.t, s.l + s.w / 5, s.b);
      break;
    case 1:
      DownArrow(view, s);
      Band(view, s.l, s.t, s.r, s.t + s.h / 5);
      break;
    case 2:
      Arrow(view, s.r - s.w / 5, s.t + s.h / 2, s.l, s.t + s.h / 2, s.l + s.w / 4, s.t + s.h / 4,
            s.l + s.w / 4, s.b - s.h / 4);
      Band(view, s.r - s.w / 5, s.t, s.r, s.b);
      break;
    case 3:
      Arrow(view, s.l + s.w / 2, s.b - s.h / 5, s.l + s.w / 2, s.t, s.l + s.w / 4, s.t + s.h / 4,
            s.l + s.w / 2 + s.w / 4, s.t + s.h / 4);
      Band(view, s.l, s.b - s.h / 5, s.r, s.b);
      break;
    default:  // no direction the terminal knows: the rectangle alone
      break;
  }
}

double t_bargraf::FractionOf(double value) const {
  if (upper_ == lower_ || !std::isfinite(value)) return 0;
  return std::clamp((value - lower_) / (upper_ - lower_), 0.0, 1.0);
}

void t_bargraf::DrawLevel(tview& view, int mode, double fraction) const {
  t_objekt::Draw(view, mode);
  const int l = static_cast<int>(ExtentLeft()), t = static_cast<int>(ExtentTop());
  const int r = static_cast<int>(ExtentRight()), b = static_cast<int>(ExtentBottom());
  if (mode == kDrawNormal) {
    // Without a fill colour the bar is drawn in the pen colour.
    if (fillColour() == 255) {
      view.SetBrushColour(view.PaletteColour(penColour() == 255 ? 0 : penColour() & 0x0F));
      view.SetFillPattern(1);
    }
    const int w = r - l + 1, h = b - t + 1;
    const int across = static_cast<int>(std::lround(w * std::clamp(fraction, 0.0, 1.0)));
    const int down = static_cast<int>(std::lround(h * std::clamp(fraction, 0.0, 1.0)));
    switch (direction_) {
      case 0:
        if (across > 0) view.FillRectangle(l, t, l + across, b + 1);
        break;
      case 1:
        if (down > 0) view.FillRectangle(l, t, r + 1, t + down);
        break;
      case 2:
        if (across > 0) view.FillRectangle(r + 1 - across, t, r + 1, b + 1);
        break;
      default:  // 3 and directions the terminal does not know grow upwards
        if (down > 0) view.FillRectangle(l, b + 1 - down, r + 1, b + 1);
        break;
    }
  }
  const TermPixel ring[] = {{l, t}, {r, t}, {r, b}, {l, b}, {l, t}};
  view.SetFillPattern(0);
  view.Polygon(ring);
}

std::unique_ptr<t_objekt> t_bargraf::Clone() const {
  auto copy = std::make_unique<t_bargraf>();
  CopyCommonTo(*copy);
  copy->points_ = points_;
  copy->lower_ = lower_;
  copy->upper_ = upper_;
  copy->direction_ = direction_;
  copy->variable_ = variable_;
  return copy;
}

void t_bargraf::CollectReferences(std::vector<std::int16_t>& variables,
                                  std::vector<std::int16_t>& textLists) const {
  t_objekt::CollectReferences(variables, textLists);
  variables.push_back(variable_);
}

bool t_bargraf::UsesVariable(std::int16_t variable) const {
  return t_objekt::UsesVariable(variable) || variable_ == variable;
}

void t_bargraf::RenumberVariable(std::int16_t from, std::int16_t to) {
  t_objekt::RenumberVariable(from, to);
  if (variable_ == from) variable_ = to;
}

// --- plot graph -----------------------------------------------------------------------

t_plotgraf::t_plotgraf() : t_graf(kKindPlotgraf) {}

void t_plotgraf::SetAxis(std::uint8_t orientation, std::uint8_t timePerPixel, std::uint8_t timeAxis,
                         std::uint8_t scaleColour) {
  orientation_ = orientation;
  timePerPixel_ = timePerPixel;
  timeAxis_ = timeAxis;
  scaleColour_ = scaleColour;
}

void t_plotgraf::SetVariables(std::uint16_t value, std::uint16_t status) {
  valueVariable_ = value;
  statusVariable_ = status;
}

std::string t_plotgraf::FormatFields() const {
  return Bracketed(FormatCommonFields() + ProjectPoints(2) + ";" + RealToText(lower_) + ";" +
                   RealToText(upper_) + ";" + IntToText(orientation_) + ";" +
                   IntToText(timePerPixel_) + ";" + IntToText(timeAxis_) + ";" +
                   IntToText(scaleColour_) + ";" + IntToText(valueVariable_) + ";" +
                   IntToText(statusVariable_));
}

void t_plotgraf::ParseFields(std::string_view rest) {
  ParseCommonFields(rest);
  ParsePoints(rest, 2);
  lower_ = FiniteOrZero(TextToReal(NextToken(rest)));
  upper_ = FiniteOrZero(TextToReal(NextToken(rest)));
  orientation_ = static_cast<std::uint8_t>(TextToInt(NextToken(rest)));
  timePerPixel_ = static_cast<std::uint8_t>(TextToInt(NextToken(rest)));
  timeAxis_ = static_cast<std::uint8_t>(TextToInt(NextToken(rest)));
  scaleColour_ = static_cast<std::uint8_t>(TextToInt(NextToken(rest)));
  valueVariable_ = static_cast<std::uint16_t>(TextToInt(NextToken(rest)));
  statusVariable_ = static_cast<std::uint16_t>(TextToInt(NextToken(rest)));
  UpdateExtent();
}

void t_plotgraf::WriteRunLines(RunWriter& out) const {
  // The run line puts the orientation before the value range.
  out.Line(RunLinePrefix() + RunAttributes(true) + RunPoints(2) + ";" + IntToText(orientation_) +
           ";" + IntToText(RoundToI32(lower_)) + ";" + IntToText(RoundToI32(upper_)) + ";" +
           IntToText(timePerPixel_) + ";" + IntToText(timeAxis_) + ";" + IntToText(scaleColour_) +
           ";" + IntToText(valueVariable_) + ";" + IntToText(statusVariable_) + ")");
}

void t_plotgraf::WriteBinary(ByteSink& out) const {
  PutU8(out, Kind());
  WriteAttributes(out);
  WritePoints(out);
  PutReal48(out, lower_);
  PutReal48(out, upper_);
  PutU8(out, orientation_);
  PutU8(out, timePerPixel_);
  PutU8(out, timeAxis_);
  PutU8(out, scaleColour_);
  PutI16(out, static_cast<std::int16_t>(valueVariable_));
  PutI16(out, static_cast<std::int16_t>(statusVariable_));
  WriteSwitching(out);
}

bool t_plotgraf::ReadBinary(const ByteReader& read) {
  BinaryIn in(read);
  ReadAttributes(in);
  ReadPoints(in, 2);
  in.Real(lower_);
  in.Real(upper_);
  in.U8(orientation_);
  in.U8(timePerPixel_);
  in.U8(timeAxis_);
  in.U8(scaleColour_);
  std::int16_t value = 0, status = 0;
  if (in.I16(value)) valueVariable_ = static_cast<std::uint16_t>(value);
  if (in.I16(status)) statusVariable_ = static_cast<std::uint16_t>(status);
  ReadSwitching(in);
  UpdateExtent();
  return in.ok();
}

void t_plotgraf::Draw(tview& view, int mode) const {
  DrawFrameAndSymbolStyle(view, mode);
  const SymbolBox s(*this);
  Band(view, s.l, s.t, s.l + s.w / 5, s.b);
  RightArrow(view, s);
  DownArrow(view, s);
  if (timeAxis_ != 1) DrawTimeAxis(view, mode);
}

int t_plotgraf::SampleCapacity() const {
  const double span =
      orientation_ == 0 ? ExtentRight() - ExtentLeft() : ExtentBottom() - ExtentTop();
  return std::max(1, static_cast<int>(span) + 1);
}

void t_plotgraf::DrawSamples(tview& view, int mode, const std::vector<double>& samples) const {
  t_objekt::Draw(view, mode);
  const int l = static_cast<int>(ExtentLeft()), t = static_cast<int>(ExtentTop());
  const int r = static_cast<int>(ExtentRight()), b = static_cast<int>(ExtentBottom());
  const TermPixel ring[] = {{l, t}, {r, t}, {r, b}, {l, b}, {l, t}};
  view.Polygon(ring);
  if (timeAxis_ != 1) DrawTimeAxis(view, mode);
  if (mode != kDrawNormal || samples.empty()) return;
  t_objekt::Draw(view, mode);
  const auto share = [&](double v) {
    if (upper_ == lower_ || !std::isfinite(v)) return 0.0;
    return std::clamp((v - lower_) / (upper_ - lower_), 0.0, 1.0);
  };
  const std::size_t capacity = static_cast<std::size_t>(SampleCapacity());
  const std::size_t first = samples.size() > capacity ? samples.size() - capacity : 0;
  const std::size_t n = samples.size() - first;
  bool started = false;
  TermPixel last;
  for (std::size_t i = 0; i < n; ++i) {
    const double s = share(samples[first + i]);
    const int age = static_cast<int>(n - 1 - i);
    // The newest sample stands at the far end of the time axis.
    const int x = orientation_ == 0 ? r - age : l + static_cast<int>(std::lround(s * (r - l)));
    const int y = orientation_ == 0 ? b - static_cast<int>(std::lround(s * (b - t))) : b - age;
    if (!started) {
      view.MoveTo(x, y);
      started = true;
    }
    view.LineTo(x, y);
    last = {x, y};
  }
  // A line of no length may draw nothing: one sample is a dot.
  if (n == 1) view.Pixel(last.x, last.y, view.penColour());
}

void t_plotgraf::DrawTimeAxis(tview& view, int mode) const {
  t_objekt::Draw(view, mode);
  view.SetPenWidth(1, true);
  const bool noFill = fillColour() == 255;
  const Rgb colour = noFill ? ColourPalette(penColour() & 0x0F) : ColourPalette(scaleColour_ - 1);
  view.SetPenColour(colour);
  view.SetFontColour(colour);
  view.SetFontName(kScaleFont);
  const int l = static_cast<int>(ExtentLeft()), t = static_cast<int>(ExtentTop());
  const int r = static_cast<int>(ExtentRight()), b = static_cast<int>(ExtentBottom());
  if (orientation_ == 0) {
    // Time runs along the bottom edge: a tick every 10 pixels, a label every 40.
    view.MoveTo(l, b + 1);
    view.LineTo(r, b + 1);
    for (int x = l; x <= r; x += 10) {
      view.MoveTo(x, b + 2);
      view.LineTo(x, b + 5);
      if ((x - l) % 40 != 0) continue;
      if (noFill)
        LabelPlaceholder(view, x - 15, b + 10, x + 15, b + 18);
      else
        view.Text(x - 15, b + 10, false, kTimeLabel);
    }
  } else {
    // Time runs down the left edge: a tick every 10 pixels, a label every 20.
    view.MoveTo(l - 1, t);
    view.LineTo(l - 1, b);
    for (int y = t; y <= b; y += 10) {
      view.MoveTo(l - 5, y);
      view.LineTo(l - 2, y);
      if ((y - t) % 20 != 0) continue;
      if (noFill || mode != kDrawNormal)
        LabelPlaceholder(view, l - 38, y - 4, l - 7, y + 4);
      else
        view.Text(l - 38, y - 4, false, kTimeLabel);
    }
  }
}

std::unique_ptr<t_objekt> t_plotgraf::Clone() const {
  auto copy = std::make_unique<t_plotgraf>();
  CopyCommonTo(*copy);
  copy->points_ = points_;
  copy->lower_ = lower_;
  copy->upper_ = upper_;
  copy->orientation_ = orientation_;
  copy->timePerPixel_ = timePerPixel_;
  copy->timeAxis_ = timeAxis_;
  copy->scaleColour_ = scaleColour_;
  copy->valueVariable_ = valueVariable_;
  copy->statusVariable_ = statusVariable_;
  return copy;
}

void t_plotgraf::CollectReferences(std::vector<std::int16_t>& variables,
                                   std::vector<std::int16_t>& textLists) const {
  t_objekt::CollectReferences(variables, textLists);
  variables.push_back(static_cast<std::int16_t>(valueVariable_));
  variables.push_back(static_cast<std::int16_t>(statusVariable_));
}

bool t_plotgraf::UsesVariable(std::int16_t variable) const {
  const auto v = static_cast<std::uint16_t>(variable);
  return t_objekt::UsesVariable(variable) || valueVariable_ == v || statusVariable_ == v;
}

void t_plotgraf::RenumberVariable(std::int16_t from, std::int16_t to) {
  t_objekt::RenumberVariable(from, to);
  const auto f = static_cast<std::uint16_t>(from), n = static_cast<std::uint16_t>(to);
  if (valueVariable_ == f) valueVariable_ = n;
  if (statusVariable_ == f) statusVariable_ = n;
}

}  // namespace tavo

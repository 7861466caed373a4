#include <algorithm>
#include <cmath>
#include <numbers>

#include "objects/objectkinds.h"
#include "objects/rounding.h"
#include "objects/shapes/shapes.h"
#include "project/runwriter.h"

namespace tavo {

t_punktobjekt::t_punktobjekt(std::uint8_t kind, std::size_t pointCount)
    : t_objekt(kind), points_(pointCount) {}

void t_punktobjekt::ExtentOver(std::size_t count) {
  count = std::min(count, points_.size());
  if (count == 0) return;
  TermRect e{points_[0].x, points_[0].y, points_[0].x, points_[0].y};
  for (std::size_t i = 1; i < count; ++i) {
    e.left = std::min(e.left, points_[i].x);
    e.top = std::min(e.top, points_[i].y);
    e.right = std::max(e.right, points_[i].x);
    e.bottom = std::max(e.bottom, points_[i].y);
  }
  SetExtent(e);
}

void t_punktobjekt::MoveBy(std::int16_t dx, std::int16_t dy) {
  for (TermPoint& p : points_) {
    p.x += dx;
    p.y += dy;
  }
}

void t_punktobjekt::Rotate(double centreX, double centreY, int degrees) {
  // y grows downwards, so a positive angle turns clockwise on the screen.
  const double a = degrees * std::numbers::pi / 180.0;
  const double c = std::cos(a);
  const double s = std::sin(a);
  for (TermPoint& p : points_) {
    const double dx = p.x - centreX;
    const double dy = p.y - centreY;
    p.x = centreX + (dx * c - dy * s);
    p.y = centreY + (dx * s + dy * c);
  }
  UpdateExtent();
}

void t_punktobjekt::FitToFrame() {
  UpdateExtent();
  const FrameMapping map = ExtentToFrame();
  for (TermPoint& p : points_) {
    p.x = map.X(p.x);
    p.y = map.Y(p.y);
  }
  UpdateExtent();
}

std::unique_ptr<t_objekt> t_punktobjekt::Clone() const {
  ObjectPtr copy = CreateObjectOfKind(Kind());
  auto* shape = dynamic_cast<t_punktobjekt*>(copy.get());
  if (!shape) return nullptr;
  CopyCommonTo(*shape);
  shape->points_ = points_;
  return copy;
}

// --- written forms ----------------------------------------------------------------

std::string t_punktobjekt::ProjectPoints(std::size_t count) const {
  std::string text;
  count = std::min(count, points_.size());
  for (std::size_t i = 0; i < count; ++i) {
    const TermPoint& p = points_[i];
    text += ';';
    text += RealToText(p.x);
    text += ';';
    text += RealToText(p.y);
  }
  return text;
}

std::string t_punktobjekt::RunPoints(std::size_t count) const {
  std::string text;
  AppendRunPoints(text, count);
  return text;
}

void t_punktobjekt::AppendRunPoints(std::string& line, std::size_t count) const {
  // Written straight into room made at the end of the line, which is cut
  // to what was used: a shape line is mostly numbers.
  count = std::min(count, points_.size());
  const std::size_t start = line.size();
  line.resize(start + count * 2 * (1 + kMaxIntText));
  char* p = line.data() + start;
  for (std::size_t i = 0; i < count; ++i) {
    *p++ = ';';
    p = WriteInt(p, RoundToI32(points_[i].x));
    *p++ = ';';
    p = WriteInt(p, RoundToI32(points_[i].y));
  }
  line.resize(static_cast<std::size_t>(p - line.data()));
}

void t_punktobjekt::ParsePoints(std::string_view& rest, std::size_t count) {
  count = std::min(count, points_.size());
  for (std::size_t i = 0; i < count; ++i) {
    points_[i].x = ClampCoordinate(static_cast<double>(TextToReal(NextToken(rest))));
    points_[i].y = ClampCoordinate(static_cast<double>(TextToReal(NextToken(rest))));
  }
}

void t_punktobjekt::WritePoints(ByteSink& out) const {
  for (const TermPoint& p : points_) {
    PutI16(out, RoundToI16(p.x));
    PutI16(out, RoundToI16(p.y));
  }
}

std::size_t t_punktobjekt::ReadPoints(BinaryIn& in, std::size_t count) {
  count = std::min(count, points_.size());
  for (std::size_t i = 0; i < count; ++i) {
    std::int16_t x = 0, y = 0;
    if (!in.I16(x) || !in.I16(y)) return i;
    points_[i] = {static_cast<double>(x), static_cast<double>(y)};
  }
  return count;
}

std::string t_punktobjekt::RunAttributes(bool withFill) const {
  std::string text;
  AppendRunAttributes(text, withFill);
  return text;
}

void t_punktobjekt::AppendRunAttributes(std::string& line, bool withFill) const {
  const int fields[] = {penColour(), penWidth(), penStyle(), fillColour(), fillPattern()};
  const std::size_t count = withFill ? 5u : 3u;
  const std::size_t start = line.size();
  line.resize(start + count * (1 + kMaxIntText));
  char* p = line.data() + start;
  for (std::size_t i = 0; i < count; ++i) {
    *p++ = ';';
    p = WriteInt(p, fields[i]);
  }
  line.resize(static_cast<std::size_t>(p - line.data()));
}

void t_punktobjekt::WriteShapeRunLine(RunWriter& out, bool withFill, std::size_t count) const {
  std::string& line = out.StartLine();
  AppendRunLinePrefix(line);
  AppendRunAttributes(line, withFill);
  AppendRunPoints(line, count);
  line += ')';
  out.Line(line);
}

// --- drawing and hit test -------------------------------------------------------

void t_punktobjekt::DrawArea(tview& view) const {
  std::vector<TermPixel> pixels;
  pixels.reserve(points_.size());
  for (const TermPoint& p : points_) pixels.push_back({RoundToI32(p.x), RoundToI32(p.y)});
  view.Polygon(pixels);
}

namespace {

// Whole-number vertex for the scan-line test, bounded so that the crossing
// arithmetic cannot overflow whatever the geometry went through.
std::int64_t ScanCoordinate(double value) {
  constexpr double kLimit = 1e9;
  return RoundToI32(std::clamp(value, -kLimit, kLimit));
}

struct Crossing {
  std::int64_t x;
  int tag;  // 1: the edge's other end lies below the scan line, 2: not below, 3: inside
};

// Vertices where the outline only touches the scan line count twice, those
// it passes straight through count once.
void AddCrossing(std::vector<Crossing>& list, Crossing c) {
  constexpr std::size_t kMaxCrossings = 255;
  if (list.size() >= kMaxCrossings) return;
  auto same = std::find_if(list.begin(), list.end(), [&](const Crossing& o) { return o.x == c.x; });
  if (same != list.end() && !(same->tag == c.tag && (c.tag == 1 || c.tag == 2))) return;
  list.push_back(c);
}

}  // namespace

bool t_punktobjekt::AreaHit(std::int16_t x, std::int16_t y, std::size_t pointCount) const {
  pointCount = std::min(pointCount, points_.size());
  if (pointCount == 0) return false;
  const TermRect e = GetExtent();
  if (x < e.left || x > e.right || y < e.top || y > e.bottom) return false;

  std::vector<Crossing> crossings;
  crossings.reserve(16);
  const std::int64_t px = x, py = y;
  for (std::size_t i = 0; i + 1 < pointCount; ++i) {
    const std::int64_t x0 = ScanCoordinate(points_[i].x), y0 = ScanCoordinate(points_[i].y);
    const std::int64_t x1 = ScanCoordinate(points_[i + 1].x);
    const std::int64_t y1 = ScanCoordinate(points_[i + 1].y);
    if (py < std::min(y0, y1) || py > std::max(y0, y1)) continue;
    const auto tagAt = [&](std::int64_t cx, std::int64_t ex, std::int64_t ey, std::int64_t oy) {
      if (cx == ex && py == ey) return oy > py ? 1 : 2;
      return 0;
    };
    const auto add = [&](std::int64_t cx) {
      int tag = tagAt(cx, x0, y0, y1);
      if (tag == 0) tag = tagAt(cx, x1, y1, y0);
      AddCrossing(crossings, {cx, tag == 0 ? 3 : tag});
    };
    if (y0 == y1) {
      if (px >= std::min(x0, x1) && px <= std::max(x0, x1)) return true;
      add(x0);
      add(x1);
    } else {
      // Integer division truncates towards zero, as the terminal does.
      const std::int64_t cx = (py - y0) * (x1 - x0) / (y1 - y0) + x0;
      if (cx >= std::min(x0, x1) && cx <= std::max(x0, x1)) add(cx);
    }
  }
  std::stable_sort(crossings.begin(), crossings.end(),
                   [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
  bool inside = false;
  for (const Crossing& c : crossings) {
    if (c.x == px) return true;
    if (c.x > px) return inside;
    inside = !inside;
  }
  return false;
}

}  // namespace tavo

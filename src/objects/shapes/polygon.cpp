#include <algorithm>

#include "objects/shapes/shapes.h"
#include "project/runwriter.h"

namespace tavo {

t_polygon::t_polygon() : t_punktobjekt(kKindPolygon, 0) {}

void t_polygon::SetPoints(const std::vector<TermPoint>& points) {
  const auto kept = static_cast<std::ptrdiff_t>(std::min(points.size(), kMaxPoints));
  points_.assign(points.begin(), points.begin() + kept);
  UpdateExtent();
}

bool t_polygon::AppendPoint(TermPoint point) {
  if (points_.size() >= kMaxPoints) return false;
  points_.push_back(point);
  UpdateExtent();
  return true;
}

void t_polygon::WriteRunLines(RunWriter& out) const {
  out.Line(RunLinePrefix() + RunAttributes(true) + ";" + IntToText(Count()) +
           RunPoints(points_.size()) + ")");
}

std::string t_polygon::FormatFields() const {
  return Bracketed(FormatCommonFields() + ";" + IntToText(Count()) + ProjectPoints(points_.size()));
}

void t_polygon::ParseFields(std::string_view rest) {
  ParseCommonFields(rest);
  // A count beyond the shape's capacity reads the points that fit; the rest
  // of the line is ignored.
  const std::int32_t count = TextToInt(NextToken(rest));
  points_.assign(static_cast<std::size_t>(std::clamp<std::int32_t>(count, 0, kMaxPoints)), {});
  ParsePoints(rest, points_.size());
  UpdateExtent();
}

void t_polygon::WriteBinary(ByteSink& out) const {
  PutU8(out, Kind());
  WriteAttributes(out);
  PutI16(out, static_cast<std::int16_t>(points_.size()));
  WritePoints(out);
  WriteSwitching(out);
}

bool t_polygon::ReadBinary(const ByteReader& read) {
  BinaryIn in(read);
  ReadAttributes(in);
  std::int16_t count = 0;
  in.I16(count);
  // Finished polygons hold up to 51 points (50 clicks and the closing copy)
  // and are written with that count, so the reader takes 51 as well.
  points_.assign(static_cast<std::size_t>(std::clamp<int>(count, 0, kMaxPoints)), {});
  points_.resize(ReadPoints(in, points_.size()));
  ReadSwitching(in);
  UpdateExtent();
  return in.ok();
}

void t_polygon::Draw(tview& view, int mode) const {
  t_objekt::Draw(view, mode);
  if (!points_.empty()) DrawArea(view);
}

void t_polygon::UpdateExtent() {
  // Without points the polygon keeps its extent.
  ExtentOver(points_.size());
}

bool t_polygon::HitTest(std::int16_t x, std::int16_t y) const {
  return AreaHit(x, y, points_.size());
}

}  // namespace tavo

#include <algorithm>

#include "objects/shapes/shapes.h"
#include "project/runwriter.h"

namespace tavo {

t_linie::t_linie() : t_punktobjekt(kKindLinie, 2) {}

void t_linie::SetEnds(double x1, double y1, double x2, double y2) {
  points_[0] = {x1, y1};
  points_[1] = {x2, y2};
  UpdateExtent();
}

void t_linie::WriteRunLines(RunWriter& out) const {
  // The terminal's line has no fill.
  WriteShapeRunLine(out, false, 2);
}

std::string t_linie::FormatFields() const {
  return Bracketed(FormatCommonFields() + ProjectPoints(2));
}

void t_linie::ParseFields(std::string_view rest) {
  ParseCommonFields(rest);
  ParsePoints(rest, 2);
  UpdateExtent();
}

void t_linie::WriteBinary(ByteSink& out) const {
  PutU8(out, Kind());
  WriteAttributes(out);
  WritePoints(out);
  WriteSwitching(out);
}

bool t_linie::ReadBinary(const ByteReader& read) {
  BinaryIn in(read);
  ReadAttributes(in);
  ReadPoints(in, 2);
  ReadSwitching(in);
  UpdateExtent();
  return in.ok();
}

void t_linie::Draw(tview& view, int mode) const {
  t_objekt::Draw(view, mode);
  view.Line(points_[0].x, points_[0].y, points_[1].x, points_[1].y);
}

void t_linie::UpdateExtent() {
  ExtentOver(2);
}

bool t_linie::HitTest(std::int16_t x, std::int16_t y) const {
  const TermPoint a = points_[0], b = points_[1];
  if (x < std::min(a.x, b.x) || x > std::max(a.x, b.x)) return false;
  if (y < std::min(a.y, b.y) || y > std::max(a.y, b.y)) return false;
  const double dx = b.x - a.x, dy = b.y - a.y;
  // Axis-parallel: the box test has already confined the point to the line.
  if (dx == 0 || dy == 0) return true;
  const double rx = x - a.x, ry = y - a.y;
  // A tolerance of 2 terminal units across and along, whatever the zoom.
  for (int step = -20; step <= 20; ++step) {
    const double h = (rx - step / 10.0) * dy / dx;
    if (h - 2 < ry && ry < h + 2) return true;
  }
  return false;
}

}  // namespace tavo

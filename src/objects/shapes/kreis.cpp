#include <cmath>
#include <numbers>

#include "objects/shapes/shapes.h"
#include "project/runwriter.h"

namespace tavo {

t_kreis::t_kreis() : t_punktobjekt(kKindKreis, kPoints) {}

void t_kreis::SetFromCentre(double cx, double cy, double px, double py) {
  const double rx = std::fabs(px - cx);
  const double ry = std::fabs(py - cy);
  // 45 steps of 8 degrees; point 45 closes the ring exactly on point 0
  // (cos and sin of 360 degrees are not exact in floating point).
  for (std::size_t i = 0; i < 45; ++i) {
    const double a = 8.0 * static_cast<double>(i) * std::numbers::pi / 180.0;
    points_[i] = {cx + rx * std::cos(a), cy + ry * std::sin(a)};
  }
  points_[45] = points_[0];
  UpdateExtent();
}

void t_kreis::WriteRunLines(RunWriter& out) const {
  WriteShapeRunLine(out, true, kPoints);
}

std::string t_kreis::FormatFields() const {
  return Bracketed(FormatCommonFields() + ProjectPoints(kPoints));
}

void t_kreis::ParseFields(std::string_view rest) {
  ParseCommonFields(rest);
  ParsePoints(rest, kPoints);
  UpdateExtent();
}

void t_kreis::WriteBinary(ByteSink& out) const {
  PutU8(out, Kind());
  WriteAttributes(out);
  WritePoints(out);
  WriteSwitching(out);
}

bool t_kreis::ReadBinary(const ByteReader& read) {
  BinaryIn in(read);
  ReadAttributes(in);
  ReadPoints(in, kPoints);
  ReadSwitching(in);
  UpdateExtent();
  return in.ok();
}

void t_kreis::Draw(tview& view, int mode) const {
  t_objekt::Draw(view, mode);
  DrawArea(view);
}

void t_kreis::UpdateExtent() {
  points_[kPoints - 1] = points_[0];
  ExtentOver(kPoints);
}

bool t_kreis::HitTest(std::int16_t x, std::int16_t y) const {
  return AreaHit(x, y, kPoints);
}

}  // namespace tavo

#include "objects/shapes/shapes.h"
#include "project/runwriter.h"

namespace tavo {

namespace {
constexpr std::size_t kCorners = 4;
constexpr std::size_t kRing = 5;  // the corners and a copy of the first
}  // namespace

t_rechteck::t_rechteck() : t_punktobjekt(kKindRechteck, kRing) {}

void t_rechteck::SetCorners(double x1, double y1, double x2, double y2) {
  points_[0] = {x1, y1};
  points_[1] = {x2, y1};
  points_[2] = {x2, y2};
  points_[3] = {x1, y2};
  UpdateExtent();
}

void t_rechteck::WriteRunLines(RunWriter& out) const {
  WriteShapeRunLine(out, true, kCorners);
}

std::string t_rechteck::FormatFields() const {
  return Bracketed(FormatCommonFields() + ProjectPoints(kCorners));
}

void t_rechteck::ParseFields(std::string_view rest) {
  ParseCommonFields(rest);
  ParsePoints(rest, kCorners);
  points_[4] = points_[0];
  UpdateExtent();
}

void t_rechteck::WriteBinary(ByteSink& out) const {
  PutU8(out, Kind());
  WriteAttributes(out);
  WritePoints(out);
  WriteSwitching(out);
}

bool t_rechteck::ReadBinary(const ByteReader& read) {
  BinaryIn in(read);
  ReadAttributes(in);
  ReadPoints(in, kRing);
  ReadSwitching(in);
  UpdateExtent();
  return in.ok();
}

void t_rechteck::Draw(tview& view, int mode) const {
  t_objekt::Draw(view, mode);
  DrawArea(view);
}

void t_rechteck::UpdateExtent() {
  ExtentOver(kCorners);
  points_[4] = points_[0];
}

bool t_rechteck::HitTest(std::int16_t x, std::int16_t y) const {
  return AreaHit(x, y, kRing);
}

}  // namespace tavo

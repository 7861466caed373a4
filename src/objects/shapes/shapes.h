#pragma once
// The static shapes: line, rectangle, circle and polygon. All four are
// point lists in terminal coordinates; rectangle and circle are closed point
// rings, so rotating and mirroring them works as for a polygon.

#include <vector>

#include "objects/objekt.h"
#include "project/nodepool.h"

namespace tavo {

struct TermPoint {
  double x = 0;
  double y = 0;
  bool operator==(const TermPoint&) const = default;
};

// A shape's points are made and released with it, by the thousand when a
// project is read or closed: they share the nodes' storage.
using PointList = std::vector<TermPoint, NodeAllocator<TermPoint>>;

// Common geometry of the point-based shapes.
class t_punktobjekt : public t_objekt {
 public:
  const PointList& Points() const { return points_; }
  void MoveBy(std::int16_t dx, std::int16_t dy) override;
  void Rotate(double centreX, double centreY, int degrees) override;
  void FitToFrame() override;
  std::unique_ptr<t_objekt> Clone() const override;

 protected:
  t_punktobjekt(std::uint8_t kind, std::size_t pointCount);

  // Smallest and largest x and y over points [0, count).
  void ExtentOver(std::size_t count);
  // ";x;y" per point [0, count) with RealToText.
  std::string ProjectPoints(std::size_t count) const;
  // ";x;y" per point [0, count), rounded.
  std::string RunPoints(std::size_t count) const;
  void AppendRunPoints(std::string& line, std::size_t count) const;
  // Reads points [0, count) with TextToReal, kept inside the terminal range.
  void ParsePoints(std::string_view& rest, std::size_t count);
  void WritePoints(ByteSink& out) const;
  // Answers how many points were read completely.
  std::size_t ReadPoints(BinaryIn& in, std::size_t count);
  // The attribute fields of the run line behind the switching rule.
  std::string RunAttributes(bool withFill) const;
  void AppendRunAttributes(std::string& line, bool withFill) const;
  // The whole run line of a plain shape: prefix, attributes, `count` points.
  void WriteShapeRunLine(RunWriter& out, bool withFill, std::size_t count) const;
  // Even-odd test on the scan line through (x, y) over the edges between
  // consecutive rounded points [0, pointCount).
  bool AreaHit(std::int16_t x, std::int16_t y, std::size_t pointCount) const;
  // One filled polygon through all rounded points, in the current style.
  void DrawArea(tview& view) const;

  PointList points_;
};

class t_linie : public t_punktobjekt {
 public:
  t_linie();
  void SetEnds(double x1, double y1, double x2, double y2);
  void WriteRunLines(RunWriter& out) const override;
  bool ReadBinary(const ByteReader& read) override;
  void ParseFields(std::string_view rest) override;
  void Draw(tview& view, int mode) const override;
  std::string FormatFields() const override;
  bool HitTest(std::int16_t x, std::int16_t y) const override;
  void UpdateExtent() override;
  void WriteBinary(ByteSink& out) const override;
};

class t_rechteck : public t_punktobjekt {
 public:
  t_rechteck();
  // Corners (x1, y1), (x2, y1), (x2, y2), (x1, y2) and the closing copy.
  void SetCorners(double x1, double y1, double x2, double y2);
  void WriteRunLines(RunWriter& out) const override;
  bool ReadBinary(const ByteReader& read) override;
  void ParseFields(std::string_view rest) override;
  void Draw(tview& view, int mode) const override;
  std::string FormatFields() const override;
  bool HitTest(std::int16_t x, std::int16_t y) const override;
  void UpdateExtent() override;
  void WriteBinary(ByteSink& out) const override;
};

class t_kreis : public t_punktobjekt {
 public:
  static constexpr std::size_t kPoints = 47;
  t_kreis();
  // The 45-gon through (cx + rx cos 8i, cy + ry sin 8i) with rx = |px - cx|,
  // ry = |py - cy|, closed by points 45 and 46.
  void SetFromCentre(double cx, double cy, double px, double py);
  void WriteRunLines(RunWriter& out) const override;
  bool ReadBinary(const ByteReader& read) override;
  void ParseFields(std::string_view rest) override;
  void Draw(tview& view, int mode) const override;
  std::string FormatFields() const override;
  bool HitTest(std::int16_t x, std::int16_t y) const override;
  void UpdateExtent() override;
  void WriteBinary(ByteSink& out) const override;
};

class t_polygon : public t_punktobjekt {
 public:
  // A finished polygon: 50 clicks and the closing copy of the first point.
  static constexpr std::size_t kMaxPoints = 51;
  t_polygon();
  // Keeps at most kMaxPoints points.
  void SetPoints(const std::vector<TermPoint>& points);
  // False when the polygon is full.
  bool AppendPoint(TermPoint point);
  int Count() const { return static_cast<int>(points_.size()); }
  void WriteRunLines(RunWriter& out) const override;
  bool ReadBinary(const ByteReader& read) override;
  void ParseFields(std::string_view rest) override;
  void Draw(tview& view, int mode) const override;
  std::string FormatFields() const override;
  bool HitTest(std::int16_t x, std::int16_t y) const override;
  void UpdateExtent() override;
  void WriteBinary(ByteSink& out) const override;
};

}  // namespace tavo

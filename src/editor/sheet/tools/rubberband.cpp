#include "editor/sheet/tools/rubberband.h"

#include <cmath>
#include <numbers>

#include "editor/sheet/picturepage.h"
#include "objects/rounding.h"

namespace tavo {

void RubberBandOutline::Show(const XorShape& shape) {
  if (shape == shown_) return;
  Draw(shown_);
  shown_ = shape;
  Draw(shown_);
}

void RubberBandOutline::Draw(const XorShape& shape) {
  Canvas* canvas = page_.View().canvas();
  if (!canvas || shape.Empty()) return;
  page_.BeginXorDrawing();
  const std::vector<sheet::WinPoint>& p = shape.points;
  switch (shape.kind) {
    case XorShape::Kind::Lines:
      canvas->MoveTo(p[0].x, p[0].y);
      for (std::size_t i = 1; i < p.size(); ++i) canvas->LineTo(p[i].x, p[i].y);
      break;
    case XorShape::Kind::Rectangle:
      if (p.size() == 2) canvas->Rectangle(p[0].x, p[0].y, p[1].x, p[1].y);
      break;
    case XorShape::Kind::Ellipse: {
      if (p.size() != 2) break;
      // The ring the circle tool creates: 45 corners, 8 degrees apart.
      const double cx = (p[0].x + p[1].x) / 2.0, cy = (p[0].y + p[1].y) / 2.0;
      const double rx = std::abs(p[1].x - p[0].x) / 2.0, ry = std::abs(p[1].y - p[0].y) / 2.0;
      std::vector<CanvasPoint> ring;
      ring.reserve(45);
      for (int i = 0; i < 45; ++i) {
        const double a = 8.0 * i * std::numbers::pi / 180.0;
        ring.push_back({RoundToI32(cx + rx * std::cos(a)), RoundToI32(cy + ry * std::sin(a))});
      }
      canvas->Polygon(ring);
      break;
    }
    case XorShape::Kind::None:
      break;
  }
  page_.EndXorDrawing();
}

}  // namespace tavo

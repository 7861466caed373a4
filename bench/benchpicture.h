#pragma once
// The picture the object and document benchmarks share: 2,000 mixed shapes
// (filled, patterned, rotated polygons and circles, nested groups).

#include <vector>

#include "objects/gruppe.h"
#include "objects/shapes/shapes.h"

namespace tavo::bench {

inline ObjectPtr MakeShape(int i) {
  const double x = (i * 37) % 600;
  const double y = (i * 53) % 440;
  switch (i % 4) {
    case 0: {
      auto line = std::make_unique<t_linie>();
      line->SetEnds(x, y, x + 40, y + 17);
      return line;
    }
    case 1: {
      auto rect = std::make_unique<t_rechteck>();
      rect->SetCorners(x, y, x + 30, y + 20);
      rect->SetFillPattern(static_cast<std::uint8_t>(1 + i % 11));
      rect->Rotate(x + 15, y + 10, i % 90);
      return rect;
    }
    case 2: {
      auto circle = std::make_unique<t_kreis>();
      circle->SetFromCentre(x, y, x + 25, y + 15);
      circle->SetFillColour(static_cast<std::uint8_t>(i % 16));
      circle->Rotate(x, y, 30);
      return circle;
    }
    default: {
      auto poly = std::make_unique<t_polygon>();
      std::vector<TermPoint> points;
      for (int k = 0; k < 20; ++k) points.push_back({x + (k % 2 ? 30 : 10) * (k % 5), y + 2.0 * k});
      points.push_back(points.front());
      poly->SetPoints(points);
      poly->SetFillPattern(static_cast<std::uint8_t>(2 + i % 10));
      poly->Rotate(x, y, 45);
      return poly;
    }
  }
}

// 2,000 leaf shapes; every tenth block of 20 sits in a group nested two deep.
inline ListPtr MakePicture() {
  ListPtr picture;
  t_liste* last = nullptr;
  int made = 0;
  while (made < 2000) {
    if (made % 200 == 0) {
      auto outer = std::make_unique<t_gruppe>();
      auto inner = std::make_unique<t_gruppe>();
      for (int k = 0; k < 10; ++k) inner->AppendMember(MakeShape(made++));
      outer->AppendMember(std::move(inner));
      for (int k = 0; k < 10; ++k) outer->AppendMember(MakeShape(made++));
      last = AppendNode(picture, last, std::move(outer));
    } else {
      last = AppendNode(picture, last, MakeShape(made++));
    }
  }
  return picture;
}

}  // namespace tavo::bench

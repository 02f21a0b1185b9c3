// Copper polygon of an element: closed contours in 16.16 fixed-point
// millimetres times a scale factor.
#pragma once

#include <cstdint>
#include <vector>

namespace bs {

struct TFixPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const TFixPoint&, const TFixPoint&) = default;
};

struct TPolygon {
  std::vector<std::vector<TFixPoint>> Contours;
};

}  // namespace bs

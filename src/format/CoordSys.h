// The CoordSys clause of a .mif header (the text after the keyword, its
// lines joined by blanks) and the Transform line: compared as MIF readers
// take them, and the Bounds that tiles of one projection each declare.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mif {

struct Bounds {
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  bool operator==(const Bounds&) const = default;
};

// Whether the clauses say the same, Bounds aside: words in any case,
// blanks, commas and parentheses only as separators, numbers by value
// ("0.9999" and "0.99990", "500000" and "5e5" are equal).
bool SameCoordSys(std::string_view a, std::string_view b);

// Whether the clause is longitude and latitude on the Earth: "Earth
// Projection 1, …".
bool IsLongitudeLatitude(std::string_view clause);

// The Bounds of a clause: the four numbers after the word Bounds.
std::optional<Bounds> BoundsOf(std::string_view clause);

// The smallest Bounds that hold both.
Bounds UnionOf(const Bounds& a, const Bounds& b);
// Whether `outer` holds all of `inner`.
bool Contains(const Bounds& outer, const Bounds& inner);

// The clause with its Bounds replaced by `bounds`, or removed when there
// are none: the text before the word Bounds, then " Bounds (x1, y1) (x2,
// y2)" in plain decimals, the fewest digits that read back as the same
// numbers.
std::string WithBounds(std::string_view clause, const std::optional<Bounds>& bounds);

// Whether two Transform lines (after the keyword) say the same, numbers by
// value.
bool SameTransform(std::string_view a, std::string_view b);

}  // namespace mif

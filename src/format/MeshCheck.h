// A tile's objects against its mesh: which of them have a point outside
// the mesh, widened by an allowance, and where the first of them lies.
// Points are longitude and latitude in degrees, compared from their
// decimal digits exactly, or a Transverse Mercator's metres, taken back to
// degrees first.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "format/MeshCode.h"
#include "format/ObjectPoints.h"
#include "format/TransverseMercator.h"

namespace mif {

class MeshCheck final : public PointSink {
 public:
  // `allowance` in ten-thousandths of the mesh's height and width a side;
  // `projection`, where the points are projected, outlives the check.
  MeshCheck(const MeshCell& cell, std::int64_t allowance,
            const TransverseMercator* projection = nullptr);

  void ObjectStarts(std::int64_t line) override;
  void Point(std::string_view x, std::string_view y) override;
  void FixedPoint(const FixedDecimal& x, const FixedDecimal& y, std::string_view xText,
                  std::string_view yText) override;

  std::int64_t OutsideObjects() const { return outside_; }
  // The line where the first object outside begins; 0 when none is.
  std::int64_t FirstOutsideLine() const { return firstLine_; }
  // The mesh of the mesh's level holding that object's first point
  // outside; nothing where it lies off the codes' range.
  const std::optional<MeshCell>& FirstOutsideMesh() const { return firstMesh_; }

 private:
  // The widened edges, in ten-thousandths of a quarter arc-second, and as
  // the mantissas of each number of places: a coordinate of p places lies
  // within when its mantissa is at least low[p] and below high[p].
  struct Axis {
    std::int64_t low, high;
    std::array<std::int64_t, 19> lowMantissa{}, highMantissa{};
    std::uint32_t known = 0;  // a bit a number of places
  };
  static bool Within(const FixedDecimal& value, Axis& axis);
  bool Holds(std::string_view x, std::string_view y);
  std::optional<Geographic> Projected(std::string_view x, std::string_view y) const;
  void Outside(std::string_view x, std::string_view y);

  const MeshCell cell_;
  const std::int64_t allowance_;
  const TransverseMercator* const projection_;
  Axis latitude_, longitude_;
  std::int64_t objectLine_ = 0;
  bool objectOutside_ = false;
  std::int64_t outside_ = 0;
  std::int64_t firstLine_ = 0;
  std::optional<MeshCell> firstMesh_;
};

}  // namespace mif

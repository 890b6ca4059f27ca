#include "format/MeshCheck.h"

#include <array>
#include <charconv>
#include <cmath>

namespace mif {

namespace {

constexpr std::int64_t kScale = 10000;  // the allowance's ten-thousandths
constexpr std::int64_t kFactor = kQuartersPerDegree * kScale;

constexpr std::array<std::int64_t, 19> kPowersOfTen = [] {
  std::array<std::int64_t, 19> powers{};
  powers[0] = 1;
  for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
  return powers;
}();

// The sign of value × kFactor − bound, exactly.
int Compare(const FixedDecimal& value, std::int64_t bound) {
  const __int128 left = static_cast<__int128>(value.mantissa) * kFactor;
  const __int128 right =
      static_cast<__int128>(bound) * kPowersOfTen[static_cast<std::size_t>(value.places)];
  return left < right ? -1 : left > right ? 1 : 0;
}

}  // namespace

MeshCheck::MeshCheck(const MeshCell& cell, std::int64_t allowance,
                     const TransverseMercator* projection)
    : cell_(cell),
      allowance_(allowance),
      projection_(projection),
      south_(cell.south * kScale - allowance * cell.height),
      north_(cell.North() * kScale + allowance * cell.height),
      west_(cell.west * kScale - allowance * cell.width),
      east_(cell.East() * kScale + allowance * cell.width) {}

void MeshCheck::ObjectStarts(std::int64_t line) {
  objectLine_ = line;
  objectOutside_ = false;
}

void MeshCheck::Point(std::string_view x, std::string_view y) {
  if (objectOutside_ || Holds(x, y)) return;
  objectOutside_ = true;
  ++outside_;
  if (firstLine_ == 0) Outside(x, y);
}

// Most coordinates have 18 digits or fewer and no exponent: compared as
// they are; the rest read whole first.
bool MeshCheck::Holds(std::string_view x, std::string_view y) const {
  if (projection_ != nullptr) {  // metres, not decimals: compared as doubles
    const std::optional<Geographic> point = Projected(x, y);
    if (!point) return true;  // no number a reader takes: not judged
    const double latitude = point->latitude * kFactor, longitude = point->longitude * kFactor;
    return latitude >= static_cast<double>(south_) && latitude < static_cast<double>(north_) &&
           longitude >= static_cast<double>(west_) && longitude < static_cast<double>(east_);
  }
  const std::optional<FixedDecimal> longitude = ParseFixedDecimal(x);
  const std::optional<FixedDecimal> latitude = ParseFixedDecimal(y);
  if (longitude && latitude) {
    return Compare(*latitude, south_) >= 0 && Compare(*latitude, north_) < 0 &&
           Compare(*longitude, west_) >= 0 && Compare(*longitude, east_) < 0;
  }
  const std::optional<ExactDecimal> exactX = ParseExactDecimal(x);
  const std::optional<ExactDecimal> exactY = ParseExactDecimal(y);
  if (!exactX || !exactY) return true;  // no number a reader takes: not judged
  return HoldsWidened(cell_, *exactY, *exactX, allowance_);
}

std::optional<Geographic> MeshCheck::Projected(std::string_view x, std::string_view y) const {
  double easting = 0, northing = 0;
  const auto [xEnd, xError] = std::from_chars(x.data(), x.data() + x.size(), easting);
  const auto [yEnd, yError] = std::from_chars(y.data(), y.data() + y.size(), northing);
  if (xError != std::errc() || yError != std::errc() || xEnd != x.data() + x.size() ||
      yEnd != y.data() + y.size()) {
    return std::nullopt;
  }
  return projection_->ToGeographic(easting, northing);
}

void MeshCheck::Outside(std::string_view x, std::string_view y) {
  firstLine_ = objectLine_;
  if (projection_ != nullptr) {
    const std::optional<Geographic> point = Projected(x, y);
    if (!point) return;
    firstMesh_ = MeshCellAt(
        static_cast<std::int64_t>(std::floor(point->latitude * kQuartersPerDegree)),
        static_cast<std::int64_t>(std::floor(point->longitude * kQuartersPerDegree)), cell_.level);
    return;
  }
  const std::optional<ExactDecimal> exactX = ParseExactDecimal(x);
  const std::optional<ExactDecimal> exactY = ParseExactDecimal(y);
  if (!exactX || !exactY) return;  // no number a reader takes: no mesh to name
  firstMesh_ = MeshCellAt(FloorTimes(*exactY, kQuartersPerDegree),
                          FloorTimes(*exactX, kQuartersPerDegree), cell_.level);
}

}  // namespace mif

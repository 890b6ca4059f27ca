#include "format/MeshCheck.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace mif {

namespace {

constexpr std::int64_t kScale = 10000;  // the allowance's ten-thousandths
constexpr std::int64_t kFactor = kQuartersPerDegree * kScale;

// The least mantissa m of `places` places with m × kFactor ≥ bound ×
// 10^places, held to what a mantissa of 18 digits can be.
std::int64_t LeastMantissa(std::int64_t bound, int places) {
  const __int128 scaled =
      static_cast<__int128>(bound) * kPowersOfTen[static_cast<std::size_t>(places)];
  __int128 least = scaled / kFactor;
  if (least * kFactor < scaled) ++least;  // rounded up, for either sign
  constexpr __int128 kLimit = kPowersOfTen[18];
  return static_cast<std::int64_t>(std::clamp(least, -kLimit, kLimit));
}

}  // namespace

MeshCheck::MeshCheck(const MeshCell& cell, std::int64_t allowance,
                     const TransverseMercator* projection)
    : cell_(cell),
      allowance_(allowance),
      projection_(projection),
      latitude_{cell.south * kScale - allowance * cell.height,
                cell.North() * kScale + allowance * cell.height},
      longitude_{cell.west * kScale - allowance * cell.width,
                 cell.East() * kScale + allowance * cell.width} {}

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

bool MeshCheck::Within(const FixedDecimal& value, Axis& axis) {
  const auto places = static_cast<std::size_t>(value.places);
  if ((axis.known >> places & 1) == 0) {
    axis.lowMantissa[places] = LeastMantissa(axis.low, value.places);
    axis.highMantissa[places] = LeastMantissa(axis.high, value.places);
    axis.known |= 1u << places;
  }
  return value.mantissa >= axis.lowMantissa[places] && value.mantissa < axis.highMantissa[places];
}

// A point inside is done with here; one outside is told as Point tells it.
void MeshCheck::FixedPoint(const FixedDecimal& x, const FixedDecimal& y, std::string_view xText,
                           std::string_view yText) {
  if (projection_ == nullptr && Within(y, latitude_) && Within(x, longitude_)) return;
  Point(xText, yText);
}

// Most coordinates have 18 digits or fewer and no exponent: compared as
// they are; the rest read whole first.
bool MeshCheck::Holds(std::string_view x, std::string_view y) {
  if (projection_ != nullptr) {  // metres, not decimals: compared as doubles
    const std::optional<Geographic> point = Projected(x, y);
    if (!point) return true;  // no number a reader takes: not judged
    const double latitude = point->latitude * kFactor, longitude = point->longitude * kFactor;
    return latitude >= static_cast<double>(latitude_.low) &&
           latitude < static_cast<double>(latitude_.high) &&
           longitude >= static_cast<double>(longitude_.low) &&
           longitude < static_cast<double>(longitude_.high);
  }
  const std::optional<FixedDecimal> longitude = ParseFixedDecimal(x);
  const std::optional<FixedDecimal> latitude = ParseFixedDecimal(y);
  if (longitude && latitude) return Within(*latitude, latitude_) && Within(*longitude, longitude_);
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

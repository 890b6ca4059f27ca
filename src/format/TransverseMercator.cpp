#include "format/TransverseMercator.h"

#include <cmath>
#include <vector>

#include "format/HeaderWords.h"
#include "text/AsciiCase.h"

namespace mif {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadian = kPi / 180;

}  // namespace

std::optional<TransverseMercator> TransverseMercator::Of(std::string_view clause) {
  const std::vector<HeaderWord> words = SplitHeaderWords(clause, " \t,()");
  if (words.size() < 10 || !EqualsIgnoringAsciiCase(words[0].text, "Earth") ||
      !EqualsIgnoringAsciiCase(words[1].text, "Projection") || NumberOf(words[2].text) != 8.0 ||
      !EqualsIgnoringAsciiCase(words[4].text, "m")) {
    return std::nullopt;
  }
  std::array<double, 5> numbers{};  // the origin, the scale, the false easting and northing
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    const std::optional<double> number = NumberOf(words[5 + i].text);
    if (!number) return std::nullopt;
    numbers[i] = *number;
  }
  const bool tokyo = NumberOf(words[3].text) == 97.0;
  return TransverseMercator(tokyo ? 6377397.155 : 6378137.0, tokyo ? 299.152813 : 298.257222101,
                            numbers[0], numbers[1], numbers[2], numbers[3], numbers[4]);
}

TransverseMercator::TransverseMercator(double semiMajorAxis, double inverseFlattening,
                                       double originLongitude, double originLatitude, double scale,
                                       double falseEasting, double falseNorthing)
    : originLongitude_(originLongitude),
      falseEasting_(falseEasting),
      falseNorthing_(falseNorthing) {
  const double n = 1 / (2 * inverseFlattening - 1);
  const double n2 = n * n, n3 = n2 * n, n4 = n3 * n, n5 = n4 * n, n6 = n5 * n;
  const std::array<double, 6> arc = {1 + n2 / 4 + n4 / 64,      -1.5 * (n - n3 / 8 - n5 / 64),
                                     15.0 / 16 * (n2 - n4 / 4), -35.0 / 48 * (n3 - 5 * n5 / 16),
                                     315.0 / 512 * n4,          -693.0 / 1280 * n5};
  const double radius = scale * semiMajorAxis / (1 + n);
  rectifying_ = radius * arc[0];
  const double phi = originLatitude * kRadian;
  double sum = arc[0] * phi;
  for (int j = 1; j <= 5; ++j) sum += arc[static_cast<std::size_t>(j)] * std::sin(2 * j * phi);
  originArc_ = radius * sum;
  beta_ = {n / 2 - 2 * n2 / 3 + 37 * n3 / 96 - n4 / 360 - 81 * n5 / 512,
           n2 / 48 + n3 / 15 - 437 * n4 / 1440 + 46 * n5 / 105,
           17 * n3 / 480 - 37 * n4 / 840 - 209 * n5 / 4480, 4397 * n4 / 161280 - 11 * n5 / 504,
           4583 * n5 / 161280};
  delta_ = {2 * n - 2 * n2 / 3 - 2 * n3 + 116 * n4 / 45 + 26 * n5 / 45 - 2854 * n6 / 675,
            7 * n2 / 3 - 8 * n3 / 5 - 227 * n4 / 45 + 2704 * n5 / 315 + 2323 * n6 / 945,
            56 * n3 / 15 - 136 * n4 / 35 - 1262 * n5 / 105 + 73814 * n6 / 2835,
            4279 * n4 / 630 - 332 * n5 / 35 - 399572 * n6 / 14175,
            4174 * n5 / 315 - 144838 * n6 / 6237,
            601676 * n6 / 22275};
}

Geographic TransverseMercator::ToGeographic(double easting, double northing) const {
  const double xi = (northing - falseNorthing_ + originArc_) / rectifying_;
  const double eta = (easting - falseEasting_) / rectifying_;
  double xiPrime = xi, etaPrime = eta;
  for (std::size_t j = 1; j <= beta_.size(); ++j) {
    const double k = 2.0 * static_cast<double>(j);
    xiPrime -= beta_[j - 1] * std::sin(k * xi) * std::cosh(k * eta);
    etaPrime -= beta_[j - 1] * std::cos(k * xi) * std::sinh(k * eta);
  }
  const double chi = std::asin(std::sin(xiPrime) / std::cosh(etaPrime));
  double latitude = chi;
  for (std::size_t j = 1; j <= delta_.size(); ++j) {
    latitude += delta_[j - 1] * std::sin(2.0 * static_cast<double>(j) * chi);
  }
  return {latitude / kRadian,
          originLongitude_ + std::atan(std::sinh(etaPrime) / std::cos(xiPrime)) / kRadian};
}

}  // namespace mif

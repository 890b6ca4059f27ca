// Points of a Transverse Mercator projection (MIF's "Earth Projection 8",
// Japan's plane rectangular systems I–XIX among them) back to longitude and
// latitude, by the Krüger series the Geospatial Information Authority of
// Japan publishes for them (Kawase 2011): well under a millimetre within
// the systems' reach.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace mif {

struct Geographic {
  double latitude = 0, longitude = 0;  // degrees
};

class TransverseMercator {
 public:
  // The projection a CoordSys clause declares: "Earth Projection 8, datum,
  // "m", origin longitude, origin latitude, scale, false easting, false
  // northing" (Bounds aside). Nothing for another clause, or for units
  // other than metres. The Tokyo datum (97) is on Bessel's ellipsoid,
  // every other on GRS 80's.
  static std::optional<TransverseMercator> Of(std::string_view clause);

  TransverseMercator(double semiMajorAxis, double inverseFlattening, double originLongitude,
                     double originLatitude, double scale, double falseEasting,
                     double falseNorthing);

  Geographic ToGeographic(double easting, double northing) const;

 private:
  double originLongitude_, falseEasting_, falseNorthing_;
  double rectifying_;  // Ā: the meridian's rectifying radius, scaled
  double originArc_;   // S̄: the meridian arc to the origin's latitude, scaled
  std::array<double, 5> beta_{};
  std::array<double, 6> delta_{};
};

}  // namespace mif

#include "format/TransverseMercator.h"

#include <gtest/gtest.h>

namespace mif {
namespace {

// Expected values from GDAL's gdaltransform (PROJ): -s_srs EPSG:6677 (JGD2011
// plane rectangular IX) -t_srs EPSG:6668, and EPSG:30169 (Tokyo IX) to
// EPSG:4301, easting first.
TEST(TransverseMercator, PlaneRectangularIxAsProjTakesIt) {
  const auto ix =
      TransverseMercator::Of("Earth Projection 8, 104, \"m\", 139.833333333333, 36, 0.9999, 0, 0");
  ASSERT_TRUE(ix);
  const auto at = [&](double easting, double northing, double longitude, double latitude) {
    const Geographic point = ix->ToGeographic(easting, northing);
    EXPECT_NEAR(point.longitude, longitude, 1e-9) << easting << " " << northing;
    EXPECT_NEAR(point.latitude, latitude, 1e-9) << easting << " " << northing;
  };
  at(0, 0, 139.833333333333, 36);
  at(-6185.59319294257, -35833.0563067029, 139.765, 35.677);
  at(50000, -80000, 140.382964418371, 35.2776489897161);
  at(-120000, 150000, 138.47896700934, 37.3440789839453);
  const auto tokyo = TransverseMercator::Of(
      "Earth Projection 8, 97, \"m\", 139.833333333333, 36, 0.9999, 0, 0 Bounds (-1, -1) (1, 1)");
  ASSERT_TRUE(tokyo);
  const Geographic point = tokyo->ToGeographic(50000, -80000);
  EXPECT_NEAR(point.longitude, 140.383029500276, 1e-9);
  EXPECT_NEAR(point.latitude, 35.2775722129983, 1e-9);
}

TEST(TransverseMercator, OnlyTransverseMercatorInMetres) {
  EXPECT_FALSE(TransverseMercator::Of("Earth Projection 1, 104"));
  EXPECT_FALSE(TransverseMercator::Of("Earth Projection 8, 104, \"ft\", 139, 36, 0.9999, 0, 0"));
  EXPECT_FALSE(TransverseMercator::Of("Earth Projection 8, 104, \"m\", 139, 36"));
  EXPECT_FALSE(TransverseMercator::Of("NonEarth Units \"m\""));
}

}  // namespace
}  // namespace mif

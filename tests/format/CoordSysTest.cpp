#include "format/CoordSys.h"

#include <gtest/gtest.h>

namespace mif {
namespace {

// A clause of the shape MapInfo writes for Japan's plane rectangular zone
// IX (Transverse Mercator, origin 139°50' E, 36° N, scale 0.9999).
const char* kZone9 =
    "Earth Projection 8, 1000, \"m\", 139.8333333333, 36, 0.9999, 0, 0 "
    "Bounds (-200000, -200000) (200000, 200000)";

TEST(CoordSys, TheSameClauseInOtherSpellings) {
  EXPECT_TRUE(SameCoordSys(kZone9,
                           "EARTH  projection 8,1000,\"M\",139.83333333330,3.6e1,0.99990,0,0 "
                           "Bounds (0, 0) (10, 10)"));  // Bounds aside
  EXPECT_TRUE(SameCoordSys("Earth Projection 1, 104", "Earth Projection 1,104"));
}

TEST(CoordSys, AnotherZoneDatumOrParameterDiffers) {
  // Zone X (140°50' E, 40° N), another datum number, another scale.
  EXPECT_FALSE(
      SameCoordSys(kZone9, "Earth Projection 8, 1000, \"m\", 140.8333333333, 40, 0.9999, 0, 0"));
  EXPECT_FALSE(
      SameCoordSys(kZone9, "Earth Projection 8, 97, \"m\", 139.8333333333, 36, 0.9999, 0, 0"));
  EXPECT_FALSE(
      SameCoordSys(kZone9, "Earth Projection 8, 1000, \"m\", 139.8333333333, 36, 1, 0, 0"));
  EXPECT_FALSE(SameCoordSys("Earth Projection 1, 104", "NonEarth Units \"m\""));
}

TEST(CoordSys, BoundsAreReadJoinedAndWrittenBack) {
  EXPECT_EQ(BoundsOf(kZone9), (Bounds{-200000, -200000, 200000, 200000}));
  EXPECT_EQ(BoundsOf("Earth Projection 1, 104"), std::nullopt);
  // Corners in either order.
  EXPECT_EQ(BoundsOf("NonEarth Units \"m\" Bounds (10, 0) (0, 5)"), (Bounds{0, 0, 10, 5}));
  const Bounds both = UnionOf({0, 0, 10, 10}, {-5, 2, 3, 20.5});
  EXPECT_EQ(both, (Bounds{-5, 0, 10, 20.5}));
  EXPECT_TRUE(Contains(both, {0, 0, 10, 10}));
  EXPECT_FALSE(Contains({0, 0, 10, 10}, both));
  EXPECT_EQ(WithBounds("NonEarth Units \"m\"  Bounds (0, 0) (1, 1)", both),
            "NonEarth Units \"m\" Bounds (-5, 0) (10, 20.5)");
  EXPECT_EQ(WithBounds(kZone9, std::nullopt),
            "Earth Projection 8, 1000, \"m\", 139.8333333333, 36, 0.9999, 0, 0");
}

TEST(CoordSys, TransformsCompareByValue) {
  EXPECT_TRUE(SameTransform("1, 1, 0, 0", "1.0,1 , 0 ,0"));
  EXPECT_FALSE(SameTransform("1, 1, 0, 0", "1, 1, 100, 0"));
}

}  // namespace
}  // namespace mif

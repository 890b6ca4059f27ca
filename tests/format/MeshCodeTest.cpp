#include "format/MeshCode.h"

#include <gtest/gtest.h>

namespace mif {
namespace {

constexpr std::int64_t kDegree = kQuartersPerDegree;

ExactDecimal Degrees(std::string_view text) { return *ParseExactDecimal(text); }

// The code of the mesh of `level` holding the point, in degrees as written.
std::string CodeAt(std::string_view latitude, std::string_view longitude, MeshLevel level) {
  return MeshCodeOf(*MeshCellAt(FloorTimes(Degrees(latitude), kDegree),
                                FloorTimes(Degrees(longitude), kDegree), level));
}

// The worked example of the standard's arithmetic: 53394611 is latitude
// 35.675°–35.683333° (35°40′30″–35°41′), longitude 139.7625°–139.775°.
TEST(MeshCode, TheWorkedExampleAtEveryLevel) {
  const MeshCell third = *ParseMeshCode("53394611");
  EXPECT_EQ(third.level, MeshLevel::Third);
  EXPECT_EQ(third.south, 35 * kDegree + 40 * 240 + 30 * 4);  // 35°40′30″
  EXPECT_EQ(third.North(), 35 * kDegree + 41 * 240);         // 35°41′
  EXPECT_EQ(third.west, 139 * kDegree + 7625 * kDegree / 10000);
  EXPECT_EQ(third.East(), 139 * kDegree + 775 * kDegree / 1000);
  // Its parents: 5339 is 35°20′–36°, 139°–140°; 533946 is 35°40′–35°45′,
  // 139°45′–139°52′30″.
  EXPECT_EQ(*ParseMeshCode("5339"),
            (MeshCell{MeshLevel::First, 35 * kDegree + 20 * 240, 139 * kDegree, 9600, 14400}));
  EXPECT_EQ(*ParseMeshCode("533946"), (MeshCell{MeshLevel::Second, 35 * kDegree + 40 * 240,
                                                139 * kDegree + 45 * 240, 1200, 1800}));
  // The half mesh 1 is the third's south-west quarter, 4 its north-east;
  // the quarter mesh 3 of that is its north-west.
  const MeshCell southWest = *ParseMeshCode("533946111");
  EXPECT_EQ(southWest.south, third.south);
  EXPECT_EQ(southWest.west, third.west);
  EXPECT_EQ(southWest.height * 2, third.height);
  const MeshCell northEast = *ParseMeshCode("533946114");
  EXPECT_EQ(northEast.North(), third.North());
  EXPECT_EQ(northEast.East(), third.East());
  const MeshCell quarter = *ParseMeshCode("5339461143");
  EXPECT_EQ(quarter.North(), third.North());
  EXPECT_EQ(quarter.west, northEast.west);
  EXPECT_EQ(quarter.height, 30);
  EXPECT_EQ(quarter.width, 45);
  for (const char* code : {"5339", "533946", "53394611", "533946111", "533946114", "5339461143"}) {
    EXPECT_EQ(MeshCodeOf(*ParseMeshCode(code)), code);
    EXPECT_EQ(CellOfKey(KeyOf(*ParseMeshCode(code))), *ParseMeshCode(code)) << code;
  }
  // Keys of a level sort south to north, then west to east: 53394612 is
  // east of 53394611, 53394621 north of it.
  EXPECT_LT(KeyOf(third), KeyOf(*ParseMeshCode("53394612")));
  EXPECT_LT(KeyOf(*ParseMeshCode("53394619")), KeyOf(*ParseMeshCode("53394621")));
}

// Japan's outermost first-order meshes, placed from the islands' rounded
// coordinates: Wakkanai (45.4° N, 141.7° E), Okinotorishima (20.42° N,
// 136.08° E), Minamitorishima (24.28° N, 153.98° E), Yonaguni (24.45° N,
// 122.93° E).
TEST(MeshCode, JapansEdgesArePlacedInTheirMeshes) {
  EXPECT_EQ(CodeAt("45.4", "141.7", MeshLevel::First), "6841");
  EXPECT_EQ(CodeAt("20.42", "136.08", MeshLevel::First), "3036");
  EXPECT_EQ(CodeAt("24.28", "153.98", MeshLevel::First), "3653");
  EXPECT_EQ(CodeAt("24.45", "122.93", MeshLevel::First), "3622");
  // Outside the codes' range there is no mesh.
  EXPECT_FALSE(MeshCellAt(-1, 120 * kDegree, MeshLevel::First));
  EXPECT_FALSE(MeshCellAt(35 * kDegree, 99 * kDegree, MeshLevel::First));
  EXPECT_FALSE(MeshCellAt(35 * kDegree, 200 * kDegree, MeshLevel::First));
  EXPECT_FALSE(NeighbourOf(*ParseMeshCode("0000"), -1, 0));
}

TEST(MeshCode, InvalidDigitsAreNoCode) {
  for (const char* code : {"", "533", "53394", "5339461", "53394611111", "5339a611", "53394811",
                           "53398611", "533946110", "533946115", "5339461115", "５３３９"}) {
    EXPECT_FALSE(ParseMeshCode(code)) << code;
  }
}

// A mesh holds its south and west edges, its neighbours the north and
// east ones; 35.683333333333334 is the double nearest 35°41′, printed in
// full, and lies north of it, where a product of doubles would not say.
TEST(MeshCode, PointsOnTheEdgesBelongToTheMeshNorthAndEastOfThem) {
  EXPECT_EQ(CodeAt("35.675", "139.7625", MeshLevel::Third), "53394611");
  EXPECT_EQ(CodeAt("35.68333333333333", "139.77499999", MeshLevel::Third), "53394611");
  EXPECT_EQ(CodeAt("35.683333333333334", "139.7625", MeshLevel::Third), "53394621");
  EXPECT_EQ(CodeAt("35.675", "139.775", MeshLevel::Third), "53394612");
  EXPECT_EQ(CodeAt("35.674999999999999999999", "139.7625", MeshLevel::Third), "53394601");
  EXPECT_EQ(MeshCodeOf(*NeighbourOf(*ParseMeshCode("53394619"), 0, 1)), "53394710");
  EXPECT_EQ(MeshCodeOf(*NeighbourOf(*ParseMeshCode("53397699"), 1, 0)), "54390609");
}

// 1.5 % of 53394611's 30″ by 45″ is 0.000125° north and south and
// 0.0001875° east and west: widened, it is 35.674875°–35.683458…° by
// 139.7623125°–139.7751875°.
TEST(MeshCode, AnAllowanceWidensTheMeshOnEachSide) {
  const MeshCell cell = *ParseMeshCode("53394611");
  const auto holds = [&](std::string_view latitude, std::string_view longitude) {
    return HoldsWidened(cell, Degrees(latitude), Degrees(longitude), 150);
  };
  EXPECT_TRUE(holds("35.674875", "139.7623125"));
  EXPECT_FALSE(holds("35.674874", "139.77"));
  EXPECT_FALSE(holds("35.68", "139.7623124"));
  EXPECT_TRUE(holds("35.683458", "139.7751874"));
  EXPECT_FALSE(holds("35.68346", "139.77"));
  EXPECT_FALSE(holds("35.68", "139.7751875"));
  EXPECT_FALSE(HoldsWidened(cell, Degrees("35.674999"), Degrees("139.77"), 0));
}

}  // namespace
}  // namespace mif

// Tiles checked against the meshes their names give (--mesh).
#include <gtest/gtest.h>

#include "MergeFixture.h"
#include "format/MeshCoverage.h"
#include "text/Utf8.h"

namespace mif {
namespace {

using testing::Header;
using testing::MergeFixture;

class MeshRun : public MergeFixture {
 protected:
  void SetUp() override { options.mesh = MeshTiles::Required; }
  // A point a line in 53394611 (35.675°–35.683333°, 139.7625°–139.775°),
  // or at the coordinates given.
  void Tile(const std::string& base, const std::string& extra = "",
            const std::string& points = "Point 139.77 35.68\r\nPoint 139.765 35.677\r\n") {
    Pair(base, Header(1, extra) + points, "1\r\n2\r\n");
  }
};

// A tile under its neighbour's name is told with where its objects lie; the
// rows are copied all the same.
TEST_F(MeshRun, ATileUnderItsNeighboursCodeIsWarnedOf) {
  Tile("53394611__ROAD");
  Tile("53394612__ROAD");  // 53394611's points, saved as the tile east of it
  Run({"53394611__ROAD", "53394612__ROAD"});
  ASSERT_EQ(inputs->kinds, std::vector<WarningKind>{WarningKind::OutsideMesh});
  EXPECT_EQ(EncodeUtf8(inputs->warnings[0]),
            "タイルのメッシュ 53394612 の外に点のあるオブジェクトが 2 個あります (最初は 6 行目で、"
            "メッシュ 53394611 にあります): " +
                dir.File("53394612__ROAD.mif"));
  EXPECT_EQ(inputs->reports[1].warnings.size(), 1u);
  EXPECT_NE(Out(".mid").find("\"ROAD\"\t2\r\n\"ROAD\"\t1\r\n\"ROAD\"\t2"), std::string::npos);
}

// The allowance is 1 % of the mesh a side unless set: 139.7751 lies 0.0001°
// east of 53394611, within 1 % (0.000125°), not within 0.5 %.
TEST_F(MeshRun, PointsJustOutsideAreWithinTheAllowance) {
  Tile("53394611__ROAD", "", "Line 139.7624 35.675 139.7751 35.68\r\nNone\r\n");
  Run({"53394611__ROAD"});
  EXPECT_TRUE(inputs->kinds.empty());
  options.meshAllowance = 50;
  Run({"53394611__ROAD"});
  EXPECT_EQ(inputs->kinds, std::vector<WarningKind>{WarningKind::OutsideMesh});
}

// A name whose tile is no mesh code is refused before anything is written;
// the check says so at the source.
TEST_F(MeshRun, ATileThatIsNoMeshCodeIsRefusedBeforeAnythingIsWritten) {
  Tile("53394611__ROAD");
  Tile("road__ROAD");
  Tile("53394819__ROAD");  // its longitude digit 8 is no second-order digit
  for (const char* bad : {"road__ROAD", "53394819__ROAD"}) {
    const std::string refusal = EncodeUtf8(Refusal({"53394611__ROAD", bad}));
    EXPECT_NE(refusal.find("がメッシュコード (JIS X 0410 の 4、6、8、9、10 桁) ではありません"),
              std::string::npos)
        << refusal;
    EXPECT_NE(refusal.find(bad), std::string::npos) << refusal;
    EXPECT_FALSE(OutExists());
  }
  const std::vector<SourceReport> checked = Check({"53394611__ROAD", "road__ROAD"});
  ASSERT_EQ(checked.size(), 2u);
  EXPECT_TRUE(checked[0].problems.empty());
  EXPECT_EQ(checked[1].problems.size(), 1u);
}

// Plane rectangular IX's (-6185.593, -35833.056) is 139.765° 35.677°, in
// 53394611 (gdaltransform -s_srs EPSG:6677 -t_srs EPSG:6668): right under
// that code, warned of under its neighbour's.
TEST_F(MeshRun, PlaneRectangularPointsAreTakenBackToTheirMesh) {
  const std::string ix =
      "CoordSys Earth Projection 8, 104, \"m\", 139.833333333333, 36, 0.9999, 0, 0\r\n";
  const std::string points = "Point -6185.59319294257 -35833.0563067029\r\nNone\r\n";
  Tile("53394611__ROAD", ix, points);
  Tile("53394612__ROAD", ix, points);
  Run({"53394611__ROAD", "53394612__ROAD"});
  ASSERT_EQ(inputs->kinds, std::vector<WarningKind>{WarningKind::OutsideMesh});
  EXPECT_NE(EncodeUtf8(inputs->warnings[0]).find("メッシュ 53394611 にあります): "),
            std::string::npos);
  EXPECT_NE(EncodeUtf8(inputs->warnings[0]).find("53394612__ROAD.mif"), std::string::npos);
  EXPECT_TRUE(inputs->notes.empty());
}

// Points in another CoordSys are not placed: noted once a run, not warned
// of.
TEST_F(MeshRun, AnotherCoordSysIsNotedOnce) {
  const std::string lambert = "CoordSys Earth Projection 3, 104, \"m\", 135, 36, 33, 39, 0, 0\r\n";
  Tile("53394611__ROAD", lambert, "Point -3000 -5000\r\nPoint 1 2\r\n");
  Tile("53394612__ROAD", lambert, "Point -3000 -5000\r\nPoint 1 2\r\n");
  Run({"53394611__ROAD", "53394612__ROAD"});
  EXPECT_TRUE(inputs->kinds.empty());
  ASSERT_EQ(inputs->notes.size(), 1u);
  EXPECT_NE(EncodeUtf8(inputs->notes[0]).find("CoordSys が経緯度ではないため"), std::string::npos);
}

// A tile of many buffers is checked on a second thread behind the copy:
// its one object outside, at its end, is told at its own source with its
// line, before the next tile, which lies inside, is done.
TEST_F(MeshRun, ALargeTilesObjectsAreCheckedBehindTheCopy) {
  std::string points = "Pline 20000\r\n", rows;
  for (int i = 0; i < 20000; ++i) points += "139.76" + std::to_string(5 + i % 5) + " 35.68\r\n";
  points += "Point 139.78 35.68\r\n";  // 53394612's
  Tile("53394611__ROAD", "", points);
  Tile("53394611__RIVER");
  Run({"53394611__ROAD", "53394611__RIVER"});
  ASSERT_EQ(inputs->kinds, std::vector<WarningKind>{WarningKind::OutsideMesh});
  EXPECT_NE(
      EncodeUtf8(inputs->warnings[0]).find("1 個あります (最初は 20007 行目で、メッシュ 53394612"),
      std::string::npos)
      << EncodeUtf8(inputs->warnings[0]);
  EXPECT_EQ(inputs->reports[0].warnings.size(), 1u);
  EXPECT_TRUE(inputs->reports[1].warnings.empty());
}

// A tile's report waits for its check while the next is copied: when that
// next one is refused, the tile is still told first, merged, with its
// warning, and the output keeps it.
TEST_F(MeshRun, ATileCheckedBehindIsToldBeforeTheNextSourcesRefusal) {
  std::string points = "Pline 20000\r\n";
  for (int i = 0; i < 20000; ++i) points += "139.76" + std::to_string(5 + i % 5) + " 35.68\r\n";
  points += "Point 139.78 35.68\r\n";
  Tile("53394611__ROAD", "", points);
  Pair("53394612__ROAD", Header(1) + "Point 139.78 35.68\r\n", "1\r\n2\r\n");  // a row too many
  const std::string refusal = EncodeUtf8(Refusal({"53394611__ROAD", "53394612__ROAD"}));
  EXPECT_NE(refusal.find("53394612__ROAD"), std::string::npos) << refusal;
  ASSERT_EQ(inputs->reports.size(), 2u);
  EXPECT_EQ(inputs->reports[0].status, SourceStatus::Merged);
  EXPECT_EQ(inputs->reports[0].warnings.size(), 1u);
  EXPECT_EQ(inputs->reports[1].status, SourceStatus::Refused);
  EXPECT_NE(Out(".mid").find("\"ROAD\"\t2\r\n"), std::string::npos);
}

// What the run learns of its tiles comes back as their coverage: a source
// given twice makes its tile duplicated, a tile under its neighbour's code
// outside.
TEST_F(MeshRun, TheRunGivesItsTilesOnTheGrid) {
  Tile("53394611__ROAD");
  Tile("53394612__ROAD");
  Tile("53394611__RIVER");
  const RunReport run =
      Run({"53394611__ROAD", "53394612__ROAD", "53394611__RIVER", "53394611__ROAD"});
  ASSERT_NE(run.coverage, nullptr);
  const MeshCoverage& coverage = *run.coverage;
  EXPECT_EQ(coverage.LayerNames(), (std::vector<std::u16string>{u"ROAD", u"RIVER"}));
  ASSERT_EQ(coverage.Parts().size(), 2u);
  const auto roads = coverage.TilesOf(coverage.Parts()[0]);
  ASSERT_EQ(roads.size(), 2u);
  EXPECT_EQ(MeshCodeOf(CellOfKey(roads[0].key)), "53394611");
  EXPECT_TRUE(roads[0].duplicated);
  EXPECT_FALSE(roads[0].outside);
  EXPECT_TRUE(roads[1].outside);
  EXPECT_EQ(coverage.CountsOf(&coverage.Parts()[1], MeshLevel::Third).absent, 1);
}

// The window's runs judge tiles only where every tile is a mesh code.
TEST_F(MeshRun, WhereATileIsNoCodeTheWindowsRunLeavesTilesAlone) {
  options.mesh = MeshTiles::IfCodes;
  Tile("53394611__ROAD");
  Tile("53394612__ROAD");
  Tile("road__ROAD");
  EXPECT_NE(Run({"53394611__ROAD", "53394612__ROAD"}).coverage, nullptr);
  EXPECT_EQ(inputs->kinds, std::vector<WarningKind>{WarningKind::OutsideMesh});
  EXPECT_EQ(Run({"53394611__ROAD", "53394612__ROAD", "road__ROAD"}).coverage, nullptr);
  EXPECT_TRUE(inputs->kinds.empty());
  EXPECT_NE(Out(".mid").find("\"ROAD\"\t2\r\n"), std::string::npos);
}

}  // namespace
}  // namespace mif

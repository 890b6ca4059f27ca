#include "format/MeshCoverage.h"

#include <gtest/gtest.h>

#include <map>

namespace mif {
namespace {

MeshKey Key(const char* code) { return KeyOf(*ParseMeshCode(code)); }

std::vector<std::string> Codes(const std::vector<MeshKey>& keys) {
  std::vector<std::string> codes;
  for (MeshKey key : keys) codes.push_back(MeshCodeOf(CellOfKey(key)));
  return codes;
}

// Layer `layer`'s tiles, each a source.
void Add(std::vector<MeshCoverage::Tile>& tiles, std::uint32_t layer,
         std::initializer_list<const char*> codes) {
  for (const char* code : codes) tiles.push_back({Key(code), layer, false, false});
}

// Each tile's state in `part`, or in the set, by code.
std::map<std::string, TileState> States(const MeshCoverage& coverage,
                                        const MeshCoverage::Part* part, MeshLevel level) {
  std::map<std::string, TileState> states;
  coverage.ForEachState(part, level, [&](MeshKey key, TileState state) {
    states[MeshCodeOf(CellOfKey(key))] = state;
  });
  return states;
}

// The north-east corner of first-order 5339 and the tiles about it, by the
// code rules: north of 53397799 is 5439 07 09, east of it 5340 70 90.
TEST(MeshCoverage, AHoleIsATileEnclosedOnFourSidesAcrossFirstOrderEdges) {
  std::vector<MeshCoverage::Tile> tiles;
  Add(tiles, 0, {"54390709", "53397789", "53407090"});
  Add(tiles, 1, {"53397798"});  // the fourth side in another layer
  const MeshCoverage coverage({u"道路", u"建物"}, tiles, std::nullopt);
  EXPECT_EQ(Codes(coverage.Holes()), std::vector<std::string>{"53397799"});
  EXPECT_FALSE(coverage.HasExpected());
  EXPECT_TRUE(coverage.Missing().empty());

  // A gap open on one side is no hole: the coast leaves such gaps.
  std::vector<MeshCoverage::Tile> open;
  Add(open, 0, {"54390709", "53397789", "53407090"});
  EXPECT_TRUE(MeshCoverage({u"道路"}, open, std::nullopt).Holes().empty());
}

TEST(MeshCoverage, EachLayerIsJudgedAmongTheSetsTilesOfItsLevel) {
  std::vector<MeshCoverage::Tile> tiles;
  Add(tiles, 0, {"53394611", "53394612", "53394611", "53394621"});  // 53394611 twice
  Add(tiles, 1, {"53394611", "53394612"});
  tiles.push_back({Key("53394622"), 1, false, true});  // objects outside its mesh
  Add(tiles, 1, {"533946"});                           // a second-order tile
  const MeshCoverage coverage({u"道路", u"河川"}, tiles, std::nullopt);

  ASSERT_EQ(coverage.Parts().size(), 3u);
  const MeshCoverage::Part& roads = coverage.Parts()[0];
  const MeshCoverage::Part& rivers = coverage.Parts()[2];
  EXPECT_EQ(roads.layer, 0u);
  EXPECT_EQ(coverage.Parts()[1].level, MeshLevel::Second);
  EXPECT_EQ(rivers.level, MeshLevel::Third);
  EXPECT_EQ(coverage.TilesOf(roads).size(), 3u);  // each tile once
  EXPECT_EQ(coverage.Levels(), (std::vector<MeshLevel>{MeshLevel::Second, MeshLevel::Third}));

  using S = TileState;
  EXPECT_EQ(States(coverage, &roads, MeshLevel::Third),
            (std::map<std::string, TileState>{{"53394611", S::Duplicated},
                                              {"53394612", S::Present},
                                              {"53394621", S::Present},
                                              {"53394622", S::Absent}}));
  EXPECT_EQ(States(coverage, &rivers, MeshLevel::Third),
            (std::map<std::string, TileState>{{"53394611", S::Present},
                                              {"53394612", S::Present},
                                              {"53394621", S::Absent},
                                              {"53394622", S::Outside}}));
  // In the set a tile in two layers is no duplicate; one a layer has twice is.
  EXPECT_EQ(States(coverage, nullptr, MeshLevel::Third)["53394611"], S::Duplicated);
  EXPECT_EQ(States(coverage, nullptr, MeshLevel::Third)["53394612"], S::Present);
  // The second-order tile covers the third-order ones but is not among them.
  EXPECT_EQ(States(coverage, nullptr, MeshLevel::Second).size(), 1u);

  const TileCounts counts = coverage.CountsOf(&rivers, MeshLevel::Third);
  EXPECT_EQ(counts.present, 3);
  EXPECT_EQ(counts.absent, 1);
  EXPECT_EQ(counts.outside, 1);
  EXPECT_EQ(counts.duplicated, 0);
}

TEST(MeshCoverage, ExpectedTilesGiveTheMissingAndTheUnexpected) {
  // 53394611's four neighbours present and it meant: a hole and missing.
  std::vector<MeshCoverage::Tile> tiles;
  Add(tiles, 0, {"53394621", "53394601", "53394612", "53394610", "53395000"});
  const std::vector<MeshKey> expected = {Key("53394621"), Key("53394601"), Key("53394612"),
                                         Key("53394610"), Key("53394611"), Key("53394611"),
                                         Key("533946"),   Key("53394699")};
  const MeshCoverage coverage({u"道路"}, tiles, expected);
  ASSERT_TRUE(coverage.HasExpected());
  EXPECT_EQ(Codes(coverage.Holes()), std::vector<std::string>{"53394611"});
  EXPECT_EQ(Codes(coverage.Missing()),
            (std::vector<std::string>{"533946", "53394611", "53394699"}));
  EXPECT_EQ(Codes(coverage.Unexpected()), std::vector<std::string>{"53395000"});
  const auto states = States(coverage, &coverage.Parts()[0], MeshLevel::Third);
  EXPECT_EQ(states.at("53394611"), TileState::Hole);  // a hole is called out first
  EXPECT_EQ(states.at("53394699"), TileState::Missing);
  const TileCounts counts = coverage.CountsOf(nullptr, MeshLevel::Third);
  EXPECT_EQ(counts.holes, 1);
  EXPECT_EQ(counts.missing, 2);  // the second-order one is counted at its level
  EXPECT_EQ(coverage.CountsOf(nullptr, MeshLevel::Second).missing, 1);
}

}  // namespace
}  // namespace mif

#include "merge/CoveragePicture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ScratchDir.h"
#include "file/InOutError.h"

namespace mif {
namespace {

MeshKey Key(const char* code) { return KeyOf(*ParseMeshCode(code)); }

std::string Drawn(const MeshCoverage& coverage) {
  std::string text;
  DrawCoverage(coverage, [&](std::string_view piece) { text += piece; });
  return text;
}

std::size_t CountOf(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

// 53394611 enclosed by 53394601 (south), 53394621 (north), 53394610 and
// 53394612 (west, east); 53394600–53394602 a row of three in the south.
MeshCoverage Enclosed(std::u16string layer) {
  std::vector<MeshCoverage::Tile> tiles;
  for (const char* code :
       {"53394600", "53394601", "53394602", "53394610", "53394612", "53394621"}) {
    tiles.push_back({Key(code), 0, false, false});
  }
  tiles.push_back({Key("53394621"), 0, false, false});  // given twice
  return MeshCoverage({std::move(layer)}, tiles, std::vector<MeshKey>{Key("53394699")});
}

TEST(CoveragePicture, EveryStateOutOfTheOrdinaryIsAShapeOfItsOwnTitledByItsCode) {
  const std::string svg = Drawn(Enclosed(u"道路"));
  // In the set's map and the layer's.
  EXPECT_EQ(CountOf(svg, "<rect class=\"x\""), 3u);  // the legend's too
  EXPECT_EQ(CountOf(svg, "<title>53394611 穴</title>"), 2u);
  EXPECT_EQ(CountOf(svg, "<title>53394621 重複</title>"), 2u);
  EXPECT_EQ(CountOf(svg, "<title>53394699 不足</title>"), 2u);
  // Present tiles along a row are one shape, titled by their range.
  EXPECT_EQ(CountOf(svg, "<title>53394600 – 53394602 (3) あり</title>"), 2u);
  EXPECT_NE(svg.find("あり 6、なし 0、重複 1、メッシュ外 0、穴 1、不足 1"), std::string::npos);
  EXPECT_NE(svg.find(">5339<"), std::string::npos);  // the first-order mesh named
}

TEST(CoveragePicture, ALayersNameIsWrittenAsXmlText) {
  const std::string svg = Drawn(Enclosed(u"川<&>\"'"));
  EXPECT_NE(svg.find("川&lt;&amp;&gt;&quot;' (3次メッシュ)"), std::string::npos);
  EXPECT_EQ(svg.find("川<"), std::string::npos);
}

TEST(CoveragePicture, IsPutInPlaceWholeOrNotAtAll) {
  testing::ScratchDir dir;
  const MeshCoverage coverage = Enclosed(u"道路");
  WriteCoveragePicture(coverage, dir.File("map.svg"));
  std::ifstream file(dir.Path() / "map.svg", std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  EXPECT_EQ(bytes.str(), Drawn(coverage));
  EXPECT_THROW(WriteCoveragePicture(coverage, dir.File("none/map.svg")), EInOutError);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

}  // namespace
}  // namespace mif

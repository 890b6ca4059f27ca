#include "format/LayerName.h"

#include <gtest/gtest.h>

namespace mif {
namespace {

using Parts = std::pair<std::u16string, std::u16string>;

Parts PartsOf(std::u16string_view baseName) {
  const NameParts parts = DeriveNameParts(baseName);
  return {parts.layer, parts.tile};
}

TEST(DeriveNameParts, FromPrefixAndExtensionToLayerAndTile) {
  EXPECT_EQ(PartsOf(u"12345__ABC"), Parts(u"ABC", u"12345"));
  EXPECT_EQ(PartsOf(u"X_Y__Z_W"), Parts(u"Z_W", u"X_Y"));  // the first "__" wins
  EXPECT_EQ(PartsOf(u"12_34_AB"), Parts(u"AB", u"12_34"));
  EXPECT_EQ(PartsOf(u"_AB"), Parts(u"AB", u""));
  EXPECT_EQ(PartsOf(u"ABC"), Parts(u"ABC", u"ABC"));
  EXPECT_EQ(PartsOf(u"ABC__"), Parts(u"", u"ABC"));
  EXPECT_EQ(PartsOf(u"ABC_"), Parts(u"", u"ABC"));
  EXPECT_EQ(PartsOf(u"X__AB.C"), Parts(u"AB", u"X"));
  EXPECT_EQ(PartsOf(u"A.B__C"), Parts(u"", u"A.B"));
  EXPECT_EQ(PartsOf(u"53394611__道路"), Parts(u"道路", u"53394611"));
  EXPECT_EQ(PartsOf(u"tile_12_river"), Parts(u"river", u"tile_12"));
}

TEST(DeriveNameParts, DotWithoutDoubleUnderscoreUsesTheTextBeforeTheDot) {
  EXPECT_EQ(PartsOf(u"AB.C"), Parts(u"AB", u"AB.C"));
  EXPECT_EQ(PartsOf(u"12_34_AB.C"), Parts(u"AB", u"12_34"));
  EXPECT_EQ(PartsOf(u"t.1"), Parts(u"t", u"t.1"));
  EXPECT_EQ(PartsOf(u".hidden"), Parts(u"", u".hidden"));
}

// In code page 932 bytes a trail byte 5F reads as "_": on characters it is
// none. ダ is 83 5F, 点 93 5F.
TEST(DeriveNameParts, CharactersWhoseCodePage932TrailByteIsAnUnderscore) {
  EXPECT_EQ(PartsOf(u"ABダC"), Parts(u"ABダC", u"ABダC"));
  EXPECT_EQ(PartsOf(u"1_ダ道"), Parts(u"ダ道", u"1"));
  // 基準点__POI: a byte search finds "__" in 5F 5F and gives _POI.
  EXPECT_EQ(PartsOf(u"基準点__POI"), Parts(u"POI", u"基準点"));
  EXPECT_EQ(PartsOf(u"ダ.x"), Parts(u"ダ", u"ダ.x"));
}

}  // namespace
}  // namespace mif

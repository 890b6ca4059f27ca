#include "format/LayerName.h"

#include <gtest/gtest.h>

namespace mif {
namespace {

TEST(DeriveLayerName, FromPrefixAndExtensionToLayer) {
  EXPECT_EQ(DeriveLayerName("12345__ABC"), "ABC");
  EXPECT_EQ(DeriveLayerName("X_Y__Z_W"), "Z_W");
  EXPECT_EQ(DeriveLayerName("12_34_AB"), "AB");
  EXPECT_EQ(DeriveLayerName("_AB"), "AB");
  EXPECT_EQ(DeriveLayerName("ABC"), "ABC");
  EXPECT_EQ(DeriveLayerName("ABC__"), "");
  EXPECT_EQ(DeriveLayerName("ABC_"), "");
  EXPECT_EQ(DeriveLayerName("X__AB.C"), "AB");
  EXPECT_EQ(DeriveLayerName("A.B__C"), "");
}

TEST(DeriveLayerName, DotWithoutDoubleUnderscoreUsesTheTextBeforeTheDot) {
  EXPECT_EQ(DeriveLayerName("AB.C"), "AB");
  EXPECT_EQ(DeriveLayerName("12_34_AB.C"), "AB");
  EXPECT_EQ(DeriveLayerName("t.1"), "t");
  EXPECT_EQ(DeriveLayerName(".hidden"), "");
}

TEST(DeriveLayerName, TrailBytesThatLookLikeUnderscoresAreNoUnderscores) {
  // ダ is 83 5F: its trail byte is "_". 道路 is 93 B9 98 48.
  EXPECT_EQ(DeriveLayerName("AB\x83\x5F"
                            "C"),
            "AB\x83\x5F"
            "C");
  EXPECT_EQ(DeriveLayerName("1_\x83\x5F\x93\xB9"), "\x83\x5F\x93\xB9");
  EXPECT_EQ(DeriveLayerName("53394611__\x93\xB9\x98\x48"), "\x93\xB9\x98\x48");
  // 基準点__POI: 点 is 93 5F, so a byte search finds "__" in 5F 5F and
  // gives _POI. 基準 is 8A EE 8F 80.
  EXPECT_EQ(DeriveLayerName("\x8A\xEE\x8F\x80\x93\x5F__POI"), "POI");
  // A trail byte 2E is not possible, but 5F before "." is: ダ.x gives ダ.
  EXPECT_EQ(DeriveLayerName("\x83\x5F.x"), "\x83\x5F");
  EXPECT_EQ(FindSubstringMbcs("\x93\x5F_A", "__"), 0);
  EXPECT_EQ(FindSubstringMbcs("a__", "__"), 2);
}

TEST(FindLastSubstringMbcs, ZeroBasedOffsetsAndMinusOne) {
  EXPECT_EQ(FindLastSubstringMbcs("a_b_c", "_", 5), 3);
  EXPECT_EQ(FindLastSubstringMbcs("abc", "_", 3), -1);
  EXPECT_EQ(FindLastSubstringMbcs("_", "_", 1), 0);
  EXPECT_EQ(FindLastSubstringMbcs("\x83\x5F", "_", 2), -1);
  EXPECT_EQ(FindLastSubstringMbcs("a_b_c", "_", 2), 1);  // the limit stops the scan
  EXPECT_EQ(FindLastSubstringMbcs("", "_", 0), -1);
}

}  // namespace
}  // namespace mif

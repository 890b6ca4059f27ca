#include "platform/PathText.h"

#include <gtest/gtest.h>

#include "merge/SourceName.h"

namespace mif {
namespace {

// 道路 is E9 81 93 E8 B7 AF in UTF-8 and 93 B9 98 48 in code page 932.
TEST(PathText, NamesTheSystemGaveComeBackAsTheyWere) {
  EXPECT_EQ(PathDisplay("a/\xE9\x81\x93\xE8\xB7\xAF.mif"), u"a/道路.mif");
  EXPECT_EQ(PathFromText(u"a/道路.mif"), "a/\xE9\x81\x93\xE8\xB7\xAF.mif");
}

TEST(SourceName, LayerAndTileValuesInCodePage932) {
  const SourceName road = NameOfSource("53394611__\xE9\x81\x93\xE8\xB7\xAF");
  EXPECT_EQ(road.layer, u"道路");
  EXPECT_EQ(road.layerValue, "\x93\xB9\x98\x48");
  EXPECT_EQ(road.tileValue, "53394611");
  EXPECT_EQ(road.layerReplaced, 0u);
  // 〜 as JIS-based input types it (U+301C) is the wave dash 81 60; ü has
  // Windows's best fit u; 한 has no form and is counted.
  EXPECT_EQ(NameOfSource("1__\xE3\x80\x9C").layerValue, "\x81\x60");
  const SourceName other = NameOfSource("m\xC3\xBCller__\xED\x95\x9C");
  EXPECT_EQ(other.layerValue, "?");
  EXPECT_EQ(other.tileValue, "muller");
  EXPECT_EQ(other.layerReplaced, 1u);
  EXPECT_EQ(other.tileReplaced, 0u);
}

#ifdef _WIN32
// Windows names may hold a lone surrogate, which WTF-8 keeps.
TEST(PathText, ALoneSurrogateSurvivesTheWayThrough) {
  const std::u16string wide = {u'a', 0xD800, u'b'};
  EXPECT_EQ(PathDisplay(PathFromText(wide)), wide);
  const SourceName name = NameOfSource(PathFromText(u"1__" + wide));
  EXPECT_EQ(name.layerValue, "a?b");
  EXPECT_EQ(name.layerReplaced, 1u);
}
#else
// A name unzipped from a Japanese archive is raw code page 932 bytes.
TEST(PathText, RawCodePage932NamesAreReadAsCodePage932) {
  EXPECT_EQ(PathDisplay("\x93\xB9\x98\x48.mif"), u"道路.mif");
  const SourceName name = NameOfSource("1__\x93\xB9\x98\x48");
  EXPECT_EQ(name.layerValue, "\x93\xB9\x98\x48");
  EXPECT_EQ(name.layerReplaced, 0u);
}
#endif

}  // namespace
}  // namespace mif

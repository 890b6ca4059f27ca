#include "platform/PathText.h"

#include <gtest/gtest.h>

namespace mif {
namespace {

// 道路 is E9 81 93 E8 B7 AF in UTF-8 and 93 B9 98 48 in code page 932.
TEST(PathText, NamesTheSystemGaveComeBackAsTheyWere) {
  EXPECT_EQ(PathDisplay("a/\xE9\x81\x93\xE8\xB7\xAF.mif"), u"a/道路.mif");
  EXPECT_EQ(PathFromText(u"a/道路.mif"), "a/\xE9\x81\x93\xE8\xB7\xAF.mif");
  std::size_t replaced = 0;
  EXPECT_EQ(PathToCp932("\xE9\x81\x93\xE8\xB7\xAF", replaced), "\x93\xB9\x98\x48");
  // 〜 as JIS-based input types it (U+301C) is the wave dash 81 60; ü has
  // Windows's best fit u; 한 has no form and is counted.
  EXPECT_EQ(PathToCp932("\xE3\x80\x9C", replaced), "\x81\x60");
  EXPECT_EQ(replaced, 0u);
  EXPECT_EQ(PathToCp932("m\xC3\xBCller \xED\x95\x9C", replaced), "muller ?");
  EXPECT_EQ(replaced, 1u);
}

#ifdef _WIN32
// Windows names may hold a lone surrogate, which WTF-8 keeps.
TEST(PathText, ALoneSurrogateSurvivesTheWayThrough) {
  const std::u16string wide = {u'a', 0xD800, u'b'};
  EXPECT_EQ(PathDisplay(PathFromText(wide)), wide);
  std::size_t replaced = 0;
  EXPECT_EQ(PathToCp932(PathFromText(wide), replaced), "a?b");
  EXPECT_EQ(replaced, 1u);
}
#else
// A name unzipped from a Japanese archive is raw code page 932 bytes.
TEST(PathText, RawCodePage932NamesAreReadAsCodePage932) {
  EXPECT_EQ(PathDisplay("\x93\xB9\x98\x48.mif"), u"道路.mif");
  std::size_t replaced = 0;
  EXPECT_EQ(PathToCp932("\x93\xB9\x98\x48", replaced), "\x93\xB9\x98\x48");
  EXPECT_EQ(replaced, 0u);
}
#endif

}  // namespace
}  // namespace mif

#include "text/Utf8ToCp932.h"

#include <gtest/gtest.h>

#include "text/Cp932.h"
#include "text/JisSpellings.h"
#include "text/Utf8.h"

namespace mif {
namespace {

// The fused path must give exactly what the two steps give.
void ExpectSameAsTwoSteps(const std::string& utf8) {
  std::string fused = "stale";
  const bool accepted = TranscodeUtf8ToCp932(utf8, fused);
  const auto wide = DecodeUtf8(utf8);
  ASSERT_EQ(accepted, wide.has_value()) << utf8;
  if (accepted) {
    EXPECT_EQ(fused, EncodeCp932(testing::WindowsSpellings(*wide))) << utf8;
  }
}

TEST(TranscodeUtf8ToCp932, AgreesWithDecodeThenEncode) {
  for (const char* text : {"", "Point 139.7 35.6", "Text \"横浜市中区\" 139.63 35.44 139.64 35.45",
                           "é ¥ ① 纊 ソ 表", "😀𠮷 and a long ASCII tail of more than sixteen bytes",
                           "\xEF\xBB\xBF"
                           "BOM",
                           "\xC0\x80", "\xE3\x81", "ok \xED\xA0\x80", "\xF4\x90\x80\x80"}) {
    ExpectSameAsTwoSteps(text);
  }
  // Every BMP character once, in UTF-8.
  std::u16string all;
  for (char32_t c = 1; c < 0x10000; ++c) {
    if (c < 0xD800 || c > 0xDFFF) all += static_cast<char16_t>(c);
  }
  ExpectSameAsTwoSteps(EncodeUtf8(all));
}

TEST(TranscodeUtf8ToCp932, WritesTheJisSpellingsThatWindowsLosesAsTheirCharacters) {
  std::string cp932;
  // 〜 ‖ − — as JIS-based converters write them.
  ASSERT_TRUE(TranscodeUtf8ToCp932("\u301C\u2016\u2212\u2014", cp932));
  EXPECT_EQ(cp932, "\x81\x60\x81\x61\x81\x7C\x81\x5C");
  // Windows' own spellings give the same bytes.
  ASSERT_TRUE(TranscodeUtf8ToCp932("\uFF5E\u2225\uFF0D\u2015", cp932));
  EXPECT_EQ(cp932, "\x81\x60\x81\x61\x81\x7C\x81\x5C");
}

TEST(TranscodeUtf8ToCp932, CountsTheCharactersWrittenAsQuestionMarks) {
  std::string buffer;
  std::size_t replaced = 0;
  // A literal '?' is no loss; 🗾 (beyond U+FFFF) is one character as "??";
  // U+0101 ā has no mapping and no best fit; é has the best fit 'e'.
  const auto length = TranscodeUtf8ToCp932Into("? \U0001F5FE \u0101 \u00E9", buffer, &replaced);
  ASSERT_TRUE(length);
  EXPECT_EQ(buffer.substr(0, *length), "? ?? ? e");
  EXPECT_EQ(replaced, 2u);
}

}  // namespace
}  // namespace mif

#include "text/Utf8.h"

#include <gtest/gtest.h>

namespace mif {
namespace {

std::optional<std::u16string> Decode(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes += static_cast<char>(v);
  return DecodeUtf8(bytes);
}

TEST(DecodeUtf8, AcceptsWellFormedInput) {
  EXPECT_EQ(Decode({}), u"");  // accepted, and distinct from a rejection
  EXPECT_EQ(Decode({0x41}), u"A");
  EXPECT_EQ(Decode({0xC3, 0xA9}), u"é");
  EXPECT_EQ(Decode({0xE3, 0x81, 0x82}), u"あ");
  EXPECT_EQ(Decode({0xEF, 0xBB, 0xBF}), u"\uFEFF");            // a BOM stays one unit
  EXPECT_EQ(Decode({0xF0, 0x9F, 0x98, 0x80}), u"\U0001F600");  // 😀 D83D DE00
  EXPECT_EQ(Decode({0xF0, 0xA0, 0xAE, 0xB7}), u"𠮷");
  EXPECT_EQ(Decode({0xF4, 0x8F, 0xBF, 0xBF}), u"\U0010FFFF");
  EXPECT_EQ(Decode({0x00, 0x41}), std::u16string(u"\0A", 2));
}

TEST(DecodeUtf8, RejectsMalformedInputWhole) {
  const std::initializer_list<int> rejected[] = {
      {0xC0, 0x80},              // overlong zero
      {0xE0, 0x80, 0xAF},        // overlong '/'
      {0xF0, 0x80, 0x80, 0xAF},  // overlong, four bytes
      {0x80, 0x80},              // continuation byte first
      {0xED, 0xA0, 0x80},        // encoded surrogate D800
      {0xF4, 0x90, 0x80, 0x80},  // beyond U+10FFFF
      {0xF5, 0x80, 0x80, 0x80},
      {0xFF},
      {0x41, 0xE3, 0x81},  // cut off at the end
      {0x41, 0xC3, 0x41},  // no continuation byte
      {0xE3, 0x81, 0x41},
  };
  for (const auto& bytes : rejected) {
    EXPECT_FALSE(Decode(bytes).has_value()) << std::hex << *bytes.begin();
  }
}

TEST(DecodeUtf8, EveryScalarValueRoundTripsThroughEncodeUtf8) {
  for (char32_t code = 0; code <= 0x10FFFF; code += (code < 0x10000 ? 1 : 97)) {
    if (code >= 0xD800 && code <= 0xDFFF) continue;
    std::u16string wide;
    if (code < 0x10000) {
      wide = std::u16string(1, static_cast<char16_t>(code));
    } else {
      wide = {static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)),
              static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF))};
    }
    ASSERT_EQ(DecodeUtf8(EncodeUtf8(wide)), wide) << std::hex << static_cast<unsigned>(code);
  }
}

TEST(EncodeUtf8, WritesALoneSurrogateAsReplacementCharacter) {
  EXPECT_EQ(EncodeUtf8(std::u16string(1, u'\xDC00')), "\xEF\xBF\xBD");
  EXPECT_EQ(EncodeUtf8(u"a\xD800"
                       u"b"),
            "a\xEF\xBF\xBD"
            "b");
}

TEST(DecodeUtf8, LongAsciiRunsAroundMultiByteCharacters) {
  const std::string line = "Text \"横浜市中区 Yokohama-shi Naka-ku 0123456789\" 139.63 35.44";
  EXPECT_EQ(EncodeUtf8(*DecodeUtf8(line)), line);
  EXPECT_FALSE(DecodeUtf8(line + "\xE3").has_value());
}

}  // namespace
}  // namespace mif

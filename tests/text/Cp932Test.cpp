#include "text/Cp932.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>

namespace mif {
namespace {

// The Windows 2000 capture of code page 932 in ICU's UCM form, read here on
// its own so that the generated tables are checked against their source.
struct UcmMapping {
  std::map<std::string, char16_t> decode;     // |0 and |3
  std::map<char16_t, std::string> roundTrip;  // |0
  std::map<char16_t, std::string> bestFit;    // |1
};

const UcmMapping& Ucm() {
  static const UcmMapping mapping = [] {
    UcmMapping m;
    std::ifstream in(MIF_UCM_PATH);
    EXPECT_TRUE(in) << "cannot read " << MIF_UCM_PATH;
    const std::regex line(R"(<U([0-9A-F]{4,6})>\s+((?:\\x[0-9A-F]{2})+)\s+\|([0-3]))");
    std::string text;
    while (std::getline(in, text)) {
      std::smatch match;
      if (!std::regex_search(text, match, line)) continue;
      const auto unit = static_cast<char16_t>(std::stoul(match[1], nullptr, 16));
      std::string bytes;
      const std::string hex = match[2];
      for (std::size_t i = 2; i < hex.size(); i += 4) {
        bytes += static_cast<char>(std::stoul(hex.substr(i, 2), nullptr, 16));
      }
      const char flag = match[3].str()[0];
      if (flag == '0' || flag == '3') m.decode[bytes] = unit;
      if (flag == '0') m.roundTrip[unit] = bytes;
      if (flag == '1') m.bestFit[unit] = bytes;
    }
    EXPECT_GT(m.decode.size(), 9000u);
    return m;
  }();
  return mapping;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes += static_cast<char>(v);
  return bytes;
}

TEST(DecodeCp932, EverySingleByteDecodesAsTheMappingSays) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte = Bytes({b});
    if (LeadByteSet(static_cast<unsigned char>(b))) {
      // A lead byte at the end stands alone.
      EXPECT_EQ(DecodeCp932(byte), u"\u30FB") << b;
    } else {
      ASSERT_EQ(Ucm().decode.count(byte), 1u) << b;
      EXPECT_EQ(DecodeCp932(byte), std::u16string(1, Ucm().decode.at(byte))) << b;
    }
  }
}

TEST(DecodeCp932, EveryLeadByteWithEveryTrailByte) {
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!LeadByteSet(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0; trail < 256; ++trail) {
      const std::string pair = Bytes({lead, trail});
      const auto found = Ucm().decode.find(pair);
      std::u16string expected;
      if (trail == 0) {
        expected = std::u16string(u"\u30FB") + u'\0';  // the lead byte alone, then the zero
      } else {
        expected = found != Ucm().decode.end() ? std::u16string(1, found->second) : u"\u30FB";
      }
      ASSERT_EQ(DecodeCp932(pair), expected) << std::hex << lead << " " << trail;
    }
  }
}

TEST(EncodeCp932, EveryBmpCodePointEncodesAsTheMappingSays) {
  for (int unit = 0; unit <= 0xFFFF; ++unit) {
    const auto u = static_cast<char16_t>(unit);
    std::string expected = "?";
    if (auto exact = Ucm().roundTrip.find(u); exact != Ucm().roundTrip.end()) {
      expected = exact->second;
    } else if (auto fit = Ucm().bestFit.find(u); fit != Ucm().bestFit.end()) {
      expected = fit->second;
    }
    ASSERT_EQ(EncodeCp932(std::u16string(1, u)), expected) << std::hex << unit;
  }
}

TEST(Cp932, NamedCharacters) {
  // Lead and trail bytes from the mapping file; 5C trails are the classic
  // Shift-JIS trap, where a trail byte looks like a backslash.
  EXPECT_EQ(DecodeCp932(Bytes({0x83, 0x5C})), u"ソ");
  EXPECT_EQ(DecodeCp932(Bytes({0x95, 0x5C})), u"表");
  EXPECT_EQ(DecodeCp932(Bytes({0x87, 0x40})), u"①");
  EXPECT_EQ(EncodeCp932(u"ソ表①"), Bytes({0x83, 0x5C, 0x95, 0x5C, 0x87, 0x40}));
  // 纊 U+7E8A is both NEC-selected IBM ED 40 and IBM FA 5C; only FA 5C is written.
  EXPECT_EQ(DecodeCp932(Bytes({0xED, 0x40})), u"纊");
  EXPECT_EQ(DecodeCp932(Bytes({0xFA, 0x5C})), u"纊");
  EXPECT_EQ(EncodeCp932(u"纊"), Bytes({0xFA, 0x5C}));
  // Best fits: é U+00E9 -> e, ¥ U+00A5 -> backslash.
  EXPECT_EQ(EncodeCp932(u"é¥"), "e\\");
  // 𠮷 U+20BB7 is a surrogate pair: one '?' per unit.
  EXPECT_EQ(EncodeCp932(u"𠮷"), "??");
  EXPECT_EQ(EncodeCp932(std::u16string(1, u'\xD842')), "?");  // a lone surrogate
  // Unmapped pair 85 40 (lead 85 is unassigned): one U+30FB for both bytes.
  EXPECT_EQ(DecodeCp932(Bytes({0x85, 0x40, 0x41})), u"\u30FBA");
  EXPECT_EQ(DecodeCp932(""), u"");
  EXPECT_EQ(EncodeCp932(u""), "");
}

TEST(Cp932, LongMixedTextRoundTripsAtEveryAlignment) {
  // A MIF-like line: ASCII runs longer than a block around Japanese text.
  const std::u16string word = u"Pline 3 139.7454 35.6586 表示 ソフト, 横浜市 0x5C";
  std::u16string text;
  for (int i = 0; i < 8; ++i) text += word;
  for (std::size_t start = 0; start < 20; ++start) {
    const std::u16string part = text.substr(start);
    EXPECT_EQ(DecodeCp932(EncodeCp932(part)), part) << start;
  }
  std::u16string reused = u"old content that is longer than the next result";
  DecodeCp932("ab", reused);
  EXPECT_EQ(reused, u"ab");
}

TEST(Cp932, IntoFormsKeepTheBufferAndGiveTheLength) {
  std::string bytes = "a longer line first";
  // ソ U+30BD is 83 5C.
  EXPECT_EQ(EncodeCp932Into(u"ソx", bytes), 3u);
  EXPECT_EQ(bytes.substr(0, 3), Bytes({0x83, 0x5C, 'x'}));
  EXPECT_EQ(bytes.size(), 19u);  // kept, so the next line fills nothing
  std::u16string units;
  EXPECT_EQ(DecodeCp932Into(Bytes({0x83, 0x5C, 'x'}), units), 2u);
  EXPECT_EQ(units.substr(0, 2), u"ソx");
  EXPECT_EQ(DecodeCp932Into("", units), 0u);
  EXPECT_EQ(units.size(), 3u);
}

}  // namespace
}  // namespace mif

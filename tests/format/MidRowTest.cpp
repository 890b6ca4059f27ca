#include "format/MidRow.h"

#include <gtest/gtest.h>

#include <random>

#include "format/PlainRowSplit.h"

namespace mif {
namespace {

std::vector<std::string> Split(std::string_view row, char delimiter, bool doubleByte = true) {
  std::vector<std::string_view> values;
  SplitMidRow(row, delimiter, doubleByte, values);
  return {values.begin(), values.end()};
}

// Values split as Windows decodes code page 932: a lead byte takes the
// byte after it only when that byte can be a trail byte.
TEST(MidRow, ALeadByteTakesOnlyATrailByte) {
  // 国道 in UTF-8 is E5 9B BD E9 81 93: the last byte, 93, is a lead byte
  // of code page 932 before the closing quote (issue report, GDAL tiles).
  EXPECT_EQ(Split("\"\xE5\x9B\xBD\xE9\x81\x93\",2,\"x\"", ','),
            (std::vector<std::string>{"\"\xE5\x9B\xBD\xE9\x81\x93\"", "2", "\"x\""}));
  // 国道 cut by its writer: 8D 91 93 B9 8C, a lone lead byte last.
  EXPECT_EQ(Split("\"\x8D\x91\x93\xB9\x8C\",2", ','),
            (std::vector<std::string>{"\"\x8D\x91\x93\xB9\x8C\"", "2"}));
  // A lead byte before the delimiter itself, a tab, and at the row's end.
  EXPECT_EQ(Split("\x93,2", ','), (std::vector<std::string>{"\x93", "2"}));
  EXPECT_EQ(Split("a\x93\tb", '\t'), (std::vector<std::string>{"a\x93", "b"}));
  EXPECT_EQ(Split("a,\x93", ','), (std::vector<std::string>{"a", "\x93"}));
}

TEST(MidRow, ATrailByteThatIsTheDelimiterSplitsNothing) {
  // ポ is 83 7C, ソ 83 5C, 表 95 5C: their trail bytes stand for | and \.
  EXPECT_EQ(Split("\x83\x7C|x", '|'), (std::vector<std::string>{"\x83\x7C", "x"}));
  EXPECT_EQ(Split("\x83\x5C\\\x95\x5C", '\\'), (std::vector<std::string>{"\x83\x5C", "\x95\x5C"}));
  // Read as single bytes, the same bytes split at the trail.
  EXPECT_EQ(Split("\x83\x7C|x", '|', false), (std::vector<std::string>{"\x83", "", "x"}));
}

TEST(MidRow, QuotesAreCountedByParity) {
  EXPECT_EQ(Split("\"a,\"\"b\"\",c\",d", ','),
            (std::vector<std::string>{"\"a,\"\"b\"\",c\"", "d"}));
  EXPECT_EQ(Split("", ','), (std::vector<std::string>{""}));
  EXPECT_EQ(Split(",", ','), (std::vector<std::string>{"", ""}));
}

// A delimiter that no trail byte can be (a comma, a tab, a semicolon)
// splits a row of any bytes, UTF-8 and cut characters among them, where a
// byte splitter does.
TEST(MidRow, RandomRowsSplitAsBytesUnderADelimiterNoTrailByteIs) {
  std::mt19937 random(20261210);
  const std::string alphabet = std::string("\"\",,\t;ab 1") + "\x81\x83\x93\x9F\xE0\xE5\xFC" +
                               "\x40\x5C\x7C\x7E\x80\x9B\xBD\xFD\xFF\xA0\xB1";
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1), length(0, 24);
  for (int round = 0; round < 20000; ++round) {
    std::string row;
    for (std::size_t n = length(random); n > 0; --n) row += alphabet[pick(random)];
    for (const char delimiter : {',', '\t', ';'}) {
      ASSERT_EQ(Split(row, delimiter), testing::SplitRowBytes(row, delimiter))
          << "row " << ::testing::PrintToString(row) << " delimiter " << int(delimiter);
    }
  }
}

TEST(MidRow, AValueIsQuotedOnlyWhereAnotherDelimiterWouldSplitIt) {
  std::string row;
  AppendMidValue("a,b", ',', row);
  AppendMidValue("say \"hi\"", ',', row);
  AppendMidValue("\"kept, as it is\"", ',', row);
  AppendMidValue("plain", ',', row);
  EXPECT_EQ(row, "\"a,b\"\"say \"\"hi\"\"\"\"kept, as it is\"plain");
}

TEST(MidRow, AQuotedValueIsQuotedEvenEmpty) {
  std::string row;
  AppendQuotedMidValue("", row);  // an empty layer's value is still a value
  AppendQuotedMidValue("a \"b\"", row);
  EXPECT_EQ(row, "\"\"\"a \"\"b\"\"\"");
}

}  // namespace
}  // namespace mif

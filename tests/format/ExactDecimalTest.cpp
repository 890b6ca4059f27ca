#include "format/ExactDecimal.h"

#include <gtest/gtest.h>

namespace mif {
namespace {

std::int64_t Floor(std::string_view text, std::int64_t factor) {
  return FloorTimes(*ParseExactDecimal(text), factor);
}

TEST(ExactDecimal, ReadsWhatWritersWriteExactly) {
  EXPECT_EQ(Floor("139.7625", 14400), 2012580);  // 139.7625 × 14400, no double near it
  EXPECT_EQ(Floor("+35.675", 14400), 513720);
  EXPECT_EQ(Floor("3.5675e1", 14400), 513720);
  EXPECT_EQ(Floor("356750E-4", 14400), 513720);
  EXPECT_EQ(Floor(".5", 2), 1);
  EXPECT_EQ(Floor("7.", 1), 7);
  EXPECT_EQ(Floor("99999999.5", 2), 199999999);
  EXPECT_EQ(*ParseExactDecimal("1.50"), *ParseExactDecimal("1.5"));
}

// Below zero the floor goes down; digits past the twentieth place still
// count, however far past.
TEST(ExactDecimal, FloorsAndTheDigitsBeyondItsPlaces) {
  EXPECT_EQ(Floor("-0.5", 2), -1);
  EXPECT_EQ(Floor("-0.25", 2), -1);
  EXPECT_EQ(Floor("-0.0", 5), 0);
  EXPECT_EQ(Floor("1e-30", 1), 0);
  EXPECT_EQ(Floor("-1e-30", 1), -1);
  EXPECT_EQ(CompareTimes(*ParseExactDecimal("0.000000000000000000001"), 1, 0), 1);
  EXPECT_EQ(CompareTimes(*ParseExactDecimal("2.0000000000000000000000001"), 10, 20), 1);
  EXPECT_EQ(CompareTimes(*ParseExactDecimal("2"), 10, 20), 0);
  EXPECT_EQ(CompareTimes(*ParseExactDecimal("1.99999999999999999999999"), 10, 20), -1);
}

TEST(ExactDecimal, RefusesWhatIsNoNumberOrTooLarge) {
  for (const char* text : {"", "-", ".", "+.", "1.2.3", "1e", "1e+", "e5", "abc", "1x", "1e5x",
                           "1 ", " 1", "--1", "100000000", "1e8", "0x10"}) {
    EXPECT_FALSE(ParseExactDecimal(text)) << text;
  }
  EXPECT_TRUE(ParseExactDecimal("0000000000000000012.5"));
  EXPECT_TRUE(ParseExactDecimal("1e-99999999"));
}

}  // namespace
}  // namespace mif

#include "text/MbcsText.h"

#include <gtest/gtest.h>

#include <climits>

namespace mif {
namespace {

TEST(FormatInteger, DecimalWithSign) {
  EXPECT_EQ(FormatInteger(0), "0");
  EXPECT_EQ(FormatInteger(-5), "-5");
  EXPECT_EQ(FormatInteger(2147483647), "2147483647");
  EXPECT_EQ(FormatInteger(INT32_MIN), "-2147483648");
  EXPECT_EQ(FormatIntegerWide(-9000000000), u"-9000000000");
}

}  // namespace
}  // namespace mif

#include "cli/ProgressLine.h"

#include <gtest/gtest.h>

#include <sstream>

namespace mif {
namespace {

TEST(ProgressLine, RedrawsOneLineInPlaceAndClearsIt) {
  std::ostringstream out;
  ProgressLine line(out, true, 200);
  line.SourceStarting(11, "53394622__ROAD.mif");
  const std::string drawn = out.str();
  EXPECT_EQ(drawn.rfind("\r[12/200] 0.0 MB ", 0), 0u)
      << drawn;  // index 11 is the 12th, as in errors
  EXPECT_NE(drawn.find("MB/s 53394622__ROAD.mif\x1b[K"), std::string::npos) << drawn;
  line.BytesRead(5'000'000);  // within the redraw interval: nothing new
  EXPECT_EQ(out.str(), drawn);
  line.Clear();
  EXPECT_EQ(out.str(), drawn + "\r\x1b[K");
  line.Clear();  // nothing left to clear
  EXPECT_EQ(out.str(), drawn + "\r\x1b[K");
}

TEST(ProgressLine, DisabledDrawsNothing) {
  std::ostringstream out;
  ProgressLine line(out, false, 3);
  line.SourceStarting(0, "a.mif");
  line.BytesRead(10);
  line.Clear();
  EXPECT_TRUE(out.str().empty());
}

}  // namespace
}  // namespace mif

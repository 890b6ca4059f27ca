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

// Wine's console and those before Windows 10 refuse escape sequences: they
// would show as "←[K" before every message.
TEST(ProgressLine, WithoutEscapesSpacesEraseTheLine) {
  std::ostringstream out;
  ProgressLine line(out, true, 2, false);
  line.SourceStarting(0, "道路.mif");
  const std::string drawn = out.str();
  EXPECT_EQ(drawn.find('\x1b'), std::string::npos) << drawn;
  line.Clear();
  const std::string cleared = out.str().substr(drawn.size());
  // "[1/2] 0.0 MB 0.0 MB/s " and 道路 (two columns each) and ".mif".
  const std::size_t columns = std::string("[1/2] 0.0 MB 0.0 MB/s ").size() + 4 + 4;
  EXPECT_EQ(cleared, "\r" + std::string(columns, ' ') + "\r");
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

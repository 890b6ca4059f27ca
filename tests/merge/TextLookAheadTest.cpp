// The first pass with the next source's text looked at on a second thread:
// the same outputs, notes and refusals as without, each at its source.
#include <gtest/gtest.h>

#include "MergeFixture.h"
#include "merge/MergeError.h"
#include "text/Utf8.h"

namespace mif {
namespace {

using testing::PartsInputs;
const std::string kNeutral =
    "Version 300\r\nCharset \"Neutral\"\r\nColumns 1\r\n  NAME Char(10)\r\nData\r\n";

class LookAhead : public testing::MergeFixture {
 protected:
  // Tiles of GDAL's (道路 in UTF-8, E9 81 93 E8 B7 AF) and of a
  // translator's (道路 in code page 932, 93 B9 98 48), both under Neutral.
  std::vector<std::string> Tiles(int count) {
    std::vector<std::string> bases;
    for (int i = 0; i < count; ++i) {
      const std::string base = std::to_string(53394611 + i) + "__ROAD";
      const bool utf8 = i % 3 != 1;
      Pair(base, kNeutral + "Point 1 2\r\n",
           utf8 ? "\"\xE9\x81\x93\xE8\xB7\xAF\"\r\n" : "\"\x93\xB9\x98\x48\"\r\n");
      bases.push_back(base);
    }
    return bases;
  }
};

TEST_F(LookAhead, GivesWhatTheRunGivesWithoutIt) {
  const std::vector<std::string> bases = Tiles(7);
  Run(bases);
  const std::string mif = Out(".mif"), mid = Out(".mid");
  const std::vector<std::u16string> notes = inputs->notes;
  EXPECT_EQ(notes.size(), 5u);
  options.lookAhead = true;
  Run(bases);
  EXPECT_EQ(Out(".mif"), mif);
  EXPECT_EQ(Out(".mid"), mid);
  EXPECT_EQ(inputs->notes, notes);
  EXPECT_EQ(mid.find("\xE9"), std::string::npos);  // every row in code page 932
}

// A refusal found by a look is told at its own source: one found in the
// first pass (a header with no Data) before anything is written; a Ctrl-Z
// in a later tile, whose text is read as the tile before it is copied,
// keeps the whole tiles before it, as a declared source's would.
TEST_F(LookAhead, ARefusalIsToldAtItsSource) {
  std::vector<std::string> bases = Tiles(5);
  Pair(bases[3], kNeutral + "Point 1 2\r\n\x1APoint 3 4\r\n", "\"a\"\r\n\"b\"\r\n");
  options.lookAhead = true;
  for (const int refused : {2, 3}) {
    if (refused == 2) Pair(bases[2], "Version 300\r\nColumns 1\r\n", "");  // no Data
    try {
      Run(bases);
      ADD_FAILURE() << "nothing refused";
    } catch (const Exception& error) {
      EXPECT_EQ(error.Place().index, refused) << EncodeUtf8(DescribeError(error));
    }
    if (refused == 2) {
      EXPECT_FALSE(OutExists());
      Tiles(3);  // the third as it was
    } else {
      const std::string mif = Out(".mif");
      EXPECT_NE(mif.find("Point 1 2\r\nPoint 1 2\r\nPoint 1 2\r\n"), std::string::npos);
      EXPECT_EQ(mif.find("Point 3 4"), std::string::npos);
    }
  }
  keepForReader = false;
}

}  // namespace
}  // namespace mif

// The first pass with the next source's text looked at on a second thread:
// the same outputs, notes and refusals as without, each at its source.
#include <gtest/gtest.h>

#include <algorithm>

#include "MergeFixture.h"
#include "merge/MergeError.h"
#include "merge/RunFacts.h"
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

// Tiles after the first UTF-8 one are copied as UTF-8 on trial. One whose
// .mif (many buffers of it) is ASCII and whose .mid holds a UTF-8 row and
// then a code page 932 one (道路 93 B9 98 48) is taken back out of the
// output at that row and copied again as it stands, with the warning of
// lines of both kinds; one of ASCII alone is read as such; the check, which
// takes the same trial into files that keep nothing, says the same of each.
TEST_F(LookAhead, ATileThatIsNoUtf8AfterAllIsCopiedAgainAsItStands) {
  std::string objects;
  for (int i = 0; i < 20000; ++i) objects += "Point " + std::to_string(i) + " 2\r\n";
  std::string rows;
  for (int i = 0; i < 19998; ++i) rows += "\"x\"\r\n";
  Pair("1__A", kNeutral + "Point 1 2\r\n", "\"\xE9\x81\x93\xE8\xB7\xAF\"\r\n");
  Pair("2__B", kNeutral + objects, "\"\xE9\x81\x93\"\r\n\"\x93\xB9\x98\x48\"\r\n" + rows);
  Pair("3__C", kNeutral + "Point 1 2\r\n", "\"plain\"\r\n");
  for (const bool lookAhead : {false, true}) {
    options.lookAhead = lookAhead;
    Run({"1__A", "2__B", "3__C"});
    const std::string mid = Out(".mid");
    EXPECT_EQ(mid.find("\"B\"\t\"\x93\xB9\"\r\n\"B\"\t\"\x93\xB9\x98\x48\""), std::string::npos);
    // 道 as written (E9 81 93), then 道路 as written: the tile as it stands.
    EXPECT_NE(mid.find("\"B\"\t\"\xE9\x81\x93\"\r\n\"B\"\t\"\x93\xB9\x98\x48\"\r\n"),
              std::string::npos);
    EXPECT_EQ(std::count(mid.begin(), mid.end(), '\n'), 1 + 20000 + 1);
    const std::string mif = Out(".mif");
    EXPECT_EQ(mif.find("Point 0 2"), mif.rfind("Point 0 2"));  // its objects once
    ASSERT_EQ(inputs->reports.size(), 3u);
    EXPECT_EQ(inputs->reports[0].charsetRead, "UTF-8 (text)");
    EXPECT_EQ(inputs->reports[1].charsetRead, "WindowsJapanese (text)");
    EXPECT_EQ(inputs->reports[2].charsetRead, "ASCII (text)");
    // Both kinds of line, and the UTF-8 one no code page 932 in an output
    // that declares it.
    EXPECT_EQ(inputs->kinds,
              (std::vector<WarningKind>{WarningKind::TextMixed, WarningKind::TextNotCp932}));
    EXPECT_EQ(inputs->notes.size(), 1u);  // 1__A's alone
  }
  const std::vector<SourceReport> checked = Check({"1__A", "2__B", "3__C"});
  ASSERT_EQ(checked.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(checked[i].charsetRead, inputs->reports[i].charsetRead) << i;
  }
  keepForReader = false;  // 2__B's rows are no one charset, as the warning says
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
      EXPECT_EQ(PlaceOf(error).index, refused) << EncodeUtf8(DescribeError(error));
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

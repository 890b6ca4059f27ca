#include "merge/SourceCopy.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "MergeFixture.h"
#include "StatusCodeOf.h"
#include "file/InOutError.h"
#include "file/TextLineFile.h"
#include "merge/MergeError.h"
#include "merge/RunFacts.h"
#include "platform/PathText.h"
#include "text/Utf8ToCp932.h"

namespace mif {
namespace {

using testing::StatusCodeOf;

using testing::Header;
using SourceCopy = testing::MergeFixture;

TEST_F(SourceCopy, ALayerColumnInFrontAndTheLayerValueOnEveryRow) {
  Pair("12345__ABC", "COLUMNS 1\r\nID Integer\r\nDATA\r\nPoint 1 2\r\n", "17\r\n");
  Run({"12345__ABC"});
  EXPECT_EQ(Out(".mif"), "COLUMNS 2\r\n    LAYER char(40)\r\nID Integer\r\nDATA\r\nPoint 1 2\r\n");
  EXPECT_EQ(Out(".mid"), "\"ABC\"\t17\r\n");  // no Delimiter line: TAB
}

TEST_F(SourceCopy, CreateThenAppendOverThreeSources) {
  const std::string header = Header(2, "Delimiter \",\"\r\n");
  Pair("1__ROAD", header + "Line 0 0 1 1\r\n", "1,2\r\n");
  Pair("2__RIVER", header + "Point 5 5\r\nPoint 6 6\r\n", "3,4\r\n5,6\r\n");
  Pair("3__EMPTY", header, "");
  Run({"1__ROAD", "2__RIVER", "3__EMPTY"});
  EXPECT_EQ(Out(".mif"),
            "Version 300\r\nCharset \"WindowsJapanese\"\r\nDelimiter \",\"\r\nCOLUMNS 3\r\n"
            "    LAYER char(40)\r\n  C0 Integer\r\n  C1 Integer\r\nData\r\n"
            "Line 0 0 1 1\r\nPoint 5 5\r\nPoint 6 6\r\n");
  EXPECT_EQ(Out(".mid"), "\"ROAD\",1,2\r\n\"RIVER\",3,4\r\n\"RIVER\",5,6\r\n");
}

TEST_F(SourceCopy, HeaderKeywordsAsRealWritersSpellThem) {
  Pair("a__L",
       "Version 300\nDelimiter \";\"\n  columns 3\nA Integer\nB Integer\nC Integer\n"
       "  data \nPline 2\n1 2\n3 4\n",
       "1;2;3\n");
  Run({"a__L"});
  EXPECT_EQ(Out(".mif"),
            "Version 300\r\nDelimiter \";\"\r\nCOLUMNS 4\r\n    LAYER char(40)\r\nA Integer\r\n"
            "B Integer\r\nC Integer\r\n  data \r\nPline 2\r\n1 2\r\n3 4\r\n");
  EXPECT_EQ(Out(".mid"), "\"L\";1;2;3\r\n");
}

TEST_F(SourceCopy, LinesAreCopiedByteForByte) {
  // Invalid code page 932 (lead 85 is unassigned, FD is a single byte of
  // its own) and NEC-selected IBM 纊 ED 40: a decode and encode would
  // change all three.
  const std::string odd = "Text \"\x85\x40 \xFD \xED\x40\"";
  Pair("x__T", Header(1) + odd + "\r\n0 0 1 1\r\n", "\"\x85\x40\xED\x40\"\r\n");
  keepForReader = false;  // no MIF reader takes these bytes
  Run({"x__T"});
  EXPECT_NE(Out(".mif").find(odd + "\r\n"), std::string::npos);
  EXPECT_EQ(Out(".mid"), "\"T\"\t\"\x85\x40\xED\x40\"\r\n");
}

TEST_F(SourceCopy, Utf8OptionConvertsOnlyWellFormedObjectLines) {
  // 横浜 E6 A8 AA E6 B5 9C in UTF-8 is 89 A1 95 6C in code page 932.
  const std::string badUtf8 = "Text \"\xE6\xA8\"";
  Pair("u__J",
       Header(1, "Charset \"\xE6\xA8\xAA\"\r\n") + "Text \"\xE6\xA8\xAA\xE6\xB5\x9C\"\r\n" +
           badUtf8 + "\r\nText \"😀 é\"\r\n0 0 1 1\r\n",
       "\"\xE6\xA8\xAA\"\r\n2\r\n3\r\n");
  keepForReader = false;  // a charset no reader knows, Texts without their place
  Run({"u__J"}, true);
  const std::string mif = Out(".mif");
  EXPECT_NE(mif.find("Charset \"\xE6\xA8\xAA\"\r\n"), std::string::npos);  // header untouched
  EXPECT_NE(mif.find("Text \"\x89\xA1\x95\x6C\"\r\n"), std::string::npos);
  EXPECT_NE(mif.find(badUtf8 + "\r\n"), std::string::npos);     // kept, not emptied
  EXPECT_NE(mif.find("Text \"?? e\"\r\n"), std::string::npos);  // 😀 is two units
  EXPECT_EQ(Out(".mid"), "\"J\"\t\"\xE6\xA8\xAA\"\r\n\"J\"\t2\r\n\"J\"\t3\r\n");  // not converted
}

// ASCII lines are copied a buffer at a time and the others converted one by
// one; the bytes must be those of converting every line. Lines of every
// length up to 200 bytes cross the 64 KiB buffer's edges in all places.
TEST_F(SourceCopy, Utf8OptionWritesTheSameBytesWhicheverWayALineGoes) {
  std::string objects, rows, expected;
  const std::string road = "\xE9\x81\x93\xE8\xB7\xAF";  // 道路, 93 B9 98 48 in code page 932
  for (int i = 0; i < 4000; ++i) {
    std::string text = "Text \"" + std::string(static_cast<std::size_t>(i % 200), 'a');
    if (i % 3 == 0) text += road;
    if (i % 7 == 0) text += "\xE9";  // cut off: stays as it is
    text += "\"";
    const std::string place = "  " + std::to_string(i) + ".5 35.25 " + std::to_string(i) + " 36";
    objects += text + "\r\n" + place + (i % 5 == 0 ? "\r" : "\r\n");  // some lone CRs
    std::string converted;
    expected +=
        (TranscodeUtf8ToCp932(text, converted) ? converted : text) + "\r\n" + place + "\r\n";
    rows += std::to_string(i) + "\r\n";
  }
  Pair("1__U", Header(1) + objects, rows);
  Run({"1__U"}, true);
  const std::string mif = Out(".mif");
  ASSERT_GE(mif.size(), expected.size());
  EXPECT_TRUE(mif.compare(mif.size() - expected.size(), expected.size(), expected) == 0);
}

#ifndef _WIN32
// A file name cannot hold a double quote on Windows.
TEST_F(SourceCopy, LayerNameQuotesAreDoubled) {
  Pair("1__say \"hi\"", Header(1) + "Point 1 1\r\n", "1\r\n");
  Run({"1__say \"hi\""});
  EXPECT_EQ(Out(".mid"), "\"say \"\"hi\"\"\"\t1\r\n");
}
#endif

TEST_F(SourceCopy, RowsWithLineBreaksInQuotedValuesGetOneLayerValue) {
  const std::string header =
      "Version 300\r\nDelimiter \",\"\r\nColumns 2\r\n  C0 Integer\r\n  C1 Char(20)\r\nData\r\n";
  Pair("1__M", header + "None\r\nNone\r\nNone\r\nNone\r\n",
       "1,\"two\r\nlines\"\r\n2,\"say \"\"a\r\nb\"\"\"\r\n3,\"\"\r\n4,\"x\"\r\n");
  Run({"1__M"});
  EXPECT_EQ(Out(".mid"),
            "\"M\",1,\"two\r\nlines\"\r\n\"M\",2,\"say \"\"a\r\nb\"\"\"\r\n\"M\",3,\"\"\r\n"
            "\"M\",4,\"x\"\r\n");
}

TEST_F(SourceCopy, SourceWithoutDataIsRefusedBeforeAnythingIsWritten) {
  Pair("1__A", Header(1) + "Point 1 1\r\n", "1\r\n");
  Pair("2__NODATA", "Version 300\r\nColumns 1\r\n  C0 Integer\r\nPoint 2 2\r\n", "2\r\n");
  Run({"1__A"});
  const std::string mif = Out(".mif"), mid = Out(".mid");
  for (const std::vector<std::string>& bases :
       {std::vector<std::string>{"1__A", "2__NODATA"}, std::vector<std::string>{"2__NODATA"}}) {
    EXPECT_EQ(Refusal(bases), u"DATA 行がありません: " + PathDisplay(dir.File("2__NODATA.mif")));
    EXPECT_EQ(inputs->started, -1);  // refused in the first pass
    EXPECT_EQ(Out(".mif"), mif);
    EXPECT_EQ(Out(".mid"), mid);
  }
}

TEST_F(SourceCopy, AColumnTheFirstSourceLacksIsRefusedWithItsSourcesPlace) {
  Pair("1__A", Header(2) + "Point 1 1\r\n", "1\t2\r\n");
  Pair("2__B", Header(3) + "Point 2 2\r\n", "1\t2\t3\r\n");
  Pair("3__C", Header(2) + "Point 3 3\r\n", "1\t2\r\n");
  try {
    Run({"1__A", "2__B", "3__C"});
    FAIL();
  } catch (const EColumnsError& error) {
    const std::string text = error.what();
    EXPECT_NE(text.find("列 C2 (C2 Integer) が最初の入力ファイル"), std::string::npos) << text;
    // The second source has it, not the last one read.
    EXPECT_EQ(PlaceOf(error).index, 1);
    EXPECT_EQ(PlaceOf(error).path, dir.File("2__B.mif"));
    EXPECT_EQ(OutputStateOf(error), u"出力は書いていません");
  }
  EXPECT_FALSE(OutExists());
}

TEST_F(SourceCopy, OutputThatIsTheSourceIsRefusedByIdentity) {
  Pair("1__A", Header(1) + "Point 1 1\r\n", "1\r\n");
  std::filesystem::create_hard_link(testing::Utf8Path(dir.File("1__A.mid")),
                                    testing::Utf8Path(dir.File("link.mid")));
  // Another spelling of the source, and a hard link to it.
  for (const std::string& output : {Folder() + "./1__A.mif", dir.File("link")}) {
    testing::PartsInputs run(Parts({"1__A"}), output);
    try {
      RunMerge(run);
      FAIL() << output;
    } catch (const EMergeError& error) {
      EXPECT_EQ(PlaceOf(error).kind, ErrorPlace::Kind::Output);
      EXPECT_NE(std::string(error.what()).find("入力 1/1"), std::string::npos) << error.what();
    }
  }
  EXPECT_FALSE(std::filesystem::exists(testing::Utf8Path(dir.File("link.mif"))));
}

TEST_F(SourceCopy, AMissingMidIsFoundBeforeAnyOutputIsTouched) {
  Source("1__A.mif", Header(1) + "Point 1 1\r\n");  // no .mid
  EXPECT_EQ(StatusCodeOf([&] { Run({"1__A"}); }), 2);
  EXPECT_FALSE(OutExists());
  TextLineFile source(dir.File("1__A.mif"));
  source.CreateForWrite();  // no lock was left behind
  source.CloseFile();
  Source("1__A.mif", "");
}

TEST_F(SourceCopy, BaseNameWithADotKeepsIt) {
  Pair("X__AB.C", Header(1) + "Point 3 3\r\n", "7\r\n");
  Pair("X__AB", Header(1) + "Point 9 9\r\n", "9\r\n");  // the wrong file, were the dot cut
  Run({"X__AB.C"});
  EXPECT_NE(Out(".mif").find("Point 3 3"), std::string::npos);
  EXPECT_EQ(Out(".mid"), "\"AB\"\t7\r\n");
}

TEST_F(SourceCopy, CompanionMidWithAnUpperCaseExtension) {
  Source("nodi.mif", Header(1) + "Point 1 1\r\n");
  Source("nodi.MID", "5\r\n");
  Run({"nodi"});
  EXPECT_EQ(Out(".mid"), "\"nodi\"\t5\r\n");
}

}  // namespace
}  // namespace mif

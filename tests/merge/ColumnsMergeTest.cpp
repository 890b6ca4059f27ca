// Sources that agree on their columns' count but not on what the columns
// and coordinates mean: merged by name, reconciled or refused. The outputs
// are read again by ogrinfo (scripts/test-reader).
#include <gtest/gtest.h>

#include <filesystem>

#include "MergeFixture.h"
#include "merge/MergeError.h"
#include "merge/MergeRun.h"
#include "text/Utf8.h"

namespace mif {
namespace {

using ColumnsMerge = testing::MergeFixture;
using testing::PartsInputs;

std::string HeaderOf(const std::string& columns, const std::string& extra = "") {
  return "Version 300\r\nCharset \"WindowsJapanese\"\r\n" + extra + columns + "Data\r\n";
}

const std::string kRoads =
    HeaderOf("Columns 2\r\n  ID Integer\r\n  NAME Char(10)\r\n", "Delimiter \",\"\r\n");
const std::string kTwoPoints = "Point 1 1\r\nPoint 2 2\r\n";

TEST_F(ColumnsMerge, ReorderedColumnsMoveTheirValuesAndTypesWiden) {
  Pair("1__ROAD", kRoads + kTwoPoints, "1,\"a\"\r\n2,\"b\"\r\n");
  // The same names in another order and case, a wider Char, a narrower integer.
  Pair("2__RAIL",
       HeaderOf("Columns 2\r\n  name Char(26)\r\n  id SmallInt\r\n", "Delimiter \",\"\r\n") +
           kTwoPoints,
       "\"abcdefghijklmnopqrstuvwxyz\",3\r\n\"d\",4\r\n");
  Run({"1__ROAD", "2__RAIL"});
  EXPECT_NE(
      Out(".mif").find("COLUMNS 3\r\n    LAYER char(40)\r\n  ID Integer\r\n  NAME Char(26)\r\n"),
      std::string::npos);
  EXPECT_EQ(Out(".mid"),
            "\"ROAD\",1,\"a\"\r\n\"ROAD\",2,\"b\"\r\n"
            "\"RAIL\",3,\"abcdefghijklmnopqrstuvwxyz\"\r\n\"RAIL\",4,\"d\"\r\n");
}

TEST_F(ColumnsMerge, UnionAndIntersectionLayValuesOutByNameWithATab) {
  // TAB, the MIF default; a value over two lines and a doubled quote.
  Pair("1__ROAD", HeaderOf("Columns 2\r\n  ID Integer\r\n  NAME Char(10)\r\n") + kTwoPoints,
       "1\t\"a\"\r\n2\t\"b\"\r\n");
  Pair("2__BLDG",
       HeaderOf("Columns 3\r\n  KIND Char(5)\r\n  ID Char(8)\r\n  NOTE Char(40)\r\n") + kTwoPoints,
       "\"house\"\t\"A-17\"\t\"line 1\r\nline 2 \"\"q\"\"\"\r\n\"shop\"\t\"B-2\"\t\"\"\r\n");
  EXPECT_THROW(Run({"1__ROAD", "2__BLDG"}), EColumnsError);
  options.columns = ColumnsMode::Union;
  Run({"1__ROAD", "2__BLDG"});
  // ID is Integer and Char: Char(254) holds both.
  EXPECT_NE(Out(".mif").find("COLUMNS 5\r\n    LAYER char(40)\r\n  ID Char(254)\r\n"
                             "  NAME Char(10)\r\n  KIND Char(5)\r\n  NOTE Char(40)\r\n"),
            std::string::npos);
  EXPECT_EQ(Out(".mid"),
            "\"ROAD\"\t1\t\"a\"\t\t\r\n\"ROAD\"\t2\t\"b\"\t\t\r\n"
            "\"BLDG\"\t\"A-17\"\t\t\"house\"\t\"line 1\r\nline 2 \"\"q\"\"\"\r\n"
            "\"BLDG\"\t\"B-2\"\t\t\"shop\"\t\"\"\r\n");
  options.columns = ColumnsMode::Intersection;
  Run({"1__ROAD", "2__BLDG"});
  EXPECT_EQ(Out(".mid"),
            "\"ROAD\"\t1\r\n\"ROAD\"\t2\r\n\"BLDG\"\t\"A-17\"\r\n\"BLDG\"\t\"B-2\"\r\n");
}

TEST_F(ColumnsMerge, AMergedOutputMergedAgainKeepsItsLayerValues) {
  Pair("1__ROAD", kRoads + kTwoPoints, "1,\"a\"\r\n2,\"b\"\r\n");
  Run({"1__ROAD"});
  Source("merged.mif", Out(".mif"));
  Source("merged.mid", Out(".mid"));
  Pair("2__RAIL", kRoads + "Point 3 3\r\n", "3,\"c\"\r\n");
  Run({"merged", "2__RAIL"});
  EXPECT_NE(Out(".mif").find("COLUMNS 3\r\n    LAYER char(40)\r\n  ID Integer\r\n"),
            std::string::npos);
  EXPECT_EQ(Out(".mid"), "\"ROAD\",1,\"a\"\r\n\"ROAD\",2,\"b\"\r\n\"RAIL\",3,\"c\"\r\n");
  // As a later source too.
  Run({"2__RAIL", "merged"});
  EXPECT_EQ(Out(".mid"), "\"RAIL\",3,\"c\"\r\n\"ROAD\",1,\"a\"\r\n\"ROAD\",2,\"b\"\r\n");
}

TEST_F(ColumnsMerge, NoColumnsAndNoMidGiveRowsOfTheLayerAlone) {
  // As GDAL's win1251_text.mif: Columns 0, a Text object, and no .mid.
  Source("1__TEXT.mif",
         "Version 650\r\nCharset \"WindowsJapanese\"\r\nDELIMITER \";\"\r\nColumns 0\r\nDATA\r\n"
         "TEXT \"T\"\r\n10 20 94 23\r\n\tJustify Center\r\n\r\n");
  Run({"1__TEXT"});
  EXPECT_NE(Out(".mif").find("COLUMNS 1\r\n    LAYER char(40)\r\nDATA\r\n"), std::string::npos);
  EXPECT_EQ(Out(".mid"), "\"TEXT\"\r\n");
}

TEST_F(ColumnsMerge, AnotherCoordSysIsRefusedBeforeAnythingIsWritten) {
  const std::string zone = "CoordSys Earth Projection 8, 97, \"m\", 129, 0, 0.9999, 500000, 0";
  Pair("1__A",
       HeaderOf("Columns 1\r\n  ID Integer\r\n", zone + " Bounds (0, 0) (10, 10)\r\n") +
           "Point 1 1\r\n",
       "1\r\n");
  Pair("2__B",
       HeaderOf("Columns 1\r\n  ID Integer\r\n", zone + "\r\n Bounds (5, 5) (20, 20)\r\n") +
           "Point 15 15\r\n",
       "2\r\n");
  Pair("3__LATLONG",
       HeaderOf("Columns 1\r\n  ID Integer\r\n", "CoordSys Earth Projection 1, 104\r\n") +
           "Point 139 35\r\n",
       "3\r\n");
  Run({"1__A", "2__B"});
  EXPECT_NE(Out(".mif").find(zone + " Bounds (0, 0) (20, 20)\r\n"), std::string::npos);
  const std::string before = Out(".mif");
  EXPECT_THROW(Run({"1__A", "3__LATLONG"}), EMergeError);
  EXPECT_EQ(Out(".mif"), before);
}

TEST_F(ColumnsMerge, CharactersCodePage932CannotHoldAreCountedPerSource) {
  // 〜 (E3 80 9C, the JIS wave dash) becomes 81 60; 🗾 and ā have no form.
  Pair("1__U",
       HeaderOf("Columns 1\r\n  ID Integer\r\n") +
           "Text \"\xE3\x80\x9C\"\r\n0 0 1 1\r\nText \"\xF0\x9F\x97\xBE \xC4\x81\"\r\n0 0 1 1\r\n",
       "1\r\n2\r\n");
  PartsInputs inputs(Parts({"1__U"}), dir.File("out"));
  inputs.utf8 = true;
  RunMerge(inputs);
  EXPECT_NE(Out(".mif").find("Text \"\x81\x60\"\r\n"), std::string::npos);
  ASSERT_EQ(inputs.warnings.size(), 1u);
  EXPECT_EQ(EncodeUtf8(inputs.warnings[0]),
            "コードページ 932 で表せない文字 2 個を ? にしました (最初は 8 行目): " +
                dir.File("1__U.mif"));
}

}  // namespace
}  // namespace mif

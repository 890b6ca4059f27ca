#include "format/MifHeader.h"

#include <gtest/gtest.h>

namespace mif {
namespace {

TEST(MifHeader, DataLineInAnyCaseWithBlanks) {
  for (const char* line : {"DATA", "Data", "data", "  DATA ", "\tData\t"}) {
    EXPECT_TRUE(IsDataLine(line)) << line;
  }
  for (const char* line : {"DATA1", "DAT", "", "Data Char(10)", "D ATA"}) {
    EXPECT_FALSE(IsDataLine(line)) << line;
  }
}

TEST(MifHeader, ColumnsLineInAnyCaseAfterBlanks) {
  int count = 0;
  EXPECT_TRUE(IsColumnsLine("Columns 3", count));
  EXPECT_EQ(count, 3);
  EXPECT_TRUE(IsColumnsLine("  COLUMNS 12 ", count));
  EXPECT_EQ(count, 12);
  EXPECT_TRUE(IsColumnsLine("columns\t1", count));
  EXPECT_EQ(count, 1);
  EXPECT_TRUE(IsColumnsLine("COLUMNS", count));
  EXPECT_EQ(count, -1);
  EXPECT_TRUE(IsColumnsLine("Columns x", count));
  EXPECT_EQ(count, -1);
  EXPECT_FALSE(IsColumnsLine("ColumnsX Integer", count));
  EXPECT_FALSE(IsColumnsLine("Column 3", count));
}

TEST(MifHeader, ReadsDelimiterCharsetAndTheFirstColumnLineOnly) {
  const MifHeader header =
      ParseMifHeader({"Version 300", "Charset \"WindowsJapanese\"", "delimiter \";\"", "Columns 2",
                      "  Columns Integer", "  Delimiter Char(1)", "Data"});
  EXPECT_EQ(header.lines.size(), 7u);
  EXPECT_EQ(header.lines.back(), "Data");
  EXPECT_EQ(header.columnLine.first, 3);
  EXPECT_EQ(header.columnCount, 2);
  EXPECT_EQ(header.delimiter, ";");
  EXPECT_EQ(header.charset, "WindowsJapanese");
  EXPECT_EQ(ParseMifHeader({"Columns 1", "A Integer", "DATA"}).delimiter, "\t");  // the default
}

TEST(MifHeader, ClausesAsWritersSpellThem) {
  // CoordSys over two lines, as MapInfo writes a long clause; keywords in
  // other cases; a quoted column name with a blank, as GDAL reads it.
  const MifHeader header = ParseMifHeader(
      {"VERSION 650", "Charset \"WindowsJapanese\"", "unique 1", "Index 1, 3",
       "CoordSys Earth Projection 8, 97, \"m\", 129, 0, 0.9999, 500000, 0",
       "  Bounds (-1000, -2000) (3000, 4000)", "TRANSFORM 1, 1, 0, 0", "Columns 3",
       "  \"my col\" Char (10)", "  Columns Integer", "  D decimal ( 10 , 2 )", "Data"});
  EXPECT_EQ(header.version, 650);
  EXPECT_EQ(header.unique, std::vector<int>({1}));
  EXPECT_EQ(header.index, std::vector<int>({1, 3}));
  EXPECT_EQ(header.coordSysLines.first, 4);
  EXPECT_EQ(header.coordSysLines.count, 2);
  EXPECT_EQ(BoundsOf(header.coordSys), (Bounds{-1000, -2000, 3000, 4000}));
  EXPECT_EQ(header.transform, "1, 1, 0, 0");
  ASSERT_EQ(header.columns.size(), 3u);
  EXPECT_EQ(header.columns[0].name, "my col");
  EXPECT_EQ(header.columns[0].type, ColumnType::Char);
  EXPECT_EQ(header.columns[0].width, 10);
  EXPECT_EQ(header.columns[1].name, "Columns");  // a definition, not a second column line
  EXPECT_EQ(header.columns[2].type, ColumnType::Decimal);
  EXPECT_EQ(header.columns[2].decimals, 2);
}

TEST(MifHeader, AUtf8HeaderIsReadInCodePage932) {
  // 道路 (E9 81 93 E8 B7 AF in UTF-8) is 93 B9 98 48 in code page 932.
  const MifHeader header = ParseMifHeader(
      {"Charset \"UTF-8\"", "Columns 1", "  \xE9\x81\x93\xE8\xB7\xAF Char(4)", "Data"});
  EXPECT_TRUE(header.utf8);
  EXPECT_EQ(header.columns[0].name, "\x93\xB9\x98\x48");
  EXPECT_EQ(MergedCharset(header), "WindowsJapanese");
  EXPECT_EQ(header.malformed.count, 0);
  // A name cut off inside 路 (E8 B7) is one malformed sequence: one '?'.
  const MifHeader cut =
      ParseMifHeader({"Charset \"UTF-8\"", "Columns 1", "  \xE9\x81\x93\xE8\xB7 Char(4)", "Data"});
  EXPECT_EQ(cut.columns[0].name, "\x93\xB9?");
  EXPECT_EQ(cut.malformed.count, 1);
  EXPECT_EQ(cut.malformed.firstLine, 3);
}

// A tile set's sources share one header: parsed once, each compared as read.
TEST(HeaderMemo, GivesTheLastHeaderAgainForTheSameLinesOnly) {
  const std::vector<std::string> utf8 = {"Charset \"UTF-8\"", "Columns 1",
                                         "  \xE9\x81\x93\xE8\xB7\xAF Char(4)", "Data"};
  std::vector<std::string> other = utf8;
  other[2] = "  \xE9\x81\x93 Char(4)";  // 道 alone
  HeaderMemo memo;
  const auto first = memo.Parse(utf8);
  EXPECT_EQ(memo.Parse(utf8), first);  // the lines as read, not as converted
  EXPECT_EQ(first->columns[0].name, "\x93\xB9\x98\x48");
  const auto changed = memo.Parse(other);
  EXPECT_NE(changed, first);
  EXPECT_EQ(changed->columns[0].name, "\x93\xB9");
  EXPECT_EQ(first->columns[0].name, "\x93\xB9\x98\x48");  // kept by whoever holds it
  EXPECT_NE(memo.Parse(utf8), first);                     // only the last one is kept
  // A header of megabytes is no tile set's: not kept, so not held twice.
  std::vector<std::string> huge = utf8;
  huge.insert(huge.begin(), std::string(HeaderMemo::kMaxKeptBytes, 'x'));
  EXPECT_NE(memo.Parse(huge), memo.Parse(huge));
}

}  // namespace
}  // namespace mif

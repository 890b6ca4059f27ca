#include "merge/MifHeader.h"

#include <gtest/gtest.h>

#include "ScratchDir.h"
#include "file/InOutError.h"
#include "file/TextLineFile.h"
#include "merge/MergeError.h"

namespace mif {
namespace {

using testing::ScratchDir;
using testing::WriteBytes;

MifHeader HeaderOf(const std::string& text) {
  ScratchDir dir;
  WriteBytes(dir.File("h.mif"), text);
  TextLineFile file(dir.File("h.mif"));
  file.OpenForRead();
  return ReadMifHeader(file);
}

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
  const MifHeader header = HeaderOf(
      "Version 300\r\nCharset \"WindowsJapanese\"\r\ndelimiter \";\"\r\nColumns 2\r\n"
      "  Columns Integer\r\n  Delimiter Char(1)\r\nData\r\nPoint 1 2\r\n");
  EXPECT_EQ(header.lines.size(), 7u);
  EXPECT_EQ(header.lines.back(), "Data");
  EXPECT_EQ(header.columnLine, 3);
  EXPECT_EQ(header.columnCount, 2);
  EXPECT_EQ(header.delimiter, ";");
  EXPECT_EQ(header.charset, "WindowsJapanese");
  EXPECT_EQ(HeaderOf("Columns 1\nA Integer\nDATA\n").delimiter, "\t");  // the MIF default
}

TEST(MifHeader, NoDataLineIsReadPastTheEnd) {
  try {
    HeaderOf("Version 300\r\nColumns 1\r\n  ID Integer\r\nDATA 1\r\nPoint 1 2\r\n");
    FAIL();
  } catch (const EMergeError& error) {
    EXPECT_EQ(error.Message().rfind(u"DATA 行がありません: ", 0), 0u);
  }
  EXPECT_THROW(HeaderOf(""), EMergeError);
}

TEST(MifHeader, LayerColumnCountsTheSourceColumnsPlusOne) {
  MifHeader header;
  header.lines = {"Version 300", "Columns 3", "  A Integer", "Data"};
  header.columnLine = 1;
  header.columnCount = 3;
  EXPECT_EQ(HeaderWithLayerColumn(header),
            std::vector<std::string>(
                {"Version 300", "COLUMNS 4", "    LAYER char(40)", "  A Integer", "Data"}));
  header.columnCount = -1;  // unreadable: as the original tool wrote it
  EXPECT_EQ(HeaderWithLayerColumn(header)[1], "COLUMNS 2");
  header.columnLine = -1;
  EXPECT_EQ(HeaderWithLayerColumn(header), header.lines);
}

}  // namespace
}  // namespace mif

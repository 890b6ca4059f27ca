#include "merge/RowArranger.h"

#include <gtest/gtest.h>

namespace mif {
namespace {

SourceLayout Layout(std::vector<int> valueOf, int sourceValues, char delimiter,
                    bool ownLayer = false) {
  SourceLayout layout;
  layout.valueOf = std::move(valueOf);
  layout.sourceValues = sourceValues;
  layout.delimiter = delimiter;
  layout.own = ownLayer ? 1 : 0;
  layout.inPlace = false;
  return layout;
}

TEST(RowArranger, ValuesMoveWithTheirBytesAndQuotes) {
  // Source NAME, ID; output ID, NAME, KIND (a column the source lacks).
  const SourceLayout layout = Layout({1, 0, -1}, 2, ',');
  RowArranger arranger(layout, "\"A\"", "", ',');
  EXPECT_EQ(arranger.Arrange("\"x, y\",17"), "\"A\",17,\"x, y\",");
  // A doubled quote inside a value, and a value over two lines, whole.
  EXPECT_EQ(arranger.Arrange("\"say \"\"hi\"\", ok\",  2 "), "\"A\",  2 ,\"say \"\"hi\"\", ok\",");
  EXPECT_EQ(arranger.Arrange("\"line 1\r\nline 2, more\",3"),
            "\"A\",3,\"line 1\r\nline 2, more\",");
}

TEST(RowArranger, ATabDelimiterAndShortOrLongRows) {
  const SourceLayout layout = Layout({2, 0}, 3, '\t');
  RowArranger arranger(layout, "\"L\"", "", '\t');
  EXPECT_EQ(arranger.Arrange("a\tb\tc"), "\"L\"\tc\ta");
  EXPECT_EQ(arranger.Arrange("a"), "\"L\"\t\ta");  // values the row lacks are empty
  EXPECT_EQ(arranger.Arrange(""), "\"L\"\t\t");
}

TEST(RowArranger, AnOwnLayerValueStaysFirstAndNoColumnsGiveTheLayerAlone) {
  const SourceLayout own = Layout({2, 1}, 3, ',', true);
  RowArranger arranger(own, "\"unused\"", "", ',');
  EXPECT_EQ(arranger.Arrange("\"roads\",1,\"n\""), "\"roads\",\"n\",1");
  const SourceLayout none = Layout({}, 0, ',');
  RowArranger empty(none, "\"C0\"", "", ',');
  EXPECT_EQ(empty.EmptyRow(), "\"C0\"");
}

// A source delimited otherwise than the output: each value's bytes kept,
// quoted where the output's delimiter would split it.
TEST(RowArranger, RowsAreDelimitedAsTheOutputIs) {
  const SourceLayout pipes = Layout({0, 1, 2}, 3, '|');
  RowArranger arranger(pipes, "\"L\"", "", ',');
  EXPECT_EQ(arranger.Arrange("a,b|\"c|d\"|say \"hi\""), "\"L\",\"a,b\",\"c|d\",\"say \"\"hi\"\"\"");
  // ポ is 83 7C: its trail byte is the delimiter's, and splits nothing.
  EXPECT_EQ(arranger.Arrange("\x83\x7Cx|y|z"), "\"L\",\x83\x7Cx,y,z");
  // Read as single bytes where the text is no code page 932.
  SourceLayout latin = pipes;
  latin.doubleByte = false;
  RowArranger bytes(latin, "\"L\"", "", ',');
  EXPECT_EQ(bytes.Arrange("\xE9|x|y"), "\"L\",\xE9,x,y");
}

}  // namespace
}  // namespace mif

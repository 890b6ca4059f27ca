#include "merge/RowArranger.h"

#include <gtest/gtest.h>

namespace mif {
namespace {

SourceLayout Layout(std::vector<int> valueOf, int sourceValues, bool ownLayer = false) {
  SourceLayout layout;
  layout.valueOf = std::move(valueOf);
  layout.sourceValues = sourceValues;
  layout.ownLayer = ownLayer;
  layout.inPlace = false;
  return layout;
}

TEST(RowArranger, ValuesMoveWithTheirBytesAndQuotes) {
  // Source NAME, ID; output ID, NAME, KIND (a column the source lacks).
  const SourceLayout layout = Layout({1, 0, -1}, 2);
  RowArranger arranger(layout, "\"A\"", ',');
  EXPECT_EQ(arranger.Arrange("\"x, y\",17"), "\"A\",17,\"x, y\",");
  // A doubled quote inside a value, and a value over two lines, whole.
  EXPECT_EQ(arranger.Arrange("\"say \"\"hi\"\", ok\",  2 "), "\"A\",  2 ,\"say \"\"hi\"\", ok\",");
  EXPECT_EQ(arranger.Arrange("\"line 1\r\nline 2, more\",3"),
            "\"A\",3,\"line 1\r\nline 2, more\",");
}

TEST(RowArranger, ATabDelimiterAndShortOrLongRows) {
  const SourceLayout layout = Layout({2, 0}, 3);
  RowArranger arranger(layout, "\"L\"", '\t');
  EXPECT_EQ(arranger.Arrange("a\tb\tc"), "\"L\"\tc\ta");
  EXPECT_EQ(arranger.Arrange("a"), "\"L\"\t\ta");  // values the row lacks are empty
  EXPECT_EQ(arranger.Arrange(""), "\"L\"\t\t");
}

TEST(RowArranger, AnOwnLayerValueStaysFirstAndNoColumnsGiveTheLayerAlone) {
  const SourceLayout own = Layout({2, 1}, 3, true);
  RowArranger arranger(own, "\"unused\"", ',');
  EXPECT_EQ(arranger.Arrange("\"roads\",1,\"n\""), "\"roads\",\"n\",1");
  const SourceLayout none = Layout({}, 0);
  RowArranger empty(none, "\"C0\"", ',');
  EXPECT_EQ(empty.EmptyRow(), "\"C0\"");
}

}  // namespace
}  // namespace mif

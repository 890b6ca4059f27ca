#include "format/ObjectPoints.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format/MeshCheck.h"

namespace mif {
namespace {

struct Recorder final : PointSink {
  void ObjectStarts(std::int64_t line) override { starts.push_back(line); }
  void Point(std::string_view x, std::string_view y) override {
    points.push_back(std::string(x) + " " + std::string(y));
  }
  std::vector<std::int64_t> starts;
  std::vector<std::string> points;
};

// Every object shape of the format, with the numbers that are no points
// among them: a Center, an Arc's angles, a RoundRect's radius, a Text's
// string; a Collection's parts are one object.
const char* const kObjects =
    "Point 1 2\r\n"  // 1
    "    Symbol (35,0,12)\r\n"
    "LINE 3 4 5 6\r\n"  // 3
    "Pline 2\r\n"       // 4
    "7 8\r\n"
    "9 10\r\n"
    "    Pen (1,2,0)\r\n"
    "Region 2\r\n"  // 8
    "  1\r\n"
    "11 12\r\n"
    "  1\r\n"
    "13,14\r\n"
    "    Center 99 99\r\n"
    "Arc 15 16 17 18\r\n"  // 14
    "  90 180\r\n"
    "Text\r\n"  // 16
    "    \"99 99\"\r\n"
    "    19 20 21 22\r\n"
    "Text \"99 99\"\r\n"  // 19
    "    23 24 25 26\r\n"
    "RoundRect 27 28 29 30\r\n"  // 21
    "  0.5\r\n"
    "Ellipse 31 32\r\n"  // 23
    "  33 34\r\n"
    "Multipoint 2 35 36\r\n"  // 25
    "37 38\r\n"
    "Pline Multiple 2\r\n"  // 27
    "  1\r\n"
    "39 40\r\n"
    "  1\r\n"
    "41 42\r\n"
    "Collection 2\r\n"  // 32
    "Region 1\r\n"
    " 1\r\n"
    "43 44\r\n"
    "Multipoint 1\r\n"
    "45 46\r\n"
    "None\r\n"             // 38
    "Point -1.5 1e1\r\n";  // 39

TEST(ObjectPoints, EveryShapesPointsAndNothingElse) {
  for (const bool atOnce : {false, true}) {
    Recorder recorder;
    ObjectPoints points(recorder);
    if (atOnce) {
      points.CrLfLines(kObjects);
    } else {
      std::string_view text = kObjects;
      while (!text.empty()) {
        const std::size_t end = text.find("\r\n");
        points.Line(text.substr(0, end));
        text.remove_prefix(end + 2);
      }
    }
    EXPECT_EQ(recorder.starts,
              (std::vector<std::int64_t>{1, 3, 4, 8, 14, 16, 19, 21, 23, 25, 27, 32, 38, 39}));
    std::vector<std::string> expected;
    for (int i = 1; i <= 45; i += 2) {
      expected.push_back(std::to_string(i) + " " + std::to_string(i + 1));
    }
    expected.push_back("-1.5 1e1");
    EXPECT_EQ(recorder.points, expected);
  }
}

// Vertex lines read in one pass give what words give: a plain decimal's
// reading with its text, and a line of another shape (an exponent, 19
// digits, two blanks, a third number) taken word by word.
TEST(ObjectPoints, VertexLinesOfAnyShapeGiveTheSamePoints) {
  struct Fixed final : PointSink {
    void ObjectStarts(std::int64_t) override {}
    void Point(std::string_view x, std::string_view y) override {
      points.push_back(std::string(x) + " " + std::string(y));
    }
    void FixedPoint(const FixedDecimal& x, const FixedDecimal&, std::string_view xText,
                    std::string_view yText) override {
      read.push_back(x.mantissa);
      Point(xText, yText);
    }
    std::vector<std::string> points;
    std::vector<std::int64_t> read;
  } sink;
  ObjectPoints points(sink);
  points.CrLfLines(
      "Pline 7\r\n0.5 -0.25\r\n1e1 2\r\n1234567890123456789 1\r\n3  4\r\n+139.775 35\r\n"
      "5 6 7\r\n8\r\n");
  EXPECT_EQ(sink.points, (std::vector<std::string>{"0.5 -0.25", "1e1 2", "1234567890123456789 1",
                                                   "3 4", "+139.775 35", "5 6", "7 8"}));
  EXPECT_EQ(sink.read, (std::vector<std::int64_t>{5, 139775}));
}

// 53394611 is 35.675°–35.683333° by 139.7625°–139.775°; 1 % of it is
// 0.0000833° north and south, 0.000125° east and west.
TEST(MeshCheck, CountsTheObjectsOutsideAndSaysWhereTheFirstIs) {
  MeshCheck check(*ParseMeshCode("53394611"), 100);
  ObjectPoints points(check);
  points.CrLfLines(
      "Point 139.77 35.68\r\n"
      "Line 139.7624 35.6750 139.7751 35.6834\r\n"  // inside the allowance
      "Pline 2\r\n"
      "139.77 35.68\r\n"
      "139.80 35.70\r\n"  // in 53394644, and once for its object
      "Point 139.80 35.70\r\n"
      "Point - 35.68\r\n"           // no number: not judged
      "Point 139.7623 35.68\r\n");  // west of the allowance
  EXPECT_EQ(check.OutsideObjects(), 3);
  EXPECT_EQ(check.FirstOutsideLine(), 3);
  ASSERT_TRUE(check.FirstOutsideMesh());
  EXPECT_EQ(MeshCodeOf(*check.FirstOutsideMesh()), "53394644");
}

}  // namespace
}  // namespace mif

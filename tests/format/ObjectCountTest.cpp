#include "format/ObjectCount.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace mif {
namespace {

// Counted line by line, and as the copy counts lines in CR LF, all at once:
// both ways must agree.
std::int64_t ObjectsIn(const std::string& lines) {
  ObjectCounter byLine;
  ObjectCounter atOnce;
  std::string crLf;
  std::istringstream in(lines);
  for (std::string line; std::getline(in, line);) {
    byLine.Line(line);
    crLf += line + "\r\n";
  }
  atOnce.CrLfLines(crLf);
  EXPECT_EQ(atOnce.Count(), byLine.Count()) << lines;
  EXPECT_EQ(atOnce.Lines(), byLine.Lines()) << lines;
  EXPECT_EQ(atOnce.InsideObject(), byLine.InsideObject()) << lines;
  return byLine.Count();
}

TEST(ObjectCounter, EveryKeywordInAnyCaseAfterBlanks) {
  EXPECT_EQ(ObjectsIn("Point 1 2\n    Symbol (35,0,12)\nLINE 0 0 1 1\n    Pen (1,2,0)\n"
                      "  pline 2\n1 2\n3 4\nRegion 1\n  2\n1 2\n3 4\n    Center 1 1\n"
                      "\tArc 0 0 1 1 0 90\nRect 0 0 1 1\nRoundRect 0 0 1 1 0.1\n"
                      "Ellipse 0 0 1 1\nMultipoint 2 1 1 2 2\nNone\nnone\n"),
            11);
  // Words that only begin like keywords, and clauses of objects.
  EXPECT_EQ(ObjectsIn("Points 1 2\nLinex\nPen (1,2,0)\nBrush (2,1,1)\nSmooth\n"
                      "Label Line Arrow 1 2\nTextual\n"),
            0);
  EXPECT_EQ(ObjectsIn(""), 0);
}

TEST(ObjectCounter, ACollectionsPartsBelongToIt) {
  EXPECT_EQ(ObjectsIn("Collection 3\nMultipoint 2\n1 1\n2 2\nRegion 1\n  3\n0 0\n1 0\n0 1\n"
                      "Pline 2\n0 0\n1 1\nRegion 1\n  3\n0 0\n1 0\n0 1\n"),
            2);  // the Collection, then a Region of its own
  EXPECT_EQ(ObjectsIn("Collection 1\nPline 2\n0 0\n1 1\nPoint 1 1\n"), 2);
}

TEST(ObjectCounter, ATextsStringLineIsNeverAKeyword) {
  // The string on a line of its own, even when it reads like a keyword.
  EXPECT_EQ(ObjectsIn("Text\n    Point\n    0 0 1 1\nText\n\n  None\n  0 0 1 1\n"), 2);
  EXPECT_EQ(ObjectsIn("Text \"x\"\n0 0 1 1\nPoint 1 1\n"), 2);  // string on the Text line
}

// Each object whole, as GDAL's MIF writer and reader take them (checked
// with ogrinfo): every shorter run of its lines ends inside it.
TEST(ObjectCounter, AnObjectCutOffBeforeItsLastLineIsKnown) {
  const std::vector<std::vector<std::string>> objects = {
      {"Pline 3", "0 0", "1 1", "2 0"},
      {"PLINE MULTIPLE 2", "  2", "0 0", "1 1", "  1", "2 2"},
      {"Pline", "  2", "0 0", "1 1"},
      {"Region 2", "  3", "0 0", "4 0", "0 4", "  3", "1 1", "2 1", "1 2"},
      {"Multipoint 2", "0 0", "1 1"},
      {"Collection 2", "Multipoint 1", "1 1", "Pline 2", "0 0", "1 1"},
      {"Text", "  \"Point\"", "  0 0 1 1"},
      {"Text \"x\"", "0 0 1 1"},
      {"Arc 0 0 1 1", "0 90"},
      {"Roundrect 0 0 1 1", "0.1"},
      {"Line", "0 0 1 1"},
  };
  for (const auto& lines : objects) {
    ObjectCounter counter;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      counter.Line(lines[i]);
      EXPECT_EQ(counter.InsideObject(), i + 1 < lines.size()) << lines[0] << " line " << i;
    }
    counter.Line("    Pen (1,2,0)");  // clauses after the object owe nothing
    EXPECT_FALSE(counter.InsideObject()) << lines[0];
    EXPECT_EQ(counter.Count(), 1) << lines[0];
  }
  // Everything on the keyword line.
  for (const char* line : {"Point 1 2", "Multipoint 2 1 1 2 2", "Arc 0 0 1 1 0 90",
                           "Roundrect 0 0 1 1 0.1", "Rect 0 0 1 1", "Ellipse 0 0 1 1", "None"}) {
    ObjectCounter counter;
    counter.Line(line);
    EXPECT_FALSE(counter.InsideObject()) << line;
  }
}

// Long runs of points, as tile sets hold them, cross the 64-byte blocks in
// which the copy takes lines at once; objects cut short, blank and signed
// lines and Text strings that read like points must count the same there.
TEST(ObjectCounter, LinesInCrLfCountAsLineByLine) {
  std::mt19937 random(20261210);
  const std::vector<std::string> points = {
      "139.861035 35.675218", "-1 2", "+3 4", ".5 .5", "  7 8", "", "1"};
  std::string text;
  std::vector<std::string> lines;
  for (int object = 0; object < 400; ++object) {
    const int owed = static_cast<int>(random() % 40);
    const int given = random() % 5 == 0 ? owed - 2 : owed;  // a few cut short
    lines.push_back(random() % 7 == 0 ? "Text\r\n  \"12 34\"" : "Pline " + std::to_string(owed));
    for (int i = 0; i < given; ++i) {
      lines.push_back(random() % 9 == 0 ? points[random() % points.size()] : points[0]);
    }
    if (random() % 3 == 0) lines.push_back("    Pen (1,2,0)");
  }
  ObjectCounter byLine;
  for (const std::string& line : lines) {
    // "Text" and its string were pushed as one entry.
    std::istringstream parts(line);
    for (std::string part; std::getline(parts, part);) {
      if (!part.empty() && part.back() == '\r') part.pop_back();
      byLine.Line(part);
      text += part + "\r\n";
    }
  }
  for (const std::size_t split : {std::size_t{0}, std::size_t{1000}, text.size() / 2}) {
    const std::size_t at =
        text.rfind('\n', split) == std::string::npos ? 0 : text.rfind('\n', split) + 1;
    ObjectCounter atOnce;
    atOnce.CrLfLines(std::string_view(text).substr(0, at));
    atOnce.CrLfLines(std::string_view(text).substr(at));
    EXPECT_EQ(atOnce.Count(), byLine.Count()) << split;
    EXPECT_EQ(atOnce.Lines(), byLine.Lines()) << split;
    EXPECT_EQ(atOnce.InsideObject(), byLine.InsideObject()) << split;
  }
  EXPECT_EQ(byLine.Count(), 400);
}

TEST(RowCounter, QuotedValuesWithLineBreaksAreOneRow) {
  RowCounter rows;
  for (const char* line : {"1,\"two", "lines\"", "2,\"say \"\"a", "b\"\"\"", "3,\"\"", ""}) {
    EXPECT_EQ(rows.AtRowStart(),
              std::string_view(line) != "lines\"" && std::string_view(line) != "b\"\"\"")
        << line;
    rows.Take(line, true);
  }
  EXPECT_EQ(rows.Count(), 4);  // the empty line is a row too
  EXPECT_FALSE(rows.InsideValue());
}

TEST(RowCounter, APieceOfALineIsNoNewRowAndAnOpenValueNamesItsRow) {
  RowCounter rows;
  rows.Take("1", true);
  rows.Take("2,\"a", false);  // a long line in pieces
  EXPECT_FALSE(rows.AtRowStart());
  rows.Take("b\"", true);
  rows.Take("3,5\" pipe", true);
  rows.Take("4", true);
  EXPECT_EQ(rows.Count(), 3);
  EXPECT_TRUE(rows.InsideValue());
  EXPECT_EQ(rows.OpenedAtRow(), 3);
}

}  // namespace
}  // namespace mif

// The points of a .mif's objects, read beside the copy of their lines: the
// coordinates of Point, Line, Pline, Region, Arc, Text, Rect, RoundRect,
// Ellipse and Multipoint (a Collection's parts among them), each pair as
// written, x first. A Center line, an Arc's angles, a RoundRect's radius
// and a Text's string are no points.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "format/ExactDecimal.h"

namespace mif {

class PointSink {
 public:
  // An object begins at `line` (1-based among the lines read); a
  // Collection's parts are its own.
  virtual void ObjectStarts(std::int64_t line) = 0;
  // The pair as written (numbers, or words starting as numbers do).
  virtual void Point(std::string_view x, std::string_view y) = 0;
  // The same pair, of plain decimals, with their readings
  // (ParseFixedDecimal's): a vertex line's, read in one pass.
  virtual void FixedPoint(const FixedDecimal& x, const FixedDecimal& y, std::string_view xText,
                          std::string_view yText) {
    (void)x;
    (void)y;
    Point(xText, yText);
  }

 protected:
  ~PointSink() = default;
};

class ObjectPoints {
 public:
  explicit ObjectPoints(PointSink& sink) : sink_(sink) {}
  // The lines after DATA, one by one (the first piece of a long line).
  void Line(std::string_view line);
  // Whole lines, each ended by CR LF.
  void CrLfLines(std::string_view lines);

 private:
  // The vertex lines ("x y" of plain decimals) at the front of `lines`,
  // while the object owes coordinates; the rest of the lines.
  std::string_view VertexLines(std::string_view lines);
  void Keyword(std::string_view line);
  // The numbers of a line: `first`, then those of `text`.
  void Numbers(std::string_view first, std::string_view text);
  void Number(std::string_view word);
  void Count(std::string_view word);
  void Abandon();

  PointSink& sink_;
  std::int64_t lines_ = 0;
  std::int64_t collectionParts_ = 0;
  bool textStringNext_ = false;
  bool countNext_ = false;         // a section's point count comes next
  std::int64_t sectionsOwed_ = 0;  // sections still to come, each led by its count
  std::int64_t coordinatesOwed_ = 0;
  std::int64_t othersOwed_ = 0;  // numbers after the coordinates that are none
  bool haveX_ = false;
  std::string_view x_;
  std::string heldX_;  // an x whose y is on the next line
};

}  // namespace mif

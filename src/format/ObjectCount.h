// Counting what pairs up in a MIF/MID pair: the graphic objects of the
// .mif and the attribute rows of the .mid, as MIF readers count them.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace mif {

// The object keywords, and what a reader takes after each keyword line.
enum class ObjectKeyword : std::uint8_t {
  None,  // no keyword: a line of an object, or a clause
  Point,
  Line,
  Pline,
  Region,
  Arc,
  Text,
  Rect,
  Roundrect,
  Ellipse,
  Multipoint,
  Collection,
  NoGeometry,  // the keyword None
};

// Blanks and commas part the words of an object's lines.
inline constexpr std::array<bool, 256> kObjectWordSeparators = [] {
  std::array<bool, 256> separators{};
  separators[' '] = separators['\t'] = separators[','] = true;
  return separators;
}();
inline bool IsObjectWordSeparator(char c) {
  return kObjectWordSeparators[static_cast<unsigned char>(c)];
}

// A digit, sign or dot: a line that can be no keyword, clause or blank.
inline bool IsPointStart(char c) {
  return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
}

// The object keyword a line begins with after blanks, in any case, and the
// text after it in `rest`; None for a point, a clause or a blank line.
ObjectKeyword ObjectKeywordOf(std::string_view line, std::string_view& rest);
// Region, Pline and Multipoint: what a Collection is made of.
bool IsCollectionPart(ObjectKeyword keyword);

// Counts the objects among the .mif lines after DATA: lines whose first
// word, in any case after blanks, is an object keyword (Point, Line, Pline,
// Region, Arc, Text, Rect, Roundrect, Ellipse, Multipoint, Collection,
// None). The parts of a Collection belong to it, and the string line of a
// Text whose string is not on its own line is never a keyword. Follows the
// lines each object still owes a reader (point counts, points, a Text's
// corners, an Arc's angles), so that a source cut off inside its last
// object is known.
class ObjectCounter {
 public:
  // A whole line, or the first piece of one (a keyword fits in any piece).
  void Line(std::string_view line);
  // Whole lines, each ended by CR LF, as Line would take them one by one.
  void CrLfLines(std::string_view lines);
  std::int64_t Count() const { return count_; }
  // Lines seen.
  std::int64_t Lines() const { return lines_; }
  // Whether the lines so far end inside an object whose next lines a
  // reader would still take as its own: a Collection with parts to come, a
  // Text without its string or corners, a Pline, Region or Multipoint with
  // points to come. Another source's lines after these would be read as
  // part of it.
  bool InsideObject() const {
    return collectionParts_ > 0 || textStringNext_ || linesOwed_ > 0 || sectionsOwed_ > 0;
  }

 private:
  // Sets what the object or part begun by `keyword` still owes.
  void Expect(ObjectKeyword keyword, std::string_view rest);
  void TakeObjectLine(std::string_view line);

  std::int64_t count_ = 0;
  std::int64_t lines_ = 0;
  std::int64_t collectionParts_ = 0;  // parts of a Collection still to come
  bool textStringNext_ = false;
  std::int64_t linesOwed_ = 0;  // lines of the current object still to come
  // Region polygons or Pline sections still to come, each led by its
  // point count once the lines owed are in.
  std::int64_t sectionsOwed_ = 0;
};

// Counts the rows of a .mid: lines, where a quoted value that holds a line
// break makes one row of several lines. Quotes are counted by parity (""
// inside a value counts twice); no code page 932 trail byte and no UTF-8
// continuation byte is a quote, so bytes are counted as they are.
class RowCounter {
 public:
  // Whether the next line starts a row rather than going on with one.
  bool AtRowStart() const { return !insideValue_ && !insideLine_; }
  // A line, or a piece of one: `lineEnds` for its last piece.
  void Take(std::string_view piece, bool lineEnds);

  std::int64_t Count() const { return count_; }
  // Whole lines taken.
  std::int64_t Lines() const { return lines_; }
  // Whether the text so far ends inside a quoted value, and the 1-based
  // row where that value opened.
  bool InsideValue() const { return insideValue_; }
  std::int64_t OpenedAtRow() const { return openedAt_; }

 private:
  std::int64_t count_ = 0;
  std::int64_t lines_ = 0;
  std::int64_t openedAt_ = 0;
  bool insideValue_ = false;
  bool insideLine_ = false;
};

}  // namespace mif

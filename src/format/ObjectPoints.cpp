#include "format/ObjectPoints.h"

#include <algorithm>
#include <optional>
#include <string>

#include "format/ExactDecimal.h"
#include "format/ObjectCount.h"
#include "text/AsciiCase.h"
#include "text/AsciiRun.h"

namespace mif {

namespace {

// The next word of `text` (blanks and commas part them), taken off it.
std::string_view NextWord(std::string_view& text) {
  std::size_t start = 0;
  while (start < text.size() && IsObjectWordSeparator(text[start])) ++start;
  std::size_t end = start;
  while (end < text.size() && !IsObjectWordSeparator(text[end])) ++end;
  const std::string_view word = text.substr(start, end - start);
  text.remove_prefix(end);
  return word;
}

}  // namespace

void ObjectPoints::Line(std::string_view line) {
  ++lines_;
  std::string_view rest = line;
  const std::string_view word = NextWord(rest);
  if (word.empty()) return;
  if (textStringNext_) {  // a Text's string, whatever it holds
    textStringNext_ = false;
    return;
  }
  if (IsPointStart(word.front()) && (countNext_ || coordinatesOwed_ > 0 || othersOwed_ > 0)) {
    Numbers(word, rest);
    return;
  }
  Abandon();  // anything else ends what the object still owed
  Keyword(line);
}

void ObjectPoints::CrLfLines(std::string_view lines) {
  for (;;) {
    lines = VertexLines(lines);
    if (lines.empty()) return;
    const std::size_t end = lines.find('\n') + 1;  // CR LF lines: found
    Line(lines.substr(0, end - 2));
    lines.remove_prefix(end);
  }
}

// What Line does with a line of two numbers while coordinates are owed,
// without taking the line apart into words.
std::string_view ObjectPoints::VertexLines(std::string_view lines) {
  const char* p = lines.data();
  const char* const end = p + lines.size();
  while (coordinatesOwed_ >= 2 && !haveX_ && !countNext_ && !textStringNext_) {
    const char* q = p;
    FixedDecimal x, y;
    if (!ScanFixedDecimal(q, end, x) || q == end || *q != ' ') break;
    const char* const yStart = ++q;
    if (!ScanFixedDecimal(q, end, y) || end - q < 2 || q[0] != '\r' || q[1] != '\n') break;
    ++lines_;
    sink_.FixedPoint(x, y, {p, static_cast<std::size_t>(yStart - 1 - p)},
                     {yStart, static_cast<std::size_t>(q - yStart)});
    coordinatesOwed_ -= 2;
    if (coordinatesOwed_ == 0 && sectionsOwed_ > 0) countNext_ = true;
    p = q + 2;
  }
  return {p, static_cast<std::size_t>(end - p)};
}

void ObjectPoints::Abandon() {
  countNext_ = false;
  coordinatesOwed_ = othersOwed_ = sectionsOwed_ = 0;
  haveX_ = false;
}

// The objects and their parts as the object counter takes them.
void ObjectPoints::Keyword(std::string_view line) {
  std::string_view rest;
  const ObjectKeyword keyword = ObjectKeywordOf(line, rest);
  if (keyword == ObjectKeyword::None) return;  // a clause: Pen, Brush, Symbol, Center, Smooth…
  if (IsCollectionPart(keyword) && collectionParts_ > 0) {
    --collectionParts_;
  } else {
    sink_.ObjectStarts(lines_);
    collectionParts_ = 0;
  }
  switch (keyword) {
    case ObjectKeyword::Point:
      coordinatesOwed_ = 2;
      break;
    case ObjectKeyword::Line:
    case ObjectKeyword::Rect:
    case ObjectKeyword::Ellipse:
      coordinatesOwed_ = 4;
      break;
    case ObjectKeyword::Arc:  // the corners, then the angles
      coordinatesOwed_ = 4, othersOwed_ = 2;
      break;
    case ObjectKeyword::Roundrect:  // the corners, then the radius
      coordinatesOwed_ = 4, othersOwed_ = 1;
      break;
    case ObjectKeyword::Text: {
      std::string_view string = rest;
      textStringNext_ = NextWord(string).empty();  // else the string is on this line
      coordinatesOwed_ = 4;
      return;  // the string is no number
    }
    case ObjectKeyword::Pline:
    case ObjectKeyword::Multipoint: {
      std::string_view after = rest;
      const std::string_view second = NextWord(after);
      if (second.size() == 8 && EqualsIgnoringAsciiCase(second, "multiple")) {
        rest = after;
        sectionsOwed_ = -1;  // the number of sections comes first
      } else {
        sectionsOwed_ = 1;
      }
      countNext_ = true;
      break;
    }
    case ObjectKeyword::Region:
      sectionsOwed_ = -1;
      countNext_ = true;
      break;
    case ObjectKeyword::Collection: {
      std::string_view count = rest;
      const std::optional<FixedDecimal> parts = ParseFixedDecimal(NextWord(count));
      collectionParts_ =
          parts && parts->places == 0 ? std::max<std::int64_t>(0, parts->mantissa) : 0;
      return;
    }
    default:
      return;  // None: no geometry
  }
  Numbers(NextWord(rest), rest);
}

void ObjectPoints::Numbers(std::string_view first, std::string_view text) {
  for (std::string_view word = first; !word.empty(); word = NextWord(text)) {
    if (!IsPointStart(word.front())) return Abandon();  // no number: no more points of it
    Number(word);
  }
  if (haveX_ && x_.data() != heldX_.data()) {  // the line's bytes go; its x stays
    heldX_.assign(x_);
    x_ = heldX_;
  }
}

void ObjectPoints::Number(std::string_view word) {
  if (countNext_) return Count(word);
  if (coordinatesOwed_ > 0) {
    --coordinatesOwed_;
    if (haveX_) {
      sink_.Point(x_, word);
    } else {
      x_ = word;
    }
    haveX_ = !haveX_;
    if (coordinatesOwed_ == 0 && sectionsOwed_ > 0) countNext_ = true;
    return;
  }
  if (othersOwed_ > 0) --othersOwed_;
}

// A point count, or with sectionsOwed_ negative the number of sections,
// each then led by its count.
void ObjectPoints::Count(std::string_view word) {
  const std::optional<FixedDecimal> number = ParseFixedDecimal(word);
  const std::int64_t count =
      number && number->places == 0 ? std::max<std::int64_t>(0, number->mantissa) : 0;
  if (sectionsOwed_ < 0) {
    sectionsOwed_ = count;
    countNext_ = count > 0;
    return;
  }
  --sectionsOwed_;
  countNext_ = false;
  coordinatesOwed_ = 2 * count;
  if (coordinatesOwed_ == 0 && sectionsOwed_ > 0) countNext_ = true;
}

}  // namespace mif

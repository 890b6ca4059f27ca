#include "format/ObjectPoints.h"

#include <algorithm>
#include <optional>
#include <string>

#include "text/AsciiCase.h"

namespace mif {

namespace {

bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }

// The next word of `text` (blanks and commas part them), taken off it.
std::string_view NextWord(std::string_view& text) {
  std::size_t start = 0;
  while (start < text.size() && IsSeparator(text[start])) ++start;
  std::size_t end = start;
  while (end < text.size() && !IsSeparator(text[end])) ++end;
  const std::string_view word = text.substr(start, end - start);
  text.remove_prefix(end);
  return word;
}

bool StartsNumber(char c) { return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.'; }

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
  if (StartsNumber(word.front()) && (countNext_ || coordinatesOwed_ > 0 || othersOwed_ > 0)) {
    Numbers(line);
    return;
  }
  // Anything else ends what the object still owed.
  countNext_ = false;
  coordinatesOwed_ = othersOwed_ = sectionsOwed_ = 0;
  haveX_ = false;
  Keyword(word, rest);
}

void ObjectPoints::CrLfLines(std::string_view lines) {
  while (!lines.empty()) {
    const std::size_t end = lines.find('\n');
    Line(lines.substr(0, end - 1));  // without its CR
    lines.remove_prefix(end + 1);
  }
}

void ObjectPoints::Keyword(std::string_view word, std::string_view rest) {
  if (word.size() > 10) return;
  std::string name(word);
  for (char& c : name) c = static_cast<char>(AsciiLower(c));
  const bool object = name == "point" || name == "line" || name == "pline" || name == "region" ||
                      name == "arc" || name == "text" || name == "rect" || name == "roundrect" ||
                      name == "ellipse" || name == "multipoint" || name == "collection" ||
                      name == "none";
  if (!object) return;  // a clause: Pen, Brush, Symbol, Center, Smooth…
  if (collectionParts_ > 0) {
    --collectionParts_;
  } else {
    sink_.ObjectStarts(lines_);
  }
  if (name == "point") {
    coordinatesOwed_ = 2;
  } else if (name == "line" || name == "rect" || name == "ellipse") {
    coordinatesOwed_ = 4;
  } else if (name == "arc") {
    coordinatesOwed_ = 4, othersOwed_ = 2;  // the corners, then the angles
  } else if (name == "roundrect") {
    coordinatesOwed_ = 4, othersOwed_ = 1;  // the corners, then the radius
  } else if (name == "text") {
    std::string_view string = rest;
    textStringNext_ = NextWord(string).empty();  // else the string is on this line
    coordinatesOwed_ = 4;
    return;  // the string is no number
  } else if (name == "pline" || name == "multipoint") {
    std::string_view after = rest;
    std::string second(NextWord(after));
    for (char& c : second) c = static_cast<char>(AsciiLower(c));
    if (second == "multiple") {
      rest = after;
      sectionsOwed_ = -1;  // the number of sections comes first
    } else {
      sectionsOwed_ = 1;
    }
    countNext_ = true;
  } else if (name == "region") {
    sectionsOwed_ = -1;
    countNext_ = true;
  } else if (name == "collection") {
    std::string_view count = rest;
    const std::optional<ExactDecimal> parts = ParseExactDecimal(NextWord(count));
    collectionParts_ = parts ? FloorTimes(*parts, 1) : 0;
    return;
  }
  Numbers(rest);
}

void ObjectPoints::Numbers(std::string_view text) {
  for (std::string_view word = NextWord(text); !word.empty(); word = NextWord(text)) {
    const std::optional<ExactDecimal> value = ParseExactDecimal(word);
    if (!value) {  // not what a reader would take: no more points of it
      countNext_ = false;
      coordinatesOwed_ = othersOwed_ = sectionsOwed_ = 0;
      return;
    }
    Number(*value);
  }
}

void ObjectPoints::Number(const ExactDecimal& value) {
  if (countNext_) {
    const std::int64_t count = std::max<std::int64_t>(0, FloorTimes(value, 1));
    if (sectionsOwed_ < 0) {  // the number of sections, each then led by its count
      sectionsOwed_ = count;
      countNext_ = count > 0;
      return;
    }
    --sectionsOwed_;
    countNext_ = false;
    coordinatesOwed_ = 2 * count;
    if (coordinatesOwed_ == 0 && sectionsOwed_ > 0) countNext_ = true;
    return;
  }
  if (coordinatesOwed_ > 0) {
    --coordinatesOwed_;
    if (haveX_) {
      sink_.Point(x_, value);
    } else {
      x_ = value;
    }
    haveX_ = !haveX_;
    if (coordinatesOwed_ == 0 && sectionsOwed_ > 0) countNext_ = true;
    return;
  }
  if (othersOwed_ > 0) --othersOwed_;
}

}  // namespace mif

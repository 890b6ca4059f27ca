#include "format/ObjectPoints.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "format/ExactDecimal.h"
#include "text/AsciiCase.h"

namespace mif {

namespace {

constexpr std::array<bool, 256> kSeparators = [] {
  std::array<bool, 256> separators{};
  separators[' '] = separators['\t'] = separators[','] = true;
  return separators;
}();

bool IsSeparator(char c) { return kSeparators[static_cast<unsigned char>(c)]; }

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
    Numbers(word, rest);
    return;
  }
  Abandon();  // anything else ends what the object still owed
  Keyword(word, rest);
}

void ObjectPoints::CrLfLines(std::string_view lines) {
  while (!lines.empty()) {
    const std::size_t end = lines.find('\n');
    Line(lines.substr(0, end - 1));  // without its CR
    lines.remove_prefix(end + 1);
  }
}

void ObjectPoints::Abandon() {
  countNext_ = false;
  coordinatesOwed_ = othersOwed_ = sectionsOwed_ = 0;
  haveX_ = false;
}

void ObjectPoints::Keyword(std::string_view word, std::string_view rest) {
  char lower[12];
  if (word.size() >= sizeof lower) return;
  for (std::size_t i = 0; i < word.size(); ++i) lower[i] = AsciiLower(word[i]);
  const std::string_view name(lower, word.size());
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
    const std::string_view second = NextWord(after);
    if (second.size() == 8 && EqualsIgnoringAsciiCase(second, "multiple")) {
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
    const std::optional<FixedDecimal> parts = ParseFixedDecimal(NextWord(count));
    collectionParts_ = parts && parts->places == 0 ? std::max<std::int64_t>(0, parts->mantissa) : 0;
    return;
  }
  Numbers(NextWord(rest), rest);
}

void ObjectPoints::Numbers(std::string_view first, std::string_view text) {
  for (std::string_view word = first; !word.empty(); word = NextWord(text)) {
    if (!StartsNumber(word.front())) return Abandon();  // no number: no more points of it
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

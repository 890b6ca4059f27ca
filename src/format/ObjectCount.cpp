#include "format/ObjectCount.h"

#include <algorithm>
#include <array>
#include <bit>

#include "text/AsciiCase.h"
#include "text/AsciiRun.h"

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

namespace {

using Keyword = ObjectKeyword;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

struct KeywordName {
  std::string_view name;  // lower case
  Keyword keyword;
};

constexpr std::array<KeywordName, 12> kKeywords = {{
    {"point", Keyword::Point},
    {"line", Keyword::Line},
    {"pline", Keyword::Pline},
    {"region", Keyword::Region},
    {"arc", Keyword::Arc},
    {"text", Keyword::Text},
    {"rect", Keyword::Rect},
    {"roundrect", Keyword::Roundrect},
    {"ellipse", Keyword::Ellipse},
    {"multipoint", Keyword::Multipoint},
    {"collection", Keyword::Collection},
    {"none", Keyword::NoGeometry},
}};

// Region, Pline and Multipoint are also what a Collection is made of.
bool IsCollectionPart(Keyword keyword) {
  return keyword == Keyword::Pline || keyword == Keyword::Region || keyword == Keyword::Multipoint;
}

// The first word in lower case, when it is short enough to be a keyword.
std::size_t FirstWord(std::string_view line, std::string_view& rest, char* word) {
  std::size_t i = 0;
  while (i < line.size() && IsBlank(line[i])) ++i;
  std::size_t length = 0;
  while (i + length < line.size() && !IsBlank(line[i + length])) {
    if (length == 10) return 0;  // longer than any keyword
    word[length] = AsciiLower(line[i + length]);
    ++length;
  }
  rest = line.substr(i + length);
  return length;
}

Keyword KeywordOf(std::string_view line, std::string_view& rest) {
  std::size_t start = 0;
  while (start < line.size() && IsBlank(line[start])) ++start;
  if (start == line.size()) return Keyword::None;
  // Coordinates, the common line, start with a digit, a sign or a dot.
  const char first = AsciiLower(line[start]);
  if (first < 'a' || first > 'z') return Keyword::None;
  std::size_t end = start;
  while (end < line.size() && !IsBlank(line[end])) ++end;
  const std::string_view word = line.substr(start, end - start);
  for (const KeywordName& keyword : kKeywords) {
    // Clauses (Pen, Brush, Center, ...) mostly part at the first two tests.
    if (keyword.name.size() == word.size() && keyword.name[0] == first &&
        EqualsIgnoringAsciiCase(word, keyword.name)) {
      rest = line.substr(end);
      return keyword.keyword;
    }
  }
  return Keyword::None;
}

// A digit, sign or dot: a line that can be no keyword, clause or blank.
bool IsPointStart(char c) { return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.'; }

bool IsBlankText(std::string_view text) { return std::all_of(text.begin(), text.end(), IsBlank); }

// Words separated by blanks or commas.
std::int64_t WordCount(std::string_view text) {
  std::int64_t count = 0;
  bool inWord = false;
  for (const char c : text) {
    const bool separator = IsBlank(c) || c == ',';
    if (!separator && !inWord) ++count;
    inWord = !separator;
  }
  return count;
}

std::int64_t LeadingCount(std::string_view text) {
  std::int64_t count = 0;
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && count < (1 << 30); ++i) {
    count = count * 10 + (text[i] - '0');
  }
  return count;
}

// Lines still owed when the keyword line holds `words` words after the
// keyword and the shape needs `wanted` words, on that line or the next.
std::int64_t OwedUnlessOnLine(std::int64_t words, std::int64_t wanted) {
  return words >= wanted ? 0 : 1;
}

// Points of a list whose count `count` leads `rest`, less those on the line.
std::int64_t PointsOwed(std::string_view rest, std::int64_t count) {
  return std::max<std::int64_t>(0, count - (WordCount(rest) - 1) / 2);
}

}  // namespace

void ObjectCounter::Line(std::string_view line) {
  ++lines_;
  if (textStringNext_) {
    if (!IsBlankText(line)) textStringNext_ = false;
    return;
  }
  std::string_view rest;
  const Keyword keyword = KeywordOf(line, rest);
  if (keyword == Keyword::None) {
    if (!IsBlankText(line)) TakeObjectLine(line);
    return;
  }
  linesOwed_ = 0;  // a short object before this one is the reader's error, not ours
  sectionsOwed_ = 0;
  if (IsCollectionPart(keyword) && collectionParts_ > 0) {
    --collectionParts_;
  } else {
    ++count_;
    collectionParts_ = keyword == Keyword::Collection ? LeadingCount(rest) : 0;
  }
  Expect(keyword, rest);
}

void ObjectCounter::CrLfLines(std::string_view lines) {
  const char* const bytes = lines.data();
  std::size_t start = 0;  // of the next line
  for (std::size_t window = 0; window < lines.size(); window += 64) {
    for (std::uint64_t lineFeeds = LineFeedBits(bytes + window, lines.size() - window);
         lineFeeds != 0; lineFeeds &= lineFeeds - 1) {
      const std::size_t lineFeed = window + static_cast<std::size_t>(std::countr_zero(lineFeeds));
      // A point of an object that owes points, the common line, in short.
      if (linesOwed_ > 0 && !textStringNext_ && IsPointStart(bytes[start])) {
        --linesOwed_;
        ++lines_;
      } else {
        Line({bytes + start, lineFeed - 1 - start});
      }
      start = lineFeed + 1;
    }
  }
}

void ObjectCounter::Expect(ObjectKeyword keyword, std::string_view rest) {
  const std::int64_t words = WordCount(rest);
  switch (keyword) {
    case Keyword::Point:
      linesOwed_ = OwedUnlessOnLine(words, 2);
      break;
    case Keyword::Line:
    case Keyword::Rect:
    case Keyword::Ellipse:
      linesOwed_ = OwedUnlessOnLine(words, 4);
      break;
    case Keyword::Arc:  // corners, then the angles
      linesOwed_ = OwedUnlessOnLine(words, 4) + OwedUnlessOnLine(words, 6);
      break;
    case Keyword::Roundrect:  // corners, then the radius
      linesOwed_ = OwedUnlessOnLine(words, 4) + OwedUnlessOnLine(words, 5);
      break;
    case Keyword::Text:  // the string, then the corners
      textStringNext_ = words == 0;
      linesOwed_ = 1;
      break;
    case Keyword::Pline: {
      std::string_view second;
      char word[10];
      if (FirstWord(rest, second, word) == 8 && std::string_view(word, 8) == "multiple") {
        sectionsOwed_ = LeadingCount(second);
      } else if (words > 0) {
        linesOwed_ = PointsOwed(rest, LeadingCount(rest));
      } else {
        sectionsOwed_ = 1;  // the count on the next line
      }
      break;
    }
    case Keyword::Region:
      sectionsOwed_ = LeadingCount(rest);
      break;
    case Keyword::Multipoint:
      if (words > 0) {
        linesOwed_ = PointsOwed(rest, LeadingCount(rest));
      } else {
        sectionsOwed_ = 1;
      }
      break;
    default:
      break;
  }
}

void ObjectCounter::TakeObjectLine(std::string_view line) {
  if (linesOwed_ > 0) {
    --linesOwed_;
  } else if (sectionsOwed_ > 0) {  // the next section's point count
    --sectionsOwed_;
    linesOwed_ = LeadingCount(line);
  }
}

void RowCounter::Take(std::string_view piece, bool lineEnds) {
  if (AtRowStart()) ++count_;
  if (std::count(piece.begin(), piece.end(), '"') % 2 == 1) {
    insideValue_ = !insideValue_;
    if (insideValue_) openedAt_ = count_;
  }
  insideLine_ = !lineEnds;
  if (lineEnds) ++lines_;
}

}  // namespace mif

#include "format/ObjectCount.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>

#include "text/AsciiCase.h"
#include "text/AsciiRun.h"

namespace mif {

namespace {

using Keyword = ObjectKeyword;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

struct KeywordName {
  std::string_view name;  // lower case
  Keyword keyword;
};

// By first letter, so that a line's first word is compared only with the
// keywords it could be.
constexpr std::array<KeywordName, 12> kKeywords = {{
    {"arc", Keyword::Arc},
    {"collection", Keyword::Collection},
    {"ellipse", Keyword::Ellipse},
    {"line", Keyword::Line},
    {"multipoint", Keyword::Multipoint},
    {"none", Keyword::NoGeometry},
    {"pline", Keyword::Pline},
    {"point", Keyword::Point},
    {"rect", Keyword::Rect},
    {"region", Keyword::Region},
    {"roundrect", Keyword::Roundrect},
    {"text", Keyword::Text},
}};

// The keywords whose first letter is `first` (lower case), as a range of
// kKeywords: [first, last).
constexpr std::pair<std::size_t, std::size_t> KeywordsOf(char first) {
  switch (first) {
    case 'a':
      return {0, 1};
    case 'c':
      return {1, 2};
    case 'e':
      return {2, 3};
    case 'l':
      return {3, 4};
    case 'm':
      return {4, 5};
    case 'n':
      return {5, 6};
    case 'p':
      return {6, 8};
    case 'r':
      return {8, 11};
    case 't':
      return {11, 12};
    default:
      return {0, 0};  // Pen, Brush, Symbol, Smooth, ...
  }
}

// Each keyword found under its first letter, and under no other.
constexpr bool KeywordsOfHoldsEach() {
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    const auto [from, to] = KeywordsOf(letter);
    for (std::size_t k = 0; k < kKeywords.size(); ++k) {
      if ((kKeywords[k].name[0] == letter) != (k >= from && k < to)) return false;
    }
  }
  return true;
}
static_assert(KeywordsOfHoldsEach());

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

// The keyword of the word at `start`, a letter; the text after it in `rest`.
Keyword KeywordAt(std::string_view line, std::size_t start, std::string_view& rest) {
  const std::string_view word = line.substr(start);
  const auto [from, to] = KeywordsOf(AsciiLower(word[0]));
  for (std::size_t k = from; k < to; ++k) {
    const std::string_view name = kKeywords[k].name;
    if (word.size() < name.size() || (word.size() > name.size() && !IsBlank(word[name.size()]))) {
      continue;
    }
    std::size_t i = 1;
    while (i < name.size() && AsciiLower(word[i]) == name[i]) ++i;
    if (i == name.size()) {
      rest = word.substr(name.size());
      return kKeywords[k].keyword;
    }
  }
  return Keyword::None;
}

bool IsLetter(char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }

std::size_t FirstNonBlank(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i;
}

// Words separated by blanks or commas, counted up to `atMost`.
std::int64_t WordCount(std::string_view text,
                       std::int64_t atMost = std::numeric_limits<std::int64_t>::max()) {
  const auto separator = [&](std::size_t i) {
    return kObjectWordSeparators[static_cast<unsigned char>(text[i])];
  };
  std::int64_t count = 0;
  std::size_t i = 0;
  while (count < atMost) {
    while (i < text.size() && separator(i)) ++i;
    if (i == text.size() || ++count == atMost) break;
    while (i < text.size() && !separator(i)) ++i;
  }
  return count;
}

bool HasWords(std::string_view text, std::int64_t wanted) {
  return WordCount(text, wanted) >= wanted;
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

// Lines still owed when the shape needs `wanted` words after the keyword,
// on its line (`rest`) or the next.
std::int64_t OwedUnlessOnLine(std::string_view rest, std::int64_t wanted) {
  return HasWords(rest, wanted) ? 0 : 1;
}

// Points of a list whose count `count` leads `rest`, less those on the line.
std::int64_t PointsOwed(std::string_view rest, std::int64_t count) {
  return std::max<std::int64_t>(0, count - (WordCount(rest) - 1) / 2);
}

}  // namespace

ObjectKeyword ObjectKeywordOf(std::string_view line, std::string_view& rest) {
  const std::size_t start = FirstNonBlank(line);
  if (start == line.size() || !IsLetter(line[start])) return Keyword::None;
  return KeywordAt(line, start, rest);
}

bool IsCollectionPart(ObjectKeyword keyword) {
  return keyword == Keyword::Pline || keyword == Keyword::Region || keyword == Keyword::Multipoint;
}

void ObjectCounter::Line(std::string_view line) {
  ++lines_;
  const std::size_t start = FirstNonBlank(line);
  if (start == line.size()) return;  // a blank line, even where a Text's string is due
  if (textStringNext_) {
    textStringNext_ = false;
    return;
  }
  std::string_view rest;
  // Coordinates, the common line, start with a digit, a sign or a dot.
  const Keyword keyword = IsLetter(line[start]) ? KeywordAt(line, start, rest) : Keyword::None;
  if (keyword == Keyword::None) {
    TakeObjectLine(line);
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
  // ForEachCrLfLine's loop, written out: a point is told by its first byte,
  // which a line's CR stands in for when it is empty, and this is the
  // hottest loop of a merge.
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
  switch (keyword) {
    case Keyword::Point:
      linesOwed_ = OwedUnlessOnLine(rest, 2);
      break;
    case Keyword::Line:
    case Keyword::Rect:
    case Keyword::Ellipse:
      linesOwed_ = OwedUnlessOnLine(rest, 4);
      break;
    case Keyword::Arc:  // corners, then the angles
      linesOwed_ = OwedUnlessOnLine(rest, 4) + OwedUnlessOnLine(rest, 6);
      break;
    case Keyword::Roundrect:  // corners, then the radius
      linesOwed_ = OwedUnlessOnLine(rest, 4) + OwedUnlessOnLine(rest, 5);
      break;
    case Keyword::Text:  // the string, then the corners
      textStringNext_ = !HasWords(rest, 1);
      linesOwed_ = 1;
      break;
    case Keyword::Pline: {
      std::string_view second;
      char word[10];
      if (FirstWord(rest, second, word) == 8 && std::string_view(word, 8) == "multiple") {
        sectionsOwed_ = LeadingCount(second);
      } else if (HasWords(rest, 1)) {
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
      if (HasWords(rest, 1)) {
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
  if (OddCountOf(piece.data(), piece.size(), '"')) {
    insideValue_ = !insideValue_;
    if (insideValue_) openedAt_ = count_;
  }
  insideLine_ = !lineEnds;
  if (lineEnds) ++lines_;
}

}  // namespace mif

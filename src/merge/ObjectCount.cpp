#include "merge/ObjectCount.h"

#include <algorithm>
#include <array>

namespace mif {

namespace {

enum class Keyword { None, Object, Part, Text, Collection };

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

struct KeywordName {
  std::string_view name;  // lower case
  Keyword kind;
};

// Region, Pline and Multipoint are also what a Collection is made of.
constexpr std::array<KeywordName, 12> kKeywords = {{
    {"point", Keyword::Object},
    {"line", Keyword::Object},
    {"pline", Keyword::Part},
    {"region", Keyword::Part},
    {"arc", Keyword::Object},
    {"text", Keyword::Text},
    {"rect", Keyword::Object},
    {"roundrect", Keyword::Object},
    {"ellipse", Keyword::Object},
    {"multipoint", Keyword::Part},
    {"collection", Keyword::Collection},
    {"none", Keyword::Object},
}};

// The first word in lower case, when it is short enough to be a keyword.
std::size_t FirstWord(std::string_view line, std::string_view& rest, char* word) {
  std::size_t i = 0;
  while (i < line.size() && IsBlank(line[i])) ++i;
  std::size_t length = 0;
  while (i + length < line.size() && !IsBlank(line[i + length])) {
    if (length == 10) return 0;  // longer than any keyword
    word[length] = Lower(line[i + length]);
    ++length;
  }
  rest = line.substr(i + length);
  return length;
}

Keyword KeywordOf(std::string_view line, std::string_view& rest) {
  // Coordinates, the common line, start with a digit, a sign or a dot.
  const auto first = std::find_if_not(line.begin(), line.end(), IsBlank);
  if (first == line.end() || !((*first | 0x20) >= 'a' && (*first | 0x20) <= 'z')) {
    return Keyword::None;
  }
  char buffer[10];
  const std::size_t length = FirstWord(line, rest, buffer);
  const std::string_view word(buffer, length);
  for (const KeywordName& keyword : kKeywords) {
    if (keyword.name == word) return keyword.kind;
  }
  return Keyword::None;
}

bool IsBlankText(std::string_view text) { return std::all_of(text.begin(), text.end(), IsBlank); }

std::int64_t LeadingCount(std::string_view text) {
  std::int64_t count = 0;
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && count < (1 << 30); ++i) {
    count = count * 10 + (text[i] - '0');
  }
  return count;
}

}  // namespace

void ObjectCounter::Line(std::string_view line) {
  if (textStringNext_) {
    if (!IsBlankText(line)) textStringNext_ = false;
    return;
  }
  std::string_view rest;
  const Keyword keyword = KeywordOf(line, rest);
  if (keyword == Keyword::None) return;
  if (keyword == Keyword::Part && collectionParts_ > 0) {
    --collectionParts_;
    return;
  }
  ++count_;
  collectionParts_ = keyword == Keyword::Collection ? LeadingCount(rest) : 0;
  textStringNext_ = keyword == Keyword::Text && IsBlankText(rest);
}

void RowCounter::Take(std::string_view piece, bool lineEnds) {
  if (AtRowStart()) ++count_;
  if (std::count(piece.begin(), piece.end(), '"') % 2 == 1) {
    insideValue_ = !insideValue_;
    if (insideValue_) openedAt_ = count_;
  }
  insideLine_ = !lineEnds;
}

}  // namespace mif

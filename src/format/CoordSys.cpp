#include "format/CoordSys.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "format/HeaderWords.h"
#include "text/AsciiCase.h"

namespace mif {

namespace {

constexpr std::string_view kSeparators = " \t,()";

// Whether the words say the same: numbers by value, the rest in any case.
bool SameWord(const HeaderWord& a, const HeaderWord& b) {
  const std::optional<double> x = NumberOf(a.text), y = NumberOf(b.text);
  if (x || y) return x && y && *x == *y;
  return EqualsIgnoringAsciiCase(a.text, b.text);
}

bool SameWords(const std::vector<HeaderWord>& a, const std::vector<HeaderWord>& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameWord);
}

// The index of the word Bounds, or the number of words.
std::size_t BoundsWord(const std::vector<HeaderWord>& words) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (!words[i].quoted && EqualsIgnoringAsciiCase(words[i].text, "Bounds")) return i;
  }
  return words.size();
}

// The words without Bounds and its four numbers.
std::vector<HeaderWord> WithoutBounds(std::vector<HeaderWord> words) {
  const std::size_t at = BoundsWord(words);
  if (at < words.size()) {
    words.erase(words.begin() + static_cast<std::ptrdiff_t>(at),
                words.begin() + static_cast<std::ptrdiff_t>(std::min(words.size(), at + 5)));
  }
  return words;
}

// Plain decimals, as MIF writers write them (200000, not 2e+05), in the
// fewest digits that read back as the same number.
std::string Shortest(double value) {
  char digits[400];  // the longest double in fixed notation is some 330
  const auto result =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
  return std::string(digits, result.ptr);
}

}  // namespace

bool SameCoordSys(std::string_view a, std::string_view b) {
  if (a == b) return true;  // a tile set's, mostly
  return SameWords(WithoutBounds(SplitHeaderWords(a, kSeparators)),
                   WithoutBounds(SplitHeaderWords(b, kSeparators)));
}

bool IsLongitudeLatitude(std::string_view clause) {
  const std::vector<HeaderWord> words = SplitHeaderWords(clause, kSeparators);
  return words.size() >= 3 && EqualsIgnoringAsciiCase(words[0].text, "Earth") &&
         EqualsIgnoringAsciiCase(words[1].text, "Projection") && NumberOf(words[2].text) == 1.0;
}

std::optional<Bounds> BoundsOf(std::string_view clause) {
  const std::vector<HeaderWord> words = SplitHeaderWords(clause, kSeparators);
  const std::size_t at = BoundsWord(words);
  if (at + 4 >= words.size()) return std::nullopt;
  double numbers[4];
  for (int i = 0; i < 4; ++i) {
    const std::optional<double> number = NumberOf(words[at + 1 + i].text);
    if (!number) return std::nullopt;
    numbers[i] = *number;
  }
  return Bounds{std::min(numbers[0], numbers[2]), std::min(numbers[1], numbers[3]),
                std::max(numbers[0], numbers[2]), std::max(numbers[1], numbers[3])};
}

Bounds UnionOf(const Bounds& a, const Bounds& b) {
  return {std::min(a.minX, b.minX), std::min(a.minY, b.minY), std::max(a.maxX, b.maxX),
          std::max(a.maxY, b.maxY)};
}

bool Contains(const Bounds& outer, const Bounds& inner) { return UnionOf(outer, inner) == outer; }

std::string WithBounds(std::string_view clause, const std::optional<Bounds>& bounds) {
  const std::vector<HeaderWord> words = SplitHeaderWords(clause, kSeparators);
  const std::size_t at = BoundsWord(words);
  std::string_view before = clause;
  if (at < words.size()) {
    before = clause.substr(0, static_cast<std::size_t>(words[at].text.data() - clause.data()));
  }
  while (!before.empty() && (before.back() == ' ' || before.back() == '\t')) {
    before.remove_suffix(1);
  }
  std::string text(before);
  if (bounds) {
    text += " Bounds (" + Shortest(bounds->minX) + ", " + Shortest(bounds->minY) + ") (" +
            Shortest(bounds->maxX) + ", " + Shortest(bounds->maxY) + ")";
  }
  return text;
}

bool SameTransform(std::string_view a, std::string_view b) {
  return SameWords(SplitHeaderWords(a, " \t,"), SplitHeaderWords(b, " \t,"));
}

}  // namespace mif

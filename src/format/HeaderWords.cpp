#include "format/HeaderWords.h"

#include <array>
#include <charconv>

namespace mif {

std::vector<HeaderWord> SplitHeaderWords(std::string_view line, std::string_view separators) {
  // A table, not a search of `separators` a byte: a tile set's headers are
  // split by the thousand.
  std::array<bool, 256> separator{};
  for (const char c : separators) separator[static_cast<unsigned char>(c)] = true;
  const auto isSeparator = [&](char c) { return separator[static_cast<unsigned char>(c)]; };
  std::vector<HeaderWord> words;
  std::size_t i = 0;
  while (i < line.size()) {
    if (isSeparator(line[i])) {
      ++i;
    } else if (line[i] == '"') {
      std::size_t end = line.find('"', i + 1);
      if (end == std::string_view::npos) end = line.size();
      words.push_back({line.substr(i + 1, end - i - 1), true});
      i = end + 1;
    } else {
      std::size_t end = i;
      while (end < line.size() && !isSeparator(line[end])) ++end;
      words.push_back({line.substr(i, end - i), false});
      i = end;
    }
  }
  return words;
}

std::optional<double> NumberOf(std::string_view word) {
  if (!word.empty() && word.front() == '+') word.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (word.empty() || error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

std::optional<int> IntegerOf(std::string_view word) {
  int value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (word.empty() || error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

}  // namespace mif

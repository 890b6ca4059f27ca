// The words of a .mif header line as MIF readers split them: at any of a
// set of separator bytes, a double-quoted word whole and without its
// quotes, empty words dropped.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace mif {

struct HeaderWord {
  std::string_view text;  // without quotes
  bool quoted = false;
};

std::vector<HeaderWord> SplitHeaderWords(std::string_view line, std::string_view separators);

// The word as a whole decimal number ("0.9999", "-1e3", "500000"), or
// nothing; numbers are compared by value.
std::optional<double> NumberOf(std::string_view word);

// The word as a whole decimal integer, or nothing.
std::optional<int> IntegerOf(std::string_view word);

}  // namespace mif

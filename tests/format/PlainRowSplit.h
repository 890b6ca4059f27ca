// A .mid row as a plain byte splitter splits it, the reference the code
// page 932 splitter is held against: at the delimiter outside double
// quotes, quotes counted by parity, each value's bytes kept.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mif::testing {

inline std::vector<std::string> SplitRowBytes(std::string_view row, char delimiter) {
  std::vector<std::string> values(1);
  bool quoted = false;
  for (const char c : row) {
    if (c == '"') quoted = !quoted;
    if (c == delimiter && !quoted) {
      values.emplace_back();
    } else {
      values.back() += c;
    }
  }
  return values;
}

}  // namespace mif::testing

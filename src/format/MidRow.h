// The values of a .mid row, and a value written for another delimiter.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mif {

// Splits a row (its lines joined by CR LF) at `delimiter` outside double
// quotes, quotes counted by parity as MIF readers count them (a doubled
// quote inside a value twice). Each value keeps its bytes, quotes and all.
// With `doubleByte` the row is walked as code page 932 characters, as
// Windows reads them, so a trail byte equal to the delimiter (ポ 83 7C
// with "|") splits nothing, while a lead byte before a byte that can be no
// trail (a quote, a comma, a tab) is a character of its own.
void SplitMidRow(std::string_view row, char delimiter, bool doubleByte,
                 std::vector<std::string_view>& values);

// Appends `value` for a row delimited by `delimiter`: as it is, unless it
// is bare (it does not start with a quote) and holds a quote or a byte
// equal to the delimiter; then it is quoted (AppendQuotedMidValue).
void AppendMidValue(std::string_view value, char delimiter, std::string& row);
// Appends `text` quoted, its quotes doubled: a value any reader takes whole.
void AppendQuotedMidValue(std::string_view text, std::string& row);

}  // namespace mif

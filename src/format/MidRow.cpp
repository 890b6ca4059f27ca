#include "format/MidRow.h"

#include "text/Cp932.h"

namespace mif {

void SplitMidRow(std::string_view row, char delimiter, bool doubleByte,
                 std::vector<std::string_view>& values) {
  values.clear();
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i < row.size(); ++i) {
    const char c = row[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (c == delimiter && !quoted) {
      values.push_back(row.substr(start, i - start));
      start = i + 1;
    } else if (doubleByte && LeadByteSet(static_cast<unsigned char>(c)) && i + 1 < row.size() &&
               TrailByteSet(static_cast<unsigned char>(row[i + 1]))) {
      ++i;  // its trail byte is part of it
    }
  }
  values.push_back(row.substr(start));
}

void AppendMidValue(std::string_view value, char delimiter, std::string& row) {
  const bool bare = value.empty() || value.front() != '"';
  if (!bare || value.find_first_of(std::string{'"', delimiter}) == std::string_view::npos) {
    row += value;
    return;
  }
  AppendQuotedMidValue(value, row);
}

void AppendQuotedMidValue(std::string_view text, std::string& row) {
  row += '"';
  for (const char c : text) row.append(c == '"' ? 2 : 1, c);
  row += '"';
}

}  // namespace mif

// A source's .mid row laid out in the output's columns: each value's bytes
// as in the source (quoted or bare, a quoted value over several lines
// whole), in its column's place, an empty value where the source has none,
// the layer value (and the tile's) first, delimited as the output is.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "merge/OutputSchema.h"

namespace mif {

class RowArranger {
 public:
  // The values of the added columns are quoted; a source that brings such
  // a column itself brings its own value instead. Rows are split at the
  // layout's delimiter and joined with `outputDelimiter`.
  RowArranger(const SourceLayout& layout, std::string layerValue, std::string tileValue,
              char outputDelimiter);

  // The output row for a whole source row, its lines joined by CR LF.
  // Values are split as SplitMidRow splits them. A value the row lacks is
  // empty, and values past the source's columns are left out, as readers
  // leave them. Under another delimiter a bare value that holds the new
  // one, or a quote, is quoted (AppendMidValue). The view lives until the
  // next call.
  std::string_view Arrange(std::string_view row);

  // The row of a source without columns: the layer value, and empty values.
  std::string_view EmptyRow();

 private:
  void Append(std::string_view value);

  const SourceLayout& layout_;
  std::string layerValue_, tileValue_;
  char delimiter_;
  bool redelimit_;
  std::vector<std::string_view> values_;
  std::string out_;
};

}  // namespace mif

// A source's .mid row laid out in the output's columns: each value's bytes
// exactly as in the source (quoted or bare, a quoted value over several
// lines whole), in its column's place, an empty value where the source has
// none, the layer value first.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "merge/OutputSchema.h"

namespace mif {

class RowArranger {
 public:
  // `layerValue` is quoted; a source with a LAYER column of its own brings
  // its own value instead.
  RowArranger(const SourceLayout& layout, std::string layerValue, char delimiter);

  // The output row for a whole source row, its lines joined by CR LF. Values
  // are split at the delimiter outside quotes, quotes counted by parity as
  // MIF readers count them (a doubled quote inside a value twice). A value
  // the row lacks is empty, and values past the source's columns are left
  // out, as readers leave them. The view lives until the next call.
  std::string_view Arrange(std::string_view row);

  // The row of a source that has no .mid: no values of its own.
  std::string_view EmptyRow() { return Arrange({}); }

 private:
  void SplitValues(std::string_view row);

  const SourceLayout& layout_;
  std::string layerValue_;
  char delimiter_;
  std::vector<std::string_view> values_;
  std::string out_;
};

}  // namespace mif

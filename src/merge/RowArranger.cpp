#include "merge/RowArranger.h"

#include "format/MidRow.h"

namespace mif {

RowArranger::RowArranger(const SourceLayout& layout, std::string layerValue, std::string tileValue,
                         char outputDelimiter)
    : layout_(layout),
      layerValue_(std::move(layerValue)),
      tileValue_(std::move(tileValue)),
      delimiter_(outputDelimiter),
      redelimit_(layout.delimiter != outputDelimiter) {}

void RowArranger::Append(std::string_view value) {
  if (redelimit_) {
    AppendMidValue(value, delimiter_, out_);
  } else {
    out_ += value;
  }
}

std::string_view RowArranger::Arrange(std::string_view row) {
  values_.clear();
  if (layout_.sourceValues > 0) SplitMidRow(row, layout_.delimiter, layout_.doubleByte, values_);
  out_.clear();
  const auto own = [&](int column) {
    if (static_cast<std::size_t>(column) < values_.size()) Append(values_[column]);
  };
  if (layout_.own >= 1) {
    own(0);
  } else {
    out_ += layerValue_;
  }
  if (layout_.tile) {
    out_ += delimiter_;
    if (layout_.own >= 2) {
      own(1);
    } else {
      out_ += tileValue_;
    }
  }
  for (const int source : layout_.valueOf) {
    out_ += delimiter_;
    if (source >= 0 && static_cast<std::size_t>(source) < values_.size()) {
      Append(values_[static_cast<std::size_t>(source)]);
    }
  }
  return out_;
}

std::string_view RowArranger::EmptyRow() { return Arrange({}); }

}  // namespace mif

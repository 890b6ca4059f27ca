#include "merge/RowArranger.h"

#include "format/MidRow.h"

namespace mif {

RowArranger::RowArranger(const SourceLayout& layout, std::string layerValue, char outputDelimiter)
    : layout_(layout),
      layerValue_(std::move(layerValue)),
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
  if (!layout_.ownLayer) {
    out_ += layerValue_;
  } else if (!values_.empty()) {
    Append(values_.front());
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

#include "merge/RowArranger.h"

namespace mif {

RowArranger::RowArranger(const SourceLayout& layout, std::string layerValue, char delimiter)
    : layout_(layout), layerValue_(std::move(layerValue)), delimiter_(delimiter) {}

void RowArranger::SplitValues(std::string_view row) {
  values_.clear();
  if (layout_.sourceValues == 0) return;
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i < row.size(); ++i) {
    const char c = row[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (c == delimiter_ && !quoted) {
      values_.push_back(row.substr(start, i - start));
      start = i + 1;
    }
  }
  values_.push_back(row.substr(start));
}

std::string_view RowArranger::Arrange(std::string_view row) {
  SplitValues(row);
  out_.clear();
  if (!layout_.ownLayer) {
    out_ += layerValue_;
  } else if (!values_.empty()) {
    out_ += values_.front();
  }
  for (const int source : layout_.valueOf) {
    out_ += delimiter_;
    if (source >= 0 && static_cast<std::size_t>(source) < values_.size()) {
      out_ += values_[static_cast<std::size_t>(source)];
    }
  }
  return out_;
}

}  // namespace mif

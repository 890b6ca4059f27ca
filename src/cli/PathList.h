// Paths one after another in one buffer: a list of 100,000 sources costs
// their bytes and four more each, not a string object each.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mif {

class PathList {
 public:
  void Add(std::string_view path) {
    bytes_.append(path);
    ends_.push_back(static_cast<std::uint32_t>(bytes_.size()));
  }
  std::size_t Size() const { return ends_.size(); }
  bool Empty() const { return ends_.empty(); }
  std::string operator[](std::size_t i) const {
    const std::uint32_t begin = i == 0 ? 0 : ends_[i - 1];
    return bytes_.substr(begin, ends_[i] - begin);
  }
  // Gives back memory held for more.
  void Shrink() {
    bytes_.shrink_to_fit();
    ends_.shrink_to_fit();
  }

 private:
  std::string bytes_;
  std::vector<std::uint32_t> ends_;
};

}  // namespace mif

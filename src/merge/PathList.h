// Paths one after another in one buffer, each folder once: a list of
// 100,000 tiles costs their file names and eight bytes more each, not a
// string object each.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mif {

class PathList {
 public:
  // Adds the file `name` of `folder` (with its trailing delimiter, or empty).
  void Add(std::string_view folder, std::string_view name);
  // Adds a path: its folder and name.
  void Add(std::string_view path);
  std::size_t Size() const { return ends_.size(); }
  bool Empty() const { return ends_.empty(); }
  std::string operator[](std::size_t i) const;
  // Gives back memory held for more.
  void Shrink();

 private:
  std::vector<std::string> folders_;
  std::string names_;
  std::vector<std::uint32_t> ends_;      // of each name in names_
  std::vector<std::uint32_t> folderOf_;  // each name's folder
};

}  // namespace mif

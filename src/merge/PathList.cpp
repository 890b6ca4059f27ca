#include "merge/PathList.h"

#include "file/FileName.h"

namespace mif {

void PathList::Add(std::string_view folder, std::string_view name) {
  // Paths come a folder at a time: the last folder is the one to look at.
  if (folders_.empty() || folders_.back() != folder) folders_.emplace_back(folder);
  names_.append(name);
  ends_.push_back(static_cast<std::uint32_t>(names_.size()));
  folderOf_.push_back(static_cast<std::uint32_t>(folders_.size() - 1));
}

void PathList::Add(std::string_view path) {
  const std::size_t split = static_cast<std::size_t>(FindLastDelimiter(PathDelimiters(), path));
  Add(path.substr(0, split), path.substr(split));
}

std::string PathList::operator[](std::size_t i) const {
  const std::uint32_t begin = i == 0 ? 0 : ends_[i - 1];
  return folders_[folderOf_[i]] + names_.substr(begin, ends_[i] - begin);
}

void PathList::Shrink() {
  folders_.shrink_to_fit();
  names_.shrink_to_fit();
  ends_.shrink_to_fit();
  folderOf_.shrink_to_fit();
}

}  // namespace mif

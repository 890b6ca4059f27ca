#include "merge/SourceIdentities.h"

#include <algorithm>

namespace mif {

void SourceIdentities::Add(const FileIdentity& identity, int index, bool mid) {
  const std::pair<FileIdentity, int> file{identity, index * 2 + (mid ? 1 : 0)};
  sorted_ = sorted_ && (files_.empty() || files_.back() < file);
  files_.push_back(file);
}

void SourceIdentities::Sort() const {
  if (sorted_) return;
  std::sort(files_.begin(), files_.end());
  sorted_ = true;
}

int SourceIdentities::Find(const FileIdentity& identity) const {
  Sort();
  const auto found = std::lower_bound(files_.begin(), files_.end(), std::pair{identity, -1});
  return found != files_.end() && found->first == identity ? found->second / 2 : -1;
}

std::vector<std::pair<int, int>> SourceIdentities::RepeatedMifs() const {
  Sort();
  std::vector<std::pair<int, int>> repeats;
  for (std::size_t i = 0; i < files_.size();) {
    std::size_t end = i;
    while (end < files_.size() && files_[end].first == files_[i].first) ++end;
    // One file, sorted by place: the first .mif among them is the earliest.
    int first = -1;
    for (std::size_t k = i; k < end; ++k) {
      if (files_[k].second % 2 != 0) continue;
      const int index = files_[k].second / 2;
      if (first < 0) {
        first = index;
      } else {
        repeats.emplace_back(index, first);
      }
    }
    i = end;
  }
  std::sort(repeats.begin(), repeats.end());
  return repeats;
}

}  // namespace mif

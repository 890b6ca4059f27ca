#include "merge/SourceIdentities.h"

#include <algorithm>

namespace mif {

void SourceIdentities::Add(const FileIdentity& identity, int index) {
  sorted_ = sorted_ && (files_.empty() || files_.back() < std::pair{identity, index});
  files_.emplace_back(identity, index);
}

int SourceIdentities::Find(const FileIdentity& identity) const {
  if (!sorted_) {
    std::sort(files_.begin(), files_.end());
    sorted_ = true;
  }
  const auto found = std::lower_bound(files_.begin(), files_.end(), std::pair{identity, -1});
  return found != files_.end() && found->first == identity ? found->second : -1;
}

}  // namespace mif

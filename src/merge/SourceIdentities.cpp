#include "merge/SourceIdentities.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>

namespace mif {

int SourceIdentities::VolumeOf(std::uint64_t volume) const {
  const auto found = std::find(volumes_.begin(), volumes_.end(), volume);
  return found == volumes_.end() ? -1 : static_cast<int>(found - volumes_.begin());
}

void SourceIdentities::Add(const FileIdentity& identity, int index, bool mid) {
  int volume = VolumeOf(identity.volume);
  if (volume < 0) {
    volume = static_cast<int>(volumes_.size());
    volumes_.push_back(identity.volume);
  }
  const File file{identity.file, static_cast<std::uint32_t>(volume), index * 2 + (mid ? 1 : 0)};
  sorted_ = sorted_ && (files_.empty() || files_.back() < file);
  files_.push_back(file);
}

void SourceIdentities::Sort() const {
  if (sorted_) return;
  std::sort(files_.begin(), files_.end());
  sorted_ = true;
}

int SourceIdentities::Find(const FileIdentity& identity) const {
  const int volume = VolumeOf(identity.volume);
  if (volume < 0) return -1;
  Sort();
  const File key{identity.file, static_cast<std::uint32_t>(volume), -1};
  const auto found = std::lower_bound(files_.begin(), files_.end(), key);
  return found != files_.end() && found->Key() == key.Key() ? found->code / 2 : -1;
}

std::vector<SourceIdentities::Repeat> SourceIdentities::RepeatedMifs() const {
  Sort();
  std::vector<std::pair<int, int>> repeats;
  for (std::size_t i = 0; i < files_.size();) {
    std::size_t end = i;
    while (end < files_.size() && files_[end].Key() == files_[i].Key()) ++end;
    // One file, sorted by place: the first .mif among them is the earliest.
    int first = -1;
    for (std::size_t k = i; k < end; ++k) {
      if (files_[k].code % 2 != 0) continue;
      const int index = files_[k].code / 2;
      if (first < 0) {
        first = index;
      } else {
        repeats.emplace_back(index, first);
      }
    }
    i = end;
  }
  std::sort(repeats.begin(), repeats.end());
  // The .mid files of the sources found, from one more pass.
  std::unordered_map<int, std::pair<std::uint32_t, std::uint64_t>> mids;
  for (const auto& [later, earlier] : repeats) {
    mids.emplace(later, std::pair{~0u, 0});
    mids.emplace(earlier, std::pair{~0u, 0});
  }
  for (const File& file : files_) {
    if (file.code % 2 == 0) continue;
    const auto found = mids.find(file.code / 2);
    if (found != mids.end()) found->second = file.Key();
  }
  std::vector<Repeat> found;
  found.reserve(repeats.size());
  for (const auto& [later, earlier] : repeats) {
    found.push_back({later, earlier, mids[later] == mids[earlier]});
  }
  return found;
}

}  // namespace mif

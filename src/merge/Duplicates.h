// Sources given twice under two names: two of one base name in different
// folders (the same mesh tile of two overlapping downloads), found from a
// few bytes a source, and whether their pairs are byte for byte the same.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "merge/SourceEntry.h"
#include "merge/SourceIdentities.h"
#include "merge/SourceReport.h"
#include "platform/FileDevice.h"

namespace mif {

class BaseNames {
 public:
  // Notes the base name of the source at `index`; ASCII letters in either
  // case are one name.
  void Add(const std::string& baseName, int index);
  void Reserve(int sources) { names_.reserve(static_cast<std::size_t>(sources)); }
  // Each later source whose base name may be an earlier one's, with the
  // first such: the names are kept as hashes, so the caller compares them.
  std::vector<std::pair<int, int>> Repeats() const;

 private:
  std::vector<std::pair<std::uint64_t, int>> names_;
};

// The sources given twice, each later one with the first earlier one: the
// same .mif by identity, or one base name (`source` gives a source's parts
// again), its pair compared byte for byte with the earlier one's.
std::map<int, DuplicateReport> FindDuplicates(const SourceIdentities& files, const BaseNames& names,
                                              const std::function<SourceParts(int)>& source,
                                              const DeviceMaker& makeDevice);

// Whether the two files hold the same bytes; false when either cannot be
// read.
bool SameBytes(const std::string& a, const std::string& b, const DeviceMaker& makeDevice);

}  // namespace mif

// The files of a run's sources by identity (the same for every name of one
// file), so that no output of the run is one of them: a few bytes a file,
// the source's name fetched again when a message needs it.
#pragma once

#include <utility>
#include <vector>

#include "platform/FileDevice.h"

namespace mif {

class SourceIdentities {
 public:
  // Notes a file of the source at `index` (0-based).
  void Add(const FileIdentity& identity, int index);
  // The place of the first source with the file, or -1.
  int Find(const FileIdentity& identity) const;

 private:
  mutable std::vector<std::pair<FileIdentity, int>> files_;
  mutable bool sorted_ = true;
};

}  // namespace mif

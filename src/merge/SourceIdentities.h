// The files of a run's sources by identity (the same for every name of one
// file), so that no output of the run is one of them and a file given
// twice is known: a few bytes a file, the source's name fetched again when
// a message needs it.
#pragma once

#include <utility>
#include <vector>

#include "platform/FileDevice.h"

namespace mif {

class SourceIdentities {
 public:
  // Notes the .mif or the .mid of the source at `index` (0-based).
  void Add(const FileIdentity& identity, int index, bool mid);
  // The place of the first source with the file, or -1.
  int Find(const FileIdentity& identity) const;
  // Each later source whose .mif is an earlier one's, with the first such.
  std::vector<std::pair<int, int>> RepeatedMifs() const;

 private:
  void Sort() const;

  // The identity and the source's place, times two, plus one for a .mid.
  mutable std::vector<std::pair<FileIdentity, int>> files_;
  mutable bool sorted_ = true;
};

}  // namespace mif

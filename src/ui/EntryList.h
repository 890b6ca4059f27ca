// The source list's entries beside its texts: each entry's parts, never
// split again from its text, and the identity of its file, so that no
// drop adds a file that is listed already.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "merge/SourceEntry.h"
#include "platform/FileDevice.h"
#include "ui/DialogSelection.h"

namespace mif {

class EntryList {
 public:
  explicit EntryList(HWND list) : list_(list) {}

  // Every entry replaced by these paths, as a selection gives them.
  void Replace(const std::vector<std::string>& paths);
  // Appends the files that are not listed yet (by file identity), and of
  // those a folder brought, none that is one of `leftOut`. The list is
  // drawn once, at the end. Gives how many were added.
  int Append(const std::vector<DroppedFile>& files, const std::vector<FileIdentity>& leftOut);
  // Takes out the selected entries; gives how many.
  int RemoveSelected();

  int Count() const { return static_cast<int>(parts_.size()); }
  // Raises EWindowError for an index the list does not have.
  const SourceParts& Parts(int index) const;

  // An entry's identity, which stays with it while others come and go:
  // what a run holds its sources by.
  using Id = std::uint64_t;
  Id IdAt(int index) const { return ids_.at(static_cast<std::size_t>(index)); }
  // The entry's place in the list now; -1 once it is taken out.
  int PlaceOf(Id id) const;

 private:
  // Raises EWindowError when the list cannot take another entry.
  void Add(const std::string& path, const std::optional<FileIdentity>& identity);

  HWND list_;
  std::vector<SourceParts> parts_;
  std::vector<Id> ids_;  // rising: entries keep their order
  Id nextId_ = 1;
  std::vector<std::optional<FileIdentity>> identities_;  // none: a file not there
  std::set<FileIdentity> listed_;
};

}  // namespace mif

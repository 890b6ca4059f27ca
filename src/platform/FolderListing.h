// A folder's entries, from one listing of the system: what expanding a
// folder or a wildcard costs, however many files it holds.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mif {

struct FolderEntry {
  std::string name;  // a name part (PathText.h); on Windows the long name
  bool folder = false;
};

// The entries of `folder` (a path; empty for the current folder) but "."
// and "..", in no order; nothing when the folder cannot be listed.
std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder);

// The order of names as the system's file names compare: byte for byte on
// POSIX, ASCII letters in either case first on Windows.
bool NameLess(const std::string& a, const std::string& b);

// Whether names are compared in either letter case, as Windows does.
bool NamesIgnoreCase();

}  // namespace mif

// A folder's entries, from one listing of the system: what expanding a
// folder or a wildcard costs, however many files it holds.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace mif {

// Calls `entry` with each entry of `folder` (a path; empty for the current
// folder) but "." and "..", in no order: its name (a name part, PathText.h;
// on Windows the long name) and whether it is a folder. False when the
// folder cannot be listed.
bool ListFolder(const std::string& folder,
                const std::function<void(std::string_view name, bool folder)>& entry);

// The order of names as the system's file names compare: byte for byte on
// POSIX, ASCII letters in either case first on Windows.
bool NameLess(std::string_view a, std::string_view b);

// Whether names are compared in either letter case, as Windows does.
bool NamesIgnoreCase();

}  // namespace mif

// A folder's entries, from one listing of the system: what expanding a
// folder or a wildcard costs, however many files it holds.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileDevice.h"

namespace mif {

// Calls `entry` with each entry of `folder` (a path; empty for the current
// folder) but "." and "..", in no order: its name (a name part, PathText.h;
// on Windows the long name) and whether it is a folder. False when the
// folder cannot be listed.
bool ListFolder(const std::string& folder,
                const std::function<void(std::string_view name, bool folder)>& entry);

// Calls `entry` with the name and the identity of each plain file of
// `folder` (not its folders, nor links, whose identity is their target's),
// in no order: the identity StatFile gives, from one listing rather than a
// query a file. False when the folder cannot be listed.
bool ListFolderFiles(const std::string& folder,
                     const std::function<void(std::string_view name, const FileIdentity&)>& entry);

// The identity of each path's file (none for a file that is not there or
// no plain file), listing each folder once; a file its folder's listing
// does not show costs a query of its own.
std::vector<std::optional<FileIdentity>> FileIdentities(const std::vector<std::string>& paths);

// The order of names as the system's file names compare: byte for byte on
// POSIX, ASCII letters in either case first on Windows.
bool NameLess(std::string_view a, std::string_view b);

// Whether names are compared in either letter case, as Windows does.
bool NamesIgnoreCase();

}  // namespace mif

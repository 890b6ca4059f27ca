// Questions about files that the merge asks without opening them. Names
// are paths as PathText.h tells. Each answer costs the system one query
// of the file's attributes, except where a folder is listed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/FileDevice.h"

namespace mif {

// The facts of an existing file or folder; nothing when there is none by
// that name (or the name cannot name a file).
std::optional<FileFacts> StatFile(const std::string& name);

// Whether the name is that of an existing folder.
bool IsDirectory(const std::string& name);

// Puts the file `from` in the place of `to`, replacing a file there, in
// one step of the file system. Gives 0 or the failure's code (the Windows
// numbering of FileDevice.h). The replaced file's space may be given back
// after this returns.
std::int32_t RenameFile(const std::string& from, const std::string& to);
// Waits until the folder that holds the file `name` has its entries on the
// device, so that the renames in it survive a power loss. Gives 0 or the
// failure's code; 0 on Windows, whose RenameFile writes through, and where
// the file system cannot sync a folder.
std::int32_t SyncFolderOf(const std::string& name);
// Whether a file of that name can be made in its folder, which exists: 0,
// or 206 when its file part is longer than the folder's file system takes
// (NAME_MAX as pathconf tells, in bytes; on Windows the volume's longest
// component, in UTF-16 units) or the whole name longer than the system
// takes (PATH_MAX; Windows takes any length).
std::int32_t CheckNameFits(const std::string& name);
// Removes the file; 0 or the failure's code, 2 when there is none.
std::int32_t RemoveFile(const std::string& name);

// The name of the file that `name` stands for: a symbolic link followed to
// what it names (in a folder that may not exist), any other name as it is.
std::string FollowLinks(const std::string& name);

// A file beside `name`, in the same folder, whose name differs from its
// file part only in the case of ASCII letters (ab.mid for AB.MID), as a
// case-insensitive file system finds it (the first in byte order where
// there are several); nothing when there is none. Lists the folder: the
// way to ask only when `name` itself is missing.
std::optional<std::string> FindNameCaseVariant(const std::string& name);

}  // namespace mif

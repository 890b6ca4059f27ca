// Questions about files that the merge asks without opening them. Names
// are narrow code page 932 text. Each answer costs the system one query
// of the file's attributes, except where a folder is listed.
#pragma once

#include <optional>
#include <string>

#include "platform/FileDevice.h"

namespace mif {

// The facts of an existing file or folder; nothing when there is none by
// that name (or the name cannot name a file).
std::optional<FileFacts> StatFile(const std::string& name);

// Whether the name is that of an existing folder.
bool IsDirectory(const std::string& name);

// A file beside `name`, in the same folder, whose name differs from its
// file part only in the case of ASCII letters (ab.mid for AB.MID), as a
// case-insensitive file system finds it (the first in byte order where
// there are several); nothing when there is none. Lists the folder: the
// way to ask only when `name` itself is missing.
std::optional<std::string> FindNameCaseVariant(const std::string& name);

}  // namespace mif

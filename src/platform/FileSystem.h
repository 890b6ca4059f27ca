// Questions about files that the merge asks before it opens any: whether
// two names are one file, and which spelling of a companion file exists.
// Names are narrow code page 932 text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace mif {

struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  bool operator==(const FileIdentity&) const = default;
};

// Identity of an existing file, the same for every name of it (links,
// other spellings); nothing when the file cannot be found.
std::optional<FileIdentity> IdentifyFile(const std::string& name);

// Whether the name is that of an existing file or folder.
bool FileExists(const std::string& name);
// Whether the name is that of an existing folder.
bool IsDirectory(const std::string& name);
// Whether the name is that of an existing folder, pipe, device or socket:
// anything that exists but is no ordinary file. False for a missing name.
bool IsSpecialFile(const std::string& name);

// `name` when that file exists; otherwise a file beside it whose name
// differs only in the letter case of its extension (nodi.MID for nodi.mid),
// as a case-insensitive file system would find it; otherwise `name`.
std::string FindExtensionCaseVariant(const std::string& name);

}  // namespace mif

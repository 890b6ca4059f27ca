// The platform seam under TextLineFile: one open file of the system. Every
// operation gives 0, or the failure's code in the Windows numbering (2 no
// file, 3 no path, 4 too many open files, 5 access denied, 32 in use by
// another open, 29 a write that wrote nothing, 112 disk full, 123 invalid
// name, 206 name too long).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace mif {

enum class FileOpenMode {
  Read,        // an existing file, from its first byte; others may read too
  ReadNoWait,  // the same, but a pipe opens at once, writer or not
  Create,      // a new or emptied file for writing; nobody else may open it
  Append,      // an existing file for writing after its last byte
  Rewrite,     // a new or existing file for writing from its first byte, kept
               // as it is until it is truncated; nobody else may open it
};

enum class FileKind { Unknown, Disk, CharacterDevice, Pipe, Directory };

// The same for every name of one file (links, other spellings).
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  bool operator==(const FileIdentity&) const = default;
  bool operator<(const FileIdentity& other) const {
    return volume != other.volume ? volume < other.volume : file < other.file;
  }
};

// What the system tells of a file in one query.
struct FileFacts {
  FileKind kind = FileKind::Unknown;
  FileIdentity identity;
  std::uint64_t size = 0;
};

class FileDevice {
 public:
  virtual ~FileDevice() = default;

  // `name` is a path as PathText.h tells. Sets `facts` on success, taken
  // from the open file itself. An open that fails leaves nothing open; a
  // folder is refused with 5.
  virtual std::int32_t Open(const std::string& name, FileOpenMode mode, FileFacts& facts) = 0;
  // Reads up to `capacity` bytes; `count` 0 is the end of the file.
  virtual std::int32_t Fill(char* buffer, std::size_t capacity, std::size_t& count) = 0;
  // Writes all `count` bytes.
  virtual std::int32_t Drain(const char* bytes, std::size_t count) = 0;
  // The size of the open file in bytes.
  virtual std::int32_t Size(std::uint64_t& size) = 0;
  // Cuts the open file to its first `size` bytes; later writes go after them.
  virtual std::int32_t Truncate(std::uint64_t size) = 0;
  // Waits until the bytes written are on the device itself, where a power
  // loss leaves them (fdatasync, FlushFileBuffers).
  virtual std::int32_t Sync() = 0;
  // Releases the file, also when it fails.
  virtual std::int32_t Close() = 0;
};

// The device of this platform, closed.
std::unique_ptr<FileDevice> MakeSystemFileDevice();

// Makes the device of each file a caller opens; tests make faulty ones.
using DeviceMaker = std::function<std::unique_ptr<FileDevice>()>;

}  // namespace mif

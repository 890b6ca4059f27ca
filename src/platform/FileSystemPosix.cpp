#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <memory>
#include <system_error>
#include <thread>

#include "platform/FileSystem.h"
#include "platform/PosixError.h"
#include "platform/PosixFacts.h"
#include "text/AsciiCase.h"

namespace mif {

std::optional<FileFacts> StatFile(const std::string& name) {
  struct stat status;
  if (name.find('\0') != std::string::npos || stat(name.c_str(), &status) != 0) return std::nullopt;
  return FactsOf(status);
}

namespace {

// The folder that holds the file `name`, with its delimiter; "." for a
// name without one.
std::string FolderOf(const std::string& name) {
  const std::size_t slash = name.rfind('/');
  return slash == std::string::npos ? "." : name.substr(0, slash + 1);
}

// Gives the replaced file's last hold up on another thread: with its last
// name gone, closing it frees its blocks, which a file system mounted with
// discard waits for the disk to take back (some 20 ms for 50 MB here),
// and the run can go on meanwhile. A process that ends first closes it as
// it ends.
void ReleaseInBackground(int fd) {
  try {
    // A read-only hold of a file no name leads to: its close has nothing
    // to tell anyone.
    std::thread([fd] { close(fd); }).detach();
  } catch (const std::system_error&) {
    close(fd);  // no thread to be had: here, then
  }
}

}  // namespace

std::int32_t RenameFile(const std::string& from, const std::string& to) {
  // Held open, the file `to` outlives its replacement by the rename.
  const int replaced = open(to.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (std::rename(from.c_str(), to.c_str()) != 0) {
    const int error = errno;
    if (replaced >= 0) close(replaced);
    return PosixError(error, to);
  }
  if (replaced >= 0) ReleaseInBackground(replaced);
  return 0;
}

std::int32_t SyncFolderOf(const std::string& name) {
  const std::string folder = FolderOf(name);
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return PosixError(errno, folder);
  int result;
  do result = fsync(fd);
  while (result != 0 && errno == EINTR);
  const int error = errno;
  close(fd);  // read only: nothing to tell
  return result == 0 || error == EINVAL || error == EROFS ? 0 : PosixError(error, folder);
}

std::int32_t CheckNameFits(const std::string& name) {
  constexpr std::int32_t kNameTooLong = 206;
  if (name.size() >= PATH_MAX) return kNameTooLong;
  const long longest = pathconf(FolderOf(name).c_str(), _PC_NAME_MAX);  // -1: no limit or answer
  const std::size_t slash = name.rfind('/');
  const std::size_t part = name.size() - (slash == std::string::npos ? 0 : slash + 1);
  return longest > 0 && part > static_cast<std::size_t>(longest) ? kNameTooLong : 0;
}

std::int32_t RemoveFile(const std::string& name) {
  return unlink(name.c_str()) == 0 ? 0 : PosixError(errno, name);
}

std::string FollowLinks(const std::string& name) {
  constexpr int kMaxLinks = 40;  // as the system follows them
  std::string path = name;
  for (int i = 0; i < kMaxLinks; ++i) {
    struct stat status;
    if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) break;
    std::string target(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : 4096), '\0');
    const ssize_t length = readlink(path.c_str(), target.data(), target.size());
    if (length <= 0) break;
    target.resize(static_cast<std::size_t>(length));
    const std::size_t slash = path.rfind('/');
    path = target.front() == '/' || slash == std::string::npos ? target
                                                               : path.substr(0, slash + 1) + target;
  }
  return path;
}

bool IsDirectory(const std::string& name) {
  const std::optional<FileFacts> facts = StatFile(name);
  return facts && facts->kind == FileKind::Directory;
}

std::optional<std::string> FindNameCaseVariant(const std::string& name) {
  const std::size_t slash = name.rfind('/');
  const std::string_view file = std::string_view(name).substr(slash + 1);
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(FolderOf(name).c_str()), closedir);
  if (!listing) return std::nullopt;
  // The first in byte order, so that the choice does not hang on the
  // folder's order.
  std::optional<std::string> best;
  while (const dirent* entry = readdir(listing.get())) {
    const std::string_view candidate = entry->d_name;
    if (candidate == file || !EqualsIgnoringAsciiCase(candidate, file)) continue;
    const std::string found = name.substr(0, slash + 1) + std::string(candidate);
    if (!best || found < *best) best = found;
  }
  return best;
}

}  // namespace mif

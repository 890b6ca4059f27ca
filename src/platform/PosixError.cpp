#include "platform/PosixError.h"

#include <sys/stat.h>

#include <cerrno>
#include <string>

namespace mif {

namespace {

bool DirectoryPartExists(std::string_view name) {
  const std::size_t slash = name.find_last_of('/');
  if (slash == std::string_view::npos) return true;  // the current directory
  const std::string directory(name.substr(0, slash + 1));
  struct stat status;
  return stat(directory.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

std::int32_t PosixError(int error, std::string_view utf8Name) {
  switch (error) {
    case 0:
      return 0;
    case ENOENT:
      return DirectoryPartExists(utf8Name) ? 2 : 3;
    case ENOTDIR:
      return 3;
    case EMFILE:
    case ENFILE:
      return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return 5;
    case EWOULDBLOCK:
    case EBUSY:
    case ETXTBSY:
      return 32;
    case EPIPE:
      return 109;
    case ENOSPC:
    case EDQUOT:
      return 112;
    case ENAMETOOLONG:
      return 206;
    default:
      return kPosixErrorBase + error;
  }
}

}  // namespace mif

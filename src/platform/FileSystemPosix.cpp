#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include "platform/FileSystem.h"
#include "platform/PosixName.h"
#include "text/Cp932.h"
#include "text/MbcsText.h"
#include "text/Utf8.h"

namespace mif {

namespace {

bool Exists(const std::string& utf8Name) {
  struct stat status;
  return stat(utf8Name.c_str(), &status) == 0;
}

}  // namespace

bool FileExists(const std::string& name) {
  std::string utf8;
  return ToPosixName(name, utf8) && Exists(utf8);
}

bool IsDirectory(const std::string& name) {
  std::string utf8;
  struct stat status;
  return ToPosixName(name, utf8) && stat(utf8.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool IsSpecialFile(const std::string& name) {
  std::string utf8;
  struct stat status;
  return ToPosixName(name, utf8) && stat(utf8.c_str(), &status) == 0 && !S_ISREG(status.st_mode);
}

std::optional<FileIdentity> IdentifyFile(const std::string& name) {
  std::string utf8;
  struct stat status;
  if (!ToPosixName(name, utf8) || stat(utf8.c_str(), &status) != 0) return std::nullopt;
  return FileIdentity{static_cast<std::uint64_t>(status.st_dev),
                      static_cast<std::uint64_t>(status.st_ino)};
}

std::string FindExtensionCaseVariant(const std::string& name) {
  std::string utf8;
  if (!ToPosixName(name, utf8) || Exists(utf8)) return name;
  const std::size_t slash = utf8.rfind('/');
  const std::size_t dot = utf8.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return name;
  const std::string directory = slash == std::string::npos ? "." : utf8.substr(0, slash + 1);
  const std::string_view file = std::string_view(utf8).substr(slash + 1);
  const std::size_t stem = dot - (slash + 1) + 1;  // the name up to and including its dot
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(directory.c_str()), closedir);
  if (!listing) return name;
  while (const dirent* entry = readdir(listing.get())) {
    const std::string_view candidate = entry->d_name;
    if (candidate.substr(0, stem) == file.substr(0, stem) &&
        EqualsIgnoringAsciiCase(candidate.substr(stem), file.substr(stem))) {
      const std::string found = utf8.substr(0, slash + 1) + std::string(candidate);
      return EncodeCp932(*DecodeUtf8(found));  // a name that came from a cp932 one
    }
  }
  return name;
}

}  // namespace mif

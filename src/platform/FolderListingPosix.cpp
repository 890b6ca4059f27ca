#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include "platform/FolderListing.h"

namespace mif {

bool ListFolder(const std::string& folder,
                const std::function<void(std::string_view name, bool folder)>& entry) {
  const std::string path = folder.empty() ? "." : folder;
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(path.c_str()), closedir);
  if (!listing) return false;
  while (const dirent* found = readdir(listing.get())) {
    const std::string_view name = found->d_name;
    if (name == "." || name == "..") continue;
    bool isFolder = found->d_type == DT_DIR;
    // Only file systems that do not type their entries, and links, cost a
    // query each.
    if (found->d_type == DT_UNKNOWN || found->d_type == DT_LNK) {
      struct stat status;
      const std::string full = path + (path.back() == '/' ? "" : "/") + std::string(name);
      isFolder = stat(full.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
    }
    entry(name, isFolder);
  }
  return true;
}

bool ListFolderFiles(const std::string& folder,
                     const std::function<void(std::string_view name, const FileIdentity&)>& entry) {
  const std::string path = folder.empty() ? "." : folder;
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(path.c_str()), closedir);
  struct stat status;
  if (!listing || fstat(dirfd(listing.get()), &status) != 0) return false;
  const auto device = static_cast<std::uint64_t>(status.st_dev);
  while (const dirent* found = readdir(listing.get())) {
    if (found->d_type != DT_REG) continue;  // untyped entries are left to StatFile
    entry(found->d_name, {device, static_cast<std::uint64_t>(found->d_ino)});
  }
  return true;
}

bool NameLess(std::string_view a, std::string_view b) { return a < b; }

bool NamesIgnoreCase() { return false; }

}  // namespace mif

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include "platform/FolderListing.h"

namespace mif {

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) {
  const std::string path = folder.empty() ? "." : folder;
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(path.c_str()), closedir);
  if (!listing) return std::nullopt;
  std::vector<FolderEntry> entries;
  while (const dirent* entry = readdir(listing.get())) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool folderEntry = entry->d_type == DT_DIR;
    // Only file systems that do not type their entries cost a query each.
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      struct stat status;
      const std::string full = path + (path.back() == '/' ? "" : "/") + name;
      folderEntry = stat(full.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
    }
    entries.push_back({name, folderEntry});
  }
  return entries;
}

bool NameLess(const std::string& a, const std::string& b) { return a < b; }

bool NamesIgnoreCase() { return false; }

}  // namespace mif

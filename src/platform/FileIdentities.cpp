#include <string_view>
#include <unordered_map>

#include "platform/FileSystem.h"
#include "platform/FolderListing.h"
#include "platform/PathDelimiters.h"

namespace mif {

namespace {

using FolderFiles = std::unordered_map<std::string, FileIdentity>;

std::optional<FileIdentity> Queried(const std::string& path) {
  const std::optional<FileFacts> facts = StatFile(path);
  if (!facts || facts->kind != FileKind::Disk) return std::nullopt;
  return facts->identity;
}

}  // namespace

std::vector<std::optional<FileIdentity>> FileIdentities(const std::vector<std::string>& paths) {
  std::unordered_map<std::string, FolderFiles> folders;
  std::vector<std::optional<FileIdentity>> identities;
  identities.reserve(paths.size());
  for (const std::string& path : paths) {
    const std::size_t cut = path.find_last_of(PathDelimiters());
    const std::string folder = cut == std::string::npos ? "" : path.substr(0, cut + 1);
    auto [listed, fresh] = folders.try_emplace(folder);
    if (fresh) {
      ListFolderFiles(
          folder, [&files = listed->second](std::string_view name, const FileIdentity& identity) {
            files.emplace(std::string(name), identity);
          });
    }
    const auto found = listed->second.find(path.substr(folder.size()));
    identities.push_back(found != listed->second.end() ? std::optional(found->second)
                                                       : Queried(path));
  }
  return identities;
}

}  // namespace mif

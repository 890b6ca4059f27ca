#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include "platform/FileSystem.h"
#include "platform/PosixFacts.h"
#include "platform/PosixName.h"
#include "text/Cp932.h"
#include "text/MbcsText.h"
#include "text/Utf8.h"

namespace mif {

std::optional<FileFacts> StatFile(const std::string& name) {
  std::string utf8;
  struct stat status;
  if (!ToPosixName(name, utf8) || stat(utf8.c_str(), &status) != 0) return std::nullopt;
  return FactsOf(status);
}

bool IsDirectory(const std::string& name) {
  const std::optional<FileFacts> facts = StatFile(name);
  return facts && facts->kind == FileKind::Directory;
}

std::optional<std::string> FindNameCaseVariant(const std::string& name) {
  std::string utf8;
  if (!ToPosixName(name, utf8)) return std::nullopt;
  const std::size_t slash = utf8.rfind('/');
  const std::string directory = slash == std::string::npos ? "." : utf8.substr(0, slash + 1);
  const std::string_view file = std::string_view(utf8).substr(slash + 1);
  const std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(directory.c_str()), closedir);
  if (!listing) return std::nullopt;
  // The first in byte order, so that the choice does not hang on the
  // folder's order.
  std::optional<std::string> best;
  while (const dirent* entry = readdir(listing.get())) {
    const std::string_view candidate = entry->d_name;
    if (candidate == file || !EqualsIgnoringAsciiCase(candidate, file)) continue;
    const auto wide = DecodeUtf8(utf8.substr(0, slash + 1) + std::string(candidate));
    if (!wide || DecodeCp932(EncodeCp932(*wide)) != *wide) continue;  // no cp932 name
    const std::string found = EncodeCp932(*wide);
    if (!best || found < *best) best = found;
  }
  return best;
}

}  // namespace mif

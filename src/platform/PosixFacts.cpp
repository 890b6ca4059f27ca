#include "platform/PosixFacts.h"

namespace mif {

namespace {

FileKind KindOf(const struct stat& status) {
  if (S_ISREG(status.st_mode)) return FileKind::Disk;
  if (S_ISDIR(status.st_mode)) return FileKind::Directory;
  if (S_ISCHR(status.st_mode)) return FileKind::CharacterDevice;
  if (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode)) return FileKind::Pipe;
  return FileKind::Unknown;
}

}  // namespace

FileFacts FactsOf(const struct stat& status) {
  FileFacts facts;
  facts.kind = KindOf(status);
  facts.identity = {static_cast<std::uint64_t>(status.st_dev),
                    static_cast<std::uint64_t>(status.st_ino)};
  facts.size = static_cast<std::uint64_t>(status.st_size);
  return facts;
}

}  // namespace mif

// A file that keeps nothing: what the check writes to, so that it copies
// and counts as the merge does.
#pragma once

#include "platform/FileDevice.h"

namespace mif {

class NullFileDevice final : public FileDevice {
 public:
  std::int32_t Open(const std::string&, FileOpenMode, FileFacts& facts) override {
    facts = FileFacts{};
    facts.kind = FileKind::Disk;
    return 0;
  }
  std::int32_t Fill(char*, std::size_t, std::size_t& count) override {
    count = 0;
    return 0;
  }
  std::int32_t Drain(const char*, std::size_t) override { return 0; }
  std::int32_t Size(std::uint64_t& size) override {
    size = 0;
    return 0;
  }
  std::int32_t Truncate(std::uint64_t) override { return 0; }
  std::int32_t Sync() override { return 0; }
  std::int32_t Close() override { return 0; }
};

}  // namespace mif

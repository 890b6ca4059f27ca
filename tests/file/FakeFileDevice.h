// An in-memory file device that fails on purpose: its Nth write, its reads,
// its close, its cut or its open, with the code a test gives.
#pragma once

#include <memory>
#include <string>

#include "platform/FileDevice.h"

namespace mif::testing {

struct FakeFile {
  std::string bytes;
  FileKind kind = FileKind::Disk;
  std::int32_t openCode = 0;
  int failDrainNumber = 0;  // 1-based; 0 never
  std::int32_t drainCode = 112;
  std::int32_t fillCode = 0;
  std::int32_t closeCode = 0;
  std::int32_t truncateCode = 0;
  std::int32_t syncCode = 0;
  int drains = 0;
  int opens = 0;
  bool open = false;
};

class FakeFileDevice final : public FileDevice {
 public:
  explicit FakeFileDevice(std::shared_ptr<FakeFile> file) : file_(std::move(file)) {}

  std::int32_t Open(const std::string&, FileOpenMode mode, FileFacts& facts) override {
    if (file_->openCode != 0) return file_->openCode;
    if (mode == FileOpenMode::Create) file_->bytes.clear();
    ++file_->opens;
    file_->open = true;
    read_ = 0;
    facts = FileFacts{};
    facts.kind = file_->kind;
    return 0;
  }
  std::int32_t Fill(char* buffer, std::size_t capacity, std::size_t& count) override {
    count = 0;
    if (file_->fillCode != 0) return file_->fillCode;
    count = std::min(capacity, file_->bytes.size() - read_);
    file_->bytes.copy(buffer, count, read_);
    read_ += count;
    return 0;
  }
  std::int32_t Drain(const char* bytes, std::size_t count) override {
    if (++file_->drains == file_->failDrainNumber) return file_->drainCode;
    file_->bytes.append(bytes, count);
    return 0;
  }
  std::int32_t Size(std::uint64_t& size) override {
    size = file_->bytes.size();
    return 0;
  }
  std::int32_t Truncate(std::uint64_t size) override {
    if (file_->truncateCode != 0) return file_->truncateCode;
    file_->bytes.resize(std::min<std::size_t>(size, file_->bytes.size()));
    return 0;
  }
  std::int32_t Sync() override { return file_->syncCode; }
  std::int32_t Close() override {
    if (!file_->open) return 0;
    file_->open = false;
    return file_->closeCode;
  }

 private:
  std::shared_ptr<FakeFile> file_;
  std::size_t read_ = 0;
};

}  // namespace mif::testing

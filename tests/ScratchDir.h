// A fresh folder per test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <string>

namespace mif::testing {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // `name` inside the folder, as a narrow (here ASCII or UTF-8) string.
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Whole-file helpers for checking what reached the disk.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

}  // namespace mif::testing

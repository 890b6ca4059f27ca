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
  // The folder as UTF-8, with its trailing delimiter.
  std::string Folder() const;
  // `name` (UTF-8) inside the folder, as UTF-8: what mifjoin takes, and the
  // narrow name the core takes where it is ASCII.
  std::string File(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

// A path from UTF-8 and back, on every platform (a plain std::string path
// is in the ANSI code page on Windows).
std::filesystem::path Utf8Path(const std::string& utf8);
std::string Utf8Of(const std::filesystem::path& path);

// Whole-file helpers for checking what reached the disk; paths in UTF-8.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

}  // namespace mif::testing

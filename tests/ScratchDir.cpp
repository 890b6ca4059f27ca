#include "ScratchDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

namespace mif::testing {

ScratchDir::ScratchDir() {
  static std::atomic<int> serial{0};
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::ostringstream name;
  name << "mif-" << (test ? test->name() : "test") << "-" << std::random_device{}() << "-"
       << serial++;
  path_ = std::filesystem::temp_directory_path() / name.str();
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ScratchDir::Folder() const { return Utf8Of(path_ / ""); }

std::string ScratchDir::File(const std::string& name) const {
  return Utf8Of(path_ / Utf8Path(name));
}

std::filesystem::path Utf8Path(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(Utf8Path(path), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(Utf8Path(path), std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace mif::testing

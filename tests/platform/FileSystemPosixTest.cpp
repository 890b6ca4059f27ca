#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "ScratchDir.h"
#include "platform/FileSystem.h"

namespace mif {
namespace {

using testing::ReadBytes;
using testing::ScratchDir;
using testing::WriteBytes;

std::size_t OpenDescriptors() {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    ++count;
  }
  return count;
}

// The replaced file is let go of on another thread: give it a moment.
bool SettlesAt(std::size_t descriptors) {
  for (int i = 0; i < 200 && OpenDescriptors() != descriptors; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return OpenDescriptors() == descriptors;
}

TEST(RenameFilePosix, ReplacesTheFileOrLinkThereAndKeepsNothingOpen) {
  ScratchDir dir;
  const std::size_t descriptors = OpenDescriptors();
  WriteBytes(dir.File("new"), "new");
  WriteBytes(dir.File("out"), "old");
  EXPECT_EQ(RenameFile(dir.File("new"), dir.File("out")), 0);
  EXPECT_EQ(ReadBytes(dir.File("out")), "new");
  EXPECT_FALSE(std::filesystem::exists(dir.File("new")));
  // A link in the place is replaced itself; what it points to stays.
  WriteBytes(dir.File("target"), "kept");
  std::filesystem::create_symlink(dir.File("target"), dir.File("link"));
  WriteBytes(dir.File("new"), "new");
  EXPECT_EQ(RenameFile(dir.File("new"), dir.File("link")), 0);
  EXPECT_FALSE(std::filesystem::is_symlink(dir.File("link")));
  EXPECT_EQ(ReadBytes(dir.File("target")), "kept");
  // A rename that fails leaves the file there as it was.
  EXPECT_EQ(RenameFile(dir.File("missing"), dir.File("out")), 2);
  EXPECT_EQ(ReadBytes(dir.File("out")), "new");
  EXPECT_TRUE(SettlesAt(descriptors));
}

}  // namespace
}  // namespace mif

// Identities from one listing a folder must be those a query of each file
// gives: the window keeps a file from being listed twice by them.
#include "platform/FolderListing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <system_error>

#include "ScratchDir.h"
#include "platform/FileSystem.h"
#include "platform/PathDelimiters.h"

namespace mif {
namespace {

using testing::ScratchDir;
using testing::Utf8Path;
using testing::WriteBytes;

FileIdentity Queried(const std::string& path) { return StatFile(path).value().identity; }

TEST(FileIdentities, AsAQueryGivesThemFolderByFolder) {
  ScratchDir dir;
  const std::string delimiter(1, PathDelimiters().front());
  std::filesystem::create_directory(Utf8Path(dir.File("道路")));
  WriteBytes(dir.File("a.mif"), "a");
  WriteBytes(dir.File("道路" + delimiter + "b.mif"), "b");
  std::vector<std::string> paths = {dir.File("a.mif"), dir.File("道路" + delimiter + "b.mif"),
                                    dir.File("missing.mif"), dir.File("道路")};
  std::error_code error;
  std::filesystem::create_hard_link(Utf8Path(dir.File("a.mif")), Utf8Path(dir.File("link.mif")),
                                    error);
  const bool linked = !error;
  if (linked) paths.push_back(dir.File("link.mif"));
  const std::vector<std::optional<FileIdentity>> identities = FileIdentities(paths);
  ASSERT_EQ(identities.size(), paths.size());
  EXPECT_EQ(identities[0], Queried(paths[0]));
  EXPECT_EQ(identities[1], Queried(paths[1]));
  EXPECT_NE(identities[0], identities[1]);
  EXPECT_FALSE(identities[2]);  // not there
  EXPECT_FALSE(identities[3]);  // a folder
  if (linked) {
    EXPECT_EQ(identities[4], identities[0]);  // another name of a.mif
  }
}

TEST(FileIdentities, ALinkIsItsTargetsFile) {
  ScratchDir dir;
  WriteBytes(dir.File("target.mif"), "t");
  std::error_code error;
  std::filesystem::create_symlink(Utf8Path(dir.File("target.mif")), Utf8Path(dir.File("l.mif")),
                                  error);
  if (error) GTEST_SKIP() << "no symbolic links here";
  const auto identities = FileIdentities({dir.File("l.mif"), dir.File("target.mif")});
  EXPECT_EQ(identities[0], identities[1]);
}

}  // namespace
}  // namespace mif

#include "merge/SourceExpansion.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "ScratchDir.h"
#include "merge/MergeError.h"
#include "platform/PathDelimiters.h"

namespace mif {
namespace {

using testing::ScratchDir;
using testing::WriteBytes;

std::vector<std::string> Expanded(const std::string& argument, bool recursive = false) {
  PathList paths;
  ExpandSource(argument, recursive, paths);
  std::vector<std::string> list;
  for (std::size_t i = 0; i < paths.Size(); ++i) list.push_back(paths[i]);
  return list;
}

class SourceExpansion : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* folder : {"5339", "5339/sub", "5340", "データ2024"}) {
      std::filesystem::create_directories(testing::Utf8Path(dir.File(folder)));
    }
    for (const char* file :
         {"5339/53394612__ROAD.mif", "5339/53394611__ROAD.MIF", "5339/53394611__ROAD.mid",
          "5339/notes.txt", "5339/x.mifx", "5339/sub/53394613__ROAD.mif", "5340/53404611__ROAD.mif",
          "データ2024/1__道路.mif"}) {
      WriteBytes(dir.File(file), "");
    }
  }
  // The path as expansion writes it: the system's delimiter after a folder.
  std::string In(const std::string& folder, const std::string& name) const {
    return dir.File(folder) + PathDelimiters().front() + name;
  }
  ScratchDir dir;
};

TEST_F(SourceExpansion, AFolderIsItsMifFilesByNameAndWithRecursionItsFolders) {
  const std::string folder = dir.File("5339");
  EXPECT_EQ(Expanded(folder), std::vector<std::string>({In("5339", "53394611__ROAD.MIF"),
                                                        In("5339", "53394612__ROAD.mif")}));
  EXPECT_EQ(Expanded(folder, true),
            std::vector<std::string>(
                {In("5339", "53394611__ROAD.MIF"), In("5339", "53394612__ROAD.mif"),
                 In("5339", "sub") + PathDelimiters().front() + "53394613__ROAD.mif"}));
  // A file is itself, whatever its name; so is a name without a wildcard.
  EXPECT_EQ(Expanded(dir.File("5339/notes.txt")),
            std::vector<std::string>({dir.File("5339/notes.txt")}));
  EXPECT_EQ(Expanded(dir.File("none.mif")), std::vector<std::string>({dir.File("none.mif")}));
}

// cmd.exe and PowerShell pass *.mif as it is: the program expands it, in
// any part of the path, by path; *.mif takes no x.mifx (which Windows's own
// matching of 8.3 names would).
TEST_F(SourceExpansion, WildcardsInAnyPartMatchMifFilesByPath) {
  EXPECT_EQ(
      Expanded(dir.File("53*/*__ROAD.*")),
      std::vector<std::string>({In("5339", "53394611__ROAD.MIF"), In("5339", "53394612__ROAD.mif"),
                                In("5340", "53404611__ROAD.mif")}));
  // x.mifx's 8.3 name is X~1.MIF: matched against long names, *.mif
  // leaves it out.
  for (const std::string& path : Expanded(dir.File("5339/*.mif"))) {
    EXPECT_EQ(path.find("x.mifx"), std::string::npos);
  }
  EXPECT_EQ(Expanded(dir.File("5339/5339461?__ROAD.mif")).size(),
            std::filesystem::path::preferred_separator == '\\' ? 2u : 1u);  // .MIF on Windows
  EXPECT_EQ(Expanded(dir.File("データ*/*道路.mif")),
            std::vector<std::string>({In("データ2024", "1__道路.mif")}));
  // Bytes compare unsigned: データ (E3 83 87) after 5340.
  const std::vector<std::string> all = Expanded(dir.File("*/*__*.mif"));
  ASSERT_FALSE(all.empty());
  EXPECT_EQ(all.back(), In("データ2024", "1__道路.mif"));
  try {
    Expanded(dir.File("5339/*.shp"));
    FAIL();
  } catch (const EMergeError& error) {
    EXPECT_EQ(error.FileName(), dir.File("5339/*.shp"));
  }
}

#ifndef _WIN32
// A file whose name holds "*" is that file.
TEST_F(SourceExpansion, AFileNamedWithAWildcardIsThatFile) {
  WriteBytes(dir.File("5339/*.mif"), "");
  EXPECT_EQ(Expanded(dir.File("5339/*.mif")), std::vector<std::string>({dir.File("5339/*.mif")}));
}
#endif

}  // namespace
}  // namespace mif

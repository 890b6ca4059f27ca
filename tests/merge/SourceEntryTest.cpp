#include "merge/SourceEntry.h"

#include <gtest/gtest.h>

#include "ScratchDir.h"

namespace mif {
namespace {

constexpr std::string_view kWin = kWindowsPathDelimiters;
constexpr std::string_view kPosix = kPosixPathDelimiters;

bool Splits(std::string_view entry, std::string_view delimiters, const std::string& base,
            const std::string& directory) {
  const SourceParts parts = SplitSourceEntry(entry, delimiters);
  return parts.baseName == base && parts.directory == directory;
}

TEST(SourceEntry, MadeAsTheWindowMakesIt) {
  EXPECT_EQ(MakeSourceEntry("D:\\work\\out\\12345__ABC.mif", kWin), "12345__ABC,D:\\work\\out\\");
  EXPECT_EQ(MakeSourceEntry("/data/t.1.mif", kPosix), "t.1,/data/");
  EXPECT_EQ(MakeSourceEntry("a.mif", kPosix), "a,");
}

TEST(SourceEntry, SplitsAtTheLastCommaBeforeTheDirectory) {
  EXPECT_TRUE(Splits("12345__ABC,D:\\work\\out\\", kWin, "12345__ABC", "D:\\work\\out\\"));
  EXPECT_TRUE(Splits("a,b,D:\\x\\", kWin, "a,b", "D:\\x\\"));  // a comma in the base name
  EXPECT_TRUE(Splits("a,b,/srv/x,y/", kPosix, "a,b", "/srv/x,y/"));
  EXPECT_TRUE(Splits("name", kPosix, "name", ""));
  EXPECT_TRUE(Splits("name,", kPosix, "name", ""));
  EXPECT_TRUE(Splits("a,b", kPosix, "a", "b"));
  // 表 95 5C before the comma: its trail byte is no backslash.
  EXPECT_TRUE(Splits("\x95\x5C,b,C:\\d\\", kWin, "\x95\x5C,b", "C:\\d\\"));
}

#ifndef _WIN32
// Windows's file systems ignore case: every spelling names the file, and
// no other is looked for.
TEST(SourceEntry, CompanionWhoseExtensionDiffersInCase) {
  testing::ScratchDir dir;
  testing::WriteBytes(dir.File("nodi.mif"), "");
  testing::WriteBytes(dir.File("nodi.MID"), "");
  testing::WriteBytes(dir.File("Nodi.mid"), "");  // another stem: never taken
  const SourcePairNames names = SourcePairFileNames(dir.Folder(), "nodi");
  EXPECT_EQ(names.mif, dir.File("nodi.mif"));
  EXPECT_EQ(names.mid, dir.File("nodi.MID"));
  testing::WriteBytes(dir.File("nodi.mid"), "");
  EXPECT_EQ(SourcePairFileNames(dir.Folder(), "nodi").mid, dir.File("nodi.mid"));
  EXPECT_EQ(SourcePairFileNames(dir.Folder(), "none").mid, dir.File("none.mid"));
}
#endif

}  // namespace
}  // namespace mif

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

TEST(SourceEntry, PartsOfANameThatEndsInMifInAnyCaseOrNot) {
  const SourceParts upper = MakeSourceParts("/d/AB.MIF", kPosix);
  EXPECT_EQ(upper.baseName, "AB");
  EXPECT_EQ(upper.mifExtension, ".MIF");
  EXPECT_EQ(upper.directory, "/d/");
  // Any other name is the base name whole: roads.v2 is roads.v2.mif.
  const SourceParts other = MakeSourceParts("/d/roads.v2", kPosix);
  EXPECT_EQ(other.baseName, "roads.v2");
  EXPECT_EQ(other.mifExtension, ".mif");
  EXPECT_EQ(MakeSourceParts("x.txt", kPosix).baseName, "x.txt");
}

}  // namespace
}  // namespace mif

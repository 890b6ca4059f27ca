#include "merge/SourceEntry.h"

#include <gtest/gtest.h>

namespace mif {
namespace {

constexpr std::string_view kWin = kWindowsPathDelimiters;
constexpr std::string_view kPosix = kPosixPathDelimiters;

TEST(SourceEntry, MadeAsTheWindowMakesIt) {
  EXPECT_EQ(MakeSourceEntry("D:\\work\\out\\12345__ABC.mif", kWin), "12345__ABC,D:\\work\\out\\");
  EXPECT_EQ(MakeSourceEntry("/data/t.1.mif", kPosix), "t.1,/data/");
  EXPECT_EQ(MakeSourceEntry("a.mif", kPosix), "a,");
  // A comma in a folder stays in the directory part.
  EXPECT_EQ(MakeSourceEntry("/srv/x,y/a.mif", kPosix), "a,/srv/x,y/");
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

#include "file/FileName.h"

#include <gtest/gtest.h>

namespace mif {
namespace {

constexpr std::string_view kWin = kWindowsPathDelimiters;
constexpr std::string_view kPosix = kPosixPathDelimiters;

TEST(FindLastDelimiter, PassesOverTrailBytesThatLookLikeDelimiters) {
  // 表 95 5C after "C:\": its 5C is no backslash.
  EXPECT_EQ(FindLastDelimiter(kWin, "C:\\\x95\x5C"), 3);
  EXPECT_EQ(FindLastDelimiter(kWin, "\x95\x5C"), 0);
  EXPECT_EQ(FindLastDelimiter(kWin, "a/b\\c"), 4);
  EXPECT_EQ(FindLastDelimiter(kWin, ""), 0);
}

TEST(ChangeFileExtension, WindowsRules) {
  EXPECT_EQ(ChangeFileExtension("C:\\data\\a.b.mif", ".mid", kWin), "C:\\data\\a.b.mid");
  EXPECT_EQ(ChangeFileExtension("C:\\data.old\\name", ".mif", kWin), "C:\\data.old\\name.mif");
  EXPECT_EQ(ChangeFileExtension("name.", ".mif", kWin), "name.mif");
  EXPECT_EQ(ChangeFileExtension("", ".mif", kWin), ".mif");
  EXPECT_EQ(ChangeFileExtension("C:\\d\\file.mif", "", kWin), "C:\\d\\file");
  // "/" separates directories on Windows too: the dot in a.b is no extension.
  EXPECT_EQ(ChangeFileExtension("D:/work/a.b/c", ".mif", kWin), "D:/work/a.b/c.mif");
  // A trail byte 5C is not a delimiter: 表.txt keeps its place.
  EXPECT_EQ(ChangeFileExtension("d\\\x95\x5C.txt", ".mif", kWin), "d\\\x95\x5C.mif");
}

TEST(ChangeFileExtension, PosixRules) {
  EXPECT_EQ(ChangeFileExtension("/data.old/name", ".mif", kPosix), "/data.old/name.mif");
  EXPECT_EQ(ChangeFileExtension("/data/a.b.mif", ".mid", kPosix), "/data/a.b.mid");
  // On POSIX a backslash is an ordinary character of the name.
  EXPECT_EQ(ChangeFileExtension("a.b\\c", ".mif", kPosix), "a.mif");
}

TEST(ExtractParts, WindowsRules) {
  const auto parts = [](std::string_view name) {
    return std::make_pair(ExtractDirectoryPart(name, kWin), ExtractNamePart(name, kWin));
  };
  using P = std::pair<std::string, std::string>;
  EXPECT_EQ(parts("C:\\data\\12345__ABC.mif"), P("C:\\data\\", "12345__ABC.mif"));
  EXPECT_EQ(parts("C:file.mif"), P("C:", "file.mif"));
  EXPECT_EQ(parts("file.mif"), P("", "file.mif"));
  EXPECT_EQ(parts("C:\\data\\"), P("C:\\data\\", ""));
  EXPECT_EQ(parts("C:\\\x95\x5C"), P("C:\\", "\x95\x5C"));
  EXPECT_EQ(parts("D:/work/x.mif"), P("D:/work/", "x.mif"));
}

TEST(ExtractParts, PosixRules) {
  EXPECT_EQ(ExtractDirectoryPart("/srv/map/a.mif", kPosix), "/srv/map/");
  EXPECT_EQ(ExtractNamePart("/srv/map/a.mif", kPosix), "a.mif");
  EXPECT_EQ(ExtractNamePart("C:a.mif", kPosix), "C:a.mif");
}

}  // namespace
}  // namespace mif

#include "file/FileName.h"

#include <gtest/gtest.h>

namespace mif {
namespace {

constexpr std::string_view kWin = kWindowsPathDelimiters;
constexpr std::string_view kPosix = kPosixPathDelimiters;

// Names are the system's bytes or WTF-8: a UTF-8 name whose bytes a code
// page 932 reader would take for lead bytes keeps every delimiter.
TEST(FindLastDelimiter, UnitsOfLongerCharactersAreNeverDelimiters) {
  // が E3 81 8C: three bytes a code page 932 walk would pair up, taking
  // the "/" after them for a trail byte.
  EXPECT_EQ(FindLastDelimiter(kPosix, "\xE3\x81\x8C/a"), 4);
  EXPECT_EQ(FindLastDelimiter(kWin, "C:\\\xE3\x81\x8C\\b"), 7);
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
  // 表 in WTF-8 (E8 A1 A8) before the extension.
  EXPECT_EQ(ChangeFileExtension("d\\\xE8\xA1\xA8.txt", ".mif", kWin), "d\\\xE8\xA1\xA8.mif");
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
  EXPECT_EQ(parts("C:\\\xE8\xA1\xA8"), P("C:\\", "\xE8\xA1\xA8"));
  EXPECT_EQ(parts("D:/work/x.mif"), P("D:/work/", "x.mif"));
}

TEST(ExtractParts, PosixRules) {
  EXPECT_EQ(ExtractDirectoryPart("/srv/map/a.mif", kPosix), "/srv/map/");
  EXPECT_EQ(ExtractNamePart("/srv/map/a.mif", kPosix), "a.mif");
  EXPECT_EQ(ExtractNamePart("C:a.mif", kPosix), "C:a.mif");
  // ソ 83 5C in a name unzipped as raw code page 932 bytes: no delimiter.
  EXPECT_EQ(ExtractNamePart("/srv/\x83\x5C.mif", kPosix), "\x83\x5C.mif");
}

}  // namespace
}  // namespace mif

// Windows's rules on names, held on every system. Upper cases are those of
// Unicode's UnicodeData.txt (simple mapping), as NTFS's upcase table has
// them; device names as Microsoft's "Naming Files, Paths, and Namespaces"
// lists them.
#include <gtest/gtest.h>

#include "file/WindowsNames.h"

namespace mif {
namespace {

TEST(WindowsNames, FoldsLettersAsNtfsDoes) {
  EXPECT_EQ(FoldedAsWindows("out/Road.mif"), "OUT/ROAD.MIF");
  // ｒｏａｄ (FF52 FF4F FF41 FF44) and ＲＯＡＤ (FF32 FF2F FF21 FF24): one file.
  EXPECT_TRUE(SameNameOnWindows("\xEF\xBD\x92\xEF\xBD\x8F\xEF\xBD\x81\xEF\xBD\x84.mif",
                                "\xEF\xBC\xB2\xEF\xBC\xAF\xEF\xBC\xA1\xEF\xBC\xA4.MIF"));
  EXPECT_TRUE(SameNameOnWindows("\xC3\xA9", "\xC3\x89"));          // é É (E9, C9)
  EXPECT_TRUE(SameNameOnWindows("\xC3\xBF", "\xC5\xB8"));          // ÿ Ÿ (FF, 178)
  EXPECT_TRUE(SameNameOnWindows("\xC4\xBA", "\xC4\xB9"));          // ĺ Ĺ (13A, 139)
  EXPECT_TRUE(SameNameOnWindows("\xCF\x82", "\xCE\xA3"));          // ς Σ (3C2, 3A3)
  EXPECT_TRUE(SameNameOnWindows("\xCF\x8D", "\xCE\x8E"));          // ύ Ύ (3CD, 38E)
  EXPECT_TRUE(SameNameOnWindows("\xD1\x8F", "\xD0\xAF"));          // я Я (44F, 42F)
  EXPECT_TRUE(SameNameOnWindows("\xD1\x91", "\xD0\x81"));          // ё Ё (451, 401)
  EXPECT_TRUE(SameNameOnWindows("\xE2\x93\x90", "\xE2\x92\xB6"));  // ⓐ Ⓐ (24D0, 24B6)
  EXPECT_TRUE(SameNameOnWindows("\xE2\x85\xB0", "\xE2\x85\xA0"));  // ⅰ Ⅰ (2170, 2160)
  // No case: ı (131), ſ (17F), ß (DF), kana and kanji stay as they are.
  EXPECT_FALSE(SameNameOnWindows("\xC4\xB1", "I"));
  EXPECT_FALSE(SameNameOnWindows("\xC5\xBF", "S"));
  EXPECT_EQ(FoldedAsWindows("\xC3\x9F"), "\xC3\x9F");
  EXPECT_EQ(FoldedAsWindows("\xE9\x81\x93\xE8\xB7\xAF"), "\xE9\x81\x93\xE8\xB7\xAF");  // 道路
  // Bytes that are no UTF-8 (道路 in code page 932, 93 B9 98 48) as they are.
  EXPECT_EQ(FoldedAsWindows("\x93\xB9\x98\x48"), "\x93\xB9\x98\x48");
  EXPECT_EQ(FoldedAsWindows("a\xE9"), "A\xE9");  // a lead byte cut off at the end
}

TEST(WindowsNames, RefusesWhatWindowsCannotHold) {
  for (const char* device : {"CON.mif", "con.mid", "NUL", "Aux.mif.mifjoin-tmp", "PRN.txt",
                             "COM1.mif", "lpt9.mif", "CON .mif"}) {
    EXPECT_TRUE(WindowsNameProblem(device)) << device;
  }
  for (const char* name :
       {"CONTOUR.mif", "COM0.mif", "COM10.mif", "LPT.mif", "結合_CON.mif", "x.CON", "road.mif"}) {
    EXPECT_FALSE(WindowsNameProblem(name)) << name;
  }
  for (const char* name : {"a<b.mif", "a>b.mif", "a:b.mif", "a\"b.mif", "a|b.mif", "a?b.mif",
                           "a*b.mif", "a\\b.mif", "a\tb.mif", "road.", "road "}) {
    EXPECT_TRUE(WindowsNameProblem(name)) << name;
  }
}

}  // namespace
}  // namespace mif

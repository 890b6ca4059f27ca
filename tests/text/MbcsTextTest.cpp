#include "text/MbcsText.h"

#include <gtest/gtest.h>

namespace mif {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes += static_cast<char>(v);
  return bytes;
}

TEST(ClassifyByte, LooksBackOverTheRunOfLeadByteValues) {
  // 表 is 95 5C: its trail byte looks like a backslash.
  const std::string hyou = Bytes({0x95, 0x5C, 0x5C});
  EXPECT_EQ(ClassifyByte(hyou, 1), ByteClass::Lead);
  EXPECT_EQ(ClassifyByte(hyou, 2), ByteClass::Trail);
  EXPECT_EQ(ClassifyByte(hyou, 3), ByteClass::Single);
  // 81 81 is "＝", so 81 81 81 5C is ＝ then 81 5C "‐": an odd run before 5C.
  const std::string run = Bytes({0x81, 0x81, 0x81, 0x5C});
  EXPECT_EQ(ClassifyByte(run, 3), ByteClass::Lead);
  EXPECT_EQ(ClassifyByte(run, 4), ByteClass::Trail);
  EXPECT_EQ(ClassifyByte(Bytes({0x95, 0x00}), 2), ByteClass::Single);
  EXPECT_EQ(ClassifyByte(hyou, 0), ByteClass::Single);
  EXPECT_EQ(ClassifyByte(hyou, 4), ByteClass::Single);
}

TEST(FindLastCharacter, StartsOfTheLastCharacter) {
  EXPECT_EQ(FindLastCharacter(Bytes({0x95, 0x5C, 0x5C})), 3);
  EXPECT_EQ(FindLastCharacter(Bytes({0x81, 0x81, 0x81, 0x5C})), 3);
  EXPECT_EQ(FindLastCharacter(Bytes({0x95, 0x5C})), 1);
  EXPECT_EQ(FindLastCharacter("abc"), 3);
  EXPECT_EQ(FindLastCharacter(""), 0);
}

TEST(CompareTextCp932, IsZeroExactlyForEqualBytes) {
  EXPECT_EQ(CompareTextCp932("_", "_", 1), 0);
  EXPECT_EQ(CompareTextCp932("a", "A", 1), 1);  // case counts
  EXPECT_EQ(CompareTextCp932("A", "a", 1), -1);
  EXPECT_EQ(CompareTextCp932("\x81", "\x7F", 1), 1);  // unsigned order
  EXPECT_EQ(CompareTextCp932("ab", "ac", 1), 0);
}

TEST(FindSubstring, IsAPlainSearchInBothForms) {
  // The match may begin on the trail byte of ダ 83 5F.
  EXPECT_EQ(FindSubstring("__", Bytes({0x83, 0x5F, 0x5F, 0x41})), 2);
  EXPECT_EQ(FindSubstring("", "abc"), 0);
  EXPECT_EQ(FindSubstring("abc", "abc"), 1);
  EXPECT_EQ(FindSubstring("abcd", "abc"), 0);
  EXPECT_EQ(FindSubstring("b", ""), 0);
  EXPECT_EQ(FindSubstring("aab", "aaab"), 2);
  EXPECT_EQ(FindSubstring(u",", u"名前,D:\\"), 3);
  EXPECT_EQ(FindSubstring(u"", u"x"), 0);
}

TEST(TextEquals, ComparesWholeTextsExactly) {
  EXPECT_TRUE(TextEquals(u"DATA", u"DATA"));
  EXPECT_FALSE(TextEquals(u"DATA", u"DATA "));
  EXPECT_FALSE(TextEquals(u"DATA", u"Data"));
  EXPECT_TRUE(TextEquals(u"", u""));
}

TEST(CopySubstring, ClampsStartAndCount) {
  EXPECT_EQ(CopySubstring("ABCDE", 0, 2), "AB");  // not "A": the count is not reduced
  EXPECT_EQ(CopySubstring("ABCDE", -3, 2), "AB");
  EXPECT_EQ(CopySubstring("ABCDE", 4, 10), "DE");
  EXPECT_EQ(CopySubstring("ABCDE", 6, 1), "");
  EXPECT_EQ(CopySubstring("ABCDE", 2, -1), "");
  EXPECT_EQ(CopySubstring("ABCDE", 2, 0), "");
  EXPECT_EQ(CopySubstring("", 1, 1), "");
  EXPECT_EQ(CopySubstring(u"ABCDE", 2, 2147483647), u"BCDE");
}

TEST(DeleteSubstring, LeavesTheTextAloneOutOfRange) {
  const auto deleted = [](int start, int count) {
    std::u16string text = u"ABC";
    DeleteSubstring(text, start, count);
    return text;
  };
  EXPECT_EQ(deleted(0, 1), u"ABC");
  EXPECT_EQ(deleted(2, 10), u"A");
  EXPECT_EQ(deleted(3, 1), u"AB");
  EXPECT_EQ(deleted(4, 1), u"ABC");
  EXPECT_EQ(deleted(1, 0), u"ABC");
}

TEST(FormatInteger, DecimalWithSign) {
  EXPECT_EQ(FormatInteger(0), "0");
  EXPECT_EQ(FormatInteger(-5), "-5");
  EXPECT_EQ(FormatInteger(2147483647), "2147483647");
  EXPECT_EQ(FormatInteger(INT32_MIN), "-2147483648");
}

}  // namespace
}  // namespace mif

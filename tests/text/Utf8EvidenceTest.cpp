#include "text/Utf8Evidence.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace mif {
namespace {

using Lines = std::pair<std::int64_t, std::int64_t>;  // first UTF-8, first other

Lines Whole(const std::string& text) {
  Utf8Evidence evidence;
  evidence.Take(text);
  evidence.End();
  return {evidence.FirstUtf8Line(), evidence.FirstOtherLine()};
}

// The same text in two pieces cut at every byte: a sequence cut between
// them goes on in the second.
Lines CutEverywhere(const std::string& text) {
  const Lines whole = Whole(text);
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    Utf8Evidence evidence;
    evidence.Take(text.substr(0, cut));
    evidence.Take(text.substr(cut));
    evidence.End();
    EXPECT_EQ(Lines(evidence.FirstUtf8Line(), evidence.FirstOtherLine()), whole) << "cut " << cut;
  }
  return whole;
}

TEST(Utf8Evidence, LinesOfEachKind) {
  // 道路 in UTF-8 (E9 81 93 E8 B7 AF), and in code page 932 (93 B9 98 48).
  EXPECT_EQ(CutEverywhere("ID\r\n\"\xE9\x81\x93\xE8\xB7\xAF\"\r\n"), Lines(2, 0));
  EXPECT_EQ(CutEverywhere("ID\r\nx\r\n\"\x93\xB9\x98\x48\"\r\n"), Lines(0, 3));
  EXPECT_EQ(CutEverywhere("\xE9\x81\x93\n\x93\xB9\n"), Lines(1, 2));
  EXPECT_EQ(CutEverywhere("ascii\r\nonly\r\n"), Lines(0, 0));
  EXPECT_EQ(CutEverywhere(""), Lines(0, 0));
  // A line holding both is no UTF-8; a last line without LF counts.
  EXPECT_EQ(CutEverywhere("a\n\xE9\x81\x93\x93\xB9"), Lines(0, 2));
  // 𠮷 (F0 A0 AE B7), a four-byte sequence.
  EXPECT_EQ(CutEverywhere("\n\n\xF0\xA0\xAE\xB7\n"), Lines(3, 0));
}

TEST(Utf8Evidence, SequencesStrictUtf8Refuses) {
  EXPECT_EQ(Whole("\xC0\x80"), Lines(0, 1));          // overlong
  EXPECT_EQ(Whole("\xED\xA0\x80"), Lines(0, 1));      // a surrogate
  EXPECT_EQ(Whole("\xF4\x90\x80\x80"), Lines(0, 1));  // above U+10FFFF
  EXPECT_EQ(Whole("\xE9\x81\n"), Lines(0, 1));        // cut by the line's end
  EXPECT_EQ(Whole("\xE9\x81"), Lines(0, 1));          // cut by the text's end
  // ﾂｱ in code page 932 (C2 B1) is ± in UTF-8: no byte tells them apart.
  EXPECT_EQ(Whole("\xC2\xB1"), Lines(1, 0));
}

TEST(Utf8Evidence, LinesAreCountedFromTheFirstGivenAcrossLongAsciiRuns) {
  Utf8Evidence evidence(10);
  evidence.Take(std::string(200, 'a') + "\n" + std::string(100, '\n') + "\xE9\x81\x93\n");
  evidence.End();
  EXPECT_EQ(evidence.FirstUtf8Line(), 111);
  EXPECT_EQ(evidence.Line(), 112);
  EXPECT_EQ(evidence.LastLine(), 111);
  evidence.Take("part");
  EXPECT_EQ(evidence.LastLine(), 112);
}

}  // namespace
}  // namespace mif

#include "text/AsciiRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace mif {
namespace {

TEST(AsciiRun, WidensTheLeadingAsciiRunExactly) {
  std::string bytes;
  for (int i = 0; i < 40; ++i) bytes += static_cast<char>(i * 3 % 128);
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  std::u16string units(bytes.size(), u'\xFFFF');
  EXPECT_EQ(WidenAsciiBlocks(in, bytes.size(), units.data()), 40u);  // the tail block overlaps
  for (int i = 0; i < 40; ++i) EXPECT_EQ(units[i], static_cast<char16_t>(bytes[i])) << i;
  // ソ 83 5C: the run ends at its lead byte, in any block and in the overlap.
  for (std::size_t at : {0u, 5u, 16u, 31u, 37u}) {
    std::string text = bytes;
    text[at] = '\x83';
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    EXPECT_EQ(WidenAsciiBlocks(p, text.size(), units.data()), at) << at;
    EXPECT_EQ(WidenAsciiRun(p, text.size(), units.data()), at) << at;
  }
  EXPECT_EQ(WidenAsciiBlocks(in, 15, units.data()), 0u);  // short input: the caller's
  EXPECT_EQ(WidenAsciiRun(in, 15, units.data()), 15u);
}

TEST(AsciiRun, NarrowsTheLeadingRunOfUnitsBelow0x80) {
  std::u16string units;
  for (int i = 0; i < 48; ++i) units += static_cast<char16_t>('A' + i % 26);
  std::string bytes(units.size(), '\0');
  auto* out = reinterpret_cast<unsigned char*>(bytes.data());
  EXPECT_EQ(NarrowAsciiBlocks(units.data(), units.size(), out), 48u);
  EXPECT_EQ(bytes.substr(0, 3), "ABC");
  // 0x0080 and 0x0100 must end the run: neither is ASCII, though the low
  // byte of 0x0100 is.
  for (char16_t high : {u'\x0080', u'\x0100', u'\x3042', u'\xFF41'}) {
    for (std::size_t at : {3u, 20u, 40u}) {
      std::u16string mixed = units;
      mixed[at] = high;
      EXPECT_EQ(NarrowAsciiBlocks(mixed.data(), mixed.size(), out), at) << int(high);
      EXPECT_EQ(NarrowAsciiRun(mixed.data(), 10, out), at < 10 ? at : 10u);
    }
  }
}

TEST(AsciiRun, FindLineStopFindsTheFirstLfCrOrCtrlZ) {
  const std::string plain(40, 'a');
  EXPECT_EQ(FindLineStop(plain.data(), plain.size()), 40u);
  EXPECT_EQ(FindLineStop(plain.data(), 0), 0u);
  for (const char stop : {'\n', '\r', '\x1A'}) {
    for (std::size_t at : {0u, 5u, 15u, 16u, 31u, 39u}) {
      std::string text = plain;
      text[at] = stop;
      text[39] = '\n';  // a later stop must not win
      EXPECT_EQ(FindLineStop(text.data(), text.size()), at) << int(stop) << " " << at;
    }
  }
  // Bytes >= 0x80 (Shift-JIS text) are no stops.
  const std::string japanese = "\x95\x5C\x83\x5C\x8A\x0D";
  EXPECT_EQ(FindLineStop(japanese.data(), japanese.size()), 5u);
}

TEST(AsciiRun, LineFeedBitsMarksTheLfsOfTheFirst64Bytes) {
  std::string text(70, 'a');
  for (const std::size_t at : {0u, 15u, 16u, 47u, 63u, 64u, 69u}) text[at] = '\n';
  text[20] = '\r';
  const std::uint64_t expected =
      1ull | 1ull << 15 | 1ull << 16 | 1ull << 47 | 1ull << 63;  // 64 and 69 lie past the 64
  EXPECT_EQ(LineFeedBits(text.data(), text.size()), expected);
  EXPECT_EQ(LineFeedBits(text.data() + 16, 48), expected >> 16);  // fewer than 64
  EXPECT_EQ(LineFeedBits(text.data(), 0), 0u);
}

TEST(AsciiRun, OddCountOfCountsEveryByteOnce) {
  // Quotes at each place of strings up to 40 long, where 16-byte blocks
  // and the last, overlapping one meet them; ポ 83 7C beside them.
  for (std::size_t size = 0; size <= 40; ++size) {
    for (std::size_t at = 0; at < size; ++at) {
      std::string text(size, 'a');
      text[at] = '"';
      if (at + 2 < size) text[at + 1] = '\x83', text[at + 2] = '\x7C';
      EXPECT_TRUE(OddCountOf(text.data(), text.size(), '"')) << size << " " << at;
      text[size - 1 - at] = '"';
      EXPECT_EQ(OddCountOf(text.data(), text.size(), '"'), at == size - 1 - at)
          << size << " " << at;
    }
  }
}

// Every CR and LF paired, no Ctrl-Z: checked against the definition on
// every string of these bytes up to 6 long, each placed at offsets of a
// 110-byte run of CR LF lines where 16- and 64-byte blocks meet it.
TEST(AsciiRun, CrLfRunLengthStopsAtTheFirstUnpairedBreakOrCtrlZ) {
  const auto expected = [](const std::string& text, bool asciiOnly) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      const bool lone = text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n');
      const bool bare = text[i] == '\n' && (i == 0 || text[i - 1] != '\r');
      const bool high = asciiOnly && static_cast<unsigned char>(text[i]) >= 0x80;
      if (lone || bare || high || text[i] == '\x1A') return i;
    }
    return text.size();
  };
  std::string lines = "1 2\r\n33 4\r\nPline 2\r\n5 6\r\n\r\n7 8\r\n\x83\x5C\r\n";  // ソ 83 5C
  lines += lines + lines + "0123";
  const std::string alphabet =
      "\r\n\x1A"
      "a\x8A";
  for (std::size_t length = 0; length <= 6; ++length) {
    std::size_t combinations = 1;
    for (std::size_t i = 0; i < length; ++i) combinations *= alphabet.size();
    for (std::size_t n = 0; n < combinations; ++n) {
      std::string piece;
      for (std::size_t rest = n, i = 0; i < length; ++i, rest /= alphabet.size()) {
        piece += alphabet[rest % alphabet.size()];
      }
      for (const std::size_t at : {0u, 1u, 15u, 16u, 17u, 62u, 63u, 64u, 65u, 105u}) {
        const std::string text = lines.substr(0, at) + piece + lines.substr(at);
        for (const bool asciiOnly : {false, true}) {
          ASSERT_EQ(CrLfRunLength(text.data(), text.size(), asciiOnly), expected(text, asciiOnly))
              << at << " " << n << " " << asciiOnly;
        }
      }
    }
  }
}

// Lines in LF alone, as GDAL writes them, against the definition: the
// whole lines before the first CR, Ctrl-Z (or with asciiOnly high byte),
// each given CR LF; pieces of those bytes placed where blocks meet.
TEST(AsciiRun, ExpandLfLinesGivesTheWholeLfLinesTheirCr) {
  const auto expected = [](const std::string& text, bool asciiOnly, std::size_t& taken) {
    std::string out, line;
    taken = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char c = text[i];
      if (c == '\r' || c == '\x1A' || (asciiOnly && static_cast<unsigned char>(c) >= 0x80)) break;
      if (c != '\n') {
        line += c;
        continue;
      }
      out += line + "\r\n";
      line.clear();
      taken = i + 1;
    }
    return out;
  };
  std::string lines = "1 2\n33 4\nPline 2\n5 6\n\n7 8\n\x83\x5C\n";  // ソ 83 5C
  lines += lines + lines + "0123";
  for (const std::string piece : {"", "\r", "\r\n", "\x1A", "\x8A", "\n\n", "a\x8A\n"}) {
    for (const std::size_t at : {0u, 1u, 15u, 16u, 17u, 31u, 32u, 62u, 63u, 64u, 65u, 90u}) {
      const std::string text = lines.substr(0, at) + piece + lines.substr(at);
      for (const bool asciiOnly : {false, true}) {
        std::size_t wantTaken = 0, written = 0;
        const std::string want = expected(text, asciiOnly, wantTaken);
        std::string out(2 * text.size() + 32, '?');
        const std::size_t taken =
            ExpandLfLines(text.data(), text.size(), asciiOnly, out.data(), written);
        ASSERT_EQ(taken, wantTaken) << at << " " << testing::PrintToString(piece) << asciiOnly;
        ASSERT_EQ(out.substr(0, written), want) << at << " " << testing::PrintToString(piece);
      }
    }
  }
}

TEST(AsciiRun, LongAsciiRunLengthFindsTheFirstHighByte) {
  for (const std::size_t high : {0u, 1u, 15u, 16u, 17u, 63u, 64u, 200u, 299u, 300u}) {
    std::string bytes(300, 'a');
    if (high < bytes.size()) bytes[high] = '\x93';  // a lead byte of 道 93 B9
    EXPECT_EQ(
        LongAsciiRunLength(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()),
        high);
  }
}

TEST(AsciiRun, AsciiRunLineFeedsCountsTheLfsOfTheRunAlone) {
  std::string text(5000, 'x');
  for (std::size_t i = 3; i < text.size(); i += 7) text[i] = '\n';  // 714 of them
  for (const std::size_t high : {0u, 1u, 15u, 16u, 17u, 4079u, 4080u, 4999u, 5000u}) {
    std::string bytes = text;
    if (high < bytes.size()) bytes[high] = '\xE9';
    std::uint64_t lineFeeds = 0;
    ASSERT_EQ(AsciiRunLineFeeds(bytes.data(), bytes.size(), lineFeeds), high) << high;
    ASSERT_EQ(lineFeeds,
              static_cast<std::uint64_t>(std::count(bytes.begin(), bytes.begin() + high, '\n')))
        << high;
  }
}

}  // namespace
}  // namespace mif

#include "AsciiRun.h"

#include <gtest/gtest.h>

#include <string>

namespace mif {
namespace {

TEST(AsciiRun, WidensWholeAsciiBlocksAndStopsAtTheFirstBlockWithAHighByte) {
  std::string bytes;
  for (int i = 0; i < 40; ++i) bytes += static_cast<char>(i * 3 % 128);
  bytes[37] = static_cast<char>(0x83);  // in the third block
  std::u16string units(bytes.size(), u'\xFFFF');
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  EXPECT_EQ(WidenAsciiBlocks(in, bytes.size(), units.data()), 32u);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(units[i], static_cast<char16_t>(bytes[i])) << i;
  EXPECT_EQ(WidenAsciiBlocks(in, 15, units.data()), 0u);  // no whole block
  EXPECT_EQ(WidenAsciiBlocks(in + 24, 16, units.data()), 0u);
}

TEST(AsciiRun, NarrowsOnlyBlocksWhoseUnitsAreAllBelow0x80) {
  std::u16string units;
  for (int i = 0; i < 48; ++i) units += static_cast<char16_t>('A' + i % 26);
  std::string bytes(units.size(), '\0');
  auto* out = reinterpret_cast<unsigned char*>(bytes.data());
  EXPECT_EQ(NarrowAsciiBlocks(units.data(), units.size(), out), 48u);
  EXPECT_EQ(bytes.substr(0, 3), "ABC");
  // 0x0080 and 0x0100 must stop a block: neither is ASCII, though the
  // low byte of 0x0100 is.
  for (char16_t high : {u'\x0080', u'\x0100', u'\x3042', u'\xFF41'}) {
    std::u16string mixed = units;
    mixed[20] = high;
    EXPECT_EQ(NarrowAsciiBlocks(mixed.data(), mixed.size(), out), 16u) << int(high);
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

}  // namespace
}  // namespace mif

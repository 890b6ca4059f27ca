#include <cstdint>
#include <cstring>

#include "text/AsciiRun.h"
#include "text/AsciiRunBlocks.h"

namespace mif {

namespace {

constexpr std::uint64_t kByteHighBits = 0x8080808080808080ull;
constexpr std::uint64_t kUnitHighBits = 0xFF80FF80FF80FF80ull;

template <int Words, typename T>
std::uint64_t OrOfWords(const T* values) {
  std::uint64_t any = 0;
  for (int part = 0; part < Words; ++part) {
    std::uint64_t word;
    std::memcpy(&word, reinterpret_cast<const char*>(values) + 8 * part, 8);
    any |= word;
  }
  return any;
}

// A whole ASCII block is told by its words; only a block with a high value
// is walked value by value.
std::size_t WidenBlock(const unsigned char* bytes, char16_t* units) {
  const bool allAscii = (OrOfWords<2>(bytes) & kByteHighBits) == 0;
  std::size_t run = 0;
  for (; run < 16 && (allAscii || bytes[run] < 0x80); ++run) units[run] = bytes[run];
  return run;
}

std::size_t NarrowBlock(const char16_t* units, unsigned char* bytes) {
  const bool allAscii = (OrOfWords<4>(units) & kUnitHighBits) == 0;
  std::size_t run = 0;
  for (; run < 16 && (allAscii || units[run] < 0x80); ++run) {
    bytes[run] = static_cast<unsigned char>(units[run]);
  }
  return run;
}

}  // namespace

std::size_t FindLineStop(const char* bytes, std::size_t count) {
  return ascii_run::FindLineStopByByte(bytes, count, 0);
}

std::uint64_t LineFeedBits(const char* bytes, std::size_t count) {
  return ascii_run::LineFeedBitsByByte(bytes, count);
}

bool OddCountOf(const char* bytes, std::size_t count, char value) {
  return ascii_run::OddCountByByte(bytes, count, 0, value, false);
}

std::size_t CrLfRunLength(const char* bytes, std::size_t count, bool asciiOnly) {
  return ascii_run::CrLfRunByByte(bytes, count, 0, false, asciiOnly);
}

std::size_t LongAsciiRunLength(const unsigned char* bytes, std::size_t count) {
  return AsciiRunLength(bytes, count);
}

std::size_t AsciiRunLineFeeds(const char* bytes, std::size_t count, std::uint64_t& lineFeeds) {
  return ascii_run::AsciiLineFeedsByByte(bytes, count, 0, lineFeeds);
}

std::size_t ExpandLfLines(const char* bytes, std::size_t count, bool asciiOnly, char* out,
                          std::size_t& written) {
  return ascii_run::ExpandLfLinesByByte(bytes, count, asciiOnly, out, 0, 0, 0, 0, written);
}

std::size_t WidenAsciiBlocks(const unsigned char* bytes, std::size_t count, char16_t* units) {
  return ascii_run::ConvertBlocks(bytes, count, units, WidenBlock);
}

std::size_t NarrowAsciiBlocks(const char16_t* units, std::size_t count, unsigned char* bytes) {
  return ascii_run::ConvertBlocks(units, count, bytes, NarrowBlock);
}

}  // namespace mif

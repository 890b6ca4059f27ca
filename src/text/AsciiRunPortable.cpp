#include <cstdint>
#include <cstring>

#include "AsciiRun.h"
#include "AsciiRunBlocks.h"

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

bool WidenBlock(const unsigned char* bytes, char16_t* units) {
  if ((OrOfWords<2>(bytes) & kByteHighBits) != 0) return false;
  for (int k = 0; k < 16; ++k) units[k] = bytes[k];
  return true;
}

bool NarrowBlock(const char16_t* units, unsigned char* bytes) {
  if ((OrOfWords<4>(units) & kUnitHighBits) != 0) return false;
  for (int k = 0; k < 16; ++k) bytes[k] = static_cast<unsigned char>(units[k]);
  return true;
}

}  // namespace

std::size_t FindLineStop(const char* bytes, std::size_t count) {
  return ascii_run::FindLineStopByByte(bytes, count, 0);
}

std::size_t WidenAsciiBlocks(const unsigned char* bytes, std::size_t count, char16_t* units) {
  return ascii_run::ConvertBlocks(bytes, count, units, WidenBlock);
}

std::size_t NarrowAsciiBlocks(const char16_t* units, std::size_t count, unsigned char* bytes) {
  return ascii_run::ConvertBlocks(units, count, bytes, NarrowBlock);
}

}  // namespace mif

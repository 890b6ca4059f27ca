// Mapping tables of Windows code page 932, generated from its UCM file by
// tools/GenerateCp932Tables.py into Cp932Tables.cpp.
#pragma once

#include <cstdint>

namespace mif {

// Lead bytes 0x81-0x9F and 0xE0-0xFC, in that order.
inline constexpr int kCp932LeadCount = 60;

// Code unit of every byte that is no lead byte; 0 at lead-byte positions.
extern const std::uint16_t kCp932SingleByte[256];

// [lead index][trail byte] -> code unit; 0 where the pair is not mapped.
extern const std::uint16_t kCp932DoubleByte[kCp932LeadCount][256];

// Encoding, two levels: page = kCp932EncodePage[unit >> 8], then
// kCp932EncodeTable[page][unit & 0xFF] holds the byte (< 0x100) or the lead
// and trail byte (lead << 8 | trail); 0 means no mapping. Page 0 is all 0.
// Units below 0x80 are not in the table: they encode to themselves.
extern const std::uint8_t kCp932EncodePage[256];
extern const std::uint16_t kCp932EncodeTable[][256];

// Index of a lead byte into kCp932DoubleByte, or -1 for any other byte.
constexpr int Cp932LeadIndex(std::uint8_t byte) {
  if (byte >= 0x81 && byte <= 0x9F) return byte - 0x81;
  if (byte >= 0xE0 && byte <= 0xFC) return byte - 0xE0 + 31;
  return -1;
}

// Writes the code page 932 form of one unit at `out` (one or two bytes;
// '?' for a unit with no mapping) and returns the position after it.
inline unsigned char* PutCp932(char16_t unit, unsigned char* out) {
  if (unit < 0x80) {
    *out++ = static_cast<unsigned char>(unit);
    return out;
  }
  const std::uint16_t code = kCp932EncodeTable[kCp932EncodePage[unit >> 8]][unit & 0xFF];
  if (code == 0) {
    *out++ = '?';
  } else if (code < 0x100) {
    *out++ = static_cast<unsigned char>(code);
  } else {
    *out++ = static_cast<unsigned char>(code >> 8);
    *out++ = static_cast<unsigned char>(code & 0xFF);
  }
  return out;
}

}  // namespace mif

// Block scans of text: copies of ASCII runs, the hot path of every codec
// here, and the search for the end of a line. One implementation per
// instruction set, chosen by the build.
#pragma once

#include <cstddef>

namespace mif {

// Widens a leading ASCII run of bytes to UTF-16 units, 16 at a time.
// Returns how many bytes were done, all of them ASCII: 0 for input shorter
// than 16, and never past the first 16-byte block holding a byte >= 0x80.
// A run of 16 or more that reaches the end is done whole (the last block
// may overlap the one before it).
std::size_t WidenAsciiBlocks(const unsigned char* bytes, std::size_t count, char16_t* units);

// Narrows a leading run of units below 0x80 to bytes, with the same
// contract as WidenAsciiBlocks.
std::size_t NarrowAsciiBlocks(const char16_t* units, std::size_t count, unsigned char* bytes);

// The whole leading ASCII run, widened: blocks, then byte by byte. Returns
// its length.
inline std::size_t WidenAsciiRun(const unsigned char* bytes, std::size_t count, char16_t* units) {
  std::size_t done = WidenAsciiBlocks(bytes, count, units);
  for (; done < count && bytes[done] < 0x80; ++done) units[done] = bytes[done];
  return done;
}

// The whole leading run of units below 0x80, narrowed. Returns its length.
inline std::size_t NarrowAsciiRun(const char16_t* units, std::size_t count, unsigned char* bytes) {
  std::size_t done = NarrowAsciiBlocks(units, count, bytes);
  for (; done < count && units[done] < 0x80; ++done)
    bytes[done] = static_cast<unsigned char>(units[done]);
  return done;
}

// Offset of the first LF, CR or Ctrl-Z (0x1A) in the bytes; `count` when
// there is none.
std::size_t FindLineStop(const char* bytes, std::size_t count);

}  // namespace mif

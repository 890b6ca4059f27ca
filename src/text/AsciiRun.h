// Block scans of text: copies of ASCII runs, the hot path of every codec
// here, and the search for the end of a line. One implementation per
// instruction set, chosen by the build.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace mif {

// Widens the leading run of ASCII bytes to UTF-16 units, 16 at a time,
// and returns its length. Inputs shorter than 16 may be left to the caller
// (the result is then 0). May write units past the run, never past `count`.
std::size_t WidenAsciiBlocks(const unsigned char* bytes, std::size_t count, char16_t* units);

// Narrows the leading run of units below 0x80 to bytes, with the same
// contract as WidenAsciiBlocks.
std::size_t NarrowAsciiBlocks(const char16_t* units, std::size_t count, unsigned char* bytes);

// The whole leading ASCII run, widened; returns its length.
inline std::size_t WidenAsciiRun(const unsigned char* bytes, std::size_t count, char16_t* units) {
  std::size_t done = WidenAsciiBlocks(bytes, count, units);
  if (done > 0) return done;
  for (; done < count && bytes[done] < 0x80; ++done) units[done] = bytes[done];
  return done;
}

// The whole leading run of units below 0x80, narrowed; returns its length.
inline std::size_t NarrowAsciiRun(const char16_t* units, std::size_t count, unsigned char* bytes) {
  std::size_t done = NarrowAsciiBlocks(units, count, bytes);
  if (done > 0) return done;
  for (; done < count && units[done] < 0x80; ++done) {
    bytes[done] = static_cast<unsigned char>(units[done]);
  }
  return done;
}

// Length of the leading run of bytes below 0x80, found a word at a time.
inline std::size_t AsciiRunLength(const unsigned char* bytes, std::size_t count) {
  std::size_t run = 0;
  for (; run + 8 <= count; run += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes + run, 8);
    if ((word & 0x8080808080808080ull) != 0) break;
  }
  while (run < count && bytes[run] < 0x80) ++run;
  return run;
}

// Whether every byte of the text is below 0x80.
inline bool IsAscii(std::string_view text) {
  return AsciiRunLength(reinterpret_cast<const unsigned char*>(text.data()), text.size()) ==
         text.size();
}

// AsciiRunLength 16 bytes at a time, for runs that are mostly long: a
// call, where AsciiRunLength is inline.
std::size_t LongAsciiRunLength(const unsigned char* bytes, std::size_t count);

// Length of the leading run of bytes below 0x80, as AsciiRunLength, with
// the LFs in it added to `lineFeeds`: a text's lines counted as it is
// scanned, 16 bytes at a time.
std::size_t AsciiRunLineFeeds(const char* bytes, std::size_t count, std::uint64_t& lineFeeds);

// Offset of the first LF, CR or Ctrl-Z (0x1A) in the bytes; `count` when
// there is none.
std::size_t FindLineStop(const char* bytes, std::size_t count);

// Bit i set where bytes[i] is an LF, for the first 64 bytes or `count`
// when fewer: a block of short lines split without a search a line.
std::uint64_t LineFeedBits(const char* bytes, std::size_t count);

// Calls `take` with each line of `lines`, which are all ended by CR LF,
// without its break; the lines are found 64 bytes at a time.
template <typename Take>
void ForEachCrLfLine(std::string_view lines, Take take) {
  const char* const bytes = lines.data();
  std::size_t start = 0;  // of the next line
  for (std::size_t window = 0; window < lines.size(); window += 64) {
    for (std::uint64_t lineFeeds = LineFeedBits(bytes + window, lines.size() - window);
         lineFeeds != 0; lineFeeds &= lineFeeds - 1) {
      const std::size_t lineFeed = window + static_cast<std::size_t>(std::countr_zero(lineFeeds));
      take(std::string_view(bytes + start, lineFeed - 1 - start));
      start = lineFeed + 1;
    }
  }
}

// Whether `value` stands an odd number of times in the bytes: a row's
// quotes, 16 bytes at a time.
bool OddCountOf(const char* bytes, std::size_t count, char value);

// Length of the leading run of bytes in which every CR and LF stands in a
// CR LF pair and no Ctrl-Z stands: the lines a writer of CR LF lines
// copies unchanged. A CR last in the bytes ends the run (its LF is not
// there to see), and so does an LF first in them; with `asciiOnly`, so
// does a byte from 0x80 up.
std::size_t CrLfRunLength(const char* bytes, std::size_t count, bool asciiOnly = false);

// The whole lines the bytes begin with that are in LF alone, written to
// `out` with CR LF, as a writer of CR LF lines writes them: lines as Unix
// writers (GDAL's among them) write them. They end before a CR, a Ctrl-Z,
// or with `asciiOnly` a byte from 0x80 up. Gives the bytes they take, and
// in `written` the bytes written; `out` must hold twice `count` and 32
// more, which the scan may write past what it gives.
std::size_t ExpandLfLines(const char* bytes, std::size_t count, bool asciiOnly, char* out,
                          std::size_t& written);

}  // namespace mif

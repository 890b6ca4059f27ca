// The parts of the block scans that do not depend on the instruction set;
// included by each AsciiRun implementation.
#pragma once

#include <cstddef>
#include <cstdint>

namespace mif::ascii_run {

// Whole blocks while they are all ASCII, then the block that holds the end
// of the run; the last block of all ends at the end of the input and may
// overlap the ones before it, rewriting the same values. `block` converts
// 16 values and returns how many of them lead the block as ASCII.
template <typename From, typename To, typename Block>
std::size_t ConvertBlocks(const From* from, std::size_t count, To* to, Block block) {
  if (count < 16) return 0;
  std::size_t done = 0;
  for (; done + 16 <= count; done += 16) {
    const std::size_t run = block(from + done, to + done);
    if (run < 16) return done + run;
  }
  if (done == count) return done;
  // The overlap starts inside the run done so far: its first values are ASCII.
  return count - 16 + block(from + count - 16, to + count - 16);
}

inline std::size_t FindLineStopByByte(const char* bytes, std::size_t count, std::size_t done) {
  for (; done < count; ++done) {
    const char c = bytes[done];
    if (c == '\n' || c == '\r' || c == 0x1A) break;
  }
  return done;
}

inline std::uint64_t LineFeedBitsByByte(const char* bytes, std::size_t count) {
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < count && i < 64; ++i) {
    if (bytes[i] == '\n') bits |= std::uint64_t{1} << i;
  }
  return bits;
}

inline bool OddCountByByte(const char* bytes, std::size_t count, std::size_t done, char value,
                           bool odd) {
  for (; done < count; ++done) odd ^= bytes[done] == value;
  return odd;
}

// `afterCr` tells whether the byte before bytes[done] is a CR.
inline std::size_t CrLfRunByByte(const char* bytes, std::size_t count, std::size_t done,
                                 bool afterCr, bool asciiOnly) {
  for (; done < count; ++done) {
    const char c = bytes[done];
    if (c == 0x1A || (c == '\n' && !afterCr)) break;
    if (asciiOnly && static_cast<unsigned char>(c) >= 0x80) break;
    if (c == '\r' && (done + 1 == count || bytes[done + 1] != '\n')) break;
    afterCr = c == '\r';
  }
  return done;
}

inline std::size_t AsciiLineFeedsByByte(const char* bytes, std::size_t count, std::size_t done,
                                        std::uint64_t& lineFeeds) {
  for (; done < count && static_cast<unsigned char>(bytes[done]) < 0x80; ++done) {
    lineFeeds += bytes[done] == '\n' ? 1 : 0;
  }
  return done;
}

// Whether `c` ends a run of lines in LF alone (ExpandLfLines).
inline bool EndsLfRun(char c, bool asciiOnly) {
  return c == '\r' || c == 0x1A || (asciiOnly && static_cast<unsigned char>(c) >= 0x80);
}

// ExpandLfLines from `done` and `outDone` on, a byte at a time; `lineEnd`
// and `outLineEnd` are where the last whole line so far ends.
inline std::size_t ExpandLfLinesByByte(const char* bytes, std::size_t count, bool asciiOnly,
                                       char* out, std::size_t done, std::size_t outDone,
                                       std::size_t lineEnd, std::size_t outLineEnd,
                                       std::size_t& written) {
  for (; done < count; ++done) {
    const char c = bytes[done];
    if (EndsLfRun(c, asciiOnly)) break;
    if (c == '\n') {
      out[outDone++] = '\r';
      out[outDone++] = '\n';
      lineEnd = done + 1;
      outLineEnd = outDone;
    } else {
      out[outDone++] = c;
    }
  }
  written = outLineEnd;
  return lineEnd;
}

}  // namespace mif::ascii_run

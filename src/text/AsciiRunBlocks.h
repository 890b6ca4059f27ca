// The parts of the block scans that do not depend on the instruction set;
// included by each AsciiRun implementation.
#pragma once

#include <cstddef>

namespace mif::ascii_run {

// Whole blocks, then one last block that ends at the end of the input and
// overlaps the blocks done: it rewrites the same values.
template <typename From, typename To, typename Block>
std::size_t ConvertBlocks(const From* from, std::size_t count, To* to, Block block) {
  std::size_t done = 0;
  while (done + 16 <= count && block(from + done, to + done)) done += 16;
  if (done >= 16 && done < count && done + 16 > count &&
      block(from + count - 16, to + count - 16)) {
    done = count;
  }
  return done;
}

inline std::size_t FindLineStopByByte(const char* bytes, std::size_t count, std::size_t done) {
  for (; done < count; ++done) {
    const char c = bytes[done];
    if (c == '\n' || c == '\r' || c == 0x1A) break;
  }
  return done;
}

}  // namespace mif::ascii_run

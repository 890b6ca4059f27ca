// How many of something a file holds, and the 1-based line of the first:
// what a warning about the file says.
#pragma once

#include <cstdint>

namespace mif {

struct Tally {
  std::int64_t count = 0;
  std::int64_t firstLine = 0;  // 0 while there is none

  void Add(std::int64_t more, std::int64_t line) {
    if (more <= 0) return;
    if (count == 0) firstLine = line;
    count += more;
  }
  // Another file part's tally that comes before this one's lines.
  void AddBefore(const Tally& earlier) {
    if (earlier.count == 0) return;
    firstLine = earlier.firstLine;
    count += earlier.count;
  }
};

}  // namespace mif

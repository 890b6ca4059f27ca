// The next line of a file open for reading, through NextLine as the
// product reads; empty at the end of the text.
#pragma once

#include <string>
#include <string_view>

#include "file/TextLineFile.h"

namespace mif::testing {

inline std::string NextLineOf(TextLineFile& file) {
  std::string_view line;
  return file.NextLine(line) ? std::string(line) : std::string();
}

// Whether the text is at its end: NextLine gives nothing.
inline bool AtEnd(TextLineFile& file) {
  std::string_view line;
  return !file.NextLine(line);
}

}  // namespace mif::testing

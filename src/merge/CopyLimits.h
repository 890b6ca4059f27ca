// The sizes that bound what the merge holds at once, so that memory stays
// bounded whatever the input.
#pragma once

#include <cstddef>

namespace mif {

// Buffer of every file the merge opens: large reads and writes are what
// make it run near the speed of copying.
inline constexpr std::size_t kMergeBufferSize = 64 * 1024;
// The first pass reads headers alone, which are a few hundred bytes: a
// read of a whole merge buffer there would read most small sources twice.
inline constexpr std::size_t kHeaderBufferSize = 4 * 1024;
// Lines are read in pieces of this size at most; a longer line streams
// through piece by piece.
inline constexpr std::size_t kCopyPiece = 1024 * 1024;
// A line of a source taken as UTF-8 only when it is well-formed (--utf8)
// is converted up to this size; a longer one is copied unchanged.
inline constexpr std::size_t kMaxConvertedLine = 16 * 1024 * 1024;
// A row whose values move is held whole, up to this size.
inline constexpr std::size_t kMaxArrangedRow = 16 * 1024 * 1024;

}  // namespace mif

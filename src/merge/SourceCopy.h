// The copy of one source's objects and rows into an output pair: the lines
// as they are, or converted from UTF-8; every row with its layer value in
// front and its values in the output's columns; and the counts a reader
// pairs them up by. The check copies into outputs that keep nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "merge/LineCopy.h"
#include "merge/OutputSchema.h"

namespace mif {

class MergeContext;
class SourceReader;
class TextLineFile;

// Lines are read in pieces of this size at most, so memory stays bounded
// whatever the input; a longer line streams through piece by piece.
inline constexpr std::size_t kCopyPiece = 1024 * 1024;
// With conversion from UTF-8, a line up to this size is converted; a longer
// one is copied unchanged, streaming.
inline constexpr std::size_t kMaxConvertedLine = 16 * 1024 * 1024;
// A row whose values move is held whole, up to this size.
inline constexpr std::size_t kMaxArrangedRow = 16 * 1024 * 1024;

struct CopyResult {
  std::int64_t objects = 0;
  std::int64_t rows = 0;              // a quoted value over several lines in one row
  bool unfinishedObject = false;      // the .mif ends inside its last object
  std::int64_t unclosedQuoteRow = 0;  // 1-based row; 0 when every quote closes
  Replacements objectReplacements, rowReplacements;
};

// Copies the source's objects (`utf8` converts them; a source that declares
// UTF-8 is converted whole) and rows, as `layout` lays them out. Without a
// .mid (a source with no columns), writes one row of the layer value a
// object. The .mif's file is at its objects, with the header read.
CopyResult CopySource(SourceReader& source, const SourceLayout& layout, bool utf8,
                      TextLineFile& outMif, TextLineFile& outMid, MergeContext& context);

// What a copy found that a reader of the output would take differently:
// the first raised as EMergeError, or every one in Japanese.
void RefuseUnpaired(const CopyResult& result, const SourceReader& source);
std::vector<std::u16string> UnpairedProblems(const CopyResult& result, const SourceReader& source);

// The warnings of a copy: characters written as '?', per file.
std::vector<std::u16string> CopyWarnings(const CopyResult& result, const SourceReader& source);

// The .mid value of a layer name: quoted, with its quotes doubled.
std::string QuotedLayerValue(const std::string& layerName);

}  // namespace mif

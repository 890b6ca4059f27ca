// The merge of one source pair (.mif and .mid) into the output pair.
#pragma once

#include <cstddef>
#include <string>

#include "merge/MergeContext.h"
#include "merge/SourceEntry.h"

namespace mif {

// Buffer of every file the merge opens: large reads and writes are what
// make it run near the speed of copying.
inline constexpr std::size_t kMergeBufferSize = 64 * 1024;
// Lines are read in pieces of this size at most, so memory stays bounded
// whatever the input; a longer line streams through piece by piece.
inline constexpr std::size_t kCopyPiece = 1024 * 1024;
// With conversion from UTF-8, a line up to this size is converted; a longer
// one is copied unchanged, streaming.
inline constexpr std::size_t kMaxConvertedLine = 16 * 1024 * 1024;

// Index 0 creates the output pair, with the source's header and a LAYER
// column in front; any other index appends. Lines end at LF, CR LF or a
// lone CR and are written with CR LF. Object lines are copied byte for
// byte, or converted from UTF-8 to code page 932 with `utf8` or when the
// source declares Charset "UTF-8" (which converts its rows too); a line
// that is no well-formed UTF-8 is copied unchanged. Every .mid row gets the
// layer name and the first source's delimiter in front.
//
// Refused with EMergeError before anything is written: an unusable output
// name, an output that is a source, a header MergeContext::AcceptHeader
// refuses. A missing .mid is found before anything is written too. Refused
// after the copy: objects and rows that do not pair up, a quoted value that
// never closes. On any error the output pair is cut back to what it held
// before this source, and the files are closed.
void MergeSourcePair(int index, const SourceParts& source, bool utf8, const std::string& outputName,
                     MergeContext& context);
void MergeSourcePair(int index, const std::string& directory, const std::string& baseName,
                     bool utf8, const std::string& outputName, MergeContext& context);

// Raises EMergeError for an output name that names a folder, or whose file
// part, without its extension, is empty ("sub/", ".", "..", ".mif").
void RefuseUnusableOutputName(const std::string& outputName);

// Raises EMergeError for a source file that exists but is a folder, a pipe
// or a device: a pipe would wait for a writer for ever, and the others have
// no lines to merge. A missing file passes, for its open to report.
void RefuseSpecialSource(const std::string& name);

// The .mid value of a layer name: quoted, with its quotes doubled.
std::string QuotedLayerValue(const std::string& layerName);

}  // namespace mif

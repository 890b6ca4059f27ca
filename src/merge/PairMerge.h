// The merge of one source pair (.mif and .mid) into the output pair.
#pragma once

#include <string>

#include "merge/MergeContext.h"
#include "merge/SourceEntry.h"

namespace mif {

// Index 0 creates the output pair with the planned header (the first
// source's, with a LAYER column in front); any other index appends. Lines
// end at LF, CR LF or a lone CR and are written with CR LF. Object lines
// are copied byte for byte, or converted from UTF-8 to code page 932 with
// `utf8` or when the source declares Charset "UTF-8" (which converts its
// rows too); a line that is no well-formed UTF-8 is copied unchanged. Every
// .mid row gets the layer value and its values in the output's columns.
//
// The run plans the output before its first source (context.schema); a
// pair merged alone as index 0 plans it from itself. Refused with
// EMergeError before anything of the source is written: an unusable output
// name, an output that is a source, a header that does not fit the plan, a
// missing .mid. Refused after the copy: objects and rows that do not pair
// up, a quoted value that never closes. On any error the output pair is
// cut back to what it held before this source, and closed.
void MergeSourcePair(int index, const SourceParts& source, bool utf8, const std::string& outputName,
                     MergeContext& context);
void MergeSourcePair(int index, const std::string& directory, const std::string& baseName,
                     bool utf8, const std::string& outputName, MergeContext& context);

// Raises EMergeError for an output name that names a folder, whose file
// part without its extension is empty ("sub/", ".", "..", ".mif"), or
// whose folder does not exist.
void RefuseUnusableOutputName(const std::string& outputName);

// Everything the run refuses of an output name before it opens the pair:
// RefuseUnusableOutputName for the name and its .mif, and a .mif or .mid
// that is one of the sources protected in `context`.
void RefuseOutput(const std::string& outputName, const MergeContext& context);

}  // namespace mif

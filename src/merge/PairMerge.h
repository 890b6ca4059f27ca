// The merge of one source pair (.mif and .mid) into the output pair.
#pragma once

#include <cstddef>
#include <string>

#include "MergeContext.h"

namespace mif {

// Buffer of every file the merge opens: large reads and writes are what
// make it run near the speed of copying.
inline constexpr std::size_t kMergeBufferSize = 64 * 1024;

// Index 0 creates the output pair, with the source's header and a LAYER
// column in front; any other index appends. Object lines are copied byte
// for byte, or with `utf8` converted from UTF-8 to code page 932 (a line
// that is no well-formed UTF-8 is copied unchanged). Every .mid row gets
// the layer name and the first source's delimiter in front.
//
// Nothing is written for a source whose header has no DATA (EInOutError
// 100), whose column count differs from the first source's, or when an
// output would overwrite a source (EMergeError). On any error the files are
// closed and what was written stays in the output.
void MergeSourcePair(int index, const std::string& directory, const std::string& baseName,
                     bool utf8, const std::string& outputName, MergeContext& context);

// The .mid value of a layer name: quoted, with its quotes doubled.
std::string QuotedLayerValue(const std::string& layerName);

}  // namespace mif

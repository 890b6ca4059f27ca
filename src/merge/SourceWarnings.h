// What a source was merged with that its user should know, in Japanese, a
// text a warning, each ending with the file it is about.
#pragma once

#include <vector>

#include "merge/SourceReport.h"

namespace mif {

class SourceReader;
struct CopyResult;
struct SourceLayout;

// The warnings of a source once copied: characters written as '?' in its
// layer name and in each file, a layer taken from its own LAYER column,
// text that is no code page 932 where the output declares it.
std::vector<SourceWarning> SourceWarnings(const SourceReader& source, const SourceLayout& layout,
                                          const CopyResult& result);

}  // namespace mif

// What a source was merged with that its user should know, in Japanese, a
// text a warning, each ending with the file it is about.
#pragma once

#include <cstdint>
#include <string>
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

// The warning of a tile with `outside` objects outside its mesh `tile`,
// the first of them at `line` of its .mif, its first point outside in
// `found` (a code; empty off the codes' range).
SourceWarning OutsideMeshWarning(const std::string& tile, std::int64_t outside, std::int64_t line,
                                 const std::string& found, const std::string& mifName);
// The note of a source whose CoordSys is not longitude and latitude, whose
// points are not checked against its mesh.
std::u16string MeshNotCheckedNote(const std::string& mifName);

}  // namespace mif

// What the window says after a run that merged with warnings: one box,
// the count of each kind and the first few files of it, not a line a
// warning, since a tile set may bring thousands.
#pragma once

#include <string>
#include <vector>

#include "format/MeshCoverage.h"
#include "merge/SourceReport.h"

namespace mif {

// A warning as the window keeps it: its kind and the source it is about.
struct WarningNote {
  WarningKind kind;
  std::u16string file;  // the source's .mif, as shown
};

// How many files of a kind are named before "ほか N ファイル".
inline constexpr std::size_t kNamedFiles = 3;

// The box's text: a line saying the run went through with N warnings,
// then for each kind, in the order the kinds first came, what it means
// and its count, and its first files (each once) on lines of their own.
std::u16string WarningsText(const std::vector<WarningNote>& notes);

// The box after a run of mesh tiles: the tiles of each level, the layers,
// the holes, and the tiles outside their mesh and given twice, then the
// question whether to look at the picture.
std::u16string CoverageQuestionText(const MeshCoverage& coverage);

}  // namespace mif

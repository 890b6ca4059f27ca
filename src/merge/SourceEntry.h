// A source list entry: the source .mif's base name (no directory, no
// extension), ",", and its directory with the trailing delimiter:
// 12345__ABC,D:\work\out\ for D:\work\out\12345__ABC.mif.
#pragma once

#include <string>
#include <string_view>

#include "platform/PathDelimiters.h"

namespace mif {

// A source as the run is handed it: the directory with its trailing
// delimiter, the base name, and the .mif extension in the letter case the
// source was named with.
struct SourceParts {
  std::string baseName;
  std::string directory;
  std::string mifExtension = ".mif";
};

// The entry of a source .mif file name (narrow code page 932 text).
std::string MakeSourceEntry(std::string_view mifName,
                            std::string_view delimiters = PathDelimiters());
// The parts of a source file name: a name that ends in .mif in any letter
// case names that file; any other gets .mif after it, whole (roads.v2 is
// roads.v2.mif).
SourceParts MakeSourceParts(std::string_view mifName,
                            std::string_view delimiters = PathDelimiters());

// Splits at the last "," before the entry's first path delimiter, or at the
// last "," when it has none, so that a base name may hold a comma. Without
// a comma the whole entry is the base name and the directory is empty.
SourceParts SplitSourceEntry(std::string_view entry,
                             std::string_view delimiters = PathDelimiters());

struct SourcePairNames {
  std::string mif;
  std::string mid;
};

}  // namespace mif

// A source list entry: the source .mif's base name (no directory, no
// extension), ",", and its directory with the trailing delimiter:
// 12345__ABC,D:\work\out\ for D:\work\out\12345__ABC.mif.
#pragma once

#include <string>
#include <string_view>

#include "PathDelimiters.h"

namespace mif {

struct SourceParts {
  std::string baseName;
  std::string directory;
};

// The entry of a source .mif file name (narrow code page 932 text).
std::string MakeSourceEntry(std::string_view mifName,
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

// Directory + base name + ".mif" / ".mid". The base name keeps any dots of
// its own. Where the exact spelling is missing, a file whose extension
// differs only in case is taken (nodi.MID beside nodi.mif).
SourcePairNames SourcePairFileNames(std::string_view directory, std::string_view baseName);

}  // namespace mif

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
// The parts of a source .mif file name. An extension other than .mif in
// some letter case is dropped, as the entry drops it: x.txt names x.mif.
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

// Directory + base name + `mifExtension` and its .mid companion. The base
// name keeps any dots of its own. A name that exists is taken as it is;
// only where it is missing is a file whose extension differs in case taken
// (nodi.MID beside nodi.mif). The companion is looked for in the .mif's
// case first (X.MID beside X.MIF), then as .mid.
SourcePairNames SourcePairFileNames(std::string_view directory, std::string_view baseName,
                                    std::string_view mifExtension = ".mif");

}  // namespace mif

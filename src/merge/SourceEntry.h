// A source as the run is handed it, and as the window's list shows it: the
// source .mif's base name (no directory, no extension), ",", and its
// directory with the trailing delimiter: 12345__ABC,D:\work\out\ for
// D:\work\out\12345__ABC.mif. Names are paths (PathText.h).
#pragma once

#include <string>
#include <string_view>

#include "platform/PathDelimiters.h"

namespace mif {

// The directory with its trailing delimiter, the base name, and the .mif
// extension in the letter case the source was named with.
struct SourceParts {
  std::string baseName;
  std::string directory;
  std::string mifExtension = ".mif";
  bool operator==(const SourceParts&) const = default;
};

// The entry text of a source .mif's name.
std::string MakeSourceEntry(std::string_view mifName,
                            std::string_view delimiters = PathDelimiters());
// The parts of a source file name: a name that ends in .mif in any letter
// case names that file; any other gets .mif after it, whole (roads.v2 is
// roads.v2.mif).
SourceParts MakeSourceParts(std::string_view mifName,
                            std::string_view delimiters = PathDelimiters());

// The source's .mif: its directory, base name and extension (".mif" when
// none was kept).
std::string MifPath(const SourceParts& parts);

struct SourcePairNames {
  std::string mif;
  std::string mid;
};

}  // namespace mif

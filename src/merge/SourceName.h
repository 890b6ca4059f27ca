// What a source's file name gives its rows: the layer and tile values, in
// code page 932, and the layer as people read it, by which a per-layer run
// groups its sources.
#pragma once

#include <cstddef>
#include <string>

namespace mif {

struct SourceName {
  std::u16string layer;
  std::string layerValue;  // code page 932
  std::string tileValue;   // code page 932
  // Characters of each value that code page 932 lacks, written as '?'.
  std::size_t layerReplaced = 0;
  std::size_t tileReplaced = 0;
};

// The name parts of a base name (a path, PathText.h): DeriveNameParts on
// the name as people read it, each value then written in code page 932
// with the JIS spellings (〜 U+301C as 81 60).
SourceName NameOfSource(const std::string& baseName);

}  // namespace mif

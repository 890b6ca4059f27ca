// What a run tells of each source, and of its output: the check prints it
// all, the merge passes on the warnings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "merge/SourceEntry.h"

namespace mif {

struct SourceReport {
  SourcePairNames names;
  std::string layerName;  // code page 932
  bool ownLayer = false;  // the layer values are those of its own LAYER column
  int columnCount = -1;   // -1: none read
  std::string delimiter = "\t";
  std::string charset;
  // For each output column after LAYER, the name of the source's column
  // whose values go there, or empty for none; nothing when the output could
  // not be planned.
  std::vector<std::string> values;
  bool planned = false;
  std::int64_t objects = -1;             // -1: not counted (the .mif could not be read)
  std::int64_t rows = -1;                // -1: not counted (the .mid could not be read)
  std::vector<std::u16string> problems;  // Japanese, one a problem; the check's alone
  std::vector<std::u16string> warnings;  // Japanese: what merges, but with a loss
};

struct RunReport {
  std::vector<std::u16string> outputProblems;  // the check's, of the output name
  // The output's header as the run writes it; empty when the sources'
  // headers leave no output to plan.
  std::vector<std::string> outputHeader;
  int sources = 0;
  std::int64_t objects = 0;
  std::uint64_t bytes = 0;  // of sources read
};

}  // namespace mif

// A look at a source pair without merging it: what the merge would take
// from it, and what would stop or spoil the merge.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "merge/MergeContext.h"

namespace mif {

struct SourceReport {
  SourcePairNames names;
  std::string layerName;  // code page 932
  int columnCount = -1;   // -1: none read
  std::string delimiter = "\t";
  std::string charset;
  std::int64_t objects = -1;             // -1: not counted (the .mif could not be read)
  std::int64_t rows = -1;                // -1: not counted (the .mid could not be read)
  std::vector<std::u16string> problems;  // Japanese, one a problem
};

// Reads the source pair as the merge would, counting its objects and rows;
// writes nothing. `index` 0 sets the first source's facts in `context`, as
// the merge does.
SourceReport CheckSourcePair(int index, const SourceParts& source, const std::string& outputName,
                             MergeContext& context);

class MergeInputs;

// CheckSourcePair over the run that `inputs` describe, reading them as
// RunMerge does (without SourceStarting and the option), each report
// handed to `report` in order.
void CheckRun(MergeInputs& inputs,
              const std::function<void(int index, const SourceReport&)>& report);

}  // namespace mif

// A look at a source pair without merging it: what the merge would take
// from it, and what would stop or spoil the merge.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "MergeContext.h"

namespace mif {

struct SourceReport {
  SourcePairNames names;
  std::string layerName;  // code page 932
  int columnCount = -1;   // -1: none read
  char delimiter = '\t';
  std::string charset;
  std::vector<std::u16string> problems;  // Japanese, one a problem
};

// Reads the source's header and looks for its .mid; writes nothing.
// `index` 0 sets the first source's facts in `context`, as the merge does.
SourceReport CheckSourcePair(int index, const std::string& directory, const std::string& baseName,
                             const std::string& outputName, MergeContext& context);

class MergeInputs;

// CheckSourcePair over the run that `inputs` describe, reading them as
// RunMerge does (without SourceStarting and the option), each report
// handed to `report` in order.
void CheckRun(MergeInputs& inputs,
              const std::function<void(int index, const SourceReport&)>& report);

}  // namespace mif

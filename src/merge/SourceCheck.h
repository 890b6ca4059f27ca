// A look at a run without merging it: what the merge would take from each
// source, where each source's values would go, what would stop or spoil
// the merge, and the header the output would get. Writes nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "merge/SourceEntry.h"

namespace mif {

struct SourceReport {
  SourcePairNames names;
  std::string layerName;  // code page 932
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
  std::vector<std::u16string> problems;  // Japanese, one a problem
  std::vector<std::u16string> warnings;  // Japanese: what merges, but with a loss
};

struct RunReport {
  std::vector<std::u16string> outputProblems;  // of the output name
  // The output's header as the run would write it; empty when the sources'
  // headers leave no output to plan.
  std::vector<std::string> outputHeader;
};

class MergeInputs;

// Reads the run that `inputs` describe as RunMerge does (the count, the
// columns option, every source twice, the output name and the option once
// each; no SourceStarting), each source's report handed to `report` in
// order, the output's after them.
RunReport CheckRun(MergeInputs& inputs,
                   const std::function<void(int index, const SourceReport&)>& report);

}  // namespace mif

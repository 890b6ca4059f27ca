// The first pass of a run and what it gives: every source's header read
// and its .mid found, the sources given twice, each output's columns
// planned and its files decided (OutputPlan), before a byte is written. A
// refusal here leaves every file as it was.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "merge/Duplicates.h"
#include "merge/OutputGroup.h"
#include "merge/OutputTarget.h"
#include "merge/RunContext.h"
#include "merge/SourceTexts.h"
#include "merge/TileRecord.h"

namespace mif {

struct RunPlan {
  // A source's group: a per-layer run's groups come in the order their
  // layer first comes; -1 for a source in none.
  int GroupOf(int index) const {
    return groupOf.empty() ? 0 : groupOf[static_cast<std::size_t>(index)];
  }
  // The name of a group's output, as the plan decided it: the name given,
  // or per layer the layer's (LayerOutputName), with .mif.
  std::string OutputNameOf(const OutputGroup& group) const;
  bool Skipped(int index) const;
  // Taken out before the first pass came to it.
  bool WithdrawnEarly(int index) const;

  OutputGroups groups;
  std::vector<int> groupOf;  // a per-layer run's, a source each
  std::map<int, DuplicateReport> duplicates;
  std::vector<int> skipped;    // in list order
  std::vector<int> withdrawn;  // in the first pass, in list order
  // The first pass's problems (the check's: the merge's are raised) and
  // warnings, until their source's report.
  std::map<int, std::vector<std::u16string>> problems;
  std::map<int, std::vector<SourceWarning>> warnings;
  std::string outputName;  // as the inputs gave it for the plan
  bool perLayer = false;
  OutputNaming naming = OutputNaming::AddMif;
  bool intoFolder = false;  // per layer: the outputs go into `outputName`
  TileRecord tiles{false, 0};
};

// Raises the first refusal, placed, where the sink raises refusals.
RunPlan PlanRun(RunContext& run, SourceTexts& texts);

}  // namespace mif

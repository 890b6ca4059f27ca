// The merge run: every source of the list, in order, into one output pair;
// and the check, which is the same run writing to an output that keeps
// nothing.
#pragma once

#include "merge/MergeInputs.h"
#include "merge/MergeOptions.h"
#include "merge/SourceReport.h"

namespace mif {

// A first pass reads every source's header and finds its .mid, and plans
// the output from them; a refusal there leaves everything as it was. Then
// every source is merged in order into the output's temporary files, which
// take the output's place when the run ends. The first error ends the run
// and is raised, marked with its place (ErrorPlace) and what the output
// now holds: the sources before the failing one, whole, or, when none is,
// the previous output as it was.
RunReport RunMerge(MergeInputs& inputs, const MergeOptions& options = {});

// The run without its output: every source read and copied as the merge
// reads and copies it, into files that keep nothing, and every output
// decision made (the output's temporary files are made and removed again).
// Raises nothing of the sources' or the output's: each problem goes into
// its source's report or the run's, and the check goes on.
RunReport CheckRun(MergeInputs& inputs, const MergeOptions& options = {});

}  // namespace mif

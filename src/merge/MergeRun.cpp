#include "merge/MergeRun.h"

#include "merge/CheckSink.h"
#include "merge/PairSink.h"
#include "merge/RunExecution.h"
#include "merge/RunPlan.h"

namespace mif {

namespace {

// The plan, then its execution into `sink`; after an error, the outputs
// abandoned and what they hold set on it.
RunReport Run(MergeInputs& inputs, const MergeOptions& options, OutputSink& sink) {
  RunContext run(inputs, options, sink);
  SourceTexts texts(inputs, options, run.count);
  RunExecution execution(run, texts);
  try {
    execution.Execute(PlanRun(run, texts));
  } catch (ERunStopped& stop) {
    SetOutputState(stop, execution.Abandon(false));
    throw;
  } catch (Exception& error) {
    // An output that could not be put in place has told its state.
    if (OutputStateOf(error).empty()) SetOutputState(error, execution.Abandon(true));
    throw;
  } catch (...) {  // memory, or an error of the caller's
    execution.Abandon(true);
    throw;
  }
  return std::move(run.report);
}

}  // namespace

RunReport RunMerge(MergeInputs& inputs, const MergeOptions& options) {
  PairSink sink(options.makeDevice);
  return Run(inputs, options, sink);
}

RunReport CheckRun(MergeInputs& inputs, const MergeOptions& options) {
  CheckSink sink(options.makeDevice);
  return Run(inputs, options, sink);
}

}  // namespace mif

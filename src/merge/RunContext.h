// What both passes of a run share: its inputs and options, the sink it
// writes to, its tally, and how a problem at a source is met.
#pragma once

#include <string>
#include <vector>

#include "merge/MergeInputs.h"
#include "merge/MergeOptions.h"
#include "merge/OutputSink.h"
#include "merge/RunFacts.h"
#include "merge/SourceReport.h"

namespace mif {

struct RunContext {
  RunContext(MergeInputs& inputs, const MergeOptions& options, OutputSink& sink);

  // The source's parts from the inputs, whose failure (a list grown
  // shorter) is told at the source's place.
  SourceParts SourceOf(int index);
  ErrorPlace SourcePlace(int index, const SourceParts& parts) const;
  ErrorPlace OutputPlace(const std::string& outputName) const;

  // Runs `step` for source `index`; what it raises is placed (at the
  // output being written, where its file is one the sink writes) and
  // handed to the sink, which raises it again or notes it in `problems`.
  template <typename Step>
  void Attempt(int index, const SourceParts& parts, std::vector<std::u16string>& problems,
               const Step& step) {
    try {
      step();
    } catch (Exception& error) {
      SetPlace(error,
               sink.Writes(error.FileName()) ? OutputPlace(writing) : SourcePlace(index, parts));
      sink.Refuse(error, problems);
    }
  }

  MergeInputs& inputs;
  const MergeOptions& options;
  OutputSink& sink;
  const int count;  // the run's sources, asked once
  RunReport report;
  std::string writing;  // the name of the output being written
};

}  // namespace mif

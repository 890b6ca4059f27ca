#include "merge/RunContext.h"

namespace mif {

RunContext::RunContext(MergeInputs& inputs, const MergeOptions& options, OutputSink& sink)
    : inputs(inputs), options(options), sink(sink), count(inputs.SourceCount()) {
  report.sources = count;
}

SourceParts RunContext::SourceOf(int index) {
  try {
    return inputs.Source(index);
  } catch (Exception& error) {
    SetPlace(error, {ErrorPlace::Kind::Source, index, count, {}});
    throw;
  }
}

ErrorPlace RunContext::SourcePlace(int index, const SourceParts& parts) const {
  return {ErrorPlace::Kind::Source, index, count, MifPath(parts)};
}

ErrorPlace RunContext::OutputPlace(const std::string& outputName) const {
  return {ErrorPlace::Kind::Output, -1, count, outputName};
}

}  // namespace mif

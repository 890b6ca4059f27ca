#include "merge/MergeRun.h"

#include "merge/MergeContext.h"
#include "merge/PairMerge.h"
#include "merge/SourceReader.h"

namespace mif {

void PlanRun(MergeInputs& inputs, int count, MergeContext& context) {
  context.sourceCount = count;
  ColumnsMode mode = inputs.ColumnsOption();
  SchemaBuilder builder;
  for (int i = 0; i < count; ++i) {
    const SourceParts parts = inputs.Source(i);
    inputs.SourceExamining(i);
    ExamineSource(parts, i, context, builder);
  }
  if (mode == ColumnsMode::First && builder.ColumnProblem() &&
      inputs.MergeAllColumns(*builder.ColumnProblem())) {
    mode = ColumnsMode::Union;
  }
  if (count > 0) context.schema = builder.Plan(mode);
  context.planned = true;
}

void RunMerge(MergeInputs& inputs) {
  MergeContext context;
  RunMerge(inputs, context);
}

void RunMerge(MergeInputs& inputs, MergeContext& context) {
  const int count = inputs.SourceCount();
  context.progress = [&inputs](std::uint64_t total) { inputs.BytesMerged(total); };
  context.warning = [&inputs](const std::u16string& text) { inputs.Warning(text); };
  PlanRun(inputs, count, context);
  try {
    for (int i = 0; i < count; ++i) {
      const SourceParts parts = inputs.Source(i);
      inputs.SourceStarting(i);
      const std::string outputName = inputs.OutputName();
      const bool utf8 = inputs.Utf8Option();
      // The last source closes the pair: a close that fails undoes it.
      context.keepOutputOpen = i + 1 < count;
      MergeSourcePair(i, parts, utf8, outputName, context);
    }
  } catch (...) {
    context.output.Abandon();  // every source before was written out whole
    throw;
  }
}

}  // namespace mif

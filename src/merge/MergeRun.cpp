#include "merge/MergeRun.h"

#include "merge/MergeContext.h"
#include "merge/PairMerge.h"
#include "merge/SourceEntry.h"

namespace mif {

std::u16string SourcePlace(int index, int count) {
  const std::string place = std::to_string(index + 1) + "/" + std::to_string(count);
  return u"入力 " + std::u16string(place.begin(), place.end());
}

void ProtectRunSources(MergeInputs& inputs, int count, MergeContext& context) {
  for (int i = 0; i < count; ++i) {
    const SourceParts parts = inputs.Source(i);
    context.AddProtectedSource(
        SourcePairFileNames(parts.directory, parts.baseName, parts.mifExtension));
  }
}

void RunMerge(MergeInputs& inputs) {
  MergeContext context;
  RunMerge(inputs, context);
}

void RunMerge(MergeInputs& inputs, MergeContext& context) {
  const int count = inputs.SourceCount();
  context.progress = [&inputs](std::uint64_t total) { inputs.BytesMerged(total); };
  ProtectRunSources(inputs, count, context);
  for (int i = 0; i < count; ++i) {
    const SourceParts parts = inputs.Source(i);
    inputs.SourceStarting(i);
    const std::string outputName = inputs.OutputName();
    const bool utf8 = inputs.Utf8Option();
    MergeSourcePair(i, parts, utf8, outputName, context);
  }
}

}  // namespace mif

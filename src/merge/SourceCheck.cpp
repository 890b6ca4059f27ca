#include "SourceCheck.h"

#include "Cp932.h"
#include "FileName.h"
#include "FileSystem.h"
#include "LayerName.h"
#include "MergeError.h"
#include "MergeRun.h"
#include "MifHeader.h"
#include "PairMerge.h"
#include "TextLineFile.h"

namespace mif {

namespace {

void CheckHeader(int index, SourceReport& report, MergeContext& context) {
  try {
    TextLineFile source(report.names.mif, kMergeBufferSize);
    source.OpenForRead();
    const MifHeader header = ReadMifHeader(source);
    report.columnCount = header.columnCount;
    report.delimiter = header.delimiter;
    report.charset = header.charset;
    context.AcceptHeader(index, header, report.names.mif);
  } catch (const EMergeError& error) {
    report.problems.push_back(error.Message());
  } catch (const EInOutError& error) {
    report.problems.push_back(error.StatusCode() == 100 ? u"DATA 行がありません"
                                                        : error.Message() + u" (.mif)");
  }
}

}  // namespace

SourceReport CheckSourcePair(int index, const std::string& directory, const std::string& baseName,
                             const std::string& outputName, MergeContext& context) {
  SourceReport report;
  report.names = SourcePairFileNames(directory, baseName);
  report.layerName = DeriveLayerName(baseName);
  context.AddProtectedSource(report.names);
  try {
    context.RefuseOutputOverSource(ChangeFileExtension(outputName, ".mif"),
                                   ChangeFileExtension(outputName, ".mid"));
  } catch (const EMergeError& error) {
    report.problems.push_back(error.Message());
  }
  CheckHeader(index, report, context);
  if (!IdentifyFile(report.names.mid)) {
    report.problems.push_back(u".mid ファイルが見つかりません: " + DecodeCp932(report.names.mid));
  }
  return report;
}

void CheckRun(MergeInputs& inputs,
              const std::function<void(int index, const SourceReport&)>& report) {
  const int count = inputs.SourceCount();
  MergeContext context;
  ProtectRunSources(inputs, count, context);
  for (int i = 0; i < count; ++i) {
    const SourceParts parts = SplitSourceEntry(inputs.Entry(i));
    report(i, CheckSourcePair(i, parts.directory, parts.baseName, inputs.OutputName(), context));
  }
}

}  // namespace mif

#include "SourceCheck.h"

#include "Cp932.h"
#include "FileName.h"
#include "FileSystem.h"
#include "LayerName.h"
#include "MergeError.h"
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

}  // namespace mif

#include "merge/SourceCheck.h"

#include "file/FileName.h"
#include "file/InOutError.h"
#include "file/TextLineFile.h"
#include "merge/LayerName.h"
#include "merge/MergeError.h"
#include "merge/MergeRun.h"
#include "merge/MifHeader.h"
#include "merge/ObjectCount.h"
#include "merge/PairMerge.h"
#include "text/Cp932.h"

namespace mif {

namespace {

// Runs `step`, turning what it raises into a problem of the report.
template <typename Step>
bool Try(SourceReport& report, const Step& step) {
  try {
    step();
    return true;
  } catch (const Exception& error) {
    report.problems.push_back(DescribeError(error));
  }
  return false;
}

void CheckObjects(int index, SourceReport& report, MergeContext& context) {
  TextLineFile mif(report.names.mif, kMergeBufferSize);
  mif.SetLoneCrEndsLine(true);
  RefuseSpecialSource(report.names.mif);
  mif.OpenForRead();
  const MifHeader header = ReadMifHeader(mif);
  report.columnCount = header.columnCount;
  report.delimiter = header.delimiter;
  report.charset = header.charset;
  if (index > 0 && header.charset != context.firstCharset) {
    report.problems.push_back(u"Charset が最初の入力ファイル (" +
                              DecodeCp932(context.firstCharset) + u") と違います");
  }
  Try(report, [&] { context.AcceptHeader(index, header, report.names.mif); });
  ObjectCounter objects;
  std::string_view piece;
  bool last = true, first = true;
  while (mif.NextLinePiece(piece, last, kCopyPiece)) {
    if (first) objects.Line(piece);
    first = last;
  }
  mif.CloseFile();
  report.objects = objects.Count();
  if (objects.InsideObject()) {
    report.problems.push_back(UnfinishedObjectError(report.names.mif).Message());
  }
}

void CheckRows(SourceReport& report) {
  TextLineFile mid(report.names.mid, kMergeBufferSize);
  mid.SetLoneCrEndsLine(true);
  RefuseSpecialSource(report.names.mid);
  mid.OpenForRead();
  RowCounter rows;
  std::string_view piece;
  bool last = true;
  while (mid.NextLinePiece(piece, last, kCopyPiece)) rows.Take(piece, last);
  mid.CloseFile();
  report.rows = rows.Count();
  if (rows.InsideValue()) {
    report.problems.push_back(UnclosedQuoteError(report.names.mid, rows.OpenedAtRow()).Message());
  }
}

}  // namespace

SourceReport CheckSourcePair(int index, const SourceParts& source, const std::string& outputName,
                             MergeContext& context) {
  SourceReport report;
  report.names = SourcePairFileNames(source.directory, source.baseName, source.mifExtension);
  report.layerName = DeriveLayerName(source.baseName);
  context.AddProtectedSource(report.names);
  Try(report, [&] {
    if (outputName.empty()) return;
    RefuseUnusableOutputName(outputName);
    context.RefuseOutputOverSource(ChangeFileExtension(outputName, ".mif"),
                                   ChangeFileExtension(outputName, ".mid"));
  });
  Try(report, [&] { CheckObjects(index, report, context); });
  Try(report, [&] { CheckRows(report); });
  if (report.objects >= 0 && report.rows >= 0 && report.objects != report.rows) {
    report.problems.push_back(
        CountMismatchError(report.names.mif, report.objects, report.names.mid, report.rows)
            .Message());
  }
  return report;
}

void CheckRun(MergeInputs& inputs,
              const std::function<void(int index, const SourceReport&)>& report) {
  const int count = inputs.SourceCount();
  MergeContext context;
  ProtectRunSources(inputs, count, context);
  for (int i = 0; i < count; ++i) {
    report(i, CheckSourcePair(i, inputs.Source(i), inputs.OutputName(), context));
  }
}

}  // namespace mif

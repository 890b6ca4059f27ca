#include "merge/PairMerge.h"

#include "file/FileName.h"
#include "merge/MergeError.h"
#include "merge/OutputHeader.h"
#include "merge/SourceCopy.h"
#include "merge/SourceReader.h"
#include "platform/FileSystem.h"

namespace mif {

namespace {

// Opens the output pair for source `index`, unless it is open by this name.
void OpenOutput(int index, const std::string& outputName, MergeContext& context) {
  if (index > 0 && context.output.IsOpenAs(outputName)) return;
  RefuseOutput(outputName, context);
  context.output.Open(outputName, index == 0, context.makeDevice);
}

void Warn(const CopyResult& result, const SourceReader& source, MergeContext& context) {
  if (!context.warning) return;
  for (const std::u16string& text : CopyWarnings(result, source)) context.warning(text);
}

}  // namespace

void RefuseUnusableOutputName(const std::string& outputName) {
  const std::string name = ExtractNamePart(outputName);
  if (name == "." || name == ".." || ChangeFileExtension(name, "").empty() ||
      IsDirectory(outputName)) {
    throw OutputNameError(outputName);
  }
  const std::string folder = ExtractDirectoryPart(outputName);
  if (!folder.empty() && !IsDirectory(folder)) throw OutputFolderError(outputName);
}

void RefuseOutput(const std::string& outputName, const MergeContext& context) {
  const std::string outputMif = ChangeFileExtension(outputName, ".mif");
  RefuseUnusableOutputName(outputName);
  RefuseUnusableOutputName(outputMif);
  context.RefuseOutputOverSource(outputMif, ChangeFileExtension(outputName, ".mid"));
}

void MergeSourcePair(int index, const SourceParts& source, bool utf8, const std::string& outputName,
                     MergeContext& context) {
  SourceReader reader(source, index, context);
  const MifHeader& header = reader.OpenHeader();
  if (index == 0 && !context.planned) {
    SchemaBuilder alone;
    alone.Add(header, reader.Names().mif, reader.LayerName());
    context.schema = alone.Plan(ColumnsMode::First);
  }
  if (!context.schema) throw EMergeError(u"最初の入力ファイルより前に結合は始められません");
  const SourceLayout layout =
      FitSource(*context.schema, header, reader.Names().mif, reader.LayerName());
  reader.OpenMid();
  OpenOutput(index, outputName, context);
  OutputPair& output = context.output;
  output.Mark();
  CopyResult result;
  try {
    if (index == 0) {
      for (const std::string& line : OutputHeaderLines(*context.schema)) {
        output.Mif().WriteLine(line);
      }
    }
    result = CopySource(reader, layout, utf8, output.Mif(), output.Mid(), context);
    RefuseUnpaired(result, reader);
    output.Flush();
    if (!context.keepOutputOpen) output.Close();
  } catch (...) {
    output.CutBack();
    throw;
  }
  Warn(result, reader, context);
}

void MergeSourcePair(int index, const std::string& directory, const std::string& baseName,
                     bool utf8, const std::string& outputName, MergeContext& context) {
  MergeSourcePair(index, SourceParts{baseName, directory}, utf8, outputName, context);
}

}  // namespace mif

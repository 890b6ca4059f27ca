#include "PairMerge.h"

#include <algorithm>

#include "FileName.h"
#include "LayerName.h"
#include "MifHeader.h"
#include "TextLineFile.h"
#include "Utf8ToCp932.h"

namespace mif {

namespace {

constexpr std::uint64_t kBytesPerProgress = 1 << 20;

void OpenOutput(TextLineFile& output, int index) {
  if (index == 0) {
    output.CreateForWrite();
  } else {
    output.OpenForAppend();
  }
}

class ProgressMeter {
 public:
  ProgressMeter(MergeContext& context, const TextLineFile& source)
      : context_(context), source_(source) {}
  void Step() {
    const std::uint64_t read = source_.BytesRead();
    if (read - reported_ >= kBytesPerProgress && context_.progress) {
      reported_ = read;
      context_.progress(context_.bytesDone + read);
    }
  }
  void Done() {
    context_.bytesDone += source_.BytesRead();
    if (context_.progress) context_.progress(context_.bytesDone);
  }

 private:
  MergeContext& context_;
  const TextLineFile& source_;
  std::uint64_t reported_ = 0;
};

void MergeObjects(int index, const std::string& sourceName, const std::string& outputName,
                  bool utf8, MergeContext& context) {
  TextLineFile source(sourceName, kMergeBufferSize);
  source.OpenForRead();
  // The whole header is read before the output is touched, so a source
  // that is refused leaves the output as it was.
  const MifHeader header = ReadMifHeader(source);
  context.AcceptHeader(index, header, sourceName);
  TextLineFile output(outputName, kMergeBufferSize);
  OpenOutput(output, index);
  if (index == 0) {
    for (const std::string& line : HeaderWithLayerColumn(header)) output.WriteLine(line);
  }
  ProgressMeter meter(context, source);
  std::string_view line;
  std::string converted;
  for (;;) {
    if (!utf8) {
      source.CopyBufferedLines(output);  // most lines, a buffer at a time
      meter.Step();
    }
    if (!source.NextLine(line)) break;
    if (utf8 && TranscodeUtf8ToCp932(line, converted)) {
      output.WriteLine(converted);
    } else {
      output.WriteLine(line);
    }
    meter.Step();
  }
  source.CloseFile();
  output.CloseFile();
  meter.Done();
}

// A row whose quoted value holds a line break goes on over the next lines;
// the parity of its quotes tells ("" inside quotes counts twice). No code
// page 932 trail byte is a quote, so the bytes can be counted as they are.
bool QuotesAreOdd(std::string_view line) {
  return std::count(line.begin(), line.end(), '"') % 2 == 1;
}

void MergeRows(int index, const std::string& sourceName, const std::string& outputName,
               const std::string& prefix, MergeContext& context) {
  TextLineFile source(sourceName, kMergeBufferSize);
  source.OpenForRead();
  TextLineFile output(outputName, kMergeBufferSize);
  OpenOutput(output, index);
  ProgressMeter meter(context, source);
  std::string_view line;
  bool insideValue = false;
  while (source.NextLine(line)) {
    output.WriteLine(insideValue ? std::string_view() : std::string_view(prefix), line);
    if (QuotesAreOdd(line)) insideValue = !insideValue;
    meter.Step();
  }
  source.CloseFile();
  output.CloseFile();
  meter.Done();
}

}  // namespace

std::string QuotedLayerValue(const std::string& layerName) {
  std::string value = "\"";
  for (const char c : layerName) value.append(c == '"' ? 2 : 1, c);
  return value + "\"";
}

void MergeSourcePair(int index, const std::string& directory, const std::string& baseName,
                     bool utf8, const std::string& outputName, MergeContext& context) {
  const std::string layerValue = QuotedLayerValue(DeriveLayerName(baseName));
  const SourcePairNames source = SourcePairFileNames(directory, baseName);
  const std::string outputMif = ChangeFileExtension(outputName, ".mif");
  const std::string outputMid = ChangeFileExtension(outputName, ".mid");
  context.AddProtectedSource(source);  // a pair merged alone protects itself too
  context.RefuseOutputOverSource(outputMif, outputMid);
  MergeObjects(index, source.mif, outputMif, utf8, context);
  MergeRows(index, source.mid, outputMid, layerValue + context.delimiter, context);
}

}  // namespace mif

#include "merge/PairMerge.h"

#include "file/FileName.h"
#include "file/TextLineFile.h"
#include "merge/LayerName.h"
#include "merge/MergeError.h"
#include "merge/MifHeader.h"
#include "merge/ObjectCount.h"
#include "platform/FileSystem.h"
#include "text/Utf8ToCp932.h"

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

// One piece of a line read, written as it is or converted from UTF-8 when
// it is a whole line; `prefix` goes in front of a line's first piece.
class LineWriter {
 public:
  LineWriter(TextLineFile& output, bool convert) : output_(output), convert_(convert) {}
  void Write(std::string_view prefix, std::string_view piece, bool first, bool last) {
    if (first && last && convert_) {
      if (const auto length = TranscodeUtf8ToCp932Into(piece, converted_)) {
        piece = std::string_view(converted_).substr(0, *length);
      }
    }
    if (last) {
      output_.WriteLine(prefix, piece);
      return;
    }
    if (!prefix.empty()) output_.WritePiece(prefix);
    output_.WritePiece(piece);
  }

 private:
  TextLineFile& output_;
  bool convert_;
  std::string converted_;
};

ObjectCounter CopyObjects(TextLineFile& source, TextLineFile& output, bool convert,
                          MergeContext& context) {
  ProgressMeter meter(context, source);
  ObjectCounter objects;
  LineWriter writer(output, convert);
  const std::size_t limit = convert ? kMaxConvertedLine : kCopyPiece;
  std::string_view piece;
  bool last = true;
  bool first = true;
  for (;;) {
    // Most lines a buffer at a time; converting, the ASCII ones, which
    // UTF-8 and code page 932 write alike.
    source.CopyBufferedLines(output, &objects, convert);
    meter.Step();
    if (!source.NextLinePiece(piece, last, limit)) break;
    if (first) objects.Line(piece);
    writer.Write({}, piece, first, last);
    first = last;
    meter.Step();
  }
  meter.Done();
  return objects;
}

RowCounter CopyRows(TextLineFile& source, TextLineFile& output, const std::string& prefix,
                    bool convert, MergeContext& context) {
  ProgressMeter meter(context, source);
  RowCounter rows;
  LineWriter writer(output, convert);
  const std::size_t limit = convert ? kMaxConvertedLine : kCopyPiece;
  std::string_view piece;
  bool last = true;
  bool first = true;
  while (source.NextLinePiece(piece, last, limit)) {
    const bool rowStart = rows.AtRowStart();
    rows.Take(piece, last);
    writer.Write(rowStart ? std::string_view(prefix) : std::string_view(), piece, first, last);
    first = last;
    meter.Step();
  }
  meter.Done();
  return rows;
}

// The source's header, objects and rows into the open outputs; closes all
// four files.
void CopyPair(int index, TextLineFile& mif, TextLineFile& mid, const MifHeader& header,
              const std::string& layerValue, bool utf8, TextLineFile& outMif, TextLineFile& outMid,
              MergeContext& context) {
  const bool sourceUtf8 = DeclaresUtf8(header);
  if (index == 0) {
    for (const std::string& line : HeaderWithLayerColumn(header)) outMif.WriteLine(line);
  }
  const ObjectCounter objects = CopyObjects(mif, outMif, utf8 || sourceUtf8, context);
  mif.CloseFile();  // gives its line memory back before the rows take theirs
  if (objects.InsideObject()) throw UnfinishedObjectError(mif.Name());
  const RowCounter rows =
      CopyRows(mid, outMid, layerValue + context.delimiter, sourceUtf8, context);
  if (rows.InsideValue()) throw UnclosedQuoteError(mid.Name(), rows.OpenedAtRow());
  if (objects.Count() != rows.Count())
    throw CountMismatchError(mif.Name(), objects.Count(), mid.Name(), rows.Count());
  mid.CloseFile();
  outMif.CloseFile();
  outMid.CloseFile();
}

// Cuts each output that was opened back to its size before this source.
// A cut that fails is reported with the error that stopped the source.
void CutBack(TextLineFile& outMif, bool mifOpened, TextLineFile& outMid, bool midOpened) {
  const std::u16string errorText = CurrentErrorText();
  for (auto [output, opened] : {std::pair{&outMif, mifOpened}, std::pair{&outMid, midOpened}}) {
    if (!opened) continue;
    try {
      output->CutTo(output->SizeAtOpen());
    } catch (...) {
      throw CutBackError(errorText, output->Name(), CurrentErrorText());
    }
  }
}

}  // namespace

void RefuseSpecialSource(const std::string& name) {
  if (IsSpecialFile(name)) throw SpecialSourceError(name);
}

void RefuseUnusableOutputName(const std::string& outputName) {
  const std::string name = ExtractNamePart(outputName);
  if (name == "." || name == ".." || ChangeFileExtension(name, "").empty() ||
      IsDirectory(outputName)) {
    throw OutputNameError(outputName);
  }
}

std::string QuotedLayerValue(const std::string& layerName) {
  std::string value = "\"";
  for (const char c : layerName) value.append(c == '"' ? 2 : 1, c);
  return value + "\"";
}

void MergeSourcePair(int index, const SourceParts& source, bool utf8, const std::string& outputName,
                     MergeContext& context) {
  const std::string layerValue = QuotedLayerValue(DeriveLayerName(source.baseName));
  const SourcePairNames names =
      SourcePairFileNames(source.directory, source.baseName, source.mifExtension);
  const std::string outputMif = ChangeFileExtension(outputName, ".mif");
  const std::string outputMid = ChangeFileExtension(outputName, ".mid");
  RefuseUnusableOutputName(outputName);
  RefuseUnusableOutputName(outputMif);
  context.AddProtectedSource(names);  // a pair merged alone protects itself too
  context.RefuseOutputOverSource(outputMif, outputMid);

  TextLineFile mif(names.mif, kMergeBufferSize, context.makeDevice());
  TextLineFile mid(names.mid, kMergeBufferSize, context.makeDevice());
  mif.SetLoneCrEndsLine(true);
  mid.SetLoneCrEndsLine(true);
  RefuseSpecialSource(names.mif);
  mif.OpenForRead();
  // The whole header is read before any output is touched, so a source
  // that is refused leaves the output as it was.
  const MifHeader header = ReadMifHeader(mif);
  context.AcceptHeader(index, header, names.mif);
  RefuseSpecialSource(names.mid);
  mid.OpenForRead();

  TextLineFile outMif(outputMif, kMergeBufferSize, context.makeDevice());
  TextLineFile outMid(outputMid, kMergeBufferSize, context.makeDevice());
  bool midOpened = false;
  OpenOutput(outMif, index);
  try {
    OpenOutput(outMid, index);
    midOpened = true;
    CopyPair(index, mif, mid, header, layerValue, utf8, outMif, outMid, context);
  } catch (...) {
    CutBack(outMif, true, outMid, midOpened);
    throw;
  }
}

void MergeSourcePair(int index, const std::string& directory, const std::string& baseName,
                     bool utf8, const std::string& outputName, MergeContext& context) {
  MergeSourcePair(index, SourceParts{baseName, directory}, utf8, outputName, context);
}

}  // namespace mif

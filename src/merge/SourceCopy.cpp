#include "merge/SourceCopy.h"

#include "file/TextLineFile.h"
#include "merge/MergeContext.h"
#include "merge/MergeError.h"
#include "merge/ObjectCount.h"
#include "merge/RowArranger.h"
#include "merge/SourceReader.h"

namespace mif {

namespace {

// Writes a line piece by piece: `prefix` before its first piece, the line
// break after its last.
void WritePiece(TextLineFile& output, std::string_view prefix, std::string_view piece, bool last) {
  if (last) {
    output.WriteLine(prefix, piece);
    return;
  }
  if (!prefix.empty()) output.WritePiece(prefix);
  output.WritePiece(piece);
}

void CopyObjects(TextLineFile& source, TextLineFile& output, bool convert, std::int64_t headerLines,
                 MergeContext& context, CopyResult& result) {
  ProgressMeter meter(context, source);
  ObjectCounter objects;
  LineConverter converter(convert);
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
    piece = converter.Convert(piece, first && last, headerLines + objects.Lines());
    WritePiece(output, {}, piece, last);
    first = last;
    meter.Step();
  }
  meter.Done();
  result.objects = objects.Count();
  result.unfinishedObject = objects.InsideObject();
  result.objectReplacements = converter.Replaced();
}

// Rows whose values stay in their places: the layer value in front, unless
// the source brings its own.
void CopyRowsInPlace(TextLineFile& source, TextLineFile& output, const std::string& prefix,
                     LineConverter& converter, RowCounter& rows, ProgressMeter& meter) {
  const std::size_t limit = converter.Converts() ? kMaxConvertedLine : kCopyPiece;
  std::string_view piece;
  bool last = true;
  bool first = true;
  while (source.NextLinePiece(piece, last, limit)) {
    const bool rowStart = rows.AtRowStart();
    const std::int64_t line = rows.Lines() + 1;
    rows.Take(piece, last);
    piece = converter.Convert(piece, first && last, line);
    WritePiece(output, rowStart ? std::string_view(prefix) : std::string_view(), piece, last);
    first = last;
    meter.Step();
  }
}

// Rows whose values move: each held whole, then laid out.
void CopyRowsArranged(TextLineFile& source, TextLineFile& output, RowArranger& arranger,
                      LineConverter& converter, RowCounter& rows, ProgressMeter& meter) {
  const std::size_t limit = converter.Converts() ? kMaxConvertedLine : kCopyPiece;
  std::string row;
  std::string_view piece;
  bool last = true;
  bool first = true;
  while (source.NextLinePiece(piece, last, limit)) {
    const std::int64_t line = rows.Lines() + 1;
    rows.Take(piece, last);
    piece = converter.Convert(piece, first && last, line);
    if (row.size() + piece.size() > kMaxArrangedRow)
      throw RowTooLongError(source.Name(), rows.Count());
    row.append(piece);
    if (last && rows.AtRowStart()) {
      output.WriteLine(arranger.Arrange(row));
      row.clear();
    } else if (last) {
      row.append("\r\n");  // a quoted value goes on
    }
    first = last;
    meter.Step();
  }
}

void CopyRows(SourceReader& reader, const SourceLayout& layout, bool convert, TextLineFile& output,
              MergeContext& context, CopyResult& result) {
  const std::string layerValue = QuotedLayerValue(reader.LayerName());
  const char delimiter = reader.Header().delimiter.front();
  RowArranger arranger(layout, layerValue, delimiter);
  if (!reader.HasMid()) {
    for (std::int64_t i = 0; i < result.objects; ++i) output.WriteLine(arranger.EmptyRow());
    result.rows = result.objects;
    return;
  }
  TextLineFile& source = reader.Mid();
  ProgressMeter meter(context, source);
  LineConverter converter(convert);
  RowCounter rows;
  if (layout.inPlace) {
    const std::string prefix = layout.ownLayer ? std::string() : layerValue + delimiter;
    CopyRowsInPlace(source, output, prefix, converter, rows, meter);
  } else {
    CopyRowsArranged(source, output, arranger, converter, rows, meter);
  }
  meter.Done();
  result.rows = rows.Count();
  if (rows.InsideValue()) result.unclosedQuoteRow = rows.OpenedAtRow();
  result.rowReplacements = converter.Replaced();
}

}  // namespace

CopyResult CopySource(SourceReader& source, const SourceLayout& layout, bool utf8,
                      TextLineFile& outMif, TextLineFile& outMid, MergeContext& context) {
  CopyResult result;
  const MifHeader& header = source.Header();
  CopyObjects(source.Mif(), outMif, utf8 || header.utf8,
              static_cast<std::int64_t>(header.lines.size()), context, result);
  source.CloseMif();  // gives its line memory back before the rows take theirs
  CopyRows(source, layout, header.utf8, outMid, context, result);
  if (source.HasMid()) source.Mid().CloseFile();
  return result;
}

std::vector<std::u16string> UnpairedProblems(const CopyResult& result, const SourceReader& source) {
  const SourcePairNames names = source.Names();
  std::vector<std::u16string> problems;
  if (result.unfinishedObject) problems.push_back(UnfinishedObjectError(names.mif).Message());
  if (result.unclosedQuoteRow > 0) {
    problems.push_back(UnclosedQuoteError(names.mid, result.unclosedQuoteRow).Message());
  } else if (result.objects != result.rows) {
    problems.push_back(
        CountMismatchError(names.mif, result.objects, names.mid, result.rows).Message());
  }
  return problems;
}

void RefuseUnpaired(const CopyResult& result, const SourceReader& source) {
  const std::vector<std::u16string> problems = UnpairedProblems(result, source);
  if (!problems.empty()) throw EMergeError(problems.front());
}

std::vector<std::u16string> CopyWarnings(const CopyResult& result, const SourceReader& source) {
  const SourcePairNames names = source.Names();
  std::vector<std::u16string> warnings;
  for (const auto& [replaced, name] : {std::pair{result.objectReplacements, names.mif},
                                       std::pair{result.rowReplacements, names.mid}}) {
    if (replaced.count > 0) {
      warnings.push_back(ReplacedCharactersText(name, replaced.count, replaced.firstLine));
    }
  }
  return warnings;
}

std::string QuotedLayerValue(const std::string& layerName) {
  std::string value = "\"";
  for (const char c : layerName) value.append(c == '"' ? 2 : 1, c);
  return value + "\"";
}

}  // namespace mif

#include "merge/SourceCopy.h"

#include "file/TextLineFile.h"
#include "format/ObjectCount.h"
#include "format/ObjectPoints.h"
#include "merge/CopyLimits.h"
#include "merge/MergeError.h"
#include "merge/RowArranger.h"
#include "merge/SourceReader.h"
#include "text/AsciiRun.h"

namespace mif {

namespace {

// Counts the object lines, and reads their points where asked to.
class ObjectLines final : public LineObserver {
 public:
  explicit ObjectLines(LineObserver* points) : points_(points) {}
  void Line(std::string_view line) override {
    counter.Line(line);
    if (points_ != nullptr) points_->Line(line);
  }
  void CrLfLines(std::string_view lines) override {
    counter.CrLfLines(lines);
    if (points_ != nullptr) points_->CrLfLines(lines);
  }

  ObjectCounter counter;

 private:
  LineObserver* const points_;
};

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

TextMode ObjectTextMode(const MifHeader& header, const SourceLayout& layout,
                        const CopyRequest& request) {
  if (header.utf8) return request.utf8Trial ? TextMode::Utf8Trial : TextMode::Utf8;
  const bool utf8 = request.utf8;
  if (utf8) return TextMode::Utf8IfWellFormed;
  return layout.checkCp932 ? TextMode::CheckCp932 : TextMode::Copy;
}

TextMode RowTextMode(const MifHeader& header, const SourceLayout& layout,
                     const CopyRequest& request) {
  if (header.utf8) return request.utf8Trial ? TextMode::Utf8Trial : TextMode::Utf8;
  return layout.checkCp932 ? TextMode::CheckCp932 : TextMode::Copy;
}

void CopyObjects(SourceReader& reader, TextLineFile& output, TextMode mode,
                 const CopyRequest& request, CopyResult& result) {
  TextLineFile& source = reader.Mif();
  const auto headerLines = static_cast<std::int64_t>(reader.Header().lines.size());
  ProgressMeter meter(request.progress, source);
  ObjectLines observer(request.points);
  ObjectCounter& objects = observer.counter;
  LineFilter filter(mode);
  std::string_view piece;
  bool last = true;
  bool first = true;
  for (;;) {
    // Most lines a buffer at a time: converted whole from UTF-8, or copied
    // (filtering, the ASCII ones, which every mode writes as they are).
    if (first && filter.ConvertsBlocks()) {
      const std::string_view lines = source.TakeCrLfLines();
      if (!lines.empty()) {
        const std::string_view converted =
            filter.FilterLines(lines, headerLines + objects.Lines() + 1);
        observer.CrLfLines(converted);
        output.WritePiece(converted);
        meter.Step();
        continue;
      }
    } else if (source.CopyBufferedLines(output, &observer, filter.SeesText())) {
      meter.Step();
      continue;
    }
    if (!source.NextLinePiece(piece, last, filter.PieceLimit())) break;
    if (first) observer.Line(piece);
    piece = filter.Filter(piece, first, last, headerLines + objects.Lines());
    WritePiece(output, {}, piece, last);
    first = last;
    meter.Step();
  }
  meter.Done();
  if (source.TextAfterCtrlZ()) result.mifCtrlZAfterLine = headerLines + objects.Lines();
  result.objects = objects.Count();
  result.unfinishedObject = objects.InsideObject();
  result.objectNotes = filter.Notes();
  result.objectNotes.unmapped.AddBefore(reader.Header().unmapped);
  result.objectNotes.malformed.AddBefore(reader.Header().malformed);
}

// Writes rows as they come, holding back empty lines at a row's start
// until a row follows them: those past the rows the objects need are the
// file's trailing blank lines, which readers skip.
class RowWriter {
 public:
  RowWriter(const std::string& sourceName, TextLineFile& output, const SourceLayout& layout,
            const CopyRequest& request, std::int64_t objects)
      : sourceName_(sourceName),
        output_(output),
        layout_(layout),
        arranger_(layout, request.layerValue, request.tileValue, request.delimiter),
        objects_(objects) {
    if (layout.own == 0) {
      prefix_ = request.layerValue + request.delimiter;
      if (layout.tile) prefix_ += request.tileValue + request.delimiter;
    }
  }

  // A piece of a line: `first` and `last` tell where it stands in it.
  void Take(std::string_view piece, bool first, bool last) {
    const bool rowStart = first && rows_.AtRowStart();
    if (rowStart && last && piece.empty()) {
      ++heldEmpty_;
      return;
    }
    if (rowStart) WriteHeld(heldEmpty_);
    rows_.Take(piece, last);
    if (layout_.inPlace) {
      WritePiece(output_, rowStart ? std::string_view(prefix_) : std::string_view(), piece, last);
    } else {
      Arrange(piece, last);
    }
  }

  // Whole lines, each ended by CR LF, as Take would take them one by one.
  // Gives how many.
  std::int64_t TakeCrLfLines(std::string_view lines) {
    std::int64_t count = 0;
    ForEachCrLfLine(lines, [&](std::string_view line) {
      Take(line, true, true);
      ++count;
    });
    return count;
  }

  // The held empty lines the objects still need are rows; the rest are not.
  void Finish(CopyResult& result) {
    const std::int64_t needed = std::max<std::int64_t>(0, objects_ - rows_.Count());
    const std::int64_t rows = std::min(heldEmpty_, needed);
    WriteHeld(rows);
    result.droppedEmptyLines = heldEmpty_;
    result.rows = rows_.Count();
    if (rows_.InsideValue()) result.unclosedQuoteRow = rows_.OpenedAtRow();
  }

 private:
  void WriteHeld(std::int64_t count) {
    for (; count > 0; --count, --heldEmpty_) {
      rows_.Take({}, true);
      output_.WriteLine(layout_.inPlace ? std::string_view(prefix_) : arranger_.Arrange({}));
    }
  }

  // Rows whose values move: each held whole, then laid out.
  void Arrange(std::string_view piece, bool last) {
    if (row_.size() + piece.size() > kMaxArrangedRow) {
      throw RowTooLongError(sourceName_, rows_.Count());
    }
    row_.append(piece);
    if (last && rows_.AtRowStart()) {
      output_.WriteLine(arranger_.Arrange(row_));
      row_.clear();
    } else if (last) {
      row_.append("\r\n");  // a quoted value goes on
    }
  }

  const std::string& sourceName_;
  TextLineFile& output_;
  const SourceLayout& layout_;
  RowArranger arranger_;
  std::string prefix_;
  std::string row_;
  RowCounter rows_;
  std::int64_t objects_;
  std::int64_t heldEmpty_ = 0;
};

void CopyRows(SourceReader& reader, const SourceLayout& layout, const CopyRequest& request,
              const ProgressCallback& progress, TextLineFile& output, CopyResult& result) {
  if (layout.noColumns) {
    RowArranger arranger(layout, request.layerValue, request.tileValue, request.delimiter);
    for (std::int64_t i = 0; i < result.objects; ++i) output.WriteLine(arranger.EmptyRow());
    result.rows = result.objects;
    return;
  }
  reader.OpenMid();
  TextLineFile& source = reader.Mid();
  ProgressMeter meter(progress, source);
  LineFilter filter(RowTextMode(reader.Header(), layout, request));
  RowWriter rows(source.Name(), output, layout, request, result.objects);
  std::string_view piece;
  bool last = true;
  bool first = true;
  std::int64_t line = 1;
  for (;;) {
    // Most rows a buffer at a time; filtering, the ASCII ones, which every
    // mode writes as they are.
    if (first) {
      const bool convert = filter.ConvertsBlocks();
      std::string_view lines = source.TakeCrLfLines(filter.SeesText() && !convert);
      if (!lines.empty()) {
        if (convert) lines = filter.FilterLines(lines, line);
        line += rows.TakeCrLfLines(lines);
        meter.Step();
        continue;
      }
    }
    if (!source.NextLinePiece(piece, last, filter.PieceLimit())) break;
    rows.Take(filter.Filter(piece, first, last, line), first, last);
    if (last) ++line;
    first = last;
    meter.Step();
  }
  meter.Done();
  if (source.TextAfterCtrlZ()) result.midCtrlZAfterLine = line - 1;
  result.bytesRead += source.BytesRead();
  source.CloseFile();
  rows.Finish(result);
  result.rowNotes = filter.Notes();
}

}  // namespace

CopyResult CopySource(SourceReader& source, const SourceLayout& layout, const CopyRequest& request,
                      TextLineFile& outMif, TextLineFile& outMid) {
  CopyResult result;
  CopyObjects(source, outMif, ObjectTextMode(source.Header(), layout, request), request, result);
  result.bytesRead = source.Mif().BytesRead();
  source.CloseMif();  // gives its line memory back before the rows take theirs
  const ProgressCallback rowsProgress = [&](std::uint64_t bytes) {
    if (request.progress) request.progress(result.bytesRead + bytes);
  };
  CopyRows(source, layout, request, rowsProgress, outMid, result);
  return result;
}

std::vector<std::u16string> UnpairedProblems(const CopyResult& result, const SourceReader& source) {
  const SourcePairNames names = source.Names();
  std::vector<std::u16string> problems;
  // Text a reader takes that the copy did not: the counts that follow
  // from it would only mislead.
  if (result.mifCtrlZAfterLine >= 0) {
    problems.push_back(TextAfterCtrlZError(names.mif, result.mifCtrlZAfterLine).Message());
  }
  if (result.midCtrlZAfterLine >= 0) {
    problems.push_back(TextAfterCtrlZError(names.mid, result.midCtrlZAfterLine).Message());
  }
  if (!problems.empty()) return problems;
  if (result.unfinishedObject) problems.push_back(UnfinishedObjectError(names.mif).Message());
  if (result.unclosedQuoteRow > 0) {
    problems.push_back(UnclosedQuoteError(names.mid, result.unclosedQuoteRow).Message());
  } else if (result.objects != result.rows) {
    problems.push_back(
        CountMismatchError(names.mif, result.objects, names.mid, result.rows).Message());
  }
  return problems;
}

}  // namespace mif

// What the copy of a source's lines shares between objects and rows: the
// progress told to the run, and the text filter each line passes through
// with what it noted of the file's text.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "format/Tally.h"
#include "text/Utf8ToCp932.h"

namespace mif {

class TextLineFile;

// Told the bytes of the current file read so far.
using ProgressCallback = std::function<void(std::uint64_t fileBytes)>;

// Tells the progress every MiB read, and when the file is done.
class ProgressMeter {
 public:
  ProgressMeter(const ProgressCallback& progress, const TextLineFile& source)
      : progress_(progress), source_(source) {}
  void Step();
  void Done();

 private:
  const ProgressCallback& progress_;
  const TextLineFile& source_;
  std::uint64_t reported_ = 0;
};

// How a file's text goes into the output, which is code page 932.
enum class TextMode {
  Copy,              // byte for byte
  Utf8,              // converted from UTF-8; a malformed sequence becomes '?'
  Utf8Trial,         // converted from UTF-8 on trial: a malformed sequence
                     // raises NotUtf8Text, for the file to be read otherwise
  Utf8IfWellFormed,  // a line converted when it is well-formed UTF-8, else
                     // copied (most likely code page 932 already)
  CheckCp932,        // copied, and lines that are no code page 932 noted
};

// What the filter noted of a file.
struct TextNotes {
  Tally unmapped;          // characters code page 932 lacks, written as '?'
  Tally malformed;         // byte sequences that are no UTF-8, written as '?'
  Tally notCp932;          // lines that are no code page 932, or UTF-8
  bool looksUtf8 = false;  // one of them is well-formed UTF-8
  bool multiByte = false;  // converted from UTF-8: a sequence of two bytes or more came
};

// Raised by the filter on trial of UTF-8 at a byte sequence that is no
// UTF-8: the text is code page 932 after all.
struct NotUtf8Text {};

class LineFilter {
 public:
  explicit LineFilter(TextMode mode) : mode_(mode) {}
  // Whether lines that hold a byte from 0x80 up must come through Filter.
  bool SeesText() const { return mode_ != TextMode::Copy; }
  // The most a piece may hold: a line is converted whole only up to this.
  std::size_t PieceLimit() const;
  // The piece as it is to be written; the view lives until the next call.
  // `first` and `last` tell where it stands in line `lineNumber`.
  std::string_view Filter(std::string_view piece, bool first, bool last, std::int64_t lineNumber);
  // Whether whole lines are converted a block at a time (FilterLines):
  // text converted whole from UTF-8, whose line breaks are ASCII.
  bool ConvertsBlocks() const { return mode_ == TextMode::Utf8 || mode_ == TextMode::Utf8Trial; }
  // Whole lines, each ended by CR LF, from line `firstLine` on, as Filter
  // would give them one by one.
  std::string_view FilterLines(std::string_view lines, std::int64_t firstLine);
  const TextNotes& Notes() const { return notes_; }

 private:
  std::string_view ConvertPiece(std::string_view piece, bool last, std::int64_t lineNumber);
  void Take(const Utf8Losses& losses);
  std::string_view ConvertIfWellFormed(std::string_view line, std::int64_t lineNumber);
  void CheckCp932(std::string_view piece, bool last, std::int64_t lineNumber);
  TextMode mode_;
  std::string converted_;
  std::string carry_;  // a UTF-8 sequence cut off at a piece's end
  bool lineNoted_ = false;
  TextNotes notes_;
};

}  // namespace mif

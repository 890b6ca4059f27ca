#include "merge/LineCopy.h"

#include "file/TextLineFile.h"
#include "merge/CopyLimits.h"
#include "text/AsciiRun.h"
#include "text/Cp932.h"
#include "text/Utf8.h"
#include "text/Utf8ToCp932.h"

namespace mif {

namespace {

constexpr std::uint64_t kBytesPerProgress = 1 << 20;

}  // namespace

void ProgressMeter::Step() {
  const std::uint64_t read = source_.BytesRead();
  if (read - reported_ >= kBytesPerProgress && progress_) {
    reported_ = read;
    progress_(read);
  }
}

void ProgressMeter::Done() {
  if (progress_) progress_(source_.BytesRead());
}

std::size_t LineFilter::PieceLimit() const {
  return mode_ == TextMode::Utf8IfWellFormed ? kMaxConvertedLine : kCopyPiece;
}

std::string_view LineFilter::Filter(std::string_view piece, bool first, bool last,
                                    std::int64_t lineNumber) {
  if (first) lineNoted_ = false;
  switch (mode_) {
    case TextMode::Copy:
      return piece;
    case TextMode::Utf8:
    case TextMode::Utf8Trial:
      return ConvertPiece(piece, last, lineNumber);
    case TextMode::Utf8IfWellFormed:
      return first && last ? ConvertIfWellFormed(piece, lineNumber) : piece;
    case TextMode::CheckCp932:
      CheckCp932(piece, last, lineNumber);
      return piece;
  }
  return piece;
}

std::string_view LineFilter::FilterLines(std::string_view lines, std::int64_t firstLine) {
  Utf8Losses losses;
  std::size_t consumed = 0;
  const std::size_t length = TranscodeUtf8ToCp932Lossy(lines, false, converted_, consumed, losses);
  Take(losses);
  if (losses.unmapped + losses.malformed > 0) {
    // Rare: the lines again one by one, for the line each loss is in.
    std::string whole;
    std::int64_t line = firstLine;
    ForEachCrLfLine(lines, [&](std::string_view each) {
      whole.append(ConvertPiece(each, true, line++));
      whole.append("\r\n");
    });
    converted_.swap(whole);
    return converted_;
  }
  return std::string_view(converted_).substr(0, length);
}

std::string_view LineFilter::ConvertPiece(std::string_view piece, bool last,
                                          std::int64_t lineNumber) {
  if (!carry_.empty()) {  // only in lines longer than a piece
    carry_.append(piece);
    piece = carry_;
  }
  Utf8Losses losses;
  std::size_t consumed = 0;
  const std::size_t length = TranscodeUtf8ToCp932Lossy(piece, !last, converted_, consumed, losses);
  Take(losses);
  notes_.unmapped.Add(static_cast<std::int64_t>(losses.unmapped), lineNumber);
  notes_.malformed.Add(static_cast<std::int64_t>(losses.malformed), lineNumber);
  std::string rest(piece.substr(consumed));
  carry_.swap(rest);
  return std::string_view(converted_).substr(0, length);
}

void LineFilter::Take(const Utf8Losses& losses) {
  if (mode_ == TextMode::Utf8Trial && losses.malformed > 0) throw NotUtf8Text{};
  notes_.multiByte = notes_.multiByte || losses.multiByte;
}

std::string_view LineFilter::ConvertIfWellFormed(std::string_view line, std::int64_t lineNumber) {
  std::size_t replaced = 0;
  const auto length = TranscodeUtf8ToCp932Into(line, converted_, &replaced);
  if (!length) return line;
  notes_.unmapped.Add(static_cast<std::int64_t>(replaced), lineNumber);
  return std::string_view(converted_).substr(0, *length);
}

// Japanese in code page 932 is almost never well-formed UTF-8 beyond
// ASCII (its lead bytes 81 to 9F start no UTF-8 sequence): text that is,
// is UTF-8 under no declaration.
void LineFilter::CheckCp932(std::string_view piece, bool last, std::int64_t lineNumber) {
  if (lineNoted_) return;
  if (IsAscii(piece)) return;
  const bool utf8 = IsWellFormedUtf8(piece);
  if (!utf8 && IsWellFormedCp932(piece, !last)) return;
  lineNoted_ = true;
  notes_.notCp932.Add(1, lineNumber);
  notes_.looksUtf8 = notes_.looksUtf8 || utf8;
}

}  // namespace mif

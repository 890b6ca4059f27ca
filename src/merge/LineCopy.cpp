#include "merge/LineCopy.h"

#include "file/TextLineFile.h"
#include "text/Utf8ToCp932.h"

namespace mif {

namespace {

constexpr std::uint64_t kBytesPerProgress = 1 << 20;

}  // namespace

void ProgressMeter::Step() {
  const std::uint64_t read = source_.BytesRead();
  if (read - reported_ >= kBytesPerProgress && context_.progress) {
    reported_ = read;
    context_.progress(context_.bytesDone + read);
  }
}

void ProgressMeter::Done() {
  context_.bytesDone += source_.BytesRead();
  if (context_.progress) context_.progress(context_.bytesDone);
}

std::string_view LineConverter::Convert(std::string_view piece, bool wholeLine,
                                        std::int64_t lineNumber) {
  if (!convert_ || !wholeLine) return piece;
  std::size_t replaced = 0;
  const auto length = TranscodeUtf8ToCp932Into(piece, converted_, &replaced);
  if (!length) return piece;
  if (replaced > 0) {
    if (replaced_.count == 0) replaced_.firstLine = lineNumber;
    replaced_.count += static_cast<std::int64_t>(replaced);
  }
  return std::string_view(converted_).substr(0, *length);
}

}  // namespace mif

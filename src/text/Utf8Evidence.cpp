#include "text/Utf8Evidence.h"

#include <algorithm>
#include <cstring>

#include "text/AsciiRun.h"
#include "text/Utf8Sequence.h"

namespace mif {

namespace {

constexpr int kCut = -1;

// The sequence at in[0], a byte from 0x80 up: its length when it is well
// formed, 0 when it is not, kCut when the bytes end before it does and
// every byte so far fits.
int CheckSequence(const unsigned char* in, std::size_t available) {
  unsigned char low, high;
  if (!utf8::SecondByteRange(in[0], low, high)) return 0;
  const int length = utf8::SequenceLength(in[0]);
  for (int k = 1; k < length; ++k) {
    if (static_cast<std::size_t>(k) >= available) return kCut;
    const bool fits = k == 1 ? in[1] >= low && in[1] <= high : utf8::IsContinuation(in[k]);
    if (!fits) return 0;
  }
  return length;
}

}  // namespace

void Utf8Evidence::Take(std::string_view text) {
  if (!text.empty()) atLineStart_ = text.back() == '\n';
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t i = cutSize_ > 0 ? FinishCut(bytes, text.size()) : 0;
  while (i < text.size()) {
    if (bytes[i] < 0x80) {  // Japanese is runs of sequences, with no ASCII between
      i += TakeAscii(bytes + i, text.size() - i);
      continue;
    }
    const int length = CheckSequence(bytes + i, text.size() - i);
    if (length == kCut) {
      cutSize_ = text.size() - i;
      std::memcpy(cut_, bytes + i, cutSize_);
      return;
    }
    if (length == 0) {
      lineOther_ = true;
      ++i;
    } else {
      lineUtf8_ = true;
      i += static_cast<std::size_t>(length);
    }
  }
}

std::size_t Utf8Evidence::FinishCut(const unsigned char* bytes, std::size_t count) {
  unsigned char joined[8];
  const std::size_t had = cutSize_;
  const std::size_t added = std::min<std::size_t>(count, 3);
  std::memcpy(joined, cut_, had);
  std::memcpy(joined + had, bytes, added);
  const int length = CheckSequence(joined, had + added);
  if (length == kCut) {  // still cut: these bytes were too few
    std::memcpy(cut_ + had, bytes, count);
    cutSize_ += count;
    return count;
  }
  cutSize_ = 0;
  if (length == 0) {
    // The bytes cut off fitted, so they are continuation bytes, no UTF-8
    // on their own; the byte that did not fit starts afresh.
    lineOther_ = true;
    return 0;
  }
  lineUtf8_ = true;
  return static_cast<std::size_t>(length) - had;
}

std::size_t Utf8Evidence::TakeAscii(const unsigned char* bytes, std::size_t count) {
  std::uint64_t lineFeeds = 0;
  const std::size_t run = AsciiRunLineFeeds(reinterpret_cast<const char*>(bytes), count, lineFeeds);
  if (lineFeeds > 0) {
    EndLine();  // the lines after it in the run are ASCII alone
    line_ += static_cast<std::int64_t>(lineFeeds) - 1;
  }
  return run;
}

void Utf8Evidence::EndLine() {
  if (lineOther_) {
    if (firstOther_ == 0) firstOther_ = line_;
  } else if (lineUtf8_ && firstUtf8_ == 0) {
    firstUtf8_ = line_;
  }
  lineUtf8_ = lineOther_ = false;
  ++line_;
}

void Utf8Evidence::End() {
  if (cutSize_ > 0) lineOther_ = true;  // a sequence the text cuts off
  cutSize_ = 0;
  if (lineUtf8_ || lineOther_) EndLine();
}

}  // namespace mif

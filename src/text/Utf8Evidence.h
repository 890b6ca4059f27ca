// What the lines of a text tell of its encoding where nothing declares it:
// which lines hold UTF-8 multi-byte sequences, every byte well formed, and
// which hold bytes that are no UTF-8. Code page 932 Japanese is almost
// never well-formed UTF-8 (its lead bytes 81 to 9F start no sequence), but
// a short run can be, so a text of both kinds is told as such.
#pragma once

#include <cstdint>
#include <string_view>

namespace mif {

class Utf8Evidence {
 public:
  // Lines are counted from `firstLine` by their LF.
  explicit Utf8Evidence(std::int64_t firstLine = 1) : line_(firstLine) {}

  // The next bytes of the text, cut anywhere: a sequence cut at their end
  // goes on in the next bytes.
  void Take(std::string_view bytes);
  // The text ends; a last line without its LF counts too.
  void End();

  // The first line of each kind; 0 for none.
  std::int64_t FirstUtf8Line() const { return firstUtf8_; }
  std::int64_t FirstOtherLine() const { return firstOther_; }
  // The line Take has come to.
  std::int64_t Line() const { return line_; }
  // The last line begun: the one before Line() where the bytes so far end
  // with an LF.
  std::int64_t LastLine() const { return atLineStart_ ? line_ - 1 : line_; }

 private:
  // The sequence cut at the end of the bytes before, finished from these;
  // gives how many of them it took.
  std::size_t FinishCut(const unsigned char* bytes, std::size_t count);
  // The ASCII run the bytes begin with, its length given: the line it is
  // in ends at its first LF, if any.
  std::size_t TakeAscii(const unsigned char* bytes, std::size_t count);
  void EndLine();

  std::int64_t line_;
  std::int64_t firstUtf8_ = 0, firstOther_ = 0;
  bool lineUtf8_ = false, lineOther_ = false;
  bool atLineStart_ = true;
  unsigned char cut_[4] = {};
  std::size_t cutSize_ = 0;
};

}  // namespace mif

// What the copy of a source's lines shares between objects and rows: the
// progress told to the run, and the conversion of whole lines from UTF-8
// with the count of characters that code page 932 could not hold.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "merge/MergeContext.h"

namespace mif {

class TextLineFile;

// Tells the run's progress every MiB read, and when the file is done.
class ProgressMeter {
 public:
  ProgressMeter(MergeContext& context, const TextLineFile& source)
      : context_(context), source_(source) {}
  void Step();
  void Done();

 private:
  MergeContext& context_;
  const TextLineFile& source_;
  std::uint64_t reported_ = 0;
};

// Characters of a file written as '?' for want of a mapping.
struct Replacements {
  std::int64_t count = 0;
  std::int64_t firstLine = 0;  // 1-based line of the file; 0 when none
};

// Converts whole lines from UTF-8 to code page 932 when asked; a line that
// is no well-formed UTF-8, or a piece of a longer line, stays as it is.
class LineConverter {
 public:
  explicit LineConverter(bool convert) : convert_(convert) {}
  bool Converts() const { return convert_; }
  // The piece as it is to be written; the view lives until the next call.
  // `lineNumber` is the file's 1-based line, for the count.
  std::string_view Convert(std::string_view piece, bool wholeLine, std::int64_t lineNumber);
  const Replacements& Replaced() const { return replaced_; }

 private:
  bool convert_;
  std::string converted_;
  Replacements replaced_;
};

}  // namespace mif

// Errors of the merge itself, as opposed to failed file operations
// (EInOutError). Each names the file it is about.
#pragma once

#include <string>

#include "Exception.h"

namespace mif {

class EMergeError : public Exception {
 public:
  using Exception::Exception;
};

// The output `outputName` is the same file as the source `sourceName`.
EMergeError OutputIsSourceError(const std::string& outputName, const std::string& sourceName);

// The source `sourceName` has `count` columns where the first had `firstCount`.
EMergeError ColumnCountError(const std::string& sourceName, int count, int firstCount);

}  // namespace mif

// The error of a failed file operation, its Japanese messages, and what a
// user is shown of it.
#pragma once

#include <cstdint>
#include <string>

#include "text/Exception.h"

namespace mif {

// A failed file operation. StatusCode is the Windows system error code of
// the failure (2 no file, 3 no path, 32 in use, 112 disk full, ...) or one
// of the runtime's own codes 100-106.
class EInOutError : public Exception {
 public:
  // The message is the one the code's table row gives. `fileName` (a path,
  // PathText.h) is the file of the failed operation, where known; the
  // message does not include it.
  explicit EInOutError(std::int32_t statusCode, std::string fileName = {});
  std::int32_t StatusCode() const { return statusCode_; }
  // DescribeInOutError.
  std::u16string Describe(bool withFileName = true) const override;

 private:
  std::int32_t statusCode_;
};

// The Japanese message for a file error code; "I/O エラー (n)" for a code
// with no message of its own.
std::u16string InOutErrorMessage(std::int32_t statusCode);

// What a user is shown of a file error: the message, the code once (the
// message of "I/O エラー (n)" already holds it), a short explanation of
// the common codes or the system's own text, and the file:
//   "I/O エラー (112): ディスクの空き領域が足りません: out.mif"
std::u16string DescribeInOutError(const EInOutError& error, bool withFileName = true);
// What a user is shown of any error (Exception::Describe).
inline std::u16string DescribeError(const Exception& error, bool withFileName = true) {
  return error.Describe(withFileName);
}

}  // namespace mif

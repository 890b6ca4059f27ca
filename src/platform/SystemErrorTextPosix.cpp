#include <cstring>

#include "platform/PosixError.h"
#include "platform/SystemErrorText.h"
#include "text/Utf8.h"

namespace mif {

// Only the codes made from an errno without a Windows counterpart; the
// others have explanations of our own.
std::u16string SystemErrorText(std::int32_t statusCode) {
  if (statusCode <= kPosixErrorBase) return {};
  const std::optional<std::u16string> text =
      DecodeUtf8(std::strerror(statusCode - kPosixErrorBase));
  return text ? *text : std::u16string();
}

}  // namespace mif

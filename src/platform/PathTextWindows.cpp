#include "platform/PathText.h"

#include "text/Utf8.h"
#include "text/Utf8ToCp932.h"

namespace mif {

std::u16string PathDisplay(std::string_view path) { return DecodeWtf8(path); }

std::string PathFromText(std::u16string_view text) { return EncodeWtf8(text); }

std::string PathToCp932(std::string_view path, std::size_t& replaced) {
  // A lone surrogate, the one thing WTF-8 holds that UTF-8 does not,
  // becomes U+FFFD here, and '?' with the other characters code page 932
  // lacks.
  const std::string utf8 = EncodeUtf8(DecodeWtf8(path));
  std::string cp932;
  cp932.resize(*TranscodeUtf8ToCp932Into(utf8, cp932, &replaced));
  return cp932;
}

}  // namespace mif

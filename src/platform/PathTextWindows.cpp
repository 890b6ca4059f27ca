#include "platform/PathText.h"

#include "text/Utf8.h"
#include "text/Utf8ToCp932.h"

namespace mif {

std::u16string PathDisplay(std::string_view path) { return DecodeWtf8(path); }

std::string PathFromText(std::u16string_view text) { return EncodeWtf8(text); }

std::string PathToCp932(std::string_view path, std::size_t& replaced) {
  // A lone surrogate, the one thing WTF-8 holds that UTF-8 does not, is a
  // malformed sequence here and becomes '?' too.
  std::string cp932;
  std::size_t consumed = 0;
  Utf8Losses losses;
  cp932.resize(TranscodeUtf8ToCp932Lossy(path, false, cp932, consumed, losses));
  replaced += losses.unmapped + losses.malformed;
  return cp932;
}

}  // namespace mif

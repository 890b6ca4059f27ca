#include "platform/PathText.h"

#include "text/Cp932.h"
#include "text/Utf8.h"
#include "text/Utf8ToCp932.h"

namespace mif {

std::u16string PathDisplay(std::string_view path) {
  if (std::optional<std::u16string> wide = DecodeUtf8(path)) return std::move(*wide);
  return DecodeCp932(path);
}

std::string PathFromText(std::u16string_view text) { return EncodeUtf8(text); }

std::string PathToCp932(std::string_view path, std::size_t& replaced) {
  std::string cp932;
  const std::optional<std::size_t> length = TranscodeUtf8ToCp932Into(path, cp932, &replaced);
  if (!length) return std::string(path);
  cp932.resize(*length);
  return cp932;
}

}  // namespace mif

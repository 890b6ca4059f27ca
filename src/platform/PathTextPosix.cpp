#include "platform/PathText.h"

#include "text/Cp932.h"
#include "text/Utf8.h"

namespace mif {

std::u16string PathDisplay(std::string_view path) {
  if (std::optional<std::u16string> wide = DecodeUtf8(path)) return std::move(*wide);
  return DecodeCp932(path);
}

std::string PathFromText(std::u16string_view text) { return EncodeUtf8(text); }

}  // namespace mif

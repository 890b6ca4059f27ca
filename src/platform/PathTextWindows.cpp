#include "platform/PathText.h"

#include "text/Utf8.h"

namespace mif {

std::u16string PathDisplay(std::string_view path) { return DecodeWtf8(path); }

std::string PathFromText(std::u16string_view text) { return EncodeWtf8(text); }

}  // namespace mif

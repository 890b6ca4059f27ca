// UTF-8 straight to code page 932, for the object lines of UTF-8 sources.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mif {

// Gives what EncodeCp932(*DecodeUtf8(utf8)) gives, without the UTF-16 step:
// ASCII runs are copied as they are. Returns false, with `cp932` holding
// no meaningful text, for input that DecodeUtf8 rejects.
bool TranscodeUtf8ToCp932(std::string_view utf8, std::string& cp932);
// The same into the first bytes of `buffer`, which grows when it must and
// never shrinks; gives the result's length, or nothing for rejected input.
std::optional<std::size_t> TranscodeUtf8ToCp932Into(std::string_view utf8, std::string& buffer);

}  // namespace mif

// Strict UTF-8, in and out of UTF-16.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mif {

// Accepts only well-formed UTF-8: no overlong forms, no encoded surrogates,
// nothing above U+10FFFF, no cut-off sequence. Four-byte forms become
// surrogate pairs; a BOM (EF BB BF) is kept as U+FEFF. Gives nothing for
// rejected input, so an empty input (an empty text) differs from a rejected
// one.
std::optional<std::u16string> DecodeUtf8(std::string_view utf8);
// The same into `wide`, reusing its storage. Returns false, with `wide`
// holding no meaningful text, when the input is rejected.
bool DecodeUtf8(std::string_view utf8, std::u16string& wide);
// The same into the first units of `buffer`, which grows when it must and
// never shrinks; gives the result's length, or nothing for rejected input.
std::optional<std::size_t> DecodeUtf8Into(std::string_view utf8, std::u16string& buffer);

// Whether the bytes are well-formed UTF-8, without decoding them.
bool IsWellFormedUtf8(std::string_view utf8);

// Never fails: a lone surrogate is written as U+FFFD.
std::string EncodeUtf8(std::u16string_view wide);

// WTF-8, for Windows file names, which may hold a lone surrogate: UTF-8
// that writes one as its three-byte form (U+D800 as ED A0 80), so that
// every UTF-16 text comes back unit for unit.
std::string EncodeWtf8(std::u16string_view wide);
// Never fails: a byte that starts no sequence becomes U+FFFD.
std::u16string DecodeWtf8(std::string_view wtf8);

}  // namespace mif

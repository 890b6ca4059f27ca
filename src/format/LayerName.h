// The layer name that every attribute row of a source gets, derived from
// the source's base name (its file name without directory and extension).
#pragma once

#include <string>
#include <string_view>

namespace mif {

// Narrow code page 932 bytes of the layer name. "__", "_" and "." are found
// character by character, so a trail byte 0x5F (点 93 5F) is no underscore:
//   12345__ABC -> ABC    (after the first "__")
//   X_Y__Z_W   -> Z_W
//   12_34_AB   -> AB     (after the last "_" that is no trail byte)
//   ABC        -> ABC
//   X__AB.C    -> AB     (between "__" and the first ".")
//   A.B__C     -> empty  ("." before "__")
//   AB.C       -> AB     (no "__": the rule without "." on the text before it)
std::string DeriveLayerName(std::string_view baseName);

// 1-based position of the first occurrence of `pattern`, or 0, found
// character by character: a match never begins on a trail byte.
int FindSubstringMbcs(std::string_view text, std::string_view pattern);

// 0-based byte offset of the last occurrence of `pattern`, or -1: unlike
// the other searches, 0-based. The scan walks character by character up to
// offset `limit`, so a pattern byte that is the trail byte of a double-byte
// character is never matched.
int FindLastSubstringMbcs(std::string_view text, std::string_view pattern, int limit);

}  // namespace mif

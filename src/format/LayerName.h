// The layer name that every attribute row of a source gets, and the tile
// it comes from, derived from the source's base name (its file name
// without directory and extension). Worked out on characters, so the
// trail byte 5F of a code page 932 name (ダ 83 5F) is no underscore.
#pragma once

#include <string>
#include <string_view>

namespace mif {

struct NameParts {
  std::u16string layer;
  // The text before the layer name and the "__" or "_" before it; the
  // whole base name where no underscore separates them.
  std::u16string tile;
};

//   12345__ABC -> ABC,   12345  (after the first "__")
//   X_Y__Z_W   -> Z_W,   X_Y
//   12_34_AB   -> AB,    12_34  (after the last "_")
//   ABC        -> ABC,   ABC
//   X__AB.C    -> AB,    X      (between "__" and the first ".")
//   A.B__C     -> empty, A.B    ("." before "__")
//   AB.C       -> AB,    AB.C   (no "__": the rule without "." on the text before it)
NameParts DeriveNameParts(std::u16string_view baseName);

}  // namespace mif

// File names as the core holds them: the system's own bytes on POSIX, the
// wide name as WTF-8 on Windows (UTF-8 that may hold a lone surrogate). A
// file is thus opened by exactly the name the system gave, whatever code
// page 932 can hold; only what people read, and the layer value, is
// converted. Delimiters and dots are ASCII bytes in both forms, never part
// of a longer character, so names are cut as bytes.
#pragma once

#include <string>
#include <string_view>

namespace mif {

// The name as people read it: on POSIX decoded from UTF-8 when it is well
// formed, else from code page 932 (a name unzipped from a Japanese archive);
// on Windows the wide name itself.
std::u16string PathDisplay(std::string_view path);
// The name of a text that names a file: a list line, a typed name.
std::string PathFromText(std::u16string_view text);

}  // namespace mif

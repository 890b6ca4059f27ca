// The parts of a file name (a path as PathText.h tells). Delimiters and
// dots are ASCII bytes, which neither the system's bytes (UTF-8 or code
// page 932, whose trail bytes start at 0x40) nor WTF-8 ever use inside a
// longer character, so names are cut as bytes.
#pragma once

#include <string>
#include <string_view>

#include "platform/PathDelimiters.h"

namespace mif {

// 1-based position of the last byte of `text` that is in `delimiters`; 0
// if none.
int FindLastDelimiter(std::string_view delimiters, std::string_view text);

// Replaces what follows the last "." of the name part, dot included, by
// `extension` (which brings its own dot; empty removes the extension), or
// appends it when the name part has no ".".
std::string ChangeFileExtension(std::string_view name, std::string_view extension,
                                std::string_view delimiters = PathDelimiters());

// The directory with its trailing delimiter; empty when there is none.
std::string ExtractDirectoryPart(std::string_view name,
                                 std::string_view delimiters = PathDelimiters());

// The name without its directory; empty when the name ends with a delimiter.
std::string ExtractNamePart(std::string_view name, std::string_view delimiters = PathDelimiters());

}  // namespace mif

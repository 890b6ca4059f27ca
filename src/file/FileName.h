// File-name operations on narrow text. A delimiter byte that is the trail
// byte of a double-byte character (0x95 0x5C) is never taken as one.
#pragma once

#include <string>
#include <string_view>

#include "platform/PathDelimiters.h"

namespace mif {

// 1-based position of the last byte of `text` that is in `delimiters` and
// is no trail byte; 0 if none.
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

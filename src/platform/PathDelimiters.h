// The bytes that separate directories in a file name. Windows also takes
// "/", which it accepts as a separator. The platform's set is chosen by the
// build; the sets themselves are here so that tests of either rule run
// everywhere.
#pragma once

#include <string_view>

namespace mif {

inline constexpr std::string_view kWindowsPathDelimiters = "\\:/";
inline constexpr std::string_view kPosixPathDelimiters = "/";

// This platform's set: one of the two above.
std::string_view PathDelimiters();

}  // namespace mif

// The boundary between the system's paths (UTF-8 here) and the narrow code
// page 932 text of the core.
#pragma once

#include <string>

namespace mif {

// False for a path that is no UTF-8 or has a character that code page 932
// cannot represent exactly; nothing could open that file by its narrow name.
bool PathToCp932(const std::string& utf8Path, std::string& cp932Path);

// For messages: the narrow text as UTF-8.
std::string Cp932ToUtf8(const std::string& cp932);

}  // namespace mif

// File names on POSIX: narrow code page 932 text in, UTF-8 to the system.
#pragma once

#include <string>

namespace mif {

// False for a name with a zero byte, or one that does not round-trip
// through code page 932: neither names a file we could find again.
bool ToPosixName(const std::string& cp932Name, std::string& utf8Name);

}  // namespace mif

// Names for the wide Win32 file APIs, made from the core's code page 932
// names with our own codec, so that they are right whatever the system's
// ANSI code page is.
#pragma once

#include <string>

namespace mif {

// The wide name. One longer than the system's classic limit (260) becomes
// an absolute \\?\ name, which the file APIs take at any length.
std::wstring SystemPath(const std::string& cp932Name);

}  // namespace mif

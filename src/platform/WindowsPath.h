// Names for the wide Win32 file APIs, made from the core's WTF-8 names, so
// that they are the names the system gave, whatever its ANSI code page.
#pragma once

#include <string>

namespace mif {

// The wide name. One longer than the system's classic limit (260) becomes
// an absolute \\?\ name, which the file APIs take at any length.
std::wstring SystemPath(const std::string& path);

}  // namespace mif

// The .mif files a source argument stands for: the program expands folders
// and wildcards itself, on every platform, since cmd.exe and PowerShell
// pass "*.mif" to a program as it is, and 10,000 paths do not fit on a
// Windows command line.
#pragma once

#include <string>

#include "merge/PathList.h"

namespace mif {

// Appends to `paths` what `argument` (a path, PathText.h) stands for:
// - a name that ends in .mif (in any letter case) without * or ?, a file
//   that exists, or any name without * or ?: itself;
// - a folder: the .mif files in it (any letter case of .mif), by name, and
//   with `recursive` those of its folders after its own, each by name;
// - a name with * (any run of characters) or ? (one character) in any of
//   its parts that names no file as written: the .mif files it matches,
//   by path, in the order and the letter case rules of the system's names
//   (a match is checked against the long name on Windows).
// Each folder costs one listing. Raises EMergeError for a pattern that
// matches nothing, naming it.
void ExpandSource(const std::string& argument, bool recursive, PathList& paths);

}  // namespace mif

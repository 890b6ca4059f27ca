// The lists the command line reads: the sources of --from-list, one path
// a line, and the tiles of --expected, one mesh code a line.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "format/MeshCode.h"

namespace mif {

// Hands `add` the paths of the list file `listPath` in order, skipping
// empty lines, none kept here: a list of 100,000 tiles is held once. The
// list is read as UTF-16 when it starts with a byte order mark of UTF-16
// (little or big endian), else as UTF-8, with or without a byte order
// mark, or as code page 932 when it is not well-formed UTF-8 throughout.
// Lines end at LF, CR LF or CR. Raises EInOutError when the list cannot be
// read, and EMergeError for a line longer than any path.
void AddListedSources(const std::string& listPath,
                      const std::function<void(const std::string&)>& add);

// The meshes of the list `listPath`, read as AddListedSources reads, a
// line's spaces and tabs about its code left aside, empty lines skipped.
// Raises EMergeError, naming the line, for a line that is no mesh code.
std::vector<MeshKey> ReadExpectedMeshes(const std::string& listPath);

}  // namespace mif

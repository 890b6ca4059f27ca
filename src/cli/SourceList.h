// The source lists of --from-list: one source path a line.
#pragma once

#include <string>
#include <vector>

namespace mif {

// Appends the paths of the list file `listPath`, skipping empty lines. The
// list is read as UTF-16 when it starts with a byte order mark of UTF-16
// (little or big endian), else as UTF-8, with or without a byte order
// mark, or as code page 932 when it is not well-formed UTF-8 throughout.
// Lines end at LF, CR LF or CR. Raises EInOutError when the list cannot be
// read, and EMergeError for a line longer than any path.
void AddListedSources(const std::string& listPath, std::vector<std::string>& sources);

}  // namespace mif

// The source lists of --from-list: one source path a line.
#pragma once

#include <functional>
#include <string>

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

}  // namespace mif

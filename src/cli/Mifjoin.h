// mifjoin, the batch front end: the whole command behind a thin main.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace mif {

// Runs the command on its arguments (UTF-8, after the program name).
// Returns the exit code: 0 done, 1 a failed merge or a check that found
// problems, 2 a usage error. `progress` draws the progress line on `err`.
int RunMifjoin(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
               bool progress);

}  // namespace mif

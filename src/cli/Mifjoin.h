// mifjoin, the batch front end: the whole command behind a thin main.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace mif {

// How the progress line is drawn on standard error: not at all (a file, a
// pipe), or on a terminal, erased with escape sequences where it takes
// them and with spaces where it does not.
struct ProgressStyle {
  bool draw = false;
  bool escapes = true;
};

// Runs the command on its arguments (after the program name, as
// Console.h gives them). Returns the exit code: 0 done, 1 a failed merge
// or a check that found problems, 2 a usage error.
int RunMifjoin(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
               const ProgressStyle& style);

}  // namespace mif

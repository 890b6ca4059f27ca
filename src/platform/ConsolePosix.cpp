#include <unistd.h>

#include <iostream>

#include "platform/Console.h"

namespace mif {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

std::ostream& StandardOutput() { return std::cout; }
std::ostream& StandardError() { return std::cerr; }

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

bool StandardErrorTakesEscapes() { return StandardErrorIsTerminal(); }

}  // namespace mif

#include <iostream>
#include <string>
#include <vector>

#include "Mifjoin.h"
#include "Terminal.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  return mif::RunMifjoin(arguments, std::cout, std::cerr, mif::StandardErrorIsTerminal());
}

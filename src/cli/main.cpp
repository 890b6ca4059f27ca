#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "cli/Mifjoin.h"
#include "platform/Terminal.h"

int main(int argc, char** argv) {
  // RunMifjoin reports its own errors; this is for memory running out
  // before it can.
  try {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return mif::RunMifjoin(arguments, std::cout, std::cerr, mif::StandardErrorIsTerminal());
  } catch (const std::bad_alloc&) {
    std::cerr << "mifjoin: メモリが足りません\n";
  } catch (const std::exception& error) {
    std::cerr << "mifjoin: " << error.what() << "\n";
  }
  return 1;
}

#include <new>
#include <string>
#include <vector>

#include "cli/Mifjoin.h"
#include "platform/Console.h"

int main(int argc, char** argv) {
  std::ostream& err = mif::StandardError();
  // RunMifjoin reports its own errors; this is for memory running out
  // before it can.
  try {
    const std::vector<std::string> arguments = mif::CommandLineArguments(argc, argv);
    const mif::ProgressStyle style{mif::StandardErrorIsTerminal(),
                                   mif::StandardErrorTakesEscapes()};
    const int code = mif::RunMifjoin(arguments, mif::StandardOutput(), err, style);
    mif::StandardOutput().flush();
    return code;
  } catch (const std::bad_alloc&) {
    err << "mifjoin: メモリが足りません\n";
  } catch (const std::exception& error) {
    err << "mifjoin: " << error.what() << "\n";
  }
  return 1;
}

#include <unistd.h>

#include "Terminal.h"

namespace mif {

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace mif

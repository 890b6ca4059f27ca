#include <unistd.h>

#include "platform/Terminal.h"

namespace mif {

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace mif

// Whether the progress line can be drawn: standard error is a terminal.
#pragma once

namespace mif {

bool StandardErrorIsTerminal();

}  // namespace mif

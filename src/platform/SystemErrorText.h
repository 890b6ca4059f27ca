// The operating system's own text for a file error code, where it has one.
#pragma once

#include <cstdint>
#include <string>

namespace mif {

// Empty when the system has no text for the code.
std::u16string SystemErrorText(std::int32_t statusCode);

}  // namespace mif

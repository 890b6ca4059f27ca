// How this system's POSIX errors read as file error codes.
#pragma once

#include <cstdint>
#include <string_view>

namespace mif {

// errno values with no Windows counterpart become kPosixErrorBase + errno.
inline constexpr std::int32_t kPosixErrorBase = 10000;

// The Windows-numbered code of `error`, raised for the file `utf8Name`.
// ENOENT gives 3 rather than 2 when the directory part does not exist.
std::int32_t PosixError(int error, std::string_view utf8Name);

}  // namespace mif

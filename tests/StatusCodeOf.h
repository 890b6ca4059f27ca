// The StatusCode of the EInOutError an action raises; 0 when it raises none.
#pragma once

#include <cstdint>
#include <functional>

#include "file/InOutError.h"

namespace mif::testing {

inline std::int32_t StatusCodeOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EInOutError& error) {
    return error.StatusCode();
  }
  return 0;
}

}  // namespace mif::testing

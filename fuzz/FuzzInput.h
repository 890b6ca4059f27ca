// Takes a fuzz input apart: option bytes from its front, the rest as data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mif::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}
  // The next byte, or 0 when none is left.
  std::uint8_t Byte() {
    if (rest_.empty()) return 0;
    const auto byte = static_cast<std::uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return byte;
  }
  std::string_view Rest() const { return rest_; }

 private:
  std::string_view rest_;
};

}  // namespace mif::fuzz

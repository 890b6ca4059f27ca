// One line on a terminal, redrawn in place: the current source counted from
// 1 of the total, as the error messages count, its name, MB read and MB/s.
#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

namespace mif {

class ProgressLine {
 public:
  // Draws nothing when `enabled` is false.
  ProgressLine(std::ostream& out, bool enabled, int total);
  void SourceStarting(int index, const std::string& utf8Name);
  void BytesRead(std::uint64_t total);
  // Removes the line, so that what follows starts on a clean line.
  void Clear();

 private:
  void Draw(bool force);

  std::ostream& out_;
  bool enabled_;
  int total_;
  int index_ = 0;
  std::string name_;
  std::uint64_t bytes_ = 0;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point drawn_{};
  bool visible_ = false;
};

}  // namespace mif

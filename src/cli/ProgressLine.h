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
  // Draws nothing when `enabled` is false. Without `escapes` (a console
  // that refuses them) the line is erased with spaces instead.
  ProgressLine(std::ostream& out, bool enabled, int total, bool escapes = true);
  // `path` as the system gives it; shown only when a line is drawn, which
  // is at most ten times a second, not once a source.
  void SourceStarting(int index, const std::string& path);
  void BytesRead(std::uint64_t total);
  // Removes the line, so that what follows starts on a clean line.
  void Clear();

 private:
  void Draw(bool force);
  // Ends what is drawn: with an erase to the end of the line, or with
  // spaces over what the last line covered.
  std::string Erase(std::size_t columns) const;

  std::ostream& out_;
  bool enabled_;
  bool escapes_;
  std::size_t columns_ = 0;  // of the line drawn last
  int total_;
  int index_ = 0;
  std::string path_;
  std::uint64_t bytes_ = 0;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point drawn_{};
  bool visible_ = false;
};

}  // namespace mif

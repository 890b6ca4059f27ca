#include "cli/ProgressLine.h"

#include <cstdio>

namespace mif {

namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

}  // namespace

ProgressLine::ProgressLine(std::ostream& out, bool enabled, int total)
    : out_(out), enabled_(enabled), total_(total) {}

void ProgressLine::SourceStarting(int index, const std::string& utf8Name) {
  index_ = index;
  name_ = utf8Name;
  Draw(false);
}

void ProgressLine::BytesRead(std::uint64_t total) {
  bytes_ = total;
  Draw(false);
}

void ProgressLine::Draw(bool force) {
  if (!enabled_) return;
  const auto now = std::chrono::steady_clock::now();
  if (!force && visible_ && now - drawn_ < kRedrawInterval) return;
  drawn_ = now;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  const double megabytes = static_cast<double>(bytes_) / 1e6;
  char figures[96];
  std::snprintf(figures, sizeof figures, "[%d/%d] %.1f MB %.1f MB/s ", index_ + 1, total_,
                megabytes, seconds > 0 ? megabytes / seconds : 0.0);
  out_ << '\r' << figures << name_ << "\x1b[K" << std::flush;
  visible_ = true;
}

void ProgressLine::Clear() {
  if (!visible_) return;
  out_ << "\r\x1b[K" << std::flush;
  visible_ = false;
}

}  // namespace mif

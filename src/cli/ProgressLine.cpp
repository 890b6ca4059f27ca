#include "cli/ProgressLine.h"

#include <cstdio>

#include "platform/PathText.h"
#include "text/Utf8.h"

namespace mif {

namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

// The columns a terminal gives UTF-8 text: two for a character beyond
// ASCII, as Japanese takes, which may overcount but never under.
std::size_t Columns(std::string_view text) {
  std::size_t columns = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      columns += 1;
    } else if ((byte & 0xC0) != 0x80) {
      columns += 2;
    }
  }
  return columns;
}

}  // namespace

ProgressLine::ProgressLine(std::ostream& out, bool enabled, int total, bool escapes)
    : out_(out), enabled_(enabled), escapes_(escapes), total_(total) {}

std::string ProgressLine::Erase(std::size_t columns) const {
  if (escapes_) return "\x1b[K";
  return columns < columns_ ? std::string(columns_ - columns, ' ') : std::string();
}

void ProgressLine::SourceStarting(int index, const std::string& path) {
  index_ = index;
  path_ = path;
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
  const std::string text = std::string(figures) + EncodeUtf8(PathDisplay(path_));
  const std::size_t columns = Columns(text);
  out_ << '\r' << text << Erase(columns) << std::flush;
  columns_ = columns;
  visible_ = true;
}

void ProgressLine::Clear() {
  if (!visible_) return;
  out_ << '\r' << Erase(0) << (escapes_ ? "" : "\r") << std::flush;
  columns_ = 0;
  visible_ = false;
}

}  // namespace mif

// Code page 932 and UTF-8 codec throughput on MIF-like text: mostly ASCII
// coordinates and style clauses, about 15% Japanese by bytes. Converts line
// by line, from one contiguous text into reused buffers, as the merge does.
//   codec_bench [megabytes]   (default 100)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "Cp932.h"
#include "Utf8.h"

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::u16string> MakeLines(std::size_t targetBytes) {
  const std::u16string japanese[] = {u"東京都千代田区", u"国道１号線", u"横浜市中区",
                                     u"県道",           u"河川 表示",  u"ソフト"};
  std::mt19937 random(932);
  std::uniform_real_distribution<double> coordinate(130.0, 145.0);
  std::vector<std::u16string> lines;
  std::size_t bytes = 0, japaneseBytes = 0;
  char number[64];
  while (bytes < targetBytes) {
    std::u16string line;
    const int kind = static_cast<int>(random() % 10);
    if (kind < 5) {
      std::snprintf(number, sizeof number, "%.6f %.6f", coordinate(random),
                    coordinate(random) - 100);
      line.assign(number, number + std::char_traits<char>::length(number));
    } else if (kind < 7) {
      line = u"    Pen (1,2,0)  Brush (2,16777215,16777215)";
    } else {
      std::u16string name = japanese[random() % 6] + japanese[random() % 6];
      line = u"Text \"" + name + u"\" 139.7 35.6 139.8 35.7";
      japaneseBytes += 2 * name.size();
    }
    bytes += line.size() +
             2 * std::count_if(line.begin(), line.end(), [](char16_t c) { return c >= 0x80; });
    lines.push_back(std::move(line));
  }
  std::printf("text: %.1f MB in %zu lines, %.1f%% Japanese\n", bytes / 1e6, lines.size(),
              100.0 * japaneseBytes / bytes);
  return lines;
}

// Lines kept end to end in one buffer, as they stand in a file.
template <typename Unit>
class Text {
 public:
  using View = std::basic_string_view<Unit>;
  Text() = default;
  explicit Text(const std::vector<std::basic_string<Unit>>& lines) {
    for (const auto& line : lines) Add(line);
  }
  void Add(View line) {
    ends_.push_back(all_.size() + line.size());
    all_ += line;
  }
  std::size_t Size() const { return all_.size(); }
  View All() const { return all_; }
  std::vector<View> Lines() const {
    std::vector<View> views;
    std::size_t start = 0;
    for (const std::size_t end : ends_) {
      views.emplace_back(all_.data() + start, end - start);
      start = end;
    }
    return views;
  }

 private:
  std::basic_string<Unit> all_;
  std::vector<std::size_t> ends_;
};

template <typename Work>
double MegabytesPerSecond(std::size_t bytes, Work work) {
  double best = 1e30;
  for (int round = 0; round < 3; ++round) {
    const auto start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return bytes / 1e6 / best;
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100;
  const Text<char16_t> wide(MakeLines(megabytes * 1000 * 1000));
  Text<char> cp932, utf8;
  for (const auto line : wide.Lines()) {
    cp932.Add(mif::EncodeCp932(line));
    utf8.Add(mif::EncodeUtf8(line));
  }
  const std::size_t cp932Bytes = cp932.Size(), utf8Bytes = utf8.Size();
  const auto cp932Lines = cp932.Lines();
  const auto wideLines = wide.Lines();
  const auto utf8Lines = utf8.Lines();
  std::u16string units;
  std::string bytes;
  std::size_t sink = 0;
  const double decode = MegabytesPerSecond(cp932Bytes, [&] {
    for (const auto line : cp932Lines) mif::DecodeCp932(line, units), sink += units.size();
  });
  const double encode = MegabytesPerSecond(cp932Bytes, [&] {
    for (const auto line : wideLines) mif::EncodeCp932(line, bytes), sink += bytes.size();
  });
  const double utf8Decode = MegabytesPerSecond(utf8Bytes, [&] {
    for (const auto line : utf8Lines) sink += mif::DecodeUtf8(line, units) ? units.size() : 0;
  });
  const double decodeWhole = MegabytesPerSecond(
      cp932Bytes, [&] { mif::DecodeCp932(cp932.All(), units), sink += units.size(); });
  const double encodeWhole = MegabytesPerSecond(
      cp932Bytes, [&] { mif::EncodeCp932(wide.All(), bytes), sink += bytes.size(); });
  const double utf8DecodeWhole = MegabytesPerSecond(
      utf8Bytes, [&] { sink += mif::DecodeUtf8(utf8.All(), units) ? units.size() : 0; });
  std::printf("%-12s %12s %12s\n", "MB/s", "line by line", "whole text");
  std::printf("%-12s %12.0f %12.0f  (code page 932 bytes in)\n", "DecodeCp932", decode,
              decodeWhole);
  std::printf("%-12s %12.0f %12.0f  (code page 932 bytes out)\n", "EncodeCp932", encode,
              encodeWhole);
  std::printf("%-12s %12.0f %12.0f  (UTF-8 bytes in)\n", "DecodeUtf8", utf8Decode, utf8DecodeWhole);
  return sink == 0;  // keeps the work from being optimised away
}

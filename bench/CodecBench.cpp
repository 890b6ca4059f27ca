// Code page 932 and UTF-8 codec throughput on MIF-like text: mostly ASCII
// coordinates and style clauses, about 15% Japanese by bytes (code page
// 932). Converts line
// by line, from one contiguous text into reused buffers, as the merge does.
//   codec_bench [megabytes]   (default 100)
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "text/Cp932.h"
#include "text/Utf8.h"
#include "text/Utf8ToCp932.h"

namespace {

using Clock = std::chrono::steady_clock;

// Objects as a translator writes them: runs of vertex lines between
// object and style lines, and Text objects whose strings are Japanese.
class MifLines {
 public:
  explicit MifLines(std::size_t targetBytes) {
    while (bytes_ < targetBytes) AddObject();
    std::printf("text: %.1f MB in %zu lines, %.1f%% Japanese\n", bytes_ / 1e6, lines_.size(),
                100.0 * japaneseBytes_ / bytes_);
  }
  const std::vector<std::u16string>& Lines() const { return lines_; }

 private:
  void AddObject() {
    const int kind = static_cast<int>(random_() % 20);
    if (kind < 5) {
      const int count = 2 + static_cast<int>(random_() % 10);
      Add(u"Pline " + Number(count));
      Vertices(count);
      Add(u"    Pen (1,2,0)");
    } else if (kind < 7) {
      const int count = 4 + static_cast<int>(random_() % 10);
      Add(u"Region 1");
      Add(u"  " + Number(count));
      Vertices(count);
      Add(u"    Pen (1,2,0)");
      Add(u"    Brush (2,16777215,16777215)");
      Add(u"    Center " + Coordinates());
    } else if (kind < 10) {
      Add(u"Point " + Coordinates());
      Add(u"    Symbol (35,0,12)");
    } else {
      const std::u16string name = Place() + Place() + Place();
      japaneseBytes_ += 2 * name.size();
      Add(u"Text");
      Add(u"    \"" + name + u"\"");
      Add(u"    " + Coordinates() + u" " + Coordinates());
      Add(u"    Font (\"ＭＳ ゴシック\",0,12,0)");
      japaneseBytes_ += 12;
      Add(u"    Angle 0");
    }
  }
  void Vertices(int count) {
    for (int i = 0; i < count; ++i) Add(Coordinates());
  }
  std::u16string Place() {
    static const std::u16string places[] = {u"東京都千代田区", u"国道１号線", u"横浜市中区",
                                            u"県道",           u"河川 表示",  u"ソフト"};
    return places[random_() % 6];
  }
  std::u16string Coordinates() {
    char text[64];
    std::snprintf(text, sizeof text, "%.6f %.6f", longitude_(random_), latitude_(random_));
    return std::u16string(text, text + std::char_traits<char>::length(text));
  }
  static std::u16string Number(int value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
  }
  void Add(std::u16string line) {
    bytes_ +=
        line.size() + std::count_if(line.begin(), line.end(), [](char16_t c) { return c >= 0x80; });
    lines_.push_back(std::move(line));
  }

  std::mt19937 random_{932};
  std::uniform_real_distribution<double> longitude_{139.0, 140.0}, latitude_{35.0, 36.0};
  std::vector<std::u16string> lines_;
  std::size_t bytes_ = 0, japaneseBytes_ = 0;
};

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
  std::size_t megabytes = 100;
  if (argc > 1) {
    const std::string_view text = argv[1];
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), megabytes);
    if (argc > 2 || error != std::errc() || end != text.data() + text.size() || megabytes == 0 ||
        megabytes > 100000) {
      std::fprintf(stderr,
                   "usage: codec_bench [megabytes]   (a whole number from 1, 100 by default)\n");
      return 2;
    }
  }
  const Text<char16_t> wide(MifLines(megabytes * 1000 * 1000).Lines());
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
    for (const auto line : cp932Lines) sink += mif::DecodeCp932Into(line, units);
  });
  const double encode = MegabytesPerSecond(cp932Bytes, [&] {
    for (const auto line : wideLines) sink += mif::EncodeCp932Into(line, bytes);
  });
  const double utf8Decode = MegabytesPerSecond(utf8Bytes, [&] {
    for (const auto line : utf8Lines) sink += mif::DecodeUtf8Into(line, units).value_or(0);
  });
  const double transcode = MegabytesPerSecond(utf8Bytes, [&] {
    for (const auto line : utf8Lines)
      sink += mif::TranscodeUtf8ToCp932Into(line, bytes).value_or(0);
  });
  const double decodeWhole = MegabytesPerSecond(
      cp932Bytes, [&] { mif::DecodeCp932(cp932.All(), units), sink += units.size(); });
  const double encodeWhole = MegabytesPerSecond(
      cp932Bytes, [&] { mif::EncodeCp932(wide.All(), bytes), sink += bytes.size(); });
  const double utf8DecodeWhole = MegabytesPerSecond(
      utf8Bytes, [&] { sink += mif::DecodeUtf8(utf8.All(), units) ? units.size() : 0; });
  const double transcodeWhole = MegabytesPerSecond(
      utf8Bytes, [&] { sink += mif::TranscodeUtf8ToCp932(utf8.All(), bytes) ? bytes.size() : 0; });
  std::printf("%-12s %12s %12s\n", "MB/s", "line by line", "whole text");
  std::printf("%-12s %12.0f %12.0f  (code page 932 bytes in)\n", "DecodeCp932", decode,
              decodeWhole);
  std::printf("%-12s %12.0f %12.0f  (code page 932 bytes out)\n", "EncodeCp932", encode,
              encodeWhole);
  std::printf("%-12s %12.0f %12.0f  (UTF-8 bytes in)\n", "DecodeUtf8", utf8Decode, utf8DecodeWhole);
  std::printf("%-12s %12.0f %12.0f  (UTF-8 bytes in, code page 932 out)\n", "Utf8ToCp932",
              transcode, transcodeWhole);
  return sink == 0;  // keeps the work from being optimised away
}

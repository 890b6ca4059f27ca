// The text line file's reading over arbitrary bytes and buffer sizes,
// against a plain splitter written from the rules: LF or CR LF end a line,
// a lone CR is dropped (or ends the line, as the merge reads), and a Ctrl-Z
// or the physical end ends the text, told when more text follows it.
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "FuzzInput.h"
#include "file/FakeFileDevice.h"
#include "file/TextLineFile.h"

namespace {

using mif::TextLineFile;
using mif::testing::FakeFile;
using mif::testing::FakeFileDevice;

std::vector<std::string> ReferenceLines(std::string_view bytes, bool loneCrEndsLine) {
  const std::string_view text = bytes.substr(0, bytes.find('\x1A'));
  std::vector<std::string> lines;
  std::size_t i = 0;
  while (i < text.size()) {
    std::string line;
    for (;;) {
      if (i == text.size()) break;
      const char c = text[i++];
      if (c == '\n') break;
      if (c != '\r') {
        line += c;
        continue;
      }
      if (i < text.size() && text[i] == '\n') {
        ++i;
        break;
      }
      if (loneCrEndsLine || i == text.size()) break;
    }
    lines.push_back(line);
  }
  return lines;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

// Sees the lines copied a buffer at a time; those may hold no byte from
// 0x80 up when only ASCII lines are to be copied so.
struct CopiedLines final : mif::LineObserver {
  bool asciiOnly = false;
  void Line(std::string_view line) override {
    if (!asciiOnly) return;
    for (const char c : line) Check(static_cast<unsigned char>(c) < 0x80);
  }
};

// Whether the text is at its end: NextLine gives nothing.
bool AtEnd(TextLineFile& file) {
  std::string_view line;
  return !file.NextLine(line);
}

std::unique_ptr<TextLineFile> OpenOn(std::shared_ptr<FakeFile> file, std::size_t bufferSize,
                                     bool loneCrEndsLine) {
  auto object =
      std::make_unique<TextLineFile>("fuzz", bufferSize, std::make_unique<FakeFileDevice>(file));
  object->SetLoneCrEndsLine(loneCrEndsLine);
  object->OpenForRead();
  return object;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mif::fuzz::FuzzInput input(data, size);
  static constexpr std::size_t kSizes[] = {1, 2, 127, 128, 129, 64 * 1024};
  const std::size_t bufferSize = kSizes[input.Byte() % 6];
  const std::uint8_t way = input.Byte();
  const bool loneCrEndsLine = (way & 1) != 0;
  const std::size_t maxPiece = 1 + input.Byte() % 16;
  auto file = std::make_shared<FakeFile>();
  file->bytes = std::string(input.Rest());
  const std::vector<std::string> expected = ReferenceLines(file->bytes, loneCrEndsLine);
  auto object = OpenOn(file, bufferSize, loneCrEndsLine);

  std::vector<std::string> got;
  switch ((way >> 1) % 5) {
    case 0: {  // NextLine alone, as a header is read; the end stays the end
      std::string_view line;
      while (object->NextLine(line)) got.emplace_back(line);
      Check(!object->NextLine(line));
      break;
    }
    case 1: {  // NextLine's views, and lines in CR LF taken at once, as rows are
      std::string_view line;
      const bool atOnce = (way & 0x20) != 0;
      for (;;) {
        const std::string_view lines = atOnce ? object->TakeCrLfLines((way & 0x40) != 0) : "";
        for (std::size_t start = 0; start < lines.size();) {
          const std::size_t lineFeed = lines.find('\n', start);
          Check(lineFeed != std::string_view::npos && lineFeed > start &&
                lines[lineFeed - 1] == '\r');
          got.emplace_back(lines.substr(start, lineFeed - 1 - start));
          start = lineFeed + 1;
        }
        for (const char c : lines) Check((way & 0x40) == 0 || static_cast<unsigned char>(c) < 0x80);
        if (!lines.empty()) continue;
        if (!object->NextLine(line)) break;
        got.emplace_back(line);
      }
      break;
    }
    case 2: {  // pieces of at most maxPiece bytes, as the merge reads
      std::string_view piece;
      bool last = true;
      std::string line;
      while (object->NextLinePiece(piece, last, maxPiece)) {
        Check(piece.size() <= maxPiece);
        line += piece;
        if (last) got.push_back(std::exchange(line, {}));
      }
      Check(line.empty());
      break;
    }
    case 3: {  // whole buffers copied, the rest line by line, as the merge copies
      auto outFile = std::make_shared<FakeFile>();
      TextLineFile out("out", bufferSize, std::make_unique<FakeFileDevice>(outFile));
      out.CreateForWrite();
      std::string_view line;
      CopiedLines copied;
      copied.asciiOnly = (way & 0x10) != 0;  // as the converting merge copies
      for (;;) {
        if (object->CopyBufferedLines(out, &copied, copied.asciiOnly)) continue;
        if (!object->NextLine(line)) break;
        out.WriteLine(line);
      }
      out.CloseFile();
      std::string want;
      for (const std::string& each : expected) want += each + "\r\n";
      Check(outFile->bytes == want);
      return 0;
    }
    case 4: {  // the bytes as they stand, to the first Ctrl-Z, as a reader of bytes takes them
      std::string bytes;
      if ((way & 0x20) != 0) object->ResizeBuffer(bufferSize * 3 + 1);
      for (std::string_view taken = object->TakeBytes(); !taken.empty();
           taken = object->TakeBytes()) {
        bytes += taken;
      }
      const std::size_t ctrlZ = file->bytes.find('\x1A');
      Check(bytes == file->bytes.substr(0, ctrlZ));
      const bool textAfter =
          ctrlZ != std::string::npos &&
          file->bytes.find_first_not_of("\x1A \t\r\n", ctrlZ) != std::string::npos;
      Check(object->TextAfterCtrlZ() == textAfter);
      Check(AtEnd(*object));
      return 0;
    }
  }
  Check(got == expected);
  Check(AtEnd(*object));
  return 0;
}

#include "file/TextLineFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "NextLineOf.h"
#include "ScratchDir.h"
#include "StatusCodeOf.h"
#include "file/InOutError.h"

namespace mif {
namespace {

using testing::AtEnd;
using testing::NextLineOf;
using testing::StatusCodeOf;

using testing::ReadBytes;
using testing::ScratchDir;
using testing::WriteBytes;

// Every line until the end of the text.
std::vector<std::string> ReadAll(const std::string& path) {
  TextLineFile file(path);
  file.OpenForRead();
  std::vector<std::string> lines;
  std::string_view line;
  while (file.NextLine(line)) lines.emplace_back(line);
  file.CloseFile();
  return lines;
}

std::vector<std::string> LinesOf(const std::string& bytes) {
  ScratchDir dir;
  WriteBytes(dir.File("in.txt"), bytes);
  return ReadAll(dir.File("in.txt"));
}

using Lines = std::vector<std::string>;

TEST(TextLineFileRead, LineBreaks) {
  EXPECT_EQ(LinesOf("a\r\nb\r\n"), Lines({"a", "b"}));  // no empty line after the last break
  EXPECT_EQ(LinesOf("a\nb\n"), Lines({"a", "b"}));
  EXPECT_EQ(LinesOf("a\nb"), Lines({"a", "b"}));  // last line without a break
  EXPECT_EQ(LinesOf("a\n\nb"), Lines({"a", "", "b"}));
  EXPECT_EQ(LinesOf("a\rb\r\n"), Lines({"ab"}));  // a lone CR is dropped
  EXPECT_EQ(LinesOf("a\r"), Lines({"a"}));
  EXPECT_EQ(LinesOf("a\r\rb\n"), Lines({"ab"}));
}

TEST(TextLineFileRead, CrLfAcrossTheBufferEdge) {
  // CR at offset 127, LF at 128: the pair spans two fills of 128 bytes.
  const std::string first(127, 'x');
  EXPECT_EQ(LinesOf(first + "\r\nnext\r\n"), Lines({first, "next"}));
  // A lone CR as the last byte of a buffer, then text.
  EXPECT_EQ(LinesOf(first + "\rmore\n"), Lines({first + "more"}));
  EXPECT_EQ(LinesOf(first + "\r"), Lines({first}));
}

TEST(TextLineFileRead, CtrlZEndsTheText) {
  EXPECT_EQ(LinesOf("\x1A"
                    "after\n"),
            Lines());
  EXPECT_EQ(LinesOf("ab\x1A"
                    "cd\nef\n"),
            Lines({"ab"}));
  EXPECT_EQ(LinesOf("ab\r\x1A"
                    "cd"),
            Lines({"ab"}));

  ScratchDir dir;
  WriteBytes(dir.File("z.txt"),
             "ab\x1A"
             "cd\n");
  TextLineFile file(dir.File("z.txt"));
  file.OpenForRead();
  EXPECT_EQ(NextLineOf(file), "ab");
  EXPECT_TRUE(AtEnd(file));
  EXPECT_TRUE(AtEnd(file));  // stays at the end, without failing
  EXPECT_TRUE(file.TextAfterCtrlZ());
}

// Editors of old ended a file with a Ctrl-Z; text after one is what other
// readers read on into, told even where it lies buffers further on.
TEST(TextLineFileRead, TextAfterACtrlZIsTold) {
  ScratchDir dir;
  const auto textAfter = [&](const std::string& bytes) {
    WriteBytes(dir.File("z.txt"), bytes);
    TextLineFile file(dir.File("z.txt"));
    file.OpenForRead();
    std::string_view line;
    while (file.NextLine(line)) {
    }
    return file.TextAfterCtrlZ();
  };
  EXPECT_FALSE(textAfter("ab\r\n"));
  EXPECT_FALSE(textAfter("ab\r\n\x1A"));
  EXPECT_FALSE(textAfter("ab\r\n\x1A\x1A \t\r\n\r\n" + std::string(300, ' ')));
  EXPECT_TRUE(textAfter("ab\r\n\x1A" + std::string(300, ' ') + "x"));
  EXPECT_TRUE(
      textAfter("ab\x1A"
                "cd\r\n"));
}

TEST(TextLineFileRead, EmptyFileAndLongAndBinaryLines) {
  ScratchDir dir;
  WriteBytes(dir.File("empty.txt"), "");
  TextLineFile empty(dir.File("empty.txt"));
  empty.OpenForRead();
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(AtEnd(empty));

  const std::string thousand(1000, 'q');
  EXPECT_EQ(LinesOf(thousand + "\r\n" + thousand), Lines({thousand, thousand}));
  EXPECT_EQ(LinesOf(std::string("a\0b\n", 4)), Lines({std::string("a\0b", 3)}));
}

// Another program appending while the file is read: the lines read are
// those the file held at the open, across a buffer edge too.
TEST(TextLineFileRead, ADiskFileEndsAtItsSizeAtTheOpen) {
  ScratchDir dir;
  const std::string line(200, 'x');
  WriteBytes(dir.File("grows.txt"), line + "\r\n" + line + "\r\n");
  TextLineFile file(dir.File("grows.txt"));
  file.OpenForRead();
  std::ofstream writer(dir.File("grows.txt"), std::ios::binary | std::ios::app);
  if (!writer) GTEST_SKIP() << "the system keeps writers out while the file is read";
  writer << "late\r\n" << std::flush;
  EXPECT_EQ(NextLineOf(file), line);
  EXPECT_EQ(NextLineOf(file), line);
  EXPECT_TRUE(AtEnd(file));
}

TEST(TextLineFileWrite, BytesReachTheFileInWholeBuffersAndAtTheClose) {
  ScratchDir dir;
  const std::string path = dir.File("out.txt");
  TextLineFile file(path);
  file.CreateForWrite();
  file.WriteLine(std::string(126, 'a'));  // 126 + CR LF fills the 128-byte buffer
  EXPECT_EQ(ReadBytes(path).size(), 128u);
  file.WriteLine(std::string(10, 'b'));
  EXPECT_EQ(ReadBytes(path).size(), 128u);
  file.CloseFile();
  EXPECT_EQ(ReadBytes(path), std::string(126, 'a') + "\r\n" + std::string(10, 'b') + "\r\n");
}

TEST(TextLineFileWrite, WideLinesAreEncodedAndOddBytesWrittenAsTheyAre) {
  ScratchDir dir;
  const std::string path = dir.File("out.txt");
  {
    TextLineFile file(path);
    file.CreateForWrite();
    file.WriteLine(u"表ソ");
    file.WriteLine("");
    file.WriteLine("x\ny");
    file.WriteLine("p\x1Aq");
    file.CloseFile();
  }
  EXPECT_EQ(ReadBytes(path), "\x95\x5C\x83\x5C\r\n\r\nx\ny\r\np\x1Aq\r\n");
  EXPECT_EQ(ReadAll(path), Lines({"\x95\x5C\x83\x5C", "", "x", "y", "p"}));
}

TEST(TextLineFileWrite, RewriteKeepsTheBytesAndCreateEmpties) {
  ScratchDir dir;
  const std::string path = dir.File("out.txt");
  WriteBytes(path, "old\r\n");
  TextLineFile file(path);
  file.OpenForRewrite();
  file.CloseFile();
  EXPECT_EQ(ReadBytes(path), "old\r\n");
  file.CreateForWrite();
  file.CloseFile();
  EXPECT_EQ(ReadBytes(path), "");
}

TEST(TextLineFileWrite, DestroyingAnOpenFileWritesOutItsWaitingBytes) {
  ScratchDir dir;
  const std::string path = dir.File("out.txt");
  {
    TextLineFile file(path);
    file.CreateForWrite();
    file.WriteLine("waiting");
  }
  EXPECT_EQ(ReadBytes(path), "waiting\r\n");
  TextLineFile again(path);
  again.OpenForRewrite();  // no lock was left behind
  again.CloseFile();
}

TEST(TextLineFileErrors, CodesAndMessages) {
  ScratchDir dir;
  const std::string missing = dir.File("missing.txt");
  try {
    TextLineFile(missing).OpenForRead();
    FAIL();
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.StatusCode(), 2);
    EXPECT_EQ(error.Message(), u"ファイルが見つかりません");
    EXPECT_STREQ(error.what(), "ファイルが見つかりません");
  }
  try {
    TextLineFile(dir.File("no/such/dir/x.txt")).CreateForWrite();
    FAIL();
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.StatusCode(), 3);
    EXPECT_EQ(error.Message(), u"ファイル名の指定が間違っています");
  }
  EXPECT_EQ(StatusCodeOf([&] { TextLineFile(dir.File("no/x.txt")).OpenForRead(); }), 3);

  const std::string path = dir.File("f.txt");
  WriteBytes(path, "line\n");
  TextLineFile reader(path);
  try {
    reader.CloseFile();
    FAIL();
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.StatusCode(), 103);
    EXPECT_EQ(error.Message(), u"I/O エラー (103)");
  }
  reader.OpenForRead();
  EXPECT_EQ(StatusCodeOf([&] { reader.WriteLine("x"); }), 105);
  EXPECT_EQ(NextLineOf(reader), "line");  // a failed operation leaves the object usable
  TextLineFile writer(dir.File("w.txt"));
  writer.CreateForWrite();
  EXPECT_EQ(StatusCodeOf([&] { NextLineOf(writer); }), 104);
}

TEST(TextLineFileErrors, SharingRule) {
  ScratchDir dir;
  const std::string path = dir.File("shared.txt");
  WriteBytes(path, "keep me\r\n");
  TextLineFile first(path), second(path);
  first.OpenForRead();
  second.OpenForRead();  // two readers are fine
  EXPECT_EQ(NextLineOf(second), "keep me");
  TextLineFile writer(path);
  try {
    writer.CreateForWrite();
    FAIL();
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.StatusCode(), 32);
    EXPECT_EQ(error.Message(), u"I/O エラー (32)");
  }
  EXPECT_EQ(StatusCodeOf([&] { writer.OpenForRewrite(); }), 32);
  EXPECT_EQ(ReadBytes(path), "keep me\r\n");  // the refused create emptied nothing
  first.CloseFile();
  second.CloseFile();
  writer.OpenForRewrite();
  EXPECT_EQ(StatusCodeOf([&] { TextLineFile(path).OpenForRead(); }),
            32);  // a writer excludes readers
}

TEST(TextLineFile, ReopeningClosesFirstAndWritesOut) {
  ScratchDir dir;
  const std::string path = dir.File("re.txt");
  TextLineFile file(path);
  file.CreateForWrite();
  file.WriteLine("one");
  file.OpenForRead();
  EXPECT_EQ(NextLineOf(file), "one");
  EXPECT_TRUE(AtEnd(file));
  file.CloseFile();
}

TEST(TextLineFile, NextLineGivesEveryLineAcrossBufferEdges) {
  ScratchDir dir;
  const std::string path = dir.File("n.txt");
  // Lines of every length up to 300 with CR LF, LF and a lone CR, so that
  // breaks fall on and around every offset of the 128-byte buffer.
  std::string bytes;
  Lines expected;
  for (int i = 0; i < 300; ++i) {
    const std::string line(i, static_cast<char>('a' + i % 26));
    bytes += line + (i % 3 == 0 ? "\n" : i % 3 == 1 ? "\r\n" : "\r\r\n");
    expected.push_back(line);
  }
  WriteBytes(path, bytes);
  TextLineFile file(path);
  file.OpenForRead();
  Lines read;
  std::string_view line;
  while (file.NextLine(line)) read.emplace_back(line);
  EXPECT_EQ(read, expected);
  EXPECT_FALSE(file.NextLine(line));
  TextLineFile writer(dir.File("w.txt"));
  writer.CreateForWrite();
  EXPECT_EQ(StatusCodeOf([&] { writer.NextLine(line); }), 104);
}

TEST(TextLineFileWrite, TwoPartLinesFillAndDrainAsOneLine) {
  ScratchDir dir;
  const std::string path = dir.File("two.txt");
  TextLineFile file(path);
  file.CreateForWrite();
  std::string expected;
  for (int i = 0; i < 200; ++i) {
    const std::string first(i % 7, 'p'), second(i, 's');
    file.WriteLine(first, second);
    expected += first + second + "\r\n";
    // Only whole buffers have reached the file.
    ASSERT_EQ(ReadBytes(path).size(), expected.size() / 128 * 128) << i;
  }
  file.CloseFile();
  EXPECT_EQ(ReadBytes(path), expected);
}

// What NextLine and WriteLine give line by line, for comparison.
std::string CopiedLineByLine(const std::string& from, const std::string& to) {
  TextLineFile in(from), out(to);
  in.OpenForRead();
  out.CreateForWrite();
  std::string_view line;
  while (in.NextLine(line)) out.WriteLine(line);
  out.CloseFile();
  return ReadBytes(to);
}

std::string CopiedByBuffers(const std::string& from, const std::string& to) {
  TextLineFile in(from), out(to);
  in.OpenForRead();
  out.CreateForWrite();
  std::string_view line;
  for (;;) {
    if (in.CopyBufferedLines(out)) continue;  // read on: copies on
    if (!in.NextLine(line)) break;
    out.WriteLine(line);
  }
  out.CloseFile();
  return ReadBytes(to);
}

TEST(TextLineFile, CopyBufferedLinesWritesWhatLineByLineWrites) {
  ScratchDir dir;
  std::string mixed;
  for (int i = 0; i < 400; ++i) {
    const char* breaks[] = {"\r\n", "\n", "\r\r\n", "\rx\n", "\n\n"};
    mixed += std::string(i % 140, static_cast<char>('a' + i % 26)) + breaks[i % 5];
  }
  for (const std::string& text : {mixed, mixed + "tail", mixed + "\r",
                                  std::string("ab\r\ncd\x1A"
                                              "ef\r\n"),
                                  std::string(""), std::string("\r\n\r\n")}) {
    const std::string from = dir.File("from.txt");
    WriteBytes(from, text);
    EXPECT_EQ(CopiedByBuffers(from, dir.File("b.txt")), CopiedLineByLine(from, dir.File("l.txt")))
        << text.size();
  }
  TextLineFile closed(dir.File("from.txt")), out(dir.File("o.txt"));
  EXPECT_EQ(StatusCodeOf([&] { closed.CopyBufferedLines(out); }), 104);
}

// A merge's buffer takes a run of half its size or more straight to the
// file, after the bytes that wait: the file holds them in their order.
TEST(TextLineFileWrite, ALongRunFollowsTheWaitingBytes) {
  ScratchDir dir;
  const std::string path = dir.File("runs.txt");
  const std::string run(40000, 'r');
  TextLineFile file(path, 64 * 1024);
  file.CreateForWrite();
  file.WriteLine("head");
  file.WritePiece(run);
  file.WriteLine("tail");
  EXPECT_EQ(file.Offset(), 6 + run.size() + 6);
  file.CloseFile();
  EXPECT_EQ(ReadBytes(path), "head\r\n" + run + "tail\r\n");
}

TEST(TextLineFile, LargeBuffersReadAndWriteTheSameLines) {
  ScratchDir dir;
  const std::string path = dir.File("big.txt");
  Lines lines;
  for (int i = 0; i < 5000; ++i)
    lines.push_back(std::string(i % 300, static_cast<char>('a' + i % 26)));
  {
    TextLineFile file(path, 64 * 1024);
    file.CreateForWrite();
    for (const auto& line : lines) file.WriteLine(line);
    file.CloseFile();
  }
  TextLineFile file(path, 64 * 1024);
  file.OpenForRead();
  Lines read;
  std::string_view line;
  while (file.NextLine(line)) read.emplace_back(line);
  EXPECT_EQ(read, lines);
}

}  // namespace
}  // namespace mif

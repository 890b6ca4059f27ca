#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "FakeFileDevice.h"
#include "NextLineOf.h"
#include "StatusCodeOf.h"
#include "file/InOutError.h"
#include "file/TextLineFile.h"

namespace mif {
namespace {

using testing::NextLineOf;
using testing::StatusCodeOf;

using testing::FakeFile;
using testing::FakeFileDevice;

struct Fixture {
  std::shared_ptr<FakeFile> file = std::make_shared<FakeFile>();
  TextLineFile object{"fake.txt", 16, std::make_unique<FakeFileDevice>(file)};
};

TEST(TextLineFileFaults, FailedDrainLosesThatBufferAndTheRestOfTheLineButKeepsCrLf) {
  Fixture f;
  f.file->failDrainNumber = 2;
  f.object.CreateForWrite();
  f.object.WriteLine("0123456789ABCD");  // 14 + CR LF = one full buffer of 16
  EXPECT_EQ(StatusCodeOf([&] { f.object.WriteLine(std::string(40, 'x')); }), 112);
  f.object.WriteLine("after");
  f.object.CloseFile();
  EXPECT_EQ(f.file->bytes, "0123456789ABCD\r\n\r\nafter\r\n");
}

TEST(TextLineFileFaults, ThirdWriteFailsAtCloseAndTheFileStaysOpen) {
  Fixture f;
  f.file->failDrainNumber = 3;
  f.object.CreateForWrite();
  for (int i = 0; i < 2; ++i) f.object.WriteLine("0123456789ABCD");
  f.object.WriteLine("tail");
  try {
    f.object.CloseFile();
    FAIL();
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.StatusCode(), 112);
    EXPECT_EQ(error.Message(), u"I/O エラー (112)");
  }
  EXPECT_TRUE(f.file->open);  // the object stays open for writing, its buffer empty
  f.object.WriteLine("again");
  f.object.CloseFile();
  EXPECT_FALSE(f.file->open);
  EXPECT_EQ(f.file->bytes, std::string("0123456789ABCD\r\n") + "0123456789ABCD\r\n" + "again\r\n");
}

TEST(TextLineFileFaults, BufferCopyRaisesTheOutputsFailureWithItsName) {
  Fixture in;
  in.file->bytes = "ab\r\ncd\r\nef\r\ngh\r\nij\r\n";
  auto outFile = std::make_shared<FakeFile>();
  outFile->failDrainNumber = 1;
  TextLineFile out("out.txt", 16, std::make_unique<FakeFileDevice>(outFile));
  in.object.OpenForRead();
  out.CreateForWrite();
  try {
    // The merge's copy loop: 16 bytes fill the output buffer, whose drain fails.
    std::string_view line;
    for (;;) {
      if (in.object.CopyBufferedLines(out)) continue;
      if (!in.object.NextLine(line)) break;
      out.WriteLine(line);
    }
    FAIL();
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.StatusCode(), 112);
    EXPECT_EQ(error.FileName(), "out.txt");
  }
}

TEST(TextLineFileFaults, FailedCloseHandleStillClosesTheObject) {
  Fixture f;
  f.file->closeCode = 5;
  f.object.CreateForWrite();
  EXPECT_EQ(StatusCodeOf([&] { f.object.CloseFile(); }), 5);
  EXPECT_EQ(StatusCodeOf([&] { f.object.CloseFile(); }), 103);
}

TEST(TextLineFileFaults, FailedReadDeliversNothingAndDoesNotCarryOver) {
  Fixture f;
  f.file->bytes = "line\n";
  f.file->fillCode = 38;
  f.object.OpenForRead();
  EXPECT_EQ(StatusCodeOf([&] { NextLineOf(f.object); }), 38);
  EXPECT_EQ(StatusCodeOf([&] { NextLineOf(f.object); }), 38);
  f.file->fillCode = 0;  // the failure does not carry over
  EXPECT_EQ(NextLineOf(f.object), "line");
}

TEST(TextLineFileFaults, UnknownFileTypeIsRefusedForWritingWith105) {
  Fixture f;
  f.file->kind = FileKind::Unknown;
  EXPECT_EQ(StatusCodeOf([&] { f.object.CreateForWrite(); }), 105);
  EXPECT_FALSE(f.file->open);
  f.object.OpenForRead();  // reading does not ask for the type
}

TEST(TextLineFileFaults, CharacterDeviceGetsEveryLineAtOnce) {
  Fixture f;
  f.file->kind = FileKind::CharacterDevice;
  f.object.CreateForWrite();
  f.object.WriteLine("a");
  EXPECT_EQ(f.file->bytes, "a\r\n");
}

TEST(TextLineFileFaults, FailedOpenLeavesTheObjectClosed) {
  Fixture f;
  f.file->openCode = 4;
  try {
    f.object.OpenForRead();
    FAIL();
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.StatusCode(), 4);
    EXPECT_EQ(error.Message(), u"オープンしたファイルが多すぎます");
  }
  EXPECT_EQ(StatusCodeOf([&] { f.object.CloseFile(); }), 103);
}

TEST(TextLineFileFaults, DestructorWritesOutWithoutThrowing) {
  auto file = std::make_shared<FakeFile>();
  {
    TextLineFile object("fake.txt", 16, std::make_unique<FakeFileDevice>(file));
    object.CreateForWrite();
    object.WriteLine("kept");
    file->closeCode = 5;  // ignored by the destructor
  }
  EXPECT_EQ(file->bytes, "kept\r\n");
  EXPECT_FALSE(file->open);
}

// Every line as NextLinePiece gives it, pieces marked with a trailing "+".
std::vector<std::string> Pieces(const std::string& bytes, std::size_t bufferSize,
                                std::size_t maxPiece, bool loneCrEndsLine) {
  auto file = std::make_shared<FakeFile>();
  file->bytes = bytes;
  TextLineFile object("fake.txt", bufferSize, std::make_unique<FakeFileDevice>(file));
  object.SetLoneCrEndsLine(loneCrEndsLine);
  object.OpenForRead();
  std::vector<std::string> pieces;
  std::string_view piece;
  bool last = true;
  while (object.NextLinePiece(piece, last, maxPiece)) {
    pieces.push_back(std::string(piece) + (last ? "" : "+"));
  }
  return pieces;
}

using Lines = std::vector<std::string>;

TEST(TextLineFileMerge, ALoneCrEndsALineWhenAskedWhereverTheBufferEnds) {
  for (std::size_t size : {1, 2, 3, 16}) {
    EXPECT_EQ(Pieces("a\rb\r\nc\r\rd\r", size, 100, true), Lines({"a", "b", "c", "", "d"})) << size;
    EXPECT_EQ(Pieces("a\rb\r\nc\r", size, 100, false), Lines({"ab", "c"})) << size;
  }
}

TEST(TextLineFileMerge, PiecesBoundEveryLine) {
  for (std::size_t size : {1, 4, 64}) {
    EXPECT_EQ(Pieces("abcdefgh\r\nabc\r\nxy", size, 3, false),
              Lines({"abc+", "def+", "gh", "abc", "xy"}))
        << size;
    // A line whose last piece ends at the end of the file.
    EXPECT_EQ(Pieces("abcdef", size, 3, false), Lines({"abc+", "def"})) << size;
  }
}

TEST(TextLineFileMerge, CutToGoesBackToAMarkAlsoAfterAFailedClose) {
  Fixture f;
  f.object.CreateForWrite();
  f.object.WriteLine("kept");
  const std::uint64_t mark = f.object.Offset();
  f.object.WriteLine(std::string(40, 'x'));  // more than the buffer: some of it written
  f.object.CutTo(mark);
  EXPECT_EQ(f.file->bytes, "kept\r\n");
  EXPECT_FALSE(f.file->open);
  // A close that failed after its bytes were written: the cut opens again.
  f.object.CreateForWrite();
  f.object.WriteLine("kept");
  f.object.WriteLine("gone");
  f.file->closeCode = 5;
  EXPECT_EQ(StatusCodeOf([&] { f.object.CloseFile(); }), 5);
  f.file->closeCode = 0;
  f.object.CutTo(6);
  EXPECT_EQ(f.file->bytes, "kept\r\n");
  // A cut that fails says so, and leaves the file closed.
  f.object.CreateForWrite();
  f.file->truncateCode = 5;
  EXPECT_EQ(StatusCodeOf([&] { f.object.CutTo(0); }), 5);
  EXPECT_FALSE(f.file->open);
}

// An observer that throws, as a caller's code may, between a failed step
// and the check that would have raised its code.
struct ThrowingObserver final : LineObserver {
  void Line(std::string_view line) override {
    if (line == "cd") throw std::runtime_error("caller");
  }
};

TEST(TextLineFileFaults, AFailureCutShortByAnotherExceptionIsNotRaisedLater) {
  Fixture in;
  in.file->bytes = "x\nab\ncd\n";
  auto outFile = std::make_shared<FakeFile>();
  outFile->failDrainNumber = 1;
  TextLineFile out("out.txt", 4, std::make_unique<FakeFileDevice>(outFile));
  in.object.OpenForRead();
  out.CreateForWrite();
  NextLineOf(in.object);  // fills the buffer, as the copy's first line does
  ThrowingObserver observer;
  // "ab" CR LF fills the output's 4 bytes, whose drain fails (112).
  EXPECT_THROW(in.object.CopyBufferedLines(out, &observer), std::runtime_error);
  Fixture other;
  EXPECT_EQ(StatusCodeOf([&] { other.object.CreateForWrite(); }), 0);
  EXPECT_EQ(StatusCodeOf([&] { out.WriteLine("x"); }), 0);
}

TEST(TextLineFileMerge, EmptyTextsAndEmptyPiecesWriteOnlyTheirBreak) {
  Fixture f;
  f.object.CreateForWrite();
  f.object.WriteLine(std::string_view());
  f.object.WriteLine(std::string_view(), "a");
  f.object.WritePiece(std::string_view());
  f.object.WriteLine(std::string_view(), std::string_view());
  f.object.CloseFile();
  EXPECT_EQ(f.file->bytes, "\r\na\r\n\r\n");
}

}  // namespace
}  // namespace mif

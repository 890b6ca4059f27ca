#include <gtest/gtest.h>

#include "Exception.h"
#include "FakeFileDevice.h"
#include "StatusCodeOf.h"
#include "TextLineFile.h"

namespace mif {
namespace {

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
  EXPECT_FALSE(in.object.AtEndOfFile());  // fills the 16-byte buffer: four whole lines
  try {
    in.object.CopyBufferedLines(out);  // 16 bytes fill the output buffer, whose drain fails
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
  EXPECT_EQ(StatusCodeOf([&] { f.object.ReadLine(); }), 38);
  EXPECT_EQ(StatusCodeOf([&] { f.object.AtEndOfFile(); }), 38);
  f.file->fillCode = 0;  // the failure does not carry over
  EXPECT_EQ(f.object.ReadLine(), "line");
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

}  // namespace
}  // namespace mif

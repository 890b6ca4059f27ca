#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <thread>

#include "NextLineOf.h"
#include "ScratchDir.h"
#include "StatusCodeOf.h"
#include "file/InOutError.h"
#include "file/TextLineFile.h"
#include "platform/PosixError.h"

namespace mif {
namespace {

using testing::NextLineOf;
using testing::StatusCodeOf;

using testing::ReadBytes;
using testing::ScratchDir;

TEST(PosixError, MapsErrnoToWindowsCodes) {
  EXPECT_EQ(PosixError(ENOENT, "plain-name"), 2);
  EXPECT_EQ(PosixError(ENOENT, "/no/such/directory/x"), 3);
  EXPECT_EQ(PosixError(ENOTDIR, "x"), 3);
  EXPECT_EQ(PosixError(EMFILE, "x"), 4);
  EXPECT_EQ(PosixError(ENFILE, "x"), 4);
  for (int e : {EACCES, EPERM, EROFS, EISDIR}) EXPECT_EQ(PosixError(e, "x"), 5) << e;
  EXPECT_EQ(PosixError(ENOSPC, "x"), 112);
  EXPECT_EQ(PosixError(EDQUOT, "x"), 112);
  EXPECT_EQ(PosixError(ENAMETOOLONG, "x"), 206);
  EXPECT_EQ(PosixError(EWOULDBLOCK, "x"), 32);
  EXPECT_EQ(PosixError(EIO, "x"), kPosixErrorBase + EIO);
}

TEST(TextLineFilePosix, CharacterDevices) {
  // /dev/full refuses the first line at once, since devices are drained per line.
  TextLineFile full("/dev/full");
  full.CreateForWrite();
  EXPECT_EQ(StatusCodeOf([&] { full.WriteLine("x"); }), 112);
  TextLineFile null("/dev/null");
  null.CreateForWrite();
  null.WriteLine("gone");
  null.CloseFile();
}

TEST(TextLineFilePosix, NamesAreTheSystemsBytes) {
  ScratchDir dir;
  // 表.txt as a Japanese archive unzips it, 95 5C in code page 932, and as
  // UTF-8, E8 A1 A8: two files, each opened by its own bytes.
  for (const std::string name : {"\x95\x5C.txt", "\xE8\xA1\xA8.txt"}) {
    TextLineFile file(dir.Folder() + name);
    file.CreateForWrite();
    file.WriteLine(name);
    file.CloseFile();
    EXPECT_EQ(testing::ReadBytes(dir.Folder() + name), name + "\r\n");
  }
  EXPECT_EQ(StatusCodeOf([&] { TextLineFile(std::string("a\0b", 3)).OpenForRead(); }), 123);
  EXPECT_EQ(StatusCodeOf([&] { TextLineFile(dir.File(std::string(300, 'n'))).CreateForWrite(); }),
            206);
  EXPECT_EQ(StatusCodeOf([&] { TextLineFile(dir.Path().string()).OpenForRead(); }), 5);
}

TEST(TextLineFilePosix, PipeIsReadAndWritten) {
  ScratchDir dir;
  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::thread writer([&] {
    TextLineFile out(fifo);
    out.CreateForWrite();
    out.WriteLine("through");
    out.CloseFile();
  });
  TextLineFile in(fifo);
  in.OpenForRead();
  EXPECT_EQ(NextLineOf(in), "through");
  writer.join();
  std::string_view line;
  EXPECT_FALSE(in.NextLine(line));
}

// The cut after a failed close opens the file to append: its size above
// 4 GiB, where the high word matters.
TEST(TextLineFilePosix, CutASparseFileAbove4GiB) {
  ScratchDir dir;
  const std::string path = dir.File("sparse.bin");
  const off_t size = (off_t{1} << 32) + 100;  // the high word matters
  {
    const int fd = open(path.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, size), 0);
    close(fd);
  }
  TextLineFile file(path);
  file.CutTo(static_cast<std::uint64_t>(size) - 3);
  EXPECT_EQ(std::filesystem::file_size(path), static_cast<std::uintmax_t>(size) - 3);
}

}  // namespace
}  // namespace mif

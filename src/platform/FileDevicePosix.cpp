#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/FileDevice.h"
#include "platform/PosixError.h"
#include "platform/PosixFacts.h"

namespace mif {

namespace {

constexpr std::int32_t kInvalidName = 123;
constexpr std::int32_t kWroteNothing = 29;
// Written bytes are handed to the disk in steps of this size as they come.
constexpr off_t kWriteBackStep = 2 << 20;

// File systems without locks (some network and FUSE ones): the file is
// used unlocked there rather than not at all.
bool LocksUnsupported(int error) {
  return error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS;
}

class PosixFileDevice final : public FileDevice {
 public:
  ~PosixFileDevice() override { Close(); }

  std::int32_t Open(const std::string& name, FileOpenMode mode, FileFacts& facts) override {
    Close();
    if (name.find('\0') != std::string::npos) return kInvalidName;  // no system name holds one
    name_ = name;
    // Non-blocking, a pipe opens at once and its kind tells the caller
    // what it is; it would otherwise wait for a writer.
    const int flags = mode == FileOpenMode::Read         ? O_RDONLY
                      : mode == FileOpenMode::ReadNoWait ? O_RDONLY | O_NONBLOCK
                      : mode == FileOpenMode::Append     ? O_RDWR
                                                         : O_WRONLY | O_CREAT;
    fd_ = open(name_.c_str(), flags | O_CLOEXEC, 0666);
    if (fd_ < 0) return Error(errno);
    const std::int32_t code = Prepare(mode, facts);
    if (code != 0) Close();
    return code;
  }

  std::int32_t Fill(char* buffer, std::size_t capacity, std::size_t& count) override {
    ssize_t got;
    do got = read(fd_, buffer, capacity);
    while (got < 0 && errno == EINTR);
    count = got > 0 ? static_cast<std::size_t>(got) : 0;
    return got < 0 ? Error(errno) : 0;
  }

  std::int32_t Drain(const char* bytes, std::size_t count) override {
    while (count > 0) {
      const ssize_t put = write(fd_, bytes, count);
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) return Error(errno);
      if (put == 0) return kWroteNothing;  // would loop for ever
      bytes += put;
      count -= static_cast<std::size_t>(put);
      position_ += put;
    }
    StartWriteBack();
    return 0;
  }

  std::int32_t Size(std::uint64_t& size) override {
    struct stat status;
    if (fstat(fd_, &status) != 0) return Error(errno);
    size = static_cast<std::uint64_t>(status.st_size);
    return 0;
  }

  std::int32_t Truncate(std::uint64_t size) override {
    const off_t length = static_cast<off_t>(size);
    if (ftruncate(fd_, length) != 0 || lseek(fd_, length, SEEK_SET) < 0) return Error(errno);
    position_ = writtenBack_ = length;
    return 0;
  }

  std::int32_t Sync() override {
    int result;
    do result = fdatasync(fd_);
    while (result != 0 && errno == EINTR);
    // A pipe or a terminal holds nothing to put on a device.
    return result == 0 || errno == EINVAL || errno == EROFS ? 0 : Error(errno);
  }

  std::int32_t Close() override {
    position_ = writtenBack_ = 0;
    if (fd_ < 0) return 0;
    const int result = close(fd_);  // releases the lock with the descriptor
    fd_ = -1;
    return result == 0 ? 0 : Error(errno);
  }

 private:
  // Locks before anything changes, so that an open refused for sharing
  // leaves a file being read by another open untouched.
  std::int32_t Prepare(FileOpenMode mode, FileFacts& facts) {
    struct stat status;
    if (fstat(fd_, &status) != 0) return Error(errno);
    if (S_ISDIR(status.st_mode)) return 5;
    facts = FactsOf(status);
    // Waiting matters to pipes alone; a disk file is read as it is.
    if (mode == FileOpenMode::ReadNoWait && facts.kind != FileKind::Disk &&
        fcntl(fd_, F_SETFL, 0) != 0) {
      return Error(errno);
    }
    if (facts.kind != FileKind::Disk) return 0;  // devices and pipes hold nothing to protect
    const bool reads = mode == FileOpenMode::Read || mode == FileOpenMode::ReadNoWait;
    const int lock = reads ? LOCK_SH : LOCK_EX;
    if (flock(fd_, lock | LOCK_NB) != 0 && !LocksUnsupported(errno)) return Error(errno);
    if (mode == FileOpenMode::Create && ftruncate(fd_, 0) != 0) return Error(errno);
    if (mode == FileOpenMode::Append) {
      position_ = writtenBack_ = lseek(fd_, 0, SEEK_END);
      if (position_ < 0) return Error(errno);
    }
    return 0;
  }

  // Starts writing the bytes written so far to the disk, without waiting:
  // a file replaced by a rename has its data written first (ext4's
  // auto_da_alloc), and done all at once at the end the run would wait for
  // every byte; begun as they come, it goes on beside the run. Of use on
  // Linux only, and harmless where the call is not.
  void StartWriteBack() {
#ifdef SYNC_FILE_RANGE_WRITE
    if (position_ - writtenBack_ < kWriteBackStep) return;
    sync_file_range(fd_, writtenBack_, position_ - writtenBack_, SYNC_FILE_RANGE_WRITE);
    writtenBack_ = position_;
#endif
  }

  std::int32_t Error(int error) const { return PosixError(error, name_); }

  int fd_ = -1;
  std::string name_;
  off_t position_ = 0;     // where the next write lands
  off_t writtenBack_ = 0;  // up to here handed to the disk
};

}  // namespace

std::unique_ptr<FileDevice> MakeSystemFileDevice() { return std::make_unique<PosixFileDevice>(); }

}  // namespace mif

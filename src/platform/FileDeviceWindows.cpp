#include <windows.h>

#include "platform/FileDevice.h"
#include "platform/WindowsPath.h"

namespace mif {

namespace {

constexpr std::int32_t kWroteNothing = ERROR_WRITE_FAULT;

// GetLastError already speaks the codes that TextLineFile reports.
std::int32_t WindowsError(DWORD error) { return static_cast<std::int32_t>(error); }

FileKind KindOf(DWORD type) {
  switch (type) {
    case FILE_TYPE_DISK:
      return FileKind::Disk;
    case FILE_TYPE_CHAR:
      return FileKind::CharacterDevice;
    case FILE_TYPE_PIPE:
      return FileKind::Pipe;
    default:
      return FileKind::Unknown;
  }
}

class WindowsFileDevice final : public FileDevice {
 public:
  ~WindowsFileDevice() override { Close(); }

  std::int32_t Open(const std::string& name, FileOpenMode mode, FileFacts& facts) override {
    Close();
    const bool reads = mode == FileOpenMode::Read || mode == FileOpenMode::ReadNoWait;
    const DWORD access = reads                          ? GENERIC_READ
                         : mode == FileOpenMode::Append ? GENERIC_READ | GENERIC_WRITE
                                                        : GENERIC_WRITE;
    const DWORD disposition = mode == FileOpenMode::Create    ? CREATE_ALWAYS
                              : mode == FileOpenMode::Rewrite ? OPEN_ALWAYS
                                                              : OPEN_EXISTING;
    handle_ = CreateFileW(SystemPath(name).c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) return WindowsError(GetLastError());
    // 64-bit positions: appending to a file of 4 GiB or more lands at its end.
    LARGE_INTEGER end{};
    if (mode == FileOpenMode::Append && !SetFilePointerEx(handle_, end, nullptr, FILE_END)) {
      const DWORD error = GetLastError();
      Close();
      return WindowsError(error);
    }
    facts = FileFacts{};
    facts.kind = KindOf(GetFileType(handle_));
    kind_ = facts.kind;
    // Facts of the open handle: no second open of the name to learn them.
    BY_HANDLE_FILE_INFORMATION info;
    if (facts.kind == FileKind::Disk && GetFileInformationByHandle(handle_, &info)) {
      facts.identity = {info.dwVolumeSerialNumber,
                        (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
      facts.size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    }
    return 0;
  }

  std::int32_t Fill(char* buffer, std::size_t capacity, std::size_t& count) override {
    DWORD got = 0;
    const BOOL ok = ReadFile(handle_, buffer, static_cast<DWORD>(capacity), &got, nullptr);
    count = got;
    if (ok) return 0;
    const DWORD error = GetLastError();
    return error == ERROR_BROKEN_PIPE ? 0 : WindowsError(error);
  }

  std::int32_t Drain(const char* bytes, std::size_t count) override {
    while (count > 0) {
      const DWORD chunk = count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count);
      DWORD put = 0;
      if (!WriteFile(handle_, bytes, chunk, &put, nullptr)) return WindowsError(GetLastError());
      if (put == 0) return kWroteNothing;  // would loop for ever
      bytes += put;
      count -= put;
    }
    return 0;
  }

  std::int32_t Size(std::uint64_t& size) override {
    LARGE_INTEGER length{};
    if (!GetFileSizeEx(handle_, &length)) return WindowsError(GetLastError());
    size = static_cast<std::uint64_t>(length.QuadPart);
    return 0;
  }

  std::int32_t Truncate(std::uint64_t size) override {
    LARGE_INTEGER length{};
    length.QuadPart = static_cast<LONGLONG>(size);
    if (!SetFilePointerEx(handle_, length, nullptr, FILE_BEGIN) || !SetEndOfFile(handle_)) {
      return WindowsError(GetLastError());
    }
    return 0;
  }

  std::int32_t Sync() override {
    // A console or a pipe holds nothing to put on a device.
    if (kind_ != FileKind::Disk || FlushFileBuffers(handle_)) return 0;
    return WindowsError(GetLastError());
  }

  std::int32_t Close() override {
    if (handle_ == INVALID_HANDLE_VALUE) return 0;
    const BOOL ok = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return ok ? 0 : WindowsError(GetLastError());
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  FileKind kind_ = FileKind::Unknown;
};

}  // namespace

std::unique_ptr<FileDevice> MakeSystemFileDevice() { return std::make_unique<WindowsFileDevice>(); }

}  // namespace mif

#include <windows.h>

#include "platform/FileSystem.h"
#include "platform/WindowsPath.h"

namespace mif {

bool FileExists(const std::string& name) {
  return GetFileAttributesW(SystemPath(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(const std::string& name) {
  const DWORD attributes = GetFileAttributesW(SystemPath(name).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Devices and pipes have names outside the file system's folders here.
bool IsSpecialFile(const std::string& name) { return IsDirectory(name); }

std::optional<FileIdentity> IdentifyFile(const std::string& name) {
  const std::wstring path = SystemPath(name);
  const HANDLE handle =
      CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  const BOOL ok = GetFileInformationByHandle(handle, &info);
  CloseHandle(handle);
  if (!ok) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber,
                      (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

// Windows' own file systems ignore case: every spelling finds the file.
std::string FindExtensionCaseVariant(const std::string& name) { return name; }

}  // namespace mif

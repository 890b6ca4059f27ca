#include <windows.h>

#include "platform/FileSystem.h"
#include "platform/WindowsPath.h"

namespace mif {

std::optional<FileFacts> StatFile(const std::string& name) {
  // An open without access rights reads the attributes and the identity in
  // one go; a folder needs the backup flag to be opened at all.
  const HANDLE handle = CreateFileW(SystemPath(name).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  const BOOL ok = GetFileInformationByHandle(handle, &info);
  const DWORD type = GetFileType(handle);
  CloseHandle(handle);
  if (!ok) return std::nullopt;
  FileFacts facts;
  facts.kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileKind::Directory
               : type == FILE_TYPE_DISK                                ? FileKind::Disk
                                                                       : FileKind::Unknown;
  facts.identity = {info.dwVolumeSerialNumber,
                    (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
  facts.size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  return facts;
}

std::int32_t RenameFile(const std::string& from, const std::string& to) {
  // Write through: the rename is on the disk when the call returns.
  if (MoveFileExW(SystemPath(from).c_str(), SystemPath(to).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return 0;
  }
  return static_cast<std::int32_t>(GetLastError());
}

std::int32_t SyncFolderOf(const std::string&) { return 0; }

std::int32_t CheckNameFits(const std::string& name) {
  const std::wstring path = SystemPath(name);
  wchar_t root[MAX_PATH + 1];
  DWORD longest = 0;
  if (!GetVolumePathNameW(path.c_str(), root, MAX_PATH + 1) ||
      !GetVolumeInformationW(root, nullptr, 0, nullptr, &longest, nullptr, nullptr, 0)) {
    return 0;  // no answer: the open tells
  }
  const std::size_t delimiter = path.find_last_of(L"\\/");
  const std::size_t part = path.size() - (delimiter == std::wstring::npos ? 0 : delimiter + 1);
  return part > longest ? 206 : 0;
}

std::int32_t RemoveFile(const std::string& name) {
  return DeleteFileW(SystemPath(name).c_str()) ? 0 : static_cast<std::int32_t>(GetLastError());
}

// Links are rare on Windows, and written through by the file APIs anyway.
std::string FollowLinks(const std::string& name) { return name; }

bool IsDirectory(const std::string& name) {
  const DWORD attributes = GetFileAttributesW(SystemPath(name).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Windows' own file systems ignore case: the name itself found any variant.
std::optional<std::string> FindNameCaseVariant(const std::string&) { return std::nullopt; }

}  // namespace mif

#include <windows.h>

#include "Cp932.h"
#include "FileSystem.h"

namespace mif {

std::optional<FileIdentity> IdentifyFile(const std::string& name) {
  const std::u16string wide = DecodeCp932(name);
  const std::wstring path(wide.begin(), wide.end());
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

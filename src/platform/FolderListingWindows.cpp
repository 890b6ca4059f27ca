#include <windows.h>

#include <algorithm>

#include "platform/FolderListing.h"
#include "platform/WindowsPath.h"
#include "text/AsciiCase.h"
#include "text/Utf8.h"

namespace mif {

bool ListFolder(const std::string& folder,
                const std::function<void(std::string_view name, bool folder)>& entry) {
  std::string pattern = folder.empty() ? "." : folder;
  if (pattern.back() != '\\' && pattern.back() != '/' && pattern.back() != ':') pattern += '\\';
  WIN32_FIND_DATAW found;
  // Listed whole and matched by the caller: a pattern given to the system
  // would match 8.3 short names too (*.mif takes x.mifx).
  HANDLE search = FindFirstFileExW(SystemPath(pattern + "*").c_str(), FindExInfoBasic, &found,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    const std::wstring_view wide = found.cFileName;
    if (wide == L"." || wide == L"..") continue;
    entry(EncodeWtf8(std::u16string(wide.begin(), wide.end())),
          (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return true;
}

bool ListFolderFiles(const std::string& folder,
                     const std::function<void(std::string_view name, const FileIdentity&)>& entry) {
  const HANDLE listing =
      CreateFileW(SystemPath(folder.empty() ? "." : folder).c_str(), FILE_LIST_DIRECTORY,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (listing == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(listing, &info)) {
    CloseHandle(listing);
    return false;
  }
  // The file ids of a listing are the file indexes a query of each gives.
  std::vector<std::uint64_t> buffer(64 * 1024 / sizeof(std::uint64_t));
  const DWORD size = static_cast<DWORD>(buffer.size() * sizeof(std::uint64_t));
  FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
  while (GetFileInformationByHandleEx(listing, kind, buffer.data(), size)) {
    kind = FileIdBothDirectoryInfo;
    const char* at = reinterpret_cast<const char*>(buffer.data());
    for (;;) {
      const auto* found = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
      constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
      if ((found->FileAttributes & kNotPlain) == 0) {
        const std::u16string name(reinterpret_cast<const char16_t*>(found->FileName),
                                  found->FileNameLength / sizeof(wchar_t));
        entry(EncodeWtf8(name),
              {info.dwVolumeSerialNumber, static_cast<std::uint64_t>(found->FileId.QuadPart)});
      }
      if (found->NextEntryOffset == 0) break;
      at += found->NextEntryOffset;
    }
  }
  const DWORD error = GetLastError();
  CloseHandle(listing);
  return error == ERROR_NO_MORE_FILES;
}

// Bytes compare unsigned, as std::string's own order does: a name that
// begins with データ (E3 83 87) comes after one that begins with 5.
bool NameLess(std::string_view a, std::string_view b) {
  const auto folded = [](char c) { return static_cast<unsigned char>(AsciiLower(c)); };
  const bool less =
      std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                   [&](char x, char y) { return folded(x) < folded(y); });
  return less || (EqualsIgnoringAsciiCase(a, b) && a < b);
}

bool NamesIgnoreCase() { return true; }

}  // namespace mif

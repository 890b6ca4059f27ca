#include <windows.h>

#include <algorithm>

#include "platform/FolderListing.h"
#include "platform/WindowsPath.h"
#include "text/AsciiCase.h"
#include "text/Utf8.h"

namespace mif {

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder) {
  std::string pattern = folder.empty() ? "." : folder;
  if (pattern.back() != '\\' && pattern.back() != '/' && pattern.back() != ':') pattern += '\\';
  WIN32_FIND_DATAW found;
  // Listed whole and matched by the caller: a pattern given to the system
  // would match 8.3 short names too (*.mif takes x.mifx).
  HANDLE search = FindFirstFileExW(SystemPath(pattern + "*").c_str(), FindExInfoBasic, &found,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return std::vector<FolderEntry>();
    return std::nullopt;
  }
  std::vector<FolderEntry> entries;
  do {
    const std::wstring_view wide = found.cFileName;
    if (wide == L"." || wide == L"..") continue;
    entries.push_back({EncodeWtf8(std::u16string(wide.begin(), wide.end())),
                       (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return entries;
}

bool NameLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(
             a.begin(), a.end(), b.begin(), b.end(),
             [](char x, char y) { return AsciiLower(x) < AsciiLower(y); }) ||
         (EqualsIgnoringAsciiCase(a, b) && a < b);
}

bool NamesIgnoreCase() { return true; }

}  // namespace mif

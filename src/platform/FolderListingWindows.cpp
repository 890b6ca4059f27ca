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

#include "platform/WindowsPath.h"

#include <windows.h>

#include "text/Utf8.h"

namespace mif {

namespace {

// Below this a name works as it is; the directory functions stop at 248.
constexpr std::size_t kClassicLimit = 248;

std::wstring FullPath(const std::wstring& name) {
  const DWORD size = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (size == 0) return name;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(name.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return name;
  full.resize(length);
  return full;
}

}  // namespace

std::wstring SystemPath(const std::string& path) {
  const std::u16string wide = DecodeWtf8(path);
  std::wstring name(wide.begin(), wide.end());
  if (name.size() < kClassicLimit || name.rfind(L"\\\\?\\", 0) == 0) return name;
  // GetFullPathNameW also turns "/" into "\", which \\?\ names do not.
  const std::wstring full = FullPath(name);
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

}  // namespace mif

// The Win32 file seam on real files, under Windows or Wine.
#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <sstream>

#include "NextLineOf.h"
#include "ScratchDir.h"
#include "StatusCodeOf.h"
#include "cli/Mifjoin.h"
#include "file/TextLineFile.h"
#include "merge/MergeError.h"
#include "merge/MergeFixture.h"
#include "platform/FileSystem.h"
#include "platform/PathDelimiters.h"

namespace mif {
namespace {

using testing::PartsInputs;
using testing::ReadBytes;
using testing::ScratchDir;
using testing::StatusCodeOf;
using testing::WriteBytes;

// Wine says so through an export of its ntdll.
bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

const std::string kHeader = "Version 300\r\nColumns 1\r\n  ID Integer\r\nData\r\n";

TEST(FileDeviceWindows, TwoReadersShareAFileAWriterIsRefusedWith32) {
  ScratchDir dir;
  WriteBytes(dir.File("a.txt"), "one\r\ntwo\r\n");
  TextLineFile first(dir.File("a.txt")), second(dir.File("a.txt"));
  first.OpenForRead();
  second.OpenForRead();
  EXPECT_EQ(testing::NextLineOf(first), "one");
  EXPECT_EQ(testing::NextLineOf(second), "one");
  TextLineFile writer(dir.File("a.txt"));
  EXPECT_EQ(StatusCodeOf([&] { writer.CreateForWrite(); }), 32);
  EXPECT_EQ(StatusCodeOf([&] { writer.OpenForRewrite(); }), 32);
  EXPECT_EQ(ReadBytes(dir.File("a.txt")), "one\r\ntwo\r\n");  // not emptied
}

TEST(FileDeviceWindows, TheSystemsCodesOfRealOpens) {
  ScratchDir dir;
  EXPECT_EQ(StatusCodeOf([&] { TextLineFile(dir.File("none.txt")).OpenForRead(); }), 2);
  EXPECT_EQ(StatusCodeOf([&] { TextLineFile(dir.File("no\\dir\\x.txt")).CreateForWrite(); }), 3);
  // A folder opened for writing.
  EXPECT_EQ(StatusCodeOf([&] { TextLineFile(dir.Folder()).CreateForWrite(); }), 5);
  WriteBytes(dir.File("ro.txt"), "x");
  SetFileAttributesW(testing::Utf8Path(dir.File("ro.txt")).c_str(), FILE_ATTRIBUTE_READONLY);
  const std::int32_t readOnly =
      StatusCodeOf([&] { TextLineFile(dir.File("ro.txt")).OpenForRewrite(); });
  // Wine keeps the attribute as the Unix file's mode, which root (as in CI)
  // may write all the same; Windows refuses.
  if (!RunningUnderWine()) {
    EXPECT_EQ(readOnly, 5);
  }
  SetFileAttributesW(testing::Utf8Path(dir.File("ro.txt")).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileDeviceWindows, NulIsACharacterDevice) {
  TextLineFile nul("NUL");
  nul.CreateForWrite();  // a device, not an empty file named NUL
  nul.WriteLine("gone");
  nul.CloseFile();
}

// Files are opened by the wide names the system gives, whatever code page
// 932 holds: a folder typed with U+301C 〜 (as macOS and JIS-based input
// give it), a user folder in Korean.
TEST(FileDeviceWindows, NamesOpenByTheSystemsWideNames) {
  ScratchDir dir;
  for (const std::string folder : {"データ〜2024", "사용자"}) {
    std::filesystem::create_directory(testing::Utf8Path(dir.File(folder)));
  }
  // ソ is 83 5C in code page 932: its trail byte is a backslash.
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"データ〜2024\\北海道__道路", "\x93\xB9\x98\x48"},  // 道路
      {"사용자\\1__ソース", "\x83\x5C\x81\x5B\x83\x58"},   // ソース
      {"1__한", "?"}};
  for (const auto& [base, layer] : cases) {
    WriteBytes(dir.File(base + ".mif"), kHeader + "Point 1 1\r\n");
    WriteBytes(dir.File(base + ".mid"), "7\r\n");
    PartsInputs inputs({MakeSourceParts(dir.File(base + ".mif"))}, dir.File("사용자\\結合.mif"));
    RunMerge(inputs);
    EXPECT_EQ(ReadBytes(dir.File("사용자\\結合.mid")), "\"" + layer + "\"\t7\r\n") << base;
    EXPECT_EQ(inputs.warnings.size(), layer == "?" ? 1u : 0u) << base;
  }
}

// The cut after a failed close opens the file to append: its size above
// 4 GiB, where the high word matters.
TEST(FileDeviceWindows, CutPastFourGibibytes) {
  ScratchDir dir;
  const std::string name = dir.File("big.txt");
  const std::uintmax_t size = (std::uintmax_t{1} << 32) + 3;
  {
    WriteBytes(name, "");
    const HANDLE file = CreateFileW(testing::Utf8Path(name).c_str(), GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD ignored = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size);
    const bool grown = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    if (!grown) GTEST_SKIP() << "no room for a sparse file of 4 GiB here";
  }
  TextLineFile file(name);
  file.CutTo(size - 1);
  EXPECT_EQ(std::filesystem::file_size(testing::Utf8Path(name)), size - 1);
}

TEST(FileDeviceWindows, AnOutputThatIsASourceByAnotherSpellingIsRefused) {
  ScratchDir dir;
  // Longer than 8.3, so that the file system may give it a short name.
  WriteBytes(dir.File("roadsource.mif"), kHeader + "Point 1 1\r\n");
  WriteBytes(dir.File("roadsource.mid"), "1\r\n");
  std::filesystem::create_hard_link(testing::Utf8Path(dir.File("roadsource.mid")),
                                    testing::Utf8Path(dir.File("link.mid")));
  std::vector<std::string> spellings = {dir.File("ROADSOURCE.MIF"), dir.File(".\\roadsource.mif"),
                                        dir.Folder() + "/roadsource.mif", dir.File("link")};
  wchar_t shortName[MAX_PATH];
  const std::wstring longName = testing::Utf8Path(dir.File("roadsource.mif")).wstring();
  const DWORD length = GetShortPathNameW(longName.c_str(), shortName, MAX_PATH);
  if (length > 0 && length < MAX_PATH && std::wstring(shortName) != longName) {
    spellings.push_back(testing::Utf8Of(std::filesystem::path(shortName)));
  } else {
    std::cerr << "[   NOTE   ] the volume makes no 8.3 names: that spelling is not tested\n";
  }
  for (const std::string& output : spellings) {
    PartsInputs inputs({SourceParts{"roadsource", dir.Folder()}}, output);
    EXPECT_THROW(RunMerge(inputs), EMergeError) << output;
  }
  EXPECT_EQ(ReadBytes(dir.File("roadsource.mif")), kHeader + "Point 1 1\r\n");
}

TEST(FileDeviceWindows, DelimitersAndCaseAreWindowsOnes) {
  EXPECT_EQ(PathDelimiters(), std::string_view("\\:/"));
  ScratchDir dir;
  WriteBytes(dir.File("x.MID"), "");
  // A file system that ignores case finds x.MID by any spelling.
  EXPECT_EQ(FindNameCaseVariant(dir.File("x.mid")), std::nullopt);  // the name finds it
  const auto facts = StatFile(dir.File("x.mid"));
  ASSERT_TRUE(facts);
  EXPECT_EQ(facts->kind, FileKind::Disk);
}

// Creates every folder of a path longer than MAX_PATH.
void CreateDeepFolders(const std::wstring& path) {
  for (std::size_t at = path.find(L'\\', 7); at != std::wstring::npos;
       at = path.find(L'\\', at + 1)) {
    CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  }
  CreateDirectoryW(path.c_str(), nullptr);
}

TEST(FileDeviceWindows, PathsLongerThan260CharactersWorkInMifjoin) {
  ScratchDir dir;
  std::string deep = dir.File("");
  while (deep.size() < 300) deep += "ふかいフォルダー_" + std::to_string(deep.size()) + "\\";
  const std::wstring wide = L"\\\\?\\" + testing::Utf8Path(deep).wstring();
  CreateDeepFolders(wide.substr(0, wide.size() - 1));
  const auto write = [&](const std::string& name, const std::string& bytes) {
    const HANDLE file = CreateFileW((wide + testing::Utf8Path(name).wstring()).c_str(),
                                    GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  };
  write("1__深.mif", kHeader + "Point 1 1\r\n");
  write("1__深.mid", "1\r\n");
  std::ostringstream out, err;
  EXPECT_EQ(RunMifjoin({"-q", "-o", deep + "out", deep + "1__深.mif"}, out, err, {}), 0)
      << err.str();
  EXPECT_TRUE(StatFile(deep + "out.mid"));
  TextLineFile merged(deep + "out.mid");
  merged.OpenForRead();
  EXPECT_EQ(testing::NextLineOf(merged), "\"\x90\x5B\"\t1");  // 深 90 5B
  merged.CloseFile();
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(wide), ignored);
}

}  // namespace
}  // namespace mif

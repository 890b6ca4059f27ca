#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <streambuf>

#include "platform/Console.h"
#include "text/Utf8.h"

namespace mif {

namespace {

constexpr std::size_t kFlushAt = 4096;

// Bytes of a UTF-8 sequence cut off at the end of `text`, kept for the next
// write so that a character is never split between two console writes.
std::size_t CutOffTail(const std::string& text) {
  std::size_t back = 0;
  while (back < text.size() && back < 3 &&
         (static_cast<unsigned char>(text[text.size() - 1 - back]) & 0xC0) == 0x80) {
    ++back;
  }
  if (back == text.size()) return 0;
  const auto lead = static_cast<unsigned char>(text[text.size() - 1 - back]);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  return length > back + 1 ? back + 1 : 0;
}

class ConsoleBuffer final : public std::streambuf {
 public:
  explicit ConsoleBuffer(DWORD which) : handle_(GetStdHandle(which)) {
    DWORD mode = 0;
    console_ = GetConsoleMode(handle_, &mode) != 0;
    // The progress line redraws itself with escape sequences where the
    // console takes them; older consoles, and Wine's, refuse them.
    escapes_ = console_ && SetConsoleMode(handle_, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
  }
  ~ConsoleBuffer() override { Flush(true); }
  bool IsConsole() const { return console_; }
  bool TakesEscapes() const { return escapes_; }

 protected:
  int_type overflow(int_type c) override {
    if (c != traits_type::eof()) pending_.push_back(static_cast<char>(c));
    if (pending_.size() >= kFlushAt) Flush(false);
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char* bytes, std::streamsize count) override {
    pending_.append(bytes, static_cast<std::size_t>(count));
    if (pending_.size() >= kFlushAt) Flush(false);
    return count;
  }
  int sync() override {
    Flush(false);
    return 0;
  }

 private:
  void Flush(bool all) {
    const std::size_t keep = all ? 0 : CutOffTail(pending_);
    const std::string text = pending_.substr(0, pending_.size() - keep);
    pending_.erase(0, text.size());
    if (text.empty() || handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    if (!console_) {
      WriteFile(handle_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
      return;
    }
    const std::u16string wide = DecodeUtf8(text).value_or(u"?");
    WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
  }

  HANDLE handle_;
  bool console_ = false;
  bool escapes_ = false;
  std::string pending_;
};

ConsoleBuffer& ErrorBuffer() {
  static ConsoleBuffer buffer(STD_ERROR_HANDLE);
  return buffer;
}

}  // namespace

std::vector<std::string> CommandLineArguments(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; wide != nullptr && i < count; ++i) {
    const std::wstring_view argument(wide[i]);
    arguments.push_back(EncodeWtf8(std::u16string(argument.begin(), argument.end())));
  }
  LocalFree(wide);
  return arguments;
}

std::ostream& StandardOutput() {
  static ConsoleBuffer buffer(STD_OUTPUT_HANDLE);
  static std::ostream stream(&buffer);
  return stream;
}

std::ostream& StandardError() {
  static std::ostream stream(&ErrorBuffer());
  stream.setf(std::ios::unitbuf);
  return stream;
}

bool StandardErrorIsTerminal() { return ErrorBuffer().IsConsole(); }

bool StandardErrorTakesEscapes() { return ErrorBuffer().TakesEscapes(); }

}  // namespace mif

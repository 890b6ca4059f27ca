#include "TextLineFile.h"

#include <algorithm>
#include <cstring>

#include "Cp932.h"
#include "Exception.h"

namespace mif {

namespace {

constexpr char kCtrlZ = 0x1A;
constexpr std::int32_t kNotOpen = 103;
constexpr std::int32_t kNotOpenForReading = 104;
constexpr std::int32_t kNotOpenForWriting = 105;

// One per thread: a failing step stores its code, replacing any before it;
// the check that ends every operation takes it.
thread_local std::int32_t pendingCode = 0;

void Store(std::int32_t code) {
  if (code != 0) pendingCode = code;
}

void CheckPending(const std::string& name) {
  const std::int32_t code = pendingCode;
  pendingCode = 0;
  if (code != 0) throw EInOutError(code, name);
}

// Length of the run before the first LF, CR or Ctrl-Z; `count` if none.
std::size_t PlainRunLength(const char* bytes, std::size_t count) {
  std::size_t run = count;
  if (const void* lf = std::memchr(bytes, '\n', run)) run = static_cast<const char*>(lf) - bytes;
  if (const void* cr = std::memchr(bytes, '\r', run)) run = static_cast<const char*>(cr) - bytes;
  if (const void* z = std::memchr(bytes, kCtrlZ, run)) run = static_cast<const char*>(z) - bytes;
  return run;
}

}  // namespace

TextLineFile::TextLineFile(std::string name, std::size_t bufferSize,
                           std::unique_ptr<FileDevice> device)
    : name_(std::move(name)),
      device_(std::move(device)),
      buffer_(new char[std::max<std::size_t>(bufferSize, 1)]),
      bufferSize_(std::max<std::size_t>(bufferSize, 1)) {}

TextLineFile::~TextLineFile() {
  if (mode_ == Mode::Closed) return;
  if (mode_ == Mode::Output && position_ > 0) device_->Drain(buffer_.get(), position_);
  device_->Close();
}

void TextLineFile::OpenForRead() { Open(Mode::Input, FileOpenMode::Read); }
void TextLineFile::CreateForWrite() { Open(Mode::Output, FileOpenMode::Create); }
void TextLineFile::OpenForAppend() { Open(Mode::InOut, FileOpenMode::Append); }

void TextLineFile::Open(Mode mode, FileOpenMode deviceMode) {
  if (mode_ != Mode::Closed) {
    CloseSteps();
    device_->Close();  // the old file is given up even when its close failed
  }
  position_ = end_ = 0;
  bytesRead_ = 0;
  mode_ = mode;
  FileKind kind = FileKind::Unknown;
  const std::int32_t code = device_->Open(name_, deviceMode, kind);
  if (code != 0) {
    mode_ = Mode::Closed;
    Store(code);
  } else if (mode != Mode::Input) {
    if (kind == FileKind::Unknown) {
      device_->Close();
      mode_ = Mode::Closed;
      Store(kNotOpenForWriting);
    } else {
      mode_ = Mode::Output;
      drainEveryLine_ = kind == FileKind::CharacterDevice;
    }
  }
  CheckPending(name_);
}

// True when a byte is ready at position_: one read, or the Ctrl-Z planted
// at the physical end, which keeps the text at its end from then on.
bool TextLineFile::Fill() {
  position_ = end_ = 0;
  std::size_t count = 0;
  const std::int32_t code = device_->Fill(buffer_.get(), bufferSize_, count);
  if (code != 0) {
    Store(code);
    return false;
  }
  bytesRead_ += count;
  if (count == 0) {
    buffer_[0] = kCtrlZ;
    count = 1;
  }
  end_ = count;
  return true;
}

std::string TextLineFile::ReadLine() {
  std::string line;
  ReadLine(line);
  return line;
}

void TextLineFile::ReadLine(std::string& line) {
  line.clear();
  if (mode_ != Mode::Input) {
    Store(kNotOpenForReading);
    CheckPending(name_);
    return;
  }
  for (;;) {
    if (position_ == end_ && !Fill()) break;
    const char* next = buffer_.get() + position_;
    const std::size_t run = PlainRunLength(next, end_ - position_);
    line.append(next, run);
    position_ += run;
    if (position_ == end_) continue;
    const char stop = buffer_[position_];
    if (stop == kCtrlZ) break;  // stays unread: the text ends here for good
    ++position_;
    if (stop == '\n') break;
    // A CR: with LF after it a line break; otherwise dropped.
    if (position_ == end_ && !Fill()) break;
    if (buffer_[position_] == '\n') {
      ++position_;
      break;
    }
  }
  CheckPending(name_);
}

bool TextLineFile::AtEndOfFile() {
  bool atEnd = true;
  if (mode_ != Mode::Input) {
    Store(kNotOpenForReading);
  } else if (position_ < end_ || Fill()) {
    atEnd = buffer_[position_] == kCtrlZ;
  }
  CheckPending(name_);
  return atEnd;
}

void TextLineFile::WriteLine(std::string_view narrow) {
  WriteBytes(narrow.data(), narrow.size());
  WriteBytes("\r\n", 2);
  if (drainEveryLine_ && mode_ == Mode::Output) Drain();
  CheckPending(name_);
}

void TextLineFile::WriteLine(std::u16string_view wide) {
  EncodeCp932(wide, encoded_);
  WriteLine(std::string_view(encoded_));
}

void TextLineFile::WriteBytes(const char* bytes, std::size_t count) {
  if (mode_ != Mode::Output) {
    Store(kNotOpenForWriting);
    return;
  }
  while (count > 0) {
    const std::size_t part = std::min(count, bufferSize_ - position_);
    std::memcpy(buffer_.get() + position_, bytes, part);
    position_ += part;
    bytes += part;
    count -= part;
    if (position_ == bufferSize_ && !Drain()) return;  // the rest of this write is dropped
  }
}

// The buffer is empty afterwards, whether the write succeeded or not.
bool TextLineFile::Drain() {
  if (position_ == 0) return true;
  const std::int32_t code = device_->Drain(buffer_.get(), position_);
  position_ = 0;
  Store(code);
  return code == 0;
}

void TextLineFile::CloseFile() {
  CloseSteps();
  CheckPending(name_);
}

void TextLineFile::CloseSteps() {
  if (mode_ == Mode::Closed) {
    Store(kNotOpen);
    return;
  }
  if (mode_ == Mode::Output && !Drain()) return;
  mode_ = Mode::Closed;
  Store(device_->Close());
}

}  // namespace mif

#include "file/TextLineFile.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "file/InOutError.h"
#include "text/AsciiRun.h"
#include "text/Cp932.h"

namespace mif {

namespace {

constexpr char kCtrlZ = 0x1A;
constexpr std::int32_t kNotOpen = 103;
constexpr std::int32_t kNotOpenForReading = 104;
constexpr std::int32_t kNotOpenForWriting = 105;
constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();
// Buffers this large write long runs without copying them (WriteBytes).
constexpr std::size_t kDirectWriteBuffer = 64 * 1024;
constexpr std::size_t kGrowInSteps = 1024 * 1024;

// Length of the LF or CR LF at `stop` when it lies whole before `end`;
// 0 for anything else (a lone CR, a CR at the end, Ctrl-Z, the end).
std::size_t WholeBreakAt(const char* bytes, std::size_t stop, std::size_t end) {
  if (stop < end && bytes[stop] == '\n') return 1;
  if (stop + 1 < end && bytes[stop] == '\r' && bytes[stop + 1] == '\n') return 2;
  return 0;
}

}  // namespace

void LineObserver::CrLfLines(std::string_view lines) {
  ForEachCrLfLine(lines, [this](std::string_view line) { Line(line); });
}

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

void TextLineFile::RaisePending() {
  const std::int32_t code = pending_;
  pending_ = 0;
  throw EInOutError(code, name_);
}

void TextLineFile::OpenForRead() {
  Open(Mode::Input, noWait_ ? FileOpenMode::ReadNoWait : FileOpenMode::Read);
}
void TextLineFile::CreateForWrite() { Open(Mode::Output, FileOpenMode::Create); }
void TextLineFile::OpenForRewrite() { Open(Mode::Output, FileOpenMode::Rewrite); }

void TextLineFile::Flush() {
  pending_ = 0;
  if (mode_ != Mode::Output) {
    Store(kNotOpenForWriting);
  } else {
    Drain();
  }
  CheckPending();
}

void TextLineFile::Open(Mode mode, FileOpenMode deviceMode) {
  pending_ = 0;
  if (mode_ != Mode::Closed) {
    CloseSteps();
    device_->Close();  // the old file is given up even when its close failed
  }
  position_ = end_ = 0;
  bytesRead_ = sizeAtOpen_ = written_ = 0;
  insideLine_ = endMet_ = textAfterCtrlZ_ = false;
  mode_ = mode;
  facts_ = FileFacts{};
  std::int32_t code = device_->Open(name_, deviceMode, facts_);
  if (code == 0 && mode == Mode::InOut) code = device_->Size(sizeAtOpen_);
  if (code != 0) {
    if (mode == Mode::InOut) device_->Close();
    mode_ = Mode::Closed;
    Store(code);
  } else if (mode != Mode::Input) {
    if (facts_.kind == FileKind::Unknown) {
      device_->Close();
      mode_ = Mode::Closed;
      Store(kNotOpenForWriting);
    } else {
      mode_ = Mode::Output;
      drainEveryLine_ = facts_.kind == FileKind::CharacterDevice;
    }
  }
  CheckPending();
}

void TextLineFile::ResizeBuffer(std::size_t size) {
  const std::size_t unread = mode_ == Mode::Input ? end_ - position_ : 0;
  if (mode_ == Mode::Output && position_ > 0) Flush();
  size = std::max({size, unread, std::size_t{1}});
  std::unique_ptr<char[]> buffer(new char[size]);
  std::memcpy(buffer.get(), buffer_.get() + position_, unread);
  buffer_ = std::move(buffer);
  bufferSize_ = size;
  crLf_.reset();
  if (mode_ == Mode::Input) {
    position_ = 0;
    end_ = unread;
  }
}

void TextLineFile::SkipByteOrderMark() {
  pending_ = 0;
  if (mode_ != Mode::Input) {
    Store(kNotOpenForReading);
  } else if (bytesRead_ == 0 && Fill() && end_ >= 3 &&
             std::memcmp(buffer_.get(), "\xEF\xBB\xBF", 3) == 0) {
    position_ = 3;
  }
  CheckPending();
}

// True when a byte is ready at position_: one read, or the Ctrl-Z planted
// at the physical end, which keeps the text at its end from then on.
bool TextLineFile::Fill() {
  position_ = end_;
  std::size_t count = 0;
  if (!ReadAfterUnread(count)) return false;
  if (count == 0) {
    buffer_[0] = kCtrlZ;
    end_ = 1;
    endMet_ = true;
  }
  return true;
}

bool TextLineFile::ReadAfterUnread(std::size_t& count) {
  const std::size_t unread = end_ - position_;
  std::memmove(buffer_.get(), buffer_.get() + position_, unread);
  position_ = 0;
  end_ = unread;
  // A disk file read to the size it had at the open is at its end: the
  // read that would say so costs a call a file, thousands in a tile set.
  std::size_t capacity = bufferSize_ - unread;
  if (facts_.kind == FileKind::Disk && facts_.size > 0) {
    const std::uint64_t left = facts_.size - std::min(bytesRead_, facts_.size);
    capacity = static_cast<std::size_t>(std::min<std::uint64_t>(capacity, left));
  }
  count = 0;
  const std::int32_t code =
      capacity == 0 ? 0 : device_->Fill(buffer_.get() + unread, capacity, count);
  Store(code);
  bytesRead_ += count;
  end_ += count;
  return code == 0;
}

bool TextLineFile::NextLine(std::string_view& line) {
  bool last = true;
  return NextLinePiece(line, last, kNoLimit);
}

bool TextLineFile::NextLinePiece(std::string_view& piece, bool& last, std::size_t maxPiece) {
  pending_ = 0;
  if (!insideLine_ && AtEndStep()) {
    CheckPending();
    return false;
  }
  piece = TakeLine(std::max<std::size_t>(maxPiece, 1), last);
  insideLine_ = !last;
  CheckPending();
  return true;
}

std::string_view TextLineFile::TakeLine(std::size_t limit, bool& last) {
  last = true;
  if (mode_ != Mode::Input) {
    Store(kNotOpenForReading);
    return {};
  }
  // The common case: the whole line and its LF or CR LF in the buffer.
  const char* next = buffer_.get() + position_;
  const std::size_t run = FindLineStop(next, end_ - position_);
  const std::size_t lineBreak = WholeBreakAt(next, run, end_ - position_);
  if (lineBreak == 0 || run > limit) return CollectLine(limit, last);
  position_ += run + lineBreak;
  return {next, run};
}

// A line across fills, a lone CR, a Ctrl-Z, the end of the file, or the
// first `limit` bytes of a longer line.
std::string_view TextLineFile::CollectLine(std::size_t limit, bool& last) {
  line_.clear();
  for (;;) {
    if (position_ == end_ && !Fill()) break;
    const char* next = buffer_.get() + position_;
    const std::size_t run = FindLineStop(next, end_ - position_);
    const std::size_t room = limit - line_.size();
    const std::size_t take = std::min(run, room);
    if (line_.size() + take > line_.capacity() && limit != kNoLimit) {
      // Past a few buffers a bounded line takes its bound at once: doubling
      // up to 16 MiB would leave every smaller step behind in the heap.
      const std::size_t needed = line_.size() + take;
      line_.reserve(
          needed > kGrowInSteps ? limit : std::min(limit, std::max(2 * line_.capacity(), needed)));
    }
    line_.append(next, take);
    position_ += take;
    if (run > room) {
      last = false;
      break;
    }
    if (position_ == end_) continue;
    const char stop = buffer_[position_];
    if (stop == kCtrlZ) break;  // stays unread: the text ends here for good
    ++position_;
    if (stop == '\n') break;
    // A CR: with LF after it a line break; otherwise dropped, or a break
    // of its own.
    if (position_ == end_ && !Fill()) break;
    if (buffer_[position_] == '\n') {
      ++position_;
      break;
    }
    if (loneCrEndsLine_) break;
  }
  return line_;
}

std::size_t TextLineFile::CrLfLinesEnd(LineObserver* observer, bool asciiOnly) const {
  const char* bytes = buffer_.get() + position_;
  std::size_t end = CrLfRunLength(bytes, end_ - position_, asciiOnly);
  while (end > 0 && bytes[end - 1] != '\n') --end;  // a line cut short
  if (end > 0 && observer != nullptr) observer->CrLfLines({bytes, end});
  return position_ + end;
}

std::size_t TextLineFile::TakeLfLines(std::size_t from, bool asciiOnly, std::string_view& lines) {
  // Only where the next line ends in LF alone: a file of CR LF lines never
  // makes room for them.
  const char* next = buffer_.get() + from;
  const auto* lineFeed = static_cast<const char*>(std::memchr(next, '\n', end_ - from));
  if (lineFeed == nullptr || (lineFeed > next && lineFeed[-1] == '\r')) return from;
  if (!crLf_) crLf_.reset(new char[2 * bufferSize_ + 32]);  // as ExpandLfLines asks
  std::size_t written = 0;
  const std::size_t taken =
      ExpandLfLines(buffer_.get() + from, end_ - from, asciiOnly, crLf_.get(), written);
  lines = {crLf_.get(), written};
  return from + taken;
}

bool TextLineFile::CopyBufferedLines(TextLineFile& output, LineObserver* observer, bool asciiOnly) {
  pending_ = output.pending_ = 0;
  if (mode_ != Mode::Input) {
    Store(kNotOpenForReading);
    CheckPending();
    return false;
  }
  // A device wants each line on its own; a line begun by NextLinePiece
  // goes on there.
  if (output.drainEveryLine_ || insideLine_) return false;
  const char* bytes = buffer_.get();
  std::size_t start = position_;  // of the bytes not yet written
  // Lines already in CR LF, the common case, go on in one piece; lines in
  // LF alone get their CR a block at a time; the per-line walk below takes
  // the rest.
  std::size_t next = CrLfLinesEnd(observer, asciiOnly);
  std::string_view lines;
  for (std::size_t lfEnd = TakeLfLines(next, asciiOnly, lines); lfEnd > next;
       lfEnd = TakeLfLines(next, asciiOnly, lines)) {
    output.WriteBytes(bytes + start, next - start);
    if (observer != nullptr) observer->CrLfLines(lines);
    output.WriteBytes(lines.data(), lines.size());
    start = position_ = lfEnd;
    next = CrLfLinesEnd(observer, asciiOnly);
  }
  // One scan for the first byte from 0x80 up, not one a line: lines are
  // short, and a scan's start and tail cost more than its words.
  const std::size_t asciiEnd =
      asciiOnly
          ? next + AsciiRunLength(reinterpret_cast<const unsigned char*>(bytes + next), end_ - next)
          : end_;
  for (;;) {
    const std::size_t stop = next + FindLineStop(bytes + next, end_ - next);
    const std::size_t lineBreak = WholeBreakAt(bytes, stop, end_);
    const std::string_view line(bytes + next, stop - next);
    if (lineBreak == 0 || stop > asciiEnd) break;
    if (observer != nullptr) observer->Line(line);
    if (lineBreak == 2) {
      next = stop + 2;  // already as WriteLine writes it
    } else {
      output.WriteBytes(bytes + start, stop - start);
      output.WriteBytes("\r\n", 2);
      start = next = stop + 1;
    }
  }
  output.WriteBytes(bytes + start, next - start);
  position_ = next;
  output.CheckPending();
  const bool readOn = ReadOnAfterCutLine();
  CheckPending();
  return readOn;
}

bool TextLineFile::ReadOnAfterCutLine() {
  // A long line is left to NextLinePiece, which bounds what it holds.
  if (end_ - position_ >= bufferSize_ / 2) return false;
  const char* unread = buffer_.get() + position_;
  const std::size_t stop = FindLineStop(unread, end_ - position_);
  const bool cut =
      stop == end_ - position_ || (stop + 1 == end_ - position_ && unread[stop] == '\r');
  std::size_t count = 0;
  return cut && ReadAfterUnread(count) && count > 0;
}

std::string_view TextLineFile::TakeCrLfLines(bool asciiOnly) {
  pending_ = 0;
  if (mode_ != Mode::Input) {
    Store(kNotOpenForReading);
    CheckPending();
    return {};
  }
  if (insideLine_) return {};
  std::size_t end = CrLfLinesEnd(nullptr, asciiOnly);
  std::string_view lfLines;
  std::size_t lfEnd = end == position_ ? TakeLfLines(position_, asciiOnly, lfLines) : position_;
  if (end == position_ && lfEnd == position_) {
    ReadOnAfterCutLine();
    // The unread bytes may have moved to the front.
    end = CrLfLinesEnd(nullptr, asciiOnly);
    lfEnd = end == position_ ? TakeLfLines(position_, asciiOnly, lfLines) : position_;
  }
  CheckPending();
  std::string_view lines(buffer_.get() + position_, end - position_);
  if (lfEnd > position_) {
    lines = lfLines;
    end = lfEnd;
  }
  position_ = end;
  return lines;
}

std::string_view TextLineFile::TakeBytes() {
  pending_ = 0;
  std::string_view bytes;
  if (!AtEndStep()) {  // fills an empty buffer; looks past a Ctrl-Z
    const char* next = buffer_.get() + position_;
    const void* ctrlZ = std::memchr(next, kCtrlZ, end_ - position_);
    const std::size_t count = ctrlZ != nullptr
                                  ? static_cast<std::size_t>(static_cast<const char*>(ctrlZ) - next)
                                  : end_ - position_;
    bytes = {next, count};
    position_ += count;
  }
  CheckPending();
  return bytes;
}

bool TextLineFile::AtEndStep() {
  if (mode_ != Mode::Input) {
    Store(kNotOpenForReading);
    return true;
  }
  if (position_ < end_ || Fill()) {
    if (buffer_[position_] != kCtrlZ) return false;
    if (!endMet_) LookPastCtrlZ();
    return true;
  }
  return true;
}

void TextLineFile::LookPastCtrlZ() {
  endMet_ = true;
  const auto trailing = [](char c) {
    return c == kCtrlZ || c == ' ' || c == '\t' || c == '\r' || c == '\n';
  };
  for (;;) {
    const char* bytes = buffer_.get();
    if (!std::all_of(bytes + position_, bytes + end_, trailing)) {
      textAfterCtrlZ_ = true;
      break;
    }
    position_ = end_;
    std::size_t count = 0;
    if (!ReadAfterUnread(count) || count == 0) break;
  }
  buffer_[0] = kCtrlZ;
  position_ = 0;
  end_ = 1;
}

void TextLineFile::WriteLine(std::string_view narrow) { WriteLine(std::string_view(), narrow); }

void TextLineFile::WriteLine(std::string_view first, std::string_view second) {
  pending_ = 0;
  const std::size_t size = first.size() + second.size() + 2;
  if (mode_ == Mode::Output && bufferSize_ - position_ > size) {
    // Fits with room to spare, so no drain falls inside the line.
    char* out = buffer_.get() + position_;
    if (!first.empty()) std::memcpy(out, first.data(), first.size());
    if (!second.empty()) std::memcpy(out + first.size(), second.data(), second.size());
    out[size - 2] = '\r';
    out[size - 1] = '\n';
    position_ += size;
  } else {
    WriteBytes(first.data(), first.size());
    WriteBytes(second.data(), second.size());
    WriteBytes("\r\n", 2);
  }
  if (drainEveryLine_ && mode_ == Mode::Output) Drain();
  CheckPending();
}

void TextLineFile::WriteLine(std::u16string_view wide) {
  EncodeCp932(wide, encoded_);
  WriteLine(std::string_view(encoded_));
}

void TextLineFile::WritePiece(std::string_view bytes) {
  pending_ = 0;
  WriteBytes(bytes.data(), bytes.size());
  CheckPending();
}

void TextLineFile::WriteBytes(const char* bytes, std::size_t count) {
  if (mode_ != Mode::Output) {
    Store(kNotOpenForWriting);
    return;
  }
  // A large buffer takes a run of half its size or more straight to the
  // device, after what waits: copied, it would cost a pass over every byte
  // of a merge for nothing.
  if (bufferSize_ >= kDirectWriteBuffer && count >= bufferSize_ / 2) {
    if (Drain()) Hand(bytes, count);
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
  const std::size_t count = position_;
  position_ = 0;
  return Hand(buffer_.get(), count);
}

bool TextLineFile::Hand(const char* bytes, std::size_t count) {
  const std::int32_t code = device_->Drain(bytes, count);
  if (code == 0) written_ += count;
  Store(code);
  return code == 0;
}

void TextLineFile::CloseFile() {
  pending_ = 0;
  CloseSteps();
  CheckPending();
}

void TextLineFile::CloseFileDurably() {
  pending_ = 0;
  CloseSteps(true);
  CheckPending();
}

void TextLineFile::CloseSteps(bool durably) {
  if (mode_ == Mode::Closed) {
    Store(kNotOpen);
    return;
  }
  if (mode_ == Mode::Output && !Drain()) return;
  if (mode_ == Mode::Output && durably && !Store(device_->Sync())) return;
  mode_ = Mode::Closed;
  std::string().swap(line_);  // a long line's memory goes with the file
  Store(device_->Close());
}

void TextLineFile::RewindTo(std::uint64_t size) {
  pending_ = 0;
  if (mode_ != Mode::Output) {
    Store(kNotOpenForWriting);
  } else {
    position_ = 0;
    size = std::max(size, sizeAtOpen_);
    if (Store(device_->Truncate(size))) written_ = size - sizeAtOpen_;
  }
  CheckPending();
}

void TextLineFile::CutTo(std::uint64_t size) {
  pending_ = 0;
  if (mode_ != Mode::Output) {
    const std::uint64_t sizeAtOpen = sizeAtOpen_;
    Open(Mode::InOut, FileOpenMode::Append);  // raises when it cannot
    sizeAtOpen_ = sizeAtOpen;
  }
  position_ = 0;
  if (Store(device_->Truncate(size))) Store(device_->Sync());
  mode_ = Mode::Closed;
  Store(device_->Close());
  CheckPending();
}

}  // namespace mif

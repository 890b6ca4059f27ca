// A line-oriented text file. Lines are read up to LF or CR LF, a Ctrl-Z
// (0x1A) or the physical end ends the text, and every line is written with
// CR LF; a disk file ends at the size it had when it was opened. Every
// operation that fails raises EInOutError at its end, with the code of its
// last failing step; the code is the object's own and starts afresh with
// every operation.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/FileDevice.h"

namespace mif {

// Told of every line that TextLineFile::CopyBufferedLines copies.
class LineObserver {
 public:
  virtual void Line(std::string_view line) = 0;
  // Whole lines at once, each ended by CR LF; by default shown one by one.
  virtual void CrLfLines(std::string_view lines);

 protected:
  ~LineObserver() = default;
};

class TextLineFile {
 public:
  static constexpr std::size_t kDefaultBufferSize = 128;

  // Binds the name (a path, PathText.h) and leaves the file closed;
  // opens nothing and cannot fail. A buffer size of 0 is taken as 1.
  explicit TextLineFile(std::string name, std::size_t bufferSize = kDefaultBufferSize,
                        std::unique_ptr<FileDevice> device = MakeSystemFileDevice());
  // Unlike an abandoned file of the runtime this is modelled on, an object
  // destroyed while open writes out its waiting bytes and closes its file;
  // it never throws.
  ~TextLineFile();
  TextLineFile(const TextLineFile&) = delete;
  TextLineFile& operator=(const TextLineFile&) = delete;

  // A CR that no LF follows is dropped, as text files are read here; MIF
  // readers take it as a line break, and so does an object set to.
  void SetLoneCrEndsLine(bool endsLine) { loneCrEndsLine_ = endsLine; }
  // A pipe opened for reading opens at once, without waiting for a writer,
  // so that Facts() can tell what it is.
  void SetOpenWithoutWaiting(bool noWait) { noWait_ = noWait; }

  // Each open first closes an open object as CloseFile does.
  void OpenForRead();
  // Creates or empties the file; a file locked by another open (code 32)
  // is left as it was.
  void CreateForWrite();
  // Opens or creates the file for writing from its first byte and locks
  // it, but leaves its bytes as they are: what the run learns of an output
  // there before anything is written.
  void OpenForRewrite();
  // A buffer of `size` bytes from here on, the unread bytes kept (never
  // fewer than they are): a file read on to its end after a small first
  // look reads on in large steps.
  void ResizeBuffer(std::size_t size);
  // What the system told of the file when it was last opened.
  const FileFacts& Facts() const { return facts_; }
  // Drops a UTF-8 byte order mark (EF BB BF) at the start of a file just
  // opened for reading: editors write one, and no line of a MIF pair
  // begins with it.
  void SkipByteOrderMark();

  // The next line's bytes without its break; false at the end of the
  // text, which stays the end, without failing. Code 104 when not open for
  // reading. The view lives until the next operation on this object.
  bool NextLine(std::string_view& line);
  // NextLine in bounded memory: a line longer than `maxPiece` bytes comes
  // in pieces of `maxPiece` bytes, `last` false for all but its last piece
  // (which may be empty). Never false inside a line.
  bool NextLinePiece(std::string_view& piece, bool& last, std::size_t maxPiece);
  // Whether the text ended at a Ctrl-Z that more text follows: anything but
  // Ctrl-Z bytes, blanks, CR and LF. Editors of old ended a file with one;
  // other readers read on past one inside it. Known once the end is met,
  // which reads the rest of the file to see.
  bool TextAfterCtrlZ() const { return textAfterCtrlZ_; }

  // Copies the whole lines that the buffer holds to `output`, giving the
  // bytes that NextLine here and WriteLine there would give, a buffer at a
  // time, each line shown to `observer` when there is one. Stops before a
  // line that crosses the buffer's end, a lone CR or a Ctrl-Z: NextLine
  // takes those; with `asciiOnly`, also before a line that holds a byte
  // from 0x80 up, which a converting caller must see. Raises as both would.
  // True when it stopped at the buffer's end and read on, keeping the line
  // cut there: the next call copies on, in whole buffers, with no line
  // taken apart.
  bool CopyBufferedLines(TextLineFile& output, LineObserver* observer = nullptr,
                         bool asciiOnly = false);

  // The whole lines in CR LF from here, each with its CR LF, taken at once
  // as NextLine would take them one by one (with `asciiOnly`, up to the
  // first line that holds a byte from 0x80 up); where the next lines are in
  // LF alone, those, each given CR LF instead. Reads on when the buffer
  // holds only a line cut by its end. Empty when the next line is no such
  // line, or at the end: NextLinePiece takes it. The view lives until the
  // next operation on this object.
  std::string_view TakeCrLfLines(bool asciiOnly = false);

  // The unread bytes of the text as they stand, line breaks and all, up to
  // a Ctrl-Z, a buffer at a time (reading on when none is buffered): for a
  // reader of the bytes, not the lines. Empty at the end of the text. The
  // view lives until the next operation on this object.
  std::string_view TakeBytes();

  // Writes the bytes as they are, then CR LF. Code 105 when not open for
  // writing. Bytes reach the file in whole buffers, at the close, and after
  // every line on a character device; a buffer of 64 KiB or more passes a
  // run of half its size or more on at once, after the bytes that wait.
  void WriteLine(std::string_view narrow);
  // Writes `first` and `second` as one line.
  void WriteLine(std::string_view first, std::string_view second);
  // Encodes to code page 932 first.
  void WriteLine(std::u16string_view wide);
  // Writes the bytes with no line break: a long line piece by piece, the
  // last piece with WriteLine.
  void WritePiece(std::string_view bytes);

  // Writes out the waiting bytes and closes. Code 103 when not open. When
  // writing out fails the file stays open, with an empty buffer.
  void CloseFile();
  // CloseFile, once the bytes are on the device itself: a rename after it
  // shows them whole after a power loss. A sync that fails leaves the file
  // open, as a failed write out does.
  void CloseFileDurably();
  // Writes out the waiting bytes; the file stays open. Code 105 when not
  // open for writing.
  void Flush();
  // Where the next byte written lands: the size at the open, plus every
  // byte written since, waiting ones too.
  std::uint64_t Offset() const { return sizeAtOpen_ + written_ + position_; }

  // Drops the waiting bytes, cuts the file back to its first `size` bytes
  // and closes it, on the device itself (CloseFileDurably). An object that
  // is not open for writing first opens the file for appending, so this
  // also undoes writes after a failed close.
  void CutTo(std::uint64_t size);
  // Drops the waiting bytes and cuts the file back to its first `size`
  // bytes, at least those it had at its open; it stays open for writing
  // after them. Code 105 when not open for writing.
  void RewindTo(std::uint64_t size);

  const std::string& Name() const { return name_; }
  // Bytes read from the file since it was opened.
  std::uint64_t BytesRead() const { return bytesRead_; }

 private:
  enum class Mode : std::uint16_t {
    Closed = 0xD7B0,
    Input = 0xD7B1,
    Output = 0xD7B2,
    InOut = 0xD7B3,  // only while an append opens
  };

  void Open(Mode mode, FileOpenMode deviceMode);
  void CloseSteps(bool durably = false);
  bool Fill();
  // Moves the unread bytes to the buffer's front and reads after them:
  // `count` bytes, none at the end. False, with the code stored, on a
  // failure.
  bool ReadAfterUnread(std::size_t& count);
  // When the unread bytes are a short line the buffer's end cut (no line
  // break, no Ctrl-Z but a CR last), reads on after them: true when it
  // read any.
  bool ReadOnAfterCutLine();
  // Where the whole lines from position_ that are in CR LF end (with
  // `asciiOnly`, that hold no byte from 0x80 up), shown to `observer`.
  std::size_t CrLfLinesEnd(LineObserver* observer, bool asciiOnly) const;
  // The whole lines from `from` that are in LF alone (with `asciiOnly`,
  // that hold no byte from 0x80 up), in `lines` with CR LF, as WriteLine
  // writes them (in crLf_); gives where they end.
  std::size_t TakeLfLines(std::size_t from, bool asciiOnly, std::string_view& lines);
  // Gives `count` bytes to the device and counts them written; false, with
  // the code stored, when it fails.
  bool Hand(const char* bytes, std::size_t count);
  bool AtEndStep();
  // Reads what follows the Ctrl-Z at position_, to tell TextAfterCtrlZ, and
  // leaves the Ctrl-Z alone in the buffer: the text ends there for good.
  void LookPastCtrlZ();
  std::string_view TakeLine(std::size_t limit, bool& last);
  std::string_view CollectLine(std::size_t limit, bool& last);
  void WriteBytes(const char* bytes, std::size_t count);
  bool Drain();
  // Keeps a failure's code to raise; whether there was none.
  bool Store(std::int32_t code) {
    if (code != 0) pending_ = code;
    return code == 0;
  }
  void CheckPending() {
    if (pending_ != 0) [[unlikely]]
      RaisePending();
  }
  [[noreturn]] void RaisePending();

  std::string name_;
  std::unique_ptr<FileDevice> device_;
  std::unique_ptr<char[]> buffer_;
  std::size_t bufferSize_;
  std::size_t position_ = 0;  // reading: next unread byte; writing: bytes waiting
  std::size_t end_ = 0;       // reading: valid bytes
  Mode mode_ = Mode::Closed;
  bool drainEveryLine_ = false;
  bool loneCrEndsLine_ = false;
  bool noWait_ = false;
  bool insideLine_ = false;  // NextLinePiece gave a piece that was not the last
  bool endMet_ = false;      // the Ctrl-Z at position_ ends the text, looked past
  bool textAfterCtrlZ_ = false;
  std::int32_t pending_ = 0;
  std::uint64_t sizeAtOpen_ = 0;
  std::uint64_t written_ = 0;  // bytes handed to the device since the open
  std::uint64_t bytesRead_ = 0;
  FileFacts facts_;
  std::string encoded_;           // reused by the wide WriteLine
  std::string line_;              // a line that CollectLine gathered
  std::unique_ptr<char[]> crLf_;  // lines in LF, given CR LF
};

}  // namespace mif

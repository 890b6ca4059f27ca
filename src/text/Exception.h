// The base of this system's errors. Messages are held as wide text for the
// front ends; what() gives them in UTF-8 for terminals and logs. A run
// attaches to an error it meets what it knows of it (RunFacts), so that
// every front end can say so without remembering where the run was.
#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

namespace mif {

struct RunFacts;  // merge/RunFacts.h

// What kind of error it is, for a front end that says more of some: how
// to merge columns that differ, or to name the added column otherwise.
enum class ErrorKind : std::uint8_t {
  Other,
  File,         // a failed file operation, with its system code
  Columns,      // columns the first source's cannot take
  LayerColumn,  // a source column of the added layer column's name
  TileColumn,   // the same of the tile column
};

// One error, whatever raised it: its kind, its message, the file it is
// about, and what a run attached to it. Front ends read these, never the
// class.
class Exception : public std::exception {
 public:
  explicit Exception(std::u16string message);
  const std::u16string& Message() const { return message_; }
  const char* what() const noexcept override { return utf8_.c_str(); }
  ErrorKind Kind() const { return kind_; }
  // The file the error is about (a path, PathText.h); empty when none.
  const std::string& FileName() const { return fileName_; }
  // The message without the file it ends with, for a box that puts the
  // file on a line of its own; the message where it names none.
  const std::u16string& Reason() const { return reason_.empty() ? message_ : reason_; }
  // What a user is shown: the message, or without the file the reason. A
  // file error says its code and what it means too.
  virtual std::u16string Describe(bool withFileName = true) const {
    return withFileName ? message_ : Reason();
  }

  // What the run that met the error attached (RunFacts.h reads it); null
  // where none did. Shared by copies, never changed: a run attaches anew.
  const std::shared_ptr<const RunFacts>& Run() const { return run_; }
  void AttachRun(std::shared_ptr<const RunFacts> facts) { run_ = std::move(facts); }

 protected:
  // `message` ends with the file `fileName` where `reason` is not empty.
  Exception(std::u16string message, std::u16string reason, std::string fileName, ErrorKind kind);
  void SetKind(ErrorKind kind) { kind_ = kind; }

 private:
  std::u16string message_;
  std::string utf8_;
  ErrorKind kind_ = ErrorKind::Other;
  std::string fileName_;
  std::u16string reason_;
  std::shared_ptr<const RunFacts> run_;
};

}  // namespace mif

// The base of this system's errors. Messages are held as wide text for the
// front ends; what() gives them in UTF-8 for terminals and logs. A run
// marks an error it meets with its place (which source or the output) and
// with what its output holds afterwards, so that every front end can say
// so without remembering where the run was.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace mif {

// Where in a run an error arose.
struct ErrorPlace {
  // Report: the report's file itself, which the front end then does not
  // write.
  enum class Kind : std::uint8_t { None, Source, Output, Report };
  Kind kind = Kind::None;
  int index = -1;    // a source's 0-based place in the run
  int count = 0;     // the run's sources
  std::string path;  // the source's .mif or the output's name (PathText.h)
};

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
// about, where the run met it and what its outputs hold afterwards. Front
// ends read these, never the class.
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

  const ErrorPlace& Place() const { return place_; }
  // The first place set stays: it is the nearest to where the error arose.
  void SetPlace(ErrorPlace place);
  // What the run's output holds after the error (Japanese); empty when no
  // run is involved.
  const std::u16string& OutputState() const { return outputState_; }
  void SetOutputState(std::u16string state) { outputState_ = std::move(state); }

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
  ErrorPlace place_;
  std::u16string outputState_;
};

}  // namespace mif

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

class Exception : public std::exception {
 public:
  explicit Exception(std::u16string message);
  const std::u16string& Message() const { return message_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

  const ErrorPlace& Place() const { return place_; }
  // The first place set stays: it is the nearest to where the error arose.
  void SetPlace(ErrorPlace place);
  // What the run's output holds after the error (Japanese); empty when no
  // run is involved.
  const std::u16string& OutputState() const { return outputState_; }
  void SetOutputState(std::u16string state) { outputState_ = std::move(state); }

 private:
  std::u16string message_;
  std::string utf8_;
  ErrorPlace place_;
  std::u16string outputState_;
};

}  // namespace mif

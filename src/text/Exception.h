// The base of this system's errors. Messages are held as wide text for the
// front ends; what() gives them in UTF-8 for terminals and logs.
#pragma once

#include <exception>
#include <string>

namespace mif {

class Exception : public std::exception {
 public:
  explicit Exception(std::u16string message);
  const std::u16string& Message() const { return message_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  std::u16string message_;
  std::string utf8_;
};

}  // namespace mif

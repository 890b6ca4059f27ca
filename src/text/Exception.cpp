#include "text/Exception.h"

#include "text/Utf8.h"

namespace mif {

Exception::Exception(std::u16string message)
    : message_(std::move(message)), utf8_(EncodeUtf8(message_)) {}

Exception::Exception(std::u16string message, std::u16string reason, std::string fileName,
                     ErrorKind kind)
    : message_(std::move(message)),
      utf8_(EncodeUtf8(message_)),
      kind_(kind),
      fileName_(std::move(fileName)),
      reason_(std::move(reason)) {}

}  // namespace mif

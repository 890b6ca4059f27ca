#include "text/Exception.h"

#include "text/Utf8.h"

namespace mif {

Exception::Exception(std::u16string message)
    : message_(std::move(message)), utf8_(EncodeUtf8(message_)) {}

void Exception::SetPlace(ErrorPlace place) {
  if (place_.kind == ErrorPlace::Kind::None) place_ = std::move(place);
}

}  // namespace mif

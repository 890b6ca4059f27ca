#include "Exception.h"

#include "Utf8.h"

namespace mif {

Exception::Exception(std::u16string message)
    : message_(std::move(message)), utf8_(EncodeUtf8(message_)) {}

EInOutError::EInOutError(std::int32_t statusCode, std::string fileName)
    : Exception(InOutErrorMessage(statusCode)),
      statusCode_(statusCode),
      fileName_(std::move(fileName)) {}

std::u16string InOutErrorMessage(std::int32_t statusCode) {
  switch (statusCode) {
    case 2:
      return u"ファイルが見つかりません";
    case 3:
      return u"ファイル名の指定が間違っています";
    case 4:
      return u"オープンしたファイルが多すぎます";
    case 5:
      return u"ファイルへのアクセスが拒否されました";
    case 100:
      return u"ファイルの末尾以降を読み込みました";
    case 101:
      return u"ディスクがいっぱいです";
    case 106:
      return u"入力値が数値ではありません";
    default:
      break;
  }
  const std::string digits = std::to_string(statusCode);
  return u"I/O エラー (" + std::u16string(digits.begin(), digits.end()) + u")";
}

}  // namespace mif

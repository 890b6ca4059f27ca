#include "file/InOutError.h"

#include "platform/PathText.h"
#include "platform/SystemErrorText.h"
#include "text/MbcsText.h"

namespace mif {

EInOutError::EInOutError(std::int32_t statusCode, std::string fileName)
    : Exception(InOutErrorMessage(statusCode), {}, std::move(fileName), ErrorKind::File),
      statusCode_(statusCode) {}

std::u16string EInOutError::Describe(bool withFileName) const {
  return DescribeInOutError(*this, withFileName);
}

namespace {

std::u16string Explanation(std::int32_t statusCode) {
  switch (statusCode) {
    case 2:
      return u"名前と場所を確かめてください";
    case 3:
      return u"フォルダーがないか、名前の形が正しくありません";
    case 4:
      return u"同時に開けるファイルの数の上限です";
    case 5:
      return u"権限がないか、読み取り専用か、フォルダーです";
    case 29:
      return u"書き込みが進みません";
    case 32:
      return u"ほかのプログラム (MapInfo など) がファイルを開いています";
    case 112:
      return u"ディスクの空き領域が足りません";
    case 123:
      return u"ファイル名に使えない文字が含まれています";
    case 206:
      return u"ファイル名が長すぎます";
    default:
      return SystemErrorText(statusCode);
  }
}

}  // namespace

std::u16string DescribeInOutError(const EInOutError& error, bool withFileName) {
  // Built by appending: GCC 12 warns falsely (-Wrestrict) on literal + string.
  const std::int32_t code = error.StatusCode();
  std::u16string text = error.Message();
  const std::u16string digits = FormatIntegerWide(code);
  if (text.find(u"(" + digits + u")") == std::u16string::npos) {
    text.append(u" (コード ").append(digits).append(u")");
  }
  const std::u16string explanation = Explanation(code);
  if (!explanation.empty()) text.append(u": ").append(explanation);
  if (withFileName && !error.FileName().empty())
    text.append(u": ").append(PathDisplay(error.FileName()));
  return text;
}

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
  return std::u16string(u"I/O エラー (").append(FormatIntegerWide(statusCode)).append(u")");
}

}  // namespace mif

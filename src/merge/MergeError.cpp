#include "merge/MergeError.h"

#include <new>
#include <string_view>

#include "file/InOutError.h"
#include "merge/MifHeader.h"
#include "text/Cp932.h"

namespace mif {

namespace {

std::u16string Number(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string Name(const std::string& cp932) { return DecodeCp932(cp932); }

}  // namespace

std::u16string DelimiterText(const std::string& delimiter) {
  if (delimiter == "\t") return u"TAB";
  return u"\"" + DecodeCp932(delimiter) + u"\"";
}

EMergeError OutputIsSourceError(const std::string& outputName, const std::string& sourceName) {
  return EMergeError(u"出力ファイルが入力ファイルと同じです: " + Name(outputName) + u" (入力 " +
                     Name(sourceName) + u")");
}

EMergeError OutputNameError(const std::string& outputName) {
  return EMergeError(u"出力ファイル名がフォルダーか、ファイル名の部分が空です: " +
                     Name(outputName));
}

EMergeError SpecialSourceError(const std::string& sourceName) {
  return EMergeError(u"通常のファイルではありません (フォルダー、パイプ、装置は結合できません): " +
                     Name(sourceName));
}

EMergeError NoDataLineError(const std::string& sourceName) {
  return EMergeError(u"DATA 行がありません: " + Name(sourceName));
}

EMergeError HeaderLineTooLongError(const std::string& sourceName, std::size_t lineNumber) {
  return EMergeError(u"ヘッダーの行が長すぎます (" + Number(static_cast<std::int64_t>(lineNumber)) +
                     u" 行目): " + Name(sourceName));
}

EMergeError NoColumnsLineError(const std::string& sourceName) {
  return EMergeError(u"ヘッダーに Columns 行がありません: " + Name(sourceName));
}

EMergeError ColumnCountUnreadableError(const std::string& sourceName) {
  return EMergeError(u"Columns 行の列数が読めないか、1 から " + Number(kMaxColumns) +
                     u" の範囲の外です: " + Name(sourceName));
}

EMergeError ColumnCountError(const std::string& sourceName, int count, int firstCount) {
  return EMergeError(u"列数が最初の入力ファイルと違います: " + Name(sourceName) + u" は " +
                     Number(count) + u" 列、最初のファイルは " + Number(firstCount) + u" 列");
}

EMergeError DelimiterUnusableError(const std::string& sourceName, const std::string& delimiter) {
  return EMergeError(u"区切り文字が 1 文字ではありません: " + Name(sourceName) + u" は " +
                     DelimiterText(delimiter));
}

EMergeError DelimiterError(const std::string& sourceName, const std::string& delimiter,
                           const std::string& firstDelimiter) {
  return EMergeError(u"区切り文字が最初の入力ファイルと違います: " + Name(sourceName) + u" は " +
                     DelimiterText(delimiter) + u"、最初のファイルは " +
                     DelimiterText(firstDelimiter));
}

EMergeError CountMismatchError(const std::string& mifName, std::int64_t objects,
                               const std::string& midName, std::int64_t rows) {
  return EMergeError(u"オブジェクトの数と属性の行数が合いません: " + Name(mifName) + u" は " +
                     Number(objects) + u" 個、" + Name(midName) + u" は " + Number(rows) + u" 行");
}

EMergeError UnfinishedObjectError(const std::string& mifName) {
  return EMergeError(
      u"最後のオブジェクトの行 (座標、Collection の部分、Text の文字列など) "
      u"が足りないままファイルが終わります: " +
      Name(mifName));
}

EMergeError UnclosedQuoteError(const std::string& midName, std::int64_t row) {
  return EMergeError(u"引用符 (\") が閉じられないままファイルが終わります: " + Name(midName) +
                     u" の " + Number(row) + u" 行目で開いた値");
}

EMergeError CutBackError(const std::u16string& errorText, const std::string& outputName,
                         const std::u16string& cutText) {
  return EMergeError(errorText + u"。さらに、出力 " + Name(outputName) +
                     u" を結合前の長さに戻せませんでした: " + cutText);
}

std::u16string CurrentErrorText() {
  try {
    throw;
  } catch (const Exception& error) {
    return DescribeError(error);
  } catch (const std::bad_alloc&) {
    return u"メモリが足りません";
  } catch (const std::exception& error) {
    const std::string_view what = error.what();
    return std::u16string(what.begin(), what.end());
  } catch (...) {
    return u"不明なエラー";
  }
}

}  // namespace mif

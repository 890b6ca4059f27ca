#include "MergeError.h"

#include "Cp932.h"

namespace mif {

namespace {

std::u16string Number(int value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

EMergeError OutputIsSourceError(const std::string& outputName, const std::string& sourceName) {
  return EMergeError(u"出力ファイルが入力ファイルと同じです: " + DecodeCp932(outputName) +
                     u" (入力 " + DecodeCp932(sourceName) + u")");
}

EMergeError ColumnCountError(const std::string& sourceName, int count, int firstCount) {
  return EMergeError(u"列数が最初の入力ファイルと違います: " + DecodeCp932(sourceName) + u" は " +
                     Number(count) + u" 列、最初のファイルは " + Number(firstCount) + u" 列");
}

}  // namespace mif

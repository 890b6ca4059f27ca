#include "merge/MergeError.h"

#include <new>
#include <string_view>

#include "file/FileName.h"
#include "file/InOutError.h"
#include "merge/ColumnDef.h"
#include "merge/MifHeader.h"
#include "text/Cp932.h"

namespace mif {

namespace {

std::u16string Number(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string Name(const std::string& cp932) { return DecodeCp932(cp932); }

// A definition as a message shows it: NAME Char(10).
std::u16string Definition(const ColumnDef& column) {
  std::string_view line = column.line;
  if (line.empty()) return Name(column.name) + u" " + Name(ColumnTypeText(column));
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  return Name(std::string(line));
}

std::u16string Clause(const std::string& keyword, const std::string& clause) {
  if (clause.empty()) return u"(" + Name(keyword) + u" なし)";
  return u"\"" + Name(keyword) + u" " + Name(clause) + u"\"";
}

}  // namespace

std::u16string DelimiterText(const std::string& delimiter) {
  if (delimiter == "\t") return u"TAB";
  return u"\"" + DecodeCp932(delimiter) + u"\"";
}

EMergeError::EMergeError(std::u16string reason, std::string fileName)
    : Exception(reason + u": " + DecodeCp932(fileName)),
      reason_(std::move(reason)),
      fileName_(std::move(fileName)) {}

std::u16string SourcePlace(int index, int count) {
  return u"入力 " + Number(index + 1) + u"/" + Number(count);
}

EOutputError OutputIsSourceError(const std::string& outputName, const std::string& sourceName,
                                 int index, int count) {
  return EOutputError(u"出力ファイルが入力ファイルと同じです: " + Name(outputName) + u" (" +
                      SourcePlace(index, count) + u": " + Name(sourceName) + u")");
}

EOutputError OutputNameError(const std::string& outputName) {
  return EOutputError(u"出力ファイル名がフォルダーか、ファイル名の部分が空です", outputName);
}

EOutputError OutputFolderError(const std::string& outputName) {
  return EOutputError(u"出力ファイルのフォルダーがありません", outputName);
}

bool IsOutputError(const Exception& error, const std::string& outputName) {
  if (dynamic_cast<const EOutputError*>(&error) != nullptr) return true;
  const auto* io = dynamic_cast<const EInOutError*>(&error);
  return io != nullptr && !outputName.empty() &&
         (io->FileName() == ChangeFileExtension(outputName, ".mif") ||
          io->FileName() == ChangeFileExtension(outputName, ".mid"));
}

EMergeError RowTooLongError(const std::string& midName, std::int64_t row) {
  return EMergeError(u"列を並べ替える行が長すぎます (" + Number(row) + u" 行目、16 MiB まで)",
                     midName);
}

std::u16string ReplacedCharactersText(const std::string& fileName, std::int64_t count,
                                      std::int64_t firstLine) {
  return u"コードページ 932 で表せない文字 " + Number(count) + u" 個を ? にしました (最初は " +
         Number(firstLine) + u" 行目): " + Name(fileName);
}

EMergeError SpecialSourceError(const std::string& sourceName) {
  return EMergeError(u"通常のファイルではありません (フォルダー、パイプ、装置は結合できません)",
                     sourceName);
}

EMergeError NoDataLineError(const std::string& sourceName) {
  return EMergeError(u"DATA 行がありません", sourceName);
}

EMergeError HeaderLineTooLongError(const std::string& sourceName, std::size_t lineNumber) {
  return EMergeError(
      u"ヘッダーの行が長すぎます (" + Number(static_cast<std::int64_t>(lineNumber)) + u" 行目)",
      sourceName);
}

EMergeError NoColumnsLineError(const std::string& sourceName) {
  return EMergeError(u"ヘッダーに Columns 行がありません", sourceName);
}

EMergeError ColumnCountUnreadableError(const std::string& sourceName) {
  return EMergeError(
      u"Columns 行の列数が読めないか、0 から " + Number(kMaxColumns) + u" の範囲の外です",
      sourceName);
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

EMergeError ColumnDefinitionsError(const std::string& sourceName, int count, int read) {
  return EMergeError(u"列の定義が Columns 行の列数 (" + Number(count) + u") より少ない (" +
                         Number(read) + u") まま DATA 行になります",
                     sourceName);
}

EMergeError DuplicateColumnError(const std::string& sourceName, const ColumnDef& column) {
  return EMergeError(u"同じ名前の列が 2 つあります (" + Name(column.name) + u")", sourceName);
}

EMergeError LayerColumnPlaceError(const std::string& sourceName, int position) {
  return EMergeError(u"LAYER 列が先頭ではなく " + Number(position) +
                         u" 列目にあり、出力に LAYER 列が 2 つできてしまいます",
                     sourceName);
}

EMergeError LayerNameTooLongError(const std::string& sourceName, std::size_t bytes) {
  return EMergeError(u"レイヤー名が長すぎます (" + Number(static_cast<std::int64_t>(bytes)) +
                         u" バイト、LAYER 列に入るのは 254 バイトまで)",
                     sourceName);
}

EMergeError CharsetError(const std::string& sourceName, const std::string& charset,
                         const std::string& firstName, const std::string& firstCharset) {
  return EMergeError(u"Charset が最初の入力ファイルと違います: " + Name(sourceName) + u" は \"" +
                     Name(charset) + u"\"、最初のファイル " + Name(firstName) + u" は \"" +
                     Name(firstCharset) + u"\"");
}

EMergeError ClauseError(const std::string& keyword, const std::string& sourceName,
                        const std::string& clause, const std::string& firstName,
                        const std::string& firstClause) {
  return EMergeError(Name(keyword) + u" が最初の入力ファイルと違います: " + Name(sourceName) +
                     u" は " + Clause(keyword, clause) + u"、最初のファイル " + Name(firstName) +
                     u" は " + Clause(keyword, firstClause));
}

EMergeError SourceChangedError(const std::string& sourceName, const std::u16string& what) {
  return EMergeError(
      u"入力ファイルが最初に読んだあとで変わり、書き始めた出力に合いません (" + what + u")",
      sourceName);
}

EColumnsError ExtraColumnError(const std::string& sourceName, const ColumnDef& column,
                               const std::string& firstName) {
  return EColumnsError(u"列 " + Name(column.name) + u" (" + Definition(column) +
                           u") が最初の入力ファイル " + Name(firstName) + u" にありません",
                       sourceName);
}

EColumnsError MissingColumnError(const std::string& sourceName, const ColumnDef& firstColumn,
                                 const std::string& firstName) {
  return EColumnsError(u"最初の入力ファイル " + Name(firstName) + u" の列 " +
                           Name(firstColumn.name) + u" (" + Definition(firstColumn) +
                           u") がありません",
                       sourceName);
}

EColumnsError ColumnTypeError(const std::string& sourceName, const ColumnDef& column,
                              const std::string& firstName, const ColumnDef& firstColumn) {
  return EColumnsError(u"列 " + Name(column.name) + u" の型を合わせられません: " +
                       Name(sourceName) + u" は " + Definition(column) + u"、最初のファイル " +
                       Name(firstName) + u" は " + Definition(firstColumn));
}

EMergeError CountMismatchError(const std::string& mifName, std::int64_t objects,
                               const std::string& midName, std::int64_t rows) {
  return EMergeError(u"オブジェクトの数と属性の行数が合いません: " + Name(mifName) + u" は " +
                     Number(objects) + u" 個、" + Name(midName) + u" は " + Number(rows) + u" 行");
}

EMergeError UnfinishedObjectError(const std::string& mifName) {
  return EMergeError(
      u"最後のオブジェクトの行 (座標、Collection の部分、Text の文字列など) "
      u"が足りないままファイルが終わります",
      mifName);
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

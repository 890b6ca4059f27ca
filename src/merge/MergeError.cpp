#include "merge/MergeError.h"

#include <new>
#include <string_view>

#include "file/InOutError.h"
#include "format/ColumnDef.h"
#include "format/MifHeader.h"
#include "platform/PathText.h"
#include "text/Cp932.h"
#include "text/MbcsText.h"

namespace mif {

namespace {

// A file's name, a path.
std::u16string Name(const std::string& path) { return PathDisplay(path); }
// A column's name, a type, a clause: code page 932 text of a header.
std::u16string Text(const std::string& cp932) { return DecodeCp932(cp932); }

// A definition as a message shows it: NAME Char(10).
std::u16string Definition(const ColumnDef& column) {
  std::string_view line = column.line;
  if (line.empty()) return Text(column.name) + u" " + Text(ColumnTypeText(column));
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  return Text(std::string(line));
}

std::u16string Clause(const std::string& keyword, const std::string& clause) {
  if (clause.empty()) return u"(" + Text(keyword) + u" なし)";
  return u"\"" + Text(keyword) + u" " + Text(clause) + u"\"";
}

}  // namespace

std::u16string DelimiterText(const std::string& delimiter) {
  if (delimiter == "\t") return u"TAB";
  return u"\"" + DecodeCp932(delimiter) + u"\"";
}

EMergeError::EMergeError(std::u16string reason, std::string fileName)
    : Exception(reason + u": " + PathDisplay(fileName), reason, fileName, ErrorKind::Other) {}

std::u16string SourcePlace(int index, int count) {
  return u"入力 " + FormatIntegerWide(index + 1) + u"/" + FormatIntegerWide(count);
}

EMergeError OutputIsSourceError(const std::string& outputName, const std::string& sourceName,
                                int index, int count) {
  return EMergeError(u"出力ファイルが入力ファイルと同じです: " + Name(outputName) + u" (" +
                     SourcePlace(index, count) + u": " + Name(sourceName) + u")");
}

EMergeError OutputsCollideError(const std::string& one, const std::string& oneSource, int oneIndex,
                                const std::string& other, const std::string& otherSource,
                                int otherIndex, int count) {
  return EMergeError(
      u"レイヤーごとの出力の名前が大文字と小文字の違いだけで重なります "
      u"(Windows では 1 つのファイルです): " +
      Name(one) + u" (" + SourcePlace(oneIndex, count) + u": " + Name(oneSource) + u") と " +
      Name(other) + u" (" + SourcePlace(otherIndex, count) + u": " + Name(otherSource) + u")");
}

EMergeError SideFileIsFolderError(const char* option, const std::string& name) {
  return EMergeError(
      DecodeCp932(option) + u" の名前がフォルダーです。ファイルの名前を指定してください", name);
}

EMergeError SideFileIsSourceError(const char* option, const std::string& name,
                                  const std::string& sourceName, int index, int count) {
  return EMergeError(DecodeCp932(option) +
                     u" のファイルが入力のファイルです (書くと入力が失われます): " + Name(name) +
                     u" (" + SourcePlace(index, count) + u": " + Name(sourceName) + u")");
}

EMergeError SideFileIsOutputError(const char* option, const std::string& name,
                                  const std::string& outputFile) {
  return EMergeError(DecodeCp932(option) + u" のファイルが出力のファイルと同じです: " + Name(name) +
                     u" (出力: " + Name(outputFile) + u")");
}

EMergeError WindowsNameError(const std::string& outputFile, const std::u16string& why) {
  return EMergeError(u"出力ファイルの名前を Windows で使えません (" + why + u")", outputFile);
}

EMergeError LayerWindowsNameError(const std::string& outputFile, const std::u16string& layer,
                                  const std::u16string& why, const std::string& sourceName,
                                  int index, int count) {
  return EMergeError(u"レイヤー " + layer + u" の出力ファイルの名前を Windows で使えません (" +
                     why + u"): " + Name(outputFile) + u" (" + SourcePlace(index, count) + u": " +
                     Name(sourceName) +
                     u")。-o 結合 のように名前の前に付ける部分を指定すると、結合_" + layer +
                     u".mif のように書きます");
}

EMergeError OutputNameError(const std::string& outputName) {
  return EMergeError(u"出力ファイル名がフォルダーか、ファイル名の部分が空です", outputName);
}

EMergeError OutputFolderError(const std::string& outputName) {
  return EMergeError(u"出力ファイルのフォルダーがありません", outputName);
}

EMergeError SpecialOutputError(const std::string& outputName) {
  return EMergeError(u"出力ファイルが通常のファイルではありません (パイプや装置には書きません)",
                     outputName);
}

EMergeError OutputNameChangedError(const std::string& newName) {
  return EMergeError(
      u"実行中に出力ファイル名が変わったため、中止しました "
      u"(新しい名前のファイルには書いていません)",
      newName);
}

EMergeError RowTooLongError(const std::string& midName, std::int64_t row) {
  return EMergeError(
      u"列を並べ替える行が長すぎます (" + FormatIntegerWide(row) + u" 行目、16 MiB まで)", midName);
}

EMergeError SpecialSourceError(const std::string& sourceName) {
  return EMergeError(u"通常のファイルではありません (フォルダー、パイプ、装置は結合できません)",
                     sourceName);
}

EMergeError NoDataLineError(const std::string& sourceName) {
  return EMergeError(u"DATA 行がありません", sourceName);
}

EMergeError HeaderLineTooLongError(const std::string& sourceName, std::size_t lineNumber) {
  return EMergeError(u"ヘッダーの行が長すぎます (" +
                         FormatIntegerWide(static_cast<std::int64_t>(lineNumber)) + u" 行目)",
                     sourceName);
}

EMergeError NoColumnsLineError(const std::string& sourceName) {
  return EMergeError(u"ヘッダーに Columns 行がありません", sourceName);
}

EMergeError ColumnCountUnreadableError(const std::string& sourceName) {
  return EMergeError(u"Columns 行の列数が読めないか、0 から " + FormatIntegerWide(kMaxColumns) +
                         u" の範囲の外です",
                     sourceName);
}

EMergeError DelimiterUnusableError(const std::string& sourceName, const std::string& delimiter) {
  return EMergeError(
      u"区切り文字が 1 バイトの文字ではありません (" + DelimiterText(delimiter) + u")", sourceName);
}

EMergeError ColumnDefinitionsError(const std::string& sourceName, int count, int read) {
  return EMergeError(u"列の定義が Columns 行の列数 (" + FormatIntegerWide(count) +
                         u") より少ない (" + FormatIntegerWide(read) + u") まま DATA 行になります",
                     sourceName);
}

EMergeError DuplicateColumnError(const std::string& sourceName, const ColumnDef& column) {
  return EMergeError(u"同じ名前の列が 2 つあります (" + Text(column.name) + u")", sourceName);
}

EAddedColumnError AddedColumnPlaceError(const std::string& sourceName, const std::string& column,
                                        int position, bool tile) {
  const std::u16string name = Text(column);
  return EAddedColumnError(u"加える " + name + u" 列と同じ名前の列が " +
                               FormatIntegerWide(position) + u" 列目にあり、出力に " + name +
                               u" 列が 2 つできてしまいます",
                           sourceName, tile);
}

EMergeError TileNameTooLongError(const std::string& sourceName, std::size_t bytes) {
  return EMergeError(u"タイル名が長すぎます (" +
                         FormatIntegerWide(static_cast<std::int64_t>(bytes)) +
                         u" バイト、タイルの列に入るのは 254 バイトまで)",
                     sourceName);
}

EMergeError NotMeshCodeError(const std::string& sourceName, const std::string& tile) {
  return EMergeError(u"ファイル名のタイル「" + Text(tile) +
                         u"」がメッシュコード (JIS X 0410 の 4、6、8、9、10 桁) ではありません。"
                         u"--mesh では、ファイル名のレイヤー名の前がメッシュコードのものだけを"
                         u"結合できます",
                     sourceName);
}

EMergeError EmptyLayerError(const std::string& sourceName) {
  return EMergeError(
      u"ファイル名から得られるレイヤー名が空です (「__」や「_」の後ろ、または「.」の前に"
      u"文字がありません)。レイヤーごとに出力するときはレイヤー名が出力の名前になるため、"
      u"結合できません",
      sourceName);
}

EMergeError LayerNameTooLongError(const std::string& sourceName, std::size_t bytes) {
  return EMergeError(u"レイヤー名が長すぎます (" +
                         FormatIntegerWide(static_cast<std::int64_t>(bytes)) +
                         u" バイト、レイヤーの列に入るのは 254 バイトまで)",
                     sourceName);
}

EMergeError CharsetError(const std::string& sourceName, const std::string& charset,
                         const std::string& firstName, const std::string& firstCharset) {
  return EMergeError(u"Charset がほかの入力ファイルと違います: " + Name(sourceName) + u" は \"" +
                     Text(charset) + u"\"、" + Name(firstName) + u" は \"" + Text(firstCharset) +
                     u"\"");
}

EMergeError ClauseError(const std::string& keyword, const std::string& sourceName,
                        const std::string& clause, const std::string& firstName,
                        const std::string& firstClause) {
  return EMergeError(Text(keyword) + u" が最初の入力ファイルと違います: " + Name(sourceName) +
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
  return EColumnsError(u"列 " + Text(column.name) + u" (" + Definition(column) +
                           u") が最初の入力ファイル " + Name(firstName) + u" にありません",
                       sourceName);
}

EColumnsError MissingColumnError(const std::string& sourceName, const ColumnDef& firstColumn,
                                 const std::string& firstName) {
  return EColumnsError(u"最初の入力ファイル " + Name(firstName) + u" の列 " +
                           Text(firstColumn.name) + u" (" + Definition(firstColumn) +
                           u") がありません",
                       sourceName);
}

EColumnsError ColumnTypeError(const std::string& sourceName, const ColumnDef& column,
                              const std::string& firstName, const ColumnDef& firstColumn) {
  return EColumnsError(u"列 " + Text(column.name) + u" の型を合わせられません: " +
                       Name(sourceName) + u" は " + Definition(column) + u"、最初のファイル " +
                       Name(firstName) + u" は " + Definition(firstColumn));
}

EMergeError CountMismatchError(const std::string& mifName, std::int64_t objects,
                               const std::string& midName, std::int64_t rows) {
  return EMergeError(u"オブジェクトの数と属性の行数が合いません: " + Name(mifName) + u" は " +
                     FormatIntegerWide(objects) + u" 個、" + Name(midName) + u" は " +
                     FormatIntegerWide(rows) + u" 行");
}

EMergeError UnfinishedObjectError(const std::string& mifName) {
  return EMergeError(
      u"最後のオブジェクトの行 (座標、Collection の部分、Text の文字列など) "
      u"が足りないままファイルが終わります",
      mifName);
}

EMergeError TextAfterCtrlZError(const std::string& fileName, std::int64_t lines) {
  return EMergeError(u"ファイルの途中に Ctrl-Z (0x1A) があり、その後ろにもテキストが続きます (" +
                         FormatIntegerWide(lines) +
                         u" 行目の後)。ほかのソフトはその後ろも読むため、結合できません",
                     fileName);
}

EMergeError UnclosedQuoteError(const std::string& midName, std::int64_t row) {
  return EMergeError(u"引用符 (\") が閉じられないままファイルが終わります: " + Name(midName) +
                     u" の " + FormatIntegerWide(row) + u" 行目で開いた値");
}

EMergeError CutBackError(const std::u16string& errorText, const std::string& outputName,
                         const std::u16string& cutText) {
  return EMergeError(errorText + u"。さらに、出力 " + Name(outputName) +
                     u" を結合前の長さに戻せませんでした: " + cutText);
}

EMergeError HalfReplacedError(const std::string& midName, const std::string& temporaryName,
                              const std::u16string& cause) {
  return EMergeError(u"出力の .mif は新しくなりましたが、.mid を置き換えられませんでした (" +
                     cause + u")。新しい .mid は " + Name(temporaryName) +
                     u" にあります。古い .mid: " + Name(midName));
}

EMergeError RenamesNotSyncedError(const std::string& mifName, const std::u16string& cause) {
  return EMergeError(
      u"出力 " + Name(mifName) +
      u" とその .mid は新しくなりましたが、フォルダーへの書き込みを確かめられませんでした (" +
      cause + u")。電源が切れると古い出力に戻ることがあります");
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

EColumnsError InLayer(const EColumnsError& problem, const std::u16string& layer) {
  const std::u16string reason = u"レイヤー " + layer + u" の出力で、" + problem.Reason();
  if (problem.FileName().empty()) return EColumnsError(reason);
  return EColumnsError(reason, problem.FileName());
}

}  // namespace mif

// Errors of the merge itself, as opposed to failed file operations
// (EInOutError): a source or an output that the merge refuses. Each names
// the file it is about: file names are paths (PathText.h), column names
// and clauses code page 932.
#pragma once

#include <cstdint>
#include <string>

#include "text/Exception.h"

namespace mif {

class EMergeError : public Exception {
 public:
  explicit EMergeError(std::u16string message) : Exception(std::move(message)) {}
  // A refusal of a file: the message is "reason: file", and the parts stay
  // apart (Reason, FileName) for a box that puts the file on a line of its
  // own.
  EMergeError(std::u16string reason, std::string path);
};

// Columns that the first source's columns cannot take: merged by name with
// all columns together (union), or not at all.
class EColumnsError : public EMergeError {
 public:
  explicit EColumnsError(std::u16string message) : EMergeError(std::move(message)) {
    SetKind(ErrorKind::Columns);
  }
  EColumnsError(std::u16string reason, std::string path)
      : EMergeError(std::move(reason), std::move(path)) {
    SetKind(ErrorKind::Columns);
  }
};

// Raised by a run's inputs when the user stops it: the output being
// written is dropped and the previous one kept as it was; outputs of a
// per-layer run done before stay.
class ERunStopped : public EMergeError {
 public:
  ERunStopped() : EMergeError(u"結合を中止しました") {}
};

// The problem of a per-layer run's output, saying which layer's it is.
EColumnsError InLayer(const EColumnsError& problem, const std::u16string& layer);

// A source column of the name of a column the run adds (the layer's, the
// tile's), where the source does not bring that column itself: the output
// would have two of one name. Another name for the added column merges it.
class EAddedColumnError : public EMergeError {
 public:
  EAddedColumnError(std::u16string reason, std::string path, bool tile)
      : EMergeError(std::move(reason), std::move(path)) {
    SetKind(tile ? ErrorKind::TileColumn : ErrorKind::LayerColumn);
  }
};

struct ColumnDef;

// Where source `index` (0-based) stands in a run of `count`, as both front
// ends name it: "入力 2/5".
std::u16string SourcePlace(int index, int count);

// The output `outputName` is the same file as the source `sourceName`, at
// `index` among `count` sources.
EMergeError OutputIsSourceError(const std::string& outputName, const std::string& sourceName,
                                int index, int count);
// Two outputs of a per-layer run whose names differ in letter case alone:
// one file on Windows. Each is named with the first source that goes to it.
EMergeError OutputsCollideError(const std::string& one, const std::string& oneSource, int oneIndex,
                                const std::string& other, const std::string& otherSource,
                                int otherIndex, int count);
// An output name that names a folder, or whose file part is empty.
// A name given to `option` (--report, --coverage) that is a folder, a
// source's .mif or .mid (by file identity), or one of the files an output
// is written to.
EMergeError SideFileIsFolderError(const char* option, const std::string& name);
EMergeError SideFileIsSourceError(const char* option, const std::string& name,
                                  const std::string& sourceName, int index, int count);
EMergeError SideFileIsOutputError(const char* option, const std::string& name,
                                  const std::string& outputFile);
// An output file whose name Windows cannot hold (WindowsNameProblem says
// `why`): the name given, or one a layer made, with the layer's first
// source and how to name the outputs instead.
EMergeError WindowsNameError(const std::string& outputFile, const std::u16string& why);
EMergeError LayerWindowsNameError(const std::string& outputFile, const std::u16string& layer,
                                  const std::u16string& why, const std::string& sourceName,
                                  int index, int count);
EMergeError OutputNameError(const std::string& outputName);
// An output name in a folder that does not exist (a link into one too).
EMergeError OutputFolderError(const std::string& outputName);
// An output file that is a pipe or a device.
EMergeError SpecialOutputError(const std::string& outputName);
// The output name changed during the run to `newName`, which stays untouched.
EMergeError OutputNameChangedError(const std::string& newName);

// A source that is a folder, a pipe or a device, not an ordinary file.
EMergeError SpecialSourceError(const std::string& sourceName);

// Header refusals of the source `.mif`.
EMergeError NoDataLineError(const std::string& sourceName);
EMergeError HeaderLineTooLongError(const std::string& sourceName, std::size_t lineNumber);
EMergeError NoColumnsLineError(const std::string& sourceName);
EMergeError ColumnCountUnreadableError(const std::string& sourceName);
EMergeError DelimiterUnusableError(const std::string& sourceName, const std::string& delimiter);
// Fewer column definitions than the column line counts before DATA.
EMergeError ColumnDefinitionsError(const std::string& sourceName, int count, int read);
EMergeError DuplicateColumnError(const std::string& sourceName, const ColumnDef& column);
// The added column `column` (the tile's with `tile`) named by the source's
// column at 1-based `position`.
EAddedColumnError AddedColumnPlaceError(const std::string& sourceName, const std::string& column,
                                        int position, bool tile);
// A source whose file name gives an empty layer, in a run whose outputs
// the layers name.
EMergeError EmptyLayerError(const std::string& sourceName);
// A source whose tile (code page 932) is no mesh code, in a run that
// checks tiles against their meshes.
EMergeError NotMeshCodeError(const std::string& sourceName, const std::string& tile);
EMergeError LayerNameTooLongError(const std::string& sourceName, std::size_t bytes);
EMergeError TileNameTooLongError(const std::string& sourceName, std::size_t bytes);
// Two declared charsets that differ; `firstName` declared the other.
EMergeError CharsetError(const std::string& sourceName, const std::string& charset,
                         const std::string& firstName, const std::string& firstCharset);
// A clause (CoordSys, Transform) that differs from the first source's;
// an empty clause is one not declared.
EMergeError ClauseError(const std::string& keyword, const std::string& sourceName,
                        const std::string& clause, const std::string& firstName,
                        const std::string& firstClause);
// A source that changed after the run read it first, so that the output
// header written since does not fit it; `what` says how.
EMergeError SourceChangedError(const std::string& sourceName, const std::u16string& what);

// Columns of a later source that the first source's do not take.
EColumnsError ExtraColumnError(const std::string& sourceName, const ColumnDef& column,
                               const std::string& firstName);
EColumnsError MissingColumnError(const std::string& sourceName, const ColumnDef& firstColumn,
                                 const std::string& firstName);
EColumnsError ColumnTypeError(const std::string& sourceName, const ColumnDef& column,
                              const std::string& firstName, const ColumnDef& firstColumn);

// Objects and rows that do not pair up.
EMergeError CountMismatchError(const std::string& mifName, std::int64_t objects,
                               const std::string& midName, std::int64_t rows);
// The `.mif` ends inside an object that would take the next source's
// lines as its own.
EMergeError UnfinishedObjectError(const std::string& mifName);
// A Ctrl-Z after `lines` lines that more text follows: other readers read
// on, and would find objects or rows that the merge did not take.
EMergeError TextAfterCtrlZError(const std::string& fileName, std::int64_t lines);
// A row whose values move, longer than the merge holds at once.
EMergeError RowTooLongError(const std::string& midName, std::int64_t row);
// The `.mid` ends inside the quoted value that opened in row `row`.
EMergeError UnclosedQuoteError(const std::string& midName, std::int64_t row);

// The error `errorText` stopped the run, and cutting `outputName` back to
// what the sources before the failing one wrote failed with `cutText`.
EMergeError CutBackError(const std::u16string& errorText, const std::string& outputName,
                         const std::u16string& cutText);

// The output's .mif was replaced, but its .mid could not be: the new one
// is left as `temporaryName`; `cause` says why.
// Both renames done, the folder not synced: the new output may not survive
// a power loss.
EMergeError RenamesNotSyncedError(const std::string& mifName, const std::u16string& cause);
EMergeError HalfReplacedError(const std::string& midName, const std::string& temporaryName,
                              const std::u16string& cause);

// What a user is shown of the exception being handled: DescribeError of
// ours, "メモリが足りません" when memory ran out.
std::u16string CurrentErrorText();

// How a delimiter reads in a message: TAB, or the character in quotes.
std::u16string DelimiterText(const std::string& delimiter);

}  // namespace mif

// Errors of the merge itself, as opposed to failed file operations
// (EInOutError): a source or an output that the merge refuses. Each names
// the file it is about. File names are narrow code page 932 text.
#pragma once

#include <cstdint>
#include <string>

#include "text/Exception.h"

namespace mif {

class EMergeError : public Exception {
 public:
  using Exception::Exception;
};

// The output `outputName` is the same file as the source `sourceName`.
EMergeError OutputIsSourceError(const std::string& outputName, const std::string& sourceName);
// An output name that names a folder, or whose file part is empty.
EMergeError OutputNameError(const std::string& outputName);

// A source that is a folder, a pipe or a device, not an ordinary file.
EMergeError SpecialSourceError(const std::string& sourceName);

// Header refusals of the source `.mif`.
EMergeError NoDataLineError(const std::string& sourceName);
EMergeError HeaderLineTooLongError(const std::string& sourceName, std::size_t lineNumber);
EMergeError NoColumnsLineError(const std::string& sourceName);
EMergeError ColumnCountUnreadableError(const std::string& sourceName);
// The source has `count` columns where the first had `firstCount`.
EMergeError ColumnCountError(const std::string& sourceName, int count, int firstCount);
EMergeError DelimiterUnusableError(const std::string& sourceName, const std::string& delimiter);
EMergeError DelimiterError(const std::string& sourceName, const std::string& delimiter,
                           const std::string& firstDelimiter);

// Objects and rows that do not pair up.
EMergeError CountMismatchError(const std::string& mifName, std::int64_t objects,
                               const std::string& midName, std::int64_t rows);
// The `.mif` ends inside an object that would take the next source's
// lines as its own.
EMergeError UnfinishedObjectError(const std::string& mifName);
// The `.mid` ends inside the quoted value that opened in row `row`.
EMergeError UnclosedQuoteError(const std::string& midName, std::int64_t row);

// The error `errorText` stopped the run, and cutting `outputName` back to
// what the sources before the failing one wrote failed with `cutText`.
EMergeError CutBackError(const std::u16string& errorText, const std::string& outputName,
                         const std::u16string& cutText);

// What a user is shown of the exception being handled: DescribeError of
// ours, "メモリが足りません" when memory ran out.
std::u16string CurrentErrorText();

// How a delimiter reads in a message: TAB, or the character in quotes.
std::u16string DelimiterText(const std::string& delimiter);

}  // namespace mif

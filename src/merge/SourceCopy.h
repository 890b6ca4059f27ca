// The copy of one source's objects and rows into an output pair: the lines
// as they are, or converted from UTF-8; every row with its layer value in
// front and its values in the output's columns; and the counts a reader
// pairs them up by. The check copies into outputs that keep nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "merge/LineCopy.h"
#include "merge/OutputSchema.h"

namespace mif {

class LineObserver;
class SourceReader;
class TextLineFile;

struct CopyResult {
  std::int64_t objects = 0;
  std::int64_t rows = 0;               // a quoted value over several lines in one row
  std::int64_t droppedEmptyLines = 0;  // after the last row the objects need
  bool unfinishedObject = false;       // the .mif ends inside its last object
  std::int64_t unclosedQuoteRow = 0;   // 1-based row; 0 when every quote closes
  // The lines read before a Ctrl-Z that more text follows; -1: none.
  std::int64_t mifCtrlZAfterLine = -1, midCtrlZAfterLine = -1;
  TextNotes objectNotes, rowNotes;  // the header's '?' counted with the objects
  std::uint64_t bytesRead = 0;      // of both files
};

// What a copy is told besides the source and its layout.
struct CopyRequest {
  bool utf8 = false;  // convert the objects of an undeclared source from UTF-8
  // A source read as UTF-8 (its header is) is converted on trial: a byte
  // sequence that is no UTF-8 raises NotUtf8Text, what was written stays.
  bool utf8Trial = false;
  std::string layerValue;     // quoted
  std::string tileValue;      // quoted; for an output with a tile column
  char delimiter = '\t';      // the output's
  ProgressCallback progress;  // told the bytes of both files read so far
  // Told of every object line, where the points are checked against a
  // mesh.
  LineObserver* points = nullptr;
};

// Copies the source's objects and rows, as `layout` lays them out: with
// `utf8` the object lines that are well-formed UTF-8 are converted; a
// source that declares UTF-8 is converted whole; an undeclared one beside
// sources that declare WindowsJapanese is checked as code page 932. Empty
// lines after the rows the objects need are no rows. A source without
// columns gets one row of the layer value a object, whatever its .mid
// holds. The .mif is at its objects, with the header read; the .mid is
// opened here.
CopyResult CopySource(SourceReader& source, const SourceLayout& layout, const CopyRequest& request,
                      TextLineFile& outMif, TextLineFile& outMid);

// What a copy found that a reader of the output would take differently,
// each in Japanese.
std::vector<std::u16string> UnpairedProblems(const CopyResult& result, const SourceReader& source);

}  // namespace mif

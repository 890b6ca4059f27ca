// What a run tells of each source and of each output as it is done: the
// check prints it, the command line's report writes it, the merge passes
// on the warnings.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "format/CoordSys.h"
#include "merge/LineCopy.h"
#include "merge/SourceEntry.h"

namespace mif {

enum class SourceStatus {
  Merged,     // the check: merges without a problem
  Skipped,    // a duplicate left out
  Refused,    // the run stopped here; the check: a problem
  Withdrawn,  // taken out by the user during the run
};

// A column of a source, and the output column its values go to.
struct ColumnReport {
  std::string name, type;          // code page 932, as declared
  std::string output, outputType;  // empty: left out (intersection)
  bool operator==(const ColumnReport&) const = default;
};

// What a warning is about, for a front end that sums them up.
enum class WarningKind {
  Duplicate,     // given before, as the same file or by its base name
  MergedOutput,  // a merged output merged again: its layer column kept
  NameNotCp932,  // its file name's layer or tile written with '?'
  TextReplaced,  // characters written as '?'
  TextNotCp932,  // no Charset, and text that code page 932 does not read
  TextMixed,     // no Charset, and lines of UTF-8 beside lines of code page 932
  OutsideMesh,   // objects with points outside the mesh its tile names
};

// Japanese, ending with the file it is about.
struct SourceWarning {
  WarningKind kind;
  std::u16string text;
};

// A source given before as the same file, or by its base name.
struct DuplicateReport {
  int earlier = -1;
  bool sameFile = false;   // its .mif and .mid are the earlier's files
  bool sameMif = false;    // its .mif is, at least
  bool identical = false;  // its .mif and .mid byte for byte the earlier's
};

struct SourceReport {
  SourceStatus status = SourceStatus::Merged;
  SourcePairNames names;
  std::string layerName;  // code page 932
  std::string tileName;   // code page 932
  // How many of the added columns (the layer's, the tile's) it brings
  // itself, in front: the layer values are then its own.
  int ownAdded = 0;
  int output = -1;       // the output it goes to, as OutputReport counts them
  int columnCount = -1;  // -1: none read
  std::string delimiter = "\t";
  std::string charset;
  std::string charsetRead;  // how its text was read, and why: "UTF-8 (text)"; code page 932
  int version = -1;
  std::vector<ColumnReport> columns;  // its own, the added ones it brings aside
  // For each output column after the added ones, the name of the source's
  // column whose values go there, or empty for none; nothing when the
  // output could not be planned.
  std::vector<std::string> values;
  bool planned = false;
  std::int64_t objects = -1;  // -1: not counted (the .mif could not be read)
  std::int64_t rows = -1;     // -1: not counted (the .mid could not be read)
  TextNotes objectNotes, rowNotes;
  std::optional<DuplicateReport> duplicate;
  std::vector<std::u16string> problems;  // Japanese, one a problem; the check's alone
  std::vector<SourceWarning> warnings;   // what merges, but with a loss
  std::vector<std::u16string> notes;     // what merges well, but not as declared
};

struct OutputReport {
  int index = 0;          // 0-based, in the order written
  std::string name;       // as the run decided it
  SourcePairNames files;  // written
  std::u16string layer;   // the layer of its sources; a per-layer run's
  int sources = 0;
  std::vector<std::string> header;    // as written, code page 932
  std::vector<ColumnReport> columns;  // name and type of each, added ones first
  std::string coordSys;               // code page 932, after the keyword; empty: none
  std::optional<Bounds> bounds;
  std::int64_t objects = 0, rows = 0;
  std::uint64_t bytes = 0;  // of both files
  bool complete = false;    // every source of it is in it
};

class MeshCoverage;

struct RunReport {
  std::vector<std::u16string> outputProblems;  // the check's, of the output names
  // What the outputs' files told of an earlier run (Japanese): a pair left
  // half put in place.
  std::vector<std::u16string> outputNotes;
  int sources = 0;
  int outputs = 0;
  std::int64_t objects = 0;
  std::uint64_t bytes = 0;  // of sources read
  // With mesh tiles, where every tile was a mesh code: the set's tiles.
  std::shared_ptr<const MeshCoverage> coverage;
};

}  // namespace mif

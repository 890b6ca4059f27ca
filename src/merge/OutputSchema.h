// The output table of a run, planned from every source's header before
// anything is written: the columns the run adds (the layer's, the tile's),
// the sources' columns after them and their types, and what the output
// header declares of version, charset, delimiter and Bounds. And how each
// source's rows are laid into it.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "format/ColumnDef.h"
#include "format/MifHeader.h"
#include "merge/MergeError.h"

namespace mif {

enum class ColumnsMode {
  First,         // the first source's columns; the others must have the same
  Union,         // every column of every source
  Intersection,  // the columns that every source has
};

// The layer column's width unless a layer name is longer.
inline constexpr int kLayerWidth = 40;

// The columns a run puts in front of the sources' own: the layer name's,
// and, when named, the tile's (the text of the file name before the layer).
struct AddedColumns {
  std::string layer = "LAYER";
  std::string tile;  // empty: none
};

// What a source's file name gives its rows, code page 932 (SourceName).
struct SourceValues {
  std::string layer;
  std::string tile = {};  // no tile column: none asked
};

// A source's name for messages, shared: a layer's first source is mostly
// also the first with columns and the first to declare a charset.
using SharedName = std::shared_ptr<const std::string>;
// The name, or empty where there is none.
const std::string& NameOf(const SharedName& name);

struct OutputSchema {
  ColumnsMode mode = ColumnsMode::First;
  // The run's, shared: thousands of one-tile layers each have a schema.
  std::shared_ptr<const AddedColumns> added;
  // The output header is written from it; shared, as a header may be
  // megabytes.
  std::shared_ptr<const MifHeader> first = std::make_shared<const MifHeader>();
  SharedName firstName;
  int firstOwn = 0;                // added columns the first source brings itself
  SharedName columnsName;          // the first source with columns, which lead them
  std::vector<ColumnDef> columns;  // after the added ones, reconciled
  std::vector<bool> anyValue;      // Char(254) where the types did not meet
  int layerWidth = kLayerWidth;
  int tileWidth = 1;
  int version = -1;
  // The charset the declaring sources share, as merged (UTF-8 is written
  // as "WindowsJapanese"); empty when none declares one.
  std::string charset;
  SharedName charsetSource;  // the first source that declared it
  char delimiter = '\t';
  std::optional<Bounds> bounds;  // none: the output declares none
};

// The output's header: the first source's rewritten with the added
// columns in front (RewrittenHeaderLines), the planned columns, the highest
// Version of the sources', the union of their Bounds, and the charset they
// declare (UTF-8 written as "WindowsJapanese").
std::vector<std::string> OutputHeaderLines(const OutputSchema& schema);

// How many of the added columns the header brings itself, in front (a
// merged output merged again): 0, 1 (the layer's) or 2 (and the tile's).
int OwnAddedColumns(const MifHeader& header, const AddedColumns& added);
// Whether a charset says nothing: "Neutral", or none declared.
bool IsNeutralCharset(const std::string& charset);
// Whether text of the charset is code page 932, as the tool reads it.
bool IsCp932Charset(const std::string& charset);

// Gathers every source's header in run order, and plans the output.
class SchemaBuilder {
 public:
  explicit SchemaBuilder(AddedColumns added = {})
      : added_(std::make_shared<const AddedColumns>(std::move(added))) {}
  // The added columns shared by every builder and schema of a run.
  explicit SchemaBuilder(std::shared_ptr<const AddedColumns> added) : added_(std::move(added)) {}

  // Raises EMergeError for a source that no mode of columns can merge: a
  // header without readable columns, two columns of one name, an added
  // column's name elsewhere than in front, a layer or tile value over 254
  // bytes, a delimiter of more than one byte (where there are columns to
  // delimit), a declared charset that differs from an earlier one, another
  // CoordSys (Bounds aside) or Transform than the first's. `index` is the
  // source's place in the run.
  void Add(const MifHeader& header, const std::string& sourceName, const SourceValues& values,
           int index = 0);
  // The same, keeping the first source's header shared, not copied: tiles
  // of one writer share one, whatever the number of layers.
  void Add(const std::shared_ptr<const MifHeader>& header, const std::string& sourceName,
           const SourceValues& values, int index = 0);
  int Sources() const { return sources_; }
  // The charset the sources so far declare or were read in; empty while
  // each is Neutral or declares none.
  const std::string& Charset() const { return charset_; }

  // The first difference of columns that the first source's columns do not
  // take (a missing or extra name, types that do not meet), if any, and
  // the place of the source it was found in.
  const EColumnsError* ColumnProblem() const { return problem_.get(); }
  int ColumnProblemSource() const { return problemSource_; }

  // Raises the column problem for ColumnsMode::First. Types that do not
  // meet become Char(254) in the other modes.
  OutputSchema Plan(ColumnsMode mode) const;

 private:
  struct Column {
    // As first met, once reconciled to another type; until then `def`.
    const ColumnDef& FirstDef() const { return firstDef ? *firstDef : def; }
    ColumnDef def;  // reconciled so far; worded as first met
    std::unique_ptr<const ColumnDef> firstDef;
    bool anyValue = false;
    int sources = 0;  // how many sources have it
  };
  void AddColumns(std::span<const ColumnDef> columns, const std::string& sourceName, int index);
  void AddCharset(const MifHeader& header, const std::string& sourceName);
  void NoteProblem(EColumnsError problem, int index);
  // The column of the folded name (ColumnDef::folded).
  Column* Find(const std::string& folded);
  void Append(const ColumnDef& column, int sources);

  std::shared_ptr<const AddedColumns> added_;
  int sources_ = 0;
  int columnSources_ = 0;                   // sources with columns
  std::shared_ptr<const MifHeader> first_;  // once a source is added
  // The name of the source being added, shared with the names kept.
  SharedName NameFor(const std::string& sourceName) const;

  SharedName firstName_, columnsName_;
  std::vector<Column> columns_;  // the first source's first, then as met
  // Folded name -> column, once there are more than a few.
  std::unordered_map<std::string, std::size_t> byName_;
  std::size_t firstColumns_ = 0;
  std::unique_ptr<const EColumnsError> problem_;  // rare: a pointer's room a layer
  int problemSource_ = -1;
  int layerWidth_ = kLayerWidth;
  int tileWidth_ = 1;
  int version_ = -1;
  std::string charset_;  // the first declared
  SharedName charsetSource_;
  bool allBounds_ = true;
  std::optional<Bounds> bounds_;
};

// How a source's rows become output rows.
struct SourceLayout {
  // Added columns whose values the source brings itself, in front: 1 its
  // own layer, 2 its own tile too.
  int own = 0;
  bool tile = false;  // the output has a tile column
  // No columns: a row of the layer value alone for every object, whatever
  // its .mid holds.
  bool noColumns = false;
  // For each output column after the added ones, the source's value
  // (0-based among its values, its own added ones counted), or -1 for an
  // empty value.
  std::vector<int> valueOf;
  // Values already in the output's places and delimited as the output's:
  // rows are copied as they are.
  bool inPlace = true;
  int sourceValues = 0;  // values a row of the source holds
  char delimiter = '\t';
  // Text to check as code page 932: an undeclared source beside sources
  // that declare WindowsJapanese.
  bool checkCp932 = false;
  bool doubleByte = true;  // its text is read as code page 932 characters
};

// Checks the source against the planned output as Add and Plan would have,
// and lays its values out. Raises EMergeError (EColumnsError for columns)
// for a source that does not fit, as one that changed since it was first
// read may not.
SourceLayout FitSource(const OutputSchema& schema, const MifHeader& header,
                       const std::string& sourceName, const SourceValues& values);

}  // namespace mif

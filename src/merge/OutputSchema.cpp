#include "merge/OutputSchema.h"

#include <algorithm>
#include <span>
#include <unordered_set>

#include "format/HeaderWriter.h"
#include "text/AsciiCase.h"

namespace mif {

namespace {

// The columns after those of the added ones the source brings itself.
std::span<const ColumnDef> DataColumns(const MifHeader& header, int own) {
  return std::span<const ColumnDef>(header.columns).subspan(static_cast<std::size_t>(own));
}

// An added column's name must stand only where the source brings that
// column itself: the layer's first, the tile's second after it.
void CheckAddedNames(const MifHeader& header, const std::string& name, const AddedColumns& added,
                     int own) {
  for (std::size_t i = 0; i < header.columns.size(); ++i) {
    const std::string& column = header.columns[i].name;
    const int position = static_cast<int>(i) + 1;
    if (i > 0 && SameColumnName(column, added.layer)) {
      throw AddedColumnPlaceError(name, added.layer, position, false);
    }
    if (!added.tile.empty() && static_cast<int>(i) >= own && SameColumnName(column, added.tile)) {
      throw AddedColumnPlaceError(name, added.tile, position, true);
    }
  }
}

// What every source must be, alone.
void CheckOwnHeader(const MifHeader& header, const std::string& name, const SourceValues& values,
                    const AddedColumns& added) {
  if (!header.columnLine.Declared()) throw NoColumnsLineError(name);
  if (header.columnCount < 0 || header.columnCount > kMaxColumns) {
    throw ColumnCountUnreadableError(name);
  }
  const int read = static_cast<int>(header.columns.size());
  if (read < header.columnCount) throw ColumnDefinitionsError(name, header.columnCount, read);
  // Without columns nothing is delimited.
  if (read > 0 && header.delimiter.size() != 1) {
    throw DelimiterUnusableError(name, header.delimiter);
  }
  std::unordered_set<std::string> names;
  for (const ColumnDef& column : header.columns) {
    if (!names.insert(column.folded).second) {
      throw DuplicateColumnError(name, column);
    }
  }
  const int own = OwnAddedColumns(header, added);
  CheckAddedNames(header, name, added, own);
  constexpr auto kMax = static_cast<std::size_t>(kMaxCharWidth);
  if (own < 1 && values.layer.size() > kMax) throw LayerNameTooLongError(name, values.layer.size());
  if (!added.tile.empty() && own < 2 && values.tile.size() > kMax) {
    throw TileNameTooLongError(name, values.tile.size());
  }
}

// A declared charset against the one declared before it.
void CheckCharset(const MifHeader& header, const std::string& name, const std::string& charset,
                  const std::string& charsetSource) {
  const std::string own = MergedCharset(header);
  if (!IsNeutralCharset(own) && !charset.empty() && !EqualsIgnoringAsciiCase(own, charset)) {
    throw CharsetError(name, header.charset, charsetSource, charset);
  }
}

// What a later source must share with the first, whatever the columns.
void CheckAgainstFirst(const MifHeader& first, const std::string& firstName,
                       const MifHeader& header, const std::string& name) {
  if (header.coordSysLines.Declared() != first.coordSysLines.Declared() ||
      !SameCoordSys(header.coordSys, first.coordSys)) {
    throw ClauseError("CoordSys", name, header.coordSys, firstName, first.coordSys);
  }
  if (header.transformLine.Declared() != first.transformLine.Declared() ||
      !SameTransform(header.transform, first.transform)) {
    throw ClauseError("Transform", name, header.transform, firstName, first.transform);
  }
}

// The width a source asks of an added column: its own column's (a Char of
// it; no text otherwise), or its value's.
int AddedWidthOf(const MifHeader& header, int column, int own, const std::string& value) {
  if (own <= column) return static_cast<int>(value.size());
  const ColumnDef& def = header.columns[static_cast<std::size_t>(column)];
  return def.type == ColumnType::Char ? std::min(def.width, kMaxCharWidth) : 0;
}

char DelimiterOf(const MifHeader& header) {
  return header.delimiter.size() == 1 ? header.delimiter.front() : '\t';
}

// Whether the source's values stand where the output's are, delimited
// alike, so that its rows are copied as they are, after the added values
// it does not bring.
bool InPlace(const SourceLayout& layout, const OutputSchema& schema) {
  if (layout.noColumns || layout.delimiter != schema.delimiter) return false;
  const int added = layout.tile ? 2 : 1;
  if (layout.own > 0 && layout.own < added) return false;  // a value to put between
  if (layout.sourceValues != layout.own + static_cast<int>(schema.columns.size())) return false;
  int expected = layout.own;
  return std::all_of(layout.valueOf.begin(), layout.valueOf.end(),
                     [&](int value) { return value == expected++; });
}

}  // namespace

int OwnAddedColumns(const MifHeader& header, const AddedColumns& added) {
  const std::vector<ColumnDef>& columns = header.columns;
  if (columns.empty() || !SameColumnName(columns[0].name, added.layer)) return 0;
  const bool tile =
      !added.tile.empty() && columns.size() > 1 && SameColumnName(columns[1].name, added.tile);
  return tile ? 2 : 1;
}

std::vector<std::string> OutputHeaderLines(const OutputSchema& schema) {
  HeaderChanges changes;
  changes.ownAdded = schema.firstOwn;
  changes.added.push_back({schema.added->layer, schema.layerWidth});
  if (!schema.added->tile.empty()) changes.added.push_back({schema.added->tile, schema.tileWidth});
  changes.columns = schema.columns;
  changes.version = schema.version;
  changes.charset = schema.charset;
  changes.bounds = schema.bounds;
  return RewrittenHeaderLines(*schema.first, changes);
}

bool IsNeutralCharset(const std::string& charset) {
  return charset.empty() || EqualsIgnoringAsciiCase(charset, "Neutral");
}

bool IsCp932Charset(const std::string& charset) {
  return IsNeutralCharset(charset) || EqualsIgnoringAsciiCase(charset, "WindowsJapanese");
}

// A few columns are looked through: a map for each of thousands of one-tile
// layers would cost more than the layer's columns.
constexpr std::size_t kColumnsLookedThrough = 16;

const std::string& NameOf(const SharedName& name) {
  static const std::string none;
  return name ? *name : none;
}

SharedName SchemaBuilder::NameFor(const std::string& sourceName) const {
  for (const SharedName* kept : {&firstName_, &columnsName_, &charsetSource_}) {
    if (*kept && **kept == sourceName) return *kept;
  }
  return std::make_shared<const std::string>(sourceName);
}

SchemaBuilder::Column* SchemaBuilder::Find(const std::string& folded) {
  if (byName_.empty()) {
    for (Column& column : columns_) {
      if (column.def.folded == folded) return &column;
    }
    return nullptr;
  }
  const auto found = byName_.find(folded);
  return found == byName_.end() ? nullptr : &columns_[found->second];
}

void SchemaBuilder::Append(const ColumnDef& column, int sources) {
  columns_.push_back({column, nullptr, false, sources});
  if (columns_.size() <= kColumnsLookedThrough) return;
  if (byName_.empty()) {
    for (std::size_t i = 0; i + 1 < columns_.size(); ++i)
      byName_.emplace(columns_[i].def.folded, i);
  }
  byName_.emplace(column.folded, columns_.size() - 1);
}

void SchemaBuilder::NoteProblem(EColumnsError problem, int index) {
  if (problem_) return;
  problem_ = std::make_unique<const EColumnsError>(std::move(problem));
  problemSource_ = index;
}

void SchemaBuilder::Add(const MifHeader& header, const std::string& sourceName,
                        const SourceValues& values, int index) {
  Add(std::make_shared<const MifHeader>(header), sourceName, values, index);
}

void SchemaBuilder::Add(const std::shared_ptr<const MifHeader>& shared,
                        const std::string& sourceName, const SourceValues& values, int index) {
  const MifHeader& header = *shared;
  CheckOwnHeader(header, sourceName, values, *added_);
  if (sources_ == 0) {
    first_ = shared;
    firstName_ = NameFor(sourceName);
  } else {
    CheckAgainstFirst(*first_, NameOf(firstName_), header, sourceName);
  }
  AddCharset(header, sourceName);
  const int own = OwnAddedColumns(header, *added_);
  const std::span<const ColumnDef> data = DataColumns(header, own);
  // A source without columns of its own has no values to lay out: it takes
  // part in no comparison of columns, and the first with columns leads.
  if (!data.empty()) {
    if (columnSources_ == 0) {
      columnsName_ = NameFor(sourceName);
      for (const ColumnDef& column : data) Append(column, 0);
      firstColumns_ = columns_.size();
    }
    AddColumns(data, sourceName, index);
    ++columnSources_;
  }
  ++sources_;
  layerWidth_ = std::max(layerWidth_, AddedWidthOf(header, 0, own, values.layer));
  tileWidth_ = std::max(tileWidth_, AddedWidthOf(header, 1, own, values.tile));
  version_ = std::max(version_, header.version);
  const std::optional<Bounds> bounds = BoundsOf(header.coordSys);
  allBounds_ = allBounds_ && bounds.has_value();
  if (bounds) bounds_ = bounds_ ? UnionOf(*bounds_, *bounds) : *bounds;
}

void SchemaBuilder::AddCharset(const MifHeader& header, const std::string& sourceName) {
  CheckCharset(header, sourceName, charset_, NameOf(charsetSource_));
  const std::string own = MergedCharset(header);
  if (charset_.empty() && !IsNeutralCharset(own)) {
    charset_ = own;
    charsetSource_ = NameFor(sourceName);
  }
}

void SchemaBuilder::AddColumns(std::span<const ColumnDef> columns, const std::string& sourceName,
                               int index) {
  for (const ColumnDef& column : columns) {
    Column* known = Find(column.folded);
    if (known == nullptr) {
      NoteProblem(ExtraColumnError(sourceName, column, NameOf(columnsName_)), index);
      Append(column, 1);
      continue;
    }
    ++known->sources;
    if (const auto reconciled = ReconcileColumnTypes(known->def, column)) {
      if (!known->firstDef) known->firstDef = std::make_unique<const ColumnDef>(known->def);
      known->def = *reconciled;
    } else {
      known->anyValue = true;
      if (static_cast<std::size_t>(known - columns_.data()) < firstColumns_) {
        NoteProblem(ColumnTypeError(sourceName, column, NameOf(columnsName_), known->FirstDef()),
                    index);
      }
    }
  }
  if (problem_) return;  // only the first problem is told
  std::unordered_set<std::string> names;
  for (const ColumnDef& column : columns) names.insert(column.folded);
  for (std::size_t i = 0; i < firstColumns_; ++i) {
    if (names.count(columns_[i].def.folded) == 0) {
      NoteProblem(MissingColumnError(sourceName, columns_[i].FirstDef(), NameOf(columnsName_)),
                  index);
    }
  }
}

OutputSchema SchemaBuilder::Plan(ColumnsMode mode) const {
  if (mode == ColumnsMode::First && problem_) throw *problem_;
  OutputSchema schema;
  schema.mode = mode;
  schema.added = added_;
  schema.first = first_;
  schema.firstName = firstName_;
  schema.firstOwn = OwnAddedColumns(*first_, *added_);
  schema.columnsName = columnsName_;
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    const Column& column = columns_[i];
    const bool taken = mode == ColumnsMode::First   ? i < firstColumns_
                       : mode == ColumnsMode::Union ? true
                                                    : column.sources == columnSources_;
    if (!taken) continue;
    schema.columns.push_back(column.anyValue ? WidestCharColumn(column.def) : column.def);
    schema.anyValue.push_back(column.anyValue);
  }
  schema.layerWidth = std::min(layerWidth_, kMaxCharWidth);
  schema.tileWidth = std::min(tileWidth_, kMaxCharWidth);
  schema.version = version_;
  schema.charset = charset_;
  schema.charsetSource = charsetSource_;
  schema.delimiter = DelimiterOf(*first_);
  if (allBounds_) schema.bounds = bounds_;
  return schema;
}

SourceLayout FitSource(const OutputSchema& schema, const MifHeader& header,
                       const std::string& sourceName, const SourceValues& values) {
  CheckOwnHeader(header, sourceName, values, *schema.added);
  CheckAgainstFirst(*schema.first, NameOf(schema.firstName), header, sourceName);
  CheckCharset(header, sourceName, schema.charset, NameOf(schema.charsetSource));
  SourceLayout layout;
  layout.own = OwnAddedColumns(header, *schema.added);
  layout.tile = !schema.added->tile.empty();
  layout.noColumns = header.columns.empty();
  layout.sourceValues = static_cast<int>(header.columns.size());
  layout.delimiter = DelimiterOf(header);
  layout.doubleByte = IsCp932Charset(schema.charset);
  layout.checkCp932 = IsNeutralCharset(header.charset) && !header.utf8 && !schema.charset.empty() &&
                      EqualsIgnoringAsciiCase(schema.charset, "WindowsJapanese");
  if (AddedWidthOf(header, 0, layout.own, values.layer) > schema.layerWidth) {
    throw SourceChangedError(sourceName, u"レイヤー名が加える列の幅より長い");
  }
  if (layout.tile && AddedWidthOf(header, 1, layout.own, values.tile) > schema.tileWidth) {
    throw SourceChangedError(sourceName, u"タイル名が加える列の幅より長い");
  }
  if (schema.bounds) {
    const std::optional<Bounds> bounds = BoundsOf(header.coordSys);
    if (!bounds || !Contains(*schema.bounds, *bounds)) {
      throw SourceChangedError(sourceName, u"Bounds が出力の Bounds の外");
    }
  }
  const std::span<const ColumnDef> columns = DataColumns(header, layout.own);
  if (columns.empty()) {
    layout.valueOf.assign(schema.columns.size(), -1);
    layout.inPlace = InPlace(layout, schema);
    return layout;
  }
  std::unordered_map<std::string, std::size_t> byName;
  for (std::size_t k = 0; k < columns.size(); ++k) {
    byName.emplace(columns[k].folded, k);
  }
  std::vector<bool> used(columns.size(), false);
  for (std::size_t j = 0; j < schema.columns.size(); ++j) {
    const ColumnDef& out = schema.columns[j];
    const auto found = byName.find(out.folded);
    if (found == byName.end()) {
      if (schema.mode != ColumnsMode::Union) {
        throw MissingColumnError(sourceName, out, NameOf(schema.columnsName));
      }
      layout.valueOf.push_back(-1);
      continue;
    }
    const std::size_t k = found->second;
    used[k] = true;
    const auto reconciled = ReconcileColumnTypes(out, columns[k]);
    if (!schema.anyValue[j] && !(reconciled && SameColumnType(*reconciled, out))) {
      throw ColumnTypeError(sourceName, columns[k], NameOf(schema.columnsName), out);
    }
    layout.valueOf.push_back(static_cast<int>(k) + layout.own);
  }
  for (std::size_t k = 0; k < columns.size(); ++k) {
    if (!used[k] && schema.mode != ColumnsMode::Intersection) {
      throw ExtraColumnError(sourceName, columns[k], NameOf(schema.columnsName));
    }
  }
  layout.inPlace = InPlace(layout, schema);
  return layout;
}

}  // namespace mif

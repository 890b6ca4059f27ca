#include "merge/OutputSchema.h"

#include <algorithm>
#include <unordered_set>

#include "text/AsciiCase.h"

namespace mif {

namespace {

int LayerOffset(const MifHeader& header) { return HasLayerColumn(header) ? 1 : 0; }

// The columns after a LAYER column of the source's own.
std::vector<ColumnDef> DataColumns(const MifHeader& header) {
  return {header.columns.begin() + LayerOffset(header), header.columns.end()};
}

// What every source must be, alone.
void CheckOwnHeader(const MifHeader& header, const std::string& name,
                    const std::string& layerName) {
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
  for (int i = 0; i < read; ++i) {
    const ColumnDef& column = header.columns[static_cast<std::size_t>(i)];
    if (i > 0 && SameColumnName(column.name, "LAYER")) throw LayerColumnPlaceError(name, i + 1);
    if (!names.insert(FoldedColumnName(column.name)).second) {
      throw DuplicateColumnError(name, column);
    }
  }
  if (!HasLayerColumn(header) && layerName.size() > static_cast<std::size_t>(kMaxCharWidth)) {
    throw LayerNameTooLongError(name, layerName.size());
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

// The width a source asks of the LAYER column.
int LayerWidthOf(const MifHeader& header, const std::string& layerName) {
  if (!HasLayerColumn(header)) return static_cast<int>(layerName.size());
  const ColumnDef& layer = header.columns.front();
  return layer.type == ColumnType::Char ? std::min(layer.width, kMaxCharWidth) : 0;
}

char DelimiterOf(const MifHeader& header) {
  return header.delimiter.size() == 1 ? header.delimiter.front() : '\t';
}

// Whether the source's values stand where the output's are, delimited
// alike, so that its rows are copied as they are.
bool InPlace(const SourceLayout& layout, int offset, const OutputSchema& schema) {
  if (layout.noColumns || layout.delimiter != schema.delimiter) return false;
  if (layout.sourceValues != offset + static_cast<int>(schema.columns.size())) return false;
  int expected = offset;
  return std::all_of(layout.valueOf.begin(), layout.valueOf.end(),
                     [&](int value) { return value == expected++; });
}

}  // namespace

bool HasLayerColumn(const MifHeader& header) {
  return !header.columns.empty() && SameColumnName(header.columns.front().name, "LAYER");
}

bool IsNeutralCharset(const std::string& charset) {
  return charset.empty() || EqualsIgnoringAsciiCase(charset, "Neutral");
}

bool IsCp932Charset(const std::string& charset) {
  return IsNeutralCharset(charset) || EqualsIgnoringAsciiCase(charset, "WindowsJapanese");
}

SchemaBuilder::Column* SchemaBuilder::Find(const std::string& name) {
  const auto found = byName_.find(FoldedColumnName(name));
  return found == byName_.end() ? nullptr : &columns_[found->second];
}

void SchemaBuilder::Append(const ColumnDef& column, int sources) {
  byName_.emplace(FoldedColumnName(column.name), columns_.size());
  columns_.push_back({column, column, false, sources});
}

void SchemaBuilder::NoteProblem(EColumnsError problem, int index) {
  if (problem_) return;
  problem_ = std::move(problem);
  problemSource_ = index;
}

void SchemaBuilder::Add(const MifHeader& header, const std::string& sourceName,
                        const std::string& layerName, int index) {
  CheckOwnHeader(header, sourceName, layerName);
  if (sources_ == 0) {
    first_ = header;
    firstName_ = sourceName;
  } else {
    CheckAgainstFirst(first_, firstName_, header, sourceName);
  }
  AddCharset(header, sourceName);
  // A source without columns has no values to lay out: it takes part in
  // no comparison of columns, and the first with columns leads them.
  if (!header.columns.empty() && columnSources_ == 0) {
    columnsName_ = sourceName;
    for (const ColumnDef& column : DataColumns(header)) Append(column, 0);
    firstColumns_ = columns_.size();
  }
  if (!header.columns.empty()) {
    AddColumns(header, sourceName, index);
    ++columnSources_;
  }
  ++sources_;
  layerWidth_ = std::max(layerWidth_, LayerWidthOf(header, layerName));
  version_ = std::max(version_, header.version);
  const std::optional<Bounds> bounds = BoundsOf(header.coordSys);
  allBounds_ = allBounds_ && bounds.has_value();
  if (bounds) bounds_ = bounds_ ? UnionOf(*bounds_, *bounds) : *bounds;
}

void SchemaBuilder::AddCharset(const MifHeader& header, const std::string& sourceName) {
  CheckCharset(header, sourceName, charset_, charsetSource_);
  const std::string own = MergedCharset(header);
  if (charset_.empty() && !IsNeutralCharset(own)) {
    charset_ = own;
    charsetSource_ = sourceName;
  }
}

void SchemaBuilder::AddColumns(const MifHeader& header, const std::string& sourceName, int index) {
  const std::vector<ColumnDef> columns = DataColumns(header);
  for (const ColumnDef& column : columns) {
    Column* known = Find(column.name);
    if (known == nullptr) {
      NoteProblem(ExtraColumnError(sourceName, column, columnsName_), index);
      Append(column, 1);
      continue;
    }
    ++known->sources;
    if (const auto reconciled = ReconcileColumnTypes(known->def, column)) {
      known->def = *reconciled;
    } else {
      known->anyValue = true;
      if (static_cast<std::size_t>(known - columns_.data()) < firstColumns_) {
        NoteProblem(ColumnTypeError(sourceName, column, columnsName_, known->firstDef), index);
      }
    }
  }
  if (problem_) return;  // only the first problem is told
  std::unordered_set<std::string> names;
  for (const ColumnDef& column : columns) names.insert(FoldedColumnName(column.name));
  for (std::size_t i = 0; i < firstColumns_; ++i) {
    if (names.count(FoldedColumnName(columns_[i].def.name)) == 0) {
      NoteProblem(MissingColumnError(sourceName, columns_[i].firstDef, columnsName_), index);
    }
  }
}

OutputSchema SchemaBuilder::Plan(ColumnsMode mode) const {
  if (mode == ColumnsMode::First && problem_) throw *problem_;
  OutputSchema schema;
  schema.mode = mode;
  schema.first = first_;
  schema.firstName = firstName_;
  schema.firstHasLayer = HasLayerColumn(first_);
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
  schema.version = version_;
  schema.charset = charset_;
  schema.charsetSource = charsetSource_;
  schema.delimiter = DelimiterOf(first_);
  if (allBounds_) schema.bounds = bounds_;
  return schema;
}

SourceLayout FitSource(const OutputSchema& schema, const MifHeader& header,
                       const std::string& sourceName, const std::string& layerName) {
  CheckOwnHeader(header, sourceName, layerName);
  CheckAgainstFirst(schema.first, schema.firstName, header, sourceName);
  CheckCharset(header, sourceName, schema.charset, schema.charsetSource);
  SourceLayout layout;
  layout.ownLayer = HasLayerColumn(header);
  layout.noColumns = header.columns.empty();
  layout.sourceValues = static_cast<int>(header.columns.size());
  layout.delimiter = DelimiterOf(header);
  layout.doubleByte = IsCp932Charset(schema.charset);
  layout.checkCp932 = IsNeutralCharset(header.charset) && !header.utf8 && !schema.charset.empty() &&
                      EqualsIgnoringAsciiCase(schema.charset, "WindowsJapanese");
  if (!layout.ownLayer && layerName.size() > static_cast<std::size_t>(schema.layerWidth)) {
    throw SourceChangedError(sourceName, u"レイヤー名が LAYER 列の幅より長い");
  }
  if (schema.bounds) {
    const std::optional<Bounds> bounds = BoundsOf(header.coordSys);
    if (!bounds || !Contains(*schema.bounds, *bounds)) {
      throw SourceChangedError(sourceName, u"Bounds が出力の Bounds の外");
    }
  }
  if (layout.noColumns) {
    layout.valueOf.assign(schema.columns.size(), -1);
    layout.inPlace = false;
    return layout;
  }
  const int offset = LayerOffset(header);
  const std::vector<ColumnDef> columns = DataColumns(header);
  std::unordered_map<std::string, std::size_t> byName;
  for (std::size_t k = 0; k < columns.size(); ++k)
    byName.emplace(FoldedColumnName(columns[k].name), k);
  std::vector<bool> used(columns.size(), false);
  for (std::size_t j = 0; j < schema.columns.size(); ++j) {
    const ColumnDef& out = schema.columns[j];
    const auto found = byName.find(FoldedColumnName(out.name));
    if (found == byName.end()) {
      if (schema.mode != ColumnsMode::Union) {
        throw MissingColumnError(sourceName, out, schema.columnsName);
      }
      layout.valueOf.push_back(-1);
      continue;
    }
    const std::size_t k = found->second;
    used[k] = true;
    const auto reconciled = ReconcileColumnTypes(out, columns[k]);
    if (!schema.anyValue[j] && !(reconciled && SameColumnType(*reconciled, out))) {
      throw ColumnTypeError(sourceName, columns[k], schema.columnsName, out);
    }
    layout.valueOf.push_back(static_cast<int>(k) + offset);
  }
  for (std::size_t k = 0; k < columns.size(); ++k) {
    if (!used[k] && schema.mode != ColumnsMode::Intersection) {
      throw ExtraColumnError(sourceName, columns[k], schema.columnsName);
    }
  }
  layout.inPlace = InPlace(layout, offset, schema);
  return layout;
}

}  // namespace mif

#include "merge/RunReports.h"

#include "merge/MergeError.h"
#include "merge/OutputPair.h"
#include "platform/PathText.h"

namespace mif {

void DescribeHeader(const MifHeader& header, SourceReport& report) {
  report.columnCount = header.columnCount;
  report.delimiter = header.delimiter;
  report.charset = header.charset;
  report.version = header.version;
  report.columns.clear();
  for (const ColumnDef& column : header.columns) {
    report.columns.push_back({column.name, ColumnTypeText(column), {}, {}});
  }
}

void DescribeLayout(const SourceLayout& layout, const MifHeader& header, const OutputSchema& schema,
                    SourceReport& report) {
  report.planned = true;
  report.ownAdded = layout.own;
  report.values.clear();
  for (std::size_t j = 0; j < layout.valueOf.size(); ++j) {
    const int value = layout.valueOf[j];
    report.values.push_back(value >= 0 ? header.columns[static_cast<std::size_t>(value)].name
                                       : std::string());
    if (value >= 0 && static_cast<std::size_t>(value) < report.columns.size()) {
      ColumnReport& column = report.columns[static_cast<std::size_t>(value)];
      column.output = schema.columns[j].name;
      column.outputType = ColumnTypeText(schema.columns[j]);
    }
  }
  // The added columns it brings itself go to theirs.
  const std::string* added[] = {&schema.added->layer, &schema.added->tile};
  for (int k = 0; k < layout.own && static_cast<std::size_t>(k) < report.columns.size(); ++k) {
    report.columns[static_cast<std::size_t>(k)].output = *added[k];
    report.columns[static_cast<std::size_t>(k)].outputType =
        "Char(" + std::to_string(k == 0 ? schema.layerWidth : schema.tileWidth) + ")";
  }
}

void DescribeOutput(const OutputSchema& schema, OutputReport& report) {
  report.header = OutputHeaderLines(schema);
  report.columns.clear();
  report.columns.push_back(
      {schema.added->layer, "Char(" + std::to_string(schema.layerWidth) + ")", {}, {}});
  if (!schema.added->tile.empty()) {
    report.columns.push_back(
        {schema.added->tile, "Char(" + std::to_string(schema.tileWidth) + ")", {}, {}});
  }
  for (const ColumnDef& column : schema.columns) {
    report.columns.push_back({column.name, ColumnTypeText(column), {}, {}});
  }
  report.coordSys = schema.first->coordSysLines.Declared()
                        ? WithBounds(schema.first->coordSys, schema.bounds)
                        : std::string();
  report.bounds = schema.bounds;
}

std::u16string DuplicateText(const DuplicateReport& duplicate, const std::string& name,
                             const std::string& earlierName, int count, bool skipped) {
  const std::u16string earlier =
      SourcePlace(duplicate.earlier, count) + u": " + PathDisplay(earlierName);
  const std::u16string content = duplicate.identical ? u"同じです)" : u"違います)";
  std::u16string text =
      duplicate.sameFile ? u"同じファイルがもう一度あります (" + earlier + u")"
      : duplicate.sameMif
          ? u"同じ .mif ファイルが別の .mid とともにもう一度あります (" + earlier + u"、内容は" +
                content
          : u"同じ名前の入力がほかのフォルダーにもあります (" + earlier + u"、内容は" + content;
  if (skipped) text += u"。結合しませんでした";
  return text + u": " + PathDisplay(name);
}

std::u16string HalfReplacedNote(const OutputTarget& target) {
  return u"前回の結合は .mif と .mid を置き換える間で止まっていました (" +
         PathDisplay(target.files.mif) + u" は新しく、" + PathDisplay(target.files.mid) +
         u" は前のまま、新しい .mid は " + PathDisplay(TemporaryName(target.files.mid)) +
         u")。結合すれば両方が書き直されます";
}

}  // namespace mif

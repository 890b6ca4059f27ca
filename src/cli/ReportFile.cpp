#include "cli/ReportFile.h"

#include <ctime>

#include <nlohmann/json.hpp>

#include "file/InOutError.h"
#include "file/TextLineFile.h"
#include "merge/OutputPair.h"
#include "merge/OutputTarget.h"
#include "merge/RunFacts.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"
#include "text/AsciiRun.h"
#include "text/Cp932.h"
#include "text/Utf8.h"

#ifndef MIF_VERSION
#define MIF_VERSION "0"
#endif

namespace mif {

namespace {

using Json = nlohmann::ordered_json;

// Text for JSON: paths as people read them, header text from code page 932.
std::string PathText(const std::string& path) { return EncodeUtf8(PathDisplay(path)); }
std::string HeaderText(const std::string& cp932) {
  // ASCII, most header text, is the same bytes in both.
  if (AsciiRunLength(reinterpret_cast<const unsigned char*>(cp932.data()), cp932.size()) ==
      cp932.size()) {
    return cp932;
  }
  return EncodeUtf8(DecodeCp932(cp932));
}

std::string Now() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
#ifdef _WIN32
  gmtime_s(&utc, &now);
#else
  gmtime_r(&now, &utc);
#endif
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

const char* ColumnsWord(ColumnsMode mode) {
  return mode == ColumnsMode::Union          ? "union"
         : mode == ColumnsMode::Intersection ? "intersection"
                                             : "first";
}

Json Nullable(const std::string& text) { return text.empty() ? Json() : Json(text); }

// An object built by appending its members into room made first: one
// from an initializer list costs twice as much, and a report has an entry
// a source. An ordered_json object is a list of members, and a report's
// names are all new, so none is looked for.
class Members {
 public:
  explicit Members(std::size_t count) : object_(Json::value_t::object) { List().reserve(count); }
  Members& Add(const char* name, Json value) {
    List().emplace_back(name, std::move(value));
    return *this;
  }
  Json Done() { return std::move(object_); }

 private:
  Json::object_t& List() { return object_.get_ref<Json::object_t&>(); }
  Json object_;
};

Json Tallies(const TextNotes& notes) {
  const auto tally = [](const Tally& t) {
    return Members(2)
        .Add("count", t.count)
        .Add("firstLine", t.firstLine == 0 ? Json() : Json(t.firstLine))
        .Done();
  };
  return Members(3)
      .Add("unmapped", tally(notes.unmapped))
      .Add("malformed", tally(notes.malformed))
      .Add("notCodePage932", tally(notes.notCp932))
      .Done();
}

Json Columns(const std::vector<ColumnReport>& columns, bool withOutput) {
  Json list = Json::array();
  list.get_ref<Json::array_t&>().reserve(columns.size());
  for (const ColumnReport& column : columns) {
    Members entry(4);
    entry.Add("name", HeaderText(column.name)).Add("type", HeaderText(column.type));
    if (withOutput) {
      entry.Add("output", column.output.empty() ? Json() : Json(HeaderText(column.output)))
          .Add("outputType", column.output.empty() ? Json() : Json(HeaderText(column.outputType)));
    }
    list.push_back(entry.Done());
  }
  return list;
}

Json Texts(const std::vector<std::u16string>& texts) {
  Json list = Json::array();
  for (const std::u16string& text : texts) list.push_back(EncodeUtf8(text));
  return list;
}

Json WarningTexts(const std::vector<SourceWarning>& warnings) {
  Json list = Json::array();
  for (const SourceWarning& warning : warnings) list.push_back(EncodeUtf8(warning.text));
  return list;
}

const char* StatusWord(SourceStatus status) {
  switch (status) {
    case SourceStatus::Merged:
      return "merged";
    case SourceStatus::Skipped:
      return "skipped";
    case SourceStatus::Withdrawn:
      return "withdrawn";
    case SourceStatus::Refused:
      return "refused";
  }
  return "merged";
}

const char* LevelWord(MeshLevel level) {
  switch (level) {
    case MeshLevel::First:
      return "first";
    case MeshLevel::Second:
      return "second";
    case MeshLevel::Third:
      return "third";
    case MeshLevel::Half:
      return "half";
    case MeshLevel::Quarter:
      return "quarter";
  }
  return "first";
}

}  // namespace

ReportFile::ReportFile(const std::string& path, const CommandLine& line, const std::string& output)
    : path_(path), temporary_(TemporaryName(path)), mesh_(line.mesh) {
  const Json head{{"program", Json{{"name", "mifjoin"}, {"version", MIF_VERSION}}},
                  {"options", Json{{"output", Nullable(PathText(output))},
                                   {"check", line.check},
                                   {"utf8", line.utf8},
                                   {"columns", ColumnsWord(line.columns)},
                                   {"perLayer", line.perLayer},
                                   {"layerColumn", HeaderText(line.added.layer)},
                                   {"tileColumn", Nullable(HeaderText(line.added.tile))},
                                   {"recursive", line.recursive},
                                   {"skipDuplicates", line.skipDuplicates},
                                   {"mesh", line.mesh},
                                   {"meshAllowance", static_cast<double>(line.meshAllowance) / 100},
                                   {"expected", Nullable(PathText(line.expected))},
                                   {"coverage", Nullable(PathText(line.coverage))}}},
                  {"started", Now()}};
  const std::string dumped = head.dump();  // its members go first, then the sources'
  file_ = std::make_unique<TextLineFile>(temporary_, 64 * 1024);
  file_->CreateForWrite();
  Write(dumped.substr(0, dumped.size() - 1) + ",\"sources\":[");
}

ReportFile::~ReportFile() {
  if (!file_) return;
  file_.reset();
  RemoveFile(temporary_);  // a run that ended by an exception never finished it
}

void ReportFile::Write(std::string_view text) { file_->WritePiece(text); }

void ReportFile::WriteSource(const std::string& entry) {
  if (!firstSource_) Write(",");
  Write(entry);
  firstSource_ = false;
}

void ReportFile::Source(int index, const std::string& path, const SourceReport& report) {
  Json duplicate;
  if (report.duplicate) {
    duplicate = Members(3)
                    .Add("of", report.duplicate->earlier)
                    .Add("sameFile", report.duplicate->sameFile)
                    .Add("identical", report.duplicate->identical)
                    .Done();
  }
  // The members before the columns and those after them, each an object of
  // its own, joined about the columns' text, which sources share.
  const std::string before =
      Members(10)
          .Add("index", index)
          .Add("path", PathText(path))
          .Add("status", StatusWord(report.status))
          .Add("layer", HeaderText(report.layerName))
          .Add("tile", HeaderText(report.tileName))
          .Add("ownAddedColumns", report.ownAdded)
          .Add("output", report.output >= 0 ? Json(report.output) : Json())
          .Add("charset", Nullable(HeaderText(report.charset)))
          .Add("charsetRead", Nullable(HeaderText(report.charsetRead)))
          .Add("version", report.version >= 0 ? Json(report.version) : Json())
          .Done()
          .dump();
  const std::string after = Members(6)
                                .Add("objects", report.objects >= 0 ? Json(report.objects) : Json())
                                .Add("rows", report.rows >= 0 ? Json(report.rows) : Json())
                                .Add("replaced", Members(2)
                                                     .Add("mif", Tallies(report.objectNotes))
                                                     .Add("mid", Tallies(report.rowNotes))
                                                     .Done())
                                .Add("duplicate", std::move(duplicate))
                                .Add("warnings", WarningTexts(report.warnings))
                                .Add("problems", Texts(report.problems))
                                .Done()
                                .dump();
  WriteSource(before.substr(0, before.size() - 1) + ",\"columns\":" + ColumnsText(report) + "," +
              after.substr(1));
}

const std::string& ReportFile::ColumnsText(const SourceReport& report) {
  if (lastColumnsText_.empty() || report.columns != lastColumns_ ||
      report.planned != lastPlanned_) {
    lastColumns_ = report.columns;
    lastPlanned_ = report.planned;
    lastColumnsText_ = Columns(report.columns, report.planned).dump();
  }
  return lastColumnsText_;
}

void ReportFile::NotReached(int index, const std::string& path) {
  WriteSource(Json{{"index", index}, {"path", PathText(path)}, {"status", "notReached"}}.dump());
}

void ReportFile::Output(const OutputReport& report) {
  Json bounds;
  if (report.bounds) {
    bounds = Json::array(
        {report.bounds->minX, report.bounds->minY, report.bounds->maxX, report.bounds->maxY});
  }
  outputs_.push_back(Json{
      {"index", report.index},
      {"path", PathText(report.files.mif)},
      {"midPath", PathText(report.files.mid)},
      {"layer", Nullable(EncodeUtf8(report.layer))},
      {"columns", Columns(report.columns, false)},
      {"coordSys", Nullable(HeaderText(report.coordSys))},
      {"bounds", bounds},
      {"sources", report.sources},
      {"objects", report.objects},
      {"rows", report.rows},
      {"bytes", report.bytes},
      {"complete",
       report.complete}}.dump());
}

// Written as it is walked: a nationwide layer has some 400,000 tiles.
void ReportFile::WriteMeshes() {
  Write(",\"meshes\":");
  if (!coverage_) return Write("null");  // the run ended before it was known
  const MeshCoverage& coverage = *coverage_;
  Write("{\"layers\":[");
  for (const MeshCoverage::Part& part : coverage.Parts()) {
    if (&part != &coverage.Parts().front()) Write(",");
    std::vector<MeshKey> present, absent, duplicated, outside;
    for (const MeshCoverage::Tile& tile : coverage.TilesOf(part)) {
      present.push_back(tile.key);
      if (tile.duplicated) duplicated.push_back(tile.key);
      if (tile.outside) outside.push_back(tile.key);
    }
    coverage.ForEachState(&part, part.level, [&](MeshKey key, TileState state) {
      if (state == TileState::Absent) absent.push_back(key);
    });
    Write("{\"layer\":" + Json(EncodeUtf8(coverage.LayerNames()[part.layer])).dump() +
          ",\"level\":\"" + LevelWord(part.level) + "\"");
    WriteCodes("present", present);
    WriteCodes("absent", absent);
    WriteCodes("duplicated", duplicated);
    WriteCodes("outside", outside);
    Write("}");
  }
  Write("]");
  WriteCodes("holes", coverage.Holes());
  WriteCodes("missing", coverage.Missing());  // empty without a list: options.expected says
  WriteCodes("unexpected", coverage.Unexpected());
  Write("}");
}

// `,"name":["53394611",…]`
void ReportFile::WriteCodes(const char* name, const std::vector<MeshKey>& keys) {
  std::string text = std::string(",\"") + name + "\":[";
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (i > 0) text += ',';
    text += '"';
    text += MeshCodeOf(CellOfKey(keys[i]));
    text += '"';
    if (text.size() > 60000) {
      Write(text);
      text.clear();
    }
  }
  Write(text + "]");
}

void ReportFile::Finish(int exitStatus, const Exception* error, const std::u16string& errorText) {
  std::string outputs;
  for (const std::string& output : outputs_) {
    if (!outputs.empty()) outputs += ',';
    outputs += output;
  }
  Json end{{"ended", Now()}, {"exitStatus", exitStatus}, {"error", Json()}};
  if (!errorText.empty()) {
    Json detail{{"message", EncodeUtf8(errorText)},
                {"source", Json()},
                {"path", Json()},
                {"output", Json()},
                {"outputState", Json()}};
    if (error != nullptr) {
      const ErrorPlace& place = PlaceOf(*error);
      if (place.kind == ErrorPlace::Kind::Source) {
        detail["source"] = place.index;
        detail["path"] = Nullable(PathText(place.path));
      } else if (place.kind == ErrorPlace::Kind::Output) {
        detail["output"] = PathText(OutputPairNames(place.path).mif);
      }
      detail["outputState"] = Nullable(EncodeUtf8(OutputStateOf(*error)));
    }
    end["error"] = std::move(detail);
  }
  const std::string dumped = end.dump();
  Write("],\"outputs\":[" + outputs + "]");
  if (mesh_) WriteMeshes();
  Write(",");
  Write(std::string_view(dumped).substr(1));
  file_->CloseFile();
  file_.reset();
  if (const std::int32_t code = RenameFile(temporary_, path_)) {
    RemoveFile(temporary_);
    throw EInOutError(code, path_);
  }
}

}  // namespace mif

#include "cli/ReportFile.h"

#include <ctime>

#include <nlohmann/json.hpp>

#include "file/InOutError.h"
#include "file/TextLineFile.h"
#include "merge/OutputPair.h"
#include "merge/OutputTarget.h"
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

// Built member by member into room made first: an object from an
// initializer list costs twice as much, and a report has an entry a source.
Json Object(std::size_t members) {
  Json object(Json::value_t::object);
  object.get_ref<Json::object_t&>().reserve(members);
  return object;
}

Json Tallies(const TextNotes& notes) {
  const auto tally = [](const Tally& t) {
    Json entry = Object(2);
    entry["count"] = t.count;
    entry["firstLine"] = t.firstLine == 0 ? Json() : Json(t.firstLine);
    return entry;
  };
  Json tallies = Object(3);
  tallies["unmapped"] = tally(notes.unmapped);
  tallies["malformed"] = tally(notes.malformed);
  tallies["notCodePage932"] = tally(notes.notCp932);
  return tallies;
}

Json Columns(const std::vector<ColumnReport>& columns, bool withOutput) {
  Json list = Json::array();
  list.get_ref<Json::array_t&>().reserve(columns.size());
  for (const ColumnReport& column : columns) {
    Json& entry = list.emplace_back(Object(4));
    entry["name"] = HeaderText(column.name);
    entry["type"] = HeaderText(column.type);
    if (withOutput) {
      entry["output"] = column.output.empty() ? Json() : Json(HeaderText(column.output));
      entry["outputType"] = column.output.empty() ? Json() : Json(HeaderText(column.outputType));
    }
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
    case SourceStatus::Refused:
      return "refused";
  }
  return "merged";
}

}  // namespace

ReportFile::ReportFile(const std::string& path, const CommandLine& line, const std::string& output)
    : path_(path), temporary_(path + std::string(kTemporarySuffix)) {
  const Json head{{"program", Json{{"name", "mifjoin"}, {"version", MIF_VERSION}}},
                  {"options", Json{{"output", Nullable(PathText(output))},
                                   {"check", line.check},
                                   {"utf8", line.utf8},
                                   {"columns", ColumnsWord(line.columns)},
                                   {"perLayer", line.perLayer},
                                   {"layerColumn", HeaderText(line.added.layer)},
                                   {"tileColumn", Nullable(HeaderText(line.added.tile))},
                                   {"recursive", line.recursive},
                                   {"skipDuplicates", line.skipDuplicates}}},
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

void ReportFile::Write(const std::string& text) { file_->WritePiece(text); }

void ReportFile::WriteSource(const std::string& entry) {
  if (!firstSource_) Write(",");
  Write(entry);
  firstSource_ = false;
}

void ReportFile::Source(int index, const std::string& path, const SourceReport& report) {
  Json entry = Object(16);
  entry["index"] = index;
  entry["path"] = PathText(path);
  entry["status"] = StatusWord(report.status);
  entry["layer"] = HeaderText(report.layerName);
  entry["tile"] = HeaderText(report.tileName);
  entry["ownAddedColumns"] = report.ownAdded;
  entry["output"] = report.output >= 0 ? Json(report.output) : Json();
  entry["charset"] = Nullable(HeaderText(report.charset));
  entry["version"] = report.version >= 0 ? Json(report.version) : Json();
  entry["columns"] = Columns(report.columns, report.planned);
  entry["objects"] = report.objects >= 0 ? Json(report.objects) : Json();
  entry["rows"] = report.rows >= 0 ? Json(report.rows) : Json();
  Json& replaced = entry["replaced"] = Object(2);
  replaced["mif"] = Tallies(report.objectNotes);
  replaced["mid"] = Tallies(report.rowNotes);
  Json& duplicate = entry["duplicate"];
  if (report.duplicate) {
    duplicate["of"] = report.duplicate->earlier;
    duplicate["sameFile"] = report.duplicate->sameFile;
    duplicate["identical"] = report.duplicate->identical;
  }
  entry["warnings"] = WarningTexts(report.warnings);
  entry["problems"] = Texts(report.problems);
  WriteSource(entry.dump());
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
      const ErrorPlace& place = error->Place();
      if (place.kind == ErrorPlace::Kind::Source) {
        detail["source"] = place.index;
        detail["path"] = Nullable(PathText(place.path));
      } else if (place.kind == ErrorPlace::Kind::Output) {
        detail["output"] = PathText(OutputPairNames(place.path).mif);
      }
      detail["outputState"] = Nullable(EncodeUtf8(error->OutputState()));
    }
    end["error"] = std::move(detail);
  }
  const std::string dumped = end.dump();
  Write("],\"outputs\":[" + outputs + "]," + dumped.substr(1));
  file_->CloseFile();
  file_.reset();
  if (const std::int32_t code = RenameFile(temporary_, path_)) {
    RemoveFile(temporary_);
    throw EInOutError(code, path_);
  }
}

}  // namespace mif

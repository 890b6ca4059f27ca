// Source pairs in a scratch folder, runs over them as users start them,
// and the check that no test changed any source. With MIF_READER_DIR set,
// the output pair of every passing test is kept there, named after the
// test, for a MIF reader to check.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "ScratchDir.h"
#include "file/InOutError.h"
#include "merge/MergeRun.h"

namespace mif::testing {

// A run's inputs from a fixed list: one output name, the UTF-8 option as
// set; the last source started, the warnings and the reports kept.
class PartsInputs : public MergeInputs {
 public:
  PartsInputs(std::vector<SourceParts> sources, std::string output)
      : sources_(std::move(sources)), output_(std::move(output)) {}
  int SourceCount() override { return static_cast<int>(sources_.size()); }
  SourceParts Source(int index) override { return sources_.at(static_cast<std::size_t>(index)); }
  void SourceStarting(int index) override { started = index; }
  std::string OutputName() override { return output_; }
  bool Utf8Option() override { return utf8; }
  void Warning(int, const SourceWarning& warning) override {
    warnings.push_back(warning.text);
    kinds.push_back(warning.kind);
  }
  void Note(int, const std::u16string& note) override { notes.push_back(note); }
  void SourceDone(int, const SourceReport& report) override { reports.push_back(report); }

  int started = -1;
  bool utf8 = false;
  std::vector<std::u16string> warnings, notes;
  std::vector<WarningKind> kinds;
  std::vector<SourceReport> reports;

 private:
  std::vector<SourceParts> sources_;
  std::string output_;
};

// What `action` raises, as a user is shown it; "(nothing raised)".
inline std::u16string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& error) {
    return DescribeError(error);
  }
  return u"(nothing raised)";
}

class MergeFixture : public ::testing::Test {
 protected:
  // Writes base.mif and base.mid; returns the folder with its "/".
  std::string Pair(const std::string& base, const std::string& mif, const std::string& mid) {
    Source(base + ".mif", mif);
    Source(base + ".mid", mid);
    return Folder();
  }
  void Source(const std::string& name, const std::string& bytes) {
    WriteBytes(dir.File(name), bytes);
    sources_[dir.File(name)] = bytes;
  }
  std::string Folder() const { return dir.Folder(); }
  // The pairs of the folder with these base names, in this order.
  std::vector<SourceParts> Parts(const std::vector<std::string>& bases) const {
    std::vector<SourceParts> parts;
    for (const std::string& base : bases) parts.push_back(SourceParts{base, Folder()});
    return parts;
  }
  // Runs the merge of these base names into out.mif and out.mid, as set
  // by `utf8` and `options`; the warnings and reports stay in `inputs`.
  RunReport Run(const std::vector<std::string>& bases, bool utf8 = false) {
    inputs = std::make_unique<PartsInputs>(Parts(bases), dir.File("out"));
    inputs->utf8 = utf8;
    return RunMerge(*inputs, options);
  }
  // The same, giving what it raises as a user is shown it.
  std::u16string Refusal(const std::vector<std::string>& bases, bool utf8 = false) {
    return MessageOf([&] { Run(bases, utf8); });
  }
  // Checks these base names as mifjoin --check does, without an output.
  std::vector<SourceReport> Check(const std::vector<std::string>& bases) {
    PartsInputs check(Parts(bases), "");
    CheckRun(check, options);
    return check.reports;
  }
  std::string Out(const std::string& extension) const {
    return ReadBytes(dir.File("out" + extension));
  }
  bool OutExists() const {
    return std::filesystem::exists(Utf8Path(dir.File("out.mif"))) ||
           std::filesystem::exists(Utf8Path(dir.File("out.mid")));
  }

  void TearDown() override {
    for (const auto& [path, bytes] : sources_) EXPECT_EQ(ReadBytes(path), bytes) << path;
    const char* keep = std::getenv("MIF_READER_DIR");
    if (keep != nullptr && keepForReader && !HasFailure()) {
      KeepOutput(keep);
    }
  }

  ScratchDir dir;
  MergeOptions options;
  std::unique_ptr<PartsInputs> inputs;
  // Cleared by a test whose sources no MIF reader would take, on purpose.
  bool keepForReader = true;

 private:
  void KeepOutput(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    const fs::path mif = Utf8Path(dir.File("out.mif")), mid = Utf8Path(dir.File("out.mid"));
    if (!fs::exists(mif) || !fs::exists(mid) || fs::file_size(mif) == 0) return;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(test->test_suite_name()) + "." + test->name();
    fs::create_directories(folder);
    fs::copy_file(mif, folder / (name + ".mif"), fs::copy_options::overwrite_existing);
    fs::copy_file(mid, folder / (name + ".mid"), fs::copy_options::overwrite_existing);
  }

  std::map<std::string, std::string> sources_;
};

// A small header with `columns` integer columns and the given extra lines.
inline std::string Header(int columns, const std::string& extra = "") {
  std::string header = "Version 300\r\nCharset \"WindowsJapanese\"\r\n" + extra;
  header += "Columns " + std::to_string(columns) + "\r\n";
  for (int i = 0; i < columns; ++i) header += "  C" + std::to_string(i) + " Integer\r\n";
  return header + "Data\r\n";
}

}  // namespace mif::testing

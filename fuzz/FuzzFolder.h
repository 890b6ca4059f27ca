// A scratch folder per fuzzing process, in memory where the system has it,
// removed when the process ends; and the run's inputs over pairs in it.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "merge/MergeInputs.h"

namespace mif::fuzz {

inline void Check(bool ok) {
  if (!ok) std::abort();
}

struct ScratchFolder {
  std::string path;
  ScratchFolder() {
    const std::filesystem::path base =
        std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    const std::filesystem::path folder = base / ("mif-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    path = folder.string() + "/";
  }
  ~ScratchFolder() { std::filesystem::remove_all(path); }
};

inline const std::string& Folder() {
  static const ScratchFolder folder;
  return folder.path;
}

inline void Write(const std::string& name, std::string_view bytes) {
  std::ofstream(Folder() + name, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string Read(const std::string& name) {
  std::ifstream in(Folder() + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A run over base names of the folder into `output`, the reports kept.
class FolderRun final : public MergeInputs {
 public:
  FolderRun(std::vector<std::string> bases, std::string output, bool utf8 = false)
      : bases_(std::move(bases)), output_(std::move(output)), utf8_(utf8) {}
  int SourceCount() override { return static_cast<int>(bases_.size()); }
  SourceParts Source(int index) override {
    return {bases_[static_cast<std::size_t>(index)], Folder()};
  }
  void SourceStarting(int) override {}
  std::string OutputName() override { return output_.empty() ? output_ : Folder() + output_; }
  bool Utf8Option() override { return utf8_; }
  void SourceDone(int, const SourceReport& report) override { reports.push_back(report); }

  std::vector<SourceReport> reports;

 private:
  std::vector<std::string> bases_;
  std::string output_;
  bool utf8_;
};

}  // namespace mif::fuzz

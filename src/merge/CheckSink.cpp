#include "merge/CheckSink.h"

#include <algorithm>

#include "file/InOutError.h"
#include "file/TextLineFile.h"
#include "merge/OutputTarget.h"
#include "platform/FileSystem.h"

namespace mif {

void CheckSink::Refuse(Exception& error, std::vector<std::u16string>& problems) {
  std::u16string problem = DescribeError(error);
  if (std::find(problems.begin(), problems.end(), problem) == problems.end()) {
    problems.push_back(std::move(problem));
  }
}

void CheckSink::Begin(const OutputGroup& group, const std::string& name,
                      const std::vector<std::string>& header, RunReport& run) {
  (void)name;
  if (group.decided) {
    try {
      TryTemporaryFiles(group.target);
    } catch (const Exception& error) {
      run.outputProblems.push_back(DescribeError(error));
    }
  }
  pair_.OpenNull(group.decided ? group.target : OutputTarget{});
  for (const std::string& line : header) pair_.Mif().WriteLine(line);
  pair_.Mark();
}

void CheckSink::EndSource(bool last) {
  (void)last;  // nothing to close: the files keep nothing
  pair_.Mark();
}

bool CheckSink::Writes(const std::string& fileName) const {
  (void)fileName;
  return false;
}

Abandoned CheckSink::Abandon(bool keepWhole) {
  (void)keepWhole;
  pair_.Discard();
  return Abandoned::Nothing;
}

// Each temporary file made and removed again; one there already (the new
// .mid of a run stopped between its renames) only opened, and kept.
void CheckSink::TryTemporaryFiles(const OutputTarget& target) const {
  for (const std::string& file : {target.files.mif, target.files.mid}) {
    const std::string name = TemporaryName(file);
    if (StatFile(name)) {
      RefuseUnwritable(name, makeDevice_);
    } else {
      TextLineFile made(name, 1, makeDevice_());
      made.CreateForWrite();
      made.CloseFile();
      RemoveFile(name);
    }
  }
}

}  // namespace mif

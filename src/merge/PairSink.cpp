#include "merge/PairSink.h"

#include "file/InOutError.h"
#include "merge/OutputTarget.h"

namespace mif {

void PairSink::Refuse(Exception& error, std::vector<std::u16string>& problems) {
  (void)error;
  (void)problems;
  throw;
}

void PairSink::Begin(const OutputGroup& group, const std::string& name,
                     const std::vector<std::string>& header, RunReport& run) {
  (void)run;
  if (!group.decided) RefuseUnusableOutputName(name);
  pair_.Open(name, group.target, makeDevice_);
  for (const std::string& line : header) pair_.Mif().WriteLine(line);
  pair_.Mark();
}

void PairSink::EndSource(bool last) {
  if (last) {
    pair_.Close();
  } else {
    pair_.Flush();
  }
  pair_.Mark();
}

void PairSink::Commit() {
  try {
    pair_.Commit();
  } catch (const EInOutError&) {  // the .mif was not replaced
    pair_.Discard();
    throw;
  }
}

Abandoned PairSink::Abandon(bool keepWhole) {
  if (!keepWhole || !pair_.IsOpen()) {
    pair_.Discard();
    return Abandoned::Unchanged;
  }
  try {
    pair_.CutBack();
    pair_.Commit();
  } catch (...) {
    pair_.Discard();
    throw;
  }
  return Abandoned::Whole;
}

}  // namespace mif

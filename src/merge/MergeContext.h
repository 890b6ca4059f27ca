// What a merge run carries from one source pair to the next: the first
// source's column count, delimiter and charset, the files no output may
// be, and the progress so far.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "merge/MifHeader.h"
#include "merge/SourceEntry.h"
#include "platform/FileDevice.h"

namespace mif {

class MergeContext {
 public:
  // Remembers the pair as files that no output of the run may be.
  void AddProtectedSource(const SourcePairNames& names);
  // Raises EMergeError when either output name is one of the protected
  // files, by file identity, not by spelling.
  void RefuseOutputOverSource(const std::string& outputMif, const std::string& outputMid) const;

  // Raises EMergeError (naming `sourceName`) for a header whose rows could
  // not be read in the output: no column line, a count that cannot be read
  // or lies outside 1..kMaxColumns, a delimiter that is not one byte, or,
  // after the first source, another count or delimiter than the first's.
  // Index 0 sets the first source's facts.
  void AcceptHeader(int index, const MifHeader& header, const std::string& sourceName);

  // Set by the first source (index 0).
  int firstColumnCount = -1;
  std::string delimiter = "\t";
  std::string firstCharset;

  // Makes the device of every file the merge opens; tests make faulty ones.
  std::function<std::unique_ptr<FileDevice>()> makeDevice = MakeSystemFileDevice;

  // Bytes of source files read by the run, reported as the run goes on.
  std::uint64_t bytesDone = 0;
  std::function<void(std::uint64_t bytesRead)> progress;

 private:
  using Key = std::pair<std::uint64_t, std::uint64_t>;
  void Protect(const std::string& name);
  std::map<Key, std::string> protected_;
};

}  // namespace mif

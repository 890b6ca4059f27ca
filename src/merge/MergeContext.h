// What a merge run carries from one source pair to the next: the planned
// output, the open output pair, the files no output may be, the progress
// so far, and where warnings go.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "merge/OutputPair.h"
#include "merge/OutputSchema.h"
#include "platform/FileDevice.h"

namespace mif {

class MergeContext {
 public:
  // Remembers a source file (its place in the run, 0-based) as one that no
  // output of the run may be.
  void ProtectSource(const FileIdentity& identity, const std::string& name, int index);
  // Raises EMergeError when either output name is one of the protected
  // files, by file identity, not by spelling, naming the source and its
  // place among `sourceCount`.
  void RefuseOutputOverSource(const std::string& outputMif, const std::string& outputMid) const;

  // The output planned from every source's header; set by the run's first
  // pass, or by a pair merged alone as the first (index 0).
  std::optional<OutputSchema> schema;
  bool planned = false;  // by the run: a pair merged alone plans for itself
  int sourceCount = 0;   // for the places in messages

  // Open from the run's first source to its end; a pair merged alone
  // closes it when it is done.
  OutputPair output;
  bool keepOutputOpen = false;

  // Makes the device of every file the merge opens; tests make faulty ones.
  std::function<std::unique_ptr<FileDevice>()> makeDevice = MakeSystemFileDevice;

  // Bytes of source files read by the run, reported as the run goes on.
  std::uint64_t bytesDone = 0;
  std::function<void(std::uint64_t bytesRead)> progress;
  // A source merged with something a user should know (Japanese).
  std::function<void(const std::u16string& text)> warning;

 private:
  struct Source {
    std::string name;
    int index = 0;
  };
  std::map<FileIdentity, Source> protected_;
};

}  // namespace mif

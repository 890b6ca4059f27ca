#include "merge/MergeContext.h"

#include "merge/MergeError.h"
#include "platform/FileSystem.h"

namespace mif {

void MergeContext::ProtectSource(const FileIdentity& identity, const std::string& name, int index) {
  protected_.emplace(identity, Source{name, index});
}

void MergeContext::RefuseOutputOverSource(const std::string& outputMif,
                                          const std::string& outputMid) const {
  for (const std::string* output : {&outputMif, &outputMid}) {
    const std::optional<FileFacts> facts = StatFile(*output);
    if (!facts) continue;  // not there yet, so nobody's file
    const auto found = protected_.find(facts->identity);
    if (found != protected_.end()) {
      throw OutputIsSourceError(*output, found->second.name, found->second.index, sourceCount);
    }
  }
}

}  // namespace mif

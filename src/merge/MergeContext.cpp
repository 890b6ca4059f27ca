#include "merge/MergeContext.h"

#include "merge/MergeError.h"
#include "platform/FileSystem.h"

namespace mif {

void MergeContext::Protect(const std::string& name) {
  if (const auto identity = IdentifyFile(name)) {
    protected_.emplace(Key(identity->volume, identity->file), name);
  }
}

void MergeContext::AcceptHeader(int index, const MifHeader& header, const std::string& sourceName) {
  if (header.columnLine < 0) throw NoColumnsLineError(sourceName);
  if (header.columnCount < 1 || header.columnCount > kMaxColumns) {
    throw ColumnCountUnreadableError(sourceName);
  }
  if (header.delimiter.size() != 1) throw DelimiterUnusableError(sourceName, header.delimiter);
  if (index == 0) {
    firstColumnCount = header.columnCount;
    delimiter = header.delimiter;
    firstCharset = header.charset;
    return;
  }
  if (header.columnCount != firstColumnCount) {
    throw ColumnCountError(sourceName, header.columnCount, firstColumnCount);
  }
  if (header.delimiter != delimiter) throw DelimiterError(sourceName, header.delimiter, delimiter);
}

void MergeContext::AddProtectedSource(const SourcePairNames& names) {
  Protect(names.mif);
  Protect(names.mid);
}

void MergeContext::RefuseOutputOverSource(const std::string& outputMif,
                                          const std::string& outputMid) const {
  for (const std::string* output : {&outputMif, &outputMid}) {
    const auto identity = IdentifyFile(*output);
    if (!identity) continue;  // not there yet, so nobody's file
    const auto found = protected_.find(Key(identity->volume, identity->file));
    if (found != protected_.end()) throw OutputIsSourceError(*output, found->second);
  }
}

}  // namespace mif

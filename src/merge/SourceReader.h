// The one way the run, a pair merged alone and the check read a source
// pair: its .mif found and opened with its header read, its .mid found,
// and every file that is no ordinary file refused. Each file's identity is
// kept in the context, so that no output of the run can be a source.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "file/TextLineFile.h"
#include "merge/MifHeader.h"
#include "merge/SourceEntry.h"

namespace mif {

class MergeContext;
class SchemaBuilder;

// Buffer of every file the merge opens: large reads and writes are what
// make it run near the speed of copying.
inline constexpr std::size_t kMergeBufferSize = 64 * 1024;

class SourceReader {
 public:
  // `index` is the source's place in the run, for messages.
  SourceReader(const SourceParts& source, int index, MergeContext& context);

  // Opens the .mif (a file whose name differs only in letter case where
  // the name itself is missing, as a case-insensitive file system finds
  // it) and reads its header. Raises EMergeError for a folder, pipe or
  // device, and what the file and the header raise.
  const MifHeader& OpenHeader();
  void CloseMif() { mif_->CloseFile(); }

  // Makes sure the .mid is there without opening it: the same name with
  // .mid in the case of the .mif's extension, then .mid, then in any case.
  // Raises EInOutError (2) when there is none, unless the header has no
  // columns, whose rows a reader does without.
  void FindMid();
  // Opens the .mid, looking for it in the same order, or leaves it
  // closed when it is missing and may be (HasMid() then gives false).
  void OpenMid();
  bool HasMid() const { return hasMid_; }

  TextLineFile& Mif() { return *mif_; }
  TextLineFile& Mid() { return *mid_; }
  const MifHeader& Header() const { return header_; }
  // The names found; the .mid's as looked for first where there is none.
  SourcePairNames Names() const { return {mifName_, midName_}; }
  const std::string& LayerName() const { return layerName_; }
  int Index() const { return index_; }

 private:
  // The file opened for reading, or nothing when there is none by the name.
  std::unique_ptr<TextLineFile> OpenIfThere(const std::string& name);
  void Protect(const FileFacts& facts, const std::string& name);
  std::vector<std::string> MidNames() const;
  bool MidMayBeMissing() const { return header_.columnCount == 0; }
  void NoMid();
  void TakeMid(const FileFacts& facts, const std::string& name);

  MergeContext& context_;
  int index_;
  std::string stem_;          // directory and base name
  std::string midExtension_;  // .mid in the case of the .mif's extension
  std::string layerName_;
  std::string mifName_, midName_;
  std::unique_ptr<TextLineFile> mif_, mid_;
  bool hasMid_ = false;
  MifHeader header_;
};

// The first pass over one source, as the run and the check make it: its
// header read, its .mid found, nothing left open, and the header added to
// `builder`. Raises what the reader and the builder raise.
void ExamineSource(const SourceParts& source, int index, MergeContext& context,
                   SchemaBuilder& builder);

}  // namespace mif

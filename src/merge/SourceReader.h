// The one way the run and the check read a source pair: its .mif found and
// opened with its header read, its .mid found, and every file that is no
// ordinary file refused. What the system tells of each file (its identity
// above all) is kept for the run, which keeps every source off the output.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "file/TextLineFile.h"
#include "format/MifHeader.h"
#include "merge/CopyLimits.h"
#include "merge/SourceEntry.h"
#include "merge/SourceName.h"

namespace mif {

class SourceReader {
 public:
  // Opens nothing. `makeDevice` makes the device of every file it opens,
  // each read a buffer of `bufferSize` at a time.
  SourceReader(const SourceParts& source, const DeviceMaker& makeDevice,
               std::size_t bufferSize = kMergeBufferSize);

  // Opens the .mif (a file whose name differs only in letter case where
  // the name itself is missing, as a case-insensitive file system finds
  // it) and drops a UTF-8 byte order mark. Raises EMergeError for a
  // folder, pipe or device, and what the file raises.
  void OpenMif();
  // Reads the header, parsed by `memo`, converted from UTF-8 where it
  // declares UTF-8 or, with `utf8Text`, its text was found to be. Raises
  // EMergeError for a header without DATA or too long, and what the file
  // raises.
  const MifHeader& ReadHeader(HeaderMemo& memo, bool utf8Text = false);
  const MifHeader& ReadHeader();
  // The header read again as UTF-8, its text found to be.
  const MifHeader& TakeHeaderAsUtf8(HeaderMemo& memo);
  void CloseMif() { mif_->CloseFile(); }

  // The .mid, looked for by the same name with .mid in the case of the
  // .mif's extension, then .mid, then in any case: FindMid makes sure it
  // is there without opening it, OpenMid opens it. Raises EInOutError (2)
  // when there is none, unless the header has no columns, whose rows a
  // reader does without (HasMid() then gives false).
  void FindMid();
  void OpenMid();
  bool HasMid() const { return hasMid_; }

  TextLineFile& Mif() { return *mif_; }
  TextLineFile& Mid() { return *mid_; }
  const MifHeader& Header() const { return *header_; }
  // The same, shared with the memo it came from.
  const std::shared_ptr<const MifHeader>& SharedHeader() const { return header_; }
  // The names found; the .mid's as looked for first where there is none.
  SourcePairNames Names() const { return {mifName_, midName_}; }
  const FileFacts& MifFacts() const { return mifFacts_; }
  const FileFacts& MidFacts() const { return midFacts_; }
  // The layer name in code page 932 (and the tile, and what else the
  // file name gives).
  const std::string& LayerName() const { return name_.layerValue; }
  const SourceName& Name() const { return name_; }

 private:
  // The file opened for reading, or nothing when there is none by the name.
  std::unique_ptr<TextLineFile> OpenIfThere(const std::string& name);
  std::vector<std::string> MidNames() const;
  void LocateMid(bool open);
  bool TakeMid(const std::string& name, bool open);

  const DeviceMaker& makeDevice_;
  std::size_t bufferSize_;
  std::string stem_;          // directory and base name
  std::string midExtension_;  // .mid in the case of the .mif's extension
  SourceName name_;
  std::string mifName_, midName_;
  FileFacts mifFacts_, midFacts_;
  std::unique_ptr<TextLineFile> mif_, mid_;
  bool hasMid_ = false;
  std::shared_ptr<const MifHeader> header_;
};

}  // namespace mif

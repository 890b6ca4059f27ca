#include "merge/OutputPair.h"

#include "file/FileName.h"
#include "merge/MergeError.h"
#include "merge/SourceReader.h"

namespace mif {

void OutputPair::Open(const std::string& outputName, bool create, const DeviceMaker& makeDevice) {
  Close();
  auto mif = std::make_unique<TextLineFile>(ChangeFileExtension(outputName, ".mif"),
                                            kMergeBufferSize, makeDevice());
  auto mid = std::make_unique<TextLineFile>(ChangeFileExtension(outputName, ".mid"),
                                            kMergeBufferSize, makeDevice());
  if (create) {
    mif->OpenForRewrite();
    mid->OpenForRewrite();  // on failure the .mif closes untouched
    mif->Empty();
    mid->Empty();
    // Some file systems (ext4's auto_da_alloc) write out a file that was
    // emptied when it is closed: closed now, while empty, that costs
    // nothing, where at the end of the run it waits for every byte.
    mif->CloseFile();
    mid->CloseFile();
  }
  mif->OpenForAppend();
  mid->OpenForAppend();
  name_ = outputName;
  mif_ = std::move(mif);
  mid_ = std::move(mid);
  Mark();
}

void OutputPair::Mark() {
  mifMark_ = mif_->Offset();
  midMark_ = mid_->Offset();
}

void OutputPair::Flush() {
  mif_->Flush();
  mid_->Flush();
}

void OutputPair::CutBack() {
  if (mif_ == nullptr) return;
  const std::u16string errorText = CurrentErrorText();
  std::unique_ptr<TextLineFile> mif = std::move(mif_), mid = std::move(mid_);
  for (auto [output, mark] : {std::pair{mif.get(), mifMark_}, std::pair{mid.get(), midMark_}}) {
    try {
      output->CutTo(mark);
    } catch (...) {
      throw CutBackError(errorText, output->Name(), CurrentErrorText());
    }
  }
}

void OutputPair::Close() {
  if (mif_ == nullptr) return;
  // Kept on failure, so that CutBack can still undo the source.
  mif_->CloseFile();
  mid_->CloseFile();
  mif_.reset();
  mid_.reset();
}

}  // namespace mif

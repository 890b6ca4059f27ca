#include "merge/OutputPair.h"

#include "file/InOutError.h"
#include "file/NullFileDevice.h"
#include "merge/CopyLimits.h"
#include "merge/MergeError.h"
#include "platform/FileSystem.h"

namespace mif {

namespace {

std::unique_ptr<TextLineFile> OpenNullFile() {
  auto file =
      std::make_unique<TextLineFile>("", kMergeBufferSize, std::make_unique<NullFileDevice>());
  file->CreateForWrite();
  return file;
}

}  // namespace

void OutputPair::Open(const std::string& name, const OutputTarget& target,
                      const DeviceMaker& makeDevice) {
  Discard();
  name_ = name;
  target_ = target;
  mifTemporary_ = TemporaryName(target.files.mif);
  midTemporary_ = TemporaryName(target.files.mid);
  auto mif = std::make_unique<TextLineFile>(mifTemporary_, kMergeBufferSize, makeDevice());
  auto mid = std::make_unique<TextLineFile>(midTemporary_, kMergeBufferSize, makeDevice());
  mif->CreateForWrite();
  try {
    mid->CreateForWrite();
  } catch (...) {
    mif.reset();
    RemoveFile(mifTemporary_);
    throw;
  }
  mif_ = std::move(mif);
  mid_ = std::move(mid);
  keeps_ = true;
  closed_ = false;
  Mark();
}

void OutputPair::OpenNull(const OutputTarget& target) {
  Discard();
  target_ = target;
  mif_ = OpenNullFile();
  mid_ = OpenNullFile();
  closed_ = false;
  Mark();
}

bool OutputPair::Holds(const std::string& fileName) const {
  return keeps_ && (fileName == mifTemporary_ || fileName == midTemporary_);
}

bool OutputPair::IsOutputFile(const FileIdentity& identity) const {
  return target_.mif == identity || target_.mid == identity;
}

void OutputPair::Mark() {
  mifMark_ = mif_->Offset();
  midMark_ = mid_->Offset();
}

void OutputPair::Flush() {
  mif_->Flush();
  mid_->Flush();
}

void OutputPair::Rewind() {
  mif_->RewindTo(mifMark_);
  mid_->RewindTo(midMark_);
}

void OutputPair::Close() {
  mif_->CloseFileDurably();
  mid_->CloseFileDurably();
  closed_ = true;
}

void OutputPair::CutBack() {
  const std::u16string errorText = CurrentErrorText();
  closed_ = true;  // cut or not, nothing more is written
  for (auto [output, mark] : {std::pair{mif_.get(), mifMark_}, std::pair{mid_.get(), midMark_}}) {
    try {
      output->CutTo(mark);
    } catch (...) {
      throw CutBackError(errorText, name_, CurrentErrorText());
    }
  }
}

void OutputPair::Commit() {
  if (!closed_) Close();
  mif_.reset();
  mid_.reset();
  if (!keeps_) return;
  // Until the .mif is in place, Discard removes both.
  if (const std::int32_t code = RenameFile(mifTemporary_, target_.files.mif)) {
    throw EInOutError(code, target_.files.mif);
  }
  keeps_ = false;
  if (const std::int32_t code = RenameFile(midTemporary_, target_.files.mid)) {
    throw HalfReplacedError(target_.files.mid, midTemporary_,
                            DescribeError(EInOutError(code, target_.files.mid)));
  }
  if (const std::int32_t code = SyncFolderOf(target_.files.mif)) {
    throw RenamesNotSyncedError(target_.files.mif,
                                DescribeError(EInOutError(code, target_.files.mif)));
  }
}

void OutputPair::Discard() noexcept {
  mif_.reset();
  mid_.reset();
  if (!keeps_) return;
  keeps_ = false;
  RemoveFile(mifTemporary_);
  RemoveFile(midTemporary_);
}

}  // namespace mif

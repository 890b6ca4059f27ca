// The output .mif and .mid of a run: opened once while the output name
// stays the same, each source's bytes written out before the next starts,
// and cut back to where a failing source began.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "file/TextLineFile.h"

namespace mif {

class OutputPair {
 public:
  using DeviceMaker = std::function<std::unique_ptr<FileDevice>()>;

  // Whether the pair of `outputName` is the one open.
  bool IsOpenAs(const std::string& outputName) const {
    return mif_ != nullptr && outputName == name_;
  }

  // Opens the pair of `outputName` (its .mif and .mid names), closing a
  // pair of another name first. `create` opens and locks both files before
  // it empties either, so a file that cannot be opened leaves both as they
  // were; otherwise both are opened for appending.
  void Open(const std::string& outputName, bool create, const DeviceMaker& makeDevice);

  TextLineFile& Mif() { return *mif_; }
  TextLineFile& Mid() { return *mid_; }

  // Remembers where the next source's bytes begin.
  void Mark();
  // Writes out what waits in both buffers.
  void Flush();
  // Cuts both files back to the mark and closes them; for the exception
  // being handled. A cut that fails raises EMergeError with both texts.
  void CutBack();
  // Writes out and closes both; nothing when none is open. On failure the
  // pair stays, for CutBack.
  void Close();
  // Closes both as an error leaves them, writing out what waits where it
  // can, and never raises.
  void Abandon() noexcept {
    mif_.reset();
    mid_.reset();
  }

 private:
  std::string name_;
  std::unique_ptr<TextLineFile> mif_, mid_;
  std::uint64_t mifMark_ = 0, midMark_ = 0;
};

}  // namespace mif

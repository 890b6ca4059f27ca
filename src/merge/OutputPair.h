// The output .mif and .mid of a run, written under temporary names beside
// them and put in their place when the run ends: a run that fails before a
// source is whole, is killed, or loses power leaves the previous output as
// it was. Each source's bytes are written out before the next starts, and
// a failing source is cut back to where it began.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "file/TextLineFile.h"
#include "merge/OutputTarget.h"

namespace mif {

// What a temporary file's name adds to the output file's.
inline constexpr std::string_view kTemporarySuffix = ".mifjoin-tmp";
// The temporary file a file is written under until it is put in place.
inline std::string TemporaryName(const std::string& file) {
  return file + std::string(kTemporarySuffix);
}

class OutputPair {
 public:
  // Opens both temporary files of `target`, creating them or emptying what
  // a stopped run left there, locked against another run; the .mif first,
  // so that a .mid that cannot be made leaves nothing behind.
  // `name` is the output's name as given, which messages use.
  void Open(const std::string& name, const OutputTarget& target, const DeviceMaker& makeDevice);
  // A pair that keeps nothing, of the output `target` (IsOutputFile).
  void OpenNull(const OutputTarget& target);
  bool IsOpen() const { return mif_ != nullptr; }
  // Whether `fileName` is one of the pair's temporary files.
  bool Holds(const std::string& fileName) const;
  // Whether a file of that identity is one of the output's files now.
  bool IsOutputFile(const FileIdentity& identity) const;

  TextLineFile& Mif() { return *mif_; }
  TextLineFile& Mid() { return *mid_; }

  // Remembers where the next source's bytes begin.
  void Mark();
  // The bytes of both files up to the mark.
  std::uint64_t MarkedBytes() const { return mifMark_ + midMark_; }
  // Writes out what waits in both buffers.
  void Flush();
  // Both files back to the mark, open for the source to be written again.
  void Rewind();
  // Writes out and closes both, their bytes on the device itself (before a
  // rename shows them); on failure the files stay for CutBack.
  void Close();
  // Cuts both files back to the mark and closes them. A cut that fails
  // raises EMergeError with both texts, for the exception being handled.
  void CutBack();
  // Closes both and puts them in place of the output's files, .mif first,
  // then waits for the folder to hold the renames on its device. When the
  // .mif is in place and the .mid cannot follow, the new .mid is left
  // under its temporary name, and the error says so; a kill between the two
  // renames leaves the same, until a later run replaces both.
  void Commit();
  // Closes and removes both temporary files; never raises.
  void Discard() noexcept;

 private:
  std::string name_;
  OutputTarget target_;
  std::string mifTemporary_, midTemporary_;
  bool keeps_ = false;  // the temporary files are there
  bool closed_ = false;
  std::unique_ptr<TextLineFile> mif_, mid_;
  std::uint64_t mifMark_ = 0, midMark_ = 0;
};

}  // namespace mif

// The files of a run's sources by identity (the same for every name of one
// file), so that no output of the run is one of them and a file given
// twice is known: sixteen bytes a file, the source's name fetched again
// when a message needs it.
#pragma once

#include <cstdint>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/FileDevice.h"

namespace mif {

class SourceIdentities {
 public:
  // Room for the files of `sources` sources, so that a list of 100,000
  // costs no more than it must.
  void Reserve(int sources) { files_.reserve(static_cast<std::size_t>(sources) * 2); }
  // Notes the .mif or the .mid of the source at `index` (0-based).
  void Add(const FileIdentity& identity, int index, bool mid);
  // The place of the first source with the file, or -1.
  int Find(const FileIdentity& identity) const;
  // A later source whose .mif is an earlier one's, with the first such,
  // and whether their .mid files are one file too (or neither has one).
  struct Repeat {
    int later, earlier;
    bool sameMid;
  };
  std::vector<Repeat> RepeatedMifs() const;

 private:
  struct File {
    std::uint64_t file;
    std::uint32_t volume;  // among volumes_: a run meets a few
    std::int32_t code;     // the source's place, times two, plus one for a .mid
    auto Key() const { return std::pair{volume, file}; }
    bool operator<(const File& other) const {
      return std::tuple{volume, file, code} < std::tuple{other.volume, other.file, other.code};
    }
  };
  void Sort() const;
  int VolumeOf(std::uint64_t volume) const;

  std::vector<std::uint64_t> volumes_;
  mutable std::vector<File> files_;
  mutable bool sorted_ = true;
};

}  // namespace mif

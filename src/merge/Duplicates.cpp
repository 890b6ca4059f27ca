#include "merge/Duplicates.h"

#include <algorithm>
#include <cstring>

#include "merge/SourceReader.h"
#include "text/AsciiCase.h"
#include "text/Exception.h"

namespace mif {

namespace {

constexpr std::size_t kCompareBuffer = 64 * 1024;

// FNV-1a over the name with its ASCII letters in lower case.
std::uint64_t Hash(const std::string& name) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(AsciiLower(c));
    hash *= 1099511628211ull;
  }
  return hash;
}

// Reads as much as the buffer holds, or to the end.
std::int32_t FillAll(FileDevice& device, char* buffer, std::size_t& count) {
  count = 0;
  for (;;) {
    std::size_t got = 0;
    const std::int32_t code = device.Fill(buffer + count, kCompareBuffer - count, got);
    if (code != 0) return code;
    count += got;
    if (got == 0 || count == kCompareBuffer) return 0;
  }
}

// The names of a source's pair as the run finds them.
SourcePairNames PairNames(const SourceParts& parts, const DeviceMaker& makeDevice) {
  SourceReader reader(parts, makeDevice);
  try {
    reader.OpenMif();
    reader.ReadHeader();
    reader.CloseMif();
    reader.FindMid();
  } catch (const Exception&) {
    // A pair that cannot be read compares as different.
  }
  return reader.Names();
}

bool SamePairs(const SourceParts& one, const SourceParts& other, const DeviceMaker& makeDevice) {
  const SourcePairNames a = PairNames(one, makeDevice), b = PairNames(other, makeDevice);
  return SameBytes(a.mif, b.mif, makeDevice) && SameBytes(a.mid, b.mid, makeDevice);
}

}  // namespace

std::map<int, DuplicateReport> FindDuplicates(const SourceIdentities& files, const BaseNames& names,
                                              const std::function<SourceParts(int)>& source,
                                              const DeviceMaker& makeDevice) {
  std::map<int, DuplicateReport> duplicates;
  for (const auto& [later, earlier, sameMid] : files.RepeatedMifs()) {
    // One .mif with another .mid (a tile with newer rows, hard-linked by a
    // backup tool) is another source, unless the rows are the same bytes.
    duplicates[later] =
        sameMid ? DuplicateReport{earlier, true, true, true}
                : DuplicateReport{earlier, false, true,
                                  SamePairs(source(later), source(earlier), makeDevice)};
  }
  for (const auto& [later, earlier] : names.Repeats()) {
    if (duplicates.count(later) != 0) continue;
    const SourceParts one = source(later), other = source(earlier);
    if (EqualsIgnoringAsciiCase(one.baseName, other.baseName)) {
      duplicates[later] = {earlier, false, false, SamePairs(one, other, makeDevice)};
    }
  }
  return duplicates;
}

void BaseNames::Add(const std::string& baseName, int index) {
  names_.emplace_back(Hash(baseName), index);
}

std::vector<std::pair<int, int>> BaseNames::Repeats() const {
  std::vector<std::pair<std::uint64_t, int>> sorted = names_;
  std::sort(sorted.begin(), sorted.end());
  std::vector<std::pair<int, int>> repeats;
  // Sorted by hash, then place: each run of one hash starts with its earliest.
  for (std::size_t i = 0; i < sorted.size();) {
    std::size_t end = i + 1;
    for (; end < sorted.size() && sorted[end].first == sorted[i].first; ++end) {
      repeats.emplace_back(sorted[end].second, sorted[i].second);
    }
    i = end;
  }
  std::sort(repeats.begin(), repeats.end());
  return repeats;
}

bool SameBytes(const std::string& a, const std::string& b, const DeviceMaker& makeDevice) {
  const std::unique_ptr<FileDevice> first = makeDevice(), second = makeDevice();
  // Files alone: a pipe would wait for its writer, and is refused anyway.
  FileFacts facts;
  if (first->Open(a, FileOpenMode::ReadNoWait, facts) != 0 || facts.kind != FileKind::Disk) {
    return false;
  }
  const std::uint64_t size = facts.size;
  if (second->Open(b, FileOpenMode::ReadNoWait, facts) != 0 || facts.kind != FileKind::Disk ||
      facts.size != size) {
    return false;
  }
  std::vector<char> one(kCompareBuffer), other(kCompareBuffer);
  for (;;) {
    std::size_t count = 0, otherCount = 0;
    if (FillAll(*first, one.data(), count) != 0 ||
        FillAll(*second, other.data(), otherCount) != 0 || count != otherCount ||
        std::memcmp(one.data(), other.data(), count) != 0) {
      return false;
    }
    if (count == 0) return true;
  }
}

}  // namespace mif

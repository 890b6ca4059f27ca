// Source pairs in a scratch folder, and the check that no test changed any
// of them.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ScratchDir.h"
#include "merge/MergeContext.h"
#include "merge/PairMerge.h"

namespace mif::testing {

class MergeFixture : public ::testing::Test {
 protected:
  // Writes base.mif and base.mid; returns the folder with its "/".
  std::string Pair(const std::string& base, const std::string& mif, const std::string& mid) {
    Source(base + ".mif", mif);
    Source(base + ".mid", mid);
    return Folder();
  }
  void Source(const std::string& name, const std::string& bytes) {
    WriteBytes(dir.File(name), bytes);
    sources_[dir.File(name)] = bytes;
  }
  std::string Folder() const { return dir.Folder(); }
  std::string Out(const std::string& extension) const {
    return ReadBytes(dir.File("out" + extension));
  }
  void Merge(int index, const std::string& base, bool utf8 = false) {
    MergeSourcePair(index, Folder(), base, utf8, dir.File("out.mif"), context);
  }

  void TearDown() override {
    for (const auto& [path, bytes] : sources_) EXPECT_EQ(ReadBytes(path), bytes) << path;
  }

  ScratchDir dir;
  MergeContext context;

 private:
  std::map<std::string, std::string> sources_;
};

// A small header with `columns` integer columns and the given extra lines.
inline std::string Header(int columns, const std::string& extra = "") {
  std::string header = "Version 300\r\nCharset \"WindowsJapanese\"\r\n" + extra;
  header += "Columns " + std::to_string(columns) + "\r\n";
  for (int i = 0; i < columns; ++i) header += "  C" + std::to_string(i) + " Integer\r\n";
  return header + "Data\r\n";
}

}  // namespace mif::testing

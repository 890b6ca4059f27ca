// What a run's outputs hold after it stopped, as its error tells the user.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace mif {

// "出力 out.mif には入力 1〜3 (5 個中) を書きました": `whole` sources of
// `count`. Output names as the run was given them.
std::u16string HoldsText(const std::string& outputName, int whole, int count);
// The output left as it was: "以前のまま" where there was one, "作って
// いません" where there was none.
std::u16string UnchangedText(const std::string& outputName, bool existed);
// Nothing written at all, before any output was made sure of.
std::u16string NothingWrittenText();

// A per-layer run's: the outputs done before (named, the first few),
// `stopped` of the one it stopped in, and how many were not begun.
std::u16string OutputsText(const std::vector<std::string>& completed, const std::u16string& stopped,
                           std::size_t notBegun);

}  // namespace mif

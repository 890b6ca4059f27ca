// What the window makes of a file dialog's answer, without a window.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mif {

// The full names in an Explorer-style open dialog's buffer: texts ended by
// a zero, the run ended by an empty text. One name alone, or a folder and
// then names, each made full unless it already is (it starts with "\", or
// has ":" and "\" as its second and third characters), in the buffer's
// order.
std::vector<std::u16string> SelectedFileNames(std::u16string_view buffer);

// A file that a drop adds, and whether it came with a folder.
struct DroppedFile {
  std::string path;  // PathText.h
  bool inFolder = false;
  bool operator==(const DroppedFile&) const = default;
};

// The entries that names become, and the names that become none.
struct EntryNames {
  std::vector<DroppedFile> added;
  std::vector<std::u16string> skipped;  // as the user gave them
};

// What dropped names become: a .mif file (in any letter case) is an entry,
// a folder gives the .mif files that `mifFilesIn` lists, in its order, and
// a name that is neither is skipped.
EntryNames EntriesOfDroppedNames(
    const std::vector<std::u16string>& names,
    const std::function<bool(const std::u16string&)>& isFolder,
    const std::function<std::vector<std::string>(const std::u16string&)>& mifFilesIn);

// The plain box's text for skipped dropped names, each on a line of its
// own as the user gave it.
std::u16string SkippedNamesText(const std::vector<std::u16string>& skipped);

// The output name a save dialog's choice becomes: its extension replaced
// by ".mif", or ".mif" added.
std::u16string OutputNameFromChoice(std::u16string_view choice);

// The list's text of a source: its entry (base name, ",", directory).
std::u16string EntryText(const std::string& path);

// The text of Label3 for `count` entries: "3数".
std::string EntryCountText(int count);

// The window's caption with `count` entries: "MIFデータを連結する - 2,001
// ファイル", the name alone for none.
std::u16string CaptionText(int count);

// The entry to make the list's top row after source `index` (0-based)
// started: index - 10 at every twentieth source, otherwise nothing.
std::optional<int> ScrollTopAfter(int index);

}  // namespace mif

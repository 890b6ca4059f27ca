#include "ui/DialogSelection.h"

#include <algorithm>

#include "file/FileName.h"
#include "merge/SourceEntry.h"
#include "platform/PathText.h"
#include "text/AsciiCase.h"
#include "text/MbcsText.h"

namespace mif {

namespace {

bool IsFullName(std::u16string_view name) {
  return (!name.empty() && name[0] == u'\\') ||
         (name.size() > 3 && name[1] == u':' && name[2] == u'\\');
}

// The texts of the buffer up to the empty one that ends the run.
std::vector<std::u16string_view> Texts(std::u16string_view buffer) {
  std::vector<std::u16string_view> texts;
  while (!buffer.empty() && buffer.front() != u'\0') {
    const std::size_t end = std::min(buffer.find(u'\0'), buffer.size());
    texts.push_back(buffer.substr(0, end));
    buffer.remove_prefix(std::min(end + 1, buffer.size()));
  }
  return texts;
}

}  // namespace

std::vector<std::u16string> SelectedFileNames(std::u16string_view buffer) {
  const std::vector<std::u16string_view> texts = Texts(buffer);
  if (texts.size() <= 1) return {texts.begin(), texts.end()};
  std::u16string folder(texts[0]);
  if (folder.empty() || folder.back() != u'\\') folder += u'\\';
  std::vector<std::u16string> names;
  for (std::size_t i = 1; i < texts.size(); ++i) {
    names.push_back(IsFullName(texts[i]) ? std::u16string(texts[i])
                                         : folder + std::u16string(texts[i]));
  }
  return names;
}

std::u16string OutputNameFromChoice(std::u16string_view choice) {
  return PathDisplay(ChangeFileExtension(PathFromText(choice), ".mif"));
}

std::u16string EntryText(const std::string& path) { return PathDisplay(MakeSourceEntry(path)); }

std::string EntryCountText(int count) { return FormatInteger(count) + "\x90\x94"; }  // 数 90 94

std::optional<int> ScrollTopAfter(int index) {
  if ((index + 1) % 20 != 0 || index < 10) return std::nullopt;
  return index - 10;
}

namespace {

std::u16string NamesText(std::u16string text, const std::vector<std::u16string>& names) {
  for (const std::u16string& name : names) text += u"\r\n" + name;
  return text;
}

}  // namespace

EntryNames EntriesOfDroppedNames(
    const std::vector<std::u16string>& names,
    const std::function<bool(const std::u16string&)>& isFolder,
    const std::function<std::vector<std::u16string>(const std::u16string&)>& mifFilesIn) {
  EntryNames entries;
  for (const std::u16string& name : names) {
    std::vector<std::u16string> files;
    if (isFolder(name)) {
      files = mifFilesIn(name);
      std::sort(files.begin(), files.end());
    } else if (EndsWithIgnoringAsciiCase(name, u".mif")) {
      files = {name};
    } else {
      entries.skipped.push_back(name);
      continue;
    }
    for (const std::u16string& file : files) entries.added.push_back(PathFromText(file));
  }
  return entries;
}

std::u16string SkippedNamesText(const std::vector<std::u16string>& skipped) {
  return NamesText(u"次のファイルは .mif ファイルでもフォルダーでもないため追加しませんでした:",
                   skipped);
}

}  // namespace mif

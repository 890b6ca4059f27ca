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

std::u16string CaptionText(int count) {
  std::u16string caption = u"MIFデータを連結する";
  if (count <= 0) return caption;
  const std::u16string digits = FormatIntegerWide(count);
  std::u16string grouped;  // a comma before every three digits from the right
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += u',';
    grouped += digits[i];
  }
  return caption + u" - " + grouped + u" ファイル";
}

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
    const std::function<std::vector<std::string>(const std::u16string&)>& mifFilesIn) {
  EntryNames entries;
  for (const std::u16string& name : names) {
    if (isFolder(name)) {
      for (std::string& file : mifFilesIn(name)) entries.added.push_back({std::move(file), true});
    } else if (EndsWithIgnoringAsciiCase(name, u".mif")) {
      entries.added.push_back({PathFromText(name), false});
    } else {
      entries.skipped.push_back(name);
    }
  }
  return entries;
}

std::u16string SkippedNamesText(const std::vector<std::u16string>& skipped) {
  return NamesText(u"次のファイルは .mif ファイルでもフォルダーでもないため追加しませんでした:",
                   skipped);
}

}  // namespace mif

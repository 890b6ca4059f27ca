#include "ui/DialogSelection.h"

#include <algorithm>

#include "file/FileName.h"
#include "text/Cp932.h"
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

std::optional<std::string> ExactCp932(std::u16string_view name) {
  std::string narrow = EncodeCp932(name);
  if (DecodeCp932(narrow) != name || narrow.find('\0') != std::string::npos) return std::nullopt;
  return narrow;
}

std::string OutputNameFromChoice(std::string_view cp932Choice) {
  return ChangeFileExtension(cp932Choice, ".mif");
}

std::string EntryCountText(int count) { return FormatInteger(count) + "\x90\x94"; }  // 数 90 94

std::optional<int> ScrollTopAfter(int index) {
  if ((index + 1) % 20 != 0 || index < 10) return std::nullopt;
  return index - 10;
}

namespace {

bool HasMifExtension(std::u16string_view name) {
  if (name.size() < 4) return false;
  std::u16string extension(name.substr(name.size() - 4));
  for (char16_t& c : extension) c = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
  return extension == u".mif";
}

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
    } else if (HasMifExtension(name)) {
      files = {name};
    } else {
      entries.skipped.push_back(name);
      continue;
    }
    for (const std::u16string& file : files) {
      if (const auto narrow = ExactCp932(file)) {
        entries.added.push_back(*narrow);
      } else {
        entries.skipped.push_back(file);
      }
    }
  }
  return entries;
}

std::u16string SkippedNamesText(const std::vector<std::u16string>& skipped) {
  return NamesText(
      u"次のファイルは .mif ではないか、コードページ 932 で表せないため追加しませんでした:",
      skipped);
}

std::u16string RefusedSelectionText(const std::vector<std::u16string>& refused) {
  return NamesText(u"コードページ 932 で表せないファイル名があります:", refused);
}

}  // namespace mif

#include "cli/SourceExpansion.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <vector>

#include "merge/MergeError.h"
#include "platform/FileSystem.h"
#include "platform/FolderListing.h"
#include "platform/PathDelimiters.h"
#include "platform/PathText.h"
#include "text/AsciiCase.h"

namespace mif {

namespace {

bool HasWildcard(std::string_view text) { return text.find_first_of("*?") != std::string::npos; }

bool IsMif(const FolderEntry& entry) {
  return !entry.folder && entry.name.size() > 4 && EndsWithIgnoringAsciiCase(entry.name, ".mif");
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty() || PathDelimiters().find(folder.back()) != std::string_view::npos) {
    return folder + name;
  }
  return folder + PathDelimiters().front() + name;
}

// Whether `name` matches `pattern` (* any run, ? one character), character
// by character, in either case of ASCII letters where the system's names
// are.
bool Matches(std::u16string_view pattern, std::u16string_view name) {
  const bool fold = NamesIgnoreCase();
  const auto same = [fold](char16_t p, char16_t n) {
    return p == u'?' || p == n || (fold && AsciiLower(p) == AsciiLower(n));
  };
  std::size_t p = 0, n = 0, star = std::u16string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == u'*') {
      star = p++;
      resume = n;
    } else if (p < pattern.size() && same(pattern[p], name[n])) {
      ++p;
      ++n;
    } else if (star != std::u16string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

std::vector<FolderEntry> Listed(const std::string& folder) {
  std::optional<std::vector<FolderEntry>> entries = ListFolder(folder);
  if (!entries) throw EMergeError(u"フォルダーの中を読めません", folder.empty() ? "." : folder);
  return std::move(*entries);
}

std::vector<std::string> SortedNames(const std::vector<FolderEntry>& entries, bool folders) {
  std::vector<std::string> names;
  for (const FolderEntry& entry : entries) {
    if (folders ? entry.folder : IsMif(entry)) names.push_back(entry.name);
  }
  std::sort(names.begin(), names.end(), NameLess);
  return names;
}

// A folder's .mif files by name, then with `recursive` each folder's in
// turn; a folder met again (through a link) is not listed twice.
void AddFolder(const std::string& folder, bool recursive, std::set<FileIdentity>& seen,
               PathList& paths) {
  const std::vector<FolderEntry> entries = Listed(folder);
  for (const std::string& name : SortedNames(entries, false)) paths.Add(Join(folder, name));
  if (!recursive) return;
  for (const std::string& name : SortedNames(entries, true)) {
    const std::string sub = Join(folder, name);
    const std::optional<FileFacts> facts = StatFile(sub);
    if (facts && seen.insert(facts->identity).second) AddFolder(sub, true, seen, paths);
  }
}

// The names under `base` that the parts of a pattern from `part` on match.
void Walk(const std::string& base, const std::vector<std::string>& parts, std::size_t part,
          std::vector<std::string>& found) {
  const std::string& pattern = parts[part];
  const bool last = part + 1 == parts.size();
  if (!HasWildcard(pattern)) {
    const std::string next = Join(base, pattern);
    const std::optional<FileFacts> facts = StatFile(next);
    if (!facts) return;
    if (!last && facts->kind == FileKind::Directory) Walk(next, parts, part + 1, found);
    if (last && facts->kind == FileKind::Disk && EndsWithIgnoringAsciiCase(next, ".mif")) {
      found.push_back(next);
    }
    return;
  }
  const std::optional<std::vector<FolderEntry>> entries = ListFolder(base);
  if (!entries) return;
  const std::u16string wanted = PathDisplay(pattern);
  for (const FolderEntry& entry : *entries) {
    if (!Matches(wanted, PathDisplay(entry.name))) continue;
    if (last && IsMif(entry)) found.push_back(Join(base, entry.name));
    if (!last && entry.folder) Walk(Join(base, entry.name), parts, part + 1, found);
  }
}

void ExpandPattern(const std::string& pattern, PathList& paths) {
  // The folder before the first part with a wildcard is taken as it is.
  const std::size_t wildcard = pattern.find_first_of("*?");
  const std::size_t cut = pattern.find_last_of(PathDelimiters(), wildcard);
  const std::string base = cut == std::string::npos ? std::string() : pattern.substr(0, cut + 1);
  std::vector<std::string> parts;
  std::string part;
  for (std::size_t i = base.size(); i <= pattern.size(); ++i) {
    if (i == pattern.size() || PathDelimiters().find(pattern[i]) != std::string_view::npos) {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += pattern[i];
    }
  }
  std::vector<std::string> found;
  if (!parts.empty()) Walk(base, parts, 0, found);
  if (found.empty()) throw EMergeError(u"パターンに合う .mif ファイルがありません", pattern);
  std::sort(found.begin(), found.end(), NameLess);
  for (const std::string& path : found) paths.Add(path);
}

}  // namespace

void ExpandSource(const std::string& argument, bool recursive, PathList& paths) {
  const std::optional<FileFacts> facts = StatFile(argument);
  if (facts && facts->kind == FileKind::Directory) {
    std::set<FileIdentity> seen = {facts->identity};
    AddFolder(argument, recursive, seen, paths);
  } else if (facts || !HasWildcard(argument)) {
    paths.Add(argument);
  } else {
    ExpandPattern(argument, paths);
  }
}

}  // namespace mif

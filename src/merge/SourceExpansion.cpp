#include "merge/SourceExpansion.h"

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

bool IsMif(std::string_view name, bool folder) {
  return !folder && name.size() > 4 && EndsWithIgnoringAsciiCase(name, ".mif");
}

// The folder with its trailing delimiter, as a path's folder part is.
std::string AsFolder(const std::string& folder) {
  if (folder.empty() || PathDelimiters().find(folder.back()) != std::string_view::npos) {
    return folder;
  }
  return folder + PathDelimiters().front();
}

// The .mif files found in one folder, their names in one buffer.
class FolderFiles {
 public:
  explicit FolderFiles(std::string folder) : folder_(AsFolder(folder)) {}
  void Add(std::string_view name) {
    spans_.push_back(
        {static_cast<std::uint32_t>(names_.size()), static_cast<std::uint32_t>(name.size())});
    names_.append(name);
  }
  const std::string& Folder() const { return folder_; }
  // Adds them to `paths` in the order of the system's names.
  void AddSorted(PathList& paths) {
    std::sort(spans_.begin(), spans_.end(),
              [this](const Span& a, const Span& b) { return NameLess(Name(a), Name(b)); });
    for (const Span& span : spans_) paths.Add(folder_, Name(span));
  }

 private:
  struct Span {
    std::uint32_t begin, size;
  };
  std::string_view Name(const Span& span) const {
    return std::string_view(names_).substr(span.begin, span.size);
  }
  std::string folder_;
  std::string names_;
  std::vector<Span> spans_;
};

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

// A folder's .mif files by name, then with `recursive` each folder's in
// turn; a folder met again (through a link) is not listed twice.
void AddFolder(const std::string& folder, bool recursive, std::set<FileIdentity>& seen,
               PathList& paths) {
  FolderFiles files(folder);
  std::vector<std::string> folders;
  const bool listed = ListFolder(folder, [&](std::string_view name, bool isFolder) {
    if (IsMif(name, isFolder)) files.Add(name);
    if (isFolder && recursive) folders.emplace_back(name);
  });
  if (!listed) throw EMergeError(u"フォルダーの中を読めません", folder.empty() ? "." : folder);
  files.AddSorted(paths);
  std::sort(folders.begin(), folders.end(), NameLess);
  for (const std::string& name : folders) {
    const std::string sub = files.Folder() + name;
    const std::optional<FileFacts> facts = StatFile(sub);
    if (facts && seen.insert(facts->identity).second) AddFolder(sub, true, seen, paths);
  }
}

// The .mif files under `base` that the parts of a pattern from `part` on
// match, a folder's together.
void Walk(const std::string& base, const std::vector<std::string>& parts, std::size_t part,
          std::vector<FolderFiles>& found) {
  const std::string& pattern = parts[part];
  const bool last = part + 1 == parts.size();
  if (!HasWildcard(pattern)) {
    const std::string next = AsFolder(base) + pattern;
    const std::optional<FileFacts> facts = StatFile(next);
    if (!facts) return;
    if (!last && facts->kind == FileKind::Directory) Walk(next, parts, part + 1, found);
    if (last && IsMif(pattern, facts->kind != FileKind::Disk)) {
      found.emplace_back(base);
      found.back().Add(pattern);
    }
    return;
  }
  const std::u16string wanted = PathDisplay(pattern);
  FolderFiles files(base);
  std::vector<std::string> folders;
  ListFolder(base, [&](std::string_view name, bool isFolder) {
    if (!Matches(wanted, PathDisplay(name))) return;
    if (last && IsMif(name, isFolder)) files.Add(name);
    if (!last && isFolder) folders.emplace_back(name);
  });
  if (last) found.push_back(std::move(files));
  for (const std::string& name : folders) Walk(files.Folder() + name, parts, part + 1, found);
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
  // By path: the matched folders lie at one depth, none the front of
  // another, so by folder, then each folder's files by name.
  std::vector<FolderFiles> found;
  if (!parts.empty()) Walk(base, parts, 0, found);
  std::sort(found.begin(), found.end(), [](const FolderFiles& a, const FolderFiles& b) {
    return NameLess(a.Folder(), b.Folder());
  });
  const std::size_t before = paths.Size();
  for (FolderFiles& files : found) files.AddSorted(paths);
  if (paths.Size() == before) {
    throw EMergeError(u"パターンに合う .mif ファイルがありません", pattern);
  }
}

}  // namespace

void ExpandSource(const std::string& argument, bool recursive, PathList& paths) {
  // A .mif named as it is: no query here, the run opens it (and refuses a
  // folder so named).
  if (!HasWildcard(argument) && EndsWithIgnoringAsciiCase(argument, ".mif")) {
    paths.Add(argument);
    return;
  }
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

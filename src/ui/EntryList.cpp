#include "ui/EntryList.h"

#include <algorithm>

#include "platform/FolderListing.h"
#include "ui/CheckList.h"
#include "ui/Wide.h"
#include "ui/WindowError.h"

namespace mif {

namespace {

// Redraws the list once when a change to many entries is done.
class DrawnOnce {
 public:
  explicit DrawnOnce(HWND list) : list_(list) { SendMessageW(list_, WM_SETREDRAW, FALSE, 0); }
  ~DrawnOnce() {
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
  }
  DrawnOnce(const DrawnOnce&) = delete;
  DrawnOnce& operator=(const DrawnOnce&) = delete;

 private:
  HWND list_;
};

}  // namespace

void EntryList::Replace(const std::vector<std::string>& paths) {
  DrawnOnce drawn(list_);
  SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  parts_.clear();
  ids_.clear();
  identities_.clear();
  listed_.clear();
  const std::vector<std::optional<FileIdentity>> identities = FileIdentities(paths);
  for (std::size_t i = 0; i < paths.size(); ++i) Add(paths[i], identities[i]);
}

int EntryList::Append(const std::vector<DroppedFile>& files,
                      const std::vector<FileIdentity>& leftOut) {
  DrawnOnce drawn(list_);
  SendMessageW(list_, LB_INITSTORAGE, files.size(), files.size() * 64 * sizeof(wchar_t));
  std::vector<std::string> paths;
  paths.reserve(files.size());
  for (const DroppedFile& file : files) paths.push_back(file.path);
  const std::vector<std::optional<FileIdentity>> identities = FileIdentities(paths);
  int added = 0;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const DroppedFile& file = files[i];
    const std::optional<FileIdentity>& identity = identities[i];
    if (identity && listed_.count(*identity) > 0) continue;
    if (identity && file.inFolder &&
        std::find(leftOut.begin(), leftOut.end(), *identity) != leftOut.end()) {
      continue;
    }
    Add(file.path, identity);
    ++added;
  }
  return added;
}

int EntryList::RemoveSelected() {
  const int selected = static_cast<int>(SendMessageW(list_, LB_GETSELCOUNT, 0, 0));
  if (selected <= 0) return 0;
  std::vector<int> indexes(static_cast<std::size_t>(selected));
  SendMessageW(list_, LB_GETSELITEMS, static_cast<WPARAM>(selected),
               reinterpret_cast<LPARAM>(indexes.data()));
  std::sort(indexes.begin(), indexes.end());
  DrawnOnce drawn(list_);
  // From the last, so that the indexes still to go stay where they are.
  for (auto at = indexes.rbegin(); at != indexes.rend(); ++at) {
    const auto index = static_cast<std::size_t>(*at);
    SendMessageW(list_, LB_DELETESTRING, index, 0);
    if (identities_[index]) listed_.erase(*identities_[index]);
    parts_.erase(parts_.begin() + *at);
    ids_.erase(ids_.begin() + *at);
    identities_.erase(identities_.begin() + *at);
  }
  // The entry now where the first one was is selected, so that Delete
  // pressed again goes on down the list.
  const int next = std::min(indexes.front(), Count() - 1);
  if (next >= 0) {
    SendMessageW(list_, LB_SETSEL, TRUE, next);
    SendMessageW(list_, LB_SETCARETINDEX, static_cast<WPARAM>(next), FALSE);
  }
  return selected;
}

const SourceParts& EntryList::Parts(int index) const {
  if (index < 0 || index >= Count()) {
    throw ListIndexError(index);
  }
  return parts_[static_cast<std::size_t>(index)];
}

int EntryList::PlaceOf(Id id) const {
  const auto found = std::lower_bound(ids_.begin(), ids_.end(), id);
  return found != ids_.end() && *found == id ? static_cast<int>(found - ids_.begin()) : -1;
}

void EntryList::Add(const std::string& path, const std::optional<FileIdentity>& identity) {
  if (!AddCheckListEntry(list_, Wide(EntryText(path)))) throw EWindowError(u"行を挿入できません");
  parts_.push_back(MakeSourceParts(path));
  ids_.push_back(nextId_++);
  identities_.push_back(identity);
  if (identity) listed_.insert(*identity);
}

}  // namespace mif

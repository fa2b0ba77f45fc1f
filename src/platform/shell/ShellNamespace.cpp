#include "platform/shell/ShellNamespace.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "platform/shell/SysFiles.h"

namespace kora {

namespace {

const char* const kDesktopName = "桌面";

// Absolute, resolved by text, no trailing separator except for a root.
std::string CleanPath(std::string_view path) {
  std::string full = ExpandFileName(path);
  if (full.size() > 1 && IsPathDelimiter(full.back()) && !ShellIsRoot(full)) full.pop_back();
  return full;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && IsPathDelimiter(folder.back())) return folder + name;
  return folder + PathDelim + name;
}

// The folder above a clean path: a root keeps its separator.
std::string ParentPath(const std::string& path) {
  size_t slash = path.size();
  while (slash > 0 && !IsPathDelimiter(path[slash - 1])) --slash;
  if (slash == 0) return path;
  const std::string withDelimiter = path.substr(0, slash);
  if (ShellIsRoot(withDelimiter)) return withDelimiter;
  return path.substr(0, slash - 1);
}

// The special folders, read once for a whole walk so they agree.
struct Places {
  std::string Home = CleanPath(ShellHomeFolder());
  std::string Desktop = ShellDesktopFolder();
};

ShellItemKind KindOf(const std::string& path, bool isFolder, const Places& places) {
  if (!isFolder) return ShellItemKind::File;
  if (ShellIsRoot(path)) return ShellItemKind::Drive;
  if (path == places.Home) return ShellItemKind::Home;
  if (!places.Desktop.empty() && path == places.Desktop) return ShellItemKind::DesktopFolder;
  return ShellItemKind::Folder;
}

std::string DisplayNameOf(ShellItemKind kind, const std::string& path) {
  switch (kind) {
    case ShellItemKind::Desktop: return kDesktopName;
    case ShellItemKind::Drive: return ShellDriveName(path);
    default: {
      size_t slash = path.size();
      while (slash > 0 && !IsPathDelimiter(path[slash - 1])) --slash;
      return path.substr(slash);
    }
  }
}

// An item for a clean path. When nothing is there the item is still made,
// as a folder, when assumeFolder (the parents of a vanished folder); else
// none is returned and errno tells why.
std::optional<ShellItem> MakeItem(const std::string& path, const Places& places, bool assumeFolder) {
  const std::optional<FolderEntry> info = GetFileInfo(path);
  if (!info && !assumeFolder) return std::nullopt;
  ShellItem item;
  item.Path = path;
  item.Kind = KindOf(path, info ? info->IsFolder : true, places);
  item.DisplayName = DisplayNameOf(item.Kind, path);
  item.Hidden = item.DisplayName.starts_with('.');
  if (info) {
    item.Size = info->Size;
    item.LastWrite = info->LastWrite;
  }
  return item;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

}  // namespace

ShellItem ShellDesktop() {
  ShellItem item;
  item.Kind = ShellItemKind::Desktop;
  item.DisplayName = kDesktopName;
  return item;
}

std::vector<ShellItem> ShellDesktopFolders() {
  const Places places;
  std::vector<ShellItem> items;
  std::vector<std::string> paths{places.Home};
  for (const std::string& root : ShellDriveRoots()) paths.push_back(root);
  paths.push_back(places.Desktop);
  for (const std::string& path : paths) {
    if (path.empty()) continue;
    const bool seen = std::any_of(items.begin(), items.end(), [&](const ShellItem& i) { return i.Path == path; });
    if (seen) continue;
    if (auto item = MakeItem(path, places, false); item && item->IsFolder()) items.push_back(std::move(*item));
  }
  std::sort(items.begin(), items.end(),
            [](const ShellItem& a, const ShellItem& b) { return CompareShellNames(a.DisplayName, b.DisplayName) < 0; });
  return items;
}

ShellItem ShellItemFromPath(std::string_view path) {
  const std::string clean = CleanPath(path);
  auto item = MakeItem(clean, Places(), false);
  if (!item) throw std::system_error(errno, std::generic_category(), "Cannot find \"" + std::string(path) + "\"");
  return std::move(*item);
}

std::optional<ShellItem> ShellParent(const ShellItem& item) {
  switch (item.Kind) {
    case ShellItemKind::Desktop: return std::nullopt;
    case ShellItemKind::Home:
    case ShellItemKind::Drive:
    case ShellItemKind::DesktopFolder: return ShellDesktop();
    default: break;
  }
  return MakeItem(ParentPath(item.Path), Places(), true);
}

std::vector<ShellItem> ShellFolderChain(const ShellItem& item) {
  std::vector<ShellItem> chain{item};
  while (auto parent = ShellParent(chain.back())) chain.push_back(std::move(*parent));
  std::reverse(chain.begin(), chain.end());
  return chain;
}

std::vector<ShellItem> ShellEnumerate(const ShellItem& folder, bool includeHidden) {
  if (folder.Kind == ShellItemKind::Desktop) return ShellDesktopFolders();
  if (!folder.IsFolder()) return {};
  const Places places;
  std::vector<ShellItem> items;
  for (FolderEntry& e : ListFolder(folder.Path)) {
    if (e.Hidden && !includeHidden) continue;
    ShellItem item;
    item.Path = JoinPath(folder.Path, e.Name);
    item.Kind = KindOf(item.Path, e.IsFolder, places);
    item.DisplayName = std::move(e.Name);
    item.Hidden = e.Hidden;
    item.Size = e.Size;
    item.LastWrite = e.LastWrite;
    items.push_back(std::move(item));
  }
  SortShellItems(items);
  return items;
}

int CompareShellNames(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      // Compare the numbers' values: skip leading zeros, then longer is larger.
      size_t ai = i, bj = j;
      while (ai < a.size() && a[ai] == '0') ++ai;
      while (bj < b.size() && b[bj] == '0') ++bj;
      size_t ae = ai, be = bj;
      while (ae < a.size() && IsDigit(a[ae])) ++ae;
      while (be < b.size() && IsDigit(b[be])) ++be;
      if (ae - ai != be - bj) return ae - ai < be - bj ? -1 : 1;
      if (const int c = a.substr(ai, ae - ai).compare(b.substr(bj, be - bj)); c != 0) return c < 0 ? -1 : 1;
      i = ae;
      j = be;
      continue;
    }
    const unsigned char ca = FoldAscii(a[i]), cb = FoldAscii(b[j]);
    if (ca != cb) return ca < cb ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

void SortShellItems(std::vector<ShellItem>& items) {
  std::stable_sort(items.begin(), items.end(), [](const ShellItem& a, const ShellItem& b) {
    if (a.IsFolder() != b.IsFolder()) return a.IsFolder();
    return CompareShellNames(a.DisplayName, b.DisplayName) < 0;
  });
}

}  // namespace kora

#include "platform/shell/ShellNamespace.h"

#include <pwd.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include "platform/shell/PathText.h"

namespace kora {

namespace {

const char* const kDesktopName = "桌面";
const char* const kDriveName = "文件系统";

// Absolute, resolved by text, no trailing '/' except for the root.
std::string CleanPath(std::string_view path) {
  std::string full = ExpandFileName(path);
  if (full.size() > 1 && full.back() == '/') full.pop_back();
  return full;
}

std::string EnvOr(const char* name, std::string fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::string(value) : fallback;
}

// XDG_DESKTOP_DIR from the user-dirs file: XDG_DESKTOP_DIR="$HOME/Desktop".
std::string DesktopFromUserDirs(const std::string& home) {
  std::ifstream in(EnvOr("XDG_CONFIG_HOME", home + "/.config") + "/user-dirs.dirs");
  const std::string key = "XDG_DESKTOP_DIR=";
  for (std::string line; std::getline(in, line);) {
    if (!line.starts_with(key)) continue;
    std::string value = line.substr(key.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
    if (value.starts_with("$HOME")) return home + value.substr(5);
    return value.starts_with('/') ? value : std::string();
  }
  return {};
}

// The special folders, read once for a whole walk so they agree.
struct Places {
  std::string Home = CleanPath(ShellHomeFolder());
  std::string Desktop = ShellDesktopFolder();
};

ShellItemKind KindOf(const std::string& path, bool isFolder, const Places& places) {
  if (!isFolder) return ShellItemKind::File;
  if (path == "/") return ShellItemKind::Drive;
  if (path == places.Home) return ShellItemKind::Home;
  if (!places.Desktop.empty() && path == places.Desktop) return ShellItemKind::DesktopFolder;
  return ShellItemKind::Folder;
}

std::string DisplayNameOf(ShellItemKind kind, const std::string& path) {
  switch (kind) {
    case ShellItemKind::Desktop: return kDesktopName;
    case ShellItemKind::Drive: return kDriveName;
    default: return std::string(PathFileName(path));
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

std::string ShellHomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return "/";
}

std::string ShellDesktopFolder() {
  const std::string home = CleanPath(ShellHomeFolder());
  std::string desktop = EnvOr("XDG_DESKTOP_DIR", DesktopFromUserDirs(home));
  desktop = CleanPath(desktop.empty() ? home + "/Desktop" : desktop);
  // A desktop dir set to the home itself means "no desktop folder".
  return desktop != home && DirectoryExists(desktop) ? desktop : std::string();
}

ShellItem ShellDesktop() {
  ShellItem item;
  item.Kind = ShellItemKind::Desktop;
  item.DisplayName = kDesktopName;
  return item;
}

std::vector<ShellItem> ShellDesktopFolders() {
  const Places places;
  std::vector<ShellItem> items;
  for (const std::string& path : {places.Home, std::string("/"), places.Desktop}) {
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
  const size_t slash = item.Path.rfind('/');
  const std::string parent = slash == 0 || slash == std::string::npos ? "/" : item.Path.substr(0, slash);
  return MakeItem(parent, Places(), true);
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
  const std::string base = folder.Path == "/" ? std::string() : folder.Path;
  std::vector<ShellItem> items;
  for (FolderEntry& e : ListFolder(folder.Path)) {
    if (e.Hidden && !includeHidden) continue;
    ShellItem item;
    item.Path = base + "/" + e.Name;
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

#pragma once
// A small shell namespace over plain directories, for the file dialog and
// the folder combo box. The desktop is the root; its folders are the user's
// home, the drives (on Linux "/", the one file system) and the desktop
// folder when the home has one. Every other folder is reached through
// those, so the parent of the home is the desktop, not "/home".

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/shell/FileSystem.h"

namespace kora {

enum class ShellItemKind { Desktop, Home, Drive, DesktopFolder, Folder, File };

struct ShellItem {
  ShellItemKind Kind = ShellItemKind::File;
  std::string Path;  // absolute, without a trailing separator but on a root; empty for the desktop
  std::string DisplayName;
  bool Hidden = false;  // a dot file or folder
  int64_t Size = 0;     // bytes; 0 for folders
  FileTime LastWrite;

  bool IsFolder() const { return Kind != ShellItemKind::File; }
  // The same place in the namespace (kind and path).
  bool SamePlace(const ShellItem& other) const { return Kind == other.Kind && Path == other.Path; }
};

// The home folder ($HOME, else the password database; the user's profile
// on Windows) and the desktop folder inside it ($XDG_DESKTOP_DIR or the
// user-dirs file, else "Desktop"; the shell's desktop folder on Windows;
// empty when it does not exist). Read on every call.
std::string ShellHomeFolder();
std::string ShellDesktopFolder();

// The roots of the file system: "/", or every drive ("C:\") on Windows;
// and the name a root shows.
std::vector<std::string> ShellDriveRoots();
std::string ShellDriveName(const std::string& root);
// Whether a path is the root of a drive ("/", "C:\").
bool ShellIsRoot(const std::string& path);

ShellItem ShellDesktop();
// The desktop's folders in the shell's order of names.
std::vector<ShellItem> ShellDesktopFolders();
// Parses a path (relative to the current folder, "." and ".." resolved)
// into an item. Throws std::system_error when nothing is there.
ShellItem ShellItemFromPath(std::string_view path);
// The folder above an item; none for the desktop.
std::optional<ShellItem> ShellParent(const ShellItem& item);
// From the desktop down to the item, each one level below the one before.
std::vector<ShellItem> ShellFolderChain(const ShellItem& item);
// The items of a folder, sorted by SortShellItems; dot files only when
// asked. Throws as ListFolder does.
std::vector<ShellItem> ShellEnumerate(const ShellItem& folder, bool includeHidden = false);

// The shell's order of names: ASCII letters without regard to case, runs
// of digits by their value ("file9" before "file10"); names that differ
// only in case or leading zeros are ordered by their bytes. <0, 0 or >0.
int CompareShellNames(std::string_view a, std::string_view b);
// Folders first, then by CompareShellNames on the display names.
void SortShellItems(std::vector<ShellItem>& items);

}  // namespace kora

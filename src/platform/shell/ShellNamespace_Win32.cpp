#include <cstdlib>

#include "platform/shell/ShellNamespace.h"
#include "platform/text/WideText.h"

#include "platform/gdi/WinApi_Win32.h"

namespace kora {

namespace {

std::string KnownFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return {};
  return FromWide(path);
}

}  // namespace

std::string ShellHomeFolder() {
  std::string home = KnownFolder(CSIDL_PROFILE);
  if (home.empty()) {
    if (const wchar_t* profile = _wgetenv(L"USERPROFILE"); profile && *profile) home = FromWide(profile);
  }
  return home.empty() ? "C:\\" : home;
}

std::string ShellDesktopFolder() {
  const std::string desktop = KnownFolder(CSIDL_DESKTOPDIRECTORY);
  return !desktop.empty() && DirectoryExists(desktop) ? desktop : std::string();
}

std::vector<std::string> ShellDriveRoots() {
  std::vector<std::string> roots;
  const ::DWORD drives = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(drives & (1u << i))) continue;
    const std::string root = std::string(1, char('A' + i)) + ":\\";
    // Floppy and optical drives without a medium would only show an error.
    const UINT type = GetDriveTypeW(ToWide(root).c_str());
    if (type == DRIVE_FIXED || type == DRIVE_REMOTE || type == DRIVE_RAMDISK || type == DRIVE_REMOVABLE)
      roots.push_back(root);
  }
  return roots;
}

std::string ShellDriveName(const std::string& root) {
  wchar_t label[MAX_PATH + 1] = {};
  std::string name;
  if (GetVolumeInformationW(ToWide(root).c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
    name = FromWide(label);
  if (name.empty()) name = GetDriveTypeW(ToWide(root).c_str()) == DRIVE_REMOTE ? "网络驱动器" : "本地磁盘";
  return name + " (" + root.substr(0, 2) + ")";
}

bool ShellIsRoot(const std::string& path) {
  const bool letter = !path.empty() && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return path.size() == 3 && letter && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

}  // namespace kora

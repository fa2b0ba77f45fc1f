#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "platform/shell/ShellNamespace.h"

namespace kora {

namespace {

std::string EnvOr(const char* name, std::string fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::string(value) : fallback;
}

// Absolute, without a trailing '/' except for the root.
std::string AbsoluteFolder(std::string_view path) {
  std::string full = ExpandFileName(path);
  if (full.size() > 1 && full.back() == '/') full.pop_back();
  return full;
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

}  // namespace

std::string ShellHomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return "/";
}

std::string ShellDesktopFolder() {
  const std::string home = AbsoluteFolder(ShellHomeFolder());
  std::string desktop = EnvOr("XDG_DESKTOP_DIR", DesktopFromUserDirs(home));
  desktop = AbsoluteFolder(desktop.empty() ? home + "/Desktop" : desktop);
  // A desktop dir set to the home itself means "no desktop folder".
  return desktop != home && DirectoryExists(desktop) ? desktop : std::string();
}

std::vector<std::string> ShellDriveRoots() { return {"/"}; }

std::string ShellDriveName(const std::string&) { return "文件系统"; }

bool ShellIsRoot(const std::string& path) { return path == "/"; }

}  // namespace kora

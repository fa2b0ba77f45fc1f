#pragma once
// The shell's icons and its two system image lists (small 16 x 16, large
// 32 x 32), drawn by us. As with the classic lists an icon has the same
// index in both, so one index serves every view of the file list.
// GUI thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/GdiTypes.h"
#include "platform/shell/ShellNamespace.h"

namespace kora {

enum class ShellIconKind {
  FolderClosed,
  FolderOpen,
  Document,    // any other file
  TextFile,    // .txt .ini .log
  BinaryFile,  // .bin
  Picture,     // .bmp .png .jpg .jpeg .gif
  Cartridge,   // .nds
  Executable,  // .exe, or a file with an execute permission
  Drive,
  Desktop,
  Home,
};
constexpr int SHELL_ICON_KIND_COUNT = int(ShellIconKind::Home) + 1;

enum class ShellIconSize { Small = 16, Large = 32 };

// Straight-alpha 0xAARRGGBB pixels, rows top-down; the background is fully
// transparent.
struct ShellIconImage {
  int Size = 0;
  std::vector<uint32_t> Pixels;
};
ShellIconImage RenderShellIcon(ShellIconKind kind, ShellIconSize size);

// Which icon shows an item; `open` picks the open folder for folders.
ShellIconKind ShellIconKindOf(const ShellItem& item, bool open = false);

// Index in the system image lists.
int GetShellIconIndex(ShellIconKind kind);
int GetShellIconIndex(const ShellItem& item, bool open = false);
// Parses the path first; a path that is not there gets the document icon.
int GetShellIconIndex(const std::string& path, bool open = false);

// Blends icon `index` of the small or large list over the DC with its
// top-left at logical (x, y), through the DC's clip. False for a bad DC
// or index.
bool DrawShellIcon(HDC dc, int index, int x, int y, ShellIconSize size);

}  // namespace kora

#include "platform/shell/ShellIcons.h"

#include <array>
#include <system_error>

#include "platform/gdi/Gdi.h"
#include "platform/shell/PathText.h"
#include "platform/shell/SysFiles.h"

namespace kora {

namespace {

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  }
  return text;
}

ShellIconKind FileKind(const std::string& path) {
  const std::string ext = LowerAscii(std::string(PathExtension(path)));
  if (ext == ".nds") return ShellIconKind::Cartridge;
  if (ext == ".bin") return ShellIconKind::BinaryFile;
  if (ext == ".txt" || ext == ".ini" || ext == ".log") return ShellIconKind::TextFile;
  if (ext == ".bmp" || ext == ".png" || ext == ".jpg" || ext == ".jpeg" || ext == ".gif") {
    return ShellIconKind::Picture;
  }
  if (ext == ".exe") return ShellIconKind::Executable;
  if (ext.empty()) {
    if (const auto st = SysStat(path); st && st->Executable) return ShellIconKind::Executable;
  }
  return ShellIconKind::Document;
}

// One premultiplied 32-bit strip per size, icon i at x = i * size: the
// system image list.
HBITMAP ImageList(ShellIconSize size) {
  static std::array<HBITMAP, 2> lists;
  HBITMAP& list = lists[size == ShellIconSize::Small ? 0 : 1];
  if (list && GetObjectType(list) == OBJ_BITMAP) return list;
  const int side = int(size);
  BITMAPINFO info{};
  info.bmiHeader.biWidth = side * SHELL_ICON_KIND_COUNT;
  info.bmiHeader.biHeight = -side;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  list = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits);
  if (!list) return list;
  auto* pixels = static_cast<uint32_t*>(bits);
  for (int kind = 0; kind < SHELL_ICON_KIND_COUNT; ++kind) {
    const ShellIconImage icon = RenderShellIcon(ShellIconKind(kind), size);
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side; ++x) {
        const uint32_t p = icon.Pixels[size_t(y) * size_t(side) + size_t(x)];
        const uint32_t a = p >> 24;
        const auto pre = [&](int shift) { return (((p >> shift) & 0xFF) * a + 127) / 255 << shift; };
        pixels[size_t(y) * size_t(info.bmiHeader.biWidth) + size_t(kind * side + x)] =
            a << 24 | pre(16) | pre(8) | pre(0);
      }
    }
  }
  return list;
}

}  // namespace

ShellIconKind ShellIconKindOf(const ShellItem& item, bool open) {
  switch (item.Kind) {
    case ShellItemKind::Desktop: return ShellIconKind::Desktop;
    case ShellItemKind::Home: return ShellIconKind::Home;
    case ShellItemKind::Drive: return ShellIconKind::Drive;
    case ShellItemKind::DesktopFolder:
    case ShellItemKind::Folder: return open ? ShellIconKind::FolderOpen : ShellIconKind::FolderClosed;
    case ShellItemKind::File: break;
  }
  return FileKind(item.Path);
}

int GetShellIconIndex(ShellIconKind kind) { return int(kind); }

int GetShellIconIndex(const ShellItem& item, bool open) { return GetShellIconIndex(ShellIconKindOf(item, open)); }

int GetShellIconIndex(const std::string& path, bool open) {
  ShellItem item;
  try {
    item = ShellItemFromPath(path);
  } catch (const std::system_error&) {
    return GetShellIconIndex(ShellIconKind::Document);  // an icon is wanted even for a vanished file
  }
  return GetShellIconIndex(item, open);
}

bool DrawShellIcon(HDC dc, int index, int x, int y, ShellIconSize size) {
  if (index < 0 || index >= SHELL_ICON_KIND_COUNT) return false;
  const HBITMAP list = ImageList(size);
  if (!list) return false;
  const HDC source = CreateCompatibleDC(nullptr);
  if (!source) return false;
  const HGDIOBJ old = SelectObject(source, list);
  const int side = int(size);
  const bool done = old && AlphaBlend(dc, x, y, side, side, source, index * side, 0, side, side,
                                      BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
  if (old) SelectObject(source, old);
  DeleteDC(source);
  return done;
}

}  // namespace kora

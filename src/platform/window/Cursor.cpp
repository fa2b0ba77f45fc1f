// Standard cursors. Each is a real icon (so its mask can be read), and
// SetCursor tells the backend which standard shape to show.

#include <map>

#include "platform/window/Backend.h"
#include "platform/window/Cursor.h"
#include "platform/window/WindowInternal.h"

namespace kora {

namespace {

// The classic arrow: 'X' outline, '.' fill, ' ' transparent.
constexpr const char* kArrow[] = {
    "X",         "XX",        "X.X",        "X..X",        "X...X",     "X....X",   "X.....X",
    "X......X",  "X.......X", "X........X", "X.....XXXXX", "X..X..X",   "X.X X..X", "XX  X..X",
    "X    X..X", "     X..X", "      X..X", "      X..X",  "       XX",
};
constexpr const char* kBeam[] = {
    "XXX XXX", "   X", "   X", "   X", "   X", "   X", "   X", "   X",
    "   X",    "   X", "   X", "   X", "   X", "   X", "   X", "XXX XXX",
};

struct CursorDef {
  int Id;
  CursorShape Shape;
};

constexpr CursorDef kCursors[] = {
    {IDC_ARROW, CursorShape::Arrow},       {IDC_IBEAM, CursorShape::IBeam},     {IDC_WAIT, CursorShape::Wait},
    {IDC_CROSS, CursorShape::Cross},       {IDC_UPARROW, CursorShape::UpArrow}, {IDC_SIZENWSE, CursorShape::SizeNWSE},
    {IDC_SIZENESW, CursorShape::SizeNESW}, {IDC_SIZEWE, CursorShape::SizeWE},   {IDC_SIZENS, CursorShape::SizeNS},
    {IDC_SIZEALL, CursorShape::SizeAll},   {IDC_NO, CursorShape::No},           {IDC_HAND, CursorShape::Hand},
    {IDC_APPSTARTING, CursorShape::Wait},  {IDC_HELP, CursorShape::Arrow},
};

HCURSOR MakeCursorIcon(int id) {
  const bool beam = id == IDC_IBEAM;
  const auto* rows = beam ? kBeam : kArrow;
  const int count = beam ? int(std::size(kBeam)) : int(std::size(kArrow));
  const int size = 32;
  HBITMAP mask = CreateCompatibleBitmap({}, size, size);
  HBITMAP color = CreateCompatibleBitmap({}, size, size);
  PixelSurface m = GetBitmapSurface(mask);
  PixelSurface c = GetBitmapSurface(color);
  const int x0 = beam ? 12 : 0;
  const int y0 = beam ? 8 : 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      m.Bits[y * m.Stride + x] = 0x00FFFFFF;
      c.Bits[y * c.Stride + x] = 0;
    }
  }
  for (int r = 0; r < count; ++r) {
    for (int x = 0; rows[r][x]; ++x) {
      const char ch = rows[r][x];
      if (ch == ' ') continue;
      const int px = x0 + x;
      const int py = y0 + r;
      m.Bits[py * m.Stride + px] = 0;
      c.Bits[py * c.Stride + px] = ch == '.' ? 0x00FFFFFF : 0;
    }
  }
  ICONINFO info;
  info.fIcon = false;
  info.xHotspot = beam ? 15 : 0;
  info.yHotspot = beam ? 16 : 0;
  info.hbmMask = mask;
  info.hbmColor = color;
  const HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(color);
  return icon;
}

std::map<int, HCURSOR>& Loaded() {
  static std::map<int, HCURSOR> loaded;
  return loaded;
}

const CursorDef* FindDef(int id) {
  for (const CursorDef& d : kCursors) {
    if (d.Id == id) return &d;
  }
  return nullptr;
}

void ShowCursorShape(HCURSOR cursor) {
  Backend* b = Sys().CurrentBackend;
  if (!b) return;
  const CursorDef* d = FindDef(StandardCursorId(cursor));
  b->SetCursorShape(d ? d->Shape : CursorShape::Arrow);
}

}  // namespace

HCURSOR LoadCursor(const void* instance, int id) {
  if (instance || !FindDef(id)) return {};
  auto& loaded = Loaded();
  auto it = loaded.find(id);
  if (it != loaded.end()) return it->second;
  const HCURSOR cursor = MakeCursorIcon(id);
  loaded.emplace(id, cursor);
  return cursor;
}

int StandardCursorId(HCURSOR cursor) {
  if (!cursor) return 0;
  for (const auto& [id, c] : Loaded()) {
    if (c == cursor) return id;
  }
  return 0;
}

HCURSOR SetCursor(HCURSOR cursor) {
  auto& m = Sys().Mouse;
  const HCURSOR old = m.Cursor;
  m.Cursor = cursor;
  if (old != cursor) ShowCursorShape(cursor);
  return old;
}

HCURSOR GetCursor() { return Sys().Mouse.Cursor; }

}  // namespace kora

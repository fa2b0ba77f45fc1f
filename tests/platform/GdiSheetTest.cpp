// Draws a sheet of primitives and the standard icons; with KORA_ARTIFACTS
// set it is saved as gdi-sheet.png for a person to look at.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/GdiTestCanvas.h"
#include "platform/gdi/PngFile.h"

namespace kora {
namespace {

using test::TestCanvas;

void Primitives(HDC dc) {
  HGDIOBJ oldPen = SelectObject(dc, CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  HGDIOBJ oldBrush = SelectObject(dc, CreateSolidBrush(RGB(120, 170, 230)));
  Rectangle(dc, 10, 10, 70, 50);
  Ellipse(dc, 80, 10, 140, 50);
  RoundRect(dc, 150, 10, 210, 50, 12, 12);
  const POINT star[] = {{250, 8}, {262, 48}, {228, 22}, {272, 22}, {238, 48}};
  SetPolyFillMode(dc, WINDING);
  Polygon(dc, star, 5);
  DeleteObject(SelectObject(dc, CreatePen(PS_SOLID, 4, RGB(200, 40, 40))));
  MoveToEx(dc, 290, 12, nullptr);
  LineTo(dc, 340, 48);
  DeleteObject(SelectObject(dc, CreatePen(PS_DOT, 1, RGB(0, 0, 128))));
  SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < 5; ++i) {
    MoveToEx(dc, 350, 10 + 9 * i, nullptr);
    LineTo(dc, 400 + 10 * i, 10 + 9 * i);
  }
  DeleteObject(SelectObject(dc, oldPen));
  DeleteObject(SelectObject(dc, oldBrush));

  RECT edge{10, 60, 70, 90};
  DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  edge = {80, 60, 140, 90};
  DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
  edge = {150, 60, 210, 90};
  DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
  RECT focus{220, 64, 280, 86};
  DrawFocusRect(dc, &focus);
}

TEST(GdiSheetTest, PrimitivesAndIcons) {
  TestCanvas sheet(440, 200, GetSysColor(COLOR_BTNFACE));
  Primitives(sheet.Dc);
  const int ids[] = {IDI_APPLICATION, IDI_INFORMATION, IDI_WARNING, IDI_ERROR, IDI_QUESTION};
  for (int i = 0; i < 5; ++i) {
    const RECT white = RECT::FromSize(10 + 84 * i, 100, 76, 92);
    FillRect(sheet.Dc, &white, HBRUSH(GetStockObject(WHITE_BRUSH)));
    DrawIcon(sheet.Dc, 14 + 84 * i, 104, LoadIcon(nullptr, ids[i]));
    HICON small = LoadSystemIcon(ids[i], 16);
    DrawIconEx(sheet.Dc, 50 + 84 * i, 104, small, 0, 0, 0, HBRUSH(), DI_NORMAL);
    DestroyIcon(small);
    HICON big = LoadSystemIcon(ids[i], 48);
    DrawIconEx(sheet.Dc, 14 + 84 * i, 140, big, 0, 0, 0, HBRUSH(), DI_NORMAL);
    DestroyIcon(big);
  }
  EXPECT_EQ(sheet.At(0, 0), GetSysColor(COLOR_BTNFACE));
  EXPECT_NE(sheet.At(30, 120), RGB(255, 255, 255));  // an icon was drawn on the white card

  const char* folder = std::getenv("KORA_ARTIFACTS");
  if (!folder || !*folder) return;
  std::filesystem::create_directories(folder);
  const std::string path = (std::filesystem::path(folder) / "gdi-sheet.png").string();
  SavePngFile(path, sheet.Bitmap);
  EXPECT_GT(std::filesystem::file_size(path), 1000u);
}

}  // namespace
}  // namespace kora

#pragma once

// Drawing objects and device contexts with the classic names and rules.
// Everything runs on the GUI thread. Every call with a bad handle fails
// cleanly (false, 0, null or CLR_INVALID) instead of crashing.
//
// Pixels live in memory as 32-bit words 0xAARRGGBB, rows top-down (bytes
// B, G, R, A). The top byte is 0 for everything drawn here; only icons and
// alpha blending give it meaning. SRCCOPY copies it along.

#include <cstdint>

#include "platform/gdi/GdiTypes.h"

namespace kora {

// ---- Objects -------------------------------------------------------------

HGDIOBJ GetStockObject(int index);
// Fails for an object that is selected into a device context. Stock objects
// are never deleted (true is returned).
bool DeleteObject(HGDIOBJ object);
int GetObjectType(HGDIOBJ object);           // OBJ_xxx, 0 for a bad handle
int GetObject(HBITMAP bitmap, BITMAP* out);  // bytes written, 0 on failure
int GetObject(HPEN pen, LOGPEN* out);
int GetObject(HBRUSH brush, LOGBRUSH* out);

HPEN CreatePen(int style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
// One shared brush per system colour; deleting it does nothing.
HBRUSH GetSysColorBrush(int index);

// ---- Bitmaps ---------------------------------------------------------------

// A 32-bit bitmap. bitsPerPixel 1, 24 or 32 describes the initial bits (rows
// top-down, each padded to 16 bits; 1-bit pixels are black for 0 and white
// for 1); bits may be null (all black). Null for a size that is not
// positive or above 2^26 pixels.
HBITMAP CreateBitmap(int width, int height, uint32_t planes, uint32_t bitsPerPixel, const void* bits);
// dc is accepted for the classic signature; every bitmap is 32-bit.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// Only 32-bit BI_RGB with a negative height (top-down) is supported; *bits
// receives the pixel memory, valid until the bitmap is deleted.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, uint32_t usage, void** bits);
// Copies rows of the bitmap into bits as 24- or 32-bit DIB rows described by
// info (positive height: bottom-up, scan 0 is the bottom row). With bits
// null, fills in the header (32-bit unless a depth is set, the bitmap's
// size) and returns the height. Returns the number of rows copied, 0 on
// failure.
int GetDIBits(HDC dc, HBITMAP bitmap, uint32_t startScan, uint32_t scanLines, void* bits, BITMAPINFO* info,
              uint32_t usage);
// Draws DIB rows (1/4/8 with the palette after the header, 24 or 32-bit,
// either row order) through the DC's origin and clip. startScan/scanLines
// select whole DIB rows in storage order as in the classic call.
int SetDIBitsToDevice(HDC dc, int xDest, int yDest, uint32_t width, uint32_t height, int xSrc, int ySrc,
                      uint32_t startScan, uint32_t scanLines, const void* bits, const BITMAPINFO* info, uint32_t usage);
int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, const void* bits, const BITMAPINFO* info, uint32_t usage, DWORD rop);

// ---- Device contexts -------------------------------------------------------

// A memory DC with a 1x1 default bitmap; select a bitmap to draw on it.
// dc is accepted for the classic signature.
HDC CreateCompatibleDC(HDC dc);
bool DeleteDC(HDC dc);
// Returns the previously selected object of the same kind, null on failure.
// A bitmap can be selected into one memory DC at a time; regions are not
// selected this way (use SelectClipRgn).
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, int type);

// Saves origin, clip, selected objects, colours and modes; returns the new
// level (1 for the first save), 0 on failure.
int SaveDC(HDC dc);
// level > 0 restores that level, level < 0 goes back that many saves.
bool RestoreDC(HDC dc, int level);

// Restores the DC on scope exit.
class ScopedSaveDC {
public:
  explicit ScopedSaveDC(HDC dc) : FDc(dc), FLevel(SaveDC(dc)) {}
  ~ScopedSaveDC() {
    if (FLevel > 0) RestoreDC(FDc, FLevel);
  }
  ScopedSaveDC(const ScopedSaveDC&) = delete;
  ScopedSaveDC& operator=(const ScopedSaveDC&) = delete;
  int Level() const { return FLevel; }

private:
  HDC FDc;
  int FLevel;
};

// Logical to device: device = logical - window origin + viewport origin.
bool SetViewportOrgEx(HDC dc, int x, int y, POINT* old);
bool GetViewportOrgEx(HDC dc, POINT* out);
bool OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old);
bool SetWindowOrgEx(HDC dc, int x, int y, POINT* old);
bool LPtoDP(HDC dc, POINT* points, int count);
bool DPtoLP(HDC dc, POINT* points, int count);

// The clip region is kept in device units of the DC, unaffected by later
// origin changes. The functions return the region type of the new clip.
int SelectClipRgn(HDC dc, HRGN region);  // null removes the clip
int ExtSelectClipRgn(HDC dc, HRGN region, int mode);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);  // logical
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);    // logical
int OffsetClipRgn(HDC dc, int dx, int dy);
// Bounding box of what can be drawn, in logical units.
int GetClipBox(HDC dc, RECT* out);
bool PtVisible(HDC dc, int x, int y);

COLORREF SetTextColor(HDC dc, COLORREF color);  // returns the old colour
COLORREF GetTextColor(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);  // returns the old mode, 0 on failure
int GetBkMode(HDC dc);
int SetROP2(HDC dc, int mode);  // R2_COPYPEN, R2_XORPEN, R2_NOT, R2_NOP, R2_BLACK, R2_WHITE
int GetROP2(HDC dc);
uint32_t SetTextAlign(HDC dc, uint32_t align);  // stored for the text layer
uint32_t GetTextAlign(HDC dc);
int SetPolyFillMode(HDC dc, int mode);

// ---- Drawing -----------------------------------------------------------------
// Coordinates are logical. A brush argument may also be a system colour
// index + 1 (HBRUSH(COLOR_BTNFACE + 1)), as in the classic calls.

int FillRect(HDC dc, const RECT* r, HBRUSH brush);
int FrameRect(HDC dc, const RECT* r, HBRUSH brush);
bool InvertRect(HDC dc, const RECT* r);
// PATCOPY, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS with the DC's brush.
bool PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
bool MoveToEx(HDC dc, int x, int y, POINT* old);
bool GetCurrentPositionEx(HDC dc, POINT* out);
// Draws from the current position up to, not including, (x, y).
bool LineTo(HDC dc, int x, int y);
bool Polyline(HDC dc, const POINT* points, int count);
bool Polygon(HDC dc, const POINT* points, int count);
// Outlines (left, top)..(right - 1, bottom - 1) with the pen and fills the
// inside with the brush. Without a pen the fill covers (left, top)..
// (right - 2, bottom - 2), as classic code expects.
bool Rectangle(HDC dc, int left, int top, int right, int bottom);
bool Ellipse(HDC dc, int left, int top, int right, int bottom);
bool RoundRect(HDC dc, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);  // CLR_INVALID when clipped
COLORREF GetPixel(HDC dc, int x, int y);                  // CLR_INVALID when clipped
bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, DWORD rop);
// Nearest neighbour. Negative extents mirror: a destination width of -w
// covers x - w .. x - 1 from right to left.
bool StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                DWORD rop);
// Stretched copy that leaves out source pixels of the key colour.
bool TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, COLORREF transparent);
bool AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth, int srcHeight,
                BLENDFUNCTION blend);
// Inverts every other pixel of the rectangle's outline; drawing it twice
// restores the picture.
bool DrawFocusRect(HDC dc, const RECT* r);
bool DrawEdge(HDC dc, RECT* r, uint32_t edge, uint32_t flags);

// ---- Icons -----------------------------------------------------------------

HICON CreateIconIndirect(const ICONINFO* info);
// Fills info with copies of the icon's bitmaps (the caller deletes them).
bool GetIconInfo(HICON icon, ICONINFO* info);
bool DestroyIcon(HICON icon);  // shared system icons are never destroyed
// instance must be null: the standard IDI_ icons at 32 x 32.
HICON LoadIcon(const void* instance, int id);
// A standard icon at any size from 8 to 256 pixels, drawn for that size; the
// caller destroys it.
HICON LoadSystemIcon(int id, int size);
// IMAGE_ICON: a copy at cx x cy (0 keeps the size); system icons are redrawn
// at the new size. IMAGE_BITMAP: a stretched copy of a bitmap.
HandleValue CopyImage(HandleValue image, uint32_t type, int cx, int cy, uint32_t flags);
bool DrawIcon(HDC dc, int x, int y, HICON icon);
// cx/cy 0: the icon's own size (32 x 32 with DI_DEFAULTSIZE). With a
// flicker-free brush the icon is composed on that brush first.
bool DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, uint32_t step, HBRUSH flickerFreeBrush,
                uint32_t flags);

}  // namespace kora

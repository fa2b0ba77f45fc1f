#pragma once
// The skin engine's drawing primitives: composing an element's look from
// pieces of a skin picture, window regions from mask pictures, 24-bit pixel
// access, text helpers, small vector glyphs and a few platform helpers.
//
// Geometry follows the skin records: the skin rectangle R locates the
// element in the picture; the corner points LT, RT, LB, RB and the client
// rectangle C are relative to R's top-left corner. For a target W x H the
// caller passes the moved geometry as well (dW = W - width(R), dH = H -
// height(R)): NewLT = LT, NewRT = RT + (dW, 0), NewLB = LB + (0, dH),
// NewRB = RB + (dW, dH), NewC = C with its right and bottom edges moved.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/graphics/Graphics.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/WinTypes.h"

namespace kora {

class TControl;

// ---- Geometry ------------------------------------------------------------------

inline int WidthOf(const RECT& r) { return r.Right - r.Left; }
inline int HeightOf(const RECT& r) { return r.Bottom - r.Top; }
inline bool IsEmptyRect(const RECT& r) { return WidthOf(r) <= 0 || HeightOf(r) <= 0; }
// Both corners inside outer with its right and bottom edges excluded.
inline bool RectInsideRect(const RECT& inner, const RECT& outer) {
  return outer.Contains(inner.TopLeft()) && outer.Contains(inner.BottomRight());
}

// A skin element's corner points and client rectangle.
struct TbsSkinGeometry {
  POINT LT, RT, LB, RB;
  RECT C;

  // The geometry for a target W x H of an element whose skin rectangle is R.
  TbsSkinGeometry Moved(const RECT& R, int W, int H) const {
    const int dW = W - WidthOf(R), dH = H - HeightOf(R);
    return {LT,
            RT.Offsetted(dW, 0),
            LB.Offsetted(0, dH),
            RB.Offsetted(dW, dH),
            {C.Left, C.Top, C.Right + dW, C.Bottom + dH}};
  }
};

// ---- Piece copying -------------------------------------------------------------

// Copies pieces of a picture onto a target bitmap. Source rectangles are
// relative to an origin in the picture. Pieces that are empty or inverted
// in the picture or on the target draw nothing.
class TbsPiecePainter {
public:
  // The target must already have its final size.
  TbsPiecePainter(TBitmap* target, TBitmap* picture, POINT origin = {});

  // Unscaled when the sizes agree, else scaled to dest (nearest pixel).
  void Copy(const RECT& source, const RECT& dest) const;
  // Repeats source from x = a towards b in rows [top, bottom): the last
  // tile is cut at b, a tile starting at b is empty; b < a draws nothing.
  void TileX(const RECT& source, int a, int b, int top, int bottom) const;
  void TileY(const RECT& source, int a, int b, int left, int right) const;
  // Repeats source from dest's top-left corner, cut at its right and bottom.
  void TileXY(const RECT& source, const RECT& dest) const;
  // Stretches source over [a, b) or tiles it there.
  void FillX(bool stretch, const RECT& source, int a, int b, int top, int bottom) const;
  void FillY(bool stretch, const RECT& source, int a, int b, int left, int right) const;

private:
  // Tiles straight in pixel memory; false when a blit must do it.
  bool FillTiles(const RECT& source, const RECT& dest) const;

  HDC FTarget;
  HDC FPicture;
  POINT FOrigin;
  TBitmap* FTargetBitmap;
  TBitmap* FPictureBitmap;
  // Both contexts draw on their bitmaps' own rows without clip or origin.
  bool FDirect = false;
};

// ---- Composition -----------------------------------------------------------------
// Each sets the target's size first; the caller owns every bitmap. `geo` is
// the element's geometry in the picture, `fit` the same geometry moved for
// the target size (usually geo.Moved(R, size.cx, size.cy)).

// Which parts of a composition are stretched; the others are tiled.
struct TbsStretchFlags {
  bool LeftEdge = false;
  bool TopEdge = false;
  bool RightEdge = false;
  bool BottomEdge = false;
  bool Client = false;
};

// The four band bitmaps of a frame decomposition.
struct TbsBandTargets {
  TBitmap* Left = nullptr;
  TBitmap* Top = nullptr;
  TBitmap* Right = nullptr;
  TBitmap* Bottom = nullptr;
};

// The pinwheel composition: fixed corners keep their size, the four border
// middles and the client are stretched or tiled to the new geometry. An
// empty picture, RB.X = LT.X or RB.Y = LT.Y leave the target sized and
// unpainted.
void ComposeNinePart(const TbsSkinGeometry& geo, const TbsSkinGeometry& fit, TBitmap* target, TBitmap* picture,
                     const RECT& R, SIZE size, bool drawClient, TbsStretchFlags stretch);
// The same with the client always tiled (stretch.Client is not used).
void ComposeNinePartTiled(const TbsSkinGeometry& geo, const TbsSkinGeometry& fit, TBitmap* target, TBitmap* picture,
                          const RECT& R, SIZE size, bool drawClient, TbsStretchFlags stretch);
// Without the right band: the top and bottom middles and the client run to
// the target's right edge (stretch.RightEdge is not used).
void ComposeNinePartOpenRight(const TbsSkinGeometry& geo, const TbsSkinGeometry& fit, TBitmap* target, TBitmap* picture,
                              const RECT& R, SIZE size, bool drawClient, TbsStretchFlags stretch);
// Everything stretched, with the corner points at C's corners, to the
// target's current size.
void ComposeStretchedFrame(TBitmap* target, TBitmap* picture, const RECT& R, const RECT& C, bool DrawClient);

// The frame as four band bitmaps: top W x fit.C.Top, bottom W x (H -
// fit.C.Bottom), left and right between them. A band that cannot be made
// (no size, or no middle in the picture) comes back empty, and the side
// bands then take its height. stretch.Client is not used.
void ComposeBorderBands(const TbsSkinGeometry& geo, const TbsSkinGeometry& fit, const TbsBandTargets& bands,
                        TBitmap* picture, const RECT& R, SIZE size, TbsStretchFlags stretch);
// The four bands of a mask picture whose origin is R's (always tiled): top
// W x C.Top, bottom W x (mask height - C.Bottom), left C.Left and right
// (mask width - C.Right) wide, both height(fit.C) high.
void ComposeMaskBands(const TbsSkinGeometry& geo, const TbsSkinGeometry& fit, TBitmap* mask,
                      const TbsBandTargets& bands, SIZE size);

// Strips of source rectangle s of the picture: fixed ends, the middle
// stretched or tiled. A middle of width 0 counts as one column wide.
void ComposeHorizontalStrip(int leftWidth, int rightWidth, TBitmap* target, bool Stretch, int W, const RECT& s,
                            TBitmap* picture);
// The middle runs to the target's right edge; the right end is not drawn.
void ComposeHorizontalStripOpenRight(int leftWidth, int rightOffset, TBitmap* target, bool Stretch, int W,
                                     const RECT& s, TBitmap* picture);
// Only the middle, over the whole width.
void ComposeHorizontalMiddle(int leftOffset, int rightOffset, TBitmap* target, bool Stretch, int W, const RECT& s,
                             TBitmap* picture);
// The vertical twin of ComposeHorizontalStrip; a middle of height 0 draws nothing.
void ComposeVerticalStrip(int topHeight, int bottomHeight, TBitmap* target, bool Stretch, int H, const RECT& s,
                          TBitmap* picture);
// Frame n (from 1) of count side-by-side frames of the strip, drawn at
// (x, y) with the frame's bottom-left pixel as the transparent colour
// (white for a monochrome strip).
void DrawStripFrame(TCanvas* canvas, int x, int y, int n, int count, TBitmap* strip);

// ---- Regions from masks ------------------------------------------------------------
// Pure black (0, 0, 0) is inside; every other colour is outside.

// The region data block (32-byte header, then one rectangle per horizontal
// run of black pixels in scan order, moved by (dx, dy)). Empty for an empty
// bitmap. There is no limit on the number of runs.
std::vector<uint8_t> MaskRunsToRegionData(TBitmap* bitmap, int dx, int dy);
// Null for an empty mask; the caller deletes the region.
HRGN RegionFromMask(TBitmap* mask);
// The window region of an element of the given size: fit.C plus the black
// pixels of the four mask bands. Null when the target is smaller than the
// mask's fixed parts or fit.C is empty.
HRGN BuildSkinRegion(const TbsSkinGeometry& geo, const TbsSkinGeometry& fit, TBitmap* mask, SIZE size);

// ---- 24-bit pixel access --------------------------------------------------------------

// The bitmap's pixels as 24-bit rows, top-down, blue, green, red, each row
// padded to a multiple of 4 bytes; throws Exception for a bad handle.
std::vector<uint8_t> ReadBitmap24(HBITMAP bitmap, int& width, int& height);

// A 24-bit top-down copy of a bitmap (blue, green, red) with a row table.
// Rows are 3 x width + padding bytes, padding = width mod 4.
class TbsFBitmap {
public:
  // Throws Exception for a bad handle.
  explicit TbsFBitmap(HBITMAP bitmap);
  // The row table points into the pixels, so copies would dangle.
  TbsFBitmap(const TbsFBitmap&) = delete;
  TbsFBitmap& operator=(const TbsFBitmap&) = delete;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  uint32_t Padding() const { return FPadding; }
  int RowBytes() const { return FRowBytes; }
  std::size_t TotalBytes() const { return FBits.size(); }
  uint8_t* Row(int y) const { return FRows[std::size_t(y)]; }

private:
  std::vector<uint8_t> FBits;
  std::vector<uint8_t*> FRows;
  uint32_t FPadding = 0;
  int FRowBytes = 0;
  int FWidth = 0;
  int FHeight = 0;
  BITMAPINFO FInfo;
};

// ---- Text --------------------------------------------------------------------------
// Wide text is UTF-16; it is drawn and measured through the UTF-8 text calls.

// Draws with the platform's DT_ flags and returns the text's height.
int DrawWideText(TCanvas* canvas, const std::u16string& text, RECT& rect, uint32_t format);
int MeasureWideTextWidth(TCanvas* canvas, const std::u16string& text);
int MeasureWideTextHeight(TCanvas* canvas, const std::u16string& text);
// A text wider than width loses characters from its end until it fits
// with "..." appended; the result always ends in "..." then.
void EllipsizeText(TCanvas* canvas, std::string& text, int width);
void EllipsizeWideText(TCanvas* canvas, std::u16string& text, int width);
// Left-aligned, single line, vertically centred in rect.
void DrawSingleLineText(TCanvas* canvas, const std::string& text, const RECT& rect);
// Clipped to rect, 2 pixels (plus offset) from its left, vertically centred.
void DrawItemText(TCanvas* canvas, const std::string& text, const RECT& rect);
void DrawItemText(TCanvas* canvas, const std::string& text, const RECT& rect, int offset);

// ---- Glyphs --------------------------------------------------------------------------
// Drawn with the canvas's pen in the given colour; the brush is left as it was.

void DrawDropDownArrow(TCanvas* canvas, const RECT& r, TColor color);
// direction 1 left, 2 right, 3 up, 4 down; others draw nothing.
void DrawArrow(TCanvas* canvas, const RECT& r, TColor color, int direction);
void DrawRadioDot(TCanvas* canvas, int x, int y, TColor color);
void DrawCheckMark(TCanvas* canvas, int x, int y, TColor color);
void DrawCloseGlyph(TCanvas* canvas, int x, int y, TColor color);
void DrawMaximizeGlyph(TCanvas* canvas, int x, int y, TColor color);
void DrawRestoreGlyph(TCanvas* canvas, int x, int y, TColor color);
void DrawMinimizeGlyph(TCanvas* canvas, int x, int y, TColor color);
void DrawSysMenuGlyph(TCanvas* canvas, int x, int y, TColor color);
void DrawRollUpGlyph(TCanvas* canvas, int x, int y, TColor color);
void DrawRollDownGlyph(TCanvas* canvas, int x, int y, TColor color);
void DrawTrayGlyph(TCanvas* canvas, int x, int y, TColor color);

// ---- Platform helpers ----------------------------------------------------------------

// The version rules behind the two feature checks.
bool IsXpOrLater(int major, int minor);
bool HasLayeredWindows(int major, int minor);
// Popup drop shadows and layered windows: both on for our window system.
bool IsXpOrLater();
bool HasLayeredWindows();
// Opacity 0..255 of a layered top-level window; nothing otherwise.
void ApplyWindowAlpha(HWND window, int alpha);
// The primary work area, or the whole primary screen.
void ScreenWorkArea(bool workArea, RECT& out);
// The same for the monitor nearest to the window when there are several.
void MonitorWorkArea(HWND window, bool workArea, RECT& out);

constexpr DWORD bsStateInvisible = 0x8000;

// What a native scroll bar reports of itself.
struct TbsScrollBarInfo {
  DWORD cbSize = sizeof(TbsScrollBarInfo);
  RECT rcScrollBar;
  int dxyLineButton = 0;
  int xyThumbTop = 0;
  int xyThumbBottom = 0;
  int reserved = 0;
  DWORD rgstate[6] = {};
};
// The window's own scroll bar (bar = OBJID_VSCROLL or OBJID_HSCROLL) as
// the window system reports it; a bar it cannot report (no such window,
// another object id) comes back invisible and the call returns false.
bool QueryScrollBarInfo(HWND window, int bar, TbsScrollBarInfo& info);

// Implemented by skinned containers that draw a skin background of their
// own (tab sheets, page controls), so that transparent children show it.
class IbsSkinBackground {
public:
  virtual ~IbsSkinBackground() = default;
  // Paints the background in the container's client coordinates.
  virtual void PaintSkinBackground(HDC dc) = 0;
};

// Paints what the control's parent shows under the control into the canvas
// (at the canvas's origin, further moved by -offset), so a transparent
// control can draw over it. A parent already painting itself as a
// background is not asked again.
void PaintParentBackground(TControl* control, TCanvas* canvas);
void PaintParentBackground(TControl* control, TCanvas* canvas, const RECT& offset);

}  // namespace kora

#pragma once
// The pieces of the skin review sheet. Each element is composed from the
// loaded skin with the same records, rectangles and primitive calls as the
// element that draws it in the running program, into a bitmap of its own.

#include <string>
#include <vector>

#include "skin/data/bsSkinData.h"
#include "skin/data/bsUtils.h"

namespace kora::skinc {

// ---- Shared helpers -------------------------------------------------------------

// The record named `name` when it exists and has the kind T; null otherwise.
template <typename T>
const T* FindControlRecord(const TbsSkinData& data, const char* name) {
  const int index = data.FindControlRecord(name);
  return index < 0 ? nullptr : dynamic_cast<const T*>(data.ControlRecord(index));
}
template <typename T>
const T* FindObjectRecord(const TbsSkinData& data, const char* name) {
  const int index = data.FindObjectRecord(name);
  return index < 0 ? nullptr : dynamic_cast<const T*>(data.ObjectRecord(index));
}

// Copies the whole bitmap onto the canvas at (x, y).
void Paste(TCanvas* canvas, int x, int y, TBitmap& bitmap);
// Copies only the pixels inside region (in the bitmap's coordinates).
void PasteInRegion(TBitmap& target, int x, int y, TBitmap& bitmap, HRGN region);
// Copies piece of picture to (x, y) of the canvas, unscaled.
void CopyPiece(TCanvas* canvas, int x, int y, TBitmap* picture, const RECT& piece);
// Tiles piece of picture over area of the canvas from area's top-left,
// cut at its right and bottom.
void TilePiece(TCanvas* canvas, const RECT& area, TBitmap* picture, const RECT& piece);
// A horizontal strip of piece, width W, fixed ends as given.
void StripImage(TBitmap& target, TBitmap* picture, const RECT& piece, int leftWidth, int rightWidth, int W,
                bool stretch);

// An inactive form's effect over the whole bitmap.
void ApplyEffect(TBitmap& bitmap, TbsInactiveEffect effect);

void SetFont(TCanvas* canvas, const std::string& name, int height, TFontStyles style, TColor color,
             TFontCharset charset = bsDefaultFontCharset);
// Single-line text through the platform's draw-text, "&" marking the
// accelerator: its size, and drawn transparently at (x, y).
SIZE MeasureText(TCanvas* canvas, const std::string& text);
void DrawTextAt(TCanvas* canvas, int x, int y, const std::string& text);

// ---- Elements ---------------------------------------------------------------------

// The form frame at W x H, as the skinned frame paints it, with the client
// backdrop and only the close and minimize buttons (the main window's
// border icons). HotCommand names the caption button under the mouse
// (-1 none), Down presses it.
struct FrameState {
  bool Active = true;
  int HotCommand = -1;
  bool Down = false;
  std::string Caption;
};
// clientRect receives the client area; returns the window region (the
// caller deletes it), null without a mask.
HRGN ComposeFrame(const TbsSkinData& data, int W, int H, const FrameState& state, TBitmap& window, RECT& clientRect);

// One caption button object in one look: 0 normal, 1 hot, 2 down,
// 3 inactive window; restore picks the restore rectangles.
void ComposeCaptionButton(const TbsSkinData& data, const TbsDataSkinStdButton& record, int look, bool restore,
                          TBitmap& target);

// The main menu bar W wide with its items; itemRects receives the item
// rectangles in bar coordinates. hotItem/downItem index the items (-1 none).
void ComposeMenuBar(const TbsSkinData& data, int W, const std::vector<std::string>& items, int hotItem, int downItem,
                    TBitmap& bar, std::vector<RECT>& itemRects);

// A popup menu window; a caption "-" is a separator, activeItem the
// highlighted item.
struct PopupItem {
  std::string Caption;
  bool Enabled = true;
};
void ComposePopupMenu(const TbsSkinData& data, const std::vector<PopupItem>& items, int activeItem, TBitmap& window);

void ComposeHint(const TbsSkinData& data, const std::string& text, TBitmap& window);

}  // namespace kora::skinc

#pragma once
// Where the menu bar's items go: the items area of the bar's record (or the
// default look's), the items laid out in the item font from left to right,
// those that do not fit hidden behind the overflow marker, and the items
// and the marker painted into the bar's image.

#include "framework/graphics/Graphics.h"

namespace kora {

class TbsSkinMainMenuBar;

class TbsMenuBarLayout {
public:
  explicit TbsMenuBarLayout(TbsSkinMainMenuBar* bar) : FBar(bar) {}
  TbsMenuBarLayout(const TbsMenuBarLayout&) = delete;
  TbsMenuBarLayout& operator=(const TbsMenuBarLayout&) = delete;

  // Bar coordinates of the items area.
  RECT ItemsArea() const;
  // Some item did not fit at the last layout.
  bool Overflow() const { return FOverflow; }
  // The marker at the items area's right end and whether p is on it.
  RECT OverflowMarker() const;
  bool OverflowMarkerAt(POINT p) const;
  // The marker's hot look follows the pointer; true when it changed.
  bool SetMarkerHot(bool hot);
  // The item font: the skin's (UseSkinFont) or DefItemFont.
  void SelectItemFont(TCanvas* canvas) const;
  // Lays the items out for the bar's width and paints them and the marker.
  void Paint(TBitmap* bitmap);

private:
  void LayoutItems(TCanvas* canvas);

  TbsSkinMainMenuBar* FBar;
  bool FOverflow = false;
  bool FMarkerHot = false;
};

}  // namespace kora

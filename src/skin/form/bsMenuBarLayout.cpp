// The menu bar's item layout and its overflow marker.

#include "skin/form/bsMenuBarLayout.h"

#include "skin/data/bsEffects.h"
#include "skin/form/bsSkinMenuBar.h"

namespace kora {

namespace {

// The overflow marker's width at the items area's right end.
constexpr int kMarkerWidth = 5;

}  // namespace

RECT TbsMenuBarLayout::ItemsArea() const {
  if (FBar->FRecord && FBar->SkinData() && FBar->SkinData()->FindActivePicture(FBar->FRecord->PictureIndex)) {
    const RECT& items = FBar->FRecord->ItemsRect;
    return {items.Left, items.Top, FBar->Width() - (WidthOf(FBar->FRecord->SkinRect) - items.Right), items.Bottom};
  }
  return {2, 2, FBar->Width() - 2, FBar->Height() - 2};
}

RECT TbsMenuBarLayout::OverflowMarker() const {
  const RECT area = ItemsArea();
  return {area.Right - kMarkerWidth, area.Top, area.Right, area.Bottom};
}

void TbsMenuBarLayout::SelectItemFont(TCanvas* canvas) const {
  TFont* font = canvas->Font();
  const auto* record = FBar->FItems.empty() ? nullptr : FBar->FItems.front()->Record;
  if (FBar->FUseSkinFont && record) {
    font->SetName(record->FontName);
    font->SetHeight(record->FontHeight);
    font->SetStyle(record->FontStyle);
  } else {
    font->SetName(FBar->FDefItemFont->Name());
    font->SetHeight(FBar->FDefItemFont->Height());
    font->SetStyle(FBar->FDefItemFont->Style());
  }
  font->SetCharset(SkinTextCharset(FBar->SkinData(), FBar->FDefItemFont.get()));
}

void TbsMenuBarLayout::LayoutItems(TCanvas* canvas) {
  SelectItemFont(canvas);
  const RECT area = ItemsArea();
  const int limit = area.Right - (FBar->FScrollMenu ? kMarkerWidth : 0);
  FOverflow = false;
  int x = area.Left;
  for (auto& item : FBar->FItems) {
    const int w = item->MeasureWidth(canvas);
    const int h = item->Record && item->Picture ? HeightOf(item->Record->SkinRect) : HeightOf(area);
    item->ObjectRect = RECT::FromSize(x, area.Top, w, h);
    x += w;
    const bool fits = item->ObjectRect.Right <= limit;
    if (!fits) FOverflow = true;
    if (fits && !item->Shown) item->Enabled = item->SavedEnabled;
    if (!fits && item->Shown) item->SavedEnabled = item->Enabled, item->Enabled = false;
    item->Shown = fits;
    if (fits) item->Enabled = item->MenuItem->Enabled();
  }
}

void TbsMenuBarLayout::Paint(TBitmap* bitmap) {
  TCanvas* c = bitmap->Canvas();
  LayoutItems(c);
  for (auto& item : FBar->FItems) item->Draw(c);
  if (FOverflow && FBar->FScrollMenu) {
    const bool skinned = FBar->FRecord != nullptr;
    const TColor color = skinned ? (FMarkerHot ? FBar->FRecord->TrackMarkActiveColor : FBar->FRecord->TrackMarkColor)
                                 : (FMarkerHot ? clBtnText : clBtnShadow);
    DrawArrow(c, OverflowMarker(), color, 2);
  }
}

bool TbsMenuBarLayout::OverflowMarkerAt(POINT p) const {
  const RECT marker = OverflowMarker();
  return FOverflow && FBar->FScrollMenu && PtInRect(&marker, p);
}

bool TbsMenuBarLayout::SetMarkerHot(bool hot) {
  if (hot == FMarkerHot) return false;
  FMarkerHot = hot;
  return true;
}

}  // namespace kora

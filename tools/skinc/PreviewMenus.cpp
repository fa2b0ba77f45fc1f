// The main menu bar, a popup menu window and the hint window, composed as
// the menu bar, the popup-menu engine and the hint window compose them.
#include <algorithm>

#include "skinc/PreviewParts.h"

namespace kora::skinc {

namespace {

constexpr int kGlyphColumn = 19;  // no images in the program's menus
constexpr int kSubmenuMargin = 16;

void ItemFont(TCanvas* canvas, const TbsDataSkinMenuItem& item, TColor color) {
  SetFont(canvas, item.FontName, item.FontHeight, item.FontStyle, color, item.FontCharset);
}

}  // namespace

void ComposeMenuBar(const TbsSkinData& data, int W, const std::vector<std::string>& items, int hotItem, int downItem,
                    TBitmap& bar, std::vector<RECT>& itemRects) {
  itemRects.clear();
  const auto* record = FindControlRecord<TbsDataSkinMainMenuBar>(data, "mainmenubar");
  if (!record) return;
  TBitmap* picture = data.FindActivePicture(record->PictureIndex);
  const RECT& skin = record->SkinRect;
  const RECT& itemsRect = record->ItemsRect;
  StripImage(bar, picture, skin, itemsRect.Left, WidthOf(skin) - itemsRect.Right, W, false);
  const int area = itemsRect.Left, areaRight = W - (WidthOf(skin) - itemsRect.Right);

  const auto* item = FindObjectRecord<TbsDataSkinMainMenuItem>(data, record->MenuBarItem.c_str());
  if (!item) return;
  TBitmap* itemPicture = data.FindActivePicture(item->ActivePictureIndex);
  TCanvas* canvas = bar.Canvas();
  SetFont(canvas, item->FontName, item->FontHeight, item->FontStyle, item->FontColor, item->FontCharset);
  int x = area;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const int t = MeasureText(canvas, items[i]).cx;
    const int w = t + item->TextRect.Left + (WidthOf(item->SkinRect) - item->TextRect.Right) + 2;
    const RECT r{x, itemsRect.Top, x + w, itemsRect.Top + HeightOf(item->SkinRect)};
    if (r.Right > areaRight) break;
    itemRects.push_back(r);
    x = r.Right;

    const bool down = int(i) == downItem, hot = int(i) == hotItem;
    RECT state = item->SkinRect;
    if (down)
      state = !IsEmptyRect(item->DownRect) ? item->DownRect : item->ActiveSkinRect;
    else if (hot && !IsEmptyRect(item->ActiveSkinRect))
      state = item->ActiveSkinRect;
    TBitmap image;
    StripImage(image, itemPicture, state, item->ItemLeftOffset, item->ItemRightOffset, w,
               (down || hot) && item->StretchEffect);
    TCanvas* c = image.Canvas();
    SetFont(c, item->FontName, item->FontHeight, item->FontStyle,
            down  ? item->DownFontColor
            : hot ? item->ActiveFontColor
                  : item->FontColor,
            item->FontCharset);
    DrawTextAt(c, item->TextRect.Left, item->TextRect.Top, items[i]);
    Paste(canvas, r.Left, r.Top, image);
  }
}

void ComposePopupMenu(const TbsSkinData& data, const std::vector<PopupItem>& items, int activeItem, TBitmap& window) {
  const TbsDataSkinPopupWindow& popup = data.PopupWindow();
  TBitmap* picture = data.FindActivePicture(popup.WindowPictureIndex);
  const TbsDataSkinMenuItem* item = nullptr;
  for (int i = 0; i < data.ObjectRecordCount() && !item; ++i)
    item = dynamic_cast<const TbsDataSkinMenuItem*>(data.ObjectRecord(i));
  if (!picture || !item) return;
  TBitmap* itemPicture = data.FindActivePicture(item->ActivePictureIndex);
  const int picW = picture->Width(), picH = picture->Height();

  // Size: the widest text plus the glyph column and the submenu margin,
  // plus the item's and the window's borders.
  TBitmap measure;
  measure.SetSize(1, 1);
  ItemFont(measure.Canvas(), *item, item->FontColor);
  int widest = 0, height = 0;
  for (const PopupItem& p : items) {
    const bool separator = p.Caption == "-";
    height += separator ? HeightOf(item->DividerRect) : HeightOf(item->SkinRect);
    if (!separator) widest = std::max(widest, MeasureText(measure.Canvas(), p.Caption).cx + 2);
  }
  const int w = widest + kGlyphColumn + 19;
  const RECT& itemsRect = popup.ItemsRect;
  const int W = w + item->TextRect.Left + (WidthOf(item->SkinRect) - item->TextRect.Right) + picW - WidthOf(itemsRect);
  const int H = height + picH - HeightOf(itemsRect);

  const TbsSkinGeometry geo{popup.LeftTopPoint, popup.RightTopPoint, popup.LeftBottomPoint, popup.RightBottomPoint,
                            itemsRect};
  const TbsSkinGeometry g = geo.Moved({0, 0, picW, picH}, W, H);
  ComposeNinePartTiled(geo, g, &window, picture, {0, 0, picW, picH}, {W, H}, false,
                       {popup.LeftStretch, popup.TopStretch, popup.RightStretch, popup.BottomStretch});

  int y = g.C.Top;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const PopupItem& p = items[i];
    const int itemW = WidthOf(g.C);
    TBitmap image;
    if (p.Caption == "-") {
      StripImage(image, itemPicture, item->DividerRect, item->DividerLeftOffset, item->DividerRightOffset, itemW,
                 item->DividerStretchEffect);
      Paste(window.Canvas(), g.C.Left, y, image);
      y += HeightOf(item->DividerRect);
      continue;
    }
    const bool active = int(i) == activeItem && p.Enabled;
    StripImage(image, itemPicture, active ? item->ActiveSkinRect : item->SkinRect, item->ItemLeftOffset,
               item->ItemRightOffset, itemW, active ? item->StretchEffect : item->InActiveStretchEffect);
    RECT t = item->TextRect;
    t.Right = itemW - (WidthOf(item->SkinRect) - item->TextRect.Right);
    TCanvas* c = image.Canvas();
    ItemFont(c, *item, active ? item->ActiveFontColor : p.Enabled ? item->FontColor : item->UnEnabledFontColor);
    const int g0 = IsEmptyRect(item->ImageRect) ? kSubmenuMargin : 0;
    const SIZE size = MeasureText(c, p.Caption);
    DrawTextAt(c, t.Left + g0, t.Top + HeightOf(t) / 2 - size.cy / 2, p.Caption);
    Paste(window.Canvas(), g.C.Left, y, image);
    y += HeightOf(item->SkinRect);
  }
}

void ComposeHint(const TbsSkinData& data, const std::string& text, TBitmap& window) {
  const TbsDataSkinHintWindow& hint = data.HintWindow();
  TBitmap* picture = data.FindActivePicture(hint.WindowPictureIndex);
  if (!picture) return;
  const int picW = picture->Width(), picH = picture->Height();
  TBitmap measure;
  measure.SetSize(1, 1);
  SetFont(measure.Canvas(), hint.FontName, hint.FontHeight, hint.FontStyle, hint.FontColor, hint.FontCharset);
  const SIZE size = MeasureText(measure.Canvas(), text);
  const RECT& c = hint.ClientRect;
  const int W = std::max(size.cx + c.Left + picW - c.Right, picW);
  const int H = std::max(size.cy + c.Top + picH - c.Bottom, picH);
  const TbsSkinGeometry geo{hint.LeftTopPoint, hint.RightTopPoint, hint.LeftBottomPoint, hint.RightBottomPoint, c};
  const TbsSkinGeometry g = geo.Moved({0, 0, picW, picH}, W, H);
  ComposeNinePartTiled(geo, g, &window, picture, {0, 0, picW, picH}, {W, H}, true,
                       {hint.LeftStretch, hint.TopStretch, hint.RightStretch, hint.BottomStretch});
  TCanvas* canvas = window.Canvas();
  SetFont(canvas, hint.FontName, hint.FontHeight, hint.FontStyle, hint.FontColor, hint.FontCharset);
  DrawTextAt(canvas, g.C.Left + WidthOf(g.C) / 2 - size.cx / 2, g.C.Top + HeightOf(g.C) / 2 - size.cy / 2, text);
}

}  // namespace kora::skinc

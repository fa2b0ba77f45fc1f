// The plain menu look: item sizes, check marks, radio dots, pictures,
// short-cut texts, submenu arrows and etched separators.

#include <algorithm>

#include "framework/graphics/ImgList.h"
#include "framework/menus/Menus_PlainLook.h"
#include "platform/text/Text.h"
#include "platform/window/WindowSystem.h"

namespace kora {

namespace {

constexpr int kSeparatorHeight = 9;
constexpr int kMinItemHeight = 19;
constexpr int kArrowWidth = 20;
constexpr int kShortCutGap = 16;
constexpr int kCaptionGap = 4;  // between the glyph column and the caption

bool HasPicture(const TMenuItem* item) {
  if (item->HasBitmap()) return true;
  const TCustomImageList* images = item->GetImageList();
  return images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count();
}

SIZE PictureSize(const TMenuItem* item) {
  if (item->HasBitmap()) return {item->Bitmap()->Width(), item->Bitmap()->Height()};
  const TCustomImageList* images = item->GetImageList();
  return {images->Width(), images->Height()};
}

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

// Three strokes of a tick in a 8 x 8 box at (x, y).
void DrawCheck(TCanvas& canvas, int x, int y) {
  for (int i = 0; i < 3; ++i) {
    Line(canvas, x, y + 3 + i, x + 2, y + 5 + i);
    Line(canvas, x + 2, y + 5 + i, x + 7, y + i);
  }
}

// A right-pointing triangle, four strokes wide, at (x, y).
void DrawArrow(TCanvas& canvas, int x, int y) {
  for (int i = 0; i < 4; ++i) Line(canvas, x + i, y + i, x + i, y + 8 - i);
}

void DrawItem(TCanvas& canvas, const TPlainMenuLayout& layout, int index, bool hot) {
  const TMenuItem* item = layout.Items[size_t(index)];
  const RECT r = layout.Rects[size_t(index)];
  canvas.Brush()->SetColor(hot ? clHighlight : clMenu);
  canvas.FillRect(r);
  if (item->IsLine()) {
    const int y = (r.Top + r.Bottom) / 2 - 1;
    RECT line{r.Left + 1, y, r.Right - 1, y + 2};
    DrawEdge(canvas.Handle(), &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  const TColor ink = !item->Enabled() ? clGrayText : hot ? clHighlightText : clMenuText;
  canvas.Pen()->SetColor(ink);
  canvas.Brush()->SetColor(ink);
  const int middle = (r.Top + r.Bottom) / 2;
  if (HasPicture(item)) {
    const SIZE size = PictureSize(item);
    const int x = r.Left + (layout.GlyphWidth - size.cx) / 2;
    const int y = middle - size.cy / 2;
    if (item->Checked()) {
      RECT frame{x - 2, y - 2, x + size.cx + 2, y + size.cy + 2};
      DrawEdge(canvas.Handle(), &frame, BDR_SUNKENOUTER, BF_RECT);
    }
    if (item->HasBitmap()) {
      canvas.Draw(x, y, item->Bitmap());
    } else {
      item->GetImageList()->Draw(&canvas, x, y, item->ImageIndex(), item->Enabled());
    }
  } else if (item->Checked()) {
    const int x = r.Left + (layout.GlyphWidth - 8) / 2;
    if (item->RadioItem()) {
      canvas.Ellipse(x + 1, middle - 3, x + 7, middle + 3);
    } else {
      DrawCheck(canvas, x, middle - 4);
    }
  }
  if (item->Count() > 0) DrawArrow(canvas, r.Right - 12, middle - 4);

  SelectMenuFont(canvas, item);
  const RECT text{r.Left + layout.GlyphWidth + kCaptionGap, r.Top, r.Right - kArrowWidth, r.Bottom};
  DrawMenuText(canvas, item->Caption(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE, item->Enabled(), hot);
  if (item->ShortCut() != scNone) {
    canvas.Font()->SetStyle({});
    DrawMenuText(canvas, item->ShortCutText(), text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX,
                 item->Enabled(), hot);
  }
}

}  // namespace

bool IsSelectableItem(const TMenuItem* item) { return item->Visible() && item->Enabled() && !item->IsLine(); }

void SelectMenuFont(TCanvas& canvas, const TMenuItem* item) {
  canvas.Font()->SetStyle(item && item->Default() ? TFontStyles{fsBold} : TFontStyles{});
}

void DrawMenuText(TCanvas& canvas, std::string_view text, RECT r, UINT format, bool enabled, bool hot) {
  HDC dc = canvas.Handle();
  SetBkMode(dc, TRANSPARENT);
  if (!enabled && !hot) {
    // Etched: a light copy one pixel down and right under the grey text.
    RECT light = r;
    OffsetRect(&light, 1, 1);
    SetTextColor(dc, ColorToColorRef(clBtnHighlight));
    DrawText(dc, text, &light, format);
  }
  SetTextColor(dc, ColorToColorRef(!enabled ? clGrayText : hot ? clHighlightText : clMenuText));
  DrawText(dc, text, &r, format);
}

TPlainMenuLayout LayoutPlainMenu(const TMenuItem* parent) {
  TPlainMenuLayout layout;
  TCanvas canvas;
  HDC dc = GetDC(HWND{});
  canvas.SetHandle(dc);
  int glyph = 16;
  int captionWidth = 0;
  int shortCutWidth = 0;
  std::vector<int> heights;
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (!item->Visible()) continue;
    layout.Items.push_back(item);
    if (item->IsLine()) {
      heights.push_back(kSeparatorHeight);
      continue;
    }
    SelectMenuFont(canvas, item);
    RECT text{0, 0, 0, 0};
    DrawText(canvas.Handle(), item->Caption(), &text, DT_CALCRECT | DT_SINGLELINE);
    captionWidth = std::max<int>(captionWidth, text.Right);
    int height = std::max<int>(kMinItemHeight, text.Bottom + 6);
    if (HasPicture(item)) {
      const SIZE size = PictureSize(item);
      glyph = std::max<int>(glyph, size.cx + 4);
      height = std::max<int>(height, size.cy + 6);
    }
    if (item->ShortCut() != scNone) {
      canvas.Font()->SetStyle({});
      shortCutWidth = std::max<int>(shortCutWidth, canvas.TextWidth(item->ShortCutText()));
    }
    heights.push_back(height);
  }
  canvas.SetHandle(HDC{});
  ReleaseDC(HWND{}, dc);
  layout.GlyphWidth = glyph + 4;
  layout.ShortCutWidth = shortCutWidth;
  const int inner =
      layout.GlyphWidth + kCaptionGap + captionWidth + (shortCutWidth ? kShortCutGap + shortCutWidth : 0) + kArrowWidth;
  int y = kPlainMenuFrame;
  for (const int height : heights) {
    layout.Rects.push_back({kPlainMenuFrame, y, kPlainMenuFrame + inner, y + height});
    y += height;
  }
  layout.Size = {inner + 2 * kPlainMenuFrame, y + kPlainMenuFrame};
  return layout;
}

void PaintPlainMenu(TCanvas& canvas, const TPlainMenuLayout& layout, int hot) {
  RECT all{0, 0, layout.Size.cx, layout.Size.cy};
  canvas.Brush()->SetColor(clMenu);
  canvas.FillRect(all);
  DrawEdge(canvas.Handle(), &all, EDGE_RAISED, BF_RECT);
  for (int i = 0; i < int(layout.Items.size()); ++i) DrawItem(canvas, layout, i, i == hot);
}

}  // namespace kora

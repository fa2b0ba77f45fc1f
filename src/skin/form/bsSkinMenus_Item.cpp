// Skinned popup menu items: the item image from the menu-item record (or
// the default look), morphing and frame animation, captions, short-cuts,
// submenu arrows, pictures, check marks, radio dots and the glyphs of the
// frame's own commands.

#include <algorithm>
#include <cstring>

#include "framework/graphics/ImgList.h"
#include "framework/menus/Menus_PlainLook.h"
#include "platform/text/Text.h"
#include "platform/window/WindowSystem.h"
#include "skin/data/bsEffects.h"
#include "skin/form/bsSkinMenus.h"

namespace kora {

namespace {

constexpr double kMorphStep = 0.2;
constexpr TColor kDefaultActiveFrame = 8388608;  // navy
constexpr TColor kDefaultActiveFill = 13811126;

void Line(TCanvas* canvas, int x0, int y0, int x1, int y1) {
  canvas->MoveTo(x0, y0);
  canvas->LineTo(x1, y1);
}

bool HasPicture(const TMenuItem* item, const TCustomImageList* images) {
  if (item->HasBitmap()) return true;
  return images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count();
}

SIZE PictureSize(const TMenuItem* item, const TCustomImageList* images) {
  if (item->HasBitmap()) return {item->Bitmap()->Width(), item->Bitmap()->Height()};
  return {images->Width(), images->Height()};
}

// The frame's own commands carry their glyph in their name.
using TGlyph = void (*)(TCanvas*, int, int, TColor);
TGlyph StandardGlyph(const std::string& name) {
  if (name == "BSF_CLOSE" || name == "TRAY_BSF_CLOSE") return &DrawCloseGlyph;
  if (name == "BSF_MINITEM") return &DrawMinimizeGlyph;
  if (name == "BSF_MAXITEM") return &DrawMaximizeGlyph;
  if (name == "BSF_RESTORE" || name == "TRAY_BSF_RESTORE") return &DrawRestoreGlyph;
  if (name == "BSF_ROLLUP") return &DrawRollUpGlyph;
  if (name == "BSF_MINTOTRAY") return &DrawTrayGlyph;
  return nullptr;
}

void MenuText(TCanvas* canvas, const std::string& text, RECT r, UINT format, TColor color) {
  HDC dc = canvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToColorRef(color));
  DrawText(dc, text, &r, format | DT_SINGLELINE | DT_VCENTER);
}

}  // namespace

void DrawMenuCheck(TCanvas* canvas, int x, int y, TColor color) { DrawCheckMark(canvas, x, y, color); }

void DrawMenuSubArrow(TCanvas* canvas, int x, int y, TColor color) {
  canvas->Pen()->SetColor(color);
  for (int i = 0; i <= 3; ++i) Line(canvas, x + i, y + i, x + i, y + 7 - i);
}

void DrawMenuRadio(TCanvas* canvas, int x, int y, TColor color) {
  const TColor brush = canvas->Brush()->Color();
  const TBrushStyle style = canvas->Brush()->Style();
  canvas->Pen()->SetColor(color);
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(color);
  canvas->Ellipse(x, y, x + 6, y + 6);
  canvas->Brush()->SetStyle(style);
  canvas->Brush()->SetColor(brush);
}

TbsSkinMenuItem::TbsSkinMenuItem(TbsSkinPopupWindow* parent, TMenuItem* item, int index)
    : Parent(parent), MenuItem(item), Index(index) {
  if (const TbsDataSkinMenuItem* data = parent->ItemData) {
    ActivePicture = parent->Skin->FindActivePicture(data->ActivePictureIndex);
    if (ActivePicture) {
      SkinRect = data->SkinRect;
      ActiveSkinRect = data->ActiveSkinRect;
    }
  }
}

int TbsSkinMenuItem::Height() const { return HeightOf(ItemRect); }

bool TbsSkinMenuItem::CanMorph() const {
  const TbsDataSkinMenuItem* data = Parent->ItemData;
  return data && data->Morphing && Parent->Skin->EnableSkinEffects && ActivePicture && !IsEmptyRect(ActiveSkinRect) &&
         !IsSeparator();
}

bool TbsSkinMenuItem::MorphStep() {
  if (!CanMorph()) return false;
  const double target = Active || SubMenuOpen ? 1 : 0;
  if (MorphKf == target) return false;
  MorphKf = target > MorphKf ? std::min(1.0, MorphKf + kMorphStep) : std::max(0.0, MorphKf - kMorphStep);
  return true;
}

bool TbsSkinMenuItem::AnimationStep() {
  const TbsDataSkinMenuItem* data = Parent->ItemData;
  if (!data || data->FrameCount <= 0) return false;
  if (AnimateForward) {
    if (AnimateFrame >= data->FrameCount) return false;
    ++AnimateFrame;
  } else {
    if (AnimateFrame <= 0) return false;
    --AnimateFrame;
  }
  return true;
}

void TbsSkinMenuItem::Draw(TCanvas* canvas) {
  if (IsEmptyRect(ItemRect)) return;
  if (Parent->Skinned()) {
    DrawSkinned(canvas);
  } else {
    DrawDefault(canvas);
  }
}

void TbsSkinMenuItem::StateImage(TBitmap& image, int width) const {
  const TbsDataSkinMenuItem& data = *Parent->ItemData;
  const bool active = Active || SubMenuOpen;
  RECT source = active && !IsEmptyRect(ActiveSkinRect) ? ActiveSkinRect : SkinRect;
  if (AnimateFrame > 0 && data.FrameCount > 0 && !IsEmptyRect(data.AnimateSkinRect) && ActivePicture) {
    const int w = WidthOf(SkinRect);
    const int h = HeightOf(SkinRect);
    const RECT& strip = data.AnimateSkinRect;
    const int n = AnimateFrame - 1;
    source = HeightOf(strip) > h ? RECT::FromSize(strip.Left, strip.Top + n * h, w, h)
                                 : RECT::FromSize(strip.Left + n * w, strip.Top, w, h);
  }
  ComposeHorizontalStrip(data.ItemLeftOffset, data.ItemRightOffset, &image,
                         active ? data.StretchEffect : data.InActiveStretchEffect, width, source, ActivePicture);
}

void TbsSkinMenuItem::DrawSkinned(TCanvas* canvas) {
  const TbsDataSkinMenuItem& data = *Parent->ItemData;
  const int w = WidthOf(ItemRect);
  TBitmap image;
  if (IsSeparator()) {
    ComposeHorizontalStrip(data.DividerLeftOffset, data.DividerRightOffset, &image, data.DividerStretchEffect, w,
                           data.DividerRect, ActivePicture);
    BitBlt(canvas->Handle(), ItemRect.Left, ItemRect.Top, w, Height(), image.Canvas()->Handle(), 0, 0, SRCCOPY);
    return;
  }
  const bool active = Active || SubMenuOpen;
  if (CanMorph() && MorphKf > 0 && MorphKf < 1) {
    TBitmap normal, lit;
    ComposeHorizontalStrip(data.ItemLeftOffset, data.ItemRightOffset, &normal, data.InActiveStretchEffect, w, SkinRect,
                           ActivePicture);
    ComposeHorizontalStrip(data.ItemLeftOffset, data.ItemRightOffset, &lit, data.StretchEffect, w, ActiveSkinRect,
                           ActivePicture);
    TbsEffectBmp from(normal.Handle());
    const TbsEffectBmp to(lit.Handle());
    from.Morph(int(data.MorphKind), to, MorphKf);
    image.SetSize(w, normal.Height());
    from.DrawToDevice(image.Canvas()->Handle(), 0, 0);
  } else {
    StateImage(image, w);
  }
  if (image.Empty()) image.SetSize(w, Height());
  RECT text = data.TextRect;
  text.Right = w - (WidthOf(data.SkinRect) - data.TextRect.Right);
  const TColor color = active ? data.ActiveFontColor : MenuItem->Enabled() ? data.FontColor : data.UnEnabledFontColor;
  const int gap = !IsEmptyRect(data.ImageRect) ? 0 : Parent->ImageList ? Parent->GlyphWidth : 16;
  DrawContent(image.Canvas(), text, text.Left + 2, gap, 16, color);
  BitBlt(canvas->Handle(), ItemRect.Left, ItemRect.Top, w, Height(), image.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TbsSkinMenuItem::DrawDefault(TCanvas* canvas) {
  const int w = WidthOf(ItemRect);
  const int h = Height();
  const int column = Parent->ImageList ? Parent->GlyphWidth : 19;
  TBitmap image;
  image.SetSize(w, h);
  TCanvas* c = image.Canvas();
  c->Brush()->SetStyle(bsSolid);
  const bool active = (Active || SubMenuOpen) && !IsSeparator();
  if (active) {
    c->Brush()->SetColor(kDefaultActiveFrame);
    c->FrameRect({0, 0, w, h});
    c->Brush()->SetColor(kDefaultActiveFill);
    c->FillRect({1, 1, w - 1, h - 1});
  } else {
    c->Brush()->SetColor(clBtnFace);
    c->FillRect({0, 0, column, h});
    c->Brush()->SetColor(clWindow);
    c->FillRect({column, 0, w, h});
  }
  if (IsSeparator()) {
    c->Pen()->SetColor(clBtnShadow);
    Line(c, column, h / 2, w, h / 2);
  } else {
    const TColor color = active || MenuItem->Enabled() ? TColor(clWindowText) : TColor(clBtnShadow);
    DrawContent(c, {2, 2, w - 2, h - 2}, 4, column, 19, color);
  }
  BitBlt(canvas->Handle(), ItemRect.Left, ItemRect.Top, w, h, c->Handle(), 0, 0, SRCCOPY);
}

void TbsSkinMenuItem::DrawContent(TCanvas* canvas, const RECT& t, int glyphLeft, int captionGap, int rightGap,
                                  TColor color) {
  const TbsDataSkinMenuItem* data = Parent->ItemData;
  const int middle = (t.Top + t.Bottom) / 2;
  Parent->SelectItemFont(canvas);
  MenuText(canvas, MenuItem->Caption(), {t.Left + captionGap, t.Top, t.Right - rightGap, t.Bottom}, DT_LEFT, color);
  if (MenuItem->ShortCut() != scNone)
    MenuText(canvas, MenuItem->ShortCutText(), {t.Left, t.Top, t.Right - rightGap, t.Bottom}, DT_RIGHT | DT_NOPREFIX,
             color);
  if (MenuItem->Count() > 0) DrawMenuSubArrow(canvas, t.Right - 7, middle - 4, color);

  const TCustomImageList* images = Parent->ImageList;
  if (HasPicture(MenuItem, images)) {
    const SIZE size = PictureSize(MenuItem, images);
    int x = glyphLeft;
    int y = middle - size.cy / 2;
    if (data && !IsEmptyRect(data->ImageRect)) {
      x = data->ImageRect.Left + (WidthOf(data->ImageRect) - size.cx) / 2;
      y = data->ImageRect.Top + (HeightOf(data->ImageRect) - size.cy) / 2;
    }
    if (MenuItem->HasBitmap()) {
      canvas->Draw(x, y, MenuItem->Bitmap());
    } else {
      images->Draw(canvas, x, y, MenuItem->ImageIndex(), MenuItem->Enabled());
    }
    if (MenuItem->Checked()) {
      canvas->Brush()->SetStyle(bsSolid);
      canvas->Brush()->SetColor(color);
      canvas->FrameRect({x - 1, y - 1, x + size.cx + 1, y + size.cy + 1});
    }
    return;
  }
  TColor glyphColor = color;
  if (data && data->UseImageColor) glyphColor = Active || SubMenuOpen ? data->ActiveImageColor : data->ImageColor;
  if (const TGlyph glyph = StandardGlyph(MenuItem->Name())) {
    glyph(canvas, glyphLeft, middle - 5, glyphColor);
  } else if (MenuItem->Checked() && MenuItem->RadioItem()) {
    DrawMenuRadio(canvas, glyphLeft + 1, middle - 3, glyphColor);
  } else if (MenuItem->Checked()) {
    DrawMenuCheck(canvas, glyphLeft, middle - 4, glyphColor);
  }
}

}  // namespace kora

// The skinned popup window: its size for the items and the screen, its
// place next to the anchor, its picture, scroll markers, region, opacity
// and fade-in, and the timers that morph and animate its items.

#include <algorithm>

#include "framework/graphics/ImgList.h"
#include "platform/text/Text.h"
#include "platform/window/WindowSystem.h"
#include "skin/controls/bsSkinCtrls_Control.h"
#include "skin/form/bsSkinMenus.h"

namespace kora {

namespace {

// Timers of the window's own; the tracker's ids are below these.
constexpr UINT_PTR kMorphTimer = 16;
constexpr UINT_PTR kAnimateTimer = 17;
constexpr UINT_PTR kFadeTimer = 18;
constexpr int kFadeInterval = 5;
constexpr int kFadeStep = 10;
constexpr int kMarkerHeight = 10;

const TbsDataSkinMenuItem* FirstMenuItemRecord(const TbsSkinData* skin) {
  for (int i = 0; i < skin->ObjectRecordCount(); ++i)
    if (auto* record = dynamic_cast<const TbsDataSkinMenuItem*>(skin->ObjectRecord(i))) return record;
  return nullptr;
}

TbsSkinGeometry PopupGeometry(const TbsDataSkinPopupWindow& popup) {
  return {popup.LeftTopPoint, popup.RightTopPoint, popup.LeftBottomPoint, popup.RightBottomPoint, popup.ItemsRect};
}

// The caption, and the short-cut after two blanks, as measured for the width.
std::string MeasuredText(const TMenuItem* item) {
  if (item->ShortCut() == scNone) return item->Caption();
  return item->Caption() + "  " + item->ShortCutText();
}

}  // namespace

TbsSkinPopupWindow::TbsSkinPopupWindow(TbsSkinMenu& engine, TMenuTracker& tracker, TMenuItem* parent, int level,
                                       int first)
    : TMenuPopup(tracker, parent, level), Engine(engine), FFirst(first) {}

TbsSkinPopupWindow::~TbsSkinPopupWindow() {
  if (IsWindow(Window)) {
    KillTimer(Window, kMorphTimer);
    KillTimer(Window, kAnimateTimer);
    KillTimer(Window, kFadeTimer);
  }
}

UINT TbsSkinPopupWindow::ClassStyle() const { return CS_SAVEBITS | (IsXpOrLater() ? CS_DROPSHADOW : 0); }

void TbsSkinPopupWindow::SelectItemFont(TCanvas* canvas) const {
  TFont* font = canvas->Font();
  const TFont* fallback = Engine.DefaultMenuItemFont();
  if (WindowPicture && ItemData && Engine.UseSkinFont) {
    font->SetName(ItemData->FontName);
    font->SetHeight(ItemData->FontHeight);
    font->SetStyle(ItemData->FontStyle);
  } else {
    font->SetName(fallback->Name());
    font->SetHeight(fallback->Height());
    font->SetStyle(fallback->Style());
  }
  font->SetCharset(SkinTextCharset(Skin, fallback));
}

int TbsSkinPopupWindow::ItemHeight(const TMenuItem* item) const {
  if (ItemData) return item->IsLine() ? HeightOf(ItemData->DividerRect) : HeightOf(ItemData->SkinRect);
  return item->IsLine() ? 4 : Engine.DefaultMenuItemHeight();
}

void TbsSkinPopupWindow::Measure() {
  // The skin is used when it has both the window picture and an item record.
  Skin = Engine.Skin();
  if (Skin) {
    ItemData = FirstMenuItemRecord(Skin);
    WindowPicture = Skin->FindActivePicture(Skin->PopupWindow().WindowPictureIndex);
    MaskPicture = Skin->FindActivePicture(Skin->PopupWindow().MaskPictureIndex);
    if (!ItemData || !WindowPicture) {
      ItemData = nullptr;
      WindowPicture = MaskPicture = nullptr;
    }
  }
  TMenu* menu = Parent->GetParentMenu();
  ImageList = menu ? menu->Images() : nullptr;
  GlyphWidth = ImageList ? ImageList->Width() + 5 : 19;
  for (int i = std::max(FFirst, 0); i < Parent->Count(); ++i) {
    TMenuItem* item = Parent->Items(i);
    if (!item->Visible()) continue;
    Items.push_back(item);
    ItemList.push_back(std::make_unique<TbsSkinMenuItem>(this, item, Count() - 1));
  }

  TBitmap measure;
  measure.SetSize(1, 1);
  SelectItemFont(measure.Canvas());
  int widest = 0;
  int sum = 0;
  for (const TMenuItem* item : Items) {
    sum += ItemHeight(item);
    if (item->IsLine()) continue;
    RECT r{0, 0, 0, 0};
    DrawText(measure.Canvas()->Handle(), MeasuredText(item), &r, DT_CALCRECT | DT_SINGLELINE);
    widest = std::max(widest, WidthOf(r) + 2);
  }
  const int w = widest + GlyphWidth + 19;
  int W = w + 10;
  int frameH = 4;
  int picW = 0;
  int picH = 0;
  const TbsDataSkinPopupWindow* popup = Skinned() ? &Skin->PopupWindow() : nullptr;
  if (popup) {
    picW = WindowPicture->Width();
    picH = WindowPicture->Height();
    W = w + ItemData->TextRect.Left + (WidthOf(ItemData->SkinRect) - ItemData->TextRect.Right) + picW -
        WidthOf(popup->ItemsRect);
    frameH = picH - HeightOf(popup->ItemsRect);
  }
  const int max = Engine.MaxMenuItemsInWindow();
  int H;
  if (max > 0 && Count() > max) {
    const int itemH = ItemData ? HeightOf(ItemData->SkinRect) : Engine.DefaultMenuItemHeight();
    H = itemH * max + 2 * kMarkerHeight + frameH;
    Scrolls = Limited = true;
  } else {
    H = sum + frameH;
  }
  const RECT& work = Engine.WorkArea();
  if (H > HeightOf(work)) {
    H = HeightOf(work);
    Scrolls = true;
    Limited = false;
  }
  Size = {W, H};
  if (popup) {
    FitTopLeftMark = popup->LeftTopPoint;
    FitTopRightMark = {W - picW + popup->RightTopPoint.X, popup->RightTopPoint.Y};
    FitBottomLeftMark = {popup->LeftBottomPoint.X, H - picH + popup->LeftBottomPoint.Y};
    FitBottomRightMark = {W - picW + popup->RightBottomPoint.X, H - picH + popup->RightBottomPoint.Y};
    NewItemsRect = popup->ItemsRect;
    NewItemsRect.Right += W - picW;
    NewItemsRect.Bottom += H - picH;
  } else {
    NewItemsRect = {2, 2, W - 2, H - 2};
  }
}

void TbsSkinPopupWindow::LayoutItems() {
  Rects.assign(size_t(Count()), RECT{});
  const int bottom = NewItemsRect.Bottom - (Scrolls ? kMarkerHeight : 0);
  int y = NewItemsRect.Top + (Scrolls ? kMarkerHeight : 0);
  ShownCount = 0;
  for (int i = FirstVisible; i < Count(); ++i) {
    const int h = ItemHeight(Items[size_t(i)]);
    if (y + h > bottom) break;
    Rects[size_t(i)] = {NewItemsRect.Left, y, NewItemsRect.Right, y + h};
    y += h;
    ++ShownCount;
  }
  for (int i = 0; i < Count(); ++i) {
    ItemList[size_t(i)]->ItemRect = Rects[size_t(i)];
    ItemList[size_t(i)]->Visible = IsShown(i);
  }
}

POINT TbsSkinPopupWindow::Place(const TMenuAnchor& anchor) const {
  const RECT& wa = Engine.WorkArea();
  const RECT& a = anchor.Rect;
  const int W = Size.cx;
  const int H = Size.cy;
  const bool upperHalf = a.Top < wa.Top + HeightOf(wa) / 2;
  const bool screenScroll = Scrolls && !Limited;
  bool sideways = false;
  int y;
  if (screenScroll) {
    y = wa.Top;
  } else if (Level > 0) {
    // The first item level with its parent item.
    y = a.Top - NewItemsRect.Top;
    if (y + H > wa.Bottom) y = upperHalf ? wa.Bottom - H : std::max<int>(wa.Top, a.Bottom + NewItemsRect.Top - H);
  } else if (anchor.PopupUp) {
    if (a.Top - H >= wa.Top) {
      y = a.Top - H;
    } else {
      sideways = true;
      y = !upperHalf ? wa.Top : a.Bottom + H <= wa.Bottom ? a.Bottom : wa.Bottom - H;
    }
  } else if (a.Bottom + H <= wa.Bottom) {
    y = a.Bottom;
  } else if (upperHalf) {
    y = wa.Bottom - H;
    sideways = true;
  } else if (a.Top - H >= wa.Top) {
    y = a.Top - H;
  } else {
    y = wa.Top;
    sideways = true;
  }
  int x;
  if (Level == 0 && !screenScroll && !sideways) {
    x = a.Left;
    if (x + W > wa.Right) x = wa.Right - W;
    if (x < wa.Left) x = wa.Left;
  } else {
    x = wa.Right >= a.Right + W + 1 ? a.Right + 1 : a.Left - W - 1;
  }
  return {x, y};
}

void TbsSkinPopupWindow::Prepare() {
  if (Engine.AlphaBlend && HasLayeredWindows()) {
    SetWindowLong(Window, GWL_EXSTYLE, GetWindowLong(Window, GWL_EXSTYLE) | WS_EX_LAYERED);
    FFading = Engine.AlphaBlendAnimation && Engine.First() && Level == 0;
    Alpha = FFading ? 0 : Engine.AlphaBlendValue;
    ApplyWindowAlpha(Window, Alpha);
  }
  UpdateRegion();
}

void TbsSkinPopupWindow::UpdateRegion() {
  if (!MaskPicture) return;
  const TbsSkinGeometry geo = PopupGeometry(Skin->PopupWindow());
  const RECT picture{0, 0, WindowPicture->Width(), WindowPicture->Height()};
  HRGN region = BuildSkinRegion(geo, geo.Moved(picture, Size.cx, Size.cy), MaskPicture, Size);
  if (region) SetWindowRgn(Window, region, false);
}

void TbsSkinPopupWindow::Shown() {
  // A fade runs from a timer, so the loop goes on painting meanwhile.
  if (FFading) SetTimer(Window, kFadeTimer, kFadeInterval, nullptr);
  if (Level == 0) Engine.FFirst = false;
}

void TbsSkinPopupWindow::FadeTick() {
  Alpha = std::min<int>(Alpha + kFadeStep, Engine.AlphaBlendValue);
  ApplyWindowAlpha(Window, Alpha);
  if (Alpha >= Engine.AlphaBlendValue) {
    KillTimer(Window, kFadeTimer);
    FFading = false;
  }
}

void TbsSkinPopupWindow::ItemChanged(int index) {
  if (index < 0 || index >= Count()) return;
  TbsSkinMenuItem& item = *ItemList[size_t(index)];
  const bool was = item.Active || item.SubMenuOpen;
  item.Active = Hot == index;
  item.SubMenuOpen = Open == index;
  item.KeyboardArmed = item.Active && Armed;
  if (item.Active) ActiveItemHint = item.MenuItem->Hint();
  const bool now = item.Active || item.SubMenuOpen;
  if (now != was) {
    if (item.CanMorph()) SetTimer(Window, kMorphTimer, TbsSkinMenu::kMorphInterval, nullptr);
    if (ItemData && ItemData->FrameCount > 0 && Skin->EnableSkinEffects) {
      item.AnimateForward = now;
      if (now || ItemData->InActiveAnimation) {
        if (now) item.AnimateFrame = 0;
        SetTimer(Window, kAnimateTimer, UINT(std::max(ItemData->AnimateInterval, 1)), nullptr);
      } else {
        item.AnimateFrame = 0;
      }
    }
  }
  InvalidateItem(index);
}

void TbsSkinPopupWindow::MorphTick() {
  bool running = false;
  for (const auto& item : ItemList) {
    if (!item->MorphStep()) continue;
    running = true;
    InvalidateItem(item->Index);
  }
  if (!running) KillTimer(Window, kMorphTimer);
}

void TbsSkinPopupWindow::AnimationTick() {
  bool running = false;
  for (const auto& item : ItemList) {
    if (!item->AnimationStep()) continue;
    running = true;
    InvalidateItem(item->Index);
  }
  if (!running) KillTimer(Window, kAnimateTimer);
}

bool TbsSkinPopupWindow::Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_TIMER) {
    switch (wParam) {
      case kMorphTimer: MorphTick(); return true;
      case kAnimateTimer: AnimationTick(); return true;
      case kFadeTimer: FadeTick(); return true;
      default: break;
    }
  }
  return TMenuPopup::Message(msg, wParam, lParam, result);
}

// ---- Painting ---------------------------------------------------------------------------

RECT TbsSkinPopupWindow::UpMarker() const {
  if (!Skinned()) return {3, 3, Size.cx - 3, 3 + kMarkerHeight};
  return {NewItemsRect.Left, NewItemsRect.Top, NewItemsRect.Right, NewItemsRect.Top + kMarkerHeight};
}

RECT TbsSkinPopupWindow::DownMarker() const {
  if (!Skinned()) return {3, Size.cy - kMarkerHeight, Size.cx - 3, Size.cy - 3};
  return {NewItemsRect.Left, NewItemsRect.Bottom - kMarkerHeight, NewItemsRect.Right, NewItemsRect.Bottom};
}

void TbsSkinPopupWindow::PaintWindow(TCanvas* canvas) {
  const int W = Size.cx;
  const int H = Size.cy;
  if (Skinned()) return;  // composed by Paint
  const int column = ImageList ? GlyphWidth + 2 : 21;
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FillRect({0, 0, column, H});
  canvas->Brush()->SetColor(clWindow);
  canvas->FillRect({column, 0, W, H});
  canvas->Brush()->SetColor(clBtnShadow);
  canvas->FrameRect({0, 0, W, H});
  canvas->Brush()->SetColor(clWindow);
  canvas->FrameRect({1, 1, W - 1, H - 1});
}

void TbsSkinPopupWindow::PaintMarkers(TCanvas* canvas) {
  TColor normal = clBtnShadow;
  TColor active = clBtnText;
  if (Skinned()) {
    normal = Skin->PopupWindow().ScrollMarkerColor;
    active = Skin->PopupWindow().ScrollMarkerActiveColor;
  }
  DrawArrow(canvas, UpMarker(), ScrollCode == 1 ? active : normal, 3);
  DrawArrow(canvas, DownMarker(), ScrollCode == 2 ? active : normal, 4);
}

void TbsSkinPopupWindow::Paint(TCanvas& canvas) {
  // The whole window off screen, then one copy.
  TBitmap buffer;
  if (Skinned()) {
    const TbsDataSkinPopupWindow& popup = Skin->PopupWindow();
    const TbsSkinGeometry geo = PopupGeometry(popup);
    const RECT picture{0, 0, WindowPicture->Width(), WindowPicture->Height()};
    ComposeNinePartTiled(geo, geo.Moved(picture, Size.cx, Size.cy), &buffer, WindowPicture, picture, Size, Scrolls,
                         {popup.LeftStretch, popup.TopStretch, popup.RightStretch, popup.BottomStretch});
  } else {
    buffer.SetSize(Size.cx, Size.cy);
    PaintWindow(buffer.Canvas());
  }
  for (const auto& item : ItemList)
    if (item->Visible) item->Draw(buffer.Canvas());
  if (Scrolls) PaintMarkers(buffer.Canvas());
  BitBlt(canvas.Handle(), 0, 0, Size.cx, Size.cy, buffer.Canvas()->Handle(), 0, 0, SRCCOPY);
}

}  // namespace kora

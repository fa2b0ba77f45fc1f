// TbsSkinListBox and its rows: binding to a list-box record, row drawing,
// the caption bar, its own skinned scroll bars, and TbsPopupListBox, the
// combo box's drop-down.

#include <algorithm>

#include "framework/core/ClassBuilder.h"
#include "framework/core/SysUtils.h"
#include "platform/text/Text.h"
#include "platform/text/TextFlags.h"
#include "skin/controls/bsSkinBoxCtrls.h"

namespace kora {

void ComposeItemStrip(TBitmap* row, TBitmap* picture, const RECT& piece, int leftEnd, int rightEnd, bool stretch) {
  const int w = row->Width(), h = row->Height();
  if (!picture || IsEmptyRect(piece) || w <= 0 || h <= 0) return;
  TBitmap strip;
  ComposeHorizontalStrip(leftEnd, rightEnd, &strip, stretch, w, piece, picture);
  if (strip.Height() == h)
    row->Canvas()->Draw(0, 0, &strip);
  else
    row->Canvas()->StretchDraw({0, 0, w, h}, &strip);
}

// ---- TbsListBox ------------------------------------------------------------------------

TClass TbsListBox::StaticClass() {
  static const TClassInfo info(TClassBuilder<TbsListBox>("TbsListBox"));
  return &info;
}

TbsListBox::TbsListBox(TbsSkinListBox* box) : TCustomListBox(box), FBox(box) {
  SetBorderStyle(bsNone);
  SetStyle(lbOwnerDrawFixed);
  SetParentFont(false);
}

void TbsListBox::DrawItem(int index, RECT rect, TOwnerDrawState state) { FBox->DrawRow(Canvas(), index, rect, state); }

void TbsListBox::Paint() {
  TCanvas* canvas = Canvas();
  FBox->PaintRowsBackground(canvas, ClientRect());
  for (int i = TopIndex(); i < Count(); ++i) {
    const RECT r = ItemRect(i);
    if (r.Right <= r.Left) break;
    TOwnerDrawState state;
    if (i == ItemIndex()) state.Include(odSelected);
    if (i == ItemIndex() && Focused()) state.Include(odFocused);
    if (!Enabled()) state.Include(odDisabled);
    DrawItem(i, r, state);
  }
}

void TbsListBox::SetBarInfo(const SCROLLINFO& info) { FBox->BarInfoChanged(info); }

void TbsListBox::WndProc(TMessage& message) {
  if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MOUSELAST && message.Msg != WM_MOUSEWHEEL &&
      FBox->RowsMouseMessage(message))
    return;
  TCustomListBox::WndProc(message);
}

void TbsListBox::Click() {
  TCustomListBox::Click();
  FBox->Click();
}

// ---- TbsSkinListBox ----------------------------------------------------------------------

TClass TbsSkinListBox::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TbsSkinListBox>("TbsSkinListBox")
          .Property("Items", &TbsSkinListBox::Items, &TbsSkinListBox::SetItems)
          .Property("ItemIndex", &TbsSkinListBox::ItemIndex, &TbsSkinListBox::SetItemIndex)
          .Default(-1)
          .Property("Sorted", &TbsSkinListBox::Sorted, &TbsSkinListBox::SetSorted)
          .Default(false)
          .Property("DefaultItemHeight", &TbsSkinListBox::DefaultItemHeight, &TbsSkinListBox::SetDefaultItemHeight)
          .Default(20)
          .Property("UseSkinItemHeight", &TbsSkinListBox::UseSkinItemHeight, &TbsSkinListBox::SetUseSkinItemHeight)
          .Default(true)
          .Property("Images", &TbsSkinListBox::Images, &TbsSkinListBox::SetImages)
          .Property("ImageIndex", &TbsSkinListBox::ImageIndex, &TbsSkinListBox::SetImageIndex)
          .Default(-1)
          .Property("TabWidths", &TbsSkinListBox::TabWidths, &TbsSkinListBox::SetTabWidths)
          .Property("HorizontalExtent", &TbsSkinListBox::HorizontalExtent, &TbsSkinListBox::SetHorizontalExtent)
          .Default(0)
          .Property("CaptionMode", &TbsSkinListBox::CaptionMode, &TbsSkinListBox::SetCaptionMode)
          .Default(false)
          .Property("CaptionAlignment", &TbsSkinListBox::CaptionAlignment, &TbsSkinListBox::SetCaptionAlignment)
          .Default(taLeftJustify)
          .Property("DefaultCaptionFont", &TbsSkinListBox::DefaultCaptionFont, &TbsSkinListBox::SetDefaultCaptionFont)
          .Property("DefaultCaptionHeight", &TbsSkinListBox::DefaultCaptionHeight,
                    &TbsSkinListBox::SetDefaultCaptionHeight)
          .Default(20)
          .Property("OnDrawItem", &TbsSkinListBox::OnDrawItem));
  return &info;
}

TbsSkinListBox::TbsSkinListBox(TComponent* owner)
    : TbsSkinCustomControl(owner),
      FTabWidths(std::make_unique<TStringList>()),
      FDefaultCaptionFont(std::make_unique<TFont>()) {
  SetControlStyle({csAcceptsControls, csOpaque, csCaptureMouse});
  SetBounds(Left(), Top(), 120, 150);
  SetSkinDataName("listbox");
  FDefaultCaptionFont->SetName(bsDefaultFontName);
  FDefaultCaptionFont->SetCharset(bsDefaultFontCharset);
  FDefaultCaptionFont->SetHeight(-12);
  FDefaultCaptionFont->OnChange = [this](TObject* sender) { CaptionFontChanged(sender); };
  FTabWidths->OnChange = [this](TObject*) {
    if (FListBox) FListBox->Invalidate();
  };
  FListBox = new TbsListBox(this);
  FListBox->SetParent(this);
  FListBox->SetItemHeight(FDefaultItemHeight);
  FVScrollBar = new TbsSkinScrollBar(this);
  FVScrollBar->SetKind(sbVertical);
  FVScrollBar->SetVisible(false);
  FVScrollBar->SetParent(this);
  FVScrollBar->OnChange = [this](TObject*) { FListBox->SetTopIndex(FVScrollBar->Position()); };
  FHScrollBar = new TbsSkinScrollBar(this);
  FHScrollBar->SetVisible(false);
  FHScrollBar->SetParent(this);
  FHScrollBar->OnChange = [this](TObject*) {
    FHorizontalOffset = FHScrollBar->Position();
    FListBox->Invalidate();
  };
  ApplyRowFont();
  LayoutControls();
}

TbsSkinListBox::~TbsSkinListBox() {
  FDefaultCaptionFont->OnChange = nullptr;
  FTabWidths->OnChange = nullptr;
  FVScrollBar->OnChange = nullptr;
  FHScrollBar->OnChange = nullptr;
}

TStrings* TbsSkinListBox::Items() const { return FListBox->Items(); }
void TbsSkinListBox::SetItems(const TStrings* value) { FListBox->SetItems(value); }
int TbsSkinListBox::Count() const { return FListBox->Count(); }
int TbsSkinListBox::ItemIndex() const { return FListBox->ItemIndex(); }
void TbsSkinListBox::SetItemIndex(int value) { FListBox->SetItemIndex(value); }
int TbsSkinListBox::TopIndex() const { return FListBox->TopIndex(); }
void TbsSkinListBox::SetTopIndex(int value) { FListBox->SetTopIndex(value); }

void TbsSkinListBox::ScrollIntoView(int index) {
  if (index < 0 || index >= Count()) return;
  const int visible = FListBox->VisibleItemCount();
  if (index < TopIndex())
    SetTopIndex(index);
  else if (index >= TopIndex() + visible)
    SetTopIndex(index - visible + 1);
}

bool TbsSkinListBox::Sorted() const {
  const auto* list = dynamic_cast<const TStringList*>(Items());
  return list && list->Sorted();
}

void TbsSkinListBox::SetSorted(bool value) {
  if (auto* list = dynamic_cast<TStringList*>(Items())) list->SetSorted(value);
}

int TbsSkinListBox::ItemHeight() const {
  if (FUseSkinItemHeight && ListBound() && HeightOf(FRecord.ItemRect) > 0) return HeightOf(FRecord.ItemRect);
  return FDefaultItemHeight;
}

void TbsSkinListBox::SetDefaultItemHeight(int value) {
  if (value <= 0) return;
  FDefaultItemHeight = value;
  FListBox->SetItemHeight(ItemHeight());
}

void TbsSkinListBox::SetUseSkinItemHeight(bool value) {
  FUseSkinItemHeight = value;
  FListBox->SetItemHeight(ItemHeight());
}

void TbsSkinListBox::SetImages(TCustomImageList* value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = value;
  if (FImages) FImages->FreeNotification(this);
  FListBox->Invalidate();
}

void TbsSkinListBox::SetImageIndex(int value) {
  FImageIndex = value;
  FListBox->Invalidate();
}

void TbsSkinListBox::Notification(TComponent* component, TOperation operation) {
  TbsSkinCustomControl::Notification(component, operation);
  if (operation == opRemove && component == FImages) FImages = nullptr;
}

void TbsSkinListBox::SetTabWidths(const TStrings* value) { FTabWidths->Assign(value); }

void TbsSkinListBox::SetHorizontalExtent(int value) {
  FHorizontalExtent = std::max(value, 0);
  UpdateHorizontalBar();
}

void TbsSkinListBox::SetCaptionMode(bool value) {
  if (value == FCaptionMode) return;
  FCaptionMode = value;
  LayoutControls();
  Invalidate();
}

void TbsSkinListBox::SetCaptionAlignment(TAlignment value) {
  FCaptionAlignment = value;
  Invalidate();
}

void TbsSkinListBox::SetDefaultCaptionFont(const TFont* value) { FDefaultCaptionFont->Assign(value); }

void TbsSkinListBox::SetDefaultCaptionHeight(int value) {
  FDefaultCaptionHeight = std::max(value, 0);
  LayoutControls();
  Invalidate();
}

void TbsSkinListBox::CaptionFontChanged(TObject*) {
  if (FCaptionMode) Invalidate();
}

void TbsSkinListBox::TextChanged() {
  TbsSkinCustomControl::TextChanged();
  if (FCaptionMode) Invalidate();
}

void TbsSkinListBox::SetFocus() {
  if (FListBox->CanFocus())
    FListBox->SetFocus();
  else
    TbsSkinCustomControl::SetFocus();
}

// ---- Skin and layout -------------------------------------------------------------------------

void TbsSkinListBox::ResolveSkinRecord() {
  TbsSkinCustomControl::ResolveSkinRecord();
  const auto* record = RecordIndex() == -1 ? nullptr : dynamic_cast<const TbsDataSkinListBox*>(SkinRecord());
  FHasRecord = record != nullptr;
  if (record) FRecord = *record;
}

void TbsSkinListBox::PrepareSkinChange() {
  TbsSkinCustomControl::PrepareSkinChange();
  FHasRecord = false;
}

void TbsSkinListBox::ApplySkinChange() {
  TbsSkinCustomControl::ApplySkinChange();
  // The bars follow the names the list record gives them.
  const bool bound = ListBound();
  FVScrollBar->SetSkinDataName(bound ? FRecord.VScrollBarName : "vscrollbar");
  FHScrollBar->SetSkinDataName(bound ? FRecord.HScrollBarName : "hscrollbar");
  FVScrollBar->SetSkinData(SkinData());
  FHScrollBar->SetSkinData(SkinData());
  if (!SkinData()) {
    FVScrollBar->ApplySkinChange();
    FHScrollBar->ApplySkinChange();
  }
  ApplyRowFont();
  FListBox->SetItemHeight(ItemHeight());
  LayoutControls();
  FListBox->Invalidate();
  Invalidate();
}

void TbsSkinListBox::DefaultFontUpdated() {
  if (!FListBox) return;
  ApplyRowFont();
  FListBox->Invalidate();
}

void TbsSkinListBox::ApplyRowFont() {
  TFont font;
  font.Assign(DefaultFont());
  if (ListBound() && UseSkinFont()) {
    font.SetName(FRecord.FontName);
    font.SetHeight(FRecord.FontHeight);
    font.SetStyle(FRecord.FontStyle);
  }
  font.SetCharset(SkinTextCharset(SkinData(), DefaultFont()));
  FListBox->SetFont(&font);
}

void TbsSkinListBox::SetBounds(int left, int top, int width, int height) {
  TbsSkinCustomControl::SetBounds(left, top, width, height);
  LayoutControls();
}

int TbsSkinListBox::CaptionHeight() const {
  if (!FCaptionMode) return 0;
  if (ListBound() && !IsEmptyRect(FRecord.CaptionRect)) return HeightOf(FRecord.CaptionRect);
  return FDefaultCaptionHeight;
}

RECT TbsSkinListBox::CaptionBarRect() const {
  if (!FCaptionMode) return {};
  const RECT inner = ListBound() ? FitInnerRect : RECT{2, 2, Width() - 2, Height() - 2};
  return {inner.Left, inner.Top, inner.Right, inner.Top + CaptionHeight()};
}

int TbsSkinListBox::HeightForRows(int rows) {
  ResolveSkinRecord();
  int height = rows * ItemHeight();
  if (ListBound())
    height += HeightOf(SourceRect) - HeightOf(InnerRect) + CaptionHeight();
  else
    height += 4 + CaptionHeight();
  if (FHScrollBar->Visible()) height += FHScrollBar->SkinThickness();
  return height;
}

void TbsSkinListBox::LayoutControls() {
  if (!FListBox || FInLayout) return;
  FInLayout = true;
  ResolveSkinRecord();
  const int w = Width(), h = Height();
  if (ListBound()) {
    int fitW = w, fitH = h;
    FitSizeToSkin(fitW, fitH);
  }
  RECT rows = ListBound() ? FitInnerRect : RECT{2, 2, w - 2, h - 2};
  rows.Top += CaptionHeight();
  if (FHScrollBar->Visible()) {
    const int t = FHScrollBar->SkinThickness();
    FHScrollBar->SetBounds(rows.Left, rows.Bottom - t, std::max(WidthOf(rows), 0), t);
    rows.Bottom -= t;
  }
  if (FVScrollBar->Visible()) {
    const int t = FVScrollBar->SkinThickness();
    FVScrollBar->SetBounds(rows.Right - t, rows.Top, t, std::max(HeightOf(rows), 0));
    rows.Right -= t;
  }
  FListBox->SetBounds(rows.Left, rows.Top, std::max(WidthOf(rows), 0), std::max(HeightOf(rows), 0));
  FInLayout = false;
  UpdateHorizontalBar();
}

void TbsSkinListBox::BarInfoChanged(const SCROLLINFO& info) {
  const int page = int(info.nPage);
  const bool needed = page > 0 && info.nMax - info.nMin + 1 > page;
  FVScrollBar->SetParams(info.nPos, info.nMin, info.nMax, page);
  FVScrollBar->SetLargeChange(std::max(page, 1));
  if (needed != FVScrollBar->Visible()) {
    FVScrollBar->SetVisible(needed);
    LayoutControls();
  }
}

void TbsSkinListBox::UpdateHorizontalBar() {
  if (FInLayout) return;
  const int width = FListBox->Width() + (FVScrollBar->Visible() ? FVScrollBar->Width() : 0);
  const bool needed = FHorizontalExtent > width && width > 0;
  if (needed) {
    FHScrollBar->SetParams(FHorizontalOffset, 0, FHorizontalExtent - 1, FListBox->Width());
    FHorizontalOffset = FHScrollBar->Position();
  } else {
    FHorizontalOffset = 0;
  }
  if (needed != FHScrollBar->Visible()) {
    FHScrollBar->SetVisible(needed);
    LayoutControls();
  }
}

// ---- Painting -------------------------------------------------------------------------------

void TbsSkinListBox::PaintDefaultLook(TBitmap* bitmap) {
  TCanvas* canvas = bitmap->Canvas();
  RECT r{0, 0, bitmap->Width(), bitmap->Height()};
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(SystemColor(COLOR_WINDOW));
  canvas->FillRect(r);
  DrawEdge(canvas->Handle(), &r, EDGE_SUNKEN, BF_RECT);
  if (FCaptionMode) PaintCaption(canvas, CaptionBarRect());
}

void TbsSkinListBox::PaintSkinLook(TBitmap* bitmap) {
  TbsSkinCustomControl::PaintSkinLook(bitmap);
  if (FCaptionMode) PaintCaption(bitmap->Canvas(), CaptionBarRect());
}

void TbsSkinListBox::PaintCaption(TCanvas* canvas, const RECT& bar) {
  if (IsEmptyRect(bar)) return;
  if (ListBound() && Picture && !IsEmptyRect(FRecord.CaptionRect)) {
    TBitmap piece;
    piece.SetSize(WidthOf(bar), HeightOf(bar));
    ComposeItemStrip(&piece, Picture, FRecord.CaptionRect, 0, 0, true);
    canvas->Draw(bar.Left, bar.Top, &piece);
  } else {
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(SystemColor(COLOR_BTNFACE));
    canvas->FillRect(bar);
  }
  if (ListBound() && UseSkinFont()) {
    canvas->Font()->SetName(FRecord.CaptionFontName);
    canvas->Font()->SetHeight(FRecord.CaptionFontHeight);
    canvas->Font()->SetStyle(FRecord.CaptionFontStyle);
    canvas->Font()->SetColor(FRecord.CaptionFontColor);
  } else {
    canvas->SetFont(FDefaultCaptionFont.get());
  }
  canvas->Font()->SetCharset(SkinTextCharset(SkinData(), FDefaultCaptionFont.get()));
  canvas->Brush()->SetStyle(bsClear);
  RECT text{bar.Left + 4, bar.Top, bar.Right - 4, bar.Bottom};
  const uint32_t align = FCaptionAlignment == taCenter         ? DT_CENTER
                         : FCaptionAlignment == taRightJustify ? DT_RIGHT
                                                               : DT_LEFT;
  DrawText(canvas->Handle(), Caption(), &text, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void TbsSkinListBox::PaintRowsBackground(TCanvas* canvas, const RECT& rect) {
  if (ListBound() && Picture) {
    // The record's client piece, tiled.
    const RECT piece = InnerRect.Offsetted(SourceRect.Left, SourceRect.Top);
    if (!IsEmptyRect(piece)) {
      TBitmap area;
      area.SetSize(WidthOf(rect), HeightOf(rect));
      TbsPiecePainter(&area, Picture).TileXY(piece, {0, 0, area.Width(), area.Height()});
      canvas->Draw(rect.Left, rect.Top, &area);
      return;
    }
  }
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(SystemColor(COLOR_WINDOW));
  canvas->FillRect(rect);
}

void TbsSkinListBox::DrawRowText(TCanvas* canvas, const std::string& text, const RECT& rect) {
  if (FTabWidths->Count() == 0 || text.find('\t') == std::string::npos) {
    DrawItemText(canvas, text, rect);
    return;
  }
  // Columns at the given stops (at most ten), from the rectangle's left.
  std::vector<int> stops;
  for (int i = 0; i < FTabWidths->Count() && stops.size() < 10; ++i)
    stops.push_back(StrToIntDef(Trim(FTabWidths->Strings(i)), 0));
  size_t start = 0;
  int column = 0, x = rect.Left;
  while (start <= text.size()) {
    const size_t tab = text.find('\t', start);
    const std::string cell = text.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
    DrawItemText(canvas, cell, {x, rect.Top, rect.Right, rect.Bottom});
    if (tab == std::string::npos) break;
    start = tab + 1;
    x = column < int(stops.size()) ? rect.Left + stops[size_t(column)] : x + canvas->TextWidth(cell) + 8;
    ++column;
  }
}

void TbsSkinListBox::DrawRow(TCanvas* canvas, int index, RECT rect, TOwnerDrawState state) {
  const int shownW = WidthOf(rect), h = HeightOf(rect);
  if (shownW <= 0 || h <= 0) return;
  // With a horizontal extent the row is as wide as the content and shown
  // from the bar's position.
  const int w = std::max(shownW, FHScrollBar->Visible() ? FHorizontalExtent : 0);
  TBitmap row;
  row.SetSize(w, h);
  TCanvas* c = row.Canvas();
  c->SetFont(FListBox->Font());
  const bool focused = state.Contains(odFocused), selected = state.Contains(odSelected);
  const bool bound = ListBound() && Picture;
  RECT text;
  if (bound) {
    RECT piece = focused && !IsEmptyRect(FRecord.FocusItemRect)     ? FRecord.FocusItemRect
                 : selected && !IsEmptyRect(FRecord.ActiveItemRect) ? FRecord.ActiveItemRect
                                                                    : FRecord.ItemRect;
    ComposeItemStrip(&row, Picture, piece, FRecord.ItemLeftOffset, FRecord.ItemRightOffset, StretchMiddle);
    text = FRecord.ItemTextRect;
    text.Right += w - WidthOf(FRecord.ItemRect);
    text.Bottom += h - HeightOf(FRecord.ItemRect);
    c->Font()->SetColor(focused ? FRecord.FocusFontColor : selected ? FRecord.ActiveFontColor : FRecord.FontColor);
  } else {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(SystemColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    c->FillRect({0, 0, w, h});
    text = {2, 0, w - 2, h};
    c->Font()->SetColor(selected ? SystemColor(COLOR_HIGHLIGHTTEXT) : DefaultFont()->Color());
  }
  if (!Enabled()) c->Font()->SetColor(bound ? FRecord.FontColor : SystemColor(COLOR_GRAYTEXT));
  if (OnDrawItem) {
    OnDrawItem(c, index, w, bound ? HeightOf(FRecord.ItemRect) : h, text, state);
  } else {
    c->Brush()->SetStyle(bsClear);
    if (FImages && FImages->Count() > 0) {
      const int image = FImageIndex >= 0 ? FImageIndex : index;
      FImages->Draw(c, text.Left, text.Top + (HeightOf(text) - FImages->Height()) / 2, image, Enabled());
      text.Left += FImages->Width() + 2;
    }
    DrawRowText(c, Items()->Strings(index), text);
  }
  if (focused && (!bound || FRecord.ShowFocus)) c->DrawFocusRect({0, 0, w, h});
  if (w == shownW) {
    canvas->Draw(rect.Left, rect.Top, &row);
  } else {
    BitBlt(canvas->Handle(), rect.Left, rect.Top, shownW, h, c->Handle(), FHorizontalOffset, 0, SRCCOPY);
  }
}

// ---- TbsPopupListBox ----------------------------------------------------------------------------

TClass TbsPopupListBox::StaticClass() {
  static const TClassInfo info(TClassBuilder<TbsPopupListBox>("TbsPopupListBox"));
  return &info;
}

TbsPopupListBox::TbsPopupListBox(TComponent* owner)
    : TbsSkinListBox(owner), FComboBox(dynamic_cast<TbsSkinCustomComboBox*>(owner)) {
  SetVisible(false);
  SetSkinDataName("");
  // The rows never take the focus from the combo box.
  ListBox()->SetTabStop(false);
}

void TbsPopupListBox::CreateParams(TCreateParams& params) {
  TbsSkinListBox::CreateParams(params);
  params.Style = (params.Style & ~(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS)) | WS_POPUP | WS_CLIPCHILDREN;
  params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  if (FLayered) params.ExStyle |= WS_EX_LAYERED;
  params.WndParent = HWND{};
  // Keeps what lies under it for a quick restore, and casts a shadow.
  params.ClassStyle |= CS_SAVEBITS;
  if (IsXpOrLater()) params.ClassStyle |= CS_DROPSHADOW;
}

void TbsPopupListBox::SetAlpha(bool enabled, uint8_t alpha) {
  const bool layered = enabled && HasLayeredWindows();
  if (layered != FLayered) {
    FLayered = layered;
    if (HandleAllocated()) RecreateWnd();
  }
  if (FLayered) ApplyWindowAlpha(Handle(), alpha);
}

void TbsPopupListBox::ShowAt(const RECT& screen) {
  SetBounds(screen.Left, screen.Top, WidthOf(screen), HeightOf(screen));
  SetWindowPos(Handle(), HWND_TOPMOST, screen.Left, screen.Top, WidthOf(screen), HeightOf(screen),
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  SetVisible(true);
  Invalidate();
}

void TbsPopupListBox::HidePopup() { SetVisible(false); }

void TbsPopupListBox::WndProc(TMessage& message) {
  if (message.Msg == WM_MOUSEACTIVATE) {
    message.Result = MA_NOACTIVATE;
    return;
  }
  TbsSkinListBox::WndProc(message);
}

RECT TbsPopupListBox::CheckButtonRect() const {
  const RECT bar = CaptionBarRect();
  if (IsEmptyRect(bar)) return {};
  const int size = std::min(HeightOf(bar) - 4, 16);
  return {bar.Right - size - 3, bar.Top + (HeightOf(bar) - size) / 2, bar.Right - 3,
          bar.Top + (HeightOf(bar) - size) / 2 + size};
}

void TbsPopupListBox::PaintCaption(TCanvas* canvas, const RECT& bar) {
  TbsSkinListBox::PaintCaption(canvas, bar);
  const RECT check = CheckButtonRect();
  if (IsEmptyRect(check)) return;
  RECT face = check;
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(SystemColor(COLOR_BTNFACE));
  canvas->FillRect(face);
  DrawEdge(canvas->Handle(), &face, EDGE_RAISED, BF_RECT);
  DrawCheckMark(canvas, check.Left + (WidthOf(check) - 7) / 2, check.Top + (HeightOf(check) - 7) / 2 - 1, clBlack);
}

void TbsPopupListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TbsSkinListBox::MouseDown(button, shift, x, y);
  if (button == mbLeft && FComboBox && CheckButtonRect().Contains(x, y)) FComboBox->CloseUp(true);
}

bool TbsPopupListBox::RowsMouseMessage(TMessage& message) {
  if (!FComboBox) return false;
  switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: FComboBox->ListPressed(); return true;
    case WM_MOUSEMOVE: FComboBox->ListHovered(LParamToPoint(message.LParam)); return true;
    default: return true;  // left release, right and middle buttons: swallowed
  }
}

}  // namespace kora

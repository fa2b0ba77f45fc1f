// TCustomListBox: items, selection by mouse and keys, scrolling with the
// window's vertical bar, owner draw.

#include <algorithm>
#include <cstdint>

#include "framework/controls/StdCtrls.h"
#include "framework/core/ClassBuilder.h"

namespace kora {

const TTypeInfo* TypeInfoOf(TListBoxStyle) {
  static const TTypeInfo info = EnumTypeInfo("TListBoxStyle", {"lbStandard", "lbOwnerDrawFixed"});
  return &info;
}

TClass TCustomListBox::StaticClass() {
  static const TClassInfo info(
      TClassBuilder<TCustomListBox>("TCustomListBox")
          .Property("BorderStyle", &TCustomListBox::BorderStyle, &TCustomListBox::SetBorderStyle)
          .Default(bsSingle)
          .Property("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight)
          .Property("Items", &TCustomListBox::Items, &TCustomListBox::SetItems)
          .Property("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle)
          .Default(lbStandard)
          .Property("OnDrawItem", &TCustomListBox::OnDrawItem)
          .Redeclare("TabStop")
          .Default(true)
          .Redeclare("ParentColor")
          .Default(false));
  return &info;
}

TClass TListBox::StaticClass() {
  static const TClassInfo info(TClassBuilder<TListBox>("TListBox"));
  return &info;
}

TCustomListBox::TCustomListBox(TComponent* owner) : TCustomControl(owner), FItems(std::make_unique<TStringList>()) {
  // Clicks are selection changes, raised by SelectByUser.
  SetControlStyle({csCaptureMouse, csDoubleClicks, csOpaque});
  SetBounds(0, 0, 121, 97);
  SetColor(SystemColor(COLOR_WINDOW));
  SetTabStop(true);
  FItems->OnChange = TNotifyEvent([this](TObject* sender) { ItemsChanged(sender); });
}

TCustomListBox::~TCustomListBox() { FItems->OnChange = nullptr; }

TStrings* TCustomListBox::Items() const { return FItems.get(); }
void TCustomListBox::SetItems(const TStrings* value) { FItems->Assign(value); }
int TCustomListBox::Count() const { return FItems->Count(); }

void TCustomListBox::ItemsChanged(TObject*) {
  if (FItemIndex >= Count()) FItemIndex = -1;
  SetTopIndex(FTopIndex);
  UpdateScrollBar();
  Invalidate();
}

void TCustomListBox::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  // The sunken edge is part of the frame, so the bar sits inside it.
  if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateScrollBar();
}

void TCustomListBox::UpdateScrollBar() {
  if (!HandleAllocated()) return;
  // One position per item; the page is what fits, so the bar shows only
  // while some items are out of view.
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = std::max(Count() - 1, 0);
  si.nPage = UINT(VisibleItemCount());
  si.nPos = FTopIndex;
  SetBarInfo(si);
}

void TCustomListBox::SetBarInfo(const SCROLLINFO& info) { SetScrollInfo(Handle(), SB_VERT, &info, true); }

int ScrolledPosition(HWND window, int bar, int request, int pos, int page) {
  switch (request) {
    case SB_LINEUP: return pos - 1;
    case SB_LINEDOWN: return pos + 1;
    case SB_PAGEUP: return pos - page;
    case SB_PAGEDOWN: return pos + page;
    case SB_TOP: return 0;
    case SB_BOTTOM: return INT32_MAX;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The 32-bit position: wParam only carries 16 bits of it.
      SCROLLINFO si;
      si.fMask = SIF_TRACKPOS;
      return GetScrollInfo(window, bar, &si) ? si.nTrackPos : pos;
    }
    default: return pos;
  }
}

void TCustomListBox::SetItemIndex(int value) {
  if (value < 0 || value >= Count()) value = -1;
  if (value == FItemIndex) return;
  FItemIndex = value;
  ScrollIntoView(value);
  Invalidate();
}

void TCustomListBox::SetTopIndex(int value) {
  value = std::clamp(value, 0, std::max(Count() - VisibleItemCount(), 0));
  if (value == FTopIndex) return;
  FTopIndex = value;
  UpdateScrollBar();
  Invalidate();
}

void TCustomListBox::SetItemHeight(int value) {
  if (value <= 0 || value == FItemHeight) return;
  FItemHeight = value;
  SetTopIndex(FTopIndex);
  UpdateScrollBar();
  Invalidate();
}

void TCustomListBox::SetStyle(TListBoxStyle value) {
  FStyle = value;
  Invalidate();
}

void TCustomListBox::SetBorderStyle(TBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  if (HandleAllocated()) RecreateWnd();
}

RECT TCustomListBox::ItemsRect() const {
  RECT r = ClientRect();
  // Without a window yet the client area still includes the edge.
  if (!HandleAllocated() && FBorderStyle == bsSingle)
    r = {r.Left + 2, r.Top + 2, std::max(r.Right - 2, r.Left + 2), std::max(r.Bottom - 2, r.Top + 2)};
  return r;
}

int TCustomListBox::VisibleItemCount() const {
  const RECT r = ItemsRect();
  return std::max((r.Bottom - r.Top) / FItemHeight, 1);
}

RECT TCustomListBox::ItemRect(int index) const {
  const RECT r = ItemsRect();
  const int row = index - FTopIndex;
  if (index < 0 || index >= Count() || row < 0 || r.Top + row * FItemHeight >= r.Bottom) return {};
  return {r.Left, r.Top + row * FItemHeight, r.Right, r.Top + (row + 1) * FItemHeight};
}

int TCustomListBox::ItemAtPos(POINT p, bool existing) const {
  const RECT r = ItemsRect();
  if (Count() == 0) return -1;
  if (p.X < r.Left || p.X >= r.Right || p.Y < r.Top || p.Y >= r.Bottom) {
    if (existing) return -1;
    p.Y = std::clamp(p.Y, r.Top, r.Bottom - 1);
  }
  const int index = FTopIndex + (p.Y - r.Top) / FItemHeight;
  if (index < Count()) return index;
  return existing ? -1 : Count() - 1;
}

void TCustomListBox::ScrollIntoView(int index) {
  if (index < 0) return;
  if (index < FTopIndex)
    SetTopIndex(index);
  else if (index >= FTopIndex + VisibleItemCount())
    SetTopIndex(index - VisibleItemCount() + 1);
}

void TCustomListBox::SelectByUser(int index) {
  if (index < 0 || index >= Count()) return;
  ScrollIntoView(index);
  if (index == FItemIndex) return;
  SetItemIndex(index);
  Click();
}

void TCustomListBox::KeyDown(WORD& key, TShiftState shift) {
  const int page = VisibleItemCount();
  const int current = FItemIndex;
  switch (key) {
    case VK_UP: SelectByUser(current < 0 ? 0 : std::max(current - 1, 0)); break;
    case VK_DOWN: SelectByUser(std::min(current + 1, Count() - 1)); break;
    case VK_PRIOR: SelectByUser(std::max(current - page + 1, 0)); break;
    case VK_NEXT: SelectByUser(std::min(std::max(current, 0) + page - 1, Count() - 1)); break;
    case VK_HOME: SelectByUser(0); break;
    case VK_END: SelectByUser(Count() - 1); break;
    default: TCustomControl::KeyDown(key, shift); return;
  }
  key = 0;
}

void TCustomListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) SelectByUser(ItemAtPos({x, y}, true));
  TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomListBox::MouseMove(TShiftState shift, int x, int y) {
  // Dragging with the button down follows the pointer, scrolling at the edges.
  if (shift.Contains(ssLeft) && MouseCapture()) SelectByUser(ItemAtPos({x, y}, false));
  TCustomControl::MouseMove(shift, x, y);
}

void TCustomListBox::WndProc(TMessage& message) {
  if (message.Msg == WM_MOUSEWHEEL) {
    SetTopIndex(FTopIndex - GET_WHEEL_DELTA_WPARAM(message.WParam) / WHEEL_DELTA * 3);
    message.Result = 0;
    return;
  }
  if (message.Msg == WM_VSCROLL) {
    SetTopIndex(ScrolledPosition(Handle(), SB_VERT, LOWORD(message.WParam), FTopIndex, VisibleItemCount()));
    message.Result = 0;
    return;
  }
  TCustomControl::WndProc(message);
  if (message.Msg == WM_SIZE) {
    // More room may show items the top index hid, or fewer may need the bar.
    SetTopIndex(FTopIndex);
    UpdateScrollBar();
  }
  if (message.Msg == WM_SETFOCUS || message.Msg == WM_KILLFOCUS || message.Msg == WM_SIZE) Invalidate();
}

void TCustomListBox::DrawItem(int index, RECT rect, TOwnerDrawState state) {
  if (FStyle == lbOwnerDrawFixed && OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(state.Contains(odSelected) ? SystemColor(COLOR_HIGHLIGHT) : Color());
  canvas->FillRect(rect);
  canvas->Brush()->SetStyle(bsClear);
  canvas->Font()->SetColor(state.Contains(odSelected) ? SystemColor(COLOR_HIGHLIGHTTEXT) : Font()->Color());
  const int h = canvas->TextHeight("Wg");
  canvas->TextOut(rect.Left + 2, rect.Top + (rect.Bottom - rect.Top - h) / 2, FItems->Strings(index));
}

void TCustomListBox::Paint() {
  TCanvas* canvas = Canvas();
  RECT client = ClientRect();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(client);
  const RECT area = ItemsRect();
  ScopedSaveDC saved(canvas->Handle());
  IntersectClipRect(canvas->Handle(), area.Left, area.Top, area.Right, area.Bottom);
  for (int i = FTopIndex; i < Count(); ++i) {
    const RECT r = ItemRect(i);
    if (r.Right <= r.Left) break;
    TOwnerDrawState state;
    if (i == FItemIndex) state.Include(odSelected);
    if (i == FItemIndex && Focused()) state.Include(odFocused);
    if (!Enabled()) state.Include(odDisabled);
    canvas->SetFont(Font());
    DrawItem(i, r, state);
    if (state.Contains(odFocused)) canvas->DrawFocusRect(r);
  }
}

}  // namespace kora

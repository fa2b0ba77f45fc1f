// TListView: items with icons in icon, small icon, list and report styles,
// scrolled by the window's scroll bars.

#include <algorithm>

#include "framework/controls/ComCtrls.h"
#include "framework/controls/StdCtrls.h"
#include "framework/core/ClassBuilder.h"
#include "platform/text/Text.h"
#include "platform/text/TextFlags.h"

namespace kora {

namespace {

// A report scrolled sideways moves this many pixels for an arrow.
constexpr int kColumnStep = 8;
// A header divider grabs the mouse this close to it; columns keep a minimum.
constexpr int kDividerGrip = 3;
constexpr int kMinColumnWidth = 8;

}  // namespace

const TTypeInfo* TypeInfoOf(TViewStyle) {
  static const TTypeInfo info = EnumTypeInfo("TViewStyle", {"vsIcon", "vsSmallIcon", "vsList", "vsReport"});
  return &info;
}

TClass TListView::StaticClass() {
  static const TClassInfo info(TClassBuilder<TListView>("TListView")
                                   .Property("ViewStyle", &TListView::ViewStyle, &TListView::SetViewStyle)
                                   .Default(vsIcon)
                                   .Property("LargeImages", &TListView::LargeImages, &TListView::SetLargeImages)
                                   .Property("SmallImages", &TListView::SmallImages, &TListView::SetSmallImages)
                                   .Property("MultiSelect", &TListView::MultiSelect, &TListView::SetMultiSelect)
                                   .Default(false)
                                   .Redeclare("TabStop")
                                   .Default(true)
                                   .Redeclare("ParentColor")
                                   .Default(false));
  return &info;
}

TListView::TListView(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle({csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque});
  SetBounds(0, 0, 250, 150);
  SetColor(SystemColor(COLOR_WINDOW));
  SetTabStop(true);
}

void TListView::SetViewStyle(TViewStyle value) {
  FViewStyle = value;
  FTopIndex = 0;
  FScrollX = 0;
  ScrollIntoView(FItemIndex);
  UpdateScrollBars();
  Invalidate();
}

void TListView::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  // The sunken edge is part of the frame, so the bars sit inside it.
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateScrollBars();
}

void TListView::ColumnsChanged() {
  FWidestCaption = -1;
  SetScrollX(FScrollX);
  UpdateScrollBars();
  Invalidate();
}

int TListView::ColumnsWidth() const {
  int width = 0;
  for (const TListColumn& column : FColumns) width += column.Width;
  return width;
}

void TListView::SetScrollX(int value) {
  const RECT area = ItemsArea();
  value = FViewStyle == vsReport ? std::clamp(value, 0, std::max(ColumnsWidth() - (area.Right - area.Left), 0)) : 0;
  if (value == FScrollX) return;
  FScrollX = value;
  UpdateScrollBars();
  Invalidate();
}

// Lines of items run down (icons, small icons, report) or across (list);
// the report's columns may also run wider than the view.
void TListView::UpdateScrollBars() {
  if (!HandleAllocated() || FUpdatingBars || FUpdateCount > 0) return;
  FUpdatingBars = true;
  // Showing or hiding one bar changes the room for the other: a second
  // pass fits them to the final client area.
  for (int pass = 0; pass < 2; ++pass) {
    const RECT before = ClientRect();
    const int perLine = ItemsPerLine();
    SCROLLINFO lines;
    lines.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    lines.nMax = std::max((ItemCount() + perLine - 1) / perLine - 1, 0);
    lines.nPage = UINT(VisibleLines());
    lines.nPos = FTopIndex;
    SetBarInfo(ColumnMajor() ? SB_HORZ : SB_VERT, lines);
    const RECT area = ItemsArea();
    SCROLLINFO across;
    across.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (FViewStyle == vsReport) {
      across.nMax = std::max(ColumnsWidth() - 1, 0);
      across.nPage = UINT(std::max(int(area.Right - area.Left), 0));
      across.nPos = FScrollX;
    }
    SetBarInfo(ColumnMajor() ? SB_VERT : SB_HORZ, across);
    if (ClientRect() == before) break;
    FTopIndex = std::clamp(FTopIndex, 0, std::max(int(lines.nMax) + 1 - VisibleLines(), 0));
    FScrollX = std::clamp(FScrollX, 0, std::max(ColumnsWidth() - int(ItemsArea().Right - ItemsArea().Left), 0));
  }
  FUpdatingBars = false;
}

void TListView::SetBarInfo(int bar, const SCROLLINFO& info) { SetScrollInfo(Handle(), bar, &info, true); }

void TListView::Scroll(int bar, int request) {
  if ((bar == SB_HORZ) == ColumnMajor()) {
    SetTopIndex(ScrolledPosition(Handle(), bar, request, FTopIndex, VisibleLines()));
    return;
  }
  const RECT area = ItemsArea();
  int pos = ScrolledPosition(Handle(), bar, request, FScrollX, area.Right - area.Left);
  if (request == SB_LINEUP) pos = FScrollX - kColumnStep;
  if (request == SB_LINEDOWN) pos = FScrollX + kColumnStep;
  SetScrollX(pos);
}

void TListView::SetLargeImages(TCustomImageList* value) {
  if (FLargeImages) FLargeImages->RemoveFreeNotification(this);
  FLargeImages = value;
  if (value) value->FreeNotification(this);
  Invalidate();
}

void TListView::SetSmallImages(TCustomImageList* value) {
  if (FSmallImages) FSmallImages->RemoveFreeNotification(this);
  FSmallImages = value;
  if (value) value->FreeNotification(this);
  Invalidate();
}

void TListView::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FLargeImages) FLargeImages = nullptr;
  if (component == FSmallImages) FSmallImages = nullptr;
}

TListItem& TListView::Items(int index) {
  if (index < 0 || index >= ItemCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FItems[size_t(index)];
}

int TListView::AddItem(const TListItem& item) {
  FItems.push_back(item);
  // Growing the widest caption is the only change a new item can make.
  if (FWidestCaption >= 0) {
    Canvas()->SetFont(Font());
    FWidestCaption = std::max(FWidestCaption, int(Canvas()->TextWidth(item.Caption)));
  }
  if (FItems.back().Selected && !FMultiSelect) {
    FItems.back().Selected = false;
    SetItemIndex(ItemCount() - 1);
  }
  if (FUpdateCount == 0) {
    UpdateScrollBars();
    Invalidate();
  }
  return ItemCount() - 1;
}

void TListView::DeleteItem(int index) {
  Items(index);
  FItems.erase(FItems.begin() + index);
  FWidestCaption = -1;
  if (FItemIndex == index)
    FItemIndex = -1;
  else if (FItemIndex > index)
    --FItemIndex;
  if (FAnchor >= ItemCount()) FAnchor = -1;
  if (FUpdateCount > 0) return;
  SetTopIndex(FTopIndex);
  UpdateScrollBars();
  Invalidate();
}

void TListView::ClearItems() {
  FItems.clear();
  FWidestCaption = -1;
  FItemIndex = -1;
  FAnchor = -1;
  FTopIndex = 0;
  if (FUpdateCount > 0) return;
  UpdateScrollBars();
  Invalidate();
}

void TListView::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0) return;
  // Measuring needs the window; without one there is nothing to fit yet.
  if (!HandleAllocated()) return;
  SetTopIndex(FTopIndex);
  UpdateScrollBars();
  Invalidate();
}

void TListView::SetItemIndex(int value) {
  if (value < 0 || value >= ItemCount()) value = -1;
  bool changed = value != FItemIndex;
  for (int i = 0; i < ItemCount(); ++i) {
    TListItem& item = FItems[size_t(i)];
    const bool selected = i == value;
    changed = changed || item.Selected != selected;
    item.Selected = selected;
  }
  FItemIndex = value;
  FAnchor = value;
  if (!changed) return;
  ScrollIntoView(value);
  Invalidate();
}

void TListView::SetMultiSelect(bool value) {
  if (value == FMultiSelect) return;
  FMultiSelect = value;
  // Down to one: the focused item keeps the selection.
  if (!value) SetItemIndex(FItemIndex);
}

bool TListView::Selected(int index) const {
  return index >= 0 && index < ItemCount() && FItems[size_t(index)].Selected;
}

void TListView::SetSelected(int index, bool value) {
  Items(index);
  if (!FMultiSelect) {
    if (value)
      SetItemIndex(index);
    else if (index == FItemIndex)
      SetItemIndex(-1);
    return;
  }
  if (FItems[size_t(index)].Selected == value) return;
  FItems[size_t(index)].Selected = value;
  if (value) FItemIndex = index;
  Invalidate();
}

int TListView::SelCount() const {
  return int(std::count_if(FItems.begin(), FItems.end(), [](const TListItem& item) { return item.Selected; }));
}

// ---- Layout -------------------------------------------------------------------------

int TListView::HeaderHeight() {
  if (FViewStyle != vsReport) return 0;
  return Canvas()->TextHeight("Wg") + 6;
}

RECT TListView::ItemsArea() {
  RECT c = ClientRect();
  // Without a window yet the client area still includes the edge.
  if (!HandleAllocated()) c.Inflate(-2, -2);
  RECT r{c.Left, c.Top + HeaderHeight(), c.Right, c.Bottom};
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

int TListView::WidestCaption() {
  if (FWidestCaption < 0) {
    Canvas()->SetFont(Font());
    int widest = 0;
    for (const TListItem& item : FItems) widest = std::max(widest, int(Canvas()->TextWidth(item.Caption)));
    FWidestCaption = widest;
  }
  return FWidestCaption;
}

SIZE TListView::CellSize() {
  Canvas()->SetFont(Font());
  const int text = Canvas()->TextHeight("Wg");
  if (FViewStyle == vsIcon) {
    const int icon = FLargeImages ? FLargeImages->Height() : 32;
    const int width = std::max(FLargeImages ? FLargeImages->Width() : 32, 64) + 8;
    return {width, icon + text + 8};
  }
  const int icon = FSmallImages ? FSmallImages->Height() : 0;
  const int height = std::max(icon, text) + 2;
  if (FViewStyle == vsReport) return {std::max(ColumnsWidth(), ItemsArea().Right - ItemsArea().Left), height};
  return {std::min(WidestCaption(), 200) + (FSmallImages ? FSmallImages->Width() + 4 : 0) + 8, height};
}

int TListView::ItemsPerLine() {
  const RECT area = ItemsArea();
  const SIZE cell = CellSize();
  if (FViewStyle == vsReport) return 1;
  if (ColumnMajor()) return std::max(int((area.Bottom - area.Top) / cell.cy), 1);
  return std::max(int((area.Right - area.Left) / cell.cx), 1);
}

int TListView::VisibleLines() {
  const RECT area = ItemsArea();
  const SIZE cell = CellSize();
  if (ColumnMajor()) return std::max(int((area.Right - area.Left) / cell.cx), 1);
  return std::max(int((area.Bottom - area.Top) / cell.cy), 1);
}

void TListView::SetTopIndex(int value) {
  const int perLine = ItemsPerLine();
  const int lines = (ItemCount() + perLine - 1) / perLine;
  value = std::clamp(value, 0, std::max(lines - VisibleLines(), 0));
  if (value == FTopIndex) return;
  FTopIndex = value;
  UpdateScrollBars();
  Invalidate();
}

RECT TListView::ItemRect(int index) {
  if (index < 0 || index >= ItemCount()) return {};
  const RECT area = ItemsArea();
  const SIZE cell = CellSize();
  const int perLine = ItemsPerLine();
  const int line = index / perLine - FTopIndex;
  const int slot = index % perLine;
  if (line < 0 || line >= VisibleLines() + 1) return {};
  const int x = area.Left + (ColumnMajor() ? line : slot) * cell.cx - FScrollX;
  const int y = area.Top + (ColumnMajor() ? slot : line) * cell.cy;
  if (x >= area.Right || y >= area.Bottom) return {};
  return {x, y, x + cell.cx, y + cell.cy};
}

int TListView::ItemAt(int x, int y) {
  const RECT area = ItemsArea();
  if (x < area.Left || x >= area.Right || y < area.Top || y >= area.Bottom) return -1;
  x += FScrollX;
  const SIZE cell = CellSize();
  const int col = (x - area.Left) / cell.cx;
  const int row = (y - area.Top) / cell.cy;
  const int perLine = ItemsPerLine();
  const int line = (ColumnMajor() ? col : row) + FTopIndex;
  const int slot = ColumnMajor() ? row : col;
  if (slot >= perLine) return -1;
  const int index = line * perLine + slot;
  return index < ItemCount() ? index : -1;
}

void TListView::ScrollIntoView(int index) {
  if (index < 0) return;
  const int line = index / ItemsPerLine();
  if (line < FTopIndex)
    SetTopIndex(line);
  else if (line >= FTopIndex + VisibleLines())
    SetTopIndex(line - VisibleLines() + 1);
}

// ---- Input ----------------------------------------------------------------------------

void TListView::SelectByUser(int index, TShiftState shift) {
  if (index < 0 || index >= ItemCount()) return;
  ScrollIntoView(index);
  if (!FMultiSelect || !(shift.Contains(ssShift) || shift.Contains(ssCtrl))) {
    if (index == FItemIndex && SelCount() == 1 && Selected(index)) return;
    std::vector<int> dropped;
    for (int i = 0; i < ItemCount(); ++i)
      if (FItems[size_t(i)].Selected && i != index) dropped.push_back(i);
    SetItemIndex(index);
    for (int i : dropped) OnSelectItem(this, i, false);
    OnSelectItem(this, index, true);
    return;
  }
  if (shift.Contains(ssShift)) {
    // The range from the anchor replaces the selection (Ctrl keeps the rest).
    const int anchor = FAnchor >= 0 ? FAnchor : index;
    const int low = std::min(anchor, index), high = std::max(anchor, index);
    for (int i = 0; i < ItemCount(); ++i) {
      const bool selected = (i >= low && i <= high) || (shift.Contains(ssCtrl) && FItems[size_t(i)].Selected);
      if (FItems[size_t(i)].Selected == selected) continue;
      FItems[size_t(i)].Selected = selected;
      OnSelectItem(this, i, selected);
    }
    FItemIndex = index;
    FAnchor = anchor;
  } else {
    const bool selected = !FItems[size_t(index)].Selected;
    FItems[size_t(index)].Selected = selected;
    FItemIndex = index;
    FAnchor = index;
    OnSelectItem(this, index, selected);
  }
  Invalidate();
}

int TListView::DividerAt(int x, int y) {
  if (FViewStyle != vsReport || y < ClientRect().Top || y >= ClientRect().Top + HeaderHeight()) return -1;
  int right = ClientRect().Left - FScrollX;
  for (size_t c = 0; c < FColumns.size(); ++c) {
    right += FColumns[c].Width;
    if (std::abs(x - right) <= kDividerGrip) return int(c);
  }
  return -1;
}

void TListView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    const int column = DividerAt(x, y);
    if (column >= 0) {
      FSizingColumn = column;
      FSizingStart = ClientRect().Left - FScrollX;
      for (int c = 0; c < column; ++c) FSizingStart += FColumns[size_t(c)].Width;
      TCustomControl::MouseDown(button, shift, x, y);
      return;
    }
  }
  if (button == mbLeft || button == mbRight) {
    const int index = ItemAt(x, y);
    // A right click on a selected item keeps a multiple selection for its menu.
    if (index >= 0 && !(button == mbRight && Selected(index)))
      SelectByUser(index, button == mbLeft ? shift : TShiftState{});
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TListView::MouseMove(TShiftState shift, int x, int y) {
  if (FSizingColumn >= 0) {
    const int width = std::max(x - FSizingStart, kMinColumnWidth);
    if (width != FColumns[size_t(FSizingColumn)].Width) {
      FColumns[size_t(FSizingColumn)].Width = width;
      ColumnsChanged();
    }
  }
  SetCursor(FSizingColumn >= 0 || DividerAt(x, y) >= 0 ? crSizeWE : crDefault);
  TCustomControl::MouseMove(shift, x, y);
}

void TListView::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  FSizingColumn = -1;
  TCustomControl::MouseUp(button, shift, x, y);
}

void TListView::FontChanged() {
  TCustomControl::FontChanged();
  FWidestCaption = -1;
  UpdateScrollBars();
  Invalidate();
}

void TListView::KeyDown(WORD& key, TShiftState shift) {
  const int perLine = ItemsPerLine();
  const int current = std::max(FItemIndex, 0);
  // Along a line is one step; across lines is a line's worth of items.
  const int across = FViewStyle == vsReport ? 1 : perLine;
  const int along = 1;
  int target = -1;
  switch (key) {
    case VK_UP: target = current - (ColumnMajor() ? along : across); break;
    case VK_DOWN: target = current + (ColumnMajor() ? along : across); break;
    case VK_LEFT: target = FViewStyle == vsReport ? -1 : current - (ColumnMajor() ? across : along); break;
    case VK_RIGHT: target = FViewStyle == vsReport ? -1 : current + (ColumnMajor() ? across : along); break;
    case VK_HOME: target = 0; break;
    case VK_END: target = ItemCount() - 1; break;
    default: TCustomControl::KeyDown(key, shift); return;
  }
  if (FItemIndex < 0 && ItemCount() > 0) target = 0;
  // Shift extends a multiple selection from the anchor; Ctrl alone only moves it.
  if (target >= 0 && target < ItemCount()) SelectByUser(target, shift - TShiftState{ssCtrl});
  key = 0;
}

void TListView::WndProc(TMessage& message) {
  if (message.Msg == WM_MOUSEWHEEL) {
    SetTopIndex(FTopIndex - GET_WHEEL_DELTA_WPARAM(message.WParam) / WHEEL_DELTA);
    return;
  }
  if (message.Msg == WM_VSCROLL || message.Msg == WM_HSCROLL) {
    Scroll(message.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(message.WParam));
    message.Result = 0;
    return;
  }
  TCustomControl::WndProc(message);
  if (message.Msg == WM_SIZE) {
    // The layout changed: keep the positions inside it and the bars in step.
    SetTopIndex(FTopIndex);
    SetScrollX(FScrollX);
    UpdateScrollBars();
  }
  if (message.Msg == WM_SETFOCUS || message.Msg == WM_KILLFOCUS) Invalidate();
}

// ---- Painting -------------------------------------------------------------------------

void TListView::DrawItem(int index, const RECT& rect, bool selected) {
  TCanvas* canvas = Canvas();
  const HDC dc = canvas->Handle();
  const TListItem& item = FItems[size_t(index)];
  const COLORREF text = ColorToColorRef(selected ? SystemColor(COLOR_HIGHLIGHTTEXT) : Font()->Color());
  const auto highlight = [&](RECT r) {
    if (!selected) return;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(SystemColor(COLOR_HIGHLIGHT));
    canvas->FillRect(r);
  };
  SetBkMode(dc, TRANSPARENT);
  if (FViewStyle == vsIcon) {
    const int iconW = FLargeImages ? FLargeImages->Width() : 32;
    const int iconH = FLargeImages ? FLargeImages->Height() : 32;
    if (FLargeImages && item.ImageIndex >= 0 && item.ImageIndex < FLargeImages->Count())
      FLargeImages->Draw(canvas, (rect.Left + rect.Right - iconW) / 2, rect.Top + 2, item.ImageIndex, Enabled());
    RECT label{rect.Left + 2, rect.Top + iconH + 4, rect.Right - 2, rect.Bottom};
    highlight(label);
    SetTextColor(dc, text);
    DrawText(dc, std::string_view(item.Caption), &label, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    return;
  }
  int x = rect.Left + 2;
  if (FSmallImages) {
    if (item.ImageIndex >= 0 && item.ImageIndex < FSmallImages->Count())
      FSmallImages->Draw(canvas, x, rect.Top + (rect.Bottom - rect.Top - FSmallImages->Height()) / 2, item.ImageIndex,
                         Enabled());
    x += FSmallImages->Width() + 4;
  }
  const int firstWidth = FViewStyle == vsReport && !FColumns.empty() ? FColumns[0].Width : rect.Right - rect.Left;
  RECT label{x, rect.Top, rect.Left + firstWidth - 2, rect.Bottom};
  highlight(FViewStyle == vsReport ? RECT{x, rect.Top, rect.Right, rect.Bottom} : label);
  SetTextColor(dc, text);
  DrawText(dc, std::string_view(item.Caption), &label, DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  if (FViewStyle != vsReport) return;
  int left = rect.Left + firstWidth;
  for (size_t c = 1; c < FColumns.size(); ++c) {
    RECT cell{left + 4, rect.Top, left + FColumns[c].Width - 4, rect.Bottom};
    if (c - 1 < item.SubItems.size())
      DrawText(dc, std::string_view(item.SubItems[c - 1]), &cell,
               DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX | AlignmentFlags(FColumns[c].Alignment));
    left += FColumns[c].Width;
  }
}

uint32_t TListView::AlignmentFlags(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
  }
}

void TListView::DrawHeader(int column, const RECT& header) {
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(SystemColor(COLOR_BTNFACE));
  canvas->FillRect(header);
  RECT edge = header;
  DrawEdge(canvas->Handle(), &edge, EDGE_RAISED, BF_RECT);
  RECT text{header.Left + 4, header.Top, header.Right - 4, header.Bottom};
  SetBkMode(canvas->Handle(), TRANSPARENT);
  SetTextColor(canvas->Handle(), ColorToColorRef(SystemColor(COLOR_BTNTEXT)));
  const TListColumn& c = FColumns[size_t(column)];
  DrawText(canvas->Handle(), std::string_view(c.Caption), &text,
           DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX | AlignmentFlags(c.Alignment));
}

void TListView::Paint() {
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  RECT client = ClientRect();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(client);
  if (FViewStyle == vsReport) {
    // Column headers, scrolled with the rows.
    const int h = HeaderHeight();
    int left = client.Left - FScrollX;
    for (size_t c = 0; c < FColumns.size(); ++c) {
      const RECT header{left, client.Top, left + FColumns[c].Width, client.Top + h};
      if (header.Right > client.Left && header.Left < client.Right) DrawHeader(int(c), header);
      left += FColumns[c].Width;
    }
  }
  const RECT area = ItemsArea();
  ScopedSaveDC saved(canvas->Handle());
  IntersectClipRect(canvas->Handle(), area.Left, area.Top, area.Right, area.Bottom);
  // Only the lines in view, and the part-shown one after them.
  const int perLine = ItemsPerLine();
  const int first = FTopIndex * perLine;
  const int last = std::min(ItemCount(), (FTopIndex + VisibleLines() + 1) * perLine);
  for (int i = first; i < last; ++i) {
    const RECT r = ItemRect(i);
    if (r.Right <= r.Left) continue;
    DrawItem(i, r, FItems[size_t(i)].Selected);
    if (i == FItemIndex && Focused()) canvas->DrawFocusRect(r);
  }
}

}  // namespace kora

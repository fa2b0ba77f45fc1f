// TPageControl and TTabSheet: pages, tabs on one line, switching.

#include <algorithm>

#include "framework/controls/ComCtrls.h"
#include "framework/core/ClassBuilder.h"
#include "platform/text/Text.h"
#include "platform/text/TextFlags.h"

namespace kora {

namespace {

constexpr int kTabPadding = 6;  // on each side of a caption
constexpr int kStripInset = 2;  // the strip starts this far from the edges

}  // namespace

const TTypeInfo* TypeInfoOf(TTabPosition) {
  static const TTypeInfo info = EnumTypeInfo("TTabPosition", {"tpTop", "tpBottom", "tpLeft", "tpRight"});
  return &info;
}

// ---- TTabSheet ------------------------------------------------------------------------

TClass TTabSheet::StaticClass() {
  static const TClassInfo info(TClassBuilder<TTabSheet>("TTabSheet")
                                   .Property("PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl)
                                   .Property("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex)
                                   .Property("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible)
                                   .Default(true)
                                   .Property("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex)
                                   .Default(-1)
                                   .Redeclare("Align")
                                   .Default(alClient)
                                   .Redeclare("Visible")
                                   .Default(false));
  return &info;
}

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
  SetAlign(alClient);
  SetVisible(false);
}

TTabSheet::~TTabSheet() { SetParent(nullptr); }

void TTabSheet::SetPageControl(TPageControl* value) { SetParent(value); }

void TTabSheet::SetParent(TWinControl* value) {
  if (value == Parent()) return;
  if (FPageControl) FPageControl->RemovePage(this);
  TCustomControl::SetParent(value);
  if (auto* pages = dynamic_cast<TPageControl*>(value)) pages->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  const auto& pages = FPageControl->FPages;
  return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value) {
  if (!FPageControl) return;
  auto& pages = FPageControl->FPages;
  pages.erase(std::find(pages.begin(), pages.end(), this));
  pages.insert(pages.begin() + std::clamp(value, 0, int(pages.size())), this);
  FPageControl->PagesChanged();
}

void TTabSheet::SetTabVisible(bool value) {
  if (value == FTabVisible) return;
  FTabVisible = value;
  if (FPageControl) FPageControl->PagesChanged();
}

int TTabSheet::TabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  int index = 0;
  for (const TTabSheet* page : FPageControl->FPages) {
    if (page == this) return index;
    if (page->FTabVisible) ++index;
  }
  return -1;
}

void TTabSheet::TextChanged() {
  TCustomControl::TextChanged();
  if (FPageControl) FPageControl->PagesChanged();
}

// ---- TPageControl ------------------------------------------------------------------

TClass TPageControl::StaticClass() {
  static const TClassInfo info(TClassBuilder<TPageControl>("TPageControl")
                                   .Property("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage)
                                   .Property("HotTrack", &TPageControl::HotTrack, &TPageControl::SetHotTrack)
                                   .Default(false)
                                   .Property("TabHeight", &TPageControl::TabHeight, &TPageControl::SetTabHeight)
                                   .Default(0)
                                   .Property("TabPosition", &TPageControl::TabPosition, &TPageControl::SetTabPosition)
                                   .Default(tpTop)
                                   .Property("TabWidth", &TPageControl::TabWidth, &TPageControl::SetTabWidth)
                                   .Default(0)
                                   .Property("OnChange", &TPageControl::OnChange)
                                   .Property("OnChanging", &TPageControl::OnChanging)
                                   .Redeclare("TabStop")
                                   .Default(true));
  return &info;
}

TPageControl::TPageControl(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csDoubleClicks, csOpaque});
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

TPageControl::~TPageControl() {
  // The pages are children and go first; they must not call back into a
  // half-destroyed control.
  for (TTabSheet* page : FPages) page->FPageControl = nullptr;
  FPages.clear();
}

TTabSheet* TPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FPages[size_t(index)];
}

void TPageControl::InsertPage(TTabSheet* page) {
  FPages.push_back(page);
  page->FPageControl = this;
  if (!FActivePage) SetActivePage(page);
  PagesChanged();
}

void TPageControl::RemovePage(TTabSheet* page) {
  const int index = page->PageIndex();
  FPages.erase(FPages.begin() + index);
  page->FPageControl = nullptr;
  if (page == FActivePage) {
    FActivePage = nullptr;
    page->SetVisible(false);
    if (!FPages.empty()) SetActivePage(FPages[size_t(std::min(index, PageCount() - 1))]);
  }
  PagesChanged();
}

void TPageControl::PagesChanged() {
  Realign();
  Invalidate();
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->FPageControl != this)
    throw EInvalidOperation("Page " + page->Name() + " is not in this page control");
  if (page == FActivePage) return;
  TTabSheet* old = FActivePage;
  FActivePage = page;
  if (page) {
    page->BringToFront();
    page->SetVisible(true);
  }
  if (old) old->SetVisible(false);
  Invalidate();
}

void TPageControl::SetActivePageIndex(int index) {
  SetActivePage(index >= 0 && index < PageCount() ? FPages[size_t(index)] : nullptr);
}

TTabSheet* TPageControl::PageForTab(int tabIndex) const {
  for (TTabSheet* page : FPages)
    if (page->TabVisible() && tabIndex-- == 0) return page;
  return nullptr;
}

int TPageControl::VisibleTabCount() const {
  return int(std::count_if(FPages.begin(), FPages.end(), [](const TTabSheet* p) { return p->TabVisible(); }));
}

void TPageControl::SetTabHeight(int value) {
  FTabHeight = std::max(value, 0);
  PagesChanged();
}

void TPageControl::SetTabWidth(int value) {
  FTabWidth = std::max(value, 0);
  PagesChanged();
}

void TPageControl::SetTabPosition(TTabPosition value) {
  FTabPosition = value;
  PagesChanged();
}

void TPageControl::FontChanged() {
  TCustomControl::FontChanged();
  PagesChanged();
}

// ---- Geometry ---------------------------------------------------------------------

int TPageControl::CaptionWidth(const std::string& caption) {
  TCanvas measure;
  const HDC dc = GetDC(HWND());
  measure.SetHandle(dc);
  measure.SetFont(Font());
  RECT r{0, 0, 0, 0};
  DrawText(measure.Handle(), std::string_view(caption), &r, DT_SINGLELINE | DT_CALCRECT);
  const int height = measure.TextHeight("Wg");
  measure.SetHandle(HDC());
  ReleaseDC(HWND(), dc);
  return caption.empty() ? height : r.Right - r.Left;
}

int TPageControl::StripHeight() {
  if (FTabHeight > 0) return FTabHeight;
  TCanvas measure;
  const HDC dc = GetDC(HWND());
  measure.SetHandle(dc);
  measure.SetFont(Font());
  const int h = measure.TextHeight("Wg") + 6;
  measure.SetHandle(HDC());
  ReleaseDC(HWND(), dc);
  return h;
}

RECT TPageControl::TabRect(int tabIndex) {
  const int height = StripHeight();
  const bool bottom = FTabPosition == tpBottom;
  const int top = bottom ? ClientHeight() - kStripInset - height : kStripInset;
  int left = kStripInset;
  for (int i = 0; TTabSheet* page = PageForTab(i); ++i) {
    const int width = FTabWidth > 0 ? FTabWidth : CaptionWidth(page->Caption()) + 2 * kTabPadding;
    if (i == tabIndex) return {left, top, left + width, top + height};
    left += width;
  }
  return {};
}

int TPageControl::IndexOfTabAt(int x, int y) {
  const int count = VisibleTabCount();
  for (int i = 0; i < count; ++i) {
    const RECT r = TabRect(i);
    if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return i;
  }
  return -1;
}

RECT TPageControl::DisplayRect() {
  RECT r = ClientRect();
  AdjustClientRect(r);
  return r;
}

void TPageControl::AdjustClientRect(RECT& rect) const {
  // The strip's height needs the font; const only towards the caller.
  const int strip = VisibleTabCount() > 0 ? const_cast<TPageControl*>(this)->StripHeight() + kStripInset : 0;
  const RECT client = ClientRect();
  rect = {client.Left + 4, client.Top + 4, client.Right - 4, client.Bottom - 4};
  // The page's edge starts where the tabs end, so its 2-pixel frame is all
  // that lies between the strip and the page.
  if (FTabPosition == tpBottom)
    rect.Bottom = std::min(rect.Bottom, client.Bottom - strip - 2);
  else if (strip > 0)
    rect.Top = client.Top + strip + 2;
  rect.Right = std::max(rect.Right, rect.Left);
  rect.Bottom = std::max(rect.Bottom, rect.Top);
}

// ---- Switching ---------------------------------------------------------------------

bool TPageControl::CanChange() {
  bool allow = true;
  OnChanging(this, allow);
  return allow;
}

void TPageControl::Change() { OnChange(this); }

void TPageControl::ChangeActivePage(TTabSheet* page) {
  if (!page || page == FActivePage) return;
  if (!CanChange()) return;
  SetActivePage(page);
  Change();
}

void TPageControl::SelectNextPage(bool goForward) {
  const int count = VisibleTabCount();
  if (count == 0) return;
  const int current = TabIndex();
  const int next =
      current < 0 ? (goForward ? 0 : count - 1) : ((current + (goForward ? 1 : -1)) % count + count) % count;
  ChangeActivePage(PageForTab(next));
}

void TPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    const int tab = IndexOfTabAt(x, y);
    if (tab >= 0) ChangeActivePage(PageForTab(tab));
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TPageControl::KeyDown(WORD& key, TShiftState shift) {
  const int current = TabIndex();
  if (key == VK_LEFT || key == VK_UP) {
    if (current > 0) ChangeActivePage(PageForTab(current - 1));
  } else if (key == VK_RIGHT || key == VK_DOWN) {
    if (current + 1 < VisibleTabCount()) ChangeActivePage(PageForTab(current + 1));
  } else {
    TCustomControl::KeyDown(key, shift);
    return;
  }
  key = 0;
}

bool TPageControl::DialogKey(WORD key, TShiftState shift) {
  // Ctrl+Tab switches pages while the focus is anywhere inside.
  if (key == VK_TAB && shift.Contains(ssCtrl)) {
    TWinControl* form = GetParentForm(this);
    TWinControl* focused = form ? form->FocusedControl() : nullptr;
    if (focused && ContainsControl(focused)) {
      SelectNextPage(!shift.Contains(ssShift));
      return true;
    }
  }
  return TCustomControl::DialogKey(key, shift);
}

void TPageControl::WndProc(TMessage& message) {
  TCustomControl::WndProc(message);
  if (message.Msg == WM_SETFOCUS || message.Msg == WM_KILLFOCUS) Invalidate();
}

// ---- Painting -------------------------------------------------------------------------

void TPageControl::DrawTab(int tabIndex, const RECT& rect, bool active) {
  TCanvas* canvas = Canvas();
  // The font goes in before the context is taken: Handle() selects it.
  canvas->SetFont(Font());
  const HDC dc = canvas->Handle();
  RECT r = rect;
  const bool bottom = FTabPosition == tpBottom;
  // The active tab stands out by 2 pixels and covers the page's edge
  // beside it, so tab and page read as one.
  if (active) r = {r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2};
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(r);
  RECT edge = r;
  DrawEdge(dc, &edge, EDGE_RAISED, BF_LEFT | BF_RIGHT | (bottom ? BF_BOTTOM : BF_TOP));
  TTabSheet* page = PageForTab(tabIndex);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToColorRef(page->Enabled() ? Font()->Color() : SystemColor(COLOR_GRAYTEXT)));
  RECT text = r;
  DrawText(dc, std::string_view(page->Caption()), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (active && Focused()) {
    const RECT focus{r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3};
    canvas->DrawFocusRect(focus);
  }
}

void TPageControl::Paint() {
  TCanvas* canvas = Canvas();
  const RECT client = ClientRect();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(client);
  const RECT display = DisplayRect();
  RECT frame{display.Left - 2, display.Top - 2, display.Right + 2, display.Bottom + 2};
  DrawEdge(canvas->Handle(), &frame, EDGE_RAISED, BF_RECT);
  const int active = TabIndex();
  const int count = VisibleTabCount();
  for (int i = 0; i < count; ++i)
    if (i != active) DrawTab(i, TabRect(i), false);
  if (active >= 0) DrawTab(active, TabRect(active), true);
}

}  // namespace kora

// The plain menu bar: a form's main menu drawn in its frame between the
// caption and the client area, with the plain popup windows as its
// drop-downs. The menu bar core drives it; this is its geometry and look.

#include <algorithm>
#include <map>
#include <memory>

#include "framework/forms/Forms.h"
#include "framework/menus/Menus.h"
#include "framework/menus/Menus_BarTracker.h"
#include "framework/menus/Menus_PlainLook.h"
#include "platform/text/Text.h"
#include "platform/window/WindowSystem.h"

namespace kora {

namespace {

constexpr int kItemPadding = 7;

int BarHeight() { return GetSystemMetrics(SM_CYMENU); }

// The bar in screen coordinates: the strip just above the client area.
RECT BarScreenRect(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  MapWindowPoints(hwnd, HWND{}, &client);
  return {client.Left, client.Top - BarHeight(), client.Right, client.Top};
}

// The bar of one form: its items side by side from the left, each its
// caption's width plus padding, the lit or open one in the highlight.
class TPlainMenuBar final : public TComponent, public TMenuBarLook {
public:
  explicit TPlainMenuBar(TCustomForm& form) : TComponent(nullptr), FForm(&form) { form.FreeNotification(this); }
  ~TPlainMenuBar() override {
    if (FForm) FForm->RemoveFreeNotification(this);
  }

  TCustomForm* Form() const { return FForm; }
  TMenuBarTracker& Tracker() { return FTracker; }
  bool Message(TMessage& message);
  // Screen coordinates of the visible items.
  std::vector<RECT> Layout() const;
  void Paint() const;

  int BarItemCount() const override { return int(Items().size()); }
  TMenuItem* BarItem(int index) const override { return Items()[size_t(index)]; }
  int BarItemAt(POINT screen) const override;
  void BarStateChanged(bool) override { Paint(); }
  TMenuTrackEnd DropDown(int index, const TMenuBarDrop& drop) override;

protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation != opRemove || component != FForm) return;
    FForm = nullptr;
    FTracker.Leave();
  }

private:
  std::vector<TMenuItem*> Items() const;
  bool Usable() const { return FForm && FForm->Menu() && FForm->HandleAllocated(); }

  TCustomForm* FForm;
  TMenuBarTracker FTracker{*this};
};

std::vector<TMenuItem*> TPlainMenuBar::Items() const {
  std::vector<TMenuItem*> items;
  if (!FForm || !FForm->Menu()) return items;
  TMenuItem* root = FForm->Menu()->Items();
  for (int i = 0; i < root->Count(); ++i)
    if (root->Items(i)->Visible()) items.push_back(root->Items(i));
  return items;
}

std::vector<RECT> TPlainMenuBar::Layout() const {
  std::vector<RECT> rects;
  if (!Usable()) return rects;
  const RECT bar = BarScreenRect(FForm->Handle());
  TCanvas canvas;
  HDC dc = GetDC(HWND{});
  canvas.SetHandle(dc);
  int x = bar.Left;
  for (TMenuItem* item : Items()) {
    RECT text{0, 0, 0, 0};
    DrawText(canvas.Handle(), item->Caption(), &text, DT_CALCRECT | DT_SINGLELINE);
    const int width = text.Right + 2 * kItemPadding;
    rects.push_back({x, bar.Top, x + width, bar.Bottom});
    x += width;
  }
  canvas.SetHandle(HDC{});
  ReleaseDC(HWND{}, dc);
  return rects;
}

int TPlainMenuBar::BarItemAt(POINT screen) const {
  const std::vector<RECT> rects = Layout();
  for (size_t i = 0; i < rects.size(); ++i)
    if (PtInRect(&rects[i], screen)) return int(i);
  return -1;
}

void TPlainMenuBar::Paint() const {
  if (!Usable()) return;
  const HWND hwnd = FForm->Handle();
  RECT window;
  GetWindowRect(hwnd, &window);
  HDC dc = GetWindowDC(hwnd);
  TCanvas canvas;
  canvas.SetHandle(dc);
  RECT bar = BarScreenRect(hwnd);
  OffsetRect(&bar, -window.Left, -window.Top);
  canvas.Brush()->SetColor(clMenu);
  canvas.FillRect(bar);
  const std::vector<TMenuItem*> items = Items();
  const std::vector<RECT> rects = Layout();
  for (size_t i = 0; i < rects.size(); ++i) {
    RECT r = rects[i];
    OffsetRect(&r, -window.Left, -window.Top);
    // The classic bar does not light up under the pointer at rest.
    const TMenuBarItemState state = FTracker.ItemState(int(i));
    const bool lit = state == TMenuBarItemState::Lit || state == TMenuBarItemState::Open;
    if (lit) {
      canvas.Brush()->SetColor(clHighlight);
      canvas.FillRect(r);
    }
    DrawMenuText(canvas, items[i]->Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE, items[i]->Enabled(), lit);
  }
  canvas.SetHandle(HDC{});
  ReleaseDC(hwnd, dc);
}

TMenuTrackEnd TPlainMenuBar::DropDown(int index, const TMenuBarDrop& drop) {
  const RECT anchor = Layout()[size_t(index)];
  TPlainMenuTracker tracker(BarItem(index));
  tracker.LeaveSideways = true;
  tracker.OnMouseOutside = drop.OnMouseOutside;
  tracker.OnClosed = [&] {
    if (drop.OnClosed) drop.OnClosed(tracker.Chosen() != nullptr);
  };
  // The chosen command may free this bar with its form: nothing of it is
  // used once the tracker returns.
  return tracker.Track({anchor.Left, anchor.Bottom}, &anchor, drop.SelectFirst);
}

bool TPlainMenuBar::Message(TMessage& message) {
  TMainMenu* menu = FForm->Menu();
  const HWND hwnd = FForm->Handle();
  switch (message.Msg) {
    case WM_NCCALCSIZE: {
      message.Result = DefWindowProc(hwnd, message.Msg, message.WParam, message.LParam);
      // With wParam the first rectangle of NCCALCSIZE_PARAMS is the client.
      RECT* client = reinterpret_cast<RECT*>(message.LParam);
      if (client) client->Top = std::min<int>(client->Top + BarHeight(), client->Bottom);
      menu->SetWindowHandle(hwnd);
      return true;
    }
    case WM_NCPAINT:
    case WM_NCACTIVATE:
      message.Result = DefWindowProc(hwnd, message.Msg, message.WParam, message.LParam);
      Paint();
      return true;
    case WM_NCHITTEST: {
      const POINT p = LParamToPoint(message.LParam);
      const RECT bar = BarScreenRect(hwnd);
      if (!PtInRect(&bar, p)) return false;
      message.Result = HTMENU;
      return true;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (message.WParam != WPARAM(HTMENU)) return false;
      FTracker.PointerDown(LParamToPoint(message.LParam));
      message.Result = 0;
      return true;
    case WM_SYSCOMMAND:
      if ((message.WParam & 0xFFF0) != SC_KEYMENU) return false;
      message.Result = 0;
      return FTracker.KeyMenu(char32_t(message.LParam));
    case WM_ACTIVATE:
      if (LOWORD(message.WParam) == WA_INACTIVE) FTracker.Leave();
      return false;
    case WM_CANCELMODE: FTracker.Leave(); return false;
    case WM_NCDESTROY:
      FTracker.Leave();
      if (menu->WindowHandle() == hwnd) menu->SetWindowHandle(HWND{});
      return false;
    default: return false;
  }
}

// The bars of the forms that have had a menu. A freed form's bar forgets
// it and goes at the next look-up.
std::map<const TCustomForm*, std::unique_ptr<TPlainMenuBar>>& Bars() {
  static std::map<const TCustomForm*, std::unique_ptr<TPlainMenuBar>> bars;
  return bars;
}

TPlainMenuBar* BarOf(TCustomForm& form, bool make = true) {
  auto& bars = Bars();
  for (auto it = bars.begin(); it != bars.end();) it = it->second->Form() ? std::next(it) : bars.erase(it);
  const auto found = bars.find(&form);
  if (found != bars.end()) return found->second.get();
  if (!make) return nullptr;
  return bars.emplace(&form, std::make_unique<TPlainMenuBar>(form)).first->second.get();
}

}  // namespace

void PlainMenuBarChanged(TCustomForm& form) {
  if (form.ComponentState().Contains(csDestroying)) return;
  if (TMainMenu* menu = form.Menu(); menu && form.HandleAllocated()) menu->SetWindowHandle(form.Handle());
  if (TPlainMenuBar* bar = BarOf(form, false); bar && !form.Menu()) bar->Tracker().Leave();
  if (form.HandleAllocated())
    SetWindowPos(form.Handle(), HWND{}, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT PlainMenuBarItemRect(TCustomForm& form, int index) {
  if (!form.Menu() || !form.HandleAllocated() || index < 0) return {};
  const std::vector<RECT> rects = BarOf(form)->Layout();
  return index < int(rects.size()) ? rects[size_t(index)] : RECT{};
}

const TMenuBarTracker* PlainMenuBarTracker(TCustomForm& form) {
  return form.Menu() ? &BarOf(form)->Tracker() : nullptr;
}

bool PlainMenuBarMessage(TCustomForm& form, TMessage& message) {
  if (!form.Menu() || !form.HandleAllocated()) return false;
  return BarOf(form)->Message(message);
}

}  // namespace kora

#include "platform/backends/sdl/SdlWindows.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/window/Window.h"

namespace kora {

namespace {

bool SameShape(const std::optional<Region>& applied, const Region* wanted) {
  if (!applied || !wanted) return !applied && !wanted;
  return *applied == *wanted;
}

// Our pixels are 0xAARRGGBB; X's 24-bit visuals take them as they are.
bool TakesPixelsAsTheyAre(const SDL_PixelFormat& f) {
  return f.BytesPerPixel == 4 && f.Rmask == 0x00FF0000 && f.Gmask == 0x0000FF00 && f.Bmask == 0x000000FF;
}

}  // namespace

SdlWindowSet::~SdlWindowSet() { DestroyAll(); }

void SdlWindowSet::DestroyAll() {
  for (auto& [key, w] : FWindows)
    if (w->Sdl) SDL_DestroyWindow(w->Sdl);
  FWindows.clear();
  FStack.clear();
}

NativeWindow* SdlWindowSet::FromSdlId(uint32_t id) {
  if (id == 0) return nullptr;
  for (auto& [key, w] : FWindows)
    if (w->SdlId == id) return w.get();
  return nullptr;
}

NativeWindow* SdlWindowSet::FromXId(X11WindowId id) {
  if (id == 0) return nullptr;
  for (auto& [key, w] : FWindows)
    if (w->XId == id) return w.get();
  return nullptr;
}

bool SdlWindowSet::HasWindowManager() {
  if (!FWindowManager && FDisplay) FWindowManager = FDisplay.HasWindowManager();
  return FWindowManager.value_or(false);
}

NativeWindow* SdlWindowSet::FromHwnd(HWND top) {
  const auto it = FWindows.find(top.Value());
  return it == FWindows.end() ? nullptr : it->second.get();
}

bool SdlWindowSet::OwnsInputFocus() const {
  if (!FDisplay) return SDL_GetKeyboardFocus() != nullptr;
  const X11WindowId focus = FDisplay.FocusedWindow();
  for (const auto& [key, w] : FWindows)
    if (w->Shown && w->XId == focus) return true;
  return false;
}

void SdlWindowSet::Sync(HWND top) {
  TopLevelInfo info;
  const bool alive = GetTopLevelInfo(top, &info);
  auto it = FWindows.find(top.Value());
  if (!alive) {
    if (it != FWindows.end()) {
      Destroy(*it->second);
      FWindows.erase(it);
    }
    return;
  }
  // Native windows are made when first shown; an empty one cannot exist.
  const bool visible = info.Visible && !info.Rect.IsEmpty();
  if (it == FWindows.end()) {
    if (!visible) return;
    auto w = std::make_unique<NativeWindow>();
    w->Wnd = top;
    it = FWindows.emplace(top.Value(), std::move(w)).first;
  }
  NativeWindow& w = *it->second;
  const bool popup = info.NoActivate || info.ToolWindow;
  // Override-redirect is fixed when the X window is made.
  if (w.Sdl && w.Popup != popup) Destroy(w);
  w.Popup = popup;
  w.Rect = info.Rect;
  if (!visible) {
    Hide(w);
    return;
  }
  if (!w.Sdl) Create(w, info);
  // Without a window manager nobody could bring an iconified window back.
  const bool iconify = info.Minimized && HasWindowManager();
  if (info.Minimized && !iconify) {
    Hide(w);
    return;
  }
  ApplyAttributes(w, info);
  Place(w);
  if (!w.Shown) Show(w);
  if (iconify != w.Iconified) SetIconified(w, iconify);
  Restack();
}

void SdlWindowSet::SetIconified(NativeWindow& w, bool iconify) {
  w.Iconified = iconify;
  w.AwaitIconic = iconify;
  w.AwaitNormal = !iconify;
  w.UnmappedSinceAsked = false;
  if (!FDisplay) {
    if (iconify)
      SDL_MinimizeWindow(w.Sdl);
    else
      SDL_RestoreWindow(w.Sdl);
    return;
  }
  // SDL's restore would wait for the window manager without a limit.
  if (iconify) {
    FDisplay.Iconify(w.XId);
  } else {
    FDisplay.Map(w.XId);
    FDisplay.Activate(w.XId);
  }
}

void SdlWindowSet::Create(NativeWindow& w, const TopLevelInfo& info) {
  Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
  if (w.Popup) flags |= SDL_WINDOW_POPUP_MENU;  // override-redirect, no task-bar entry
  const RECT& r = info.Rect;
  const std::string title = w.Popup ? std::string() : GetWindowText(w.Wnd);
  w.Sdl = SDL_CreateWindow(title.c_str(), r.Left, r.Top, r.Width(), r.Height(), flags);
  if (!w.Sdl) throw std::runtime_error(std::string("Cannot create a window: ") + SDL_GetError());
  w.SdlId = SDL_GetWindowID(w.Sdl);
  w.XId = X11Display::WindowOf(w.Sdl);
  w.Placed = r;
  if (!FDisplay) FDisplay = X11Display::Of(w.Sdl);
  // Shapes go on after the surface exists: making it may replace the X window.
  SDL_GetWindowSurface(w.Sdl);
}

void SdlWindowSet::Destroy(NativeWindow& w) {
  if (!w.Sdl) return;
  const bool hadFocus = w.Shown && FDisplay && FDisplay.FocusedWindow() == w.XId;
  std::erase(FStack, w.XId);
  // SDL hides a window it destroys while it holds it shown, and would wait
  // for that without a limit (for ever, should another client have
  // destroyed the X window): it is withdrawn here, bounded, and SDL is told
  // of the unmapping before it gets to the window.
  if (FDisplay) {
    FDisplay.Withdraw(w.XId);
    SDL_PumpEvents();
  }
  SDL_DestroyWindow(w.Sdl);
  const HWND wnd = w.Wnd;
  w = NativeWindow{};
  w.Wnd = wnd;
  RefocusAway(w, hadFocus);
}

void SdlWindowSet::Show(NativeWindow& w) {
  if (FDisplay) {
    // SDL's own show waits for the window manager without a limit.
    FDisplay.Map(w.XId);
    // Without a window manager nobody hands a new window the focus; a menu
    // or hint leaves it where it is.
    if (!w.Popup && !HasWindowManager()) FDisplay.GiveFocusTo(w.XId);
  } else {
    SDL_ShowWindow(w.Sdl);
  }
  w.Shown = true;
  FStack.push_back(w.XId);  // mapped on top
  PresentAll(w);
}

void SdlWindowSet::Hide(NativeWindow& w) {
  if (!w.Shown) return;
  const bool hadFocus = FDisplay && FDisplay.FocusedWindow() == w.XId;
  if (FDisplay)
    FDisplay.Withdraw(w.XId);
  else
    SDL_HideWindow(w.Sdl);
  w.Shown = false;
  // Shown again, a withdrawn window comes back in the normal state.
  w.Iconified = w.AwaitIconic = w.AwaitNormal = w.UnmappedSinceAsked = false;
  std::erase(FStack, w.XId);
  RefocusAway(w, hadFocus);
}

void SdlWindowSet::RefocusAway(const NativeWindow& w, bool hadFocus) {
  if (!hadFocus) return;
  const std::vector<HWND> order = TopLevelWindowsBottomUp();
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const NativeWindow* other = FromHwnd(*it);
    if (other && other != &w && other->Shown && !other->Popup) {
      FDisplay.GiveFocusTo(other->XId);
      return;
    }
  }
}

void SdlWindowSet::Place(NativeWindow& w) {
  if (w.Rect == w.Placed) return;
  const bool moved = w.Rect.TopLeft() != w.Placed.TopLeft();
  const bool resized = w.Rect.Width() != w.Placed.Width() || w.Rect.Height() != w.Placed.Height();
  if (moved) SDL_SetWindowPosition(w.Sdl, w.Rect.Left, w.Rect.Top);
  if (resized) SDL_SetWindowSize(w.Sdl, w.Rect.Width(), w.Rect.Height());
  w.Placed = w.Rect;
  // A new size brings a new, blank framebuffer.
  if (resized && w.Shown) PresentAll(w);
}

void SdlWindowSet::ApplyAttributes(NativeWindow& w, const TopLevelInfo& info) {
  if (!w.Popup && info.Topmost != w.Topmost) {
    SDL_SetWindowAlwaysOnTop(w.Sdl, info.Topmost ? SDL_TRUE : SDL_FALSE);
    w.Topmost = info.Topmost;
  }
  if (!SameShape(w.Shape, info.Shape)) {
    FDisplay.SetShape(w.XId, info.Shape);
    w.Shape = info.Shape ? std::optional<Region>(*info.Shape) : std::nullopt;
  }
  if (info.Alpha != w.Alpha) {
    // Sets _NET_WM_WINDOW_OPACITY: a compositor honours it, a bare X
    // server shows the window opaque.
    SDL_SetWindowOpacity(w.Sdl, float(info.Alpha) / 255.0f);
    w.Alpha = info.Alpha;
  }
  if (!w.Popup) {
    const NativeWindow* owner = FromHwnd(info.Owner);
    const X11WindowId ownerId = owner ? owner->XId : 0;
    if (ownerId != w.TransientFor) {
      FDisplay.SetTransientFor(w.XId, ownerId);
      w.TransientFor = ownerId;
    }
    const std::string title = GetWindowText(w.Wnd);
    if (title != SDL_GetWindowTitle(w.Sdl)) SDL_SetWindowTitle(w.Sdl, title.c_str());
  }
}

void SdlWindowSet::Restack() {
  std::vector<X11WindowId> wanted;
  for (HWND h : TopLevelWindowsBottomUp()) {
    const NativeWindow* n = FromHwnd(h);
    if (n && n->Shown && n->XId) wanted.push_back(n->XId);
  }
  if (wanted == FStack) return;
  // Windows below the first difference already lie in order.
  std::size_t same = 0;
  while (same < wanted.size() && same < FStack.size() && wanted[same] == FStack[same]) ++same;
  FDisplay.RaiseInOrder(std::span(wanted).subspan(same));
  FStack = std::move(wanted);
}

void SdlWindowSet::Present(HWND top, std::span<const RECT> dirty) {
  NativeWindow* w = FromHwnd(top);
  if (w && w->Shown) CopyPixels(*w, dirty);
}

void SdlWindowSet::PresentAll(NativeWindow& w) {
  if (!w.Shown) return;
  const RECT all{0, 0, w.Rect.Width(), w.Rect.Height()};
  CopyPixels(w, std::span(&all, 1));
}

void SdlWindowSet::CopyPixels(NativeWindow& w, std::span<const RECT> rects) {
  TopLevelInfo info;
  if (!GetTopLevelInfo(w.Wnd, &info) || !info.Pixels.Bits) return;
  SDL_Surface* s = SDL_GetWindowSurface(w.Sdl);
  if (!s) return;
  const PixelSurface& px = info.Pixels;
  const RECT bounds{0, 0, std::min(s->w, px.Width), std::min(s->h, px.Height)};
  const bool direct = TakesPixelsAsTheyAre(*s->format);
  const int bpp = s->format->BytesPerPixel;
  std::vector<SDL_Rect> updated;
  if (SDL_MUSTLOCK(s)) SDL_LockSurface(s);
  for (const RECT& dirty : rects) {
    const RECT r = dirty.Intersect(bounds);
    if (r.IsEmpty()) continue;
    const uint32_t* src = px.Bits + std::size_t(r.Top) * px.Stride + r.Left;
    auto* dst = static_cast<uint8_t*>(s->pixels) + std::size_t(r.Top) * s->pitch + std::size_t(r.Left) * bpp;
    if (direct) {
      for (int y = 0; y < r.Height(); ++y)
        std::memcpy(dst + std::size_t(y) * s->pitch, src + std::size_t(y) * px.Stride, std::size_t(r.Width()) * 4);
    } else {
      SDL_ConvertPixels(r.Width(), r.Height(), SDL_PIXELFORMAT_ARGB8888, src, px.Stride * 4, s->format->format, dst,
                        s->pitch);
    }
    updated.push_back({r.Left, r.Top, r.Width(), r.Height()});
  }
  if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
  if (!updated.empty()) SDL_UpdateWindowSurfaceRects(w.Sdl, updated.data(), int(updated.size()));
}

}  // namespace kora

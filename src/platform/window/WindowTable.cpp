// The window table, the tree and the z-order lists.

#include <algorithm>

#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

namespace kora {

namespace {

// Handle value: slot index + 1 above 16 bits of generation. Values 1 and the
// top of the range are HWND_BOTTOM/HWND_TOPMOST and never come out of this.
constexpr uint64_t kGenerationBits = 16;
constexpr uint64_t kGenerationMask = (uint64_t(1) << kGenerationBits) - 1;

uint64_t MakeValue(uint32_t slot, uint32_t generation) {
  return (uint64_t(slot + 1) << kGenerationBits) | (generation & kGenerationMask);
}

}  // namespace

WindowSystemState& Sys() {
  static WindowSystemState state;
  return state;
}

WindowRec* Win(HWND hwnd) {
  const uint64_t v = hwnd.Value();
  if (v <= kGenerationMask) return nullptr;
  const uint64_t slot = (v >> kGenerationBits) - 1;
  auto& s = Sys();
  if (slot >= s.Slots.size() || !s.Slots[slot]) return nullptr;
  if ((s.Generations[slot] & kGenerationMask) != (v & kGenerationMask)) return nullptr;
  return s.Slots[slot].get();
}

HWND AllocateWindow(std::unique_ptr<WindowRec> rec) {
  auto& s = Sys();
  uint32_t slot;
  // Reuse a slot only once a good number are free, so handles stay unique longer.
  if (s.FreeSlots.size() > 64) {
    slot = s.FreeSlots.front();
    s.FreeSlots.pop_front();
  } else {
    slot = uint32_t(s.Slots.size());
    s.Slots.emplace_back();
    s.Generations.push_back(0);
  }
  s.Generations[slot] = (s.Generations[slot] + 1) & uint32_t(kGenerationMask);
  if (s.Generations[slot] == 0) s.Generations[slot] = 1;
  const HWND hwnd{MakeValue(slot, s.Generations[slot])};
  rec->Handle = hwnd;
  s.Slots[slot] = std::move(rec);
  std::lock_guard lock(s.Queue.Mutex);
  s.Queue.Live.insert(hwnd.Value());
  return hwnd;
}

void FreeWindow(HWND hwnd) {
  if (!Win(hwnd)) return;
  auto& s = Sys();
  const uint32_t slot = uint32_t((hwnd.Value() >> kGenerationBits) - 1);
  {
    std::lock_guard lock(s.Queue.Mutex);
    s.Queue.Live.erase(hwnd.Value());
  }
  s.Slots[slot].reset();
  s.FreeSlots.push_back(slot);
}

std::vector<HWND>& SiblingList(const WindowRec& w) {
  if (WindowRec* p = Win(w.Parent)) return p->Children;
  return Sys().TopLevels;
}

bool IsTopLevel(const WindowRec& w) { return !w.Parent; }

HWND RootOf(HWND hwnd) {
  WindowRec* w = Win(hwnd);
  while (w && w->Parent) w = Win(w->Parent);
  return w ? w->Handle : HWND();
}

bool IsDescendant(HWND ancestor, HWND hwnd) {
  for (WindowRec* w = Win(hwnd); w; w = Win(w->Parent)) {
    if (w->Parent == ancestor && ancestor) return true;
  }
  return false;
}

POINT ClientOrigin(const WindowRec& w) {
  POINT p = w.Client.TopLeft();
  for (WindowRec* a = Win(w.Parent); a; a = Win(a->Parent)) p = p + a->Client.TopLeft();
  return p;
}

RECT ScreenWindowRect(const WindowRec& w) {
  POINT base;
  if (WindowRec* p = Win(w.Parent)) base = ClientOrigin(*p);
  return w.Window.Offsetted(base.X, base.Y);
}

RECT ScreenClientRect(const WindowRec& w) {
  POINT base;
  if (WindowRec* p = Win(w.Parent)) base = ClientOrigin(*p);
  return w.Client.Offsetted(base.X, base.Y);
}

bool IsReallyVisible(const WindowRec& w) {
  for (const WindowRec* a = &w; a; a = Win(a->Parent)) {
    if (!(a->Style & WS_VISIBLE)) return false;
  }
  return true;
}

void RemoveFromZOrder(HWND hwnd) {
  WindowRec* w = Win(hwnd);
  if (!w) return;
  auto& list = SiblingList(*w);
  list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
}

void InsertIntoZOrder(HWND hwnd, HWND after) {
  WindowRec* w = Win(hwnd);
  if (!w) return;
  auto& list = SiblingList(*w);
  list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
  const bool topLevel = IsTopLevel(*w);
  if (topLevel && after == HWND_TOPMOST) w->ExStyle |= WS_EX_TOPMOST;
  if (topLevel && after == HWND_NOTOPMOST) w->ExStyle &= ~WS_EX_TOPMOST;
  const bool topmost = topLevel && (w->ExStyle & WS_EX_TOPMOST);
  auto isTopmost = [](HWND h) {
    WindowRec* r = Win(h);
    return r && !r->Parent && (r->ExStyle & WS_EX_TOPMOST);
  };
  // The band of the list this window may live in.
  auto bandBegin = list.begin();
  auto bandEnd = list.end();
  if (topLevel) {
    auto firstNormal = std::find_if_not(list.begin(), list.end(), isTopmost);
    if (topmost)
      bandEnd = firstNormal;
    else
      bandBegin = firstNormal;
  }
  auto pos = bandBegin;
  if (after == HWND_BOTTOM) {
    pos = bandEnd;
  } else if (after && after != HWND_TOPMOST && after != HWND_NOTOPMOST) {
    auto it = std::find(list.begin(), list.end(), after);
    if (it != list.end()) pos = std::clamp(it + 1, bandBegin, bandEnd);
  }
  list.insert(pos, hwnd);
}

void ResetWindowSystem() {
  auto& s = Sys();
  const std::vector<HWND> tops = s.TopLevels;
  for (HWND t : tops) DestroyWindow(t);
  for (HWND t : std::vector<HWND>(s.TopLevels)) DestroyWindow(t);
  Backend* backend = s.CurrentBackend;
  {
    std::lock_guard lock(s.Queue.Mutex);
    s.Queue.Posted.clear();
    s.Queue.Raw.clear();
    s.Queue.Quit = false;
    s.Queue.WakePending = false;
  }
  s.Classes.clear();
  s.Hooks.clear();
  s.Timers.clear();
  s.Routed.clear();
  s.Focus = s.Active = s.Capture = s.Deactivated = {};
  s.AppActive = true;
  std::fill(std::begin(s.Keys), std::end(s.Keys), uint8_t(0));
  std::fill(std::begin(s.AsyncKeys), std::end(s.AsyncKeys), uint8_t(0));
  s.AltAlone = s.AltTapped = false;
  s.Mouse = MouseState{};
  s.DragFullWindows = true;
  s.WorkAreaOverride.reset();
  s.Clipboard.clear();
  s.ClipboardOpen = false;
  s.PaintMaybePending = false;
  s.CurrentBackend = backend;
}

}  // namespace kora

// The message queue: send, post, peek, get, translate and dispatch.

#include <algorithm>
#include <cctype>
#include <map>
#include <string>

#include "platform/window/Backend.h"
#include "platform/window/Input.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/Timers.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/Window.h"
#include "platform/window/WindowInternal.h"

namespace kora {

namespace {

bool InRange(UINT m, UINT min, UINT max) { return (min == 0 && max == 0) || (m >= min && m <= max); }

bool Matches(const MSG& m, HWND filter, UINT min, UINT max) {
  if (filter && m.hwnd != filter && !IsChild(filter, m.hwnd)) return false;
  return InRange(m.message, min, max);
}

void NoteRetrieved(const MSG& m) {
  auto& s = Sys();
  s.LastMessageTime = m.time;
  s.LastMessagePos = m.pt;
}

bool TakePosted(MSG* msg, HWND filter, UINT min, UINT max, bool remove) {
  auto& q = Sys().Queue;
  std::lock_guard lock(q.Mutex);
  for (auto it = q.Posted.begin(); it != q.Posted.end(); ++it) {
    if (!Matches(*it, filter, min, max)) continue;
    *msg = *it;
    if (remove) q.Posted.erase(it);
    return true;
  }
  return false;
}

bool TakeQuit(MSG* msg, UINT min, UINT max, bool remove) {
  auto& q = Sys().Queue;
  std::lock_guard lock(q.Mutex);
  if (!q.Quit || !InRange(WM_QUIT, min, max)) return false;
  *msg = MSG{{}, WM_QUIT, WPARAM(q.QuitCode), 0, DWORD(NowMs()), Sys().Mouse.Pos};
  if (remove) q.Quit = false;
  return true;
}

// Input is routed one device event at a time, and only when nothing routed
// is waiting, so what handling one event changes applies to the next.
bool TakeInput(MSG* msg, HWND filter, UINT min, UINT max, bool remove) {
  auto& s = Sys();
  for (;;) {
    if (!s.Routed.empty()) {
      if (!Matches(s.Routed.front(), filter, min, max)) return false;
      *msg = s.Routed.front();
      if (remove) s.Routed.pop_front();
      return true;
    }
    RawInput in;
    {
      std::lock_guard lock(s.Queue.Mutex);
      if (s.Queue.Raw.empty()) return false;
      in = s.Queue.Raw.front();
      s.Queue.Raw.pop_front();
    }
    MSG routed;
    if (RouteRawInput(in, routed)) s.Routed.push_back(routed);
  }
}

void WaitForWork(int timeoutMs) {
  auto& s = Sys();
  if (Backend* b = s.CurrentBackend) {
    b->WaitEvents(timeoutMs);
    return;
  }
  std::unique_lock lock(s.Queue.Mutex);
  auto ready = [&] { return s.Queue.WakePending || !s.Queue.Posted.empty() || !s.Queue.Raw.empty(); };
  if (timeoutMs < 0)
    s.Queue.Wakeup.wait(lock, ready);
  else
    s.Queue.Wakeup.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
  s.Queue.WakePending = false;
}

int MsUntilNextTimer() {
  uint64_t due;
  if (!NextTimerDue(&due)) return -1;
  const uint64_t now = NowMs();
  return due <= now ? 0 : int(std::min<uint64_t>(due - now, 1u << 30));
}

}  // namespace

Clock& CurrentClock() {
  static RealClock real;
  Backend* b = Sys().CurrentBackend;
  return b ? b->GetClock() : real;
}

uint64_t NowMs() { return CurrentClock().NowMs(); }

LRESULT SendTo(WindowRec& w, UINT msg, WPARAM wp, LPARAM lp) {
  WNDPROC proc = w.Proc ? w.Proc : &DefWindowProc;
  return proc(w.Handle, msg, wp, lp);
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowRec* w = Win(hwnd);
  return w ? SendTo(*w, msg, wParam, lParam) : 0;
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!proc || !Win(hwnd)) return 0;
  return proc(hwnd, msg, wParam, lParam);
}

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto& s = Sys();
  {
    std::lock_guard lock(s.Queue.Mutex);
    if (hwnd && !s.Queue.Live.count(hwnd.Value())) return false;
    // Thread-safe: the clock is read without the GUI thread's structures.
    s.Queue.Posted.push_back(MSG{hwnd, msg, wParam, lParam, 0, {}});
    s.Queue.WakePending = true;
  }
  s.Queue.Wakeup.notify_all();
  if (Backend* b = s.CurrentBackend) b->Wake();
  return true;
}

void PostQuitMessage(int exitCode) {
  auto& q = Sys().Queue;
  {
    std::lock_guard lock(q.Mutex);
    q.Quit = true;
    q.QuitCode = exitCode;
  }
  if (Backend* b = Sys().CurrentBackend) b->Wake();
}

void PurgePostedMessages(HWND hwnd) {
  auto& s = Sys();
  std::lock_guard lock(s.Queue.Mutex);
  auto& p = s.Queue.Posted;
  p.erase(std::remove_if(p.begin(), p.end(), [&](const MSG& m) { return m.hwnd == hwnd; }), p.end());
  auto& r = s.Routed;
  r.erase(std::remove_if(r.begin(), r.end(), [&](const MSG& m) { return m.hwnd == hwnd; }), r.end());
}

bool PeekMessage(MSG* msg, HWND hwnd, UINT min, UINT max, UINT removeFlags) {
  if (!msg) return false;
  auto& s = Sys();
  if (hwnd && !Win(hwnd)) return false;
  if (Backend* b = s.CurrentBackend) b->PollEvents();
  const bool remove = (removeFlags & PM_REMOVE) != 0;
  bool found = TakePosted(msg, hwnd, min, max, remove);
  if (found) {
    // Posted messages carry the time and place of their retrieval; input its own.
    msg->time = DWORD(NowMs());
    msg->pt = s.Mouse.Pos;
  } else {
    found = (!hwnd && TakeQuit(msg, min, max, remove)) || TakeInput(msg, hwnd, min, max, remove);
  }
  if (!found && InRange(WM_PAINT, min, max)) {
    const HWND target = FindWindowToPaint(hwnd);
    if (target) {
      *msg = MSG{target, WM_PAINT, 0, 0, DWORD(NowMs()), s.Mouse.Pos};
      found = true;
    }
  }
  if (!found && InRange(WM_TIMER, min, max)) found = TakeDueTimer(hwnd, remove, *msg);
  if (found) NoteRetrieved(*msg);
  return found;
}

bool GetMessage(MSG* msg, HWND hwnd, UINT min, UINT max) {
  for (;;) {
    if (PeekMessage(msg, hwnd, min, max, PM_REMOVE)) return msg->message != WM_QUIT;
    if (hwnd && !Win(hwnd)) return false;
    PresentDirty();
    WaitForWork(MsUntilNextTimer());
  }
}

bool TranslateMessage(const MSG* msg) {
  if (!msg || !Win(msg->hwnd)) return false;
  const UINT vk = UINT(msg->wParam);
  const bool ctrl = GetKeyState(int(VK_CONTROL)) < 0;
  const bool shift = GetKeyState(int(VK_SHIFT)) < 0;
  if (msg->message == WM_KEYDOWN) {
    char32_t c = 0;
    if (vk == VK_RETURN)
      c = U'\r';
    else if (vk == VK_ESCAPE)
      c = 0x1B;
    else if (vk == VK_BACK)
      c = 0x08;
    else if (vk == VK_TAB && !ctrl)
      c = U'\t';
    else if (ctrl && vk >= 'A' && vk <= 'Z')
      c = char32_t(vk - 'A' + 1);
    if (c) PostMessage(msg->hwnd, WM_CHAR, WPARAM(c), msg->lParam);
    return true;
  }
  if (msg->message == WM_SYSKEYDOWN) {
    char32_t c = 0;
    if (vk >= 'A' && vk <= 'Z')
      c = shift ? char32_t(vk) : char32_t(vk - 'A' + 'a');
    else if ((vk >= '0' && vk <= '9') || vk == VK_SPACE)
      c = char32_t(vk);
    if (c) PostMessage(msg->hwnd, WM_SYSCHAR, WPARAM(c), msg->lParam);
    return true;
  }
  return msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP;
}

LRESULT DispatchMessage(const MSG* msg) {
  if (!msg) return 0;
  auto& s = Sys();
  if (msg->message == WM_TIMER && msg->lParam) {
    // Only callbacks of live timers run: lParam is not trusted as code.
    const auto proc = reinterpret_cast<TIMERPROC>(uintptr_t(msg->lParam));
    const bool live = std::any_of(s.Timers.begin(), s.Timers.end(), [&](const TimerRec& t) {
      return t.Wnd == msg->hwnd && t.Id == UINT_PTR(msg->wParam) && t.Proc == proc;
    });
    if (live) proc(msg->hwnd, WM_TIMER, UINT_PTR(msg->wParam), GetTickCount());
    return 0;
  }
  WindowRec* w = Win(msg->hwnd);
  if (!w) return 0;
  if (msg->message == WM_PAINT) {
    const HWND hwnd = msg->hwnd;
    const LRESULT r = SendTo(*w, WM_PAINT, msg->wParam, msg->lParam);
    FinishPaintDispatch(hwnd);
    return r;
  }
  return SendTo(*w, msg->message, msg->wParam, msg->lParam);
}

UINT RegisterWindowMessage(const char* name) {
  if (!name || !*name) return 0;
  static std::map<std::string, UINT> registered;
  std::string key(name);
  for (char& c : key) c = char(std::tolower(uint8_t(c)));
  auto it = registered.find(key);
  if (it != registered.end()) return it->second;
  if (registered.size() >= 0x4000) return 0;
  const UINT id = UINT(0xC000 + registered.size());
  registered.emplace(key, id);
  return id;
}

DWORD GetMessageTime() { return Sys().LastMessageTime; }

DWORD GetMessagePos() {
  const POINT p = Sys().LastMessagePos;
  return DWORD(MAKELPARAM(p.X, p.Y));
}

int AddMessageHook(MessageHook hook) {
  auto& s = Sys();
  const int id = s.NextHookId++;
  s.Hooks.emplace_back(id, std::move(hook));
  return id;
}

void RemoveMessageHook(int id) {
  auto& h = Sys().Hooks;
  h.erase(std::remove_if(h.begin(), h.end(), [&](const auto& e) { return e.first == id; }), h.end());
}

bool CallMessageHooks(MSG& msg) {
  // A hook may add or remove hooks while it runs: walk the ids present at
  // the start and skip those removed meanwhile.
  std::vector<int> ids;
  for (const auto& h : Sys().Hooks) ids.push_back(h.first);
  for (auto id = ids.rbegin(); id != ids.rend(); ++id) {
    auto& hooks = Sys().Hooks;
    auto it = std::find_if(hooks.begin(), hooks.end(), [&](const auto& e) { return e.first == *id; });
    if (it == hooks.end()) continue;
    MessageHook hook = it->second;  // the hook may remove itself
    if (hook(msg)) return true;
  }
  return false;
}

bool ProcessMessage(MSG& msg) {
  if (msg.message == WM_QUIT) return false;
  if (CallMessageHooks(msg)) return true;
  TranslateMessage(&msg);
  DispatchMessage(&msg);
  return true;
}

}  // namespace kora

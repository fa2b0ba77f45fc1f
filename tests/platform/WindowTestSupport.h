#pragma once
// Shared by the window-system tests: a headless screen per test, a window
// class that logs every message, and message-order checks written as tables.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"

namespace kora::test {

struct LoggedMessage {
  HWND Wnd;
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
};

// A custom answer for a message, or nothing to let DefWindowProc answer.
using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

struct WindowLog {
  std::vector<LoggedMessage> Messages;
  std::map<uint64_t, Handler> Handlers;  // by window handle value
  Handler AnyWindow;                     // consulted when a window has no handler of its own

  void Clear() { Messages.clear(); }
  size_t Count(HWND wnd, UINT msg) const {
    size_t n = 0;
    for (const auto& m : Messages) n += (m.Wnd == wnd && m.Msg == msg);
    return n;
  }
  const LoggedMessage* Last(HWND wnd, UINT msg) const {
    for (auto it = Messages.rbegin(); it != Messages.rend(); ++it) {
      if (it->Wnd == wnd && it->Msg == msg) return &*it;
    }
    return nullptr;
  }
};

inline WindowLog& Log() {
  static WindowLog log;
  return log;
}

inline LRESULT LoggingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Log().Messages.push_back({hwnd, msg, wp, lp});
  auto it = Log().Handlers.find(hwnd.Value());
  const Handler* h = it != Log().Handlers.end() ? &it->second : (Log().AnyWindow ? &Log().AnyWindow : nullptr);
  if (h) {
    if (auto r = (*h)(hwnd, msg, wp, lp)) return *r;
  }
  return DefWindowProc(hwnd, msg, wp, lp);
}

// One expected message: `Wnd` null matches any window, `Optional` entries
// may be missing, WParam is compared when given.
struct Expect {
  UINT Msg;
  HWND Wnd;
  std::optional<WPARAM> WParam = std::nullopt;
  bool Optional = false;
};

// The logged messages of the kinds the table names must appear in the
// table's order; other messages are not looked at.
inline ::testing::AssertionResult MatchesSequence(const std::vector<LoggedMessage>& log,
                                                  const std::vector<Expect>& table) {
  auto named = [&](UINT msg) {
    for (const Expect& e : table) {
      if (e.Msg == msg) return true;
    }
    return false;
  };
  std::vector<LoggedMessage> seen;
  for (const auto& m : log) {
    if (named(m.Msg)) seen.push_back(m);
  }
  size_t i = 0;
  for (size_t k = 0; k < table.size(); ++k) {
    const Expect& e = table[k];
    const bool ok = i < seen.size() && seen[i].Msg == e.Msg && (!e.Wnd || seen[i].Wnd == e.Wnd) &&
                    (!e.WParam || seen[i].WParam == *e.WParam);
    if (ok) {
      ++i;
      continue;
    }
    if (e.Optional) continue;
    std::ostringstream out;
    out << "entry " << k << " (message 0x" << std::hex << e.Msg << ") not matched; seen:";
    for (const auto& m : seen) out << " 0x" << m.Msg << "@" << std::dec << m.Wnd.Value() << std::hex;
    return ::testing::AssertionFailure() << out.str();
  }
  if (i != seen.size()) {
    std::ostringstream out;
    out << "unexpected extra message 0x" << std::hex << seen[i].Msg;
    return ::testing::AssertionFailure() << out.str();
  }
  return ::testing::AssertionSuccess();
}

class WindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetWindowSystem();
    Log() = WindowLog{};
    SetBackend(&Screen);
    WNDCLASS wc;
    wc.lpfnWndProc = &LoggingProc;
    wc.lpszClassName = "Logged";
    wc.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClass(&wc);
    wc.lpszClassName = "LoggedDbl";
    wc.style = CS_DBLCLKS;
    RegisterClass(&wc);
  }
  void TearDown() override {
    ResetWindowSystem();
    SetBackend(nullptr);
    Log() = WindowLog{};
  }

  HWND Top(int x, int y, int w, int h, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, DWORD ex = 0,
           const char* cls = "Logged", HWND owner = {}) {
    return CreateWindowEx(ex, cls, "Top", style, x, y, w, h, owner, 0, nullptr);
  }
  HWND Child(HWND parent, int x, int y, int w, int h, DWORD style = WS_CHILD | WS_VISIBLE, UINT_PTR id = 1,
             const char* cls = "Logged") {
    return CreateWindowEx(0, cls, "Child", style, x, y, w, h, parent, id, nullptr);
  }
  void On(HWND hwnd, Handler h) { Log().Handlers[hwnd.Value()] = std::move(h); }
  POINT ScreenPointOf(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
  }

  HeadlessBackend Screen;
};

// A handler that fills the client area with a colour on WM_PAINT.
inline Handler PaintWith(COLORREF color) {
  return [color](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_ERASEBKGND) return 1;
    if (msg != WM_PAINT) return std::nullopt;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
    EndPaint(hwnd, &ps);
    return 0;
  };
}

}  // namespace kora::test

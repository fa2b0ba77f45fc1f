// The plain message window of the default error report: the text and an
// OK button, modal over the application's windows.

#include <algorithm>
#include <optional>
#include <vector>

#include "framework/forms/Forms.h"
#include "platform/text/Text.h"
#include "platform/window/WindowSystem.h"

namespace kora {

namespace {

constexpr const char* kClassName = "TPlainMessage";
constexpr const char* kStateProp = "PlainMessageState";
constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kMaxTextWidth = 400;

struct TPlainMessageState {
  std::string Text;
  RECT TextRect;
  RECT Button;
  bool Pressed = false;
  bool Done = false;
};

TPlainMessageState* StateOf(HWND hwnd) { return reinterpret_cast<TPlainMessageState*>(GetProp(hwnd, kStateProp)); }

void Paint(HWND hwnd, TPlainMessageState& state) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  RECT text = state.TextRect;
  DrawText(dc, state.Text, &text, DT_WORDBREAK | DT_NOPREFIX);

  // The only button is the default one: a dark frame around a raised face.
  RECT button = state.Button;
  FrameRect(dc, &button, HBRUSH(GetStockObject(BLACK_BRUSH)));
  InflateRect(&button, -1, -1);
  DrawEdge(dc, &button, state.Pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE);
  RECT caption = state.Button;
  if (state.Pressed) OffsetRect(&caption, 1, 1);
  DrawText(dc, "OK", &caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  RECT focus = state.Button;
  InflateRect(&focus, -4, -4);
  DrawFocusRect(dc, &focus);
  SelectObject(dc, oldFont);
  EndPaint(hwnd, &ps);
}

LRESULT PlainMessageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TPlainMessageState* state = StateOf(hwnd);
  if (!state) return DefWindowProc(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(hwnd, *state); return 0;
    case WM_LBUTTONDOWN:
      if (PtInRect(&state->Button, LParamToPoint(lParam))) {
        state->Pressed = true;
        SetCapture(hwnd);
        InvalidateRect(hwnd, &state->Button, false);
      }
      return 0;
    case WM_LBUTTONUP:
      if (state->Pressed) {
        state->Pressed = false;
        ReleaseCapture();
        InvalidateRect(hwnd, &state->Button, false);
        if (PtInRect(&state->Button, LParamToPoint(lParam))) state->Done = true;
      }
      return 0;
    case WM_KEYDOWN:
      // OK is both the default and the cancel button.
      if (wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == VK_SPACE) state->Done = true;
      return 0;
    case WM_CLOSE: state->Done = true; return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

void RegisterPlainMessageClass() {
  WNDCLASS existing;
  if (GetClassInfo(kClassName, &existing)) return;
  WNDCLASS wc;
  wc.lpfnWndProc = &PlainMessageProc;
  wc.lpszClassName = kClassName;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  RegisterClass(&wc);
}

SIZE MeasureText(const std::string& text) {
  HDC dc = GetDC(HWND{});
  const HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  RECT r{0, 0, kMaxTextWidth, 0};
  DrawText(dc, text.empty() ? std::string_view(" ") : std::string_view(text), &r,
           DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, oldFont);
  ReleaseDC(HWND{}, dc);
  return {r.Right - r.Left, r.Bottom - r.Top};
}

// Disables the application's enabled top-level windows for the time the
// message is shown, as a modal window must.
class TWindowDisabler {
public:
  TWindowDisabler() {
    EnumWindows(
        [](HWND hwnd, LPARAM list) {
          if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd))
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
          return true;
        },
        reinterpret_cast<LPARAM>(&FWindows));
    for (HWND hwnd : FWindows) EnableWindow(hwnd, false);
  }
  ~TWindowDisabler() {
    for (HWND hwnd : FWindows) {
      if (IsWindow(hwnd)) EnableWindow(hwnd, true);
    }
  }
  TWindowDisabler(const TWindowDisabler&) = delete;
  TWindowDisabler& operator=(const TWindowDisabler&) = delete;

private:
  std::vector<HWND> FWindows;
};

// Destroys the message window, at the latest when the guard goes.
class TMessageWindowGuard {
public:
  explicit TMessageWindowGuard(HWND hwnd) : FWindow(hwnd) {}
  ~TMessageWindowGuard() { Destroy(); }
  TMessageWindowGuard(const TMessageWindowGuard&) = delete;
  TMessageWindowGuard& operator=(const TMessageWindowGuard&) = delete;

  void Destroy() {
    if (!IsWindow(FWindow)) return;
    RemoveProp(FWindow, kStateProp);
    DestroyWindow(FWindow);
  }

private:
  HWND FWindow;
};

}  // namespace

void ShowPlainMessage(const std::string& caption, const std::string& text) {
  RegisterPlainMessageClass();
  TPlainMessageState state;
  state.Text = text;
  const SIZE textSize = MeasureText(text);
  const int clientWidth = std::max<int>(textSize.cx, kButtonWidth) + 2 * kMargin;
  const int clientHeight = kMargin + textSize.cy + kMargin + kButtonHeight + kMargin;
  state.TextRect = {kMargin, kMargin, kMargin + textSize.cx, kMargin + textSize.cy};
  const int buttonLeft = (clientWidth - kButtonWidth) / 2;
  const int buttonTop = clientHeight - kMargin - kButtonHeight;
  state.Button = {buttonLeft, buttonTop, buttonLeft + kButtonWidth, buttonTop + kButtonHeight};

  constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  constexpr DWORD exStyle = WS_EX_DLGMODALFRAME;
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, style, false, exStyle);
  const int width = frame.Right - frame.Left;
  const int height = frame.Bottom - frame.Top;

  const HWND previous = GetActiveWindow();
  MONITORINFO monitor;
  GetMonitorInfo(MonitorFromWindow(previous, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  const int x = work.Left + (work.Right - work.Left - width) / 2;
  const int y = work.Top + (work.Bottom - work.Top - height) / 2;

  std::optional<TWindowDisabler> disabler(std::in_place);
  const HWND hwnd =
      CreateWindowEx(exStyle, kClassName, caption.c_str(), style, x, y, width, height, previous, 0, nullptr);
  if (!hwnd) throw Exception("Cannot create the message window");
  // The window paints from `state`, which lives in this frame: it goes
  // with the frame however the frame is left (a modal loop may end by an
  // exception), before the other windows are enabled again.
  TMessageWindowGuard guard(hwnd);
  SetProp(hwnd, kStateProp, reinterpret_cast<uintptr_t>(&state));
  ShowWindow(hwnd, SW_SHOWNORMAL);
  SetForegroundWindow(hwnd);
  SetFocus(hwnd);

  const auto done = [&] { return state.Done || !IsWindow(hwnd); };
  if (Application) {
    Application->ModalLoop(done);
  } else {
    MSG msg;
    while (!done()) {
      if (!GetMessage(&msg, HWND{}, 0, 0)) {
        PostQuitMessage(int(msg.wParam));  // the outer loop must see it too
        break;
      }
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  guard.Destroy();
  // Re-enabled first, so the previous window can take the activation back.
  disabler.reset();
  if (IsWindow(previous)) SetActiveWindow(previous);
}

}  // namespace kora

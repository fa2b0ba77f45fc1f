#include "xvfb/SdlScreenFixture.h"

namespace kora::test {

namespace {

std::unique_ptr<XvfbServer> gServer;
std::string gWhyNot;
bool gMissing = false;

void DrawLabel(HDC dc) {
  HFONT font = CreateFont(-28, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  HGDIOBJ old = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  TextOut(dc, 20, 20, "Kora");
  SelectObject(dc, old);
  DeleteObject(font);
}

LRESULT SceneProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT client;
      GetClientRect(hwnd, &client);
      HBRUSH brush = CreateSolidBrush(COLORREF(GetWindowLong(hwnd, GWL_USERDATA)));
      FillRect(dc, &client, brush);
      DeleteObject(brush);
      if (COLORREF(GetWindowLong(hwnd, GWL_USERDATA)) == kTopColor) DrawLabel(dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_LBUTTONDOWN:
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_ACTIVATEAPP: Seen().push_back({hwnd, msg, wp, lp}); break;
    default: break;
  }
  return DefWindowProc(hwnd, msg, wp, lp);
}

HWND MakeWindow(DWORD exStyle, DWORD style, RECT r, HWND parent, COLORREF color) {
  HWND w = CreateWindowEx(exStyle, "KoraXvfbScene", "Kora Xvfb", style, r.Left, r.Top, r.Width(), r.Height(), parent, 0,
                          nullptr);
  SetWindowLong(w, GWL_USERDATA, LONG_PTR(color));
  return w;
}

}  // namespace

std::vector<SeenMessage>& Seen() {
  static std::vector<SeenMessage> seen;
  return seen;
}

void SdlScreenTest::SetUpTestSuite() {
  gServer = XvfbServer::Start(&gWhyNot, &gMissing);
  setenv("SDL_VIDEODRIVER", "x11", 1);  // the private server, whatever the session uses
}

void SdlScreenTest::TearDownTestSuite() { gServer.reset(); }

void SdlScreenTest::SetUp() {
  if (gMissing) GTEST_SKIP() << gWhyNot;
  ASSERT_TRUE(gServer) << gWhyNot;
  Seen().clear();
  ResetWindowSystem();
  FProbe = std::make_unique<XProbe>();
  FProbe->PaintDesktop(kDesktopPixel);
  FBackend = std::make_unique<SdlBackend>();
  SetBackend(FBackend.get());
  WNDCLASS wc;
  wc.lpfnWndProc = &SceneProc;
  wc.lpszClassName = "KoraXvfbScene";
  ASSERT_NE(RegisterClass(&wc), 0);
}

void SdlScreenTest::TearDown() {
  ResetWindowSystem();
  FBackend.reset();
  FProbe.reset();
}

void SdlScreenTest::BuildScene() {
  FTop = MakeWindow(0, WS_POPUP, RECT::FromSize(100, 100, 300, 200), {}, kTopColor);
  HRGN shape = CreateRectRgn(0, 0, 300, 200);
  HRGN corner = CreateRectRgn(260, 0, 300, 40);
  CombineRgn(shape, shape, corner, RGN_DIFF);
  DeleteObject(corner);
  SetWindowRgn(FTop, shape, false);
  FChild = MakeWindow(0, WS_CHILD | WS_VISIBLE, RECT::FromSize(20, 100, 100, 60), FTop, kChildColor);
  FPopup = MakeWindow(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, WS_POPUP, RECT::FromSize(320, 240, 120, 80),
                      FTop, kPopupColor);
  ShowWindow(FTop, SW_SHOW);
  SetForegroundWindow(FTop);
  SetFocus(FTop);
  ShowWindow(FPopup, SW_SHOWNOACTIVATE);
}

HWND SdlScreenTest::ShowOtherWindow(RECT r) {
  HWND w = MakeWindow(0, WS_POPUP, r, {}, kOtherColor);
  ShowWindow(w, SW_SHOW);
  return w;
}

void SdlScreenTest::PumpOnce() {
  MSG m;
  while (PeekMessage(&m, {}, 0, 0, PM_REMOVE)) ProcessMessage(m);
  GdiFlush();
}

size_t SdlScreenTest::Count(HWND wnd, UINT msg) const {
  size_t n = 0;
  for (const SeenMessage& s : Seen()) n += s.Wnd == wnd && s.Msg == msg;
  return n;
}

}  // namespace kora::test

// A window's standard scroll bars: range, page and position rules, the
// frame they take, what they report, the mouse gestures and their look.

#include "WindowTestSupport.h"

namespace kora::test {
namespace {

class ScrollBarTest : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    Parent = Top(100, 100, 400, 300);
    Bars = Child(Parent, 10, 10, 200, 150, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL);
    GetWindowRect(Bars, &Rect);
    Screen.RunUntilIdle();
  }
  // A window procedure that moves the vertical position as the requests ask.
  void FollowRequests() {
    On(Bars, [](HWND hwnd, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
      if (msg != WM_VSCROLL) return std::nullopt;
      SCROLLINFO si;
      si.fMask = SIF_ALL;
      GetScrollInfo(hwnd, SB_VERT, &si);
      int pos = si.nPos;
      switch (LOWORD(wp)) {
        case SB_LINEUP: --pos; break;
        case SB_LINEDOWN: ++pos; break;
        case SB_PAGEUP: pos -= int(si.nPage); break;
        case SB_PAGEDOWN: pos += int(si.nPage); break;
        case SB_THUMBTRACK: pos = si.nTrackPos; break;
        default: return 0;
      }
      SetScrollPos(hwnd, SB_VERT, pos, true);
      return 0;
    });
  }
  void SetVert(int minPos, int maxPos, UINT page, int pos) {
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    si.nMin = minPos;
    si.nMax = maxPos;
    si.nPage = page;
    si.nPos = pos;
    SetScrollInfo(Bars, SB_VERT, &si, true);
  }
  POINT At(int x, int y) const { return {Rect.Left + x, Rect.Top + y}; }
  std::vector<int> Requests() const {
    std::vector<int> codes;
    for (const auto& m : Log().Messages)
      if (m.Wnd == Bars && m.Msg == WM_VSCROLL) codes.push_back(LOWORD(m.WParam));
    return codes;
  }
  SCROLLBARINFO Info(LONG object = OBJID_VSCROLL) {
    SCROLLBARINFO sbi;
    EXPECT_TRUE(GetScrollBarInfo(Bars, object, &sbi));
    return sbi;
  }

  HWND Parent;
  HWND Bars;
  RECT Rect;
};

TEST_F(ScrollBarTest, PositionStaysInsideWhatThePageAllows) {
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = 99;
  si.nPage = 10;
  si.nPos = 95;
  EXPECT_EQ(SetScrollInfo(Bars, SB_VERT, &si, true), 90);  // 99 - (10 - 1)
  si.fMask = SIF_POS;
  si.nPos = -4;
  EXPECT_EQ(SetScrollInfo(Bars, SB_VERT, &si, false), 0);
  EXPECT_EQ(SetScrollPos(Bars, SB_VERT, 50, true), 0);  // the previous position
  EXPECT_EQ(GetScrollPos(Bars, SB_VERT), 50);
  si.fMask = SIF_PAGE;
  si.nPage = 500;  // larger than the range: cut to it, and nothing is left to scroll
  SetScrollInfo(Bars, SB_VERT, &si, true);
  SCROLLINFO out;
  out.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(Bars, SB_VERT, &out));
  EXPECT_EQ(out.nPage, 100u);
  EXPECT_EQ(out.nPos, 0);
  EXPECT_EQ(out.nTrackPos, 0);
  int lo = -1, hi = -1;
  EXPECT_TRUE(GetScrollRange(Bars, SB_VERT, &lo, &hi));
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 99);
  EXPECT_FALSE(SetScrollRange(Bars, SB_VERT, 5, 1, true));
  EXPECT_EQ(SetScrollInfo(Bars, SB_CTL, &si, true), 0);  // no scroll bar controls
  EXPECT_FALSE(GetScrollInfo(HWND(), SB_VERT, &out));
}

TEST_F(ScrollBarTest, ShowingAndHidingMovesTheClientEdge) {
  RECT client;
  GetClientRect(Bars, &client);
  EXPECT_EQ(client, (RECT{0, 0, 200 - 16, 150 - 16}));
  EXPECT_EQ(SendMessage(Bars, WM_NCHITTEST, 0, PointToLParam(At(190, 40))), HTVSCROLL);
  EXPECT_EQ(SendMessage(Bars, WM_NCHITTEST, 0, PointToLParam(At(40, 140))), HTHSCROLL);
  EXPECT_EQ(SendMessage(Bars, WM_NCHITTEST, 0, PointToLParam(At(40, 40))), HTCLIENT);

  // Nothing left to scroll: the bar goes, unless asked to stay disabled.
  SetScrollRange(Bars, SB_HORZ, 0, 0, true);
  GetClientRect(Bars, &client);
  EXPECT_EQ(client, (RECT{0, 0, 184, 150}));
  EXPECT_FALSE(GetWindowLong(Bars, GWL_STYLE) & WS_HSCROLL);
  EXPECT_EQ(Info(OBJID_HSCROLL).rgstate[0], STATE_SYSTEM_INVISIBLE);
  EXPECT_EQ(Log().Last(Bars, WM_SIZE)->LParam, MAKELPARAM(184, 150));

  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
  si.nMax = 9;
  si.nPage = 10;
  SetScrollInfo(Bars, SB_VERT, &si, true);
  EXPECT_TRUE(GetWindowLong(Bars, GWL_STYLE) & WS_VSCROLL);
  SCROLLBARINFO sbi = Info();
  EXPECT_EQ(sbi.rgstate[0], STATE_SYSTEM_UNAVAILABLE);
  EXPECT_EQ(sbi.rgstate[3], STATE_SYSTEM_INVISIBLE);
  SetVert(0, 99, 10, 0);  // scrollable again: enabled
  EXPECT_EQ(Info().rgstate[0], 0u);

  EXPECT_TRUE(ShowScrollBar(Bars, SB_BOTH, false));
  GetClientRect(Bars, &client);
  EXPECT_EQ(client, (RECT{0, 0, 200, 150}));
  EXPECT_TRUE(ShowScrollBar(Bars, SB_HORZ, true));
  GetClientRect(Bars, &client);
  EXPECT_EQ(client, (RECT{0, 0, 200, 134}));
}

TEST_F(ScrollBarTest, InfoReportsTheBarThumbAndStates) {
  SetVert(0, 99, 10, 45);
  SCROLLBARINFO sbi = Info();
  EXPECT_EQ(sbi.rcScrollBar, (RECT{Rect.Left + 184, Rect.Top, Rect.Left + 200, Rect.Top + 134}));
  EXPECT_EQ(sbi.dxyLineButton, 16);
  // Track 102 pixels, thumb a tenth of it, halfway along what is left.
  EXPECT_EQ(sbi.xyThumbTop, 16 + 46);
  EXPECT_EQ(sbi.xyThumbBottom, 16 + 46 + 10);
  EXPECT_EQ(sbi.rgstate[0], 0u);

  EXPECT_TRUE(EnableScrollBar(Bars, SB_VERT, ESB_DISABLE_UP));
  EXPECT_FALSE(EnableScrollBar(Bars, SB_VERT, ESB_DISABLE_UP));
  sbi = Info();
  EXPECT_EQ(sbi.rgstate[1], STATE_SYSTEM_UNAVAILABLE);
  EXPECT_EQ(sbi.rgstate[5], 0u);
  EXPECT_TRUE(EnableScrollBar(Bars, SB_BOTH, ESB_DISABLE_BOTH));
  EXPECT_EQ(Info(OBJID_HSCROLL).rgstate[0], STATE_SYSTEM_UNAVAILABLE);
  EXPECT_EQ(Info().rgstate[3], STATE_SYSTEM_INVISIBLE);
  // A disabled bar ignores the mouse.
  Screen.Click(At(190, 140 - 16 - 8));
  Screen.RunUntilIdle();
  EXPECT_TRUE(Requests().empty());
  EXPECT_FALSE(GetScrollBarInfo(Bars, OBJID_CLIENT, &sbi));
}

TEST_F(ScrollBarTest, HeldArrowRepeatsWhileThePointerStaysOnIt) {
  SetVert(0, 99, 10, 0);
  FollowRequests();
  Log().Clear();
  const POINT down = At(192, 134 - 8);
  Screen.MouseDown(down);
  bool pressed = false, captured = false;
  Screen.WhenIdle([&] {
    // The first request came at once; the repeats wait for the first delay.
    EXPECT_EQ(Requests(), (std::vector<int>{SB_LINEDOWN}));
    pressed = Info().rgstate[5] & STATE_SYSTEM_PRESSED;
    captured = GetCapture() == Bars;
    Screen.Time().Advance(349);
  });
  Screen.WhenIdle([&] {
    EXPECT_EQ(Requests().size(), 1u);
    Screen.Time().Advance(1);
  });
  Screen.WhenIdle([&] { Screen.Time().Advance(50); });
  Screen.WhenIdle([&] { Screen.Time().Advance(50); });
  Screen.WhenIdle([&] {
    EXPECT_EQ(Requests().size(), 4u);
    Screen.MouseMove(At(40, 40));  // off the arrow: no more repeats, drawn up
  });
  Screen.WhenIdle([&] {
    EXPECT_EQ(Info().rgstate[5], 0u);
    Screen.Time().Advance(500);
  });
  Screen.WhenIdle([&] { Screen.MouseUp(At(40, 40)); });
  Screen.RunUntilIdle();
  EXPECT_TRUE(pressed);
  EXPECT_TRUE(captured);
  EXPECT_EQ(Requests(), (std::vector<int>{SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN, SB_ENDSCROLL}));
  EXPECT_EQ(GetScrollPos(Bars, SB_VERT), 4);
  EXPECT_EQ(GetCapture(), HWND());
  EXPECT_EQ(Log().Count(Bars, WM_HSCROLL), 0u);
}

TEST_F(ScrollBarTest, TrackPressPagesUntilTheThumbReachesThePointer) {
  SetVert(0, 99, 10, 0);
  FollowRequests();
  Log().Clear();
  // Near the bottom of the track: eight pages bring the thumb under the pointer.
  const POINT press = At(192, 16 + 90);
  Screen.MouseDown(press);
  for (int i = 0; i < 20; ++i) Screen.WhenIdle([&] { Screen.Time().Advance(400); });
  Screen.WhenIdle([&] { Screen.MouseUp(press); });
  Screen.RunUntilIdle();
  EXPECT_EQ(GetScrollPos(Bars, SB_VERT), 80);
  std::vector<int> expected(8, SB_PAGEDOWN);
  expected.push_back(SB_ENDSCROLL);
  EXPECT_EQ(Requests(), expected);
  const SCROLLBARINFO sbi = Info();
  EXPECT_LE(sbi.xyThumbTop, 16 + 90);
  EXPECT_GT(sbi.xyThumbBottom, 16 + 90);
}

TEST_F(ScrollBarTest, DraggingTheThumbReportsTrackPositionsAndTheDrop) {
  SetVert(0, 99, 10, 0);
  std::vector<int> trackPositions;
  On(Bars, [&](HWND hwnd, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_VSCROLL && LOWORD(wp) == SB_THUMBTRACK) {
      SCROLLINFO si;
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(hwnd, SB_VERT, &si);
      trackPositions.push_back(si.nTrackPos);
    }
    return std::nullopt;  // the bar does not move the position by itself
  });
  Log().Clear();
  const POINT grab = At(192, 16 + 5);
  Screen.MouseDown(grab);
  Screen.MouseMove(At(192, 16 + 5 + 46));   // half the free track
  Screen.MouseMove(At(192, 16 + 5 + 500));  // past the end
  Screen.MouseMove(At(150, 16 + 5 + 500));  // still near the bar
  Screen.MouseUp(At(150, 16 + 5 + 500));
  Screen.RunUntilIdle();
  EXPECT_TRUE(MatchesSequence(Log().Messages, {{WM_VSCROLL, Bars, MAKEWPARAM(SB_THUMBTRACK, 45)},
                                               {WM_VSCROLL, Bars, MAKEWPARAM(SB_THUMBTRACK, 90)},
                                               {WM_VSCROLL, Bars, MAKEWPARAM(SB_THUMBPOSITION, 90)},
                                               {WM_VSCROLL, Bars, MAKEWPARAM(SB_ENDSCROLL, 0)}}));
  EXPECT_EQ(trackPositions, (std::vector<int>{45, 90}));
  EXPECT_EQ(GetScrollPos(Bars, SB_VERT), 0);
  EXPECT_EQ(Info().xyThumbTop, 16);  // drawn at the position again

  // Dragged far off to the side, the thumb goes back where it started.
  Log().Clear();
  Screen.MouseDown(grab);
  Screen.MouseMove(At(192, 16 + 5 + 30));
  Screen.MouseMove(At(192 - 200, 16 + 5 + 30));
  Screen.MouseUp(At(192 - 200, 16 + 5 + 30));
  Screen.RunUntilIdle();
  const LoggedMessage* drop = nullptr;
  for (const auto& m : Log().Messages)
    if (m.Msg == WM_VSCROLL && LOWORD(m.WParam) == SB_THUMBPOSITION) drop = &m;
  ASSERT_TRUE(drop);
  EXPECT_EQ(HIWORD(drop->WParam), 0);
}

TEST_F(ScrollBarTest, BarsAreDrawnInTheThreeDLook) {
  SetVert(0, 99, 10, 45);
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE;
  si.nMax = 49;
  si.nPage = 25;
  SetScrollInfo(Bars, SB_HORZ, &si, true);
  EnableScrollBar(Bars, SB_HORZ, ESB_DISABLE_LEFT);
  On(Bars, PaintWith(RGB(255, 255, 255)));
  InvalidateRect(Bars, nullptr, true);
  Screen.RunUntilIdle();
  Screen.SaveArtifact("scroll_bars");
  const ScreenImage img = Screen.Capture();
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF light = GetSysColor(COLOR_3DHILIGHT);
  const COLORREF text = GetSysColor(COLOR_BTNTEXT);
  // The up arrow: a raised button with a dark glyph in the middle.
  EXPECT_EQ(img.ColorAt(Rect.Left + 184, Rect.Top), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(img.ColorAt(Rect.Left + 184 + 7, Rect.Top + 6), text);
  EXPECT_EQ(img.ColorAt(Rect.Left + 184 + 3, Rect.Top + 8), face);
  // The track is dotted; the thumb raised with a face-coloured middle.
  const int thumbTop = Rect.Top + 16 + 46;
  const COLORREF a = img.ColorAt(Rect.Left + 190, Rect.Top + 30);
  const COLORREF b = img.ColorAt(Rect.Left + 191, Rect.Top + 30);
  EXPECT_TRUE((a == light && b == face) || (a == face && b == light));
  EXPECT_EQ(img.ColorAt(Rect.Left + 192, thumbTop + 5), face);
  EXPECT_EQ(img.ColorAt(Rect.Left + 199, thumbTop + 5), GetSysColor(COLOR_3DDKSHADOW));
  // The disabled left arrow is greyed, the corner plain.
  bool dark = false;
  for (int y = 134; y < 150; ++y)
    for (int x = 0; x < 16; ++x) dark |= img.ColorAt(Rect.Left + x, Rect.Top + y) == text;
  EXPECT_FALSE(dark);
  EXPECT_EQ(img.ColorAt(Rect.Left + 192, Rect.Top + 142), face);
  EXPECT_EQ(img.ColorAt(Rect.Left + 100, Rect.Top + 60), RGB(255, 255, 255));
}

}  // namespace
}  // namespace kora::test

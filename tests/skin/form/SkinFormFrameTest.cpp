// The frame of the program's main window: the client area inside the skin's
// frame, the caption buttons [biMinimize] leaves, hit tests, the shaped
// corners, the default look without a skin and the skin's change notices.

#include <string>
#include <vector>

#include "SkinFormTestSupport.h"
#include "platform/gdi/Region.h"
#include "skin/controls/bsSkinCtrls_Control.h"

namespace kora::test {
namespace {

class SkinFormFrameTest : public SkinFormTest {};

TEST_F(SkinFormFrameTest, TheClientAreaSitsInsideTheSkinsFrame) {
  LoadProgramSkin();
  ShowForm();
  const RECT window = WindowRect();
  EXPECT_EQ(WidthOf(window), 562);
  EXPECT_EQ(HeightOf(window), 465);
  const POINT origin = Form->ClientOrigin();
  EXPECT_EQ(origin.X - window.Left, 4);
  EXPECT_EQ(origin.Y - window.Top, 27);
  EXPECT_EQ(Form->ClientWidth(), 554);
  EXPECT_EQ(Form->ClientHeight(), 434);
  // The caption goes with the re-created window.
  EXPECT_EQ(GetWindowLong(Window(), GWL_STYLE) & WS_CAPTION, 0);
  EXPECT_EQ(Frame->Geometry().Inner, (RECT{4, 27, 558, 461}));
}

TEST_F(SkinFormFrameTest, OnlyCloseAndMinimizeShowAndTheyLineUpFromTheCaptionsRight) {
  LoadProgramSkin();
  ShowForm();
  const int dx = 562 - 285;
  TbsSkinStdButtonObject* close = Button("closebutton");
  TbsSkinStdButtonObject* minimize = Button("minbutton");
  ASSERT_TRUE(close && minimize);
  EXPECT_EQ(close->ObjectRect, (RECT{282 + dx - 21, 5, 282 + dx, 26}));
  EXPECT_EQ(minimize->ObjectRect.Right, close->ObjectRect.Left - 2);
  EXPECT_EQ(minimize->ObjectRect.Top, 5);
  for (const char* hidden : {"maxbutton", "rollupbutton", "sysmenubutton", "traybutton"}) {
    ASSERT_TRUE(Frame->FrameObjects().Find(hidden)) << hidden;
    EXPECT_FALSE(Frame->FrameObjects().Find(hidden)->Visible) << hidden;
  }
  // The caption widened with the window and stops left of the last button.
  TbsActiveSkinObject* caption = Frame->FrameObjects().Find("caption");
  ASSERT_TRUE(caption);
  EXPECT_EQ(caption->ObjectRect.Left, 5);
  EXPECT_EQ(caption->ObjectRect.Right, minimize->ObjectRect.Left);
  EXPECT_EQ(close->Hint, "关闭");
  EXPECT_EQ(minimize->Hint, "最小化");
  // The menu objects of the skin are not the frame's.
  EXPECT_EQ(Frame->FrameObjects().Find("menuitem"), nullptr);
  EXPECT_EQ(Frame->FrameObjects().Find("menubarclosebutton"), nullptr);
  EXPECT_EQ(Frame->FrameObjects().Count(), 7);
}

TEST_F(SkinFormFrameTest, ASingleBorderAnswersNoSizingCodes) {
  LoadProgramSkin();
  ShowForm();
  const RECT window = WindowRect();
  const auto hit = [&](int x, int y) {
    return SendMessage(Window(), WM_NCHITTEST, 0, MAKELPARAM(window.Left + x, window.Top + y));
  };
  EXPECT_EQ(hit(100, 12), HTCAPTION);
  EXPECT_EQ(hit(300, 200), HTCLIENT);
  EXPECT_EQ(hit(520, 14), HTOBJECT);  // the close button
  for (POINT p : {POINT{0, 200}, POINT{561, 200}, POINT{300, 464}, POINT{300, 0}, POINT{1, 1}, POINT{560, 463}}) {
    const LRESULT code = hit(p.X, p.Y);
    EXPECT_TRUE(code < HTLEFT || code > HTBOTTOMRIGHT) << p.X << "," << p.Y << " answered " << code;
  }
}

TEST_F(SkinFormFrameTest, TheMaskCutsTheCornersAndTheRegionFollowsTheSize) {
  LoadProgramSkin();
  ShowForm();
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(Window(), region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_FALSE(PtInRegion(region, 561, 0));
  EXPECT_TRUE(PtInRegion(region, 280, 2));
  EXPECT_TRUE(PtInRegion(region, 300, 300));
  EXPECT_TRUE(PtInRegion(region, 561, 300));
  // Pixels outside the shape show the desktop.
  const RECT window = WindowRect();
  EXPECT_EQ(PixelAt({window.Left, window.Top}), RGB(58, 110, 165));
  Form->SetBounds(window.Left, window.Top, 700, 500);
  Screen.RunUntilIdle();
  ASSERT_NE(GetWindowRgn(Window(), region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 699, 0));
  EXPECT_TRUE(PtInRegion(region, 699, 300));
  EXPECT_FALSE(PtInRegion(region, 700, 300));
  DeleteObject(region);
}

TEST_F(SkinFormFrameTest, ANarrowWindowIsGrownToTheSkinsMinimumAndSmallerSizesAreNotPainted) {
  Form->SetClientWidth(0);
  Form->SetClientHeight(0);
  Form->SetBounds(100, 100, 120, 20);
  ShowForm();
  LoadProgramSkin();
  Screen.RunUntilIdle();
  EXPECT_EQ(Frame->States().GetMinWidth(), 160);  // formminwidth
  EXPECT_EQ(Frame->States().GetMinHeight(), 210 - 179);
  EXPECT_EQ(WidthOf(WindowRect()), 160);
  EXPECT_EQ(HeightOf(WindowRect()), 31);
  // The tracking limits say the same.
  MINMAXINFO info;
  SendMessage(Window(), WM_GETMINMAXINFO, 0, LPARAM(&info));
  EXPECT_EQ(info.ptMinTrackSize, (POINT{160, 31}));
}

TEST_F(SkinFormFrameTest, WithoutASkinTheDefaultLookFramesTheWindow) {
  ShowForm();
  EXPECT_FALSE(Frame->SkinActive());
  const POINT origin = Form->ClientOrigin();
  const RECT window = WindowRect();
  EXPECT_EQ(origin.X - window.Left, 3);
  EXPECT_EQ(origin.Y - window.Top, 19 + 3);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(Window(), region), ERROR);
  DeleteObject(region);
  // The default close button at the right of the caption, 17 pixels square.
  TbsSkinStdButtonObject* close = nullptr;
  for (int i = 0; i < Frame->FrameObjects().Count(); ++i)
    if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(Frame->FrameObjects().At(i)); b && b->Command == cmClose)
      close = b;
  ASSERT_TRUE(close);
  EXPECT_EQ(close->ObjectRect, (RECT{WidthOf(window) - 20, 4, WidthOf(window) - 3, 21}));
  // The caption takes the pointer on every row it is drawn on, down to the client.
  for (int row = 3; row < 22; ++row)
    EXPECT_EQ(SendMessage(Window(), WM_NCHITTEST, 0, MAKELPARAM(window.Left + 100, window.Top + row)), HTCAPTION)
        << "row " << row;
  EXPECT_EQ(SendMessage(Window(), WM_NCHITTEST, 0, MAKELPARAM(window.Left + 100, window.Top + 22)), HTCLIENT);
  EXPECT_EQ(PixelAt({window.Left + 100, window.Top + 10}), GetSysColor(COLOR_BTNFACE));  // under black caption text
  // A button lights up under the pointer and goes back when it leaves.
  const POINT inClose{window.Left + close->ObjectRect.Left + 2, window.Top + close->ObjectRect.Top + 2};
  Screen.MouseMove(inClose);
  Screen.RunUntilIdle();
  EXPECT_EQ(PixelAt(inClose), RGB(182, 189, 210));
  Screen.MouseMove({window.Left + 100, window.Top + 60});
  Screen.Wait(200);
  EXPECT_EQ(PixelAt(inClose), GetSysColor(COLOR_BTNFACE));
}

// A form's own short-cut handler, set before the frame came, still runs,
// and first; the frame's own and the menu bar's run when it leaves a key.
TEST_F(SkinFormFrameTest, TheFormsOwnShortCutHandlerStillRunsFirst) {
  TForm form(nullptr);
  std::vector<std::string> order;
  form.OnShortCut = [&](const MSG& msg, bool& handled) {
    order.push_back("form");
    handled = msg.wParam == 'K';
  };
  auto* frame = new TbsSkinForm(&form);
  frame->OnShortCut = [&](const MSG&, bool&) { order.push_back("frame"); };
  form.IsShortCut(MSG{form.Handle(), WM_KEYDOWN, 'K', 0, 0, {}});
  form.IsShortCut(MSG{form.Handle(), WM_KEYDOWN, 'J', 0, 0, {}});
  EXPECT_EQ(order, (std::vector<std::string>{"form", "form", "frame"}));
}

// A skinned control on the form that logs what the frame relays to it.
class TNoticeProbe : public TbsSkinControl {
public:
  TNoticeProbe(TComponent* owner, std::vector<std::string>& log) : TbsSkinControl(owner), FLog(log) {}
  void PrepareSkinChange() override {
    FLog.push_back("control unbinds");
    TbsSkinControl::PrepareSkinChange();
  }
  void ApplySkinChange() override {
    FLog.push_back(std::string("control rebinds, skin ") + (SkinData()->Empty() ? "empty" : "loaded"));
    TbsSkinControl::ApplySkinChange();
  }

private:
  std::vector<std::string>& FLog;
};

TEST_F(SkinFormFrameTest, SkinChangeMessagesReachEverySkinnedControlInOrder) {
  std::vector<std::string> order;
  auto* panel = new TNoticeProbe(Form.get(), order);
  panel->SetParent(Form.get());
  panel->SetSkinDataName("panel");
  panel->SetSkinData(Skin);
  Frame->OnBeforeChangeSkinData = [&](TObject*) { order.push_back("OnBeforeChangeSkinData"); };
  Frame->OnChangeSkinData = [&](TObject*) { order.push_back("OnChangeSkinData"); };
  Frame->OnAfterChangeSkinData = [&](TObject*) { order.push_back("OnAfterChangeSkinData"); };
  ShowForm();
  Log.clear();
  LoadProgramSkin();
  EXPECT_EQ(LoggedNames({SKINMSG_SKIN_CHANGING, SKINMSG_SKIN_CHANGED, SKINMSG_SKIN_CHANGE_DONE}),
            (std::vector<std::string>{"1225", "1226", "1227"}));
  EXPECT_EQ(order, (std::vector<std::string>{"control unbinds", "OnBeforeChangeSkinData", "OnChangeSkinData",
                                             "control rebinds, skin loaded", "OnAfterChangeSkinData"}));
  EXPECT_NE(panel->RecordIndex(), -1);
  EXPECT_TRUE(Frame->SkinActive());
  // A second load goes the same way and leaves one set of objects.
  order.clear();
  Skin->LoadFromStoredSkin(Stored);
  EXPECT_EQ(order.front(), "control unbinds");
  EXPECT_EQ(order.back(), "OnAfterChangeSkinData");
  EXPECT_EQ(Frame->FrameObjects().Count(), 7);
}

TEST_F(SkinFormFrameTest, ActivationAndDeactivationRepaintTheFrame) {
  LoadProgramSkin();
  ShowForm();
  TForm other(nullptr);
  other.SetBounds(10, 10, 100, 80);
  Log.clear();
  other.Show();
  Screen.RunUntilIdle();
  EXPECT_FALSE(Frame->GetFormActive());
  EXPECT_FALSE(Frame->NCActive());
  const std::vector<UINT> watched{WM_NCACTIVATE, WM_ACTIVATE, WM_NCPAINT};
  const std::vector<std::string> deactivation = LoggedNames(watched);
  ASSERT_GE(deactivation.size(), 3u);
  EXPECT_EQ(deactivation[0], "WM_NCACTIVATE(0)");
  EXPECT_EQ(deactivation[1], "WM_NCPAINT");
  EXPECT_EQ(deactivation.back(), "WM_NCPAINT");
  const auto activate = std::find(deactivation.begin(), deactivation.end(), "WM_ACTIVATE(inactive)");
  ASSERT_NE(activate, deactivation.end());
  EXPECT_EQ(*(activate + 1), "WM_NCPAINT");
  // Inactive: the caption text in its inactive colour, the bands darker.
  const COLORREF inactiveBand = PixelAt(AtWindow(300, 3));

  Log.clear();
  SetActiveWindow(Window());
  Screen.RunUntilIdle();
  EXPECT_TRUE(Frame->GetFormActive());
  const std::vector<std::string> activation = LoggedNames(watched);
  ASSERT_GE(activation.size(), 3u);
  EXPECT_EQ(activation[0], "WM_NCACTIVATE");
  EXPECT_EQ(activation[1], "WM_NCPAINT");
  EXPECT_EQ(activation.back(), "WM_NCPAINT");
  const COLORREF activeBand = PixelAt(AtWindow(300, 3));
  EXPECT_NE(activeBand, inactiveBand);
  EXPECT_GT(GetRValue(activeBand) + GetGValue(activeBand) + GetBValue(activeBand),
            GetRValue(inactiveBand) + GetGValue(inactiveBand) + GetBValue(inactiveBand));
}

}  // namespace
}  // namespace kora::test

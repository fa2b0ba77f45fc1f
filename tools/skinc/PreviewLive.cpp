// The headless stage of the review sheet.

#include "skinc/PreviewLive.h"

#include <algorithm>
#include <cstring>

#include "platform/window/Window.h"
#include "platform/window/WindowSystem.h"
#include "skin/data/bsUtils.h"
#include "skinc/Preview.h"

namespace kora::skinc {

namespace {

// Room for the largest control the sheet places, and beside it for a
// maximized window's look.
constexpr int kStageWidth = 1000;
constexpr int kStageHeight = 700;
constexpr int kScreenWidth = 2400;
constexpr int kScreenHeight = 1000;

}  // namespace

TLiveStage::TLiveStage(TbsSkinData& skin)
    : FSkin(skin), FScreen(HeadlessOptions{kScreenWidth, kScreenHeight, 40, kPreviewDesktop}) {
  ResetWindowSystem();
  SetBackend(&FScreen);
  FApplication = std::make_unique<TApplication>(nullptr);
  FForm = std::make_unique<TForm>(nullptr);
  FForm->SetBorderStyle(bsNone);
  FForm->SetBounds(0, 0, kStageWidth, kStageHeight);
  FForm->Show();
  FScreen.RunUntilIdle();
}

TLiveStage::~TLiveStage() {
  FPlaced.clear();
  FForm.reset();
  FApplication.reset();
  ResetWindowSystem();
  SetBackend(nullptr);
}

void TLiveStage::Capture(const TControl* control, TBitmap& target, int x, int y) {
  FScreen.RunUntilIdle();
  const POINT origin = control->ClientToScreen({0, 0});
  CaptureScreen(RECT::FromSize(origin.X, origin.Y, control->Width(), control->Height()), target, x, y);
}

void TLiveStage::CaptureScreen(const RECT& screen, TBitmap& target, int x, int y) const {
  const ScreenImage image = FScreen.Capture();
  // Both hold 0x00RRGGBB words, so rows copy straight across.
  const int left = std::max({0, -screen.Left, -x}), top = std::max({0, -screen.Top, -y});
  const int right = std::min({WidthOf(screen), image.Width - screen.Left, target.Width() - x});
  const int bottom = std::min({HeightOf(screen), image.Height - screen.Top, target.Height() - y});
  for (int row = top; row < bottom; ++row) {
    if (right <= left) break;
    const uint32_t* from = &image.Pixels[size_t(screen.Top + row) * size_t(image.Width) + size_t(screen.Left + left)];
    std::memcpy(target.ScanLine(y + row) + size_t(x + left) * 4, from, size_t(right - left) * 4);
  }
}

void TLiveStage::PointAt(const TControl* control, POINT client) {
  FScreen.MouseMove(control->ClientToScreen(client));
  FScreen.RunUntilIdle();
}

void TLiveStage::PointAtScreen(POINT screen) {
  FScreen.MouseMove(screen);
  FScreen.RunUntilIdle();
}

void TLiveStage::PointAway() {
  // The task bar's strip, where no window goes.
  FScreen.MouseMove({kScreenWidth - 1, kScreenHeight - 1});
  FScreen.RunUntilIdle();
}

void TLiveStage::Clear() {
  // Newest first: children before their parents, whose own parts go with them.
  std::vector<TControl*> placed;
  placed.swap(FPlaced);
  for (auto it = placed.rbegin(); it != placed.rend(); ++it) delete *it;
}

}  // namespace kora::skinc

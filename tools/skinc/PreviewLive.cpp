// The headless stage of the review sheet.

#include "skinc/PreviewLive.h"

#include <algorithm>
#include <cstring>

#include "platform/window/Window.h"
#include "platform/window/WindowSystem.h"

namespace kora::skinc {

namespace {

// Room for the largest control the sheet places.
constexpr int kStageWidth = 1000;
constexpr int kStageHeight = 700;

}  // namespace

TLiveStage::TLiveStage(TbsSkinData& skin)
    : FSkin(skin), FScreen(HeadlessOptions{kStageWidth + 24, kStageHeight + 68, 40, RGB(0, 0, 0)}) {
  ResetWindowSystem();
  SetBackend(&FScreen);
  FForm = std::make_unique<TForm>(nullptr);
  FForm->SetBorderStyle(bsNone);
  FForm->SetBounds(0, 0, kStageWidth, kStageHeight);
  FForm->Show();
  FScreen.RunUntilIdle();
}

TLiveStage::~TLiveStage() {
  FPlaced.clear();
  FForm.reset();
  ResetWindowSystem();
  SetBackend(nullptr);
}

void TLiveStage::Capture(const TControl* control, TBitmap& target, int x, int y) {
  FScreen.RunUntilIdle();
  const ScreenImage image = FScreen.Capture();
  const POINT origin = control->ClientToScreen({0, 0});
  // Both hold 0x00RRGGBB words, so rows copy straight across.
  const int left = std::max({0, -origin.X, -x}), top = std::max({0, -origin.Y, -y});
  const int right = std::min({control->Width(), image.Width - origin.X, target.Width() - x});
  const int bottom = std::min({control->Height(), image.Height - origin.Y, target.Height() - y});
  for (int row = top; row < bottom; ++row) {
    if (right <= left) break;
    const uint32_t* from = &image.Pixels[size_t(origin.Y + row) * size_t(image.Width) + size_t(origin.X + left)];
    std::memcpy(target.ScanLine(y + row) + size_t(x + left) * 4, from, size_t(right - left) * 4);
  }
}

void TLiveStage::PointAt(const TControl* control, POINT client) {
  FScreen.MouseMove(control->ClientToScreen(client));
  FScreen.RunUntilIdle();
}

void TLiveStage::PointAway() {
  FScreen.MouseMove({kStageWidth + 20, kStageHeight + 60});
  FScreen.RunUntilIdle();
}

void TLiveStage::Clear() {
  // Newest first: children before their parents, whose own parts go with them.
  std::vector<TControl*> placed;
  placed.swap(FPlaced);
  for (auto it = placed.rbegin(); it != placed.rend(); ++it) delete *it;
}

}  // namespace kora::skinc

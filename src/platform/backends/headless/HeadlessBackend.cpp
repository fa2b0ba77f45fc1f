// The headless screen.

#include "platform/backends/headless/HeadlessBackend.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "platform/gdi/PngFile.h"
#include "platform/window/DropFiles.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/Painting.h"
#include "platform/window/Timers.h"

namespace kora {

namespace {

constexpr int kRunawayLimit = 200000;

uint32_t Blend(uint32_t dst, uint32_t src, uint32_t alpha) {
  const uint32_t inv = 255 - alpha;
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t d = (dst >> shift) & 0xFF;
    const uint32_t s = (src >> shift) & 0xFF;
    out |= (((s * alpha + d * inv) + 127) / 255) << shift;
  }
  return out;
}

}  // namespace

COLORREF ScreenImage::ColorAt(int x, int y) const {
  const uint32_t p = At(x, y);
  return RGB(uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p));
}

HeadlessBackend::HeadlessBackend(HeadlessOptions options) : FOptions(options) {
  const RECT screen = RECT::FromSize(0, 0, options.Width, options.Height);
  RECT work = screen;
  work.Bottom -= options.TaskBarHeight;
  FMonitors.push_back({screen, work, true});
}

HeadlessBackend::~HeadlessBackend() {
  if (GetBackend() == this) SetBackend(nullptr);
}

void HeadlessBackend::WaitEvents(int timeoutMs) {
  if (FWoken.exchange(false)) return;
  if (!FIdleSteps.empty()) {
    auto step = std::move(FIdleSteps.front());
    FIdleSteps.pop_front();
    step();
    return;
  }
  if (timeoutMs >= 0) {
    FClock.Advance(uint64_t(timeoutMs));
    return;
  }
  throw std::runtime_error("headless screen: a message loop waits for input that will never come");
}

void HeadlessBackend::WindowChanged(HWND top) {
  TopLevelInfo info;
  if (!GetTopLevelInfo(top, &info)) {
    FShown.erase(top.Value());
    return;
  }
  ShownWindow& shown = FShown[top.Value()];
  const bool visible = info.Visible && !info.Minimized;
  const bool resized = shown.Width != info.Rect.Width() || shown.Height != info.Rect.Height();
  // As a display does: a window that appears or changes size shows its
  // whole surface at once; after that only what is presented.
  if (visible && (!shown.Visible || resized)) {
    shown.Width = info.Rect.Width();
    shown.Height = info.Rect.Height();
    shown.Pixels.assign(size_t(std::max(shown.Width, 0)) * size_t(std::max(shown.Height, 0)), 0);
    CopyPresented(top, shown, RECT::FromSize(0, 0, shown.Width, shown.Height));
  }
  shown.Visible = visible;
}

void HeadlessBackend::Present(HWND top, std::span<const RECT> dirty) {
  const auto it = FShown.find(top.Value());
  for (const RECT& r : dirty) {
    FPresented.push_back({top, r});
    if (it != FShown.end()) CopyPresented(top, it->second, r);
  }
}

void HeadlessBackend::CopyPresented(HWND top, ShownWindow& shown, const RECT& area) {
  TopLevelInfo info;
  if (!GetTopLevelInfo(top, &info) || !info.Pixels.Bits) return;
  const RECT r = area.Intersect(
      RECT::FromSize(0, 0, std::min(shown.Width, info.Pixels.Width), std::min(shown.Height, info.Pixels.Height)));
  for (int y = r.Top; y < r.Bottom; ++y)
    std::copy_n(info.Pixels.Bits + size_t(y) * size_t(info.Pixels.Stride) + size_t(r.Left), size_t(r.Width()),
                shown.Pixels.begin() + ptrdiff_t(size_t(y) * size_t(shown.Width) + size_t(r.Left)));
}

void HeadlessBackend::MouseMove(POINT p) { PostMouseMove(p); }
void HeadlessBackend::MouseDown(POINT p, int button) { PostMouseButton(button, true, p); }
void HeadlessBackend::MouseUp(POINT p, int button) { PostMouseButton(button, false, p); }

void HeadlessBackend::Click(POINT p, int button) {
  MouseMove(p);
  MouseDown(p, button);
  MouseUp(p, button);
}

void HeadlessBackend::Wheel(POINT p, int delta) { PostMouseWheel(delta, p); }
void HeadlessBackend::KeyDown(UINT vk) { PostKey(vk, true); }
void HeadlessBackend::KeyUp(UINT vk) { PostKey(vk, false); }

void HeadlessBackend::PressKey(UINT vk) {
  KeyDown(vk);
  KeyUp(vk);
}

void HeadlessBackend::Type(std::string_view utf8) { PostText(utf8); }

void HeadlessBackend::DropFiles(POINT p, std::vector<std::string> paths) { PostDropFiles(p, std::move(paths)); }

int HeadlessBackend::RunUntilIdle() {
  int count = 0;
  MSG msg;
  while (PeekMessage(&msg, {}, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      FQuit = true;
      FQuitCode = int(msg.wParam);
      break;
    }
    ProcessMessage(msg);
    if (++count > kRunawayLimit) throw std::runtime_error("headless screen: the message queue never became idle");
  }
  GdiFlush();
  return count;
}

void HeadlessBackend::Wait(uint64_t ms) {
  const uint64_t target = FClock.NowMs() + ms;
  RunUntilIdle();
  for (int guard = 0; guard < kRunawayLimit; ++guard) {
    uint64_t due;
    if (!NextTimerDue(&due) || due > target) break;
    if (due > FClock.NowMs()) FClock.Set(due);
    RunUntilIdle();
  }
  FClock.Set(std::max(target, FClock.NowMs()));
  RunUntilIdle();
}

bool HeadlessBackend::QuitReceived(int* code) const {
  if (code) *code = FQuitCode;
  return FQuit;
}

ScreenImage HeadlessBackend::Capture() const {
  ScreenImage img;
  img.Width = FOptions.Width;
  img.Height = FOptions.Height;
  const COLORREF d = ColorToRGB(FOptions.Desktop);
  const uint32_t desktop = (uint32_t(GetRValue(d)) << 16) | (uint32_t(GetGValue(d)) << 8) | GetBValue(d);
  img.Pixels.assign(size_t(img.Width) * size_t(img.Height), desktop);
  for (HWND h : TopLevelWindowsBottomUp()) {
    TopLevelInfo info;
    const auto shown = FShown.find(h.Value());
    if (!GetTopLevelInfo(h, &info) || !info.Visible || info.Minimized || shown == FShown.end() ||
        !shown->second.Visible)
      continue;
    const ShownWindow& pixels = shown->second;
    const RECT r = info.Rect;
    const int w = std::min(r.Width(), pixels.Width);
    const int hgt = std::min(r.Height(), pixels.Height);
    for (int y = std::max(0, -r.Top); y < hgt && r.Top + y < img.Height; ++y) {
      const uint32_t* src = pixels.Pixels.data() + size_t(y) * size_t(pixels.Width);
      uint32_t* dst = img.Pixels.data() + size_t(r.Top + y) * size_t(img.Width);
      auto span = [&](int x0, int x1) {
        x0 = std::max(x0, -r.Left);
        x1 = std::min(x1, img.Width - r.Left);
        for (int x = x0; x < x1; ++x) {
          const uint32_t s = src[x] & 0x00FFFFFF;
          dst[r.Left + x] = info.Alpha == 255 ? s : Blend(dst[r.Left + x], s, info.Alpha);
        }
      };
      if (info.Shape)
        info.Shape->ForEachSpan(y, 0, w, span);
      else
        span(0, w);
    }
  }
  return img;
}

void HeadlessBackend::SaveScreenshot(const std::string& path) const {
  const ScreenImage img = Capture();
  SavePngFile(path, EncodePng(img.Pixels.data(), img.Width, img.Height, img.Width));
}

void HeadlessBackend::SaveArtifact(const std::string& name) const {
  const char* dir = std::getenv("KORA_ARTIFACTS");
  if (!dir || !*dir) return;
  std::filesystem::create_directories(dir);
  SaveScreenshot((std::filesystem::path(dir) / (name + ".png")).string());
}

}  // namespace kora

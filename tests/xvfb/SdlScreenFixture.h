#pragma once
// Real windows on a private X server through the SDL backend: a shaped
// top-level window with text and a child, and a popup over it.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

#include "platform/backends/sdl/SdlBackend.h"
#include "platform/text/Text.h"
#include "platform/window/WindowSystem.h"
#include "xvfb/XProbe.h"
#include "xvfb/XvfbServer.h"

namespace kora::test {

constexpr COLORREF kTopColor = RGB(40, 110, 200);
constexpr COLORREF kChildColor = RGB(220, 40, 40);
constexpr COLORREF kPopupColor = RGB(40, 190, 70);
constexpr COLORREF kOtherColor = RGB(150, 150, 150);
constexpr uint32_t kDesktopPixel = 0xC8C800;

// A screen pixel (0xRRGGBB) of a colour.
constexpr uint32_t ScreenPixel(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

struct SeenMessage {
  HWND Wnd;
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
};

// Messages of interest the scene's windows received, in order.
std::vector<SeenMessage>& Seen();

class SdlScreenTest : public ::testing::Test {
protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;

  // The top-level window at 100,100 (300 x 200) without its top-right
  // 40 x 40 corner, "Kora" at 20,20, the child at 20,100 (100 x 60) and
  // the popup at screen 320,240 (120 x 80), all shown.
  void BuildScene();
  // A plain window of kOtherColor, shown and activated.
  HWND ShowOtherWindow(RECT r);
  // Handles messages and native events until done() holds; false when the
  // time ran out first.
  template <class F>
  bool PumpUntil(F done, std::chrono::milliseconds limit = std::chrono::milliseconds(5000));
  void PumpOnce();
  size_t Count(HWND wnd, UINT msg) const;

  std::unique_ptr<SdlBackend> FBackend;
  std::unique_ptr<XProbe> FProbe;
  HWND FTop, FChild, FPopup;
};

template <class F>
bool SdlScreenTest::PumpUntil(F done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    PumpOnce();
    if (done()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    FBackend->WaitEvents(10);
  }
}

}  // namespace kora::test

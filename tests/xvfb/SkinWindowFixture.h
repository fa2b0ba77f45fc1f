#pragma once
// The skinned main window on a private X server through the SDL backend,
// bare (parameter false) or under Openbox (true): the frame settings of the
// editor's main window (a bsSingle form of client 554 x 434 with
// [biMinimize]) on the program's skin, the test's own X connection for
// input and for reading the screen back, and a plain desktop colour.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "framework/forms/Forms.h"
#include "platform/backends/sdl/SdlBackend.h"
#include "platform/window/WindowSystem.h"
#include "skin/form/bsSkinForm.h"
#include "xvfb/FrameXSide.h"
#include "xvfb/XProbe.h"
#include "xvfb/XvfbServer.h"

namespace kora::test {

// The desktop's colour (0xRRGGBB), so a missing shape cannot pass for it.
constexpr uint32_t kRootPixel = 0x30A040;

class SkinWindowXvfbTest : public ::testing::TestWithParam<bool> {
protected:
  void SetUp() override {
    // The person's thread has an X connection of its own.
    XSide::InitThreads();
    bool missing = false;
    std::string why;
    FServer = XvfbServer::Start(&why, &missing);
    if (missing) GTEST_SKIP() << why;
    ASSERT_TRUE(FServer) << why;
    setenv("SDL_VIDEODRIVER", "x11", 1);
    FX = std::make_unique<XSide>();
    ASSERT_TRUE(*FX);
    if (GetParam()) {
      FManager = std::make_unique<WindowManager>();
      ASSERT_TRUE(FManager->Start(*FX)) << "openbox did not come up (scripts/install-deps.sh installs it)";
    }
    FProbe = std::make_unique<XProbe>();
    FProbe->PaintDesktop(kRootPixel);
    ResetWindowSystem();
    FBackend = std::make_unique<SdlBackend>();
    SetBackend(FBackend.get());
    FApp = std::make_unique<TApplication>(nullptr);
    FForm = std::make_unique<TForm>(nullptr);
    FForm->SetCaption("Kora Editor");
    FForm->SetBorderStyle(bsSingle);
    FForm->SetBounds(120, 90, 400, 300);
    FForm->SetClientWidth(554);
    FForm->SetClientHeight(434);
    FFrame = new TbsSkinForm(FForm.get());
    FFrame->SetBorderIcons({TbsBorderIcon::biMinimize});
    FSkin = new TbsSkinData(FForm.get());
    auto* stored = new TbsCompressedStoredSkin(FForm.get());
    FFrame->SetSkinData(FSkin);
    FFrame->SetMenusSkinData(FSkin);
    stored->ImportCompressedFile(KORA_SKIN_ARCHIVE);
    FSkin->SetCompressedStoredSkin(stored);
    FApp->SetMainForm(FForm.get());
  }
  void TearDown() override {
    FForm.reset();
    FApp.reset();
    ResetWindowSystem();
    SetBackend(nullptr);
    FBackend.reset();
    FProbe.reset();
    FManager.reset();
    FX.reset();
    FServer.reset();
  }

  // Runs the message loop until done() holds or the limit passes (ample
  // for a server and a window manager on two loaded cores).
  template <class F>
  bool PumpUntil(F done, int limitMs = 10000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    for (;;) {
      MSG m;
      while (PeekMessage(&m, {}, 0, 0, PM_REMOVE)) ProcessMessage(m);
      GdiFlush();
      if (done()) return true;
      if (std::chrono::steady_clock::now() > deadline) return false;
      FBackend->WaitEvents(10);
    }
  }
  RECT Rect() {
    RECT r;
    GetWindowRect(FForm->Handle(), &r);
    return r;
  }
  // Screen point of a window point.
  POINT At(int x, int y) { return {Rect().Left + x, Rect().Top + y}; }
  // An artifact's name: what, under the kind of desktop of the run.
  std::string Name(const std::string& kind, const std::string& what) {
    return "xvfb-" + kind + "-" + (GetParam() ? "openbox-" : "bare-") + what;
  }

  std::unique_ptr<XvfbServer> FServer;
  std::unique_ptr<XSide> FX;
  std::unique_ptr<WindowManager> FManager;
  std::unique_ptr<XProbe> FProbe;
  std::unique_ptr<SdlBackend> FBackend;
  std::unique_ptr<TApplication> FApp;
  std::unique_ptr<TForm> FForm;
  TbsSkinForm* FFrame = nullptr;
  TbsSkinData* FSkin = nullptr;
};

}  // namespace kora::test

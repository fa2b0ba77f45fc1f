#pragma once
// A person at the editor's window on a private X server under Openbox: the
// server, the window manager, the test's own X connections, where the
// window's parts are, and the person's steps (act, then look until the
// screen has answered and settled). The Linux editor's tests and the
// Windows build's under Wine share it.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "editor/uMain.h"
#include "framework/forms/Forms.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"
#include "skin/form/bsSkinForm.h"
#include "xvfb/FrameXSide.h"
#include "xvfb/XProbe.h"
#include "xvfb/XvfbServer.h"

namespace kora::test {

constexpr uint32_t kEditorDesktop = 0x3A6EA5;

// The character records as the kora-cli of a program folder (ending in
// '/') exports them, a line each.
inline std::vector<std::string> Characters(const std::string& program, const std::string& rom) {
  const std::string out = rom + ".csv";
  const std::string command =
      "'" + program + "kora-cli' export '" + rom + "' --kind char --format csv > '" + out + "' 2>/dev/null";
  if (std::system(command.c_str()) != 0) return {};
  std::vector<std::string> lines;
  std::ifstream text(out);
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
}

inline std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
  return fields;
}

// Where a person finds things in the window: the centres of the window's
// parts, relative to its top-left corner, read from the same stored form on
// a headless screen.
inline std::map<std::string, POINT> EditorWindowLayout(const std::string& programFolder) {
  std::map<std::string, POINT> at;
  HeadlessBackend screen;
  ResetWindowSystem();
  SetBackend(&screen);
  SetMainProgramFolder(programFolder);
  {
    TApplication application(nullptr);
    std::unique_ptr<TfrmMain> form(CreateMainForm(nullptr));
    application.SetMainForm(form.get());
    form->Show();
    screen.RunUntilIdle();
    RECT window;
    GetWindowRect(form->Handle(), &window);
    for (const char* name : {"bsSkinComboBox3", "bsSkinButton4", "bsSkinButton1", "bsSkinEdit1"}) {
      auto* control = dynamic_cast<TControl*>(form->FindComponent(name));
      if (!control) continue;
      const POINT centre = control->ClientToScreen({control->Width() / 2, control->Height() / 2});
      at[name] = {centre.X - window.Left, centre.Y - window.Top};
    }
    for (int i = 0; i < form->ComponentCount(); ++i)
      if (auto* frame = dynamic_cast<TbsSkinForm*>(form->Components(i)))
        if (const TbsActiveSkinObject* close = frame->FrameObjects().Find("closebutton"))
          at["close"] = {(close->ObjectRect.Left + close->ObjectRect.Right) / 2,
                         (close->ObjectRect.Top + close->ObjectRect.Bottom) / 2};
  }
  ResetWindowSystem();
  SetBackend(nullptr);
  return at;
}

class EditorDesktopTest : public ::testing::Test {
protected:
  // The server, Openbox and an even desktop; the test has failed or is
  // skipped when they did not come up (HasFatalFailure, IsSkipped).
  void StartDesktop() {
    bool missing = false;
    std::string why;
    FServer = XvfbServer::Start(&why, &missing);
    if (missing) GTEST_SKIP() << why;
    ASSERT_TRUE(FServer) << why;
    FX = std::make_unique<XSide>();
    ASSERT_TRUE(*FX);
    FManager = std::make_unique<WindowManager>();
    ASSERT_TRUE(FManager->Start(*FX)) << "openbox did not come up (scripts/install-deps.sh installs it)";
    FProbe = std::make_unique<XProbe>();
    FProbe->PaintDesktop(kEditorDesktop);
  }
  void StopDesktop() {
    FProbe.reset();
    FManager.reset();
    FX.reset();
    FServer.reset();
  }

  static bool WaitFor(const std::function<bool()>& done, int limitMs = 10000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
  }
  // A person acts and looks: the next step once the screen has shown the
  // answer (it changed) and settled (two looks alike), within a bound. An
  // action that changes nothing visible waits out only the first bound.
  void Act(const std::function<void()>& action) {
    const RootImage before = FProbe->Capture();
    action();
    WaitFor([&] { return FProbe->Capture().Pixels != before.Pixels; }, 3000);
    RootImage last = FProbe->Capture();
    WaitFor([&] {
      RootImage now = FProbe->Capture();
      const bool same = now.Pixels == last.Pixels;
      last = std::move(now);
      return same;
    });
  }
  void Tap(const char* keysym) {
    Act([&] { FProbe->Tap(keysym); });
  }
  // A key with a modifier held: "Alt_L" and "f" open the File menu.
  void Chord(const char* modifier, const char* key) {
    Act([&] {
      FProbe->Key(modifier, true);
      FProbe->Tap(key);
      FProbe->Key(modifier, false);
    });
  }
  void Shot(const std::string& step) { XProbe::SaveArtifact(FProbe->Capture(), FShotPrefix + step); }
  // The window with a margin of desktop around it, as the README shows it.
  void WindowShot(const std::string& name) {
    const RootImage screen = FProbe->Capture();
    const RECT window = FX->Geometry(FWindow).Inflated(12, 12);
    RootImage crop;
    crop.Width = window.Width();
    crop.Height = window.Height();
    for (int y = window.Top; y < window.Bottom; ++y)
      for (int x = window.Left; x < window.Right; ++x)
        crop.Pixels.push_back(x >= 0 && y >= 0 && x < screen.Width && y < screen.Height ? screen.At({x, y})
                                                                                        : kEditorDesktop);
    XProbe::SaveArtifact(crop, name);
  }
  POINT On(const std::string& part) {
    const POINT offset = FLayout.at(part);
    const RECT window = FX->Geometry(FWindow);
    return {window.Left + offset.X, window.Top + offset.Y};
  }
  void ClickOn(const std::string& part) {
    Act([&] { FProbe->Click(On(part)); });
  }

  std::unique_ptr<XvfbServer> FServer;
  std::unique_ptr<XSide> FX;
  std::unique_ptr<WindowManager> FManager;
  std::unique_ptr<XProbe> FProbe;
  std::map<std::string, POINT> FLayout;
  unsigned long FWindow = 0;
  std::string FShotPrefix;
};

}  // namespace kora::test

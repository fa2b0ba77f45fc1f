#pragma once
// The skinned frame on the headless screen: the program's main window as
// far as the frame sees it (a bsSingle form of client 554 x 434 with
// [biMinimize]) on the program's own skin, miniature skins of a test's own,
// a log of the messages the form's window receives, and sheets of PNGs.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/TempFolder.h"
#include "framework/forms/Forms.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/gdi/BmpFile.h"
#include "platform/gdi/PngFile.h"
#include "platform/window/WindowSystem.h"
#include "skin/ScreenSheet.h"
#include "skin/form/bsSkinForm.h"

namespace kora::test {

// A picture for a miniature skin: every pixel from a function of (x, y).
inline std::string BmpOf(int width, int height, const std::function<COLORREF(int x, int y)>& color) {
  std::vector<uint32_t> pixels(size_t(width) * size_t(height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF c = color(x, y);
      pixels[size_t(y) * size_t(width) + size_t(x)] =
          (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
    }
  const std::vector<uint8_t> bytes = EncodeBmp(pixels.data(), width, height, width, 24, {});
  return std::string(bytes.begin(), bytes.end());
}

// One message the form's window received, with its name for the tables.
struct TLogged {
  UINT Msg;
  WPARAM WParam;
  std::string Name() const;
};

class SkinFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetWindowSystem();
    SetBackend(&Screen);
    App = std::make_unique<TApplication>(nullptr);
    MakeMainWindow();
  }
  void TearDown() override {
    Form.reset();
    App.reset();
    ResetWindowSystem();
    SetBackend(nullptr);
  }

  // The frame settings of the editor's main window.
  void MakeMainWindow() {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetName("frmMain");
    Form->SetCaption("Kora Editor");
    Form->SetBorderStyle(bsSingle);
    Form->SetBounds(200, 100, 400, 300);
    Form->SetClientWidth(554);
    Form->SetClientHeight(434);
    Frame = new TbsSkinForm(Form.get());
    Frame->SetBorderIcons({TbsBorderIcon::biMinimize});
    Frame->AlphaBlendValue = 200;
    Frame->SetDefMenuItemHeight(20);
    Skin = new TbsSkinData(Form.get());
    Stored = new TbsCompressedStoredSkin(Form.get());
    Frame->SetSkinData(Skin);
    Frame->SetMenusSkinData(Skin);
    App->SetMainForm(Form.get());
    // Every message the window gets, in front of the frame.
    TWndMethod frameProc = Form->WindowProc;
    Form->WindowProc = [this, frameProc](TMessage& message) {
      if (Logging) Log.push_back({message.Msg, message.WParam});
      frameProc(message);
    };
  }

  void LoadProgramSkin() {
    Stored->ImportCompressedFile(KORA_SKIN_ARCHIVE);
    Skin->SetCompressedStoredSkin(Stored);
    ASSERT_FALSE(Skin->Empty());
  }
  void LoadMiniSkin(const std::string& ini, const std::vector<std::pair<std::string, std::string>>& pictures) {
    const std::string folder = kora::test::TempFolder() + "mini-skin";
    std::filesystem::create_directories(folder);
    for (const auto& [name, bytes] : pictures) WriteFile(folder + "/" + name, bytes);
    WriteFile(folder + "/skin.ini", ini);
    Stored->BuildFromSkinFolder(folder + "/skin.ini");
    Skin->SetCompressedStoredSkin(Stored);
    ASSERT_FALSE(Skin->Empty());
  }
  void ShowForm() {
    Form->Show();
    Screen.RunUntilIdle();
  }

  HWND Window() { return Form->Handle(); }
  RECT WindowRect() {
    RECT r;
    GetWindowRect(Window(), &r);
    return r;
  }
  // Screen point of a window point.
  POINT AtWindow(int x, int y) {
    const RECT r = WindowRect();
    return {r.Left + x, r.Top + y};
  }
  POINT Middle(const RECT& windowRect) {
    return AtWindow(windowRect.Left + WidthOf(windowRect) / 2, windowRect.Top + HeightOf(windowRect) / 2);
  }
  COLORREF PixelAt(POINT screen) const { return Screen.Capture().ColorAt(screen.X, screen.Y); }
  TbsSkinStdButtonObject* Button(const std::string& name) {
    return dynamic_cast<TbsSkinStdButtonObject*>(Frame->FrameObjects().Find(name));
  }

  // The logged names of the messages in `only`, from the log's start.
  std::vector<std::string> LoggedNames(const std::vector<UINT>& only) const {
    std::vector<std::string> names;
    for (const TLogged& m : Log)
      for (UINT wanted : only)
        if (m.Msg == wanted) names.push_back(m.Name());
    return names;
  }

  static void WriteFile(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }

  HeadlessBackend Screen;
  std::unique_ptr<TApplication> App;
  std::unique_ptr<TForm> Form;
  TbsSkinForm* Frame = nullptr;
  TbsSkinData* Skin = nullptr;
  TbsCompressedStoredSkin* Stored = nullptr;
  std::vector<TLogged> Log;
  bool Logging = true;
};

inline std::string TLogged::Name() const {
  switch (Msg) {
    case WM_ACTIVATE: return WParam ? "WM_ACTIVATE" : "WM_ACTIVATE(inactive)";
    case WM_NCACTIVATE: return WParam ? "WM_NCACTIVATE" : "WM_NCACTIVATE(0)";
    case WM_NCPAINT: return "WM_NCPAINT";
    case WM_NCLBUTTONDOWN: return "WM_NCLBUTTONDOWN";
    case WM_SYSCOMMAND:
      switch (WParam & 0xFFF0) {
        case SC_MOVE: return "SC_MOVE";
        case SC_MINIMIZE: return "SC_MINIMIZE";
        case SC_RESTORE: return "SC_RESTORE";
        default: return "WM_SYSCOMMAND";
      }
    case WM_ENTERSIZEMOVE: return "WM_ENTERSIZEMOVE";
    case WM_MOVING: return "WM_MOVING";
    case WM_EXITSIZEMOVE: return "WM_EXITSIZEMOVE";
    case WM_SIZE:
      return WParam == SIZE_MINIMIZED   ? "WM_SIZE(minimized)"
             : WParam == SIZE_MAXIMIZED ? "WM_SIZE(maximized)"
                                        : "WM_SIZE";
    case SKINMSG_SKIN_CHANGING: return "1225";
    case SKINMSG_SKIN_CHANGED: return "1226";
    case SKINMSG_SKIN_CHANGE_DONE: return "1227";
    case WM_BSMENUCLOSED: return "1228";
    default: return std::to_string(Msg);
  }
}

}  // namespace kora::test

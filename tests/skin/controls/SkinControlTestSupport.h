#pragma once
// The skinned controls on the headless screen: an application, a form that
// relays the skin's change notices to its controls the way the skinned frame
// does, the program's own skin as the build packs it, miniature skins made on
// the spot, and sheets of pictures for a person to look at.

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
#include "platform/window/WindowSystem.h"
#include "skin/ScreenSheet.h"
#include "skin/controls/bsSkinCtrls.h"

namespace kora::test {

// A form whose window relays SKINMSG_SKIN_CHANGING and _CHANGED to every
// skin-bound control on it, and logs what it relayed.
class TRelayForm : public TForm {
public:
  using TForm::TForm;
  std::vector<std::string> Notices;
  // Runs after each relayed notice.
  std::function<void(UINT message)> AfterNotice;

protected:
  void WndProc(TMessage& message) override {
    if (message.Msg == SKINMSG_SKIN_CHANGING || message.Msg == SKINMSG_SKIN_CHANGED) {
      Notices.push_back(message.Msg == SKINMSG_SKIN_CHANGING ? "changing" : "changed");
      RelaySkinNotice(this, message.Msg, reinterpret_cast<TbsSkinData*>(message.WParam));
      if (AfterNotice) AfterNotice(message.Msg);
      return;
    }
    TForm::WndProc(message);
  }
};

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

class SkinControlTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetWindowSystem();
    SetBackend(&Screen);
    App = std::make_unique<TApplication>(nullptr);
    Form = std::make_unique<TRelayForm>(nullptr);
    Form->SetBounds(20, 20, 600, 440);
    Form->SetBorderStyle(bsNone);
    Form->SetColor(RGB(236, 233, 216));
    Skin = new TbsSkinData(Form.get());
    Stored = new TbsCompressedStoredSkin(Form.get());
  }
  void TearDown() override {
    Form.reset();
    App.reset();
    ResetWindowSystem();
    SetBackend(nullptr);
  }

  // The program's own skin, loaded as the main window loads it.
  void LoadProgramSkin() {
    Stored->ImportCompressedFile(KORA_SKIN_ARCHIVE);
    Skin->SetCompressedStoredSkin(Stored);
    ASSERT_FALSE(Skin->Empty());
  }
  // A miniature skin: skin.ini text and the pictures it names.
  void LoadMiniSkin(const std::string& ini, const std::vector<std::pair<std::string, std::string>>& pictures) {
    const std::string folder = kora::test::TempFolder() + "mini-skin";
    std::filesystem::create_directories(folder);
    for (const auto& [name, bytes] : pictures) WriteFile(folder + "/" + name, bytes);
    WriteFile(folder + "/skin.ini", ini);
    Stored->BuildFromSkinFolder(folder + "/skin.ini");
    Skin->SetCompressedStoredSkin(Stored);
    ASSERT_FALSE(Skin->Empty());
  }
  // Reloads the current stored skin, broadcasting its change notices.
  void ReloadSkin() { Skin->LoadFromStoredSkin(Stored); }

  void ShowForm() {
    Form->Show();
    Screen.RunUntilIdle();
  }
  // Screen coordinates of a point of a control's client area.
  static POINT At(const TControl* control, int x, int y) { return control->ClientToScreen({x, y}); }
  static POINT Middle(const TControl* control) { return At(control, control->Width() / 2, control->Height() / 2); }
  COLORREF PixelAt(const TControl* control, int x, int y) const {
    const POINT p = At(control, x, y);
    return Screen.Capture().ColorAt(p.X, p.Y);
  }

  static void WriteFile(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }

  HeadlessBackend Screen;
  std::unique_ptr<TApplication> App;
  std::unique_ptr<TRelayForm> Form;
  TbsSkinData* Skin = nullptr;
  TbsCompressedStoredSkin* Stored = nullptr;
};

}  // namespace kora::test

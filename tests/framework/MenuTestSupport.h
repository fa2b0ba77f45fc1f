#pragma once
// A shown, active form of an application for the menu tests, with items
// that record their clicks and ways to look at the open menu windows.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "framework/forms/Forms.h"
#include "framework/menus/Menus.h"

namespace kora::test {

class MenuFormTest : public HeadlessTest {
protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    App = std::make_unique<TApplication>(nullptr);
    Form = new TForm(nullptr);
  }
  void TearDown() override {
    delete Form;
    App.reset();
    HeadlessTest::TearDown();
  }

  void ShowForm(int left, int top, int width, int height) {
    Form->SetBounds(left, top, width, height);
    Form->HandleNeeded();
    Form->Show();
    SetActiveWindow(Form->Handle());
    Screen.RunUntilIdle();
  }
  TMenuItem* Add(TMenuItem* parent, const std::string& caption) {
    auto* item = new TMenuItem(Form);
    item->SetCaption(caption);
    item->SetOnClick([this, item](TObject*) {
      Clicked.push_back(item);
      MenuWindowsAtClick = int(MenuWindows().size());
    });
    parent->Add(item);
    return item;
  }
  // The open plain popup menu windows.
  static std::vector<RECT> MenuWindows() {
    std::vector<RECT> rects;
    EnumWindows(
        [](HWND hwnd, LPARAM list) {
          if (IsWindowVisible(hwnd) && GetClassName(hwnd) == "TPlainPopupMenu") {
            RECT r;
            GetWindowRect(hwnd, &r);
            reinterpret_cast<std::vector<RECT>*>(list)->push_back(r);
          }
          return true;
        },
        reinterpret_cast<LPARAM>(&rects));
    return rects;
  }
  static POINT Center(const RECT& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
  // Runs when the next menu loop waits for input.
  void Step(std::function<void()> step) { Screen.WhenIdle(std::move(step)); }
  void Key(UINT vk) {
    Step([this, vk] { Screen.PressKey(vk); });
  }

  std::unique_ptr<TApplication> App;
  TForm* Form = nullptr;
  std::vector<TMenuItem*> Clicked;
  int MenuWindowsAtClick = -1;
};

}  // namespace kora::test

#pragma once
// The skinned popup menus on the main window's frame: the editor's File
// menu, ways to drive the engine's nested loop step by step and to look
// at the open windows.

#include <functional>
#include <string>
#include <vector>

#include "SkinFormTestSupport.h"
#include "framework/controls/ExtCtrls.h"
#include "skin/form/bsSkinMenus.h"

namespace kora::test {

class SkinMenuTest : public SkinFormTest {
protected:
  void SetUp() override {
    SkinFormTest::SetUp();
    Engine = SkinMenuOf(Frame);
    Menu = new TMainMenu(Form.get());
    File = Add(Menu->Items(), "F1", "文件(&F)");
    ChooseRom = Add(File, "N1", "选择ROM(&C)");
    SaveData = Add(File, "N4", "保存数据");
    SaveData->SetEnabled(false);
    Add(File, "N2", "-");
    Exit = Add(File, "N3", "退出程序");
  }

  TMenuItem* Add(TMenuItem* parent, const std::string& name, const std::string& caption) {
    auto* item = new TMenuItem(Form.get());
    item->SetName(name);
    item->SetCaption(caption);
    item->SetOnClick([this, item](TObject*) {
      Clicked.push_back(item);
      WindowsAtClick = Engine->PopupCount();
    });
    parent->Add(item);
    return item;
  }
  // Opens the children of `items` under the screen rectangle and returns
  // once the chain closed. A chain a test leaves open closes after a
  // minute of virtual time, failing the test.
  void Open(TMenuItem* items, RECT under = {220, 150, 260, 170}, bool popupUp = false) {
    TTimer guard(nullptr);
    guard.SetInterval(60000);
    guard.SetOnTimer([this](TObject*) {
      ADD_FAILURE() << "the menu was left open";
      Engine->CloseAll();
    });
    Engine->Popup(nullptr, Skinned ? Skin : nullptr, popupUp, items, under);
  }
  // Runs when the next menu loop waits for input.
  void Step(std::function<void()> step) { Screen.WhenIdle(std::move(step)); }
  void Key(UINT vk) {
    Step([this, vk] { Screen.PressKey(vk); });
  }
  TbsSkinPopupWindow* Popup(int level) const { return Engine->PopupWindow(level); }
  // The highlighted item's caption in a level, "" for none.
  std::string Highlighted(int level) const {
    const TbsSkinPopupWindow* w = Popup(level);
    return w && w->Hot >= 0 ? w->Items[size_t(w->Hot)]->Caption() : "";
  }
  RECT PopupRect(int level) const { return Popup(level)->ScreenRect(); }
  POINT ItemCenter(int level, const TMenuItem* item) const {
    const TbsSkinPopupWindow* w = Popup(level);
    for (int i = 0; i < w->Count(); ++i)
      if (w->Items[size_t(i)] == item) {
        const RECT r = w->ItemScreenRect(i);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
      }
    ADD_FAILURE() << "item not shown";
    return {};
  }

  TbsSkinMenu* Engine = nullptr;
  TMainMenu* Menu = nullptr;
  TMenuItem *File, *ChooseRom, *SaveData, *Exit;
  std::vector<TMenuItem*> Clicked;
  int WindowsAtClick = -1;
  bool Skinned = true;
};

}  // namespace kora::test

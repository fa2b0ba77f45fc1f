// The skinned popup menus driven like a person would: the File menu's
// keys, scrolling windows, submenus on hover, clicks and keys, placement
// against the work area, the activation left alone, the mouse polled.

#include <string>
#include <vector>

#include "SkinMenuTestSupport.h"

namespace kora::test {
namespace {

class SkinMenuBehaviourTest : public SkinMenuTest {
protected:
  void SetUp() override {
    SkinMenuTest::SetUp();
    LoadProgramSkin();
    ShowForm();
  }
  // An item list of its own for the tests that need more than the File menu.
  TMenuItem* Items(const std::vector<std::string>& captions) {
    auto* root = Add(Menu->Items(), "", "&Tools");
    for (const std::string& caption : captions) Add(root, "", caption);
    return root;
  }
  int FrameHeight() const {
    if (!Skinned) return 4;
    const TbsSkinPopupWindow& w = *Popup(0);
    return w.WindowPicture->Height() - HeightOf(Skin->PopupWindow().ItemsRect);
  }
};

TEST_F(SkinMenuBehaviourTest, TheFileMenuOpensOnItsFirstItemAndTheArrowsSkipTheDisabledSaveItem) {
  for (bool skinned : {true, false}) {
    SCOPED_TRACE(skinned);
    Skinned = skinned;
    Clicked.clear();
    Log.clear();
    std::vector<std::string> seen;
    const auto look = [&](UINT key) {
      Step([&, key] {
        seen.push_back(Highlighted(0));
        Screen.PressKey(key);
      });
    };
    look(VK_DOWN);  // past "保存数据" and the line
    look(VK_DOWN);  // wraps to the first
    look(VK_UP);    // wraps to the last
    look(VK_UP);
    look(VK_RETURN);
    Open(File);
    EXPECT_EQ(seen, (std::vector<std::string>{"选择ROM(&C)", "退出程序", "选择ROM(&C)", "退出程序", "选择ROM(&C)"}));
    ASSERT_EQ(Clicked.size(), 1u);
    EXPECT_EQ(Clicked[0], ChooseRom);
    EXPECT_EQ(WindowsAtClick, 0);  // the windows were gone before the command ran
    EXPECT_EQ(LoggedNames({WM_BSMENUCLOSED}), (std::vector<std::string>{"1228"}));
    EXPECT_FALSE(Engine->Visible());
  }
}

TEST_F(SkinMenuBehaviourTest, FiveItemsWithAMaximumOfThreeScrollByKeysAndByTheMarkers) {
  TMenuItem* five = Items({"&One", "T&wo", "Th&ree", "&Four", "F&ive"});
  Engine->SetMaxMenuItemsInWindow(3);
  for (bool skinned : {true, false}) {
    SCOPED_TRACE(skinned);
    Skinned = skinned;
    std::vector<int> first;
    std::vector<std::string> hot;
    const auto look = [&] {
      first.push_back(Popup(0)->FirstVisible);
      hot.push_back(Highlighted(0));
    };
    Step([&] {
      const TbsSkinPopupWindow& w = *Popup(0);
      const int itemH = skinned ? HeightOf(w.ItemData->SkinRect) : 20;
      EXPECT_TRUE(w.Scrolls);
      EXPECT_TRUE(w.Limited);
      EXPECT_EQ(w.ShownCount, 3);
      EXPECT_EQ(w.Size.cy, 3 * itemH + 20 + FrameHeight());
      look();
      for (int i = 0; i < 3; ++i) Screen.PressKey(VK_DOWN);
    });
    Step([&] {
      look();  // "&Four" at the bottom edge pulls the window one item on
      Screen.PressKey(VK_DOWN);
    });
    Step([&] {
      look();
      Screen.PressKey(VK_DOWN);  // wraps to the first, and so does the scroll
    });
    Step([&] {
      look();
      const RECT down = Popup(0)->DownMarker();
      POINT p{(down.Left + down.Right) / 2, (down.Top + down.Bottom) / 2};
      ClientToScreen(Popup(0)->Window, &p);
      Screen.MouseMove(p);
      Screen.Time().Advance(TbsSkinMenu::kMouseInterval);
    });
    Step([&] {
      EXPECT_EQ(Popup(0)->ScrollCode, 2);
      Screen.Time().Advance(TbsSkinMenu::kScrollInterval);
    });
    Step([&] {
      look();
      Screen.Time().Advance(TbsSkinMenu::kScrollInterval);
    });
    Step([&] {
      look();
      EXPECT_EQ(Popup(0)->ScrollCode, 0);  // stopped at the end
      Screen.PressKey(VK_ESCAPE);
    });
    Open(five);
    EXPECT_EQ(first, (std::vector<int>{0, 1, 2, 0, 1, 2}));
    EXPECT_EQ(hot, (std::vector<std::string>{"&One", "&Four", "F&ive", "&One", "&One", "&One"}));
  }
}

TEST_F(SkinMenuBehaviourTest, ASubmenuOpensAfterHalfASecondOfHoverAtOnceOnAClickAndOnRight) {
  TMenuItem* tools = Items({"&Open"});
  TMenuItem* recent = Add(tools, "", "&Recent");
  TMenuItem* second = Add(recent, "", "&First.nds");
  second = Add(recent, "", "&Second.nds");
  TMenuItem* open = tools->Items(0);
  std::vector<int> levels;
  Step([&] {
    Screen.MouseMove(ItemCenter(0, recent));
    Screen.Time().Advance(TbsSkinMenu::kMouseInterval);
  });
  Step([&] {
    EXPECT_EQ(Highlighted(0), "&Recent");
    Screen.Time().Advance(TbsSkinMenu::kWaitInterval - 100);
  });
  Step([&] {
    levels.push_back(Engine->PopupCount());  // not yet
    Screen.Time().Advance(110);
  });
  Step([&] {
    levels.push_back(Engine->PopupCount());
    EXPECT_EQ(PopupRect(1).Left, Popup(0)->ItemScreenRect(Popup(0)->Open).Right + 1);
    EXPECT_EQ(Highlighted(1), "&First.nds");  // highlighted, not opened further
    // Hovering an item without children closes the submenu.
    Screen.MouseMove(ItemCenter(0, open));
    Screen.Time().Advance(TbsSkinMenu::kMouseInterval);
  });
  Step([&] {
    levels.push_back(Engine->PopupCount());
    Screen.Click(ItemCenter(0, recent));
  });
  Step([&] {
    levels.push_back(Engine->PopupCount());  // at once
    Screen.PressKey(VK_LEFT);
  });
  Step([&] {
    levels.push_back(Engine->PopupCount());
    Screen.PressKey(VK_RIGHT);
  });
  Step([&] {
    levels.push_back(Engine->PopupCount());
    Screen.PressKey('S');  // the submenu's accelerator
  });
  Open(tools);
  EXPECT_EQ(levels, (std::vector<int>{1, 2, 1, 2, 1, 2}));
  // Opening a submenu runs its item's command too, as the skinned menus do.
  EXPECT_EQ(Clicked, (std::vector<TMenuItem*>{recent, recent, recent, second}));
}

TEST_F(SkinMenuBehaviourTest, WindowsArePlacedAgainstTheWorkArea) {
  Skinned = false;
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  const auto placed = [&](RECT under, bool up = false) {
    RECT r{};
    Step([&] {
      r = PopupRect(0);
      Screen.PressKey(VK_ESCAPE);
    });
    Open(File, under, up);
    return r;
  };
  RECT r = placed({100, 100, 140, 120});
  EXPECT_EQ(r.TopLeft(), (POINT{100, 120}));
  const int w = WidthOf(r), h = HeightOf(r);
  // Lower half without room below: above the anchor.
  r = placed({100, work.Bottom - 30, 140, work.Bottom - 10});
  EXPECT_EQ(r.Bottom, work.Bottom - 30);
  EXPECT_EQ(r.Left, 100);
  // At the right edge: pulled back onto the work area.
  r = placed({work.Right - 20, 100, work.Right - 10, 120});
  EXPECT_EQ(r.Right, work.Right);
  // Upwards for a menu button.
  r = placed({300, 400, 340, 420}, true);
  EXPECT_EQ(r.Bottom, 400);
  // Upwards without room above, in the upper half: below, moved beside the anchor.
  r = placed({300, work.Top + 5, 340, work.Top + 25}, true);
  EXPECT_EQ(r.Top, work.Top + 25);
  EXPECT_EQ(r.Left, 341);
  EXPECT_EQ(WidthOf(r), w);
  EXPECT_EQ(HeightOf(r), h);

  // A submenu beside its item, on the left when the right has no room.
  TMenuItem* deep = Add(ChooseRom, "", "&Deep");
  (void)deep;
  for (int right : {400, int(work.Right) - 5}) {
    RECT item{}, sub{};
    Step([&] { Screen.PressKey(VK_RIGHT); });
    Step([&] {
      item = Popup(0)->ItemScreenRect(Popup(0)->Open);
      sub = PopupRect(1);
      Screen.PressKey(VK_ESCAPE);
      Screen.PressKey(VK_ESCAPE);
    });
    Open(File, {right - 60, 100, right - 20, 120});
    if (right == 400) {
      EXPECT_EQ(sub.Left, item.Right + 1);
    } else {
      EXPECT_EQ(sub.Right, item.Left - 1);
    }
    EXPECT_EQ(sub.Top, item.Top - 2);  // the first item level with its parent
  }
}

TEST_F(SkinMenuBehaviourTest, AMenuTallerThanTheWorkAreaScrollsFromItsTop) {
  Skinned = false;
  std::vector<std::string> many;
  for (int i = 0; i < 60; ++i) many.push_back("Item " + std::to_string(i));
  TMenuItem* long_ = Items(many);
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  Step([&] {
    const TbsSkinPopupWindow& w = *Popup(0);
    EXPECT_TRUE(w.Scrolls);
    EXPECT_FALSE(w.Limited);
    EXPECT_EQ(PopupRect(0).Top, work.Top);
    EXPECT_EQ(HeightOf(PopupRect(0)), HeightOf(work));
    Screen.PressKey(VK_UP);  // wraps to the last item, scrolled into view
  });
  Step([&] {
    EXPECT_EQ(Highlighted(0), "Item 59");
    EXPECT_TRUE(Popup(0)->AtEnd());
    EXPECT_GT(Popup(0)->FirstVisible, 0);
    Screen.PressKey(VK_ESCAPE);
  });
  Open(long_, {100, 500, 140, 520});
}

TEST_F(SkinMenuBehaviourTest, TheMenuKeepsTheFormActiveFollowsThePolledMouseAndClosesOnAClickElsewhere) {
  auto* edit = new TWinControl(Form.get());
  edit->SetParent(Form.get());
  edit->SetBounds(10, 40, 100, 20);
  edit->SetTabStop(true);
  edit->SetFocus();
  Screen.RunUntilIdle();
  const HWND focus = GetFocus();
  std::vector<std::string> hot;
  Step([&] {
    EXPECT_EQ(GetActiveWindow(), SkinFormTest::Window());
    EXPECT_EQ(GetFocus(), focus);
    EXPECT_EQ(Popup(0)->Size.cx > 0, true);
    Screen.MouseMove(ItemCenter(0, Exit));
  });
  Step([&] {
    hot.push_back(Highlighted(0));  // the mouse is looked at every 50 ms
    Screen.Time().Advance(TbsSkinMenu::kMouseInterval);
  });
  Step([&] {
    hot.push_back(Highlighted(0));
    Screen.MouseMove(ItemCenter(0, SaveData));
    Screen.Time().Advance(TbsSkinMenu::kMouseInterval);
  });
  Step([&] {
    hot.push_back(Highlighted(0));          // a disabled item is never highlighted
    Screen.Click(ItemCenter(0, SaveData));  // nor picked
  });
  Step([&] {
    EXPECT_EQ(Engine->PopupCount(), 1);
    Screen.Click(AtWindow(300, 300));  // the form's client area
  });
  Open(File);
  EXPECT_EQ(hot, (std::vector<std::string>{"选择ROM(&C)", "退出程序", ""}));
  EXPECT_TRUE(Clicked.empty());
  EXPECT_EQ(GetActiveWindow(), SkinFormTest::Window());
  EXPECT_EQ(GetFocus(), focus);

  // A release over an item picks it.
  Step([&] { Screen.MouseMove(ItemCenter(0, Exit)); });
  Step([&] { Screen.Click(ItemCenter(0, Exit)); });
  Open(File);
  EXPECT_EQ(Clicked, (std::vector<TMenuItem*>{Exit}));
}

TEST_F(SkinMenuBehaviourTest, TheFirstWindowFadesInFromATimer) {
  Engine->AlphaBlend = true;
  Engine->AlphaBlendAnimation = true;
  Engine->AlphaBlendValue = 200;
  TMenuItem* deep = Add(ChooseRom, "", "&Deep");
  (void)deep;
  std::vector<int> alpha;
  const auto opacity = [](HWND w) {
    uint8_t a = 0;
    GetLayeredWindowAttributes(w, nullptr, &a, nullptr);
    return int(a);
  };
  const uint64_t start = Screen.Time().NowMs();
  Step([&] {
    EXPECT_EQ(Screen.Time().NowMs(), start);  // no time spent waiting for the fade
    alpha.push_back(opacity(Popup(0)->Window));
    Screen.Time().Advance(USER_TIMER_MINIMUM);  // the finest timer there is
  });
  Step([&] {
    alpha.push_back(opacity(Popup(0)->Window));
    Screen.Time().Advance(USER_TIMER_MINIMUM);
  });
  for (int i = 0; i < 20; ++i) Step([&] { Screen.Time().Advance(USER_TIMER_MINIMUM); });
  Step([&] {
    alpha.push_back(opacity(Popup(0)->Window));
    Screen.PressKey(VK_RIGHT);
  });
  Step([&] {
    alpha.push_back(opacity(Popup(1)->Window));  // only the first window fades
    Screen.PressKey(VK_ESCAPE);
    Screen.PressKey(VK_ESCAPE);
  });
  Open(File);
  EXPECT_EQ(alpha, (std::vector<int>{0, 10, 200, 200}));
}

}  // namespace
}  // namespace kora::test

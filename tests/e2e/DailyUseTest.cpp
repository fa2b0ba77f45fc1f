// What a person meets using the editor every day, by mouse and keys on the
// headless screen: the fields take what is typed, stepped and wheeled, and
// only where the pointer is; the open dialog never picks a file the person
// did not; the menu bar lets go of its menu mode and of its items as a
// person expects.

#include <string>

#include "EditorE2eSupport.h"

namespace kora::test {
namespace {

class DailyUseTest : public EditorE2eTest {
protected:
  // The demo ROM open and its second character picked.
  void OpenAndPick() {
    OpenWindow();
    OpenThroughMenu(Rom, 0, true);
    ASSERT_TRUE(Form->Session()->IsOpen());
    PickRow(Part<TbsSkinComboBox>("bsSkinComboBox3"), 1);
  }
  TbsSkinMainMenuBar* Bar() const { return Part<TbsSkinMainMenuBar>("bsSkinMainMenuBar1"); }
  TbsSkinForm* Frame() const { return Part<TbsSkinForm>("bsSkinForm1"); }
  // The pixels of the File item of the menu bar as the screen shows them.
  std::vector<uint32_t> FileItemOnScreen() const {
    const RECT r = Bar()->Item(0)->ObjectRect;
    const POINT at = Bar()->ClientToScreen(r.TopLeft());
    const ScreenImage shot = Screen.Capture();
    std::vector<uint32_t> pixels;
    for (int y = 0; y < HeightOf(r); ++y)
      for (int x = 0; x < WidthOf(r); ++x) pixels.push_back(shot.At(at.X + x, at.Y + y));
    return pixels;
  }
  void AltWith(UINT vk) {
    Screen.KeyDown(VK_MENU);
    Screen.PressKey(vk);
    Screen.KeyUp(VK_MENU);
  }
  // Nothing of the menu is left: no drop-down, no item lit, keys go to the fields.
  void ExpectMenuModeOver() {
    EXPECT_FALSE(MenuIsOpen());
    EXPECT_FALSE(Frame()->MenuMode().KeyboardMode());
    EXPECT_FALSE(Bar()->InMenuState());
    EXPECT_FALSE(Bar()->Item(0)->Active || Bar()->Item(0)->Down);
  }
};

TEST_F(DailyUseTest, FieldsTakeWhatIsTypedOverASignAndAfterAStepAndTheWheelTurnsTheFieldUnderThePointer) {
  ASSERT_NO_FATAL_FAILURE(OpenAndPick());
  // "-5" selected whole, "-10" typed over it: the new minus replaces the old.
  TypeValue(Field(1), "-5");
  TypeValue(Field(1), "-10");
  EXPECT_EQ(Field(1)->Text(), "-10");
  EXPECT_EQ(Field(1)->Value(), -10);
  // A minus typed at the front of a number without one.
  TypeValue(Field(3), "7");
  Press(VK_HOME);
  Screen.Type("-");
  Screen.RunUntilIdle();
  EXPECT_EQ(Field(3)->Text(), "-7");
  EXPECT_EQ(Screen.Beeps(), 0);

  // "5", Up (the step of 5) and 3 typed: the 3 goes after the 10.
  TypeValue(Field(2), "5");
  Press(VK_UP);
  EXPECT_EQ(Field(2)->Text(), "10");
  Screen.Type("3");
  Screen.RunUntilIdle();
  EXPECT_EQ(Field(2)->Text(), "103");
  EXPECT_EQ(Field(2)->Value(), 103);

  // The focus in one field, the pointer over another: the wheel turns that
  // one (toward the person adds the step), over its text or its buttons.
  TypeValue(Field(5), "30");
  TypeValue(Field(4), "20");
  ASSERT_TRUE(Field(4)->Edit()->Focused());
  Screen.Wheel(Middle(Field(5)->Edit()), -WHEEL_DELTA);
  Screen.Wheel(MiddleOf(Field(5), Field(5)->UpButtonRect()), -WHEEL_DELTA);
  Screen.RunUntilIdle();
  EXPECT_EQ(Field(4)->Text(), "20");
  EXPECT_EQ(Field(5)->Text(), "40");
}

// The page control takes the focus on a click on its tab and after Tab:
// the program's skin has no focused look, so a dotted rectangle round the
// active tab's caption shows it, and goes with the focus.
TEST_F(DailyUseTest, ThePageControlShowsThatItHasTheFocus) {
  ASSERT_NO_FATAL_FAILURE(OpenAndPick());
  auto* pages = Part<TbsSkinPageControl>("bsSkinPageControl1");
  const auto tabOnScreen = [&] {
    const RECT r = pages->TabRect(0);
    const POINT at = pages->ClientToScreen(r.TopLeft());
    const ScreenImage shot = Screen.Capture();
    std::vector<uint32_t> pixels;
    for (int y = 0; y < HeightOf(r); ++y)
      for (int x = 0; x < WidthOf(r); ++x) pixels.push_back(shot.At(at.X + x, at.Y + y));
    return pixels;
  };
  const std::vector<uint32_t> unfocused = tabOnScreen();
  ShowPage(0);
  ASSERT_TRUE(pages->Focused());
  Screen.SaveArtifact("e2e-daily-page-control-focused");
  const std::vector<uint32_t> focused = tabOnScreen();
  ASSERT_EQ(focused.size(), unfocused.size());
  int marked = 0;
  for (size_t i = 0; i < focused.size(); ++i) marked += focused[i] != unfocused[i];
  EXPECT_GT(marked, 30) << "no focus mark on the active tab";
  ClickOn(Field(1)->Edit());
  EXPECT_EQ(tabOnScreen(), unfocused);
}

// The character box draws its closed face in the font of its list.
TEST_F(DailyUseTest, TheCharacterBoxShowsItsNameInOneFontClosedAndOpen) {
  OpenWindow();
  OpenThroughMenu(Rom, 0, true);
  auto* characters = Part<TbsSkinComboBox>("bsSkinComboBox3");
  std::vector<std::string> fonts;
  const auto recording = [&fonts](TbsDrawSkinItemEvent draw) {
    return [&fonts, draw](TCanvas* canvas, int index, int width, int height, RECT text, TOwnerDrawState state) {
      const TFont* f = canvas->Font();
      fonts.push_back(f->Name() + " " + std::to_string(f->Height()) + (f->Style().Contains(fsBold) ? " bold" : ""));
      draw(canvas, index, width, height, text, state);
    };
  };
  characters->OnComboBoxDrawItem = recording(characters->OnComboBoxDrawItem);
  characters->SetOnListBoxDrawItem(recording(characters->OnListBoxDrawItem()));
  PickRow(characters, 1);
  ASSERT_GE(fonts.size(), 2u);
  for (const std::string& font : fonts) EXPECT_EQ(font, fonts.front());
  EXPECT_EQ(fonts.front(), "宋体 -14 bold");
}

// A name list missing at start: its report is the skinned message box, as
// every later one is, and the window opens with what loaded.
TEST_F(DailyUseTest, AStartUpErrorIsReportedInTheSkinnedBox) {
  std::filesystem::remove(Program + "Data/Char.dat");
  ShotPrefix = "e2e-daily-start-up";
  CloseMessageBox();
  OpenWindow();
  ExpectStepsDone();
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_NE(Boxes[0].Text.find("Char.dat"), std::string::npos) << Boxes[0].Text;
  EXPECT_TRUE(IsWindowVisible(Form->Handle()));
}

TEST_F(DailyUseTest, DoubleClickingAFolderInTheOpenDialogOpensItAndPicksNothingInIt) {
  // A folder full of ROMs: whatever row lies under the pointer once it is
  // open holds one that nobody chose.
  std::filesystem::create_directories(Program + "Roms");
  for (int i = 0; i < 30; ++i) WriteFileBytes(Program + "Roms/rom" + std::to_string(10 + i) + ".nds", "x");
  OpenWindow();
  Then(
      "the open dialog", [this] { return OpenDialog() != nullptr; },
      [this] {
        Screen.Click(Middle(OpenDialog()->FileNameEdit()));
        Screen.Type("mine.nds");
        TbsSkinFileListView* list = OpenDialog()->FileList();
        const int roms = list->IndexOfName("Roms");
        ASSERT_GE(roms, 0);
        const POINT at = MiddleOf(list, list->ItemRect(roms));
        Screen.Click(at);
        Screen.Click(at);
      });
  Then(
      "the Roms folder open", [this] { return OpenDialog() && OpenDialog()->FileList()->Path().ends_with("Roms"); },
      [this] {
        Shot("folder-opened");
        TbsSkinFileListView* list = OpenDialog()->FileList();
        EXPECT_TRUE(list->SelectedFilePath().empty());
        EXPECT_EQ(OpenDialog()->FileNameEdit()->Text(), "mine.nds");
        // Enter opens nothing the person did not choose; Escape leaves.
        Screen.PressKey(VK_RETURN);
        Screen.PressKey(VK_ESCAPE);
      });
  ShotPrefix = "e2e-daily";
  MenuCommand("文件(&F)", "选择ROM(&C)");
  EXPECT_FALSE(Form->Session()->IsOpen());
  ExpectNothingOpen();
}

// The open dialog enlarged by its corner shows its whole frame at the new
// size at once: close button, fields, buttons and the right and bottom edge.
TEST_F(DailyUseTest, AnEnlargedDialogShowsAllOfItsFrame) {
  OpenWindow();
  RECT before{}, after{};
  Then(
      "the open dialog", [this] { return OpenDialog() != nullptr; },
      [&] {
        GetWindowRect(OpenDialog()->Handle(), &before);
        const POINT corner{before.Right - 2, before.Bottom - 2};
        Screen.MouseMove(corner);
        Screen.MouseDown(corner);
        Screen.MouseMove({corner.X + 60, corner.Y + 40});
        Screen.MouseMove({corner.X + 120, corner.Y + 80});
        Screen.MouseUp({corner.X + 120, corner.Y + 80});
      });
  Then(
      "the dialog enlarged",
      [&] {
        if (!OpenDialog()) return false;
        GetWindowRect(OpenDialog()->Handle(), &after);
        return after.Right > before.Right + 100;
      },
      [&] {
        Screen.SaveArtifact("e2e-daily-dialog-enlarged");
        const ScreenImage shot = Screen.Capture();
        const COLORREF desktop = RGB(58, 110, 165);
        for (const POINT p :
             {POINT{after.Right - 2, after.Top + 40}, POINT{after.Right - 2, after.Bottom - 2},
              POINT{(after.Left + after.Right) / 2, after.Bottom - 2}, POINT{after.Right - 12, after.Top + 8}})
          EXPECT_NE(shot.ColorAt(p.X, p.Y), desktop) << "cut away at " << p.X << "," << p.Y;
        for (TControl* part : {static_cast<TControl*>(OpenDialog()->FileNameEdit()),
                               static_cast<TControl*>(OpenDialog()->OpenButton())}) {
          const RECT r = part->ClientRect();
          const POINT corner = part->ClientToScreen({r.Right - 1, r.Bottom - 1});
          EXPECT_LT(corner.X, after.Right);
          EXPECT_NE(shot.ColorAt(corner.X, corner.Y), desktop) << part->Name();
        }
        Screen.PressKey(VK_ESCAPE);
      });
  MenuCommand("文件(&F)", "选择ROM(&C)");
  EXPECT_GE(after.Right - before.Right, 100);
}

TEST_F(DailyUseTest, MenuModeEndsOnAClickElsewhereAltOrF10AndTheBarLetsGoBeforeItsCommand) {
  ASSERT_NO_FATAL_FAILURE(OpenAndPick());
  TypeValue(Field(1), "20");
  const std::vector<uint32_t> atRest = FileItemOnScreen();

  // Alt+F, then a click into a field: the menu and its mode are gone, and
  // the arrows and Enter reach the field.
  Then(
      "the File menu", [this] { return MenuIsOpen(); }, [this] { Screen.Click(Middle(Field(1)->Edit())); });
  AltWith('F');
  Screen.RunUntilIdle();
  ExpectStepsDone();
  ExpectMenuModeOver();
  Press(VK_DOWN);
  EXPECT_EQ(Field(1)->Text(), "15");
  EXPECT_FALSE(MenuIsOpen());

  // Alt, or F10, closes the open drop-down and ends the menu mode.
  for (const UINT key : {UINT(VK_MENU), UINT(VK_F10)}) {
    SCOPED_TRACE(key);
    Then(
        "the File menu", [this] { return MenuIsOpen(); }, [this, key] { Screen.PressKey(key); });
    AltWith('F');
    Screen.RunUntilIdle();
    ExpectStepsDone();
    ExpectMenuModeOver();
  }

  // The command of an item runs once the bar has let go of "文件(F)": behind
  // the open dialog it shows at rest.
  std::vector<uint32_t> behindDialog;
  Then(
      "the open dialog", [this] { return OpenDialog() != nullptr; },
      [&] {
        behindDialog = FileItemOnScreen();
        Screen.PressKey(VK_ESCAPE);
      });
  MenuCommand("文件(&F)", "选择ROM(&C)");
  EXPECT_EQ(behindDialog, atRest);
  ExpectNothingOpen();
}

}  // namespace
}  // namespace kora::test

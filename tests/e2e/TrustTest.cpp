// What a person needs to trust the editor with an evening's work, by mouse
// and keys on the headless screen: the caption names the open ROM and says
// when a save would change it, the fields that differ from the ROM stand
// out, every applied record can be taken back and done again, and the
// commands have their short-cuts.

#include <string>
#include <vector>

#include "EditorE2eSupport.h"

namespace kora::test {
namespace {

class TrustTest : public EditorE2eTest {
protected:
  std::vector<int> MarkedFields(int first, int last) const {
    std::vector<int> marked;
    for (int n = first; n <= last; ++n)
      if (Field(n)->Marked()) marked.push_back(n);
    return marked;
  }
  TMenuItem* Item(const char* name) const { return Part<TMenuItem>(name); }
  void Undo() {
    CtrlKey('Z');
    Screen.RunUntilIdle();
  }
  void Redo() {
    CtrlKey('Y');
    Screen.RunUntilIdle();
  }
};

TEST_F(TrustTest, TheCaptionAndTheFieldsShowWhatASaveWouldChangeAndEveryChangeCanBeTakenBack) {
  ShotPrefix = "e2e-trust";
  OpenWindow();
  EXPECT_EQ(Form->Caption(), "Kora Editor");
  OpenThroughMenu(Rom);
  ASSERT_TRUE(Form->Session()->IsOpen());
  EXPECT_EQ(Form->Caption(), "Kora Editor - game.nds");
  EXPECT_EQ(App->Title(), "Kora Editor");
  EXPECT_FALSE(Item("U1")->Enabled());
  EXPECT_FALSE(Item("R1")->Enabled());

  // Page 1: a value typed is marked at once, the caption says nothing yet;
  // "确定" puts it into the image, which now differs from the ROM.
  auto* characters = Part<TbsSkinComboBox>("bsSkinComboBox3");
  PickRow(characters, 1);
  EXPECT_TRUE(MarkedFields(1, 16).empty());
  const std::string firstBefore = Field(1)->Text();
  TypeValue(Field(1), "42");
  EXPECT_EQ(MarkedFields(1, 16), std::vector<int>{1});
  EXPECT_EQ(Form->Caption(), "Kora Editor - game.nds");
  ClickOn(Part<TbsSkinButton>("bsSkinButton1"));
  EXPECT_EQ(Form->Caption(), "Kora Editor - game.nds *");
  EXPECT_EQ(MarkedFields(1, 16), std::vector<int>{1});
  Screen.SaveArtifact("e2e-trust-character-marked");

  // Page 2: a class's cap typed, marked while not taken, unmarked when
  // typed back.
  ShowPage(1);
  PickRow(Part<TbsSkinComboBox>("bsSkinComboBox1"), 1);
  const std::string capBefore = Field(37)->Text();
  TypeValue(Field(37), capBefore == "60" ? "61" : "60");
  EXPECT_TRUE(Field(37)->Marked());
  Screen.SaveArtifact("e2e-trust-class-marked");
  TypeValue(Field(37), capBefore);
  EXPECT_FALSE(Field(37)->Marked());

  // Page 3: an item's price typed and taken; the mark and the history follow.
  ShowPage(2);
  ASSERT_EQ(Part<TbsSkinPageControl>("bsSkinPageControl1")->ActivePageIndex(), 2);
  PickRow(Part<TbsSkinComboBox>("bsSkinComboBox2"), 2);
  const std::string priceBefore = Field(53)->Text();
  TypeValue(Field(53), "1234");
  EXPECT_TRUE(Field(53)->Marked());
  ClickOn(Part<TbsSkinButton>("bsSkinButton3"));
  Screen.SaveArtifact("e2e-trust-item-marked");

  // Saved with Ctrl+S: the ROM holds it all, nothing is marked.
  CloseMessageBox();
  CtrlKey('S');
  Screen.RunUntilIdle();
  ExpectStepsDone();
  EXPECT_EQ(Form->Caption(), "Kora Editor - game.nds");
  EXPECT_FALSE(Field(53)->Marked());

  // Undone after the save: the item goes back, shown and marked, the
  // caption says a save would change the ROM again.
  Undo();
  EXPECT_EQ(Part<TbsSkinPageControl>("bsSkinPageControl1")->ActivePageIndex(), 2);
  EXPECT_EQ(Field(53)->Text(), priceBefore);
  EXPECT_TRUE(Field(53)->Marked());
  EXPECT_EQ(Form->Caption(), "Kora Editor - game.nds *");
  // And the character, on its own page with its record picked again.
  ShowPage(0);
  PickRow(characters, 0);
  ShowPage(1);
  Undo();
  EXPECT_EQ(Part<TbsSkinPageControl>("bsSkinPageControl1")->ActivePageIndex(), 0);
  EXPECT_EQ(characters->ItemIndex(), 1);
  EXPECT_EQ(Field(1)->Text(), firstBefore);
  EXPECT_FALSE(Item("U1")->Enabled());
  EXPECT_TRUE(Item("R1")->Enabled());
  Screen.SaveArtifact("e2e-trust-undone");
  // Redone both: the image is what was saved, the mark and the star go.
  Redo();
  Redo();
  EXPECT_EQ(Field(53)->Text(), "1234");
  EXPECT_EQ(Form->Caption(), "Kora Editor - game.nds");
  for (const TbsSkinSpinEdit* field : Form->ItemFields) EXPECT_FALSE(field->Marked()) << field->Name();
  EXPECT_FALSE(Item("R1")->Enabled());
  EXPECT_EQ(Form->Session()->Image(), Form->Session()->SavedImage());

  // Another ROM by Ctrl+O: its name in the caption, nothing to undo.
  const std::string other = Dir + "other.nds";
  MakeDemoRom(other);
  ChooseInOpenDialog(other);
  CtrlKey('O');
  Screen.RunUntilIdle();
  ExpectStepsDone();
  EXPECT_EQ(Form->Caption(), "Kora Editor - other.nds");
  EXPECT_FALSE(Item("U1")->Enabled());
  EXPECT_FALSE(Item("R1")->Enabled());
  ExpectNothingOpen();
}

// The first save copies the ROM as it was to "<file name>.bak" beside it;
// later saves never touch that copy.
TEST_F(TrustTest, TheFirstSaveKeepsTheOriginalBesideTheRom) {
  const std::string original = ReadFileBytes(Rom);
  OpenWindow();
  OpenThroughMenu(Rom);
  for (int save = 0; save < 2; ++save) {
    SCOPED_TRACE(save);
    PickRow(Part<TbsSkinComboBox>("bsSkinComboBox3"), save);
    ClickOn(Part<TbsSkinButton>("bsSkinButton4"));
    ClickOn(Part<TbsSkinButton>("bsSkinButton1"));
    SaveThroughMenu();
    EXPECT_TRUE(FileHolds(Rom + ".bak", original));
    EXPECT_FALSE(std::filesystem::exists(Rom + ".bak.part"));
  }
  EXPECT_NE(ReadFileBytes(Rom), original);
  EXPECT_EQ(DecodeRom(Rom).Image, Form->Session()->Image());
}

TEST_F(TrustTest, TheEditMenuSitsBetweenFileAndHelpWithItsShortCutsShown) {
  OpenWindow();
  auto* bar = Part<TbsSkinMainMenuBar>("bsSkinMainMenuBar1");
  std::vector<std::string> captions;
  for (int i = 0; i < bar->ItemCount(); ++i) captions.push_back(bar->Item(i)->MenuItem->Caption());
  EXPECT_EQ(captions, (std::vector<std::string>{"文件(&F)", "编辑(&E)", "帮助(&H)"}));
  EXPECT_EQ(Item("U1")->ShortCutText(), "Ctrl+Z");
  EXPECT_EQ(Item("R1")->ShortCutText(), "Ctrl+Y");
  EXPECT_EQ(Item("N1")->ShortCutText(), "Ctrl+O");
  EXPECT_EQ(Item("N4")->ShortCutText(), "Ctrl+S");
  // The File menu open with its short-cuts drawn at the right.
  Then(
      "the File menu", [this] { return MenuIsOpen(); },
      [this] {
        Screen.SaveArtifact("e2e-trust-file-menu");
        Screen.PressKey(VK_ESCAPE);
      });
  Screen.Click(MiddleOf(bar, bar->Item(0)->ObjectRect));
  Screen.RunUntilIdle();
  ExpectStepsDone();
}

}  // namespace
}  // namespace kora::test

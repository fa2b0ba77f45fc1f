// The dialog's component, its first values and the skin data it forgets,
// and the file-type combo box's reading of a filter string.

#include "OpenDialogTestSupport.h"
#include "framework/core/FormText.h"

namespace kora::test {
namespace {

using OpenDialogPartsTest = OpenDialogTest;

TEST_F(OpenDialogPartsTest, TheDialogStartsWithItsDocumentedValues) {
  TbsSkinOpenDialog dialog(nullptr);
  EXPECT_EQ(dialog.Title, "Open file");
  EXPECT_EQ(dialog.Filter, "All files|*.*");
  EXPECT_EQ(dialog.FilterIndex, 1);
  EXPECT_EQ(dialog.FileName(), "");
  EXPECT_TRUE(dialog.CheckFileExists);
  EXPECT_FALSE(dialog.MultiSelection);
  EXPECT_EQ(dialog.LVHeaderSkinDataName, "resizebutton");
  EXPECT_EQ(dialog.DefaultFont()->Name(), "宋体");
  EXPECT_EQ(dialog.DefaultFont()->Charset(), 134);
  EXPECT_EQ(dialog.DefaultFont()->Height(), -12);
  EXPECT_EQ(dialog.AlphaBlendValue, 225);
  EXPECT_EQ(dialog.CtrlAlphaBlendValue, 225);
  EXPECT_EQ(dialog.ViewStyle(), vsList);
}

TEST_F(OpenDialogPartsTest, ASkinDataThatGoesAwayIsForgotten) {
  RegisterSkinShellClasses();
  auto form = std::make_unique<TForm>(nullptr);
  auto* skin = new TbsSkinData(form.get());
  skin->SetName("bsSkinData1");
  ReadComponentText(
      "object Form2: TForm\n"
      "  object bsSkinOpenDialog1: TbsSkinOpenDialog\n"
      "    SkinData = bsSkinData1\n    CtrlSkinData = bsSkinData1\n"
      "  end\n"
      "end\n",
      form.get());
  auto* dialog = dynamic_cast<TbsSkinOpenDialog*>(form->FindComponent("bsSkinOpenDialog1"));
  ASSERT_TRUE(dialog);
  ASSERT_EQ(dialog->SkinData(), skin);
  delete skin;
  EXPECT_FALSE(dialog->SkinData());
  EXPECT_FALSE(dialog->CtrlSkinData());
}

TEST_F(OpenDialogPartsTest, TheFileTypesOfAFilterString) {
  TbsSkinFilterComboBox combo(Main.get());
  combo.SetParent(Main.get());
  // A description without its mask at the end is left out.
  combo.SetFilter("NDS File|*.nds|Pictures|*.bmp;*.png|Broken");
  ASSERT_EQ(combo.Items()->Count(), 2);
  EXPECT_EQ(combo.Items()->Strings(1), "Pictures");
  EXPECT_EQ(combo.ItemIndex(), 0);
  EXPECT_EQ(combo.Mask(), "*.nds");
  // Nothing selected: the last entry is selected first.
  combo.SetItemIndex(-1);
  EXPECT_EQ(combo.Mask(), "*.bmp;*.png");
  EXPECT_EQ(combo.ItemIndex(), 1);
  // No entries at all: everything.
  combo.SetFilter("");
  EXPECT_EQ(combo.Items()->Count(), 0);
  EXPECT_EQ(combo.Mask(), "*.*");
}

}  // namespace
}  // namespace kora::test

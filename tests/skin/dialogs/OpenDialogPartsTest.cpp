// The dialog's component and its shell controls as a stored form names
// them, and the file-type combo box's reading of a filter string.

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

TEST_F(OpenDialogPartsTest, EveryPublishedPropertyReadsFromAFormText) {
  RegisterSkinShellClasses();
  RegisterSkinControlClasses();
  auto form = std::make_unique<TForm>(nullptr);
  auto* skin = new TbsSkinData(form.get());
  skin->SetName("bsSkinData1");
  ReadComponentText(
      "object Form2: TForm\n"
      "  object bsSkinOpenDialog1: TbsSkinOpenDialog\n"
      "    Title = '选择游戏ROM'\n    Filter = 'NDS File|*.nds'\n    FilterIndex = 2\n"
      "    FileName = '/tmp/a.nds'\n    InitialDir = '/tmp'\n    DefaultExt = 'nds'\n    OverwritePromt = True\n"
      "    CheckFileExists = False\n    MultiSelection = True\n    DialogWidth = 500\n    DialogHeight = 300\n"
      "    DialogMinWidth = 300\n    DialogMinHeight = 200\n    SkinData = bsSkinData1\n"
      "    CtrlSkinData = bsSkinData1\n    LVHeaderSkinDataName = 'button'\n    DefaultFont.Height = -13\n"
      "    AlphaBlend = True\n    AlphaBlendValue = 200\n    AlphaBlendAnimation = True\n"
      "    CtrlAlphaBlend = True\n    CtrlAlphaBlendValue = 180\n    CtrlAlphaBlendAnimation = True\n"
      "  end\n"
      "  object Notifier1: TbsShellChangeNotifier\n"
      "    Root = '/tmp'\n    WatchSubTree = False\n    NotifyFilters = [nfSizeChange, nfSecurityChange]\n"
      "  end\n"
      "  object Files1: TbsSkinFileListView\n"
      "    Mask = '*.nds'\n    AutoRefresh = False\n    ViewStyle = vsReport\n"
      "  end\n"
      "  object Folders1: TbsSkinShellComboBox\n    FileListView = Files1\n  end\n"
      "  object Types1: TbsSkinFilterComboBox\n    Filter = 'A|*.a|B|*.b'\n  end\n"
      "end\n",
      form.get());
  auto* dialog = dynamic_cast<TbsSkinOpenDialog*>(form->FindComponent("bsSkinOpenDialog1"));
  ASSERT_TRUE(dialog);
  EXPECT_EQ(dialog->Title, "选择游戏ROM");
  EXPECT_EQ(dialog->Filter, "NDS File|*.nds");
  EXPECT_EQ(dialog->FilterIndex, 2);
  EXPECT_EQ(dialog->FileName(), "/tmp/a.nds");
  EXPECT_EQ(dialog->InitialDir, "/tmp");
  EXPECT_EQ(dialog->DefaultExt, "nds");
  EXPECT_TRUE(dialog->OverwritePromt);
  EXPECT_FALSE(dialog->CheckFileExists);
  EXPECT_TRUE(dialog->MultiSelection);
  EXPECT_EQ(dialog->DialogWidth, 500);
  EXPECT_EQ(dialog->DialogHeight, 300);
  EXPECT_EQ(dialog->DialogMinWidth, 300);
  EXPECT_EQ(dialog->DialogMinHeight, 200);
  EXPECT_EQ(dialog->SkinData(), skin);
  EXPECT_EQ(dialog->CtrlSkinData(), skin);
  EXPECT_EQ(dialog->LVHeaderSkinDataName, "button");
  EXPECT_EQ(dialog->DefaultFont()->Height(), -13);
  EXPECT_TRUE(dialog->AlphaBlend);
  EXPECT_EQ(dialog->AlphaBlendValue, 200);
  EXPECT_TRUE(dialog->AlphaBlendAnimation);
  EXPECT_TRUE(dialog->CtrlAlphaBlend);
  EXPECT_EQ(dialog->CtrlAlphaBlendValue, 180);
  EXPECT_TRUE(dialog->CtrlAlphaBlendAnimation);
  // A skin data that goes away is forgotten.
  delete skin;
  EXPECT_FALSE(dialog->SkinData());
  EXPECT_FALSE(dialog->CtrlSkinData());

  auto* notifier = dynamic_cast<TbsShellChangeNotifier*>(form->FindComponent("Notifier1"));
  ASSERT_TRUE(notifier);
  EXPECT_EQ(notifier->Root(), "/tmp");
  EXPECT_FALSE(notifier->WatchSubTree());
  EXPECT_EQ(notifier->NotifyFilters(), (TbsNotifyFilters{nfSizeChange, nfSecurityChange}));
  auto* files = dynamic_cast<TbsSkinFileListView*>(form->FindComponent("Files1"));
  ASSERT_TRUE(files);
  EXPECT_EQ(files->Mask(), "*.nds");
  EXPECT_EQ(files->ViewStyle(), vsReport);
  auto* folders = dynamic_cast<TbsSkinShellComboBox*>(form->FindComponent("Folders1"));
  ASSERT_TRUE(folders);
  EXPECT_EQ(folders->FileListView(), files);
  auto* types = dynamic_cast<TbsSkinFilterComboBox*>(form->FindComponent("Types1"));
  ASSERT_TRUE(types);
  EXPECT_EQ(types->Masks(), (std::vector<std::string>{"*.a", "*.b"}));
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

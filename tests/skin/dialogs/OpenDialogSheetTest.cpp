// Pictures of the open-file dialog for a person to look at: each view style
// in the program's skin and in the default look, and the folder combo box
// open. Saved to KORA_ARTIFACTS.

#include <cstdlib>

#include "OpenDialogTestSupport.h"
#include "skin/ScreenSheet.h"

namespace kora::test {
namespace {

class OpenDialogSheetTest : public OpenDialogTest {
protected:
  void MakeRomFolder() {
    MakeTree({"存档/", "patches/", "tools/", "Fire Emblem.nds", "fe_hack_v2.nds", "fe_hack_v10.nds", "test rom.NDS",
              "readme.txt"});
    for (int i = 0; i < 24; ++i) MakeTree({"more/rom" + std::to_string(i) + ".nds"});
    Dialog->SetFileName(Root + "/");
  }
  static RECT WindowOf(TbsOpenDlgForm* form) {
    RECT r;
    GetWindowRect(form->Handle(), &r);
    return r;
  }

  // The four styles side by side, then the folder combo box open.
  void Sheet(const std::string& name) {
    MakeRomFolder();
    TSheet sheet(2 * 480 + 80, 3 * 360 + 40);
    const char* labels[] = {"large icons", "small icons", "list", "details"};
    EXPECT_FALSE(Choose([&](TbsOpenDlgForm* form) {
      for (int style = 0; style < 4; ++style) {
        form->SetViewStyle(TViewStyle(style));
        Screen.RunUntilIdle();
        const RECT r = WindowOf(form);
        sheet.Put(Screen, r, 10 + (style % 2) * 480, 10 + (style / 2) * 360, labels[style]);
      }
      // A selected file, and the folder chain dropped down.
      form->FileList()->SetItemIndex(4);
      form->FileList()->SetPath(Root + "/more");
      form->FolderCombo()->DropDown();
      Screen.RunUntilIdle();
      RECT r = WindowOf(form);
      RECT list;
      GetWindowRect(form->FolderCombo()->ListBox()->Handle(), &list);
      r.Bottom = std::max(r.Bottom, list.Bottom);
      r.Right = std::max(r.Right, list.Right);
      sheet.Put(Screen, r, 10, 10 + 2 * 360, "folder combo box open");
      form->FolderCombo()->CloseUp(false);
      // The view menu dropped from its button, the details checked.
      form->SetViewStyle(vsReport);
      Click(form->ViewMenuButton());
      Then([&](TbsOpenDlgForm* form) {
        TbsSkinPopupWindow* menu = SkinMenuOf(form->SkinForm())->PopupWindow(0);
        RECT window = WindowOf(form), popup;
        GetWindowRect(menu->Window, &popup);
        window.Bottom = std::max(window.Bottom, popup.Bottom);
        window.Right = std::max(window.Right, popup.Right);
        sheet.Put(Screen, window, 10 + 480, 10 + 2 * 360, "view menu open");
        Screen.PressKey(VK_ESCAPE);
        Then([&](TbsOpenDlgForm*) { Screen.PressKey(VK_ESCAPE); });
      });
    }));
    sheet.ExpectDrawnAndDistinct();
    sheet.Save(name);
  }
};

TEST_F(OpenDialogSheetTest, EachViewStyleInTheProgramsSkin) {
  LoadProgramSkin();
  Sheet("open_dialog_skinned");
}

TEST_F(OpenDialogSheetTest, EachViewStyleInTheDefaultLook) {
  Dialog->SetSkinData(nullptr);
  Dialog->SetCtrlSkinData(nullptr);
  Sheet("open_dialog_default");
}

}  // namespace
}  // namespace kora::test

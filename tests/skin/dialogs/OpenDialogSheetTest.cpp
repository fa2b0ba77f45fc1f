// Pictures of the open-file dialog for a person to look at: each view style
// in the program's skin and in the default look, and the folder combo box
// open. Saved to KORA_ARTIFACTS.

#include <cstdlib>

#include "OpenDialogTestSupport.h"
#include "platform/gdi/PngFile.h"

namespace kora::test {
namespace {

// Pieces of the screen side by side, each labelled above.
class TDialogSheet {
public:
  TDialogSheet(int width, int height) {
    FBitmap.SetSize(width, height);
    FBitmap.Canvas()->Brush()->SetColor(RGB(200, 200, 200));
    FBitmap.Canvas()->FillRect({0, 0, width, height});
    FBitmap.Canvas()->Font()->SetName("Arial");
    FBitmap.Canvas()->Font()->SetHeight(-11);
    FBitmap.Canvas()->Brush()->SetStyle(bsClear);
  }
  void Put(const HeadlessBackend& screen, const RECT& area, int x, int y, const std::string& label) {
    FBitmap.Canvas()->TextOut(x, y, label);
    const ScreenImage image = screen.Capture();
    for (int cy = 0; cy < area.Bottom - area.Top; ++cy)
      for (int cx = 0; cx < area.Right - area.Left; ++cx) {
        const int sx = area.Left + cx, sy = area.Top + cy;
        if (sx < 0 || sy < 0 || sx >= image.Width || sy >= image.Height) continue;
        FBitmap.Canvas()->SetPixels(x + cx, y + 14 + cy, image.ColorAt(sx, sy));
      }
  }
  void Save(const std::string& name) const {
    const char* folder = std::getenv("KORA_ARTIFACTS");
    if (!folder || !*folder) return;
    std::filesystem::create_directories(folder);
    SavePngFile((std::filesystem::path(folder) / (name + ".png")).string(), FBitmap.Handle());
  }

private:
  TBitmap FBitmap;
};

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
    TDialogSheet sheet(2 * 480 + 80, 3 * 360 + 40);
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

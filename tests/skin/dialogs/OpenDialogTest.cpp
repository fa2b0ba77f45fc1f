// The open-file dialog as the editor uses it to choose a ROM: what the
// window shows, and the accept rules, driven like a person over a folder
// tree of its own.

#include "OpenDialogTestSupport.h"

namespace kora::test {
namespace {

TEST_F(OpenDialogTest, TheMainWindowsSettingsShowEveryFolderAndOnlyNdsFilesInAnyCase) {
  LoadProgramSkin();
  MakeTree({"zeta/", "Alpha/", "b10.nds", "b9.nds", "Game.NDS", "c.Nds", "readme.txt", "nds", "x.nds.bak",
            ".hidden.nds", "save.sav"});
  Dialog->SetFileName(Root + "/");
  const bool chosen = Choose([&](TbsOpenDlgForm* form) {
    EXPECT_EQ(form->Caption(), "选择游戏ROM");
    EXPECT_TRUE(form->SkinForm()->SkinActive());
    EXPECT_EQ(form->FileList()->Path(), Root);
    // Folders first; then the shell's order of names, digits by value.
    EXPECT_EQ(Captions(form->FileList()),
              (std::vector<std::string>{"Alpha", "zeta", "b9.nds", "b10.nds", "c.Nds", "Game.NDS"}));
    EXPECT_EQ(form->FilterCombo()->Items()->Count(), 1);
    EXPECT_EQ(form->FilterCombo()->Items()->Strings(0), "NDS File");
    EXPECT_EQ(form->FilterCombo()->ItemIndex(), 0);
    EXPECT_EQ(form->FileList()->Mask(), "*.nds");
    // The file name has the focus, and nothing is selected yet.
    EXPECT_EQ(kora::Screen->ActiveControl(), form->FileNameEdit()->Edit());
    EXPECT_EQ(form->FileList()->SelCount(), 0);
    EXPECT_EQ(form->LookInLabel()->Caption(), "查找: ");
    EXPECT_EQ(form->FileNameLabel()->Caption(), "文件名:");
    EXPECT_EQ(form->FileTypeLabel()->Caption(), "文件类型:");
    EXPECT_EQ(form->OpenButton()->Caption(), "打开(&O)");
    EXPECT_EQ(form->CancelButton()->Caption(), "取消");
    EXPECT_EQ(form->BackButton()->Hint(), "转到最后访问的文件夹");
    EXPECT_EQ(form->UpButton()->Hint(), "转到上一级");
    EXPECT_EQ(form->NewFolderButton()->Hint(), "新建文件夹");
    EXPECT_EQ(form->ViewMenuButton()->Hint(), "查看菜单");
    // The places of the parts at 450 x 290.
    const int w = form->ClientWidth();
    EXPECT_EQ(w, 450);
    EXPECT_EQ(form->ToolPanel()->BoundsRect(), (RECT{0, 0, w, 25}));
    EXPECT_EQ(form->BottomPanel()->BoundsRect(), (RECT{0, 290 - 80, w, 290}));
    EXPECT_EQ(form->FileNameEdit()->BoundsRect(), (RECT{70, 10, 70 + w - 160, 31}));
    EXPECT_EQ(form->FilterCombo()->Left(), 70);
    EXPECT_EQ(form->FilterCombo()->Top(), 45);
    EXPECT_EQ(form->FilterCombo()->Width(), w - 160);
    EXPECT_EQ(form->OpenButton()->BoundsRect(), (RECT{w - 80, 10, w - 10, 35}));
    EXPECT_EQ(form->CancelButton()->BoundsRect(), (RECT{w - 80, 45, w - 10, 70}));
    EXPECT_EQ(form->CancelButton()->ModalResult(), mrCancel);
    EXPECT_TRUE(form->CancelButton()->Cancel());
    EXPECT_EQ(form->FileNameLabel()->Left(), 10);
    EXPECT_EQ(form->FileTypeLabel()->Top(), 45);
    // The tool bar from the right: a 10-pixel spacer, the view menu 37
    // wide, then New folder, Up and Back; the folders take the rest.
    EXPECT_EQ(form->ViewMenuButton()->Left() + 37, w - 10);
    EXPECT_EQ(form->ViewMenuButton()->Width(), 37);
    EXPECT_EQ(form->NewFolderButton()->Left() + form->NewFolderButton()->Width(), form->ViewMenuButton()->Left());
    EXPECT_LT(form->BackButton()->Left(), form->UpButton()->Left());
    EXPECT_EQ(form->LookInLabel()->Left(), 10);
    EXPECT_EQ(form->FolderCombo()->Left(), form->LookInLabel()->Left() + form->LookInLabel()->Width() + 2);
    EXPECT_EQ(form->FolderCombo()->Left() + form->FolderCombo()->Width(), form->BackButton()->Left() - 4);
    EXPECT_EQ(form->FolderCombo()->DropDownCount(), 10);
    EXPECT_EQ(form->VScrollBar()->Align(), alRight);
    EXPECT_EQ(form->HScrollBar()->Align(), alBottom);
    EXPECT_FALSE(form->VScrollBar()->Enabled());  // six items need no scrolling
    Screen.PressKey(VK_ESCAPE);
  });
  EXPECT_FALSE(chosen);
}

TEST_F(OpenDialogTest, OpenWithNothingSelectedDoesNothingEvenWithANameTyped) {
  MakeTree({"a.nds", "b.nds"});
  Dialog->SetFileName(Root + "/");
  const bool chosen = Choose([&](TbsOpenDlgForm* form) {
    Screen.Type("a.nds");
    Click(form->OpenButton());
    Then([&](TbsOpenDlgForm* form) {
      EXPECT_EQ(form->ModalResult(), mrNone);
      EXPECT_EQ(form->ChosenPath(), "");
      // A click on the file selects it and names it in the edit; Open takes it.
      Screen.Click(RowPoint(form->FileList(), 1));
      Then([&](TbsOpenDlgForm* form) {
        EXPECT_EQ(form->FileNameEdit()->Text(), "b.nds");
        Click(form->OpenButton());
      });
    });
  });
  EXPECT_TRUE(chosen);
  EXPECT_EQ(Dialog->FileName(), Root + "/b.nds");
  EXPECT_EQ(Dialog->Files(), (std::vector<std::string>{Root + "/b.nds"}));
}

}  // namespace
}  // namespace kora::test

namespace kora::test {
namespace {

TEST_F(OpenDialogTest, CancelKeepsTheFileNameButRemembersFilterSizeAndViewStyle) {
  LoadProgramSkin();
  MakeTree({"a.nds", "b.txt"});
  Dialog->Filter = "NDS File|*.nds|All files|*.*";
  Dialog->SetFileName(Root + "/a.nds");
  EXPECT_FALSE(Choose([&](TbsOpenDlgForm* form) {
    EXPECT_EQ(form->FileNameEdit()->Text(), "a.nds");
    EXPECT_EQ(form->ClientWidth(), 450);
    EXPECT_EQ(form->ClientHeight(), 290);
    // The list style at first, checked in the view menu.
    EXPECT_EQ(form->ViewStyle(), vsList);
    EXPECT_TRUE(form->ViewMenu()->Items()->Items(2)->Checked());
    // The second file type, by the keyboard on its combo box.
    form->FilterCombo()->SetFocus();
    Screen.PressKey(VK_DOWN);
    Then([&](TbsOpenDlgForm* form) {
      EXPECT_EQ(Captions(form->FileList()), (std::vector<std::string>{"a.nds", "b.txt"}));
      // The details, from the view menu.
      Click(form->ViewMenuButton());
      Then([&](TbsOpenDlgForm* form) {
        TbsSkinMenu* menu = SkinMenuOf(form->SkinForm());
        ASSERT_TRUE(menu->Visible());
        const RECT item = menu->PopupWindow(0)->ItemList[3]->ItemRect;
        RECT window;
        GetWindowRect(menu->PopupWindow(0)->Window, &window);
        Screen.Click({window.Left + (item.Left + item.Right) / 2, window.Top + (item.Top + item.Bottom) / 2});
        Then([&](TbsOpenDlgForm* form) {
          EXPECT_EQ(form->ViewStyle(), vsReport);
          EXPECT_TRUE(form->ViewMenu()->Items()->Items(3)->Checked());
          EXPECT_FALSE(form->ViewMenu()->Items()->Items(2)->Checked());
          form->SetBounds(form->Left(), form->Top(), form->Width() + 60, form->Height() + 40);
          // The fields stretch with the window, the buttons keep to its right edge.
          EXPECT_EQ(form->FileNameEdit()->Width(), 510 - 160);
          EXPECT_EQ(form->OpenButton()->Left(), 510 - 80);
          EXPECT_EQ(form->ViewMenuButton()->Left() + 37, 510 - 10);
          Screen.PressKey(VK_ESCAPE);
        });
      });
    });
  }));
  EXPECT_EQ(Dialog->FileName(), Root + "/a.nds");
  EXPECT_EQ(Dialog->FilterIndex, 2);
  EXPECT_EQ(Dialog->DialogWidth, 510);
  EXPECT_EQ(Dialog->DialogHeight, 330);
  EXPECT_EQ(Dialog->ViewStyle(), vsReport);

  // It reopens as it was closed.
  EXPECT_FALSE(Choose([&](TbsOpenDlgForm* form) {
    EXPECT_EQ(form->ClientWidth(), 510);
    EXPECT_EQ(form->ClientHeight(), 330);
    EXPECT_EQ(form->ViewStyle(), vsReport);
    EXPECT_TRUE(form->ViewMenu()->Items()->Items(3)->Checked());
    EXPECT_EQ(form->FilterCombo()->ItemIndex(), 1);
    EXPECT_EQ(form->FileList()->Mask(), "*.*");
    Click(form->CancelButton());
  }));
}

TEST_F(OpenDialogTest, PickingAFileByKeyboardAloneReturnsItsFullPath) {
  MakeTree({"roms/", "first.nds", "second.nds"});
  Dialog->SetFileName(Root + "/");
  EXPECT_TRUE(Choose([&](TbsOpenDlgForm*) {
    Screen.Type("sec");
    Screen.PressKey(VK_TAB);
    Then([&](TbsOpenDlgForm* form) {
      // From the file name, Tab goes on to the list.
      EXPECT_EQ(kora::Screen->ActiveControl(), form->FileList());
      Screen.PressKey(VK_DOWN);  // the first entry: a folder, which names nothing
      Screen.PressKey(VK_DOWN);
      Screen.PressKey(VK_DOWN);
      Then([&](TbsOpenDlgForm* form) {
        EXPECT_EQ(form->FileNameEdit()->Text(), "second.nds");
        Screen.PressKey(VK_RETURN);
      });
    });
  }));
  EXPECT_EQ(Dialog->FileName(), Root + "/second.nds");
}

TEST_F(OpenDialogTest, TheNameInTheEditDecidesWhichFileIsTaken) {
  MakeTree({"a.nds", "b.nds"});
  Dialog->SetFileName(Root + "/");
  EXPECT_TRUE(Choose([&](TbsOpenDlgForm* form) {
    Screen.Click(RowPoint(form->FileList(), 0));
    Then([&](TbsOpenDlgForm* form) {
      // A name the list does not show: nothing is taken, not the selection.
      form->FileNameEdit()->SetText("missing.nds");
      Click(form->OpenButton());
      Then([&](TbsOpenDlgForm* form) {
        EXPECT_EQ(form->ModalResult(), mrNone);
        // Another file the list shows: that one.
        form->FileNameEdit()->SetFocus();
        form->FileNameEdit()->SetText("b.nds");
        Screen.PressKey(VK_RETURN);
      });
    });
  }));
  EXPECT_EQ(Dialog->FileName(), Root + "/b.nds");
}

TEST_F(OpenDialogTest, AFileRemovedWhileShownCannotBeAccepted) {
  MakeTree({"a.nds", "b.nds"});
  Dialog->SetFileName(Root + "/");
  EXPECT_TRUE(Choose([&](TbsOpenDlgForm* form) {
    Screen.Click(RowPoint(form->FileList(), 0));
    Then([&](TbsOpenDlgForm* form) {
      std::filesystem::remove(Root + "/a.nds");
      Click(form->OpenButton());
      Then([&](TbsOpenDlgForm* form) {
        EXPECT_EQ(form->ModalResult(), mrNone);
        EXPECT_EQ(form->ChosenPath(), "");
        // The list no longer shows it.
        EXPECT_EQ(Captions(form->FileList()), (std::vector<std::string>{"b.nds"}));
        Screen.MouseDown(RowPoint(form->FileList(), 0));
        Screen.MouseUp(RowPoint(form->FileList(), 0));
        Then([&](TbsOpenDlgForm* form) {
          // A double-click on a file takes it at once, whatever was typed.
          form->FileNameEdit()->SetText("typed.nds");
          Screen.Click(RowPoint(form->FileList(), 0));
          Screen.Click(RowPoint(form->FileList(), 0));
        });
      });
    });
  }));
  EXPECT_EQ(Dialog->FileName(), Root + "/b.nds");
}

TEST_F(OpenDialogTest, WithoutCheckFileExistsATypedNameIsTakenInTheCurrentFolder) {
  MakeTree({"a.nds"});
  Dialog->CheckFileExists = false;
  Dialog->SetFileName(Root + "/");
  EXPECT_TRUE(Choose([&](TbsOpenDlgForm*) {
    Screen.Type("new.nds");
    Screen.PressKey(VK_RETURN);
  }));
  EXPECT_EQ(Dialog->FileName(), Root + "/new.nds");
  // An empty name takes nothing.
  EXPECT_FALSE(Choose([&](TbsOpenDlgForm* form) {
    form->FileNameEdit()->SetText("");
    Click(form->OpenButton());
    Then([&](TbsOpenDlgForm* form) {
      EXPECT_EQ(form->ModalResult(), mrNone);
      Screen.PressKey(VK_ESCAPE);
    });
  }));
}

TEST_F(OpenDialogTest, SeveralFilesAtOnceWithMultiSelection) {
  MakeTree({"a.nds", "b.nds", "c.nds"});
  Dialog->MultiSelection = true;
  Dialog->SetFileName(Root + "/");
  EXPECT_TRUE(Choose([&](TbsOpenDlgForm* form) {
    Screen.Click(RowPoint(form->FileList(), 0));
    Screen.KeyDown(VK_CONTROL);
    Screen.Click(RowPoint(form->FileList(), 2));
    Screen.KeyUp(VK_CONTROL);
    Then([&](TbsOpenDlgForm* form) {
      EXPECT_EQ(form->FileList()->SelCount(), 2);
      EXPECT_EQ(form->FileNameEdit()->Text(), "c.nds");
      Click(form->OpenButton());
    });
  }));
  EXPECT_EQ(Dialog->FileName(), Root + "/c.nds");
  EXPECT_EQ(Dialog->Files(), (std::vector<std::string>{Root + "/a.nds", Root + "/c.nds"}));
}

TEST_F(OpenDialogTest, WhereTheWindowStarts) {
  MakeTree({"start/x.nds", "initial/y.nds"});
  // The folder of FileName first, its name in the edit.
  Dialog->SetFileName(Root + "/start/x.nds");
  Dialog->InitialDir = Root + "/initial";
  EXPECT_FALSE(Choose([&](TbsOpenDlgForm* form) {
    EXPECT_EQ(form->FileList()->Path(), Root + "/start");
    EXPECT_EQ(form->FileNameEdit()->Text(), "x.nds");
    // Setting it while the window is open names the file in the edit.
    Dialog->SetFileName(Root + "/start/other.nds");
    EXPECT_EQ(form->FileNameEdit()->Text(), "other.nds");
    Screen.PressKey(VK_ESCAPE);
  }));
  // No folder in FileName: InitialDir when it exists, else the program's folder.
  Dialog->SetFileName("x.nds");
  EXPECT_FALSE(Choose([&](TbsOpenDlgForm* form) {
    EXPECT_EQ(form->FileList()->Path(), Root + "/initial");
    Screen.PressKey(VK_ESCAPE);
  }));
  Dialog->InitialDir = Root + "/nowhere";
  const std::string program = ExcludeTrailingPathDelimiter(ApplicationPath());
  EXPECT_FALSE(Choose([&](TbsOpenDlgForm* form) {
    EXPECT_EQ(form->FileList()->Path(), program);
    Screen.PressKey(VK_ESCAPE);
  }));
  // A folder named in FileName that is not there falls back the same way.
  Dialog->SetFileName(Root + "/gone/x.nds");
  EXPECT_FALSE(Choose([&](TbsOpenDlgForm* form) {
    EXPECT_EQ(form->FileList()->Path(), program);
    Screen.PressKey(VK_ESCAPE);
  }));
}

}  // namespace
}  // namespace kora::test

// Moving about in the open-file dialog: the history behind Back, Up, typed
// paths and masks, new folders, reloading, folders that cannot be read, the
// folder combo box, the details columns, and a folder of many files.

#include <chrono>

#include "OpenDialogTestSupport.h"
#include "skin/dialogs/bsMessages.h"

namespace kora::test {
namespace {

using Clock = std::chrono::steady_clock;

class OpenDialogNavigationTest : public OpenDialogTest {
protected:
  void SetUp() override {
    OpenDialogTest::SetUp();
    MakeTree({"roms/sub/deep.nds", "roms/b.nds", "a.nds"});
    Dialog->SetFileName(Root + "/");
  }
  static void DoubleClickRow(HeadlessBackend& screen, TbsSkinFileListView* list, int index) {
    screen.Click(RowPoint(list, index));
    screen.Click(RowPoint(list, index));
  }
  static std::vector<std::string> HistoryPaths(TbsOpenDlgForm* form) {
    std::vector<std::string> paths;
    for (const ShellItem& item : form->History()) paths.push_back(item.Path);
    return paths;
  }
};

TEST_F(OpenDialogNavigationTest, BackRightAfterOpeningDoesNothingAndLaterRetracesTheWay) {
  EXPECT_FALSE(Choose([&](TbsOpenDlgForm* form) {
    EXPECT_EQ(HistoryPaths(form), (std::vector<std::string>{Root}));
    Click(form->BackButton());
    Then([&](TbsOpenDlgForm* form) {
      EXPECT_EQ(form->FileList()->Path(), Root);
      EXPECT_EQ(form->History().size(), 1u);
      // A double-click opens a folder, so does Enter on one; Backspace goes up.
      DoubleClickRow(Screen, form->FileList(), 0);
      Then([&](TbsOpenDlgForm* form) {
        EXPECT_EQ(form->FileList()->Path(), Root + "/roms");
        Screen.Click(RowPoint(form->FileList(), 0));
        Screen.PressKey(VK_RETURN);
        Screen.PressKey(VK_BACK);
        Then([&](TbsOpenDlgForm* form) {
          EXPECT_EQ(HistoryPaths(form),
                    (std::vector<std::string>{Root, Root + "/roms", Root + "/roms/sub", Root + "/roms"}));
          // Going up leaves the folder we came from selected.
          EXPECT_EQ(form->FileList()->ShellItemOf(form->FileList()->ItemIndex()).Path, Root + "/roms/sub");
          Click(form->BackButton());
          Then([&](TbsOpenDlgForm* form) {
            // Back does not add the folder it returns to.
            EXPECT_EQ(form->FileList()->Path(), Root + "/roms/sub");
            EXPECT_EQ(HistoryPaths(form), (std::vector<std::string>{Root, Root + "/roms", Root + "/roms/sub"}));
            Click(form->UpButton());
            Then([&](TbsOpenDlgForm* form) {
              EXPECT_EQ(form->FileList()->Path(), Root + "/roms");
              Screen.PressKey(VK_ESCAPE);
            });
          });
        });
      });
    });
  }));
}

TEST_F(OpenDialogNavigationTest, TypedFolderPathsMasksAndFilesInTheFileNameEdit) {
  EXPECT_TRUE(Choose([&](TbsOpenDlgForm*) {
    // A relative path from the folder shown; Enter opens it.
    Screen.Type("roms/sub");
    Screen.PressKey(VK_RETURN);
    Then([&](TbsOpenDlgForm* form) {
      EXPECT_EQ(form->FileList()->Path(), Root + "/roms/sub");
      EXPECT_EQ(form->FileNameEdit()->Text(), "");
      // "~" is the home folder.
      Screen.Type("~");
      Screen.PressKey(VK_RETURN);
      Then([&](TbsOpenDlgForm* form) {
        EXPECT_EQ(form->FileList()->Path(), ExcludeTrailingPathDelimiter(ShellHomeFolder()));
        // Nothing there: the path error, reported; the window stays.
        form->FileNameEdit()->SetText(Root + "/nowhere/x");
        Screen.PressKey(VK_RETURN);
        Then([&](TbsOpenDlgForm* form) {
          ASSERT_EQ(Errors.size(), 1u);
          EXPECT_EQ(Errors[0], "Error setting path: \"" + Root + "/nowhere/x\"");
          EXPECT_EQ(form->ModalResult(), mrNone);
          // A mask shows the files it matches instead.
          form->FileNameEdit()->SetText(Root);
          Screen.PressKey(VK_RETURN);
          Then([&](TbsOpenDlgForm* form) {
            form->FileNameEdit()->SetText("*.txt;*.NDS");
            Screen.PressKey(VK_RETURN);
          });
          Then([&](TbsOpenDlgForm* form) {
            EXPECT_EQ(form->FileList()->Mask(), "*.txt;*.NDS");
            EXPECT_EQ(Captions(form->FileList()), (std::vector<std::string>{"roms", "a.nds"}));
            // A file's path opens its folder with the file selected; Enter takes it.
            form->FileNameEdit()->SetText(Root + "/roms/b.nds");
            Screen.PressKey(VK_RETURN);
            Then([&](TbsOpenDlgForm* form) {
              EXPECT_EQ(form->FileList()->Path(), Root + "/roms");
              EXPECT_EQ(form->FileList()->SelectedFilePath(), Root + "/roms/b.nds");
              EXPECT_EQ(form->FileNameEdit()->Text(), "b.nds");
              Screen.PressKey(VK_RETURN);
            });
          });
        });
      });
    });
  }));
  EXPECT_EQ(Dialog->FileName(), Root + "/roms/b.nds");
}

TEST_F(OpenDialogNavigationTest, NewFolderRefreshAndAFolderThatCannotBeRead) {
  EXPECT_FALSE(Choose([&](TbsOpenDlgForm* form) {
    Click(form->NewFolderButton());
    Then([&](TbsOpenDlgForm* form) {
      EXPECT_TRUE(DirectoryExists(Root + "/新建文件夹"));
      TbsSkinFileListView* list = form->FileList();
      EXPECT_EQ(list->ShellItemOf(list->ItemIndex()).DisplayName, "新建文件夹");
      // Once there, a second click makes nothing and says nothing.
      Click(form->NewFolderButton());
      // F5 anywhere in the window reads the folder again.
      MakeTree({"later.nds"});
      Screen.PressKey(VK_F5);
      Then([&](TbsOpenDlgForm* form) {
        EXPECT_TRUE(Errors.empty());
        EXPECT_NE(form->FileList()->IndexOfName("later.nds"), -1);
        form->FileList()->SetPath(Root + "/roms/sub");
        std::filesystem::remove_all(Root + "/roms/sub");
        form->FileList()->SetFocus();
        Screen.PressKey(VK_F5);
        Then([&](TbsOpenDlgForm* form) {
          // An empty list that says why, and the window carries on.
          TbsSkinFileListView* list = form->FileList();
          EXPECT_EQ(list->ItemCount(), 0);
          EXPECT_NE(list->FolderError(), "");
          EXPECT_EQ(list->EmptyText(), "无法读取此文件夹。\n" + list->FolderError());
          Screen.PressKey(VK_BACK);
          Then([&](TbsOpenDlgForm* form) {
            EXPECT_EQ(form->FileList()->Path(), Root + "/roms");
            EXPECT_EQ(form->FileList()->EmptyText(), "");
            // The desktop is no folder to make one in: the failure is reported.
            form->FileList()->SetPath("");
            Click(form->NewFolderButton());
            Then([&](TbsOpenDlgForm*) {
              ASSERT_EQ(Errors.size(), 1u);
              EXPECT_NE(Errors[0].find("新建文件夹"), std::string::npos);
              Screen.PressKey(VK_ESCAPE);
            });
          });
        });
      });
    });
  }));
}

TEST_F(OpenDialogNavigationTest, AltEnterTellsWhatTheShellKnowsOfTheItem) {
  LoadProgramSkin();
  EXPECT_FALSE(Choose([&](TbsOpenDlgForm* form) {
    Screen.Click(RowPoint(form->FileList(), form->FileList()->IndexOfName("a.nds")));
    Screen.KeyDown(VK_MENU);
    Screen.PressKey(VK_RETURN);
    Screen.KeyUp(VK_MENU);
    Screen.WhenIdle([&] {
      auto* box = dynamic_cast<TbsMessageForm*>(kora::Screen->ActiveForm());
      ASSERT_TRUE(box);
      auto* label = dynamic_cast<TControl*>(box->FindComponent("Message"));
      ASSERT_TRUE(label);
      const std::string text = label->Caption();
      EXPECT_NE(text.find("a.nds"), std::string::npos);
      EXPECT_NE(text.find("大小: 5"), std::string::npos);
      EXPECT_NE(text.find(Root + "/a.nds"), std::string::npos);
      Screen.PressKey(VK_RETURN);
      Then([&](TbsOpenDlgForm* form) {
        // Back in the dialog, which carries on.
        EXPECT_EQ(kora::Screen->ActiveForm(), form);
        Screen.PressKey(VK_ESCAPE);
      });
    });
  }));
}

TEST_F(OpenDialogNavigationTest, TheFolderComboShowsTheChainAndOpensWhatIsPicked) {
  int changes = 0;
  Dialog->OnFolderChange = [&](TObject* sender) {
    EXPECT_EQ(sender, Dialog);
    ++changes;
  };
  EXPECT_FALSE(Choose([&](TbsOpenDlgForm* form) {
    form->FileList()->SetPath(Root + "/roms/sub");
    TbsSkinShellComboBox* combo = form->FolderCombo();
    const std::vector<ShellItem> chain = ShellFolderChain(form->FileList()->Folder());
    // The desktop, its folders, and under the one the chain starts at the
    // chain, each a level deeper; the current folder selected.
    EXPECT_EQ(combo->Entry(0).Kind, ShellItemKind::Desktop);
    EXPECT_EQ(combo->EntryLevel(0), 0);
    const int last = combo->ItemIndex();
    EXPECT_EQ(combo->Entry(last).Path, Root + "/roms/sub");
    EXPECT_EQ(combo->EntryLevel(last), int(chain.size()) - 1);
    for (int i = last; combo->EntryLevel(i) > 1; --i) {
      EXPECT_EQ(combo->EntryLevel(i - 1), combo->EntryLevel(i) - 1);
      EXPECT_EQ(combo->Entry(i - 1).Path, ShellParent(combo->Entry(i))->Path);
    }
    int topLevel = 0;
    for (int i = 0; i < combo->EntryCount(); ++i)
      if (combo->EntryLevel(i) == 1) ++topLevel;
    EXPECT_EQ(topLevel, int(ShellDesktopFolders().size()));
    EXPECT_EQ(combo->Items()->Strings(last), "sub");
    // Picking the entry above opens it; the combo box follows the list.
    const size_t before = form->History().size();
    const int changesBefore = changes;
    combo->SetFocus();
    Screen.PressKey(VK_UP);
    Then([&, before, changesBefore](TbsOpenDlgForm* form) {
      EXPECT_EQ(form->FileList()->Path(), Root + "/roms");
      EXPECT_EQ(form->History().size(), before + 1);
      EXPECT_EQ(form->FolderCombo()->SelectedFolder()->Path, Root + "/roms");
      EXPECT_GT(changes, changesBefore);
      Screen.PressKey(VK_ESCAPE);
    });
  }));
}

TEST_F(OpenDialogNavigationTest, DetailsShowNameSizeTypeAndTime) {
  Dialog->SetViewStyle(vsReport);
  EXPECT_FALSE(Choose([&](TbsOpenDlgForm* form) {
    TbsSkinFileListView* list = form->FileList();
    ASSERT_EQ(list->Columns().size(), 4u);
    list->Canvas()->SetFont(list->Font());
    const int x = list->Canvas()->TextWidth("X");
    EXPECT_EQ(list->Columns()[0].Caption, "名称");
    EXPECT_EQ(list->Columns()[0].Width, 25 * x);
    EXPECT_EQ(list->Columns()[1].Caption, "大小");
    EXPECT_EQ(list->Columns()[1].Width, 10 * x);
    EXPECT_EQ(list->Columns()[1].Alignment, taRightJustify);
    EXPECT_EQ(list->Columns()[2].Caption, "类型");
    EXPECT_EQ(list->Columns()[2].Width, 10 * x);
    EXPECT_EQ(list->Columns()[3].Caption, "修改时间");
    EXPECT_GE(list->Columns()[3].Width, 14 * x);
    Screen.RunUntilIdle();
    const int file = list->IndexOfName("a.nds");
    const TListItem& row = list->Items(file);
    ASSERT_EQ(row.SubItems.size(), 3u);
    EXPECT_EQ(row.SubItems[0], "5");  // the bytes of "a.nds"
    EXPECT_EQ(row.SubItems[1], ".nds");
    EXPECT_EQ(row.SubItems[2], FormatShellTime(list->ShellItemOf(file).LastWrite));
    EXPECT_EQ(std::stoi(row.SubItems[2].substr(17)) % 2, 0);  // two-second steps
    // A folder has a time but no size or type.
    const TListItem& folder = list->Items(list->IndexOfName("roms"));
    EXPECT_EQ(folder.SubItems[0], "");
    EXPECT_EQ(folder.SubItems[1], "");
    // The desktop is no folder of the file system: its name only.
    list->SetPath("");
    EXPECT_EQ(list->Columns().size(), 1u);
    Screen.PressKey(VK_ESCAPE);
  }));
}

TEST_F(OpenDialogNavigationTest, AFolderOfTenThousandFilesOpensPromptly) {
  for (int i = 0; i < 10000; ++i) std::ofstream(Root + "/roms/rom" + std::to_string(i) + ".nds");
  Dialog->SetFileName(Root + "/roms/");
  Clock::duration waited{};
  const Clock::time_point start = Clock::now();
  EXPECT_FALSE(Choose([&](TbsOpenDlgForm* form) {
    waited = Clock::now() - start;
    EXPECT_EQ(form->FileList()->ItemCount(), 10002);
    for (TViewStyle style : {vsReport, vsIcon, vsSmallIcon, vsList}) {
      const Clock::time_point from = Clock::now();
      form->SetViewStyle(style);
      Screen.RunUntilIdle();
      EXPECT_LT(Clock::now() - from, std::chrono::milliseconds(500)) << style;
    }
    Screen.PressKey(VK_ESCAPE);
  }));
  // Shown and painted within a moment.
  EXPECT_LT(waited, std::chrono::milliseconds(1500));
}

}  // namespace
}  // namespace kora::test

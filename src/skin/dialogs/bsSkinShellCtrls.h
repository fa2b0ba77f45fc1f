#pragma once
// The skinned open-file dialog: TbsSkinOpenDialog, a component whose
// ChooseFile shows TbsOpenDlgForm modally and reports the chosen file, and
// the window itself: a tool bar (the folder combo box, Back, Up, New folder
// and the view menu), the file list between two skinned scroll bars, and
// the file-name edit, the file-type combo box and the Open and Cancel
// buttons. The shell controls it is made of come with it.

#include <memory>
#include <string>
#include <vector>

#include "framework/forms/Forms.h"
#include "skin/controls/bsSkinBoxCtrls.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/dialogs/bsSkinShellCtrls_Combos.h"
#include "skin/dialogs/bsSkinShellCtrls_FileList.h"
#include "skin/dialogs/bsSkinShellCtrls_Notifier.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMenus.h"

namespace kora {

// The tool bar's pictures, drawn by us: "BS_BACK", "BS_UP", "BS_NEWFOLDER"
// and "BS_LVSTYLE", 16 x 16 on a key colour in the bottom-left pixel. An
// unknown name leaves the bitmap empty.
void LoadShellDialogGlyph(TBitmap* bitmap, const std::string& name);

// The window of one ChooseFile: no stored layout, centred on the screen,
// key preview on, a skinned frame without caption buttons.
class TbsOpenDlgForm : public TForm {
  KORA_CLASS(TbsOpenDlgForm, TForm)

  explicit TbsOpenDlgForm(TComponent* owner);
  ~TbsOpenDlgForm() override;

  // Accept only an existing file selected in the list.
  bool CheckFileExists = true;
  // After every folder change and every change of the list's items or selection.
  TNotifyEvent OnFolderChange;

  // The skin of every control inside and the source of the texts, and the
  // record of the list's column headers.
  void SetCtrlSkinData(TbsSkinData* value, const std::string& headerSkinDataName = "resizebutton");
  TbsSkinData* CtrlSkinData() const { return FCtrlSkinData; }
  // The font of the labels, buttons, folder combo box and file list.
  void SetDefaultFont(const TFont* value);
  // The file list's style, with the view menu's check on its item.
  TViewStyle ViewStyle() const { return FFileList->ViewStyle(); }
  void SetViewStyle(TViewStyle value);

  // ---- What the user does ----
  // Open, Enter in the list on a file, a double-click on a file.
  void Accept();
  // Enter in the file-name edit: a mask, a folder path or a name.
  void FileNameEntered();
  // Back: the folder before this one (with at least two in the history).
  void GoBack();
  void GoUp();
  void NewFolder();
  // The path accepted; empty until then.
  const std::string& ChosenPath() const { return FChosenPath; }
  // The folders opened, oldest first; the last is the current one.
  const std::vector<ShellItem>& History() const { return FHistory; }

  // ---- Parts ----
  TbsSkinForm* SkinForm() const { return FSkinForm; }
  TbsSkinPanel* ToolPanel() const { return FToolPanel; }
  TbsSkinStdLabel* LookInLabel() const { return FLookInLabel; }
  TbsSkinSpeedButton* BackButton() const { return FBackButton; }
  TbsSkinSpeedButton* UpButton() const { return FUpButton; }
  TbsSkinSpeedButton* NewFolderButton() const { return FNewFolderButton; }
  TbsSkinMenuSpeedButton* ViewMenuButton() const { return FViewMenuButton; }
  TbsSkinPopupMenu* ViewMenu() const { return FViewMenu; }
  TbsSkinShellComboBox* FolderCombo() const { return FFolderCombo; }
  TbsSkinPanel* BottomPanel() const { return FBottomPanel; }
  TbsSkinStdLabel* FileNameLabel() const { return FFileNameLabel; }
  TbsSkinEdit* FileNameEdit() const { return FFileNameEdit; }
  TbsSkinStdLabel* FileTypeLabel() const { return FFileTypeLabel; }
  TbsSkinFilterComboBox* FilterCombo() const { return FFilterCombo; }
  TbsSkinButton* OpenButton() const { return FOpenButton; }
  TbsSkinButton* CancelButton() const { return FCancelButton; }
  TbsSkinScrollBar* HScrollBar() const { return FHScrollBar; }
  TbsSkinScrollBar* VScrollBar() const { return FVScrollBar; }
  TbsSkinFileListView* FileList() const { return FFileList; }

protected:
  void KeyDown(WORD& key, TShiftState shift) override;

private:
  void BuildToolBar();
  void BuildBottomPanel();
  void BuildCentre();
  void ApplyTexts();
  void LayoutToolBar();
  void LayoutBottomPanel();
  void FolderChanged();
  void ItemsChanged();
  void SelectionChanged();
  void FileNameKeyDown(WORD& key, TShiftState shift);

  TbsSkinForm* FSkinForm = nullptr;
  TbsSkinData* FCtrlSkinData = nullptr;
  TbsSkinPanel* FToolPanel = nullptr;
  TbsSkinBevel* FLeftSpacer = nullptr;
  TbsSkinBevel* FRightSpacer = nullptr;
  TbsSkinStdLabel* FLookInLabel = nullptr;
  TbsSkinSpeedButton* FBackButton = nullptr;
  TbsSkinSpeedButton* FUpButton = nullptr;
  TbsSkinSpeedButton* FNewFolderButton = nullptr;
  TbsSkinMenuSpeedButton* FViewMenuButton = nullptr;
  TbsSkinPopupMenu* FViewMenu = nullptr;
  TMenuItem* FViewItems[4] = {};
  TbsSkinShellComboBox* FFolderCombo = nullptr;
  TbsSkinPanel* FBottomPanel = nullptr;
  TbsSkinStdLabel* FFileNameLabel = nullptr;
  TbsSkinEdit* FFileNameEdit = nullptr;
  TbsSkinStdLabel* FFileTypeLabel = nullptr;
  TbsSkinFilterComboBox* FFilterCombo = nullptr;
  TbsSkinButton* FOpenButton = nullptr;
  TbsSkinButton* FCancelButton = nullptr;
  TbsSkinPanel* FCentrePanel = nullptr;
  TbsSkinScrollBar* FHScrollBar = nullptr;
  TbsSkinScrollBar* FVScrollBar = nullptr;
  TbsSkinFileListView* FFileList = nullptr;
  std::vector<ShellItem> FHistory;
  bool FGoingBack = false;
  std::string FChosenPath;
  std::string FLastCopiedName;
};

class TbsSkinOpenDialog : public TComponent {
  KORA_CLASS(TbsSkinOpenDialog, TComponent)

  explicit TbsSkinOpenDialog(TComponent* owner);
  ~TbsSkinOpenDialog() override;

  // ---- Published ----
  std::string Title = "Open file";
  std::string Filter = "All files|*.*";
  // 1-based; updated when the window closes.
  int32_t FilterIndex = 1;
  // In: a folder and a name to start from; out: the chosen file. Set while
  // the window is open, the file-name edit takes its name.
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& value);
  // The starting folder when FileName has none (and it exists).
  std::string InitialDir;
  // Kept for stored forms; opening does not use them.
  std::string DefaultExt;
  bool OverwritePromt = false;
  bool CheckFileExists = true;
  bool MultiSelection = false;
  // The window's client size (0: 450 x 290); updated when it closes.
  int32_t DialogWidth = 0, DialogHeight = 0;
  // The smallest size the frame lets the window take.
  int32_t DialogMinWidth = 0, DialogMinHeight = 0;
  // The frame's skin / every control's skin and the source of the texts.
  // Not owned; a removed skin data is forgotten.
  TbsSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TbsSkinData* value);
  TbsSkinData* CtrlSkinData() const { return FCtrlSkinData; }
  void SetCtrlSkinData(TbsSkinData* value);
  std::string LVHeaderSkinDataName = "resizebutton";
  // The buttons', folder combo box's and file list's font; setting copies.
  TFont* DefaultFont() const { return FDefaultFont.get(); }
  void SetDefaultFont(const TFont* value) { FDefaultFont->Assign(value); }
  bool AlphaBlend = false;
  uint8_t AlphaBlendValue = 225;
  bool AlphaBlendAnimation = false;
  // The two combo boxes' drop-downs and the frame's menus.
  bool CtrlAlphaBlend = false;
  uint8_t CtrlAlphaBlendValue = 225;
  bool CtrlAlphaBlendAnimation = false;
  TNotifyEvent OnFolderChange;

  // Shows the window; true when the user accepted a file, whose full path
  // FileName then holds.
  bool ChooseFile();

  // Kept from one call to the next: the list's style, and every file
  // selected at the last successful call.
  TViewStyle ViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle value) { FViewStyle = value; }
  const std::vector<std::string>& Files() const { return FFiles; }
  // The window while ChooseFile shows it, else null.
  TbsOpenDlgForm* Form() const { return FForm; }

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  // Where the window starts.
  std::string StartFolder() const;

  std::string FFileName;
  TbsSkinData* FSkinData = nullptr;
  TbsSkinData* FCtrlSkinData = nullptr;
  std::unique_ptr<TFont> FDefaultFont;
  TViewStyle FViewStyle = vsList;
  std::vector<std::string> FFiles;
  TbsOpenDlgForm* FForm = nullptr;
};

// Makes the dialog's and the shell controls' classes known by name.
void RegisterSkinShellClasses();

}  // namespace kora

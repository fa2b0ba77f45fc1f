// TbsOpenDlgForm: the window's parts and their places, the texts, and what
// the user does in it: navigating, naming and accepting a file.

#include <algorithm>

#include "framework/core/ClassBuilder.h"
#include "framework/core/SysUtils.h"
#include "platform/shell/SysFiles.h"
#include "skin/dialogs/bsSkinShellCtrls.h"

namespace kora {

namespace {

constexpr int kToolBarHeight = 25;
constexpr int kSpacerWidth = 10;
constexpr int kToolButtonSize = 25;
constexpr int kViewButtonWidth = 37;
constexpr int kFolderComboWidth = 190;
constexpr int kBottomHeight = 80;
constexpr int kScrollBarSize = 19;
constexpr int kFieldLeft = 70;
constexpr int kFieldHeight = 21;
constexpr int kButtonWidth = 70;
constexpr int kButtonHeight = 25;

struct TViewText {
  const char* Key;
  const char* BuiltIn;
};
constexpr TViewText kViewTexts[4] = {
    {"MSG_LV_ICON", "大图标"}, {"MSG_LV_SMALLICON", "小图标"}, {"MSG_LV_LIST", "列表"}, {"MSG_LV_DETAILS", "详细信息"}};

// "~" and "~/..." are in the home folder; a relative path starts in `folder`.
std::string ExpandTypedPath(const std::string& text, const std::string& folder) {
  if (IsHomePath(text)) return ShellHomeFolder() + text.substr(1);
  if (IsAbsolutePath(text)) return text;
  return IncludeTrailingPathDelimiter(folder.empty() ? ShellHomeFolder() : folder) + text;
}

template <typename T>
T* Make(TComponent* owner, TWinControl* parent, const char* name) {
  auto* part = new T(owner);
  part->SetName(name);
  // Naming a control also captions it; the parts get their texts later.
  part->SetCaption(std::string());
  part->SetParent(parent);
  return part;
}

}  // namespace

TClass TbsOpenDlgForm::StaticClass() {
  static const TClassInfo info(TClassBuilder<TbsOpenDlgForm>("TbsOpenDlgForm"));
  return &info;
}

TbsOpenDlgForm::TbsOpenDlgForm(TComponent* owner) : TForm(owner) {
  SetPosition(poScreenCenter);
  SetKeyPreview(true);
  FSkinForm = new TbsSkinForm(this);
  FSkinForm->SetBorderIcons({});
  SetClientWidth(450);
  SetClientHeight(290);
  // Created in the order Tab visits them: from the file name to the list,
  // then the folders, the file type and the buttons.
  BuildBottomPanel();
  BuildCentre();
  BuildToolBar();
  FFolderCombo->SetFileListView(FFileList);
  ApplyTexts();
  SetActiveControl(FFileNameEdit);
}

TbsOpenDlgForm::~TbsOpenDlgForm() {
  // The list's reports must not reach a form that is going.
  FFileList->OnPathChange = nullptr;
  FFileList->OnItemsChange = nullptr;
  FFileList->OnFileOpen = nullptr;
}

void TbsOpenDlgForm::BuildToolBar() {
  FToolPanel = Make<TbsSkinPanel>(this, this, "ToolPanel");
  FToolPanel->SetSkinDataName("toolpanel");
  FToolPanel->SetBorderStyle(bvNone);
  FToolPanel->SetAlign(alTop);
  FToolPanel->SetHeight(kToolBarHeight);
  FToolPanel->OnResize = [this](TObject*) { LayoutToolBar(); };

  FLeftSpacer = Make<TbsSkinBevel>(this, FToolPanel, "LeftSpacer");
  FLeftSpacer->SetShape(bsSpacer);
  FRightSpacer = Make<TbsSkinBevel>(this, FToolPanel, "RightSpacer");
  FRightSpacer->SetShape(bsSpacer);
  FLookInLabel = Make<TbsSkinStdLabel>(this, FToolPanel, "LookInLabel");
  FLookInLabel->SetAutoSize(true);

  FFolderCombo = Make<TbsSkinShellComboBox>(this, FToolPanel, "FolderCombo");
  FFolderCombo->SetWidth(kFolderComboWidth);

  const auto button = [](TbsSkinSpeedButton* b, const char* glyph) {
    TBitmap picture;
    LoadShellDialogGlyph(&picture, glyph);
    b->SetGlyph(&picture);
    b->SetShowHint(true);
    b->SetBounds(0, 0, kToolButtonSize, kToolButtonSize);
  };
  FBackButton = Make<TbsSkinSpeedButton>(this, FToolPanel, "BackButton");
  button(FBackButton, "BS_BACK");
  FBackButton->OnClick = [this](TObject*) { GoBack(); };
  FUpButton = Make<TbsSkinSpeedButton>(this, FToolPanel, "UpButton");
  button(FUpButton, "BS_UP");
  FUpButton->OnClick = [this](TObject*) { GoUp(); };
  FNewFolderButton = Make<TbsSkinSpeedButton>(this, FToolPanel, "NewFolderButton");
  button(FNewFolderButton, "BS_NEWFOLDER");
  FNewFolderButton->OnClick = [this](TObject*) { NewFolder(); };

  FViewMenu = new TbsSkinPopupMenu(this);
  FViewMenu->SetName("ViewMenu");
  for (int style = 0; style < 4; ++style) {
    auto* item = new TMenuItem(this);
    item->SetRadioItem(true);
    item->SetGroupIndex(1);
    item->SetOnClick([this, style](TObject*) { SetViewStyle(TViewStyle(style)); });
    FViewMenu->Items()->Add(item);
    FViewItems[style] = item;
  }
  FViewMenuButton = Make<TbsSkinMenuSpeedButton>(this, FToolPanel, "ViewMenuButton");
  button(FViewMenuButton, "BS_LVSTYLE");
  FViewMenuButton->SetWidth(kViewButtonWidth);
  FViewMenuButton->SetSkinPopupMenu(FViewMenu);
  LayoutToolBar();
}

void TbsOpenDlgForm::BuildBottomPanel() {
  FBottomPanel = Make<TbsSkinPanel>(this, this, "BottomPanel");
  FBottomPanel->SetBorderStyle(bvNone);
  FBottomPanel->SetAlign(alBottom);
  FBottomPanel->SetHeight(kBottomHeight);
  FBottomPanel->OnResize = [this](TObject*) { LayoutBottomPanel(); };

  FFileNameLabel = Make<TbsSkinStdLabel>(this, FBottomPanel, "FileNameLabel");
  FFileNameLabel->SetAutoSize(true);
  FFileNameLabel->SetBounds(10, 10, FFileNameLabel->Width(), FFileNameLabel->Height());
  FFileTypeLabel = Make<TbsSkinStdLabel>(this, FBottomPanel, "FileTypeLabel");
  FFileTypeLabel->SetAutoSize(true);
  FFileTypeLabel->SetBounds(10, 45, FFileTypeLabel->Width(), FFileTypeLabel->Height());

  FFileNameEdit = Make<TbsSkinEdit>(this, FBottomPanel, "FileNameEdit");
  FFileNameEdit->OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) { FileNameKeyDown(key, shift); };
  FFilterCombo = Make<TbsSkinFilterComboBox>(this, FBottomPanel, "FilterCombo");
  FFilterCombo->OnClick = [this](TObject*) {
    if (FFileList) FFileList->SetMask(FFilterCombo->Mask());
  };

  FOpenButton = Make<TbsSkinButton>(this, FBottomPanel, "OpenButton");
  FOpenButton->OnClick = [this](TObject*) { Accept(); };
  FCancelButton = Make<TbsSkinButton>(this, FBottomPanel, "CancelButton");
  FCancelButton->SetModalResult(mrCancel);
  FCancelButton->SetCancel(true);
  for (TbsSkinButton* b : {FOpenButton, FCancelButton}) b->SetDefaultHeight(kButtonHeight);
  LayoutBottomPanel();
  // Tab from the file name goes on to the list (in the panel after this one).
  FFilterCombo->SetTabOrder(0);
  FOpenButton->SetTabOrder(1);
  FCancelButton->SetTabOrder(2);
  FFileNameEdit->SetTabOrder(3);
}

void TbsOpenDlgForm::BuildCentre() {
  FCentrePanel = Make<TbsSkinPanel>(this, this, "CentrePanel");
  FCentrePanel->SetBorderStyle(bvFrame);
  FCentrePanel->SetAlign(alClient);
  FHScrollBar = Make<TbsSkinScrollBar>(this, FCentrePanel, "HScrollBar");
  FHScrollBar->SetKind(sbHorizontal);
  FHScrollBar->SetAlign(alBottom);
  FHScrollBar->SetHeight(kScrollBarSize);
  FVScrollBar = Make<TbsSkinScrollBar>(this, FCentrePanel, "VScrollBar");
  FVScrollBar->SetKind(sbVertical);
  FVScrollBar->SetAlign(alRight);
  FVScrollBar->SetWidth(kScrollBarSize);
  FFileList = Make<TbsSkinFileListView>(this, FCentrePanel, "FileList");
  FFileList->SetAlign(alClient);
  FFileList->SetHScrollBar(FHScrollBar);
  FFileList->SetVScrollBar(FVScrollBar);
  FFileList->SetViewStyle(vsList);
  FFileList->OnPathChange = [this](TObject*) { FolderChanged(); };
  FFileList->OnItemsChange = [this](TObject*) { ItemsChanged(); };
  // Enter or a double-click on a file means that file, whatever was typed.
  FFileList->OnFileOpen = [this](TObject*) {
    const std::string path = FFileList->SelectedFilePath();
    if (!path.empty()) FFileNameEdit->SetText(ExtractFileName(path));
    Accept();
  };
}

// ---- Skins, texts and layout -----------------------------------------------------------

void TbsOpenDlgForm::SetCtrlSkinData(TbsSkinData* value, const std::string& headerSkinDataName) {
  FCtrlSkinData = value;
  FFileList->SetHeaderSkinDataName(headerSkinDataName);
  for (int i = 0; i < ComponentCount(); ++i) {
    TComponent* part = Components(i);
    if (auto* control = dynamic_cast<TbsSkinControl*>(part)) control->SetSkinData(value);
    if (auto* label = dynamic_cast<TbsSkinStdLabel*>(part)) label->SetSkinData(value);
    if (auto* bevel = dynamic_cast<TbsSkinBevel*>(part)) bevel->SetSkinData(value);
    if (auto* list = dynamic_cast<TbsSkinListView*>(part)) list->SetSkinData(value);
  }
  FViewMenu->SetSkinData(value);
  ApplyTexts();
}

void TbsOpenDlgForm::SetDefaultFont(const TFont* value) {
  for (int i = 0; i < ComponentCount(); ++i) {
    TComponent* part = Components(i);
    if (auto* control = dynamic_cast<TbsSkinCustomControl*>(part)) control->SetDefaultFont(value);
    if (auto* label = dynamic_cast<TbsSkinStdLabel*>(part)) {
      label->Font()->Assign(value);
      label->SetDefaultFont(value);
    }
  }
  FFolderCombo->Font()->Assign(value);
  FFileList->Font()->Assign(value);
  FFileList->UpdateSkin();
  LayoutToolBar();
}

void TbsOpenDlgForm::ApplyTexts() {
  const TbsSkinData* skin = FCtrlSkinData;
  FLookInLabel->SetCaption(ShellDialogText(skin, "FLV_LOOKIN", "查找: "));
  FBackButton->SetHint(ShellDialogText(skin, "MSG_BTN_BACK_HINT", "转到最后访问的文件夹"));
  FUpButton->SetHint(ShellDialogText(skin, "MSG_BTN_UP_HINT", "转到上一级"));
  FNewFolderButton->SetHint(ShellDialogText(skin, "MSG_BTN_NEWFOLDER_HINT", "新建文件夹"));
  FViewMenuButton->SetHint(ShellDialogText(skin, "MSG_BTN_VIEWMENU_HINT", "查看菜单"));
  for (int style = 0; style < 4; ++style)
    FViewItems[style]->SetCaption(ShellDialogText(skin, kViewTexts[style].Key, kViewTexts[style].BuiltIn));
  FFileNameLabel->SetCaption(ShellDialogText(skin, "MSG_FILENAME", "文件名:"));
  FFileTypeLabel->SetCaption(ShellDialogText(skin, "MSG_FILETYPE", "文件类型:"));
  FOpenButton->SetCaption(ShellDialogText(skin, "MSG_BTN_OPEN", "打开(&O)"));
  FCancelButton->SetCaption(ShellDialogText(skin, "MSG_BTN_CANCEL", "取消"));
  LayoutToolBar();
}

void TbsOpenDlgForm::LayoutToolBar() {
  if (!FViewMenuButton) return;  // still being built
  const int w = FToolPanel->ClientWidth(), h = FToolPanel->ClientHeight();
  FLeftSpacer->SetBounds(0, 0, kSpacerWidth, h);
  int x = kSpacerWidth;
  FLookInLabel->SetBounds(x, (h - FLookInLabel->Height()) / 2, FLookInLabel->Width(), FLookInLabel->Height());
  x += FLookInLabel->Width() + 2;
  // From the right edge: the spacer, the view menu, then New folder, Up and Back.
  int right = w - kSpacerWidth;
  FRightSpacer->SetBounds(right, 0, kSpacerWidth, h);
  right -= kViewButtonWidth;
  FViewMenuButton->SetBounds(right, (h - kToolButtonSize) / 2, kViewButtonWidth, kToolButtonSize);
  for (TbsSkinSpeedButton* b : {FNewFolderButton, FUpButton, FBackButton}) {
    right -= kToolButtonSize;
    b->SetBounds(right, (h - kToolButtonSize) / 2, kToolButtonSize, kToolButtonSize);
  }
  right -= 4;
  // The folders take what is left.
  const int comboHeight = FFolderCombo->Height();
  FFolderCombo->SetBounds(x, (h - comboHeight) / 2, std::max(right - x, 40), comboHeight);
}

void TbsOpenDlgForm::LayoutBottomPanel() {
  if (!FCancelButton) return;  // still being built
  const int w = FBottomPanel->ClientWidth();
  const int field = std::max(w - 160, 40);
  FFileNameEdit->SetBounds(kFieldLeft, 10, field, kFieldHeight);
  FFilterCombo->SetBounds(kFieldLeft, 45, field, kFieldHeight);
  FOpenButton->SetBounds(w - 80, 10, kButtonWidth, kButtonHeight);
  FCancelButton->SetBounds(w - 80, 45, kButtonWidth, kButtonHeight);
}

void TbsOpenDlgForm::SetViewStyle(TViewStyle value) {
  FFileList->SetViewStyle(value);
  for (int style = 0; style < 4; ++style) FViewItems[style]->SetChecked(style == int(value));
}

// ---- The list's reports ----------------------------------------------------------------

void TbsOpenDlgForm::FolderChanged() {
  const ShellItem& folder = FFileList->Folder();
  if (!FGoingBack && (FHistory.empty() || !FHistory.back().SamePlace(folder))) FHistory.push_back(folder);
  FFolderCombo->ShowFolder(folder);
  FLastCopiedName.clear();
}

void TbsOpenDlgForm::ItemsChanged() {
  SelectionChanged();
  OnFolderChange(this);
}

void TbsOpenDlgForm::SelectionChanged() {
  const std::string path = FFileList->SelectedFilePath();
  if (path.empty()) return;
  const std::string name = ExtractFileName(path);
  // Only a new selection: a reload keeps what the user typed since.
  if (name == FLastCopiedName) return;
  FLastCopiedName = name;
  FFileNameEdit->SetText(name);
}

// ---- What the user does ----------------------------------------------------------------

void TbsOpenDlgForm::GoBack() {
  if (FHistory.size() < 2) return;
  FHistory.pop_back();
  FGoingBack = true;
  try {
    FFileList->SetFolder(FHistory.back());
  } catch (...) {
    FGoingBack = false;
    throw;
  }
  FGoingBack = false;
}

void TbsOpenDlgForm::GoUp() { FFileList->GoUp(); }

void TbsOpenDlgForm::NewFolder() {
  FFileList->CreateFolder(ShellDialogText(FCtrlSkinData, "MSG_NEWFOLDER", "新建文件夹"));
}

void TbsOpenDlgForm::Accept() {
  const std::string text = Trim(FFileNameEdit->Text());
  if (text.empty()) return;
  std::string selected = FFileList->SelectedFilePath();
  // A name typed over the selection means the file of that name, when the
  // list shows one, not the selected file.
  const bool typedOther = !selected.empty() && ExtractFileName(selected) != text;
  if (typedOther) {
    const int index = FFileList->IndexOfName(text);
    if (index >= 0 && !FFileList->ShellItemOf(index).IsFolder()) {
      FFileList->SetItemIndex(index);
      selected = FFileList->ShellItemOf(index).Path;
    } else {
      selected.clear();
    }
  }
  if (CheckFileExists) {
    if (selected.empty()) return;
    FChosenPath = selected;
    if (!FileExists(selected)) {
      // Gone since the list was read: not ours to return, and not to show.
      FChosenPath.clear();
      FFileList->RefreshItems();
      return;
    }
    SetModalResult(mrOk);
    return;
  }
  FChosenPath = !selected.empty() ? selected : ExpandTypedPath(text, FFileList->Path());
  SetModalResult(mrOk);
}

void TbsOpenDlgForm::FileNameEntered() {
  const std::string text = Trim(FFileNameEdit->Text());
  if (text.find('*') != std::string::npos) {
    FFileList->SetMask(text);
    return;
  }
  // A separator makes a path of the text, and "~" is the home folder.
  if (std::any_of(text.begin(), text.end(), IsPathDelimiter) || text.starts_with('~')) {
    const std::string path = ExpandTypedPath(text, FFileList->Path());
    if (DirectoryExists(path)) {
      FFileList->SetPath(path);
      FFileNameEdit->SetText(std::string());
      return;
    }
    // A file: its folder opens with it selected, ready to be accepted.
    FFileList->SetPath(path);  // raises the path error when nothing is there
    const int index = FFileList->IndexOfPath(ExcludeTrailingPathDelimiter(ExpandFileName(path)));
    if (index >= 0) FFileList->SetItemIndex(index);
    FLastCopiedName.clear();
    FFileNameEdit->SetText(ExtractFileName(path));
    return;
  }
  Accept();
}

void TbsOpenDlgForm::FileNameKeyDown(WORD& key, TShiftState shift) {
  if (key != VK_RETURN || !shift.Empty()) return;
  key = 0;
  FileNameEntered();
}

void TbsOpenDlgForm::KeyDown(WORD& key, TShiftState shift) {
  if (key == VK_F5 && shift.Empty()) {
    FFileList->RefreshItems();
    key = 0;
    return;
  }
  TForm::KeyDown(key, shift);
}

}  // namespace kora

// TbsSkinOpenDialog: what ChooseFile sets up in the window, shows, and
// keeps from it; and the registration of the unit's classes.

#include "skin/dialogs/bsSkinShellCtrls.h"

#include "framework/core/ClassBuilder.h"
#include "framework/core/SysUtils.h"

namespace kora {

namespace {

constexpr int kDefaultClientWidth = 450;
constexpr int kDefaultClientHeight = 290;

std::unique_ptr<TFont> DialogFont() {
  auto font = std::make_unique<TFont>();
  font->SetName(bsDefaultFontName);
  font->SetCharset(bsDefaultFontCharset);
  font->SetHeight(-12);
  return font;
}

// Clears a pointer to the window when it goes, whatever way it leaves.
class TFormScope {
public:
  TFormScope(TbsOpenDlgForm*& slot, TbsOpenDlgForm* form) : FSlot(slot) { FSlot = form; }
  ~TFormScope() { FSlot = nullptr; }
  TFormScope(const TFormScope&) = delete;
  TFormScope& operator=(const TFormScope&) = delete;

private:
  TbsOpenDlgForm*& FSlot;
};

}  // namespace

TClass TbsSkinOpenDialog::StaticClass() {
  using C = TbsSkinOpenDialog;
  static const TClassInfo info(TClassBuilder<C>("TbsSkinOpenDialog")
                                   .Property("Title", &C::Title)
                                   .Property("Filter", &C::Filter)
                                   .Property("FilterIndex", &C::FilterIndex)
                                   .Default(1)
                                   .Property("FileName", &C::FileName, &C::SetFileName)
                                   .Property("InitialDir", &C::InitialDir)
                                   .Property("DefaultExt", &C::DefaultExt)
                                   .Property("OverwritePromt", &C::OverwritePromt)
                                   .Default(false)
                                   .Property("CheckFileExists", &C::CheckFileExists)
                                   .Default(true)
                                   .Property("MultiSelection", &C::MultiSelection)
                                   .Default(false)
                                   .Property("DialogWidth", &C::DialogWidth)
                                   .Default(0)
                                   .Property("DialogHeight", &C::DialogHeight)
                                   .Default(0)
                                   .Property("DialogMinWidth", &C::DialogMinWidth)
                                   .Default(0)
                                   .Property("DialogMinHeight", &C::DialogMinHeight)
                                   .Default(0)
                                   .Property("SkinData", &C::SkinData, &C::SetSkinData)
                                   .Property("CtrlSkinData", &C::CtrlSkinData, &C::SetCtrlSkinData)
                                   .Property("LVHeaderSkinDataName", &C::LVHeaderSkinDataName)
                                   .Property("DefaultFont", &C::DefaultFont, &C::SetDefaultFont)
                                   .Property("AlphaBlend", &C::AlphaBlend)
                                   .Default(false)
                                   .Property("AlphaBlendValue", &C::AlphaBlendValue)
                                   .Default(225)
                                   .Property("AlphaBlendAnimation", &C::AlphaBlendAnimation)
                                   .Default(false)
                                   .Property("CtrlAlphaBlend", &C::CtrlAlphaBlend)
                                   .Default(false)
                                   .Property("CtrlAlphaBlendValue", &C::CtrlAlphaBlendValue)
                                   .Default(225)
                                   .Property("CtrlAlphaBlendAnimation", &C::CtrlAlphaBlendAnimation)
                                   .Default(false)
                                   .Property("OnFolderChange", &C::OnFolderChange));
  return &info;
}

TbsSkinOpenDialog::TbsSkinOpenDialog(TComponent* owner) : TComponent(owner), FDefaultFont(DialogFont()) {}

TbsSkinOpenDialog::~TbsSkinOpenDialog() {
  Relink(FSkinData, nullptr);
  Relink(FCtrlSkinData, nullptr);
}

void TbsSkinOpenDialog::SetSkinData(TbsSkinData* value) { Relink(FSkinData, value); }
void TbsSkinOpenDialog::SetCtrlSkinData(TbsSkinData* value) { Relink(FCtrlSkinData, value); }

void TbsSkinOpenDialog::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FSkinData) FSkinData = nullptr;
  if (component == FCtrlSkinData) FCtrlSkinData = nullptr;
}

void TbsSkinOpenDialog::SetFileName(const std::string& value) {
  FFileName = value;
  if (FForm) FForm->FileNameEdit()->SetText(ExtractFileName(value));
}

std::string TbsSkinOpenDialog::StartFolder() const {
  // A folder named in FileName that is not there counts as none: the
  // window opens where it would without one rather than not at all.
  const std::string named = ExtractFilePath(FFileName);
  if (!named.empty() && DirectoryExists(named)) return named;
  if (!InitialDir.empty() && DirectoryExists(InitialDir)) return InitialDir;
  return ApplicationPath();
}

bool TbsSkinOpenDialog::ChooseFile() {
  auto form = std::make_unique<TbsOpenDlgForm>(nullptr);
  const TFormScope scope(FForm, form.get());
  form->CheckFileExists = CheckFileExists;
  form->OnFolderChange = [this](TObject*) { OnFolderChange(this); };
  TbsSkinForm* frame = form->SkinForm();
  frame->AlphaBlend = AlphaBlend;
  frame->AlphaBlendValue = AlphaBlendValue;
  frame->AlphaBlendAnimation = AlphaBlendAnimation;
  frame->MenusAlphaBlend = CtrlAlphaBlend;
  frame->MenusAlphaBlendValue = CtrlAlphaBlendValue;
  frame->MenusAlphaBlendAnimation = CtrlAlphaBlendAnimation;
  for (TbsSkinCustomComboBox* combo : {static_cast<TbsSkinCustomComboBox*>(form->FolderCombo()),
                                       static_cast<TbsSkinCustomComboBox*>(form->FilterCombo())}) {
    combo->SetAlphaBlend(CtrlAlphaBlend);
    combo->SetAlphaBlendValue(CtrlAlphaBlendValue);
    combo->SetAlphaBlendAnimation(CtrlAlphaBlendAnimation);
  }
  frame->SetSkinData(FSkinData);
  frame->SetMenusSkinData(FCtrlSkinData);
  form->SetCaption(Title);
  frame->MinWidth = DialogMinWidth;
  frame->MinHeight = DialogMinHeight;
  form->SetDefaultFont(FDefaultFont.get());

  form->SetViewStyle(FViewStyle);
  form->SetCtrlSkinData(FCtrlSkinData, LVHeaderSkinDataName);
  TbsSkinFileListView* list = form->FileList();
  list->SetMultiSelect(MultiSelection);
  form->FilterCombo()->SetFilter(Filter);
  form->FilterCombo()->SetItemIndex(FilterIndex - 1);
  list->SetMask(form->FilterCombo()->Mask());
  // The mask first, so the folder is read once.
  list->SetPath(StartFolder());

  form->SetClientWidth(DialogWidth > 0 ? DialogWidth : kDefaultClientWidth);
  form->SetClientHeight(DialogHeight > 0 ? DialogHeight : kDefaultClientHeight);
  if (LoadedSkin(FSkinData)) {
    if (form->Width() < frame->States().GetMinWidth()) form->SetWidth(frame->States().GetMinWidth());
    if (form->Height() < frame->States().GetMinHeight()) form->SetHeight(frame->States().GetMinHeight());
  }
  // The keyboard starts at the first entry; nothing is selected yet.
  list->SetTopIndex(0);
  form->FileNameEdit()->SetText(ExtractFileName(FFileName));

  const TModalResult result = form->ShowModal();
  FilterIndex = form->FilterCombo()->ItemIndex() + 1;
  DialogWidth = form->ClientWidth();
  DialogHeight = form->ClientHeight();
  FViewStyle = form->ViewStyle();
  if (result != mrOk) return false;
  FFileName = form->ChosenPath();
  FFiles = list->SelectedFilePaths();
  if (FFiles.empty()) FFiles.push_back(FFileName);
  return true;
}

void RegisterSkinShellClasses() {
  static const bool registered = [] {
    RegisterClasses({TbsSkinOpenDialog::StaticClass(), TbsShellChangeNotifier::StaticClass(),
                     TbsSkinFileListView::StaticClass(), TbsSkinShellComboBox::StaticClass(),
                     TbsSkinFilterComboBox::StaticClass()});
    return true;
  }();
  (void)registered;
}

}  // namespace kora

// TbsSkinMessage: the message window's layout from the text's size and the
// skin's button height, its buttons with their roles, and showing it.

#include "skin/dialogs/bsMessages.h"

#include <algorithm>
#include <array>

#include "framework/core/ClassBuilder.h"
#include "skin/dialogs/bsSkinManager.h"
#include "skin/dialogs/bsSkinShellCtrls.h"

namespace kora {

namespace {

constexpr int kMessageButtonWidth = 70;
constexpr int kButtonGap = 10;
constexpr int kDefaultButtonHeight = 25;
constexpr int kTextLeft = 50;
constexpr int kTextTop = 15;
constexpr int kMessageIconSize = 32;
constexpr int kCheckBoxHeight = 30;

struct TKindText {
  const char* Key;
  const char* Caption;
  int Icon;
};

constexpr std::array<TKindText, 4> kKinds{{
    {"MSG_CAP_WARNING", "警告", IDI_EXCLAMATION},
    {"MSG_CAP_ERROR", "错误", IDI_HAND},
    {"MSG_CAP_INFORMATION", "信息", IDI_ASTERISK},
    {"MSG_CAP_CONFIRM", "确认", IDI_QUESTION},
}};

struct TButtonText {
  const char* Name;
  const char* Key;
  const char* Caption;
  TModalResult Result;
};

constexpr std::array<TButtonText, 11> kButtons{{
    {"Yes", "MSG_BTN_YES", "是(&Y)", mrYes},
    {"No", "MSG_BTN_NO", "否(&N)", mrNo},
    {"OK", "MSG_BTN_OK", "确定", mrOk},
    {"Cancel", "MSG_BTN_CANCEL", "取消", mrCancel},
    {"Abort", "MSG_BTN_ABORT", "终止(&A)", mrAbort},
    {"Retry", "MSG_BTN_RETRY", "重试(&R)", mrRetry},
    {"Ignore", "MSG_BTN_IGNORE", "忽略(&I)", mrIgnore},
    {"All", "MSG_BTN_ALL", "全部(&A)", mrAll},
    {"NoToAll", "MSG_BTN_NOTOALL", "全部否(&O)", mrNoToAll},
    {"YesToAll", "MSG_BTN_YESTOALL", "全部是(&Y)", mrYesToAll},
    {"Help", "MSG_BTN_HELP", "帮助(&H)", mrNone},
}};

std::unique_ptr<TFont> MessageFont() {
  auto font = std::make_unique<TFont>();
  font->SetName(bsDefaultFontName);
  font->SetCharset(bsDefaultFontCharset);
  font->SetHeight(-12);
  return font;
}

int TextWidthIn(const TFont& font, const std::string& text) {
  TBitmap measure;
  measure.SetSize(1, 1);
  measure.Canvas()->Font()->Assign(&font);
  return measure.Canvas()->TextWidth(text);
}

}  // namespace

const TTypeInfo* TypeInfoOf(TMsgDlgType) {
  static const TTypeInfo info =
      EnumTypeInfo("TMsgDlgType", {"mtWarning", "mtError", "mtInformation", "mtConfirmation", "mtCustom"});
  return &info;
}
const TTypeInfo* TypeInfoOf(TMsgDlgBtn) {
  static const TTypeInfo info = EnumTypeInfo("TMsgDlgBtn", {"mbYes", "mbNo", "mbOK", "mbCancel", "mbAbort", "mbRetry",
                                                            "mbIgnore", "mbAll", "mbNoToAll", "mbYesToAll", "mbHelp"});
  return &info;
}
const TTypeInfo* TypeInfoOf(TMsgDlgButtons) {
  static const TTypeInfo info = SetTypeInfo("TMsgDlgButtons", TypeInfoOf(TMsgDlgBtn{}));
  return &info;
}

// ---- The icon and the window ----------------------------------------------------------------

TClass TbsMessageImage::StaticClass() {
  static const TClassInfo info(TClassBuilder<TbsMessageImage>("TbsMessageImage"));
  return &info;
}

TbsMessageImage::TbsMessageImage(TComponent* owner) : TGraphicControl(owner), FIcon(std::make_unique<TIcon>()) {
  SetBounds(Left(), Top(), kMessageIconSize, kMessageIconSize);
}

void TbsMessageImage::Paint() {
  if (!FIcon->Empty()) Canvas()->Draw(0, 0, FIcon.get());
}

TClass TbsMessageForm::StaticClass() {
  static const TClassInfo info(TClassBuilder<TbsMessageForm>("TbsMessageForm"));
  return &info;
}

TbsMessageForm::TbsMessageForm(TComponent* owner) : TForm(owner) {
  SetPosition(poScreenCenter);
  SetBorderStyle(bsDialog);
  SetKeyPreview(true);
  FSkinForm = new TbsSkinForm(this);
  FSkinForm->SetBorderIcons({});
}

// ---- TbsSkinMessage -------------------------------------------------------------------------

TClass TbsSkinMessage::StaticClass() {
  using C = TbsSkinMessage;
  static const TClassInfo info(TClassBuilder<C>("TbsSkinMessage")
                                   .Property("SkinData", &C::SkinData, &C::SetSkinData)
                                   .Property("CtrlSkinData", &C::CtrlSkinData, &C::SetCtrlSkinData)
                                   .Property("ButtonSkinDataName", &C::ButtonSkinDataName)
                                   .Property("MessageLabelSkinDataName", &C::MessageLabelSkinDataName)
                                   .Property("DefaultFont", &C::DefaultFont, &C::SetDefaultFont)
                                   .Property("DefaultButtonFont", &C::DefaultButtonFont, &C::SetDefaultButtonFont)
                                   .Property("UseSkinFont", &C::UseSkinFont)
                                   .Default(false)
                                   .Property("AlphaBlend", &C::AlphaBlend)
                                   .Default(false)
                                   .Property("AlphaBlendAnimation", &C::AlphaBlendAnimation)
                                   .Default(false)
                                   .Property("AlphaBlendValue", &C::AlphaBlendValue)
                                   .Default(200)
                                   .Property("ShowAgainFlag", &C::ShowAgainFlag)
                                   .Default(false)
                                   .Property("ShowAgainFlagValue", &C::ShowAgainFlagValue)
                                   .Default(false));
  return &info;
}

TbsSkinMessage::TbsSkinMessage(TComponent* owner)
    : TComponent(owner), FDefaultFont(MessageFont()), FDefaultButtonFont(MessageFont()) {
  if (Application) InstallSkinnedExceptionReport(*Application);
}

TbsSkinMessage::~TbsSkinMessage() {
  Relink(FSkinData, nullptr);
  Relink(FCtrlSkinData, nullptr);
}

void TbsSkinMessage::SetSkinData(TbsSkinData* value) { Relink(FSkinData, value); }
void TbsSkinMessage::SetCtrlSkinData(TbsSkinData* value) { Relink(FCtrlSkinData, value); }

void TbsSkinMessage::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FSkinData) FSkinData = nullptr;
  if (component == FCtrlSkinData) FCtrlSkinData = nullptr;
}

std::string TbsSkinMessage::ResourceText(const char* key, const char* builtIn) const {
  if (FCtrlSkinData && FCtrlSkinData->ResourceStrData()) {
    std::string text = FCtrlSkinData->ResourceStrData()->LookUpResString(key);
    // An empty entry would leave a button or the caption blank.
    if (!text.empty()) return text;
  }
  return builtIn;
}

int TbsSkinMessage::ButtonHeight() const {
  if (TbsSkinData* skin = LoadedSkin(FCtrlSkinData)) {
    const int index = skin->FindControlRecord(ButtonSkinDataName);
    if (index != -1) {
      if (const auto* record = dynamic_cast<const TbsDataSkinButtonControl*>(skin->ControlRecord(index)))
        return HeightOf(record->SkinRect);
    }
  }
  return kDefaultButtonHeight;
}

std::unique_ptr<TbsMessageForm> TbsSkinMessage::CreateMessageForm(const std::string& text, TMsgDlgType kind,
                                                                  TMsgDlgButtons buttons, const std::string* caption) {
  auto form = std::make_unique<TbsMessageForm>(nullptr);
  TbsSkinForm* frame = form->SkinForm();
  frame->AlphaBlend = AlphaBlend;
  frame->AlphaBlendAnimation = AlphaBlendAnimation;
  frame->AlphaBlendValue = AlphaBlendValue;
  frame->SetSkinData(FSkinData);
  frame->SetMenusSkinData(FCtrlSkinData);
  // The layout below measures the frame the skin gives the window.
  form->HandleNeeded();

  const int buttonHeight = ButtonHeight();
  int count = 0;
  for (size_t bit = 0; bit < kButtons.size(); ++bit)
    if (buttons.Contains(TMsgDlgBtn(bit))) ++count;
  const int rowWidth = count == 0 ? 0 : kMessageButtonWidth * count + kButtonGap * (count - 1);

  const bool custom = kind >= mtCustom;
  if (caption)
    form->SetCaption(*caption);
  else if (custom)
    form->SetCaption(Application ? Application->Title() : std::string());
  else
    form->SetCaption(ResourceText(kKinds[kind].Key, kKinds[kind].Caption));

  auto* label = new TbsSkinStdLabel(form.get());
  label->SetName("Message");
  // A message is text, not a caption: an "&" in a file name stays.
  label->SetShowAccelChar(false);
  label->Font()->Assign(FDefaultFont.get());
  label->SetDefaultFont(FDefaultFont.get());
  label->SetUseSkinFont(UseSkinFont);
  label->SetSkinDataName(MessageLabelSkinDataName);
  label->SetSkinData(FCtrlSkinData);
  label->SetAutoSize(true);
  label->SetCaption(text);
  label->SetBounds(kTextLeft, kTextTop, label->Width(), label->Height());
  // A text too wide for the screen is not cut at its edge: it wraps (at
  // spaces, or between Chinese characters) and the box grows in height.
  const int frameWidth = form->Width() - form->ClientWidth();
  const int widest = frame->States().GetMaxWidth() - frameWidth - kTextLeft - 40;
  if (label->Width() > widest && widest > 0) {
    label->SetWidth(widest);
    label->SetWordWrap(true);
  }
  label->SetParent(form.get());
  const int textRight = label->Left() + label->Width();

  if (!custom) {
    auto* image = new TbsMessageImage(form.get());
    image->SetName("Image");
    image->Icon()->LoadSystemIcon(kKinds[kind].Icon, kMessageIconSize);
    image->SetBounds(5, std::max(10, label->Top() + label->Height() / 2 - 16), kMessageIconSize, kMessageIconSize);
    image->SetParent(form.get());
  }

  int clientHeight = buttonHeight + label->Height() + 50;
  int clientWidth = std::max(rowWidth, textRight) + 40;
  if (ShowAgainFlag) {
    clientHeight += 40;
    auto* box = new TbsSkinCheckRadioBox(form.get());
    box->SetName("checkbox");
    box->SetDefaultHeight(kCheckBoxHeight);
    box->SetChecked(!ShowAgainFlagValue);
    box->SetDefaultFont(FDefaultFont.get());
    box->SetUseSkinFont(UseSkinFont);
    box->SetCaption(ResourceText("MSG_CAP_SHOWFLAG", "不再显示该信息"));
    TFont measureFont;
    measureFont.Assign(FDefaultFont.get());
    if (TbsSkinData* skin = LoadedSkin(FCtrlSkinData); skin && UseSkinFont) {
      const int index = skin->FindControlRecord(box->SkinDataName());
      if (const auto* record =
              index == -1 ? nullptr : dynamic_cast<const TbsDataSkinCheckRadioControl*>(skin->ControlRecord(index))) {
        measureFont.SetName(record->FontName);
        measureFont.SetHeight(record->FontHeight);
        measureFont.SetStyle(record->FontStyle);
      }
    }
    const int textWidth = TextWidthIn(measureFont, box->Caption());
    clientWidth = std::max(clientWidth, textWidth + 60);
    box->SetBounds(5, clientHeight - buttonHeight - 50, textWidth + 55, kCheckBoxHeight);
    box->SetSkinData(FCtrlSkinData);
    box->SetParent(form.get());
  }
  form->SetClientHeight(clientHeight);
  form->SetClientWidth(clientWidth);

  // Never wider than the frame allows, nor narrower.
  if (form->Width() > frame->States().GetMaxWidth()) form->SetWidth(frame->States().GetMaxWidth());
  if (form->Width() < frame->States().GetMinWidth()) form->SetWidth(frame->States().GetMinWidth());

  const auto pick = [&](TMsgDlgBtn first, TMsgDlgBtn second, TMsgDlgBtn third) {
    const TMsgDlgBtn chosen = buttons.Contains(first) ? first : buttons.Contains(second) ? second : third;
    return buttons.Contains(chosen) ? int(chosen) : -1;
  };
  const int defaultButton = pick(mbOK, mbYes, mbRetry);
  const int cancelButton = pick(mbCancel, mbNo, mbOK);

  const int top = form->ClientRect().Bottom - buttonHeight - 10;
  int x = (form->ClientRect().Right - rowWidth) / 2;
  TCustomForm* owner = form.get();
  for (size_t bit = 0; bit < kButtons.size(); ++bit) {
    if (!buttons.Contains(TMsgDlgBtn(bit))) continue;
    const TButtonText& entry = kButtons[bit];
    auto* button = new TbsSkinButton(form.get());
    button->SetName(entry.Name);
    button->SetCaption(ResourceText(entry.Key, entry.Caption));
    button->SetCanFocused(true);
    button->SetModalResult(entry.Result);
    button->SetDefault(int(bit) == defaultButton);
    button->SetCancel(int(bit) == cancelButton);
    button->SetDefaultHeight(buttonHeight);
    button->SetBounds(x, top, kMessageButtonWidth, buttonHeight);
    button->SetDefaultFont(FDefaultButtonFont.get());
    button->SetUseSkinFont(UseSkinFont);
    button->SetSkinDataName(ButtonSkinDataName);
    button->SetSkinData(FCtrlSkinData);
    if (TMsgDlgBtn(bit) == mbHelp)
      button->OnClick = [owner](TObject*) {
        if (Application) Application->HelpContext(owner->HelpContext());
      };
    button->SetParent(form.get());
    // The default button starts with the focus, so Enter presses it.
    if (int(bit) == defaultButton) form->SetActiveControl(button);
    x += kMessageButtonWidth + kButtonGap;
  }
  return form;
}

int32_t TbsSkinMessage::ShowMessageBox(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                                       int32_t helpContext) {
  const std::unique_ptr<TbsMessageForm> form = CreateMessageForm(text, kind, buttons);
  form->SetHelpContext(helpContext);
  const TModalResult result = form->ShowModal();
  if (auto* box = dynamic_cast<TbsSkinCheckRadioBox*>(form->FindComponent("checkbox")))
    ShowAgainFlagValue = !box->Checked();
  return result;
}

// ---- The error report -----------------------------------------------------------------------

namespace {

template <typename T>
T* FirstComponent(TComponent* owner) {
  for (int i = 0; i < owner->ComponentCount(); ++i)
    if (auto* found = dynamic_cast<T*>(owner->Components(i))) return found;
  return nullptr;
}

// The form whose skin a report takes: the main form, or, while the main
// form is still being made (its create handler reporting a missing list),
// the first form that has a skin already.
TCustomForm* SkinnedReportForm() {
  if (TCustomForm* main = Application ? Application->MainForm() : nullptr) return main;
  if (!Screen) return nullptr;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* form = Screen->Forms(i);
    const TbsSkinForm* frame = FirstComponent<TbsSkinForm>(form);
    if (frame && LoadedSkin(frame->SkinData())) return form;
  }
  return nullptr;
}

bool ShowSkinnedException(const std::string& caption, const std::string& text) {
  TCustomForm* main = SkinnedReportForm();
  if (!main) return false;
  const TbsSkinMessage* message = FirstComponent<TbsSkinMessage>(main);
  const TbsSkinForm* frame = FirstComponent<TbsSkinForm>(main);
  TbsSkinData* frameSkin = frame ? LoadedSkin(frame->SkinData()) : nullptr;
  TbsSkinData* skin = message && LoadedSkin(message->SkinData()) ? message->SkinData() : frameSkin;
  TbsSkinData* ctrlSkin = message && LoadedSkin(message->CtrlSkinData()) ? message->CtrlSkinData() : skin;
  if (!skin && !ctrlSkin) return false;

  // A box of its own: the report must not touch the program's show-again flag.
  TbsSkinMessage report(nullptr);
  if (message) {
    report.ButtonSkinDataName = message->ButtonSkinDataName;
    report.MessageLabelSkinDataName = message->MessageLabelSkinDataName;
    report.SetDefaultFont(message->DefaultFont());
    report.SetDefaultButtonFont(message->DefaultButtonFont());
    report.UseSkinFont = message->UseSkinFont;
    report.AlphaBlend = message->AlphaBlend;
    report.AlphaBlendAnimation = message->AlphaBlendAnimation;
    report.AlphaBlendValue = message->AlphaBlendValue;
  }
  report.SetSkinData(skin);
  report.SetCtrlSkinData(ctrlSkin);
  const std::unique_ptr<TbsMessageForm> form = report.CreateMessageForm(text, mtCustom, {mbOK}, &caption);
  form->ShowModal();
  return true;
}

}  // namespace

void InstallSkinnedExceptionReport(TApplication& application) {
  if (!application.ExceptionReporter()) application.SetExceptionReporter(&ShowSkinnedException);
}

void RegisterSkinDialogClasses() {
  static const bool registered = [] {
    RegisterClasses({TbsSkinMessage::StaticClass(), TSkinManager::StaticClass()});
    RegisterSkinShellClasses();
    return true;
  }();
  (void)registered;
}

}  // namespace kora

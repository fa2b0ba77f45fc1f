#pragma once
// The skinned message box: TbsSkinMessage builds a TbsMessageForm with its
// own skinned frame, the text in a skinned label beside the kind's system
// icon, a row of skinned buttons and, if asked, a check box that lets the
// user hide the message in future, and shows it modally. The application's
// default error report goes through it once the main form has a skin.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/forms/Forms.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/form/bsSkinForm.h"

namespace kora {

// The kind of a message: its caption and icon.
enum TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
const TTypeInfo* TypeInfoOf(TMsgDlgType);

// The buttons, in the order they stand from left to right.
enum TMsgDlgBtn : uint8_t {
  mbYes,
  mbNo,
  mbOK,
  mbCancel,
  mbAbort,
  mbRetry,
  mbIgnore,
  mbAll,
  mbNoToAll,
  mbYesToAll,
  mbHelp
};
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
const TTypeInfo* TypeInfoOf(TMsgDlgBtn);
const TTypeInfo* TypeInfoOf(TMsgDlgButtons);

constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

// The kind's system icon, drawn at its size.
class TbsMessageImage : public TGraphicControl {
  KORA_CLASS(TbsMessageImage, TGraphicControl)

  explicit TbsMessageImage(TComponent* owner);

  TIcon* Icon() const { return FIcon.get(); }

protected:
  void Paint() override;

private:
  std::unique_ptr<TIcon> FIcon;
};

// The window of one message: no stored layout, a dialog border, centred on
// the screen, key preview on, and a skinned frame without caption buttons
// other than the close button.
class TbsMessageForm : public TForm {
  KORA_CLASS(TbsMessageForm, TForm)

  explicit TbsMessageForm(TComponent* owner);

  TbsSkinForm* SkinForm() const { return FSkinForm; }

private:
  TbsSkinForm* FSkinForm;
};

class TbsSkinMessage : public TComponent {
  KORA_CLASS(TbsSkinMessage, TComponent)

  // Also installs the skinned error report in the application (once).
  explicit TbsSkinMessage(TComponent* owner);
  ~TbsSkinMessage() override;

  // The message window's frame. Not owned; a removed skin data is forgotten.
  TbsSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TbsSkinData* value);
  // The label, buttons and check box, and the source of the texts.
  TbsSkinData* CtrlSkinData() const { return FCtrlSkinData; }
  void SetCtrlSkinData(TbsSkinData* value);
  std::string ButtonSkinDataName = "button";
  std::string MessageLabelSkinDataName = "stdlabel";
  // The text and check box font / the buttons' font; setting copies.
  TFont* DefaultFont() const { return FDefaultFont.get(); }
  void SetDefaultFont(const TFont* value) { FDefaultFont->Assign(value); }
  TFont* DefaultButtonFont() const { return FDefaultButtonFont.get(); }
  void SetDefaultButtonFont(const TFont* value) { FDefaultButtonFont->Assign(value); }
  bool UseSkinFont = false;
  // Passed to the frame.
  bool AlphaBlend = false;
  bool AlphaBlendAnimation = false;
  uint8_t AlphaBlendValue = 200;
  // Shows the check box "不再显示该信息". ShowAgainFlagValue: before
  // showing, the box starts checked when it is false; afterwards it is true
  // when the user left the box unchecked.
  bool ShowAgainFlag = false;
  bool ShowAgainFlagValue = false;

  // Shows the message modally and returns the modal result of the button
  // that closed it (mrCancel when the frame closed it). Kinds past mtCustom
  // count as mtCustom; bits past mbHelp are ignored.
  int32_t ShowMessageBox(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons, int32_t helpContext);

  // The box as ShowMessageBox shows it, laid out but not shown; the caller
  // owns it. A caption other than null replaces the kind's caption.
  std::unique_ptr<TbsMessageForm> CreateMessageForm(const std::string& text, TMsgDlgType kind, TMsgDlgButtons buttons,
                                                    const std::string* caption = nullptr);

  // The buttons' height: the button record's skin rectangle, else 25.
  int ButtonHeight() const;
  // A text of the message box: the control skin's string under key, else
  // the built-in Chinese one.
  std::string ResourceText(const char* key, const char* builtIn) const;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  TbsSkinData* FSkinData = nullptr;
  TbsSkinData* FCtrlSkinData = nullptr;
  std::unique_ptr<TFont> FDefaultFont;
  std::unique_ptr<TFont> FDefaultButtonFont;
};

// The application's default error report in the skinned message box: the
// application's title as caption, the message and one OK button, with the
// look of the main form (its TbsSkinMessage's skins and fonts, else its
// frame's skin). A main form without a skin keeps the plain window.
void InstallSkinnedExceptionReport(TApplication& application);

// Makes the dialogs' classes known by name to the form reader.
void RegisterSkinDialogClasses();

}  // namespace kora

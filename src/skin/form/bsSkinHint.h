#pragma once
// Skinned hints: TbsSkinHint makes the application's hint window a skinned
// one drawn from the skin's [HINTWINDOW] section and shows the hints of the
// frame's objects; TbsSkinHintWindow is that window.

#include <cstdint>
#include <memory>
#include <string>

#include "framework/controls/ExtCtrls.h"
#include "framework/forms/Forms.h"
#include "skin/data/bsSkinData.h"
#include "skin/form/bsSkinForm.h"

namespace kora {

class TbsSkinHint;

// The application's hint window while a TbsSkinHint exists: the skin of
// the first active TbsSkinHint, or the default look.
class TbsSkinHintWindow : public THintWindow {
  KORA_CLASS(TbsSkinHintWindow, THintWindow)

  explicit TbsSkinHintWindow(TComponent* owner);
  ~TbsSkinHintWindow() override;

  // The size of the window for the text at (0, 0).
  RECT CalcHintRect(int maxWidth, const std::string& hint, void* data) override;
  // Shows the text with its top-left at rect's; a window passing the
  // screen's right or bottom edge moves left by its width + 2 or up by
  // its height + 2.
  void ActivateHintData(RECT rect, const std::string& hint, void* data) override;

  // The hint component this window takes its looks from; null for the
  // first active one of the application.
  void SetHintComponent(TbsSkinHint* value) { FHint = value; }

  // Null for the default look.
  TbsSkinData* Skin() const { return FSkin; }
  POINT FitTopLeftMark, FitTopRightMark, FitBottomLeftMark, FitBottomRightMark;
  RECT FitInnerRect;
  // The layered state last applied.
  bool AlphaApplied = false;
  uint8_t AlphaValue = 255;

protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;

private:
  // The skin, the font and the geometry for a text; returns the size.
  SIZE Prepare(const std::string& hint);
  TbsSkinHint* Source() const;
  void ApplyShape(SIZE size);

  TbsSkinHint* FHint = nullptr;
  TbsSkinData* FSkin = nullptr;
  SIZE FTextSize{};
};

class TbsSkinHint : public TComponent, public IbsFrameHint {
  KORA_CLASS(TbsSkinHint, TComponent)

  explicit TbsSkinHint(TComponent* owner);
  ~TbsSkinHint() override;

  TbsSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TbsSkinData* value);
  // Activating one hint component deactivates the others on the
  // application's main form.
  bool Active() const { return FActive; }
  void SetActive(bool value);
  bool AlphaBlend = false;
  uint8_t AlphaBlendValue = 200;
  TFont* DefaultFont() const { return FDefaultFont.get(); }
  void SetDefaultFont(const TFont* value);
  bool UseSkinFont = false;
  // Relayed from the application's show-hint notification.
  TShowHintEvent OnShowHint;

  // ---- Object hints of the frame ----
  // After the application's hint pause the text shows at the cursor; after
  // its hide pause it goes again.
  void ShowObjectHint(const std::string& text) override;
  void HideObjectHint() override;
  bool ObjectHintShowing() const override;
  // The window object hints are shown in.
  TbsSkinHintWindow* HintWindow() const { return FHintWindow; }
  // Shows a text now, top-left at a screen point.
  void ActivateHint(POINT at, const std::string& text);

  // The active hint component the hint windows use: the first found on
  // the application's main form, else the first of all; null when none.
  static TbsSkinHint* Current();

protected:
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  void InstallHintClass();
  void HintTimer();

  TbsSkinData* FSkinData = nullptr;
  bool FActive = true;
  std::unique_ptr<TFont> FDefaultFont;
  TbsSkinHintWindow* FHintWindow = nullptr;  // owned as a component
  std::string FPendingText;
  bool FShowPending = false;
  std::unique_ptr<TTimer> FTimer;
};

// Registers the hint classes by name for form descriptions.
void RegisterSkinHintClasses();

}  // namespace kora

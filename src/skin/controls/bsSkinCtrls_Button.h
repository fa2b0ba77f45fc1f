#pragma once
// The skinned push button. It also serves as a toggle button in a group of
// sibling buttons and as an auto-repeat button; it cross-fades between its
// normal and hot looks, plays the skin's frame animation, and answers the
// dialog's Enter (the default button) and Escape (the cancel button).

#include <memory>

#include "framework/controls/ExtCtrls.h"
#include "framework/forms/Forms.h"
#include "framework/graphics/ImgList.h"
#include "skin/controls/bsSkinCtrls_Control.h"

namespace kora {

class TbsDataSkinButtonControl;

// Where the glyph stands relative to the caption.
enum TbsButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
const TTypeInfo* TypeInfoOf(TbsButtonLayout);

// The top-left corners of a glyph and a caption of the given sizes laid out
// in area. A margin of -1 centres both as one block; otherwise the glyph
// stands margin pixels from its edge and the caption spacing pixels from it.
struct TbsButtonContent {
  POINT Glyph;
  POINT Text;
};
TbsButtonContent PlaceButtonContent(const RECT& area, SIZE glyph, SIZE text, TbsButtonLayout layout, int margin,
                                    int spacing);

class TbsSkinButton : public TbsSkinCustomControl {
  KORA_CLASS(TbsSkinButton, TbsSkinCustomControl)

  explicit TbsSkinButton(TComponent* owner);
  ~TbsSkinButton() override;

  // ---- Glyph, image and layout ----
  // NumGlyphs equal-width frames side by side: normal, disabled, down, hot.
  // Owned; setting copies.
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(const TBitmap* value);
  int32_t NumGlyphs() const { return FNumGlyphs; }
  // Kept within 1..4.
  void SetNumGlyphs(int32_t value);
  // Drawn instead of the glyph while ImageIndex names one of its images.
  // Not owned; a removed list is forgotten.
  TCustomImageList* ImageList() const { return FImageList; }
  void SetImageList(TCustomImageList* value);
  int32_t ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int32_t value);
  TbsButtonLayout Layout() const { return FLayout; }
  void SetLayout(TbsButtonLayout value);
  // -1 centres glyph and caption together; values below -1 are refused.
  int32_t Margin() const { return FMargin; }
  void SetMargin(int32_t value);
  int32_t Spacing() const { return FSpacing; }
  void SetSpacing(int32_t value);

  // ---- Look ----
  // Take the size from the skin record; off, the button sizes freely and
  // stays rectangular.
  bool UseSkinSize() const { return FUseSkinSize; }
  void SetUseSkinSize(bool value);
  // Off: DefaultFont's colour while enabled instead of the record's colours.
  bool UseSkinFontColor() const { return FUseSkinFontColor; }
  void SetUseSkinFontColor(bool value);

  // ---- Behaviour ----
  // Held down, the button clicks every RepeatInterval milliseconds.
  bool RepeatMode() const { return FRepeatMode; }
  void SetRepeatMode(bool value) { FRepeatMode = value; }
  int32_t RepeatInterval() const { return FRepeatInterval; }
  void SetRepeatInterval(int32_t value) { FRepeatInterval = value; }
  // Non-zero: a toggle button among the siblings of the same index (and no
  // longer focusable).
  int32_t GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int32_t value);
  // A group member that is down comes up again when clicked.
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool value) { FAllowAllUp = value; }
  // Setting a group member down sets the others up unless AllowAllUp.
  bool Down() const { return FDown; }
  void SetDown(bool value);
  // Whether the button takes the focus and the keyboard; follows into TabStop.
  bool CanFocused() const { return FCanFocused; }
  void SetCanFocused(bool value);
  // Enter anywhere in the form clicks the default button unless another
  // button has the focus; Escape clicks a cancel button.
  bool Default() const { return FDefault; }
  void SetDefault(bool value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool value) { FCancel = value; }
  // Given to the parent form on every click of a focusable button.
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult value) { FModalResult = value; }

  // ---- State, as the looks see it ----
  // The pointer is over the button, or the default button stands in for
  // an edit that has the focus.
  bool MouseIn() const { return FMouseIn; }
  bool MousePressed() const { return FMousePressed; }
  // This button answers Enter as the dialog's default.
  bool DefaultActive() const { return FDefaultActive; }
  // The cross-fade from the normal (0) to the hot look (1).
  double MorphFactor() const { return FMorphFactor; }
  // The frame of the skin's animation shown now; 0 while none runs.
  int32_t AnimFrame() const { return FAnimFrame; }

  // Draws the skinned look from one state rectangle of the skin picture.
  virtual void ComposeButtonImage(TBitmap* bitmap, const RECT& rect, bool active, bool down);
  // A click: the modal result to the form, then OnClick.
  virtual void ButtonClick();

  void ResolveSkinRecord() override;
  void PaintDefaultLook(TBitmap* bitmap) override;
  void PaintSkinLook(TBitmap* bitmap) override;
  void ApplySkinChange() override;
  void FitSizeToSkin(int& width, int& height) override;

  // The state rectangles of the bound record.
  RECT HotSourceRect{}, DownSourceRect{}, DisabledSourceRect{};

protected:
  void WndProc(TMessage& message) override;
  void CreateWnd() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyUp(WORD& key, TShiftState shift) override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  // Skin effects run, and the record asks for the cross-fade / has frames.
  bool EffectsOn() const;
  bool MorphingOn() const;
  bool Animated() const;
  // Has the focus and may take it.
  bool IsFocused() const;
  bool ImageValid() const;
  SIZE GlyphSize() const;
  int GlyphFrame(bool active, bool down) const;
  // Cross-fades when the skin asks for it, else repaints.
  void RefreshState();
  // Whether the pointer coming or going changes the look.
  bool HoverChangesLook() const;

  void MouseEntered();
  void MouseLeft();
  void FocusGained();
  void FocusLost();
  void FocusMoved(TWinControl* focused);
  void EnabledChanged();
  bool DialogKeyPressed(WORD key, TShiftState shift);
  bool AcceleratorPressed(char32_t key);

  void StartMorph();
  void StopMorph();
  void MorphTick();
  void StartFrameAnimation(bool forward);
  void StopFrameAnimation();
  void FrameTick();
  void StartRepeat();
  void StopRepeat();

  // The glyph (or image) and caption in area; the button's font is on the canvas.
  void DrawContent(TCanvas* canvas, const RECT& area, bool active, bool down, bool shifted, bool allowImage);
  // The whole look into dc, as a paint would put it on the window.
  void PaintInto(HDC dc);
  void CopyRecord(const TbsDataSkinButtonControl* record);

  std::unique_ptr<TBitmap> FGlyph;
  int32_t FNumGlyphs = 1;
  TCustomImageList* FImageList = nullptr;
  int32_t FImageIndex = -1;
  TbsButtonLayout FLayout = blGlyphLeft;
  int32_t FMargin = -1;
  int32_t FSpacing = 1;
  bool FUseSkinSize = true;
  bool FUseSkinFontColor = true;
  bool FRepeatMode = false;
  int32_t FRepeatInterval = 100;
  int32_t FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FDown = false;
  bool FCanFocused = true;
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;

  bool FMouseIn = false;
  bool FMousePressed = false;
  bool FDefaultActive = false;
  bool FCanRelease = false;
  double FMorphFactor = 0;
  int32_t FAnimFrame = 0;
  bool FAnimForward = true;
  std::unique_ptr<TTimer> FMorphTimer;
  std::unique_ptr<TTimer> FFrameTimer;
  std::unique_ptr<TTimer> FRepeatTimer;

  // Copied from the record.
  std::string FFontName;
  int32_t FFontHeight = 0;
  TFontStyles FFontStyle;
  TColor FFontColor = 0, FActiveFontColor = 0, FDownFontColor = 0, FDisabledFontColor = 0;
  bool FMorphing = false;
  int FMorphKind = 0;
  RECT FAnimateRect{};
  int32_t FFrameCount = 0;
  int32_t FAnimateInterval = 25;
  bool FShowFocus = false;
};

}  // namespace kora

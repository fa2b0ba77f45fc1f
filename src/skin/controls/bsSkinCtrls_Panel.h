#pragma once
// Skinned containers: the panel, with an optional caption bar that can hold
// a check box and fold the panel to its caption, and the group box, a panel
// with its caption bar on and its own record.

#include <memory>
#include <string>
#include <vector>

#include "framework/controls/Alignment.h"
#include "framework/graphics/ImgList.h"
#include "skin/controls/bsSkinCtrls_Control.h"

namespace kora {

// The border of the default look.
enum TbsSkinBorderStyle : uint8_t { bvFrame, bvRaised, bvLowered, bvNone };
const TTypeInfo* TypeInfoOf(TbsSkinBorderStyle);

class TbsSkinPanel : public TbsSkinCustomControl {
  KORA_CLASS(TbsSkinPanel, TbsSkinCustomControl)

  explicit TbsSkinPanel(TComponent* owner);
  ~TbsSkinPanel() override;

  TbsSkinBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TbsSkinBorderStyle value);
  bool CaptionMode() const { return FCaptionMode; }
  void SetCaptionMode(bool value);
  // The caption bar's height in the default look.
  int32_t DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
  void SetDefaultCaptionHeight(int32_t value);
  TAlignment DefaultAlignment() const { return FDefaultAlignment; }
  void SetDefaultAlignment(TAlignment value);
  // Drawn before the caption; with NumGlyphs 2 the second frame is the
  // disabled look. Owned; setting copies.
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(const TBitmap* value);
  int32_t NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int32_t value);
  // The gap between the glyph (or caption image) and the text.
  int32_t Spacing() const { return FSpacing; }
  void SetSpacing(int32_t value);
  // The caption image when there is no glyph. Not owned; a removed list is
  // forgotten.
  TCustomImageList* CaptionImageList() const { return FCaptionImageList; }
  void SetCaptionImageList(TCustomImageList* value);
  int32_t CaptionImageIndex() const { return FCaptionImageIndex; }
  void SetCaptionImageIndex(int32_t value);

  // A check box in the caption bar; a click on the caption toggles Checked.
  bool CheckedMode() const { return FCheckedMode; }
  void SetCheckedMode(bool value);
  bool Checked() const { return FChecked; }
  // Raises OnChecked on every assignment, changed or not.
  void SetChecked(bool value);
  // Whether Checked (in CheckedMode) enables and disables the children.
  bool AutoEnabledControls() const { return FAutoEnabledControls; }
  void SetAutoEnabledControls(bool value) { FAutoEnabledControls = value; }

  // A click on the caption folds the panel to its caption bar and back.
  bool RollUpMode() const { return FRollUpMode; }
  void SetRollUpMode(bool value);
  bool RollUpState() const { return FRollUpState; }
  void SetRollUpState(bool value);
  // The height before folding; -1 while unfolded.
  int32_t RealHeight() const { return FRealHeight; }
  void SetRealHeight(int32_t value) { FRealHeight = value; }

  TNotifyEvent OnChecked;
  TNotifyEvent OnChangeRollUpState;

  // Where the skinned caption bar lies at the current size: the record's
  // caption rectangle moved with the control's stretching.
  RECT SkinCaptionArea() const;

  void ResolveSkinRecord() override;
  void PaintDefaultLook(TBitmap* bitmap) override;
  void PaintSkinLook(TBitmap* bitmap) override;
  void ApplySkinChange() override;
  void SetBounds(int left, int top, int width, int height) override;
  void AdjustClientRect(RECT& rect) const override;

  // Copies of the bound panel record.
  int32_t BGPictureIndex = -1;
  RECT SkinCaptionRect{};
  TAlignment SkinAlignment = taLeftJustify;
  TbsSkinFontFields SkinFont;
  RECT CheckImageRect{}, UnCheckImageRect{}, MarkFrameRect{};
  RECT FrameRect{}, FrameTextRect{};
  int32_t FrameLeftOffset = 0, FrameRightOffset = 0;

protected:
  void Paint() override;
  void WndProc(TMessage& message) override;
  void CreateParams(TCreateParams& params) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void TextChanged() override;
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;

private:
  // The caption image or glyph: its size (0 x 0 when none) and drawing.
  SIZE CaptionImageSize() const;
  void DrawCaptionImage(TCanvas* canvas, int x, const RECT& work);
  // Text and image of the caption, the block starting at x.
  void DrawCaptionBlock(TCanvas* canvas, const RECT& work, int x, int textX);
  void DrawSkinCaption(TCanvas* canvas);
  void DrawDefaultCaption(TCanvas* canvas);
  // Repeats the record's client piece (or a whole picture) from (0, 0)
  // over width x height of the canvas.
  void TilePicture(TCanvas* canvas, TBitmap* picture, const RECT& piece, int width, int height);
  RECT TransferRect(const RECT& rect) const;
  // The height of the folded panel at the current skin.
  int FoldedHeight();
  void Fold();
  void Unfold();
  void SuspendChildren();
  void RestoreConstraints();

  TbsSkinBorderStyle FBorderStyle = bvFrame;
  bool FCaptionMode = false;
  int32_t FDefaultCaptionHeight = 22;
  TAlignment FDefaultAlignment = taLeftJustify;
  std::unique_ptr<TBitmap> FGlyph;
  int32_t FNumGlyphs = 1;
  int32_t FSpacing = 2;
  TCustomImageList* FCaptionImageList = nullptr;
  int32_t FCaptionImageIndex = -1;
  bool FCheckedMode = false;
  bool FChecked = false;
  bool FAutoEnabledControls = true;
  bool FRollUpMode = false;
  bool FRollUpState = false;
  int32_t FRealHeight = -1;
  // While folded: the constraints the panel had, alignment held off, and
  // the children that folding hid.
  bool FConstraintsSaved = false;
  int FSavedMaxWidth = 0, FSavedMinWidth = 0, FSavedMaxHeight = 0, FSavedMinHeight = 0;
  bool FAlignSuspended = false;
  std::vector<TControl*> FHiddenChildren;
};

class TbsSkinGroupBox : public TbsSkinPanel {
  KORA_CLASS(TbsSkinGroupBox, TbsSkinPanel)

  explicit TbsSkinGroupBox(TComponent* owner);
};

}  // namespace kora

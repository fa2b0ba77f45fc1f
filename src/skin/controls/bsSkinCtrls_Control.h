#pragma once
// The two bases of every skinned windowed control. A control finds its
// record in one TbsSkinData by SkinDataName at every paint, resize and
// skin change, sizes itself to the record's geometry, takes its window
// shape from the record's mask and paints through one off-screen bitmap of
// its size: from the skin while bound, in its built-in look otherwise.

#include <string>

#include "framework/controls/Controls.h"
#include "skin/data/bsSkinData.h"
#include "skin/data/bsUtils.h"

namespace kora {

// A control bound to a skin. The skin's change notices reach it through
// whoever owns the form's frame, which walks every control of the form.
class IbsSkinNoticeTarget {
public:
  virtual ~IbsSkinNoticeTarget() = default;
  // SKINMSG_SKIN_CHANGING or SKINMSG_SKIN_CHANGED from `sender`; a null
  // sender speaks for every skin.
  virtual void SkinNotice(UINT message, TbsSkinData* sender) = 0;
};

// Hands a skin change notice to every skin-bound control under root (root
// included), parents before their children.
void RelaySkinNotice(TControl* root, UINT message, TbsSkinData* sender);

// The character set a skinned text uses: the skin's string table's when it
// has one attached, else the fallback font's.
TFontCharset SkinTextCharset(const TbsSkinData* skin, const TFont* fallback);

class TbsSkinControl : public TCustomControl, public IbsSkinNoticeTarget {
  KORA_CLASS(TbsSkinControl, TCustomControl)

  explicit TbsSkinControl(TComponent* owner);
  ~TbsSkinControl() override;

  // Null: no skin (the default look). Not owned; a removed skin data is
  // forgotten.
  TbsSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TbsSkinData* value) { StoreSkinData(value); }
  // The record's name; setting it alone repaints nothing.
  const std::string& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const std::string& value) { StoreSkinDataName(value); }
  // The bound record's index in the skin's control records; -1 when unbound.
  int32_t RecordIndex() const { return FRecordIndex; }
  // True only while the control handles a paint message of the window system.
  bool InSystemPaint() const { return FInSystemPaint; }

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // Looks the record up again (the subclasses copy its values).
  virtual void ResolveSkinRecord();
  virtual void StoreSkinDataName(const std::string& value);
  virtual void StoreSkinData(TbsSkinData* value);
  // Draw into a bitmap of the control's size.
  virtual void PaintDefaultLook(TBitmap* bitmap);
  virtual void PaintSkinLook(TBitmap* bitmap);
  // After the skin changed / before it changes.
  virtual void ApplySkinChange();
  virtual void PrepareSkinChange();

  void SkinNotice(UINT message, TbsSkinData* sender) override;

protected:
  void Paint() override;
  void WndProc(TMessage& message) override;
  void Notification(TComponent* component, TOperation operation) override;
  bool Designing() const { return ComponentState().Contains(csDesigning); }
  // The bound record, null when unbound.
  const TbsDataSkinControl* SkinRecord() const;

  // The region set as the window's shape, owned; null when none.
  HRGN ShapeRegion;

private:
  TbsSkinData* FSkinData = nullptr;
  std::string FSkinDataName;
  int32_t FRecordIndex = -1;
  bool FInSystemPaint = false;

  friend class TbsSkinCustomControl;
};

class TbsSkinCustomControl : public TbsSkinControl {
  KORA_CLASS(TbsSkinCustomControl, TbsSkinControl)

  explicit TbsSkinCustomControl(TComponent* owner);
  ~TbsSkinCustomControl() override;

  // The size applied on a skin change while unbound; 0 keeps the size.
  int32_t DefaultWidth() const { return FDefaultWidth; }
  void SetDefaultWidth(int32_t value);
  int32_t DefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int32_t value);
  // The font of the default look, and of the skinned one unless UseSkinFont.
  TFont* DefaultFont() const { return FDefaultFont.get(); }
  void SetDefaultFont(const TFont* value);
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool value) { FUseSkinFont = value; }

  void ResolveSkinRecord() override;
  void PaintDefaultLook(TBitmap* bitmap) override;
  void PaintSkinLook(TBitmap* bitmap) override;
  void ApplySkinChange() override;
  void SetBounds(int left, int top, int width, int height) override;

  // Hook run whenever DefaultFont changes.
  virtual void DefaultFontUpdated() {}
  // Adjusts a requested size to the skin and fits the geometry to it.
  virtual void FitSizeToSkin(int& width, int& height);
  // Sets the window's shape from the mask, or removes it.
  virtual void UpdateWindowShape();

  // The cached record geometry (relative to SourceRect's top-left).
  POINT TopLeftMark{}, TopRightMark{}, BottomLeftMark{}, BottomRightMark{};
  RECT SourceRect{}, InnerRect{};
  // The same geometry fitted to the current size.
  POINT FitTopLeftMark{}, FitTopRightMark{}, FitBottomLeftMark{}, FitBottomRightMark{};
  RECT FitInnerRect{};
  // Entries of the skin's picture list; not owned, null when absent.
  TBitmap* Picture = nullptr;
  TBitmap* ShapeMask = nullptr;
  // -1 empty skin rectangle, 0 fixed size, 1 both ways, 2 across only, 3 down only.
  int32_t SizingMode = 0;
  bool StretchMiddle = false;
  bool StretchLeftEdge = false, StretchTopEdge = false, StretchRightEdge = false, StretchBottomEdge = false;

protected:
  void Paint() override;
  void CreateWnd() override;
  // Panels and group boxes: border bands composed, the interior tiled
  // straight onto the window under a clip.
  bool ContainerPaint = false;
  bool TileInterior = true;

  TbsSkinGeometry Geometry() const { return {TopLeftMark, TopRightMark, BottomLeftMark, BottomRightMark, InnerRect}; }
  TbsSkinGeometry FitGeometry() const {
    return {FitTopLeftMark, FitTopRightMark, FitBottomLeftMark, FitBottomRightMark, FitInnerRect};
  }
  TbsStretchFlags StretchFlags() const {
    return {StretchLeftEdge, StretchTopEdge, StretchRightEdge, StretchBottomEdge, StretchMiddle};
  }
  // Only the horizontal part of FitSizeToSkin, for controls whose height
  // the skin does not fix.
  void FitHorizontally(int width);
  // The container look: bands around the tiled interior.
  void PaintContainer();

private:
  void DefaultFontChanged(TObject* sender);

  int32_t FDefaultWidth = 0;
  int32_t FDefaultHeight = 0;
  std::unique_ptr<TFont> FDefaultFont;
  bool FUseSkinFont = false;
};

}  // namespace kora

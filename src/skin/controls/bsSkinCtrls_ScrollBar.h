#pragma once
// TbsSkinScrollBar: a scroll bar drawn from a "vscrollbar" or "hscrollbar"
// record (its arrow buttons, track and thumb with their hot and pressed
// pieces), or in the built-in look. Arrows and the track repeat while held
// (first after 500 ms, then every 100 ms); the thumb is dragged.

#include <cstdint>
#include <string>

#include "skin/controls/bsSkinCtrls_Control.h"

namespace kora {

enum TScrollBarKind : uint8_t { sbHorizontal, sbVertical };
const TTypeInfo* TypeInfoOf(TScrollBarKind);

class TbsSkinScrollBar : public TbsSkinCustomControl {
  KORA_CLASS(TbsSkinScrollBar, TbsSkinCustomControl)

  explicit TbsSkinScrollBar(TComponent* owner);
  ~TbsSkinScrollBar() override;

  // Changing the kind also swaps the standard record names.
  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind value);
  int32_t Min() const { return FMin; }
  void SetMin(int32_t value) { SetParams(FPosition, value, FMax, FPageSize); }
  int32_t Max() const { return FMax; }
  void SetMax(int32_t value) { SetParams(FPosition, FMin, value, FPageSize); }
  // The first position of the page shown; at most Max - PageSize + 1.
  int32_t Position() const { return FPosition; }
  void SetPosition(int32_t value) { SetParams(value, FMin, FMax, FPageSize); }
  // Positions one page shows (0: no page, the thumb keeps its skin length).
  int32_t PageSize() const { return FPageSize; }
  void SetPageSize(int32_t value) { SetParams(FPosition, FMin, FMax, value); }
  int32_t SmallChange() const { return FSmallChange; }
  void SetSmallChange(int32_t value) { FSmallChange = value; }
  int32_t LargeChange() const { return FLargeChange; }
  void SetLargeChange(int32_t value) { FLargeChange = value; }
  // All at once; the position is pulled into the range. OnChange follows a
  // change of the position.
  void SetParams(int32_t position, int32_t min, int32_t max, int32_t pageSize);
  // The highest position a page allows.
  int32_t MaxPosition() const;
  // Thickness across the bar that the skin (or the default look) wants.
  int32_t SkinThickness();

  // The parts in client coordinates; an empty thumb when nothing scrolls.
  RECT UpButtonRect() const { return FUp; }
  RECT DownButtonRect() const { return FDown; }
  RECT TrackRect() const { return FTrack; }
  RECT ThumbRect() const { return FThumb; }

  TNotifyEvent OnChange;

  void ResolveSkinRecord() override;
  void PaintDefaultLook(TBitmap* bitmap) override;
  void PaintSkinLook(TBitmap* bitmap) override;
  void SetBounds(int left, int top, int width, int height) override;
  void PrepareSkinChange() override;
  void ApplySkinChange() override;

protected:
  void WndProc(TMessage& message) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  enum TPart { kNone, kUp, kDown, kPageUp, kPageDown, kThumb };

  bool Vertical() const { return FKind == sbVertical; }
  // Coordinates along and across the bar.
  int Along(POINT p) const { return Vertical() ? p.Y : p.X; }
  void Layout();
  TPart PartAt(int x, int y) const;
  void SetHot(TPart part);
  void StepPart(TPart part);
  void RepeatTick();
  void PaintThumbSkin(TBitmap* bitmap);

  TScrollBarKind FKind = sbHorizontal;
  int32_t FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0;
  int32_t FSmallChange = 1, FLargeChange = 1;
  RECT FUp{}, FDown{}, FTrack{}, FThumb{};
  TPart FHot = kNone;
  TPart FPressed = kNone;
  bool FFirstDelay = false;
  int FDragOffset = 0;
  POINT FLastMouse{};
  // A copy of the bound scroll-bar record; FHasRecord false without one.
  TbsDataSkinScrollBarControl FRecord{std::string()};
  bool FHasRecord = false;
};

}  // namespace kora

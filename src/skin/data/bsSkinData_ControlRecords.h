#pragma once
// The records of [SKINCONTROLS]: one per entry, holding the keys of the
// section named after it. Plain data; skinned controls copy what they need.
// Fields follow the read order of the keys, the ancestors' keys first.

#include <cstdint>
#include <string>

#include "framework/core/TypInfo.h"
#include "skin/data/bsSkinData_Values.h"

namespace kora {

// Its section is the one named IDName.
class TbsDataSkinControl : public TObject, public TbsSkinSectionRecord {
  KORA_CLASS(TbsDataSkinControl, TObject)

  explicit TbsDataSkinControl(std::string idName) : IDName(std::move(idName)) {}

  std::string IDName;
  int32_t PictureIndex = -1;
  int32_t MaskPictureIndex = -1;
  RECT SkinRect;

protected:
  std::string SectionName() const override { return IDName; }
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinCustomControl : public TbsDataSkinControl {
  KORA_SKIN_RECORD(TbsDataSkinCustomControl, TbsDataSkinControl)

  POINT LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
  RECT ClientRect;
  bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
  bool StretchEffect = false;
};

class TbsDataSkinMainMenuBar : public TbsDataSkinControl {
  KORA_SKIN_RECORD(TbsDataSkinMainMenuBar, TbsDataSkinControl)

  RECT ItemsRect;
  // Names of object records.
  std::string MenuBarItem, CloseButton, MinButton, MaxButton, SysMenuButton;
  TColor TrackMarkColor = 0, TrackMarkActiveColor = 0;
};

// Its corner points and client rectangle are always empty.
class TbsDataSkinUpDownControl : public TbsDataSkinCustomControl {
  KORA_SKIN_RECORD(TbsDataSkinUpDownControl, TbsDataSkinCustomControl)

  RECT UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
  RECT DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
};

class TbsDataSkinListBox : public TbsDataSkinCustomControl, public TbsSkinFontFields {
  KORA_SKIN_RECORD(TbsDataSkinListBox, TbsDataSkinCustomControl)

  RECT ItemRect, ActiveItemRect, FocusItemRect;
  int32_t ItemLeftOffset = 0, ItemRightOffset = 0;
  RECT ItemTextRect;
  TColor ActiveFontColor = 0, FocusFontColor = 0;
  RECT CaptionRect;
  std::string CaptionFontName = bsDefaultFontName;
  int32_t CaptionFontHeight = bsDefaultFontHeight;
  TFontStyles CaptionFontStyle;
  TColor CaptionFontColor = 0;
  TFontCharset CaptionFontCharset = bsDefaultFontCharset;
  RECT UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
  RECT DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
  RECT CheckButtonRect, ActiveCheckButtonRect, DownCheckButtonRect;
  // Names of the scroll bar control records.
  std::string VScrollBarName = "vscrollbar", HScrollBarName = "hscrollbar", BothScrollBarName = "bothhscrollbar";
  bool ShowFocus = false;
};

class TbsDataSkinCheckListBox : public TbsDataSkinListBox {
  KORA_SKIN_RECORD(TbsDataSkinCheckListBox, TbsDataSkinListBox)

  RECT ItemCheckRect, CheckImageRect, UnCheckImageRect;
};

class TbsDataSkinComboBox : public TbsDataSkinCustomControl, public TbsSkinFontFields {
  KORA_SKIN_RECORD(TbsDataSkinComboBox, TbsDataSkinCustomControl)

  RECT ActiveSkinRect, ItemRect, ActiveItemRect, FocusItemRect;
  int32_t ItemLeftOffset = 0, ItemRightOffset = 0;
  RECT ItemTextRect;
  TColor FocusFontColor = 0, ActiveFontColor = 0;
  // The list-box control record of the drop-down list.
  std::string ListBoxName;
  RECT ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
  bool ItemStretchEffect = false, FocusItemStretchEffect = false, ShowFocus = false;
};

class TbsDataSkinControlBar : public TbsDataSkinCustomControl {
  KORA_SKIN_RECORD(TbsDataSkinControlBar, TbsDataSkinCustomControl)

  RECT ItemRect;
  int32_t BGPictureIndex = -1;
  RECT HGripRect, VGripRect;
  int32_t GripOffset1 = 0, GripOffset2 = 0;
};

class TbsDataSkinSlider : public TbsDataSkinControl {
  KORA_SKIN_RECORD(TbsDataSkinSlider, TbsDataSkinControl)

  TColor BGColor = 0;
  RECT HRulerRect, HThumbRect, VRulerRect, VThumbRect;
  int32_t EdgeSize = 0;
  TColor PointsColor = 0;
};

class TbsDataSkinBevel : public TbsDataSkinControl {
  KORA_SKIN_RECORD(TbsDataSkinBevel, TbsDataSkinControl)

  TColor LightColor = 0, DarkColor = 0;
};

// The three text views share their keys.
#define KORA_SKIN_TEXT_VIEW_RECORD(Name)                             \
  class Name : public TbsDataSkinControl, public TbsSkinFontFields { \
    KORA_SKIN_RECORD(Name, TbsDataSkinControl)                       \
    TColor BGColor = 0;                                              \
  };
KORA_SKIN_TEXT_VIEW_RECORD(TbsDataSkinTreeView)
KORA_SKIN_TEXT_VIEW_RECORD(TbsDataSkinListView)
KORA_SKIN_TEXT_VIEW_RECORD(TbsDataSkinRichEdit)
#undef KORA_SKIN_TEXT_VIEW_RECORD

class TbsDataSkinTabControl : public TbsDataSkinControl, public TbsSkinFontFields {
  KORA_SKIN_RECORD(TbsDataSkinTabControl, TbsDataSkinControl)

  RECT TabRect, ActiveTabRect, FocusTabRect, MouseInTabRect, ClientRect;
  int32_t BGPictureIndex = -1;
  POINT LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
  int32_t TabLeftOffset = 0, TabRightOffset = 0;
  RECT TabsBGRect;
  bool TabStretchEffect = false, LeftStretch = false, TopStretch = false, RightStretch = false;
  bool BottomStretch = false;
  TColor ActiveFontColor = 0, FocusFontColor = 0, MouseInFontColor = 0;
  // The up-down control record of the tab scroller.
  std::string UpDown;
  bool ShowFocus = false;
  int32_t FocusOffsetX = 0, FocusOffsetY = 0;
};

class TbsDataSkinGridControl : public TbsDataSkinControl, public TbsSkinFontFields {
  KORA_SKIN_RECORD(TbsDataSkinGridControl, TbsDataSkinControl)

  RECT FixedCellRect, SelectCellRect, FocusCellRect;
  int32_t FixedCellLeftOffset = 0, FixedCellRightOffset = 0;
  RECT FixedCellTextRect;
  int32_t CellLeftOffset = 0, CellRightOffset = 0;
  RECT CellTextRect;
  TColor LinesColor = 0, BGColor = 0;
  TColor SelectFontColor = 0, FocusFontColor = 0;
  std::string FixedFontName = bsDefaultFontName;
  TFontCharset FixedFontCharset = bsDefaultFontCharset;
  int32_t FixedFontHeight = bsDefaultFontHeight;
  TFontStyles FixedFontStyle;
  TColor FixedFontColor = 0;
  bool CellStretchEffect = false, FixedCellStretchEffect = false, ShowFocus = false;
};

class TbsDataSkinSpinEditControl : public TbsDataSkinCustomControl, public TbsSkinFontFields {
  KORA_SKIN_RECORD(TbsDataSkinSpinEditControl, TbsDataSkinCustomControl)

  RECT ActiveSkinRect;
  TColor ActiveFontColor = 0, DisabledFontColor = 0;
  RECT UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
  RECT DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
};

class TbsDataSkinEditControl : public TbsDataSkinCustomControl, public TbsSkinFontFields {
  KORA_SKIN_RECORD(TbsDataSkinEditControl, TbsDataSkinCustomControl)

  RECT ActiveSkinRect;
  TColor DisabledFontColor = 0, ActiveFontColor = 0;
  RECT ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
};

class TbsDataSkinMemoControl : public TbsDataSkinEditControl {
  KORA_SKIN_RECORD(TbsDataSkinMemoControl, TbsDataSkinEditControl)

  TColor BGColor = 0, ActiveBGColor = 0;
};

class TbsDataSkinStdLabelControl : public TbsDataSkinControl, public TbsSkinFontFields {
  KORA_SKIN_RECORD(TbsDataSkinStdLabelControl, TbsDataSkinControl)

  TColor ActiveFontColor = clBlue;
};

class TbsDataSkinLabelControl : public TbsDataSkinCustomControl, public TbsSkinFontFields {
  KORA_SKIN_RECORD(TbsDataSkinLabelControl, TbsDataSkinCustomControl)
};

class TbsDataSkinScrollBarControl : public TbsDataSkinCustomControl {
  KORA_SKIN_RECORD(TbsDataSkinScrollBarControl, TbsDataSkinCustomControl)

  RECT TrackArea;
  RECT UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
  RECT DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
  RECT ThumbRect, ActiveThumbRect, DownThumbRect;
  int32_t ThumbOffset1 = 0, ThumbOffset2 = 0;
  bool ThumbTransparent = false;
  TColor ThumbTransparentColor = 0;
  RECT GlyphRect, ActiveGlyphRect, DownGlyphRect;
};

class TbsDataSkinTrackBarControl : public TbsDataSkinCustomControl {
  KORA_SKIN_RECORD(TbsDataSkinTrackBarControl, TbsDataSkinCustomControl)

  RECT TrackArea, ButtonRect, ActiveButtonRect;
  bool Vertical = false, ButtonTransparent = false;
  TColor ButtonTransparentColor = 0;
};

class TbsDataSkinSplitterControl : public TbsDataSkinCustomControl {
  KORA_SKIN_RECORD(TbsDataSkinSplitterControl, TbsDataSkinCustomControl)

  RECT GripperRect;
  bool GripperTransparent = false;
  TColor GripperTransparentColor = 0;
};

class TbsDataSkinGaugeControl : public TbsDataSkinCustomControl, public TbsSkinFontFields {
  KORA_SKIN_RECORD(TbsDataSkinGaugeControl, TbsDataSkinCustomControl)

  RECT ProgressArea, ProgressRect;
  int32_t BeginOffset = 0, EndOffset = 0;
  bool Vertical = false;
  bool ProgressTransparent = false;
  TColor ProgressTransparentColor = 0;
  bool ProgressStretch = false;
};

class TbsDataSkinScrollBoxControl : public TbsDataSkinCustomControl {
  KORA_SKIN_RECORD(TbsDataSkinScrollBoxControl, TbsDataSkinCustomControl)

  int32_t BGPictureIndex = -1;
};

class TbsDataSkinExPanelControl : public TbsDataSkinCustomControl, public TbsSkinFontFields {
  KORA_SKIN_RECORD(TbsDataSkinExPanelControl, TbsDataSkinCustomControl)

  RECT RollHSkinRect, RollVSkinRect;
  int32_t RollLeftOffset = 0, RollRightOffset = 0, RollTopOffset = 0, RollBottomOffset = 0;
  RECT RollVCaptionRect, RollHCaptionRect;
  RECT CloseButtonRect, CloseButtonActiveRect, CloseButtonDownRect;
  RECT HRollButtonRect, HRollButtonActiveRect, HRollButtonDownRect;
  RECT HRestoreButtonRect, HRestoreButtonActiveRect, HRestoreButtonDownRect;
  RECT VRollButtonRect, VRollButtonActiveRect, VRollButtonDownRect;
  RECT VRestoreButtonRect, VRestoreButtonActiveRect, VRestoreButtonDownRect;
  RECT CaptionRect;
};

class TbsDataSkinPanelControl : public TbsDataSkinCustomControl, public TbsSkinFontFields {
  KORA_SKIN_RECORD(TbsDataSkinPanelControl, TbsDataSkinCustomControl)

  int32_t BGPictureIndex = -1;
  RECT CaptionRect;
  TAlignment Alignment = taCenter;
  RECT CheckImageRect, UnCheckImageRect, MarkFrameRect, FrameRect, FrameTextRect;
  int32_t FrameLeftOffset = 0, FrameRightOffset = 0;
  RECT GripperRect;
  bool GripperTransparent = false;
  TColor GripperTransparentColor = 0;
};

class TbsDataSkinCheckRadioControl : public TbsDataSkinCustomControl, public TbsSkinFontFields {
  KORA_SKIN_RECORD(TbsDataSkinCheckRadioControl, TbsDataSkinCustomControl)

  TColor ActiveFontColor = 0, UnEnabledFontColor = 0, FrameFontColor = 0;
  RECT ActiveSkinRect, CheckImageArea, TextArea;
  RECT CheckImageRect, UnCheckImageRect, ActiveCheckImageRect, ActiveUnCheckImageRect;
  RECT UnEnabledCheckImageRect, UnEnabledUnCheckImageRect;
  bool Morphing = false;
  TbsMorphKind MorphKind = mkDefault;
};

class TbsDataSkinButtonControl : public TbsDataSkinCustomControl, public TbsSkinFontFields {
  KORA_SKIN_RECORD(TbsDataSkinButtonControl, TbsDataSkinCustomControl)

  TColor ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
  RECT ActiveSkinRect, DownSkinRect, DisabledSkinRect;
  bool Morphing = false;
  TbsMorphKind MorphKind = mkDefault;
  RECT AnimateSkinRect;
  int32_t FrameCount = 0;
  int32_t AnimateInterval = 25;
  bool ShowFocus = false;
  RECT MenuMarkerFlatRect, MenuMarkerRect, MenuMarkerActiveRect, MenuMarkerDownRect;
  TColor MenuMarkerTransparentColor = 0;
};

class TbsDataSkinMenuButtonControl : public TbsDataSkinButtonControl {
  KORA_SKIN_RECORD(TbsDataSkinMenuButtonControl, TbsDataSkinButtonControl)

  RECT TrackButtonRect;
};

}  // namespace kora

#pragma once
// The records of [SKINCONTROLS]: one per entry, holding the keys of the
// section named after it. Plain data; skinned controls copy what they need.
// Fields follow the read order of the keys, the ancestors' keys first.

#include <cstdint>
#include <string>

#include "framework/TypInfo.h"
#include "skin/data/bsSkinData_Values.h"

namespace kora {

class TbsDataSkinControl : public TObject {
  KORA_CLASS(TbsDataSkinControl, TObject)

  explicit TbsDataSkinControl(std::string idName) : IDName(std::move(idName)) {}

  // Reads the section named IDName.
  void ReadFromIni(const TCustomIniFile& ini);
  // Replaces the section named IDName by every key in read order.
  void WriteToIni(TCustomIniFile& ini) const;

  std::string IDName;
  int32_t PictureIndex = -1;
  int32_t MaskPictureIndex = -1;
  RECT SkinRect;

protected:
  // Each class lists its keys here, after calling the inherited one.
  virtual void ExchangeKeys(TbsSkinKeys& keys);
};

class TbsDataSkinCustomControl : public TbsDataSkinControl {
  KORA_CLASS(TbsDataSkinCustomControl, TbsDataSkinControl)
  using TbsDataSkinControl::TbsDataSkinControl;

  POINT LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
  RECT ClientRect;
  bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
  bool StretchEffect = false;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinMainMenuBar : public TbsDataSkinControl {
  KORA_CLASS(TbsDataSkinMainMenuBar, TbsDataSkinControl)
  using TbsDataSkinControl::TbsDataSkinControl;

  RECT ItemsRect;
  // Names of object records.
  std::string MenuBarItem, CloseButton, MinButton, MaxButton, SysMenuButton;
  TColor TrackMarkColor = 0, TrackMarkActiveColor = 0;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

// Its corner points and client rectangle are always empty.
class TbsDataSkinUpDownControl : public TbsDataSkinCustomControl {
  KORA_CLASS(TbsDataSkinUpDownControl, TbsDataSkinCustomControl)
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

  RECT UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
  RECT DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinListBox : public TbsDataSkinCustomControl {
  KORA_CLASS(TbsDataSkinListBox, TbsDataSkinCustomControl)
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

  RECT ItemRect, ActiveItemRect, FocusItemRect;
  int32_t ItemLeftOffset = 0, ItemRightOffset = 0;
  RECT ItemTextRect;
  std::string FontName = bsDefaultFontName;
  int32_t FontHeight = bsDefaultFontHeight;
  TFontStyles FontStyle;
  TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0;
  TFontCharset FontCharset = bsDefaultFontCharset;
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

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinCheckListBox : public TbsDataSkinListBox {
  KORA_CLASS(TbsDataSkinCheckListBox, TbsDataSkinListBox)
  using TbsDataSkinListBox::TbsDataSkinListBox;

  RECT ItemCheckRect, CheckImageRect, UnCheckImageRect;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinComboBox : public TbsDataSkinCustomControl {
  KORA_CLASS(TbsDataSkinComboBox, TbsDataSkinCustomControl)
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

  RECT ActiveSkinRect, ItemRect, ActiveItemRect, FocusItemRect;
  int32_t ItemLeftOffset = 0, ItemRightOffset = 0;
  RECT ItemTextRect;
  std::string FontName = bsDefaultFontName;
  int32_t FontHeight = bsDefaultFontHeight;
  TFontStyles FontStyle;
  TColor FontColor = 0, FocusFontColor = 0, ActiveFontColor = 0;
  TFontCharset FontCharset = bsDefaultFontCharset;
  // The list-box control record of the drop-down list.
  std::string ListBoxName;
  RECT ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
  bool ItemStretchEffect = false, FocusItemStretchEffect = false, ShowFocus = false;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinControlBar : public TbsDataSkinCustomControl {
  KORA_CLASS(TbsDataSkinControlBar, TbsDataSkinCustomControl)
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

  RECT ItemRect;
  int32_t BGPictureIndex = -1;
  RECT HGripRect, VGripRect;
  int32_t GripOffset1 = 0, GripOffset2 = 0;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinSlider : public TbsDataSkinControl {
  KORA_CLASS(TbsDataSkinSlider, TbsDataSkinControl)
  using TbsDataSkinControl::TbsDataSkinControl;

  TColor BGColor = 0;
  RECT HRulerRect, HThumbRect, VRulerRect, VThumbRect;
  int32_t EdgeSize = 0;
  TColor PointsColor = 0;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinBevel : public TbsDataSkinControl {
  KORA_CLASS(TbsDataSkinBevel, TbsDataSkinControl)
  using TbsDataSkinControl::TbsDataSkinControl;

  TColor LightColor = 0, DarkColor = 0;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

// The three text views share their keys.
#define KORA_SKIN_TEXT_VIEW_RECORD(Name)             \
  class Name : public TbsDataSkinControl {           \
    KORA_CLASS(Name, TbsDataSkinControl)             \
    using TbsDataSkinControl::TbsDataSkinControl;    \
                                                     \
    std::string FontName = bsDefaultFontName;        \
    int32_t FontHeight = bsDefaultFontHeight;        \
    TFontStyles FontStyle;                           \
    TColor FontColor = 0;                            \
    TFontCharset FontCharset = bsDefaultFontCharset; \
    TColor BGColor = 0;                              \
                                                     \
  protected:                                         \
    void ExchangeKeys(TbsSkinKeys& keys) override;   \
  };
KORA_SKIN_TEXT_VIEW_RECORD(TbsDataSkinTreeView)
KORA_SKIN_TEXT_VIEW_RECORD(TbsDataSkinListView)
KORA_SKIN_TEXT_VIEW_RECORD(TbsDataSkinRichEdit)
#undef KORA_SKIN_TEXT_VIEW_RECORD

class TbsDataSkinTabControl : public TbsDataSkinControl {
  KORA_CLASS(TbsDataSkinTabControl, TbsDataSkinControl)
  using TbsDataSkinControl::TbsDataSkinControl;

  RECT TabRect, ActiveTabRect, FocusTabRect, MouseInTabRect, ClientRect;
  int32_t BGPictureIndex = -1;
  POINT LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
  int32_t TabLeftOffset = 0, TabRightOffset = 0;
  RECT TabsBGRect;
  bool TabStretchEffect = false, LeftStretch = false, TopStretch = false, RightStretch = false;
  bool BottomStretch = false;
  std::string FontName = bsDefaultFontName;
  int32_t FontHeight = bsDefaultFontHeight;
  TFontStyles FontStyle;
  TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0, MouseInFontColor = 0;
  TFontCharset FontCharset = bsDefaultFontCharset;
  // The up-down control record of the tab scroller.
  std::string UpDown;
  bool ShowFocus = false;
  int32_t FocusOffsetX = 0, FocusOffsetY = 0;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinGridControl : public TbsDataSkinControl {
  KORA_CLASS(TbsDataSkinGridControl, TbsDataSkinControl)
  using TbsDataSkinControl::TbsDataSkinControl;

  RECT FixedCellRect, SelectCellRect, FocusCellRect;
  int32_t FixedCellLeftOffset = 0, FixedCellRightOffset = 0;
  RECT FixedCellTextRect;
  int32_t CellLeftOffset = 0, CellRightOffset = 0;
  RECT CellTextRect;
  TColor LinesColor = 0, BGColor = 0;
  std::string FontName = bsDefaultFontName;
  TFontCharset FontCharset = bsDefaultFontCharset;
  int32_t FontHeight = bsDefaultFontHeight;
  TFontStyles FontStyle;
  TColor FontColor = 0, SelectFontColor = 0, FocusFontColor = 0;
  std::string FixedFontName = bsDefaultFontName;
  TFontCharset FixedFontCharset = bsDefaultFontCharset;
  int32_t FixedFontHeight = bsDefaultFontHeight;
  TFontStyles FixedFontStyle;
  TColor FixedFontColor = 0;
  bool CellStretchEffect = false, FixedCellStretchEffect = false, ShowFocus = false;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinSpinEditControl : public TbsDataSkinCustomControl {
  KORA_CLASS(TbsDataSkinSpinEditControl, TbsDataSkinCustomControl)
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

  RECT ActiveSkinRect;
  std::string FontName = bsDefaultFontName;
  TFontCharset FontCharset = bsDefaultFontCharset;
  int32_t FontHeight = bsDefaultFontHeight;
  TFontStyles FontStyle;
  TColor FontColor = 0, ActiveFontColor = 0, DisabledFontColor = 0;
  RECT UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
  RECT DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinEditControl : public TbsDataSkinCustomControl {
  KORA_CLASS(TbsDataSkinEditControl, TbsDataSkinCustomControl)
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

  RECT ActiveSkinRect;
  std::string FontName = bsDefaultFontName;
  TFontCharset FontCharset = bsDefaultFontCharset;
  int32_t FontHeight = bsDefaultFontHeight;
  TFontStyles FontStyle;
  TColor FontColor = 0, DisabledFontColor = 0, ActiveFontColor = 0;
  RECT ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinMemoControl : public TbsDataSkinEditControl {
  KORA_CLASS(TbsDataSkinMemoControl, TbsDataSkinEditControl)
  using TbsDataSkinEditControl::TbsDataSkinEditControl;

  TColor BGColor = 0, ActiveBGColor = 0;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinStdLabelControl : public TbsDataSkinControl {
  KORA_CLASS(TbsDataSkinStdLabelControl, TbsDataSkinControl)
  using TbsDataSkinControl::TbsDataSkinControl;

  std::string FontName = bsDefaultFontName;
  int32_t FontHeight = bsDefaultFontHeight;
  TFontStyles FontStyle;
  TColor FontColor = 0;
  TFontCharset FontCharset = bsDefaultFontCharset;
  TColor ActiveFontColor = clBlue;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinLabelControl : public TbsDataSkinCustomControl {
  KORA_CLASS(TbsDataSkinLabelControl, TbsDataSkinCustomControl)
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

  std::string FontName = bsDefaultFontName;
  int32_t FontHeight = bsDefaultFontHeight;
  TFontStyles FontStyle;
  TColor FontColor = 0;
  TFontCharset FontCharset = bsDefaultFontCharset;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinScrollBarControl : public TbsDataSkinCustomControl {
  KORA_CLASS(TbsDataSkinScrollBarControl, TbsDataSkinCustomControl)
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

  RECT TrackArea;
  RECT UpButtonRect, ActiveUpButtonRect, DownUpButtonRect;
  RECT DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
  RECT ThumbRect, ActiveThumbRect, DownThumbRect;
  int32_t ThumbOffset1 = 0, ThumbOffset2 = 0;
  bool ThumbTransparent = false;
  TColor ThumbTransparentColor = 0;
  RECT GlyphRect, ActiveGlyphRect, DownGlyphRect;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinTrackBarControl : public TbsDataSkinCustomControl {
  KORA_CLASS(TbsDataSkinTrackBarControl, TbsDataSkinCustomControl)
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

  RECT TrackArea, ButtonRect, ActiveButtonRect;
  bool Vertical = false, ButtonTransparent = false;
  TColor ButtonTransparentColor = 0;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinSplitterControl : public TbsDataSkinCustomControl {
  KORA_CLASS(TbsDataSkinSplitterControl, TbsDataSkinCustomControl)
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

  RECT GripperRect;
  bool GripperTransparent = false;
  TColor GripperTransparentColor = 0;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinGaugeControl : public TbsDataSkinCustomControl {
  KORA_CLASS(TbsDataSkinGaugeControl, TbsDataSkinCustomControl)
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

  RECT ProgressArea, ProgressRect;
  int32_t BeginOffset = 0, EndOffset = 0;
  bool Vertical = false;
  std::string FontName = bsDefaultFontName;
  int32_t FontHeight = bsDefaultFontHeight;
  TFontStyles FontStyle;
  TColor FontColor = 0;
  TFontCharset FontCharset = bsDefaultFontCharset;
  bool ProgressTransparent = false;
  TColor ProgressTransparentColor = 0;
  bool ProgressStretch = false;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinScrollBoxControl : public TbsDataSkinCustomControl {
  KORA_CLASS(TbsDataSkinScrollBoxControl, TbsDataSkinCustomControl)
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

  int32_t BGPictureIndex = -1;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinExPanelControl : public TbsDataSkinCustomControl {
  KORA_CLASS(TbsDataSkinExPanelControl, TbsDataSkinCustomControl)
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

  RECT RollHSkinRect, RollVSkinRect;
  int32_t RollLeftOffset = 0, RollRightOffset = 0, RollTopOffset = 0, RollBottomOffset = 0;
  RECT RollVCaptionRect, RollHCaptionRect;
  RECT CloseButtonRect, CloseButtonActiveRect, CloseButtonDownRect;
  RECT HRollButtonRect, HRollButtonActiveRect, HRollButtonDownRect;
  RECT HRestoreButtonRect, HRestoreButtonActiveRect, HRestoreButtonDownRect;
  RECT VRollButtonRect, VRollButtonActiveRect, VRollButtonDownRect;
  RECT VRestoreButtonRect, VRestoreButtonActiveRect, VRestoreButtonDownRect;
  RECT CaptionRect;
  std::string FontName = bsDefaultFontName;
  int32_t FontHeight = bsDefaultFontHeight;
  TFontStyles FontStyle;
  TColor FontColor = 0;
  TFontCharset FontCharset = bsDefaultFontCharset;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinPanelControl : public TbsDataSkinCustomControl {
  KORA_CLASS(TbsDataSkinPanelControl, TbsDataSkinCustomControl)
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

  int32_t BGPictureIndex = -1;
  RECT CaptionRect;
  TAlignment Alignment = taCenter;
  std::string FontName = bsDefaultFontName;
  int32_t FontHeight = bsDefaultFontHeight;
  TFontStyles FontStyle;
  TColor FontColor = 0;
  TFontCharset FontCharset = bsDefaultFontCharset;
  RECT CheckImageRect, UnCheckImageRect, MarkFrameRect, FrameRect, FrameTextRect;
  int32_t FrameLeftOffset = 0, FrameRightOffset = 0;
  RECT GripperRect;
  bool GripperTransparent = false;
  TColor GripperTransparentColor = 0;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinCheckRadioControl : public TbsDataSkinCustomControl {
  KORA_CLASS(TbsDataSkinCheckRadioControl, TbsDataSkinCustomControl)
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

  std::string FontName = bsDefaultFontName;
  int32_t FontHeight = bsDefaultFontHeight;
  TFontStyles FontStyle;
  TColor FontColor = 0, ActiveFontColor = 0, UnEnabledFontColor = 0, FrameFontColor = 0;
  TFontCharset FontCharset = bsDefaultFontCharset;
  RECT ActiveSkinRect, CheckImageArea, TextArea;
  RECT CheckImageRect, UnCheckImageRect, ActiveCheckImageRect, ActiveUnCheckImageRect;
  RECT UnEnabledCheckImageRect, UnEnabledUnCheckImageRect;
  bool Morphing = false;
  TbsMorphKind MorphKind = mkDefault;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinButtonControl : public TbsDataSkinCustomControl {
  KORA_CLASS(TbsDataSkinButtonControl, TbsDataSkinCustomControl)
  using TbsDataSkinCustomControl::TbsDataSkinCustomControl;

  std::string FontName = bsDefaultFontName;
  int32_t FontHeight = bsDefaultFontHeight;
  TFontStyles FontStyle;
  TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
  TFontCharset FontCharset = bsDefaultFontCharset;
  RECT ActiveSkinRect, DownSkinRect, DisabledSkinRect;
  bool Morphing = false;
  TbsMorphKind MorphKind = mkDefault;
  RECT AnimateSkinRect;
  int32_t FrameCount = 0;
  int32_t AnimateInterval = 25;
  bool ShowFocus = false;
  RECT MenuMarkerFlatRect, MenuMarkerRect, MenuMarkerActiveRect, MenuMarkerDownRect;
  TColor MenuMarkerTransparentColor = 0;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinMenuButtonControl : public TbsDataSkinButtonControl {
  KORA_CLASS(TbsDataSkinMenuButtonControl, TbsDataSkinButtonControl)
  using TbsDataSkinButtonControl::TbsDataSkinButtonControl;

  RECT TrackButtonRect;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

}  // namespace kora

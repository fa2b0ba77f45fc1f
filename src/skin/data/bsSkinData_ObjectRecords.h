#pragma once
// The records of [SKINOBJECTS] (the form frame's caption, buttons, menu
// items) and of the fixed sections [POPUPWINDOW] and [HINTWINDOW]. Plain
// data, fields in the read order of their keys, the ancestors' first.

#include <cstdint>
#include <string>

#include "framework/core/TypInfo.h"
#include "skin/data/bsSkinData_Values.h"

namespace kora {

// Its section is the one named IDName.
class TbsDataSkinObject : public TObject, public TbsSkinSectionRecord {
  KORA_CLASS(TbsDataSkinObject, TObject)

  explicit TbsDataSkinObject(std::string idName) : IDName(std::move(idName)) {}

  std::string IDName;
  std::string Hint;
  int32_t ActivePictureIndex = -1;
  bool SkinRectInAPicture = false;
  RECT SkinRect, ActiveSkinRect, InActiveSkinRect;
  bool Morphing = false;
  TbsMorphKind MorphKind = mkDefault;

protected:
  std::string SectionName() const override { return IDName; }
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

// A picture placed on the frame: only its rectangle, none of the object keys.
class TbsDataUserObject : public TbsDataSkinObject {
  KORA_SKIN_RECORD(TbsDataUserObject, TbsDataSkinObject)
};

class TbsDataSkinButton : public TbsDataSkinObject {
  KORA_SKIN_RECORD(TbsDataSkinButton, TbsDataSkinObject)

  RECT DownRect;
  // Key "disableskinrsect".
  RECT DisableSkinRect;
};

class TbsDataSkinStdButton : public TbsDataSkinButton {
  KORA_SKIN_RECORD(TbsDataSkinStdButton, TbsDataSkinButton)

  TbsStdCommand Command = cmDefault;
  RECT RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;
};

class TbsDataSkinMainMenuBarButton : public TbsDataSkinStdButton {
  KORA_CLASS(TbsDataSkinMainMenuBarButton, TbsDataSkinStdButton)
  using TbsDataSkinStdButton::TbsDataSkinStdButton;
};

class TbsDataSkinAnimate : public TbsDataSkinObject {
  KORA_SKIN_RECORD(TbsDataSkinAnimate, TbsDataSkinObject)

  int32_t CountFrames = 1;
  bool Cycle = false, ButtonStyle = false;
  int32_t TimerInterval = 50;
  TbsStdCommand Command = cmDefault;
  RECT DownSkinRect, RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;
};

class TbsDataSkinMenuItem : public TbsDataSkinObject, public TbsSkinFontFields {
  KORA_SKIN_RECORD(TbsDataSkinMenuItem, TbsDataSkinObject)

  int32_t ItemLeftOffset = 0, ItemRightOffset = 0;
  RECT DividerRect;
  int32_t DividerLeftOffset = 0, DividerRightOffset = 0;
  RECT TextRect, ImageRect;
  TColor ActiveFontColor = 0, UnEnabledFontColor = 0;
  bool StretchEffect = false, InActiveStretchEffect = false, DividerStretchEffect = false;
  RECT AnimateSkinRect;
  int32_t FrameCount = 0;
  int32_t AnimateInterval = 25;
  bool InActiveAnimation = false, UseImageColor = false;
  TColor ImageColor = 0, ActiveImageColor = 0;
};

class TbsDataSkinMainMenuItem : public TbsDataSkinObject, public TbsSkinFontFields {
  KORA_SKIN_RECORD(TbsDataSkinMainMenuItem, TbsDataSkinObject)

  int32_t ItemLeftOffset = 0, ItemRightOffset = 0;
  RECT DownRect, TextRect;
  TColor ActiveFontColor = 0, DownFontColor = 0;
  // Key "unenabledfontColor".
  TColor UnEnabledFontColor = 0;
  bool StretchEffect = false;
  RECT AnimateSkinRect;
  int32_t FrameCount = 0;
  int32_t AnimateInterval = 25;
  bool InActiveAnimation = false;
};

class TbsDataSkinMainMenuBarItem : public TbsDataSkinMainMenuItem {
  KORA_CLASS(TbsDataSkinMainMenuBarItem, TbsDataSkinMainMenuItem)
  using TbsDataSkinMainMenuItem::TbsDataSkinMainMenuItem;
};

class TbsDataSkinCaption : public TbsDataSkinObject, public TbsSkinFontFields {
  KORA_SKIN_RECORD(TbsDataSkinCaption, TbsDataSkinObject)

  RECT TextRect;
  TColor ActiveFontColor = 0;
  TAlignment Alignment = taCenter;
  bool Light = false;
  TColor LightColor = 0, ActiveLightColor = 0;
  bool Shadow = false;
  TColor ShadowColor = 0, ActiveShadowColor = 0;
  RECT FrameRect, ActiveFrameRect, FrameTextRect;
  int32_t FrameLeftOffset = 0, FrameRightOffset = 0;
  bool StretchEffect = false;
  RECT AnimateSkinRect;
  int32_t FrameCount = 0;
  int32_t AnimateInterval = 25;
  bool InActiveAnimation = false, FullFrame = false;
};

// [POPUPWINDOW]: the window picture is the whole active picture named by
// WindowPictureIndex; the geometry is relative to its top-left corner.
class TbsDataSkinPopupWindow : public TObject, public TbsSkinSectionRecord {
  KORA_CLASS(TbsDataSkinPopupWindow, TObject)

  static constexpr const char* kSection = "POPUPWINDOW";

  int32_t WindowPictureIndex = -1;
  int32_t MaskPictureIndex = -1;
  POINT LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
  // Where the items go in the window picture.
  RECT ItemsRect;
  TColor ScrollMarkerColor = 0, ScrollMarkerActiveColor = 0;
  bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;

protected:
  std::string SectionName() const override { return kSection; }
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

// [HINTWINDOW], laid out like the popup window.
class TbsDataSkinHintWindow : public TObject, public TbsSkinSectionRecord, public TbsSkinFontFields {
  KORA_CLASS(TbsDataSkinHintWindow, TObject)

  static constexpr const char* kSection = "HINTWINDOW";

  int32_t WindowPictureIndex = -1;
  int32_t MaskPictureIndex = -1;
  POINT LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
  RECT ClientRect;
  bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;

protected:
  std::string SectionName() const override { return kSection; }
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

}  // namespace kora

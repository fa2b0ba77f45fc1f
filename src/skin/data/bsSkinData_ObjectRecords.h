#pragma once
// The records of [SKINOBJECTS] (the form frame's caption, buttons, menu
// items) and of the fixed sections [POPUPWINDOW] and [HINTWINDOW]. Plain
// data, fields in the read order of their keys, the ancestors' first.

#include <cstdint>
#include <string>

#include "framework/TypInfo.h"
#include "skin/data/bsSkinData_Values.h"

namespace kora {

class TbsDataSkinObject : public TObject {
  KORA_CLASS(TbsDataSkinObject, TObject)

  explicit TbsDataSkinObject(std::string idName) : IDName(std::move(idName)) {}

  // Reads the section named IDName.
  void ReadFromIni(const TCustomIniFile& ini);
  // Replaces the section named IDName by every key in read order.
  void WriteToIni(TCustomIniFile& ini) const;

  std::string IDName;
  std::string Hint;
  int32_t ActivePictureIndex = -1;
  bool SkinRectInAPicture = false;
  RECT SkinRect, ActiveSkinRect, InActiveSkinRect;
  bool Morphing = false;
  TbsMorphKind MorphKind = mkDefault;

protected:
  // Each class lists its keys here, after calling the inherited one.
  virtual void ExchangeKeys(TbsSkinKeys& keys);
};

// A picture placed on the frame: only its rectangle, none of the object keys.
class TbsDataUserObject : public TbsDataSkinObject {
  KORA_CLASS(TbsDataUserObject, TbsDataSkinObject)
  using TbsDataSkinObject::TbsDataSkinObject;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinButton : public TbsDataSkinObject {
  KORA_CLASS(TbsDataSkinButton, TbsDataSkinObject)
  using TbsDataSkinObject::TbsDataSkinObject;

  RECT DownRect;
  // Key "disableskinrsect".
  RECT DisableSkinRect;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinStdButton : public TbsDataSkinButton {
  KORA_CLASS(TbsDataSkinStdButton, TbsDataSkinButton)
  using TbsDataSkinButton::TbsDataSkinButton;

  TbsStdCommand Command = cmDefault;
  RECT RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinMainMenuBarButton : public TbsDataSkinStdButton {
  KORA_CLASS(TbsDataSkinMainMenuBarButton, TbsDataSkinStdButton)
  using TbsDataSkinStdButton::TbsDataSkinStdButton;
};

class TbsDataSkinAnimate : public TbsDataSkinObject {
  KORA_CLASS(TbsDataSkinAnimate, TbsDataSkinObject)
  using TbsDataSkinObject::TbsDataSkinObject;

  int32_t CountFrames = 1;
  bool Cycle = false, ButtonStyle = false;
  int32_t TimerInterval = 50;
  TbsStdCommand Command = cmDefault;
  RECT DownSkinRect, RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinMenuItem : public TbsDataSkinObject {
  KORA_CLASS(TbsDataSkinMenuItem, TbsDataSkinObject)
  using TbsDataSkinObject::TbsDataSkinObject;

  int32_t ItemLeftOffset = 0, ItemRightOffset = 0;
  RECT DividerRect;
  int32_t DividerLeftOffset = 0, DividerRightOffset = 0;
  RECT TextRect, ImageRect;
  std::string FontName = bsDefaultFontName;
  int32_t FontHeight = bsDefaultFontHeight;
  TFontStyles FontStyle;
  TColor FontColor = 0, ActiveFontColor = 0, UnEnabledFontColor = 0;
  TFontCharset FontCharset = bsDefaultFontCharset;
  bool StretchEffect = false, InActiveStretchEffect = false, DividerStretchEffect = false;
  RECT AnimateSkinRect;
  int32_t FrameCount = 0;
  int32_t AnimateInterval = 25;
  bool InActiveAnimation = false, UseImageColor = false;
  TColor ImageColor = 0, ActiveImageColor = 0;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinMainMenuItem : public TbsDataSkinObject {
  KORA_CLASS(TbsDataSkinMainMenuItem, TbsDataSkinObject)
  using TbsDataSkinObject::TbsDataSkinObject;

  int32_t ItemLeftOffset = 0, ItemRightOffset = 0;
  RECT DownRect, TextRect;
  std::string FontName = bsDefaultFontName;
  int32_t FontHeight = bsDefaultFontHeight;
  TFontStyles FontStyle;
  TColor FontColor = 0, ActiveFontColor = 0, DownFontColor = 0;
  // Key "unenabledfontColor".
  TColor UnEnabledFontColor = 0;
  TFontCharset FontCharset = bsDefaultFontCharset;
  bool StretchEffect = false;
  RECT AnimateSkinRect;
  int32_t FrameCount = 0;
  int32_t AnimateInterval = 25;
  bool InActiveAnimation = false;

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

class TbsDataSkinMainMenuBarItem : public TbsDataSkinMainMenuItem {
  KORA_CLASS(TbsDataSkinMainMenuBarItem, TbsDataSkinMainMenuItem)
  using TbsDataSkinMainMenuItem::TbsDataSkinMainMenuItem;
};

class TbsDataSkinCaption : public TbsDataSkinObject {
  KORA_CLASS(TbsDataSkinCaption, TbsDataSkinObject)
  using TbsDataSkinObject::TbsDataSkinObject;

  RECT TextRect;
  std::string FontName = bsDefaultFontName;
  int32_t FontHeight = bsDefaultFontHeight;
  TFontStyles FontStyle;
  TColor FontColor = 0, ActiveFontColor = 0;
  TFontCharset FontCharset = bsDefaultFontCharset;
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

protected:
  void ExchangeKeys(TbsSkinKeys& keys) override;
};

// [POPUPWINDOW]: the window picture is the whole active picture named by
// WindowPictureIndex; the geometry is relative to its top-left corner.
class TbsDataSkinPopupWindow : public TObject {
  KORA_CLASS(TbsDataSkinPopupWindow, TObject)

  static constexpr const char* kSection = "POPUPWINDOW";

  void ReadFromIni(const TCustomIniFile& ini);
  void WriteToIni(TCustomIniFile& ini) const;

  int32_t WindowPictureIndex = -1;
  int32_t MaskPictureIndex = -1;
  POINT LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
  // Where the items go in the window picture.
  RECT ItemsRect;
  TColor ScrollMarkerColor = 0, ScrollMarkerActiveColor = 0;
  bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;

private:
  void ExchangeKeys(TbsSkinKeys& keys);
};

// [HINTWINDOW], laid out like the popup window.
class TbsDataSkinHintWindow : public TObject {
  KORA_CLASS(TbsDataSkinHintWindow, TObject)

  static constexpr const char* kSection = "HINTWINDOW";

  void ReadFromIni(const TCustomIniFile& ini);
  void WriteToIni(TCustomIniFile& ini) const;

  int32_t WindowPictureIndex = -1;
  int32_t MaskPictureIndex = -1;
  POINT LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
  RECT ClientRect;
  std::string FontName = bsDefaultFontName;
  int32_t FontHeight = bsDefaultFontHeight;
  TFontStyles FontStyle;
  TColor FontColor = 0;
  TFontCharset FontCharset = bsDefaultFontCharset;
  bool LeftStretch = false, RightStretch = false, TopStretch = false, BottomStretch = false;

private:
  void ExchangeKeys(TbsSkinKeys& keys);
};

}  // namespace kora

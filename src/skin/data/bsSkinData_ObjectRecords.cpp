// Keys of the frame-object records and the popup and hint window records.

#include "skin/data/bsSkinData_ObjectRecords.h"
#include "framework/core/ClassBuilder.h"

namespace kora {

KORA_SKIN_RECORD_CLASS(TbsDataSkinObject)
KORA_SKIN_RECORD_CLASS(TbsDataUserObject)
KORA_SKIN_RECORD_CLASS(TbsDataSkinButton)
KORA_SKIN_RECORD_CLASS(TbsDataSkinStdButton)
KORA_SKIN_RECORD_CLASS(TbsDataSkinMainMenuBarButton)
KORA_SKIN_RECORD_CLASS(TbsDataSkinAnimate)
KORA_SKIN_RECORD_CLASS(TbsDataSkinMenuItem)
KORA_SKIN_RECORD_CLASS(TbsDataSkinMainMenuItem)
KORA_SKIN_RECORD_CLASS(TbsDataSkinMainMenuBarItem)
KORA_SKIN_RECORD_CLASS(TbsDataSkinCaption)
KORA_SKIN_RECORD_CLASS(TbsDataSkinPopupWindow)
KORA_SKIN_RECORD_CLASS(TbsDataSkinHintWindow)

void TbsDataSkinObject::ExchangeKeys(TbsSkinKeys& keys) {
  keys.String("hint", Hint);
  keys.Integer("activepictureindex", ActivePictureIndex, -1);
  keys.Boolean("skinrectinapicture", SkinRectInAPicture);
  keys.Rect("skinrect", SkinRect);
  keys.Rect("activeskinrect", ActiveSkinRect);
  keys.Rect("inactiveskinrect", InActiveSkinRect);
  keys.Boolean("morphing", Morphing);
  keys.MorphKind("morphkind", MorphKind);
}

void TbsDataUserObject::ExchangeKeys(TbsSkinKeys& keys) {
  // Deliberately not the inherited keys.
  keys.Rect("skinrect", SkinRect);
}

void TbsDataSkinButton::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Rect("downrect", DownRect);
  keys.Rect("disableskinrsect", DisableSkinRect);
}

namespace {

void RestoreRectKeys(TbsSkinKeys& keys, RECT& normal, RECT& active, RECT& down, RECT& inactive) {
  keys.Rect("restorerect", normal);
  keys.Rect("restoreactiverect", active);
  keys.Rect("restoredownrect", down);
  keys.Rect("restoreinactiverect", inactive);
}

}  // namespace

void TbsDataSkinStdButton::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Command("command", Command);
  RestoreRectKeys(keys, RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect);
}

void TbsDataSkinAnimate::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Integer("countframes", CountFrames, 1);
  keys.Boolean("cycle", Cycle);
  keys.Boolean("buttonstyle", ButtonStyle);
  keys.Integer("timerinterval", TimerInterval, 50);
  keys.Command("command", Command);
  keys.Rect("downskinrect", DownSkinRect);
  RestoreRectKeys(keys, RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInActiveRect);
}

void TbsDataSkinMenuItem::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Integer("itemleftoffset", ItemLeftOffset);
  keys.Integer("itemrightoffset", ItemRightOffset);
  keys.Rect("dividerrect", DividerRect);
  keys.Integer("dividerleftoffset", DividerLeftOffset);
  keys.Integer("dividerrightoffset", DividerRightOffset);
  keys.Rect("textrect", TextRect);
  keys.Rect("imagerect", ImageRect);
  keys.Font("font", *this);
  keys.Color("activefontcolor", ActiveFontColor);
  keys.Color("unenabledfontcolor", UnEnabledFontColor);
  keys.Boolean("stretcheffect", StretchEffect);
  keys.Boolean("inactivestretcheffect", InActiveStretchEffect);
  keys.Boolean("dividerstretcheffect", DividerStretchEffect);
  keys.Rect("animateskinrect", AnimateSkinRect);
  keys.Integer("framecount", FrameCount);
  keys.Integer("animateinterval", AnimateInterval, 25);
  keys.Boolean("inactiveanimation", InActiveAnimation);
  keys.Boolean("useimagecolor", UseImageColor);
  keys.Color("imagecolor", ImageColor);
  keys.Color("activeimagecolor", ActiveImageColor);
}

void TbsDataSkinMainMenuItem::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Integer("itemleftoffset", ItemLeftOffset);
  keys.Integer("itemrightoffset", ItemRightOffset);
  keys.Rect("downrect", DownRect);
  keys.Rect("textrect", TextRect);
  keys.Font("font", *this);
  keys.Color("activefontcolor", ActiveFontColor);
  keys.Color("downfontcolor", DownFontColor);
  keys.Color("unenabledfontColor", UnEnabledFontColor);
  keys.Boolean("stretcheffect", StretchEffect);
  keys.Rect("animateskinrect", AnimateSkinRect);
  keys.Integer("framecount", FrameCount);
  keys.Integer("animateinterval", AnimateInterval, 25);
  keys.Boolean("inactiveanimation", InActiveAnimation);
}

void TbsDataSkinCaption::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Rect("textrect", TextRect);
  keys.Font("font", *this);
  keys.Color("activefontcolor", ActiveFontColor);
  keys.Alignment("alignment", Alignment);
  keys.Boolean("light", Light);
  keys.Color("lightcolor", LightColor);
  keys.Color("activelightcolor", ActiveLightColor);
  keys.Boolean("shadow", Shadow);
  keys.Color("shadowcolor", ShadowColor);
  keys.Color("activeshadowcolor", ActiveShadowColor);
  keys.Rect("framerect", FrameRect);
  keys.Rect("activeframerect", ActiveFrameRect);
  keys.Rect("frametextrect", FrameTextRect);
  keys.Integer("frameleftoffset", FrameLeftOffset);
  keys.Integer("framerightoffset", FrameRightOffset);
  keys.Boolean("stretcheffect", StretchEffect);
  keys.Rect("animateskinrect", AnimateSkinRect);
  keys.Integer("framecount", FrameCount);
  keys.Integer("animateinterval", AnimateInterval, 25);
  keys.Boolean("inactiveanimation", InActiveAnimation);
  keys.Boolean("fullframe", FullFrame);
}

namespace {

// The window pictures and corner scheme both window records start with.
void WindowFrameKeys(TbsSkinKeys& keys, int32_t& windowPicture, int32_t& maskPicture, POINT& leftTop, POINT& rightTop,
                     POINT& leftBottom, POINT& rightBottom) {
  keys.Integer("windowpictureindex", windowPicture, -1);
  keys.Integer("maskpictureindex", maskPicture, -1);
  keys.Point("lefttoppoint", leftTop);
  keys.Point("righttoppoint", rightTop);
  keys.Point("leftbottompoint", leftBottom);
  keys.Point("rightbottompoint", rightBottom);
}

void WindowStretchKeys(TbsSkinKeys& keys, bool& left, bool& right, bool& top, bool& bottom) {
  keys.Boolean("leftstretch", left);
  keys.Boolean("rightstretch", right);
  keys.Boolean("topstretch", top);
  keys.Boolean("bottomstretch", bottom);
}

}  // namespace

void TbsDataSkinPopupWindow::ExchangeKeys(TbsSkinKeys& keys) {
  WindowFrameKeys(keys, WindowPictureIndex, MaskPictureIndex, LeftTopPoint, RightTopPoint, LeftBottomPoint,
                  RightBottomPoint);
  keys.Rect("itemsrect", ItemsRect);
  keys.Color("scrollmarkercolor", ScrollMarkerColor);
  keys.Color("scrollmarkeractivecolor", ScrollMarkerActiveColor);
  WindowStretchKeys(keys, LeftStretch, RightStretch, TopStretch, BottomStretch);
}

void TbsDataSkinHintWindow::ExchangeKeys(TbsSkinKeys& keys) {
  WindowFrameKeys(keys, WindowPictureIndex, MaskPictureIndex, LeftTopPoint, RightTopPoint, LeftBottomPoint,
                  RightBottomPoint);
  keys.Rect("clientrect", ClientRect);
  keys.Font("font", *this);
  WindowStretchKeys(keys, LeftStretch, RightStretch, TopStretch, BottomStretch);
}

}  // namespace kora

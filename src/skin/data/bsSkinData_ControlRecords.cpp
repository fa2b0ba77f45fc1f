// Keys of the control records, each class's in read order.

#include "skin/data/bsSkinData_ControlRecords.h"
#include "framework/core/ClassBuilder.h"

namespace kora {

KORA_SKIN_RECORD_CLASS(TbsDataSkinControl)
KORA_SKIN_RECORD_CLASS(TbsDataSkinCustomControl)
KORA_SKIN_RECORD_CLASS(TbsDataSkinMainMenuBar)
KORA_SKIN_RECORD_CLASS(TbsDataSkinUpDownControl)
KORA_SKIN_RECORD_CLASS(TbsDataSkinListBox)
KORA_SKIN_RECORD_CLASS(TbsDataSkinCheckListBox)
KORA_SKIN_RECORD_CLASS(TbsDataSkinComboBox)
KORA_SKIN_RECORD_CLASS(TbsDataSkinControlBar)
KORA_SKIN_RECORD_CLASS(TbsDataSkinSlider)
KORA_SKIN_RECORD_CLASS(TbsDataSkinBevel)
KORA_SKIN_RECORD_CLASS(TbsDataSkinTreeView)
KORA_SKIN_RECORD_CLASS(TbsDataSkinListView)
KORA_SKIN_RECORD_CLASS(TbsDataSkinRichEdit)
KORA_SKIN_RECORD_CLASS(TbsDataSkinTabControl)
KORA_SKIN_RECORD_CLASS(TbsDataSkinGridControl)
KORA_SKIN_RECORD_CLASS(TbsDataSkinSpinEditControl)
KORA_SKIN_RECORD_CLASS(TbsDataSkinEditControl)
KORA_SKIN_RECORD_CLASS(TbsDataSkinMemoControl)
KORA_SKIN_RECORD_CLASS(TbsDataSkinStdLabelControl)
KORA_SKIN_RECORD_CLASS(TbsDataSkinLabelControl)
KORA_SKIN_RECORD_CLASS(TbsDataSkinScrollBarControl)
KORA_SKIN_RECORD_CLASS(TbsDataSkinTrackBarControl)
KORA_SKIN_RECORD_CLASS(TbsDataSkinSplitterControl)
KORA_SKIN_RECORD_CLASS(TbsDataSkinGaugeControl)
KORA_SKIN_RECORD_CLASS(TbsDataSkinScrollBoxControl)
KORA_SKIN_RECORD_CLASS(TbsDataSkinExPanelControl)
KORA_SKIN_RECORD_CLASS(TbsDataSkinPanelControl)
KORA_SKIN_RECORD_CLASS(TbsDataSkinCheckRadioControl)
KORA_SKIN_RECORD_CLASS(TbsDataSkinButtonControl)
KORA_SKIN_RECORD_CLASS(TbsDataSkinMenuButtonControl)

void TbsDataSkinControl::ExchangeKeys(TbsSkinKeys& keys) {
  keys.Integer("pictureindex", PictureIndex, -1);
  keys.Integer("maskpictureindex", MaskPictureIndex, -1);
  keys.Rect("skinrect", SkinRect);
}

void TbsDataSkinCustomControl::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Point("lefttoppoint", LeftTopPoint);
  keys.Point("righttoppoint", RightTopPoint);
  keys.Point("leftbottompoint", LeftBottomPoint);
  keys.Point("rightbottompoint", RightBottomPoint);
  keys.Rect("clientrect", ClientRect);
  keys.Boolean("leftstretch", LeftStretch);
  keys.Boolean("topstretch", TopStretch);
  keys.Boolean("rightstretch", RightStretch);
  keys.Boolean("bottomstretch", BottomStretch);
  keys.Boolean("stretcheffect", StretchEffect);
}

void TbsDataSkinMainMenuBar::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Rect("itemsrect", ItemsRect);
  keys.String("menubaritem", MenuBarItem);
  keys.String("closebutton", CloseButton);
  keys.String("minbutton", MinButton);
  keys.String("maxbutton", MaxButton);
  keys.String("sysmenubutton", SysMenuButton);
  keys.Color("trackmarkcolor", TrackMarkColor);
  keys.Color("trackmarkactivecolor", TrackMarkActiveColor);
}

namespace {

// The six button rectangles of up-down pairs (up-down, list box, spin edit, scroll bar).
void UpDownButtonKeys(TbsSkinKeys& keys, RECT& up, RECT& activeUp, RECT& downUp, RECT& down, RECT& activeDown,
                      RECT& downDown) {
  keys.Rect("upbuttonrect", up);
  keys.Rect("activeupbuttonrect", activeUp);
  keys.Rect("downupbuttonrect", downUp);
  keys.Rect("downbuttonrect", down);
  keys.Rect("activedownbuttonrect", activeDown);
  keys.Rect("downdownbuttonrect", downDown);
}

}  // namespace

void TbsDataSkinUpDownControl::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  // The buttons fill the control; there is no frame to keep.
  if (keys.Reading()) {
    LeftTopPoint = RightTopPoint = LeftBottomPoint = RightBottomPoint = POINT{};
    ClientRect = RECT{};
  }
  UpDownButtonKeys(keys, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
                   DownDownButtonRect);
}

void TbsDataSkinListBox::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Rect("itemrect", ItemRect);
  keys.Rect("activeitemrect", ActiveItemRect);
  keys.Rect("focusitemrect", FocusItemRect);
  keys.Integer("itemleftoffset", ItemLeftOffset);
  keys.Integer("itemrightoffset", ItemRightOffset);
  keys.Rect("itemtextrect", ItemTextRect);
  keys.Font("font", *this);
  keys.Color("activefontcolor", ActiveFontColor);
  keys.Color("focusfontcolor", FocusFontColor);
  keys.Rect("captionrect", CaptionRect);
  keys.Font("captionfont", CaptionFontName, CaptionFontHeight, CaptionFontStyle, CaptionFontColor);
  UpDownButtonKeys(keys, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
                   DownDownButtonRect);
  keys.Rect("checkbuttonrect", CheckButtonRect);
  keys.Rect("activecheckbuttonrect", ActiveCheckButtonRect);
  keys.Rect("downcheckbuttonrect", DownCheckButtonRect);
  keys.String("vscrollbarname", VScrollBarName, "vscrollbar");
  keys.String("hscrollbarname", HScrollBarName, "hscrollbar");
  keys.String("bothhscrollbarname", BothScrollBarName, "bothhscrollbar");
  keys.Boolean("showfocus", ShowFocus);
}

void TbsDataSkinCheckListBox::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Rect("itemcheckrect", ItemCheckRect);
  keys.Rect("checkimagerect", CheckImageRect);
  keys.Rect("uncheckimagerect", UnCheckImageRect);
}

void TbsDataSkinComboBox::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Rect("activeskinrect", ActiveSkinRect);
  keys.Rect("itemrect", ItemRect);
  keys.Rect("activeitemrect", ActiveItemRect);
  keys.Rect("focusitemrect", FocusItemRect);
  keys.Integer("itemleftoffset", ItemLeftOffset);
  keys.Integer("itemrightoffset", ItemRightOffset);
  keys.Rect("itemtextrect", ItemTextRect);
  keys.Font("font", *this);
  keys.Color("focusfontcolor", FocusFontColor);
  keys.Color("activefontcolor", ActiveFontColor);
  keys.String("listboxname", ListBoxName);
  keys.Rect("buttonrect", ButtonRect);
  keys.Rect("activebuttonrect", ActiveButtonRect);
  keys.Rect("downbuttonrect", DownButtonRect);
  keys.Rect("unenabledbuttonrect", UnEnabledButtonRect);
  keys.Boolean("itemstretcheffect", ItemStretchEffect);
  keys.Boolean("focusitemstretcheffect", FocusItemStretchEffect);
  keys.Boolean("showfocus", ShowFocus);
}

void TbsDataSkinControlBar::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Rect("itemrect", ItemRect);
  keys.Integer("bgpictureindex", BGPictureIndex, -1);
  keys.Rect("hgriprect", HGripRect);
  keys.Rect("vgriprect", VGripRect);
  keys.Integer("gripoffset1", GripOffset1);
  keys.Integer("gripoffset2", GripOffset2);
}

void TbsDataSkinSlider::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Color("bgcolor", BGColor);
  keys.Rect("hrulerrect", HRulerRect);
  keys.Rect("hthumbrect", HThumbRect);
  keys.Rect("vrulerrect", VRulerRect);
  keys.Rect("vthumbrect", VThumbRect);
  keys.Integer("edgesize", EdgeSize);
  keys.Color("pointscolor", PointsColor);
}

void TbsDataSkinBevel::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Color("lightcolor", LightColor);
  keys.Color("darkcolor", DarkColor);
}

#define KORA_SKIN_TEXT_VIEW_KEYS(Name)         \
  void Name::ExchangeKeys(TbsSkinKeys& keys) { \
    inherited::ExchangeKeys(keys);             \
    keys.Font("font", *this);                  \
    keys.Color("bgcolor", BGColor);            \
  }
KORA_SKIN_TEXT_VIEW_KEYS(TbsDataSkinTreeView)
KORA_SKIN_TEXT_VIEW_KEYS(TbsDataSkinListView)
KORA_SKIN_TEXT_VIEW_KEYS(TbsDataSkinRichEdit)
#undef KORA_SKIN_TEXT_VIEW_KEYS

void TbsDataSkinTabControl::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Rect("tabrect", TabRect);
  keys.Rect("activetabrect", ActiveTabRect);
  keys.Rect("focustabrect", FocusTabRect);
  keys.Rect("mouseintabrect", MouseInTabRect);
  keys.Rect("clientrect", ClientRect);
  keys.Integer("bgpictureindex", BGPictureIndex, -1);
  keys.Point("lefttoppoint", LeftTopPoint);
  keys.Point("righttoppoint", RightTopPoint);
  keys.Point("leftbottompoint", LeftBottomPoint);
  keys.Point("rightbottompoint", RightBottomPoint);
  keys.Integer("tableftoffset", TabLeftOffset);
  keys.Integer("tabrightoffset", TabRightOffset);
  keys.Rect("tabsbgrect", TabsBGRect);
  keys.Boolean("tabstretcheffect", TabStretchEffect);
  keys.Boolean("leftstretch", LeftStretch);
  keys.Boolean("topstretch", TopStretch);
  keys.Boolean("rightstretch", RightStretch);
  keys.Boolean("bottomstretch", BottomStretch);
  keys.Font("font", *this);
  keys.Color("activefontcolor", ActiveFontColor);
  keys.Color("focusfontcolor", FocusFontColor);
  keys.Color("mouseinfontcolor", MouseInFontColor);
  keys.String("updown", UpDown);
  keys.Boolean("showfocus", ShowFocus);
  keys.Integer("focusoffsetx", FocusOffsetX);
  keys.Integer("focusoffsety", FocusOffsetY);
}

void TbsDataSkinGridControl::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Rect("fixedcellrect", FixedCellRect);
  keys.Rect("selectcellrect", SelectCellRect);
  keys.Rect("focuscellrect", FocusCellRect);
  keys.Integer("fixedcellleftoffset", FixedCellLeftOffset);
  keys.Integer("fixedcellrightoffset", FixedCellRightOffset);
  keys.Rect("fixedcelltextrect", FixedCellTextRect);
  keys.Integer("cellleftoffset", CellLeftOffset);
  keys.Integer("cellrightoffset", CellRightOffset);
  keys.Rect("celltextrect", CellTextRect);
  keys.Color("linescolor", LinesColor);
  keys.Color("bgcolor", BGColor);
  keys.CharsetFont(*this);
  keys.Color("selectfontcolor", SelectFontColor);
  keys.Color("focusfontcolor", FocusFontColor);
  keys.CharsetFont("fixedfont", "FixedFontCharset", FixedFontName, FixedFontCharset, FixedFontHeight, FixedFontStyle,
                   FixedFontColor);
  keys.Boolean("cellstretcheffect", CellStretchEffect);
  keys.Boolean("fixedcellstretcheffect", FixedCellStretchEffect);
  keys.Boolean("showfocus", ShowFocus);
}

void TbsDataSkinSpinEditControl::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Rect("activeskinrect", ActiveSkinRect);
  keys.CharsetFont(*this);
  keys.Color("activefontcolor", ActiveFontColor);
  keys.Color("disabledfontcolor", DisabledFontColor);
  UpDownButtonKeys(keys, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
                   DownDownButtonRect);
}

void TbsDataSkinEditControl::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Rect("activeskinrect", ActiveSkinRect);
  keys.CharsetFont(*this);
  keys.Color("disabledfontcolor", DisabledFontColor);
  keys.Color("activefontcolor", ActiveFontColor);
  keys.Rect("buttonrect", ButtonRect);
  keys.Rect("activebuttonrect", ActiveButtonRect);
  keys.Rect("downbuttonrect", DownButtonRect);
  keys.Rect("unenabledbuttonrect", UnEnabledButtonRect);
}

void TbsDataSkinMemoControl::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Color("bgcolor", BGColor);
  keys.Color("activebgcolor", ActiveBGColor);
}

void TbsDataSkinStdLabelControl::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Font("font", *this);
  keys.Color("activefontcolor", ActiveFontColor, clBlue);
}

void TbsDataSkinLabelControl::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Font("font", *this);
}

void TbsDataSkinScrollBarControl::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Rect("trackarea", TrackArea);
  UpDownButtonKeys(keys, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect,
                   DownDownButtonRect);
  keys.Rect("thumbrect", ThumbRect);
  keys.Rect("activethumbrect", ActiveThumbRect);
  keys.Rect("downthumbrect", DownThumbRect);
  keys.Integer("thumboffset1", ThumbOffset1);
  keys.Integer("thumboffset2", ThumbOffset2);
  keys.Boolean("thumbtransparent", ThumbTransparent);
  keys.Color("thumbtransparentcolor", ThumbTransparentColor);
  keys.Rect("glyphrect", GlyphRect);
  keys.Rect("activeglyphrect", ActiveGlyphRect);
  keys.Rect("downglyphrect", DownGlyphRect);
}

void TbsDataSkinTrackBarControl::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Rect("trackarea", TrackArea);
  keys.Rect("buttonrect", ButtonRect);
  keys.Rect("activebuttonrect", ActiveButtonRect);
  keys.Boolean("vertical", Vertical);
  keys.Boolean("buttontransparent", ButtonTransparent);
  keys.Color("buttontransparentcolor", ButtonTransparentColor);
}

void TbsDataSkinSplitterControl::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Rect("gripperrect", GripperRect);
  keys.Boolean("grippertransparent", GripperTransparent);
  keys.Color("grippertransparentcolor", GripperTransparentColor);
}

void TbsDataSkinGaugeControl::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Rect("progressarea", ProgressArea);
  keys.Rect("progressrect", ProgressRect);
  keys.Integer("beginoffset", BeginOffset);
  keys.Integer("endoffset", EndOffset);
  keys.Boolean("vertical", Vertical);
  keys.Font("font", *this);
  keys.Boolean("progresstransparent", ProgressTransparent);
  keys.Color("progresstransparentcolor", ProgressTransparentColor);
  keys.Boolean("progressstretch", ProgressStretch);
}

void TbsDataSkinScrollBoxControl::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Integer("bgpictureindex", BGPictureIndex, -1);
}

void TbsDataSkinExPanelControl::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Rect("rollhskinrect", RollHSkinRect);
  keys.Rect("rollvskinrect", RollVSkinRect);
  keys.Integer("rollleftoffset", RollLeftOffset);
  keys.Integer("rollrightoffset", RollRightOffset);
  keys.Integer("rolltopoffset", RollTopOffset);
  keys.Integer("rollbottomoffset", RollBottomOffset);
  keys.Rect("rollvcaptionrect", RollVCaptionRect);
  keys.Rect("rollhcaptionrect", RollHCaptionRect);
  keys.Rect("closebuttonrect", CloseButtonRect);
  keys.Rect("closebuttonactiverect", CloseButtonActiveRect);
  keys.Rect("closebuttondownrect", CloseButtonDownRect);
  keys.Rect("hrollbuttonrect", HRollButtonRect);
  keys.Rect("hrollbuttonactiverect", HRollButtonActiveRect);
  keys.Rect("hrollbuttondownrect", HRollButtonDownRect);
  keys.Rect("hrestorebuttonrect", HRestoreButtonRect);
  keys.Rect("hrestorebuttonactiverect", HRestoreButtonActiveRect);
  keys.Rect("hrestorebuttondownrect", HRestoreButtonDownRect);
  keys.Rect("vrollbuttonrect", VRollButtonRect);
  keys.Rect("vrollbuttonactiverect", VRollButtonActiveRect);
  keys.Rect("vrollbuttondownrect", VRollButtonDownRect);
  keys.Rect("vrestorebuttonrect", VRestoreButtonRect);
  keys.Rect("vrestorebuttonactiverect", VRestoreButtonActiveRect);
  keys.Rect("vrestorebuttondownrect", VRestoreButtonDownRect);
  keys.Rect("captionrect", CaptionRect);
  keys.Font("font", *this);
}

void TbsDataSkinPanelControl::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Integer("bgpictureindex", BGPictureIndex, -1);
  keys.Rect("captionrect", CaptionRect);
  keys.Alignment("alignment", Alignment);
  keys.Font("font", *this);
  keys.Rect("checkimagerect", CheckImageRect);
  keys.Rect("uncheckimagerect", UnCheckImageRect);
  keys.Rect("markframerect", MarkFrameRect);
  keys.Rect("framerect", FrameRect);
  keys.Rect("frametextrect", FrameTextRect);
  keys.Integer("frameleftoffset", FrameLeftOffset);
  keys.Integer("framerightoffset", FrameRightOffset);
  keys.Rect("gripperrect", GripperRect);
  keys.Boolean("grippertransparent", GripperTransparent);
  keys.Color("grippertransparentcolor", GripperTransparentColor);
}

void TbsDataSkinCheckRadioControl::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Font("font", *this);
  keys.Color("activefontcolor", ActiveFontColor);
  keys.Color("unenabledfontcolor", UnEnabledFontColor);
  keys.Color("framefontcolor", FrameFontColor);
  keys.Rect("activeskinrect", ActiveSkinRect);
  keys.Rect("checkimagearea", CheckImageArea);
  keys.Rect("textarea", TextArea);
  keys.Rect("checkimagerect", CheckImageRect);
  keys.Rect("uncheckimagerect", UnCheckImageRect);
  keys.Rect("activecheckimagerect", ActiveCheckImageRect);
  keys.Rect("activeuncheckimagerect", ActiveUnCheckImageRect);
  keys.Rect("unenabledcheckimagerect", UnEnabledCheckImageRect);
  keys.Rect("unenableduncheckimagerect", UnEnabledUnCheckImageRect);
  keys.Boolean("morphing", Morphing);
  keys.MorphKind("morphkind", MorphKind);
}

void TbsDataSkinButtonControl::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Font("font", *this);
  keys.Color("activefontcolor", ActiveFontColor);
  keys.Color("downfontcolor", DownFontColor);
  keys.Color("disabledfontcolor", DisabledFontColor);
  keys.Rect("activeskinrect", ActiveSkinRect);
  keys.Rect("downskinrect", DownSkinRect);
  keys.Rect("disabledskinrect", DisabledSkinRect);
  keys.Boolean("morphing", Morphing);
  keys.MorphKind("morphkind", MorphKind);
  keys.Rect("animateskinrect", AnimateSkinRect);
  keys.Integer("framecount", FrameCount);
  keys.Integer("animateinterval", AnimateInterval, 25);
  keys.Boolean("showfocus", ShowFocus);
  keys.Rect("menumarkerflatrect", MenuMarkerFlatRect);
  keys.Rect("menumarkerrect", MenuMarkerRect);
  keys.Rect("menumarkeractiverect", MenuMarkerActiveRect);
  keys.Rect("menumarkerdownrect", MenuMarkerDownRect);
  keys.Color("menumarkertransparentcolor", MenuMarkerTransparentColor);
}

void TbsDataSkinMenuButtonControl::ExchangeKeys(TbsSkinKeys& keys) {
  inherited::ExchangeKeys(keys);
  keys.Rect("trackbuttonrect", TrackButtonRect);
}

}  // namespace kora

// The global sections of skin.ini ([VERSION], [FORMINFO], [SKINCOLORS]) and
// the kinds of the two registry sections.

#include <algorithm>
#include <array>
#include <utility>

#include "skin/data/bsSkinData.h"

namespace kora {

// --- TbsSkinColors ---------------------------------------------------------

namespace {

struct TColorKey {
  const char* Key;
  TColor TbsSkinColors::*Field;
  TColor Default;
};
constexpr TColorKey kColorKeys[] = {
    {"cbtnface", &TbsSkinColors::BtnFace, clBtnFace},
    {"cbtntext", &TbsSkinColors::BtnText, clBtnText},
    {"cwindow", &TbsSkinColors::Window, clWindow},
    {"cwindowtext", &TbsSkinColors::WindowText, clWindowText},
    {"chighlight", &TbsSkinColors::Highlight, clHighlight},
    {"chighlighttext", &TbsSkinColors::HighlightText, clHighlightText},
    {"cbtnhighlight", &TbsSkinColors::BtnHighlight, clBtnHighlight},
    {"cbtnshadow", &TbsSkinColors::BtnShadow, clBtnShadow},
};

}  // namespace

void TbsSkinColors::SetColorsToDefault() {
  for (const TColorKey& c : kColorKeys) this->*c.Field = c.Default;
}

void TbsSkinColors::ExchangeKeys(TbsSkinKeys& keys) {
  for (const TColorKey& c : kColorKeys) keys.Color(c.Key, this->*c.Field, c.Default);
}

// --- TbsSkinFormInfo -------------------------------------------------------

void TbsSkinFormInfo::ExchangeKeys(TbsSkinKeys& keys) {
  keys.Point("lefttoppoint", LeftTopPoint);
  keys.Point("righttoppoint", RightTopPoint);
  keys.Point("leftbottompoint", LeftBottomPoint);
  keys.Point("rightbottompoint", RightBottomPoint);
  keys.Rect("clientrect", ClientRect);
  keys.Integer("bgpictureindex", BGPictureIndex, -1);
  keys.Integer("mdibgpictureindex", MDIBGPictureIndex, -1);
  keys.Boolean("leftstretch", LeftStretch);
  keys.Boolean("rightstretch", RightStretch);
  keys.Boolean("topstretch", TopStretch);
  keys.Boolean("bottomstretch", BottomStretch);
  keys.Rect("maskrectarea", MaskRectArea);
  keys.Point("hittestlefttoppoint", HitTestLeftTopPoint);
  keys.Point("hittestrighttoppoint", HitTestRightTopPoint);
  keys.Point("hittestleftbottompoint", HitTestLeftBottomPoint);
  keys.Point("hittestrightbottompoint", HitTestRightBottomPoint);
  keys.Rect("buttonsrect", ButtonsRect);
  keys.Rect("captionrect", CaptionRect);
  keys.Integer("buttonsoffset", ButtonsOffset);
  keys.Boolean("buttonsinleft", ButtonsInLeft);
  keys.Boolean("mainmenupopupup", MainMenuPopupUp);
  keys.Integer("borderwidth", BorderWidth);
  keys.Integer("formminwidth", FormMinWidth);
  keys.Boolean("autorenderinginactiveimage", AutoRenderingInActiveImage);
  keys.InactiveEffect("inactiveeffect", InActiveEffect);
}

void TbsSkinFormInfo::Adjust(bool hasMask) {
  if (hasMask) {
    const RECT& c = ClientRect;
    RECT& m = MaskRectArea;
    if (m.Width() <= 0 || m.Height() <= 0) {
      m = c;
    } else {
      m = RECT{std::min(m.Left, c.Left), std::min(m.Top, c.Top), std::max(m.Right, c.Right),
               std::max(m.Bottom, c.Bottom)};
    }
    const std::array<std::pair<POINT*, POINT>, 4> hitTest{{{&HitTestLeftTopPoint, LeftTopPoint},
                                                           {&HitTestRightTopPoint, RightTopPoint},
                                                           {&HitTestLeftBottomPoint, LeftBottomPoint},
                                                           {&HitTestRightBottomPoint, RightBottomPoint}}};
    for (const auto& [point, corner] : hitTest) {
      if (point->X == 0 || point->Y == 0) *point = corner;
    }
  }
  // Corner points that coincide describe no frame to pull in.
  if (RightBottomPoint.X == LeftTopPoint.X || RightBottomPoint.Y == LeftTopPoint.Y) return;
  const RECT& c = ClientRect;
  LeftTopPoint = {std::max(LeftTopPoint.X, c.Left), std::max(LeftTopPoint.Y, c.Top)};
  RightTopPoint = {std::min(RightTopPoint.X, c.Right), std::max(RightTopPoint.Y, c.Top)};
  LeftBottomPoint = {std::max(LeftBottomPoint.X, c.Left), std::min(LeftBottomPoint.Y, c.Bottom)};
  RightBottomPoint = {std::min(RightBottomPoint.X, c.Right), std::min(RightBottomPoint.Y, c.Bottom)};
}

// --- TbsSkinVersionInfo ----------------------------------------------------

void TbsSkinVersionInfo::ExchangeKeys(TbsSkinKeys& keys) {
  keys.String("skinname", SkinName);
  keys.String("skinauthor", SkinAuthor);
  keys.String("authoremail", AuthorEMail);
  keys.String("authorurl", AuthorURL);
  keys.String("skincomments", SkinComments);
}

// --- Registry kinds --------------------------------------------------------

namespace {

template <typename Base>
using TRecordMaker = std::unique_ptr<Base> (*)(const std::string& name);

template <typename Base, typename Record>
std::unique_ptr<Base> Make(const std::string& name) {
  return std::make_unique<Record>(name);
}

template <typename Base, std::size_t N>
std::unique_ptr<Base> CreateRecord(const std::array<std::pair<const char*, TRecordMaker<Base>>, N>& kinds,
                                   std::string_view kind, const std::string& name) {
  for (const auto& [registered, make] : kinds) {
    if (kind == registered) return make(name);
  }
  return nullptr;
}

using O = TbsDataSkinObject;
const std::array<std::pair<const char*, TRecordMaker<O>>, 8> kObjectKinds{{
    {"menuitem", &Make<O, TbsDataSkinMenuItem>},
    {"mainmenubaritem", &Make<O, TbsDataSkinMainMenuBarItem>},
    {"stdbutton", &Make<O, TbsDataSkinStdButton>},
    {"mainmenubarbutton", &Make<O, TbsDataSkinMainMenuBarButton>},
    {"button", &Make<O, TbsDataSkinButton>},
    {"caption", &Make<O, TbsDataSkinCaption>},
    {"animate", &Make<O, TbsDataSkinAnimate>},
    {"userobject", &Make<O, TbsDataUserObject>},
}};

using C = TbsDataSkinControl;
const std::array<std::pair<const char*, TRecordMaker<C>>, 28> kControlKinds{{
    {"panel", &Make<C, TbsDataSkinPanelControl>},
    {"expanel", &Make<C, TbsDataSkinExPanelControl>},
    {"menubutton", &Make<C, TbsDataSkinMenuButtonControl>},
    {"button", &Make<C, TbsDataSkinButtonControl>},
    {"checkradio", &Make<C, TbsDataSkinCheckRadioControl>},
    {"gauge", &Make<C, TbsDataSkinGaugeControl>},
    {"splitter", &Make<C, TbsDataSkinSplitterControl>},
    {"trackbar", &Make<C, TbsDataSkinTrackBarControl>},
    {"label", &Make<C, TbsDataSkinLabelControl>},
    {"stdlabel", &Make<C, TbsDataSkinStdLabelControl>},
    {"updown", &Make<C, TbsDataSkinUpDownControl>},
    {"grid", &Make<C, TbsDataSkinGridControl>},
    {"tab", &Make<C, TbsDataSkinTabControl>},
    {"mainmenubar", &Make<C, TbsDataSkinMainMenuBar>},
    {"controlbar", &Make<C, TbsDataSkinControlBar>},
    {"memo", &Make<C, TbsDataSkinMemoControl>},
    {"edit", &Make<C, TbsDataSkinEditControl>},
    {"checklistbox", &Make<C, TbsDataSkinCheckListBox>},
    {"listbox", &Make<C, TbsDataSkinListBox>},
    {"combobox", &Make<C, TbsDataSkinComboBox>},
    {"scrollbar", &Make<C, TbsDataSkinScrollBarControl>},
    {"spinedit", &Make<C, TbsDataSkinSpinEditControl>},
    {"scrollbox", &Make<C, TbsDataSkinScrollBoxControl>},
    {"treeview", &Make<C, TbsDataSkinTreeView>},
    {"bevel", &Make<C, TbsDataSkinBevel>},
    {"slider", &Make<C, TbsDataSkinSlider>},
    {"listview", &Make<C, TbsDataSkinListView>},
    {"richedit", &Make<C, TbsDataSkinRichEdit>},
}};

}  // namespace

std::unique_ptr<TbsDataSkinObject> CreateSkinObjectRecord(std::string_view kind, const std::string& name) {
  return CreateRecord(kObjectKinds, kind, name);
}

std::unique_ptr<TbsDataSkinControl> CreateSkinControlRecord(std::string_view kind, const std::string& name) {
  return CreateRecord(kControlKinds, kind, name);
}

}  // namespace kora

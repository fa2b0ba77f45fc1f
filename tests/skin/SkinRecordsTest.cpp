// The record classes: defaults of absent keys, the classes that bend the
// rules (up-down, user object, character sets) and writing a section back.
#include <gtest/gtest.h>

#include "skin/SkinTestSupport.h"

namespace kora {
namespace {

using test::IniOf;

template <typename Record>
std::unique_ptr<Record> ReadRecord(const std::string& text, const std::string& name = "rec") {
  auto record = std::make_unique<Record>(name);
  record->ReadFromIni(IniOf(text));
  return record;
}

std::vector<std::string> SectionLines(const TCustomIniFile& ini, const std::string& section) {
  TStringList values;
  ini.ReadSectionValues(section, values);
  std::vector<std::string> lines;
  for (int i = 0; i < values.Count(); ++i) lines.push_back(values[i]);
  return lines;
}

TEST(SkinRecords, AbsentKeysTakeEachClassDefaults) {
  const auto button = ReadRecord<TbsDataSkinButtonControl>("");
  EXPECT_EQ(button->PictureIndex, -1);
  EXPECT_EQ(button->MaskPictureIndex, -1);
  EXPECT_EQ(button->AnimateInterval, 25);
  EXPECT_EQ(button->FrameCount, 0);
  EXPECT_EQ(button->FontName, "宋体");
  EXPECT_EQ(button->FontHeight, 14);
  EXPECT_EQ(button->MorphKind, mkDefault);
  EXPECT_TRUE(button->SkinRect.IsEmpty());

  EXPECT_EQ(ReadRecord<TbsDataSkinStdLabelControl>("")->ActiveFontColor, 16711680);
  EXPECT_EQ(ReadRecord<TbsDataSkinListBox>("")->BothScrollBarName, "bothhscrollbar");
  EXPECT_EQ(ReadRecord<TbsDataSkinListBox>("")->CaptionFontHeight, 14);
  EXPECT_EQ(ReadRecord<TbsDataSkinPanelControl>("")->Alignment, taCenter);
  EXPECT_EQ(ReadRecord<TbsDataSkinPanelControl>("")->BGPictureIndex, -1);
  EXPECT_EQ(ReadRecord<TbsDataSkinTabControl>("")->BGPictureIndex, -1);
  EXPECT_EQ(ReadRecord<TbsDataSkinControlBar>("")->BGPictureIndex, -1);
  EXPECT_EQ(ReadRecord<TbsDataSkinScrollBoxControl>("")->BGPictureIndex, -1);
  EXPECT_EQ(ReadRecord<TbsDataSkinComboBox>("")->ListBoxName, "");
  EXPECT_EQ(ReadRecord<TbsDataSkinGridControl>("")->FixedFontName, "宋体");
  EXPECT_EQ(ReadRecord<TbsDataSkinTreeView>("")->FontHeight, 14);

  const auto animate = ReadRecord<TbsDataSkinAnimate>("");
  EXPECT_EQ(animate->CountFrames, 1);
  EXPECT_EQ(animate->TimerInterval, 50);
  EXPECT_EQ(animate->Command, cmDefault);
  EXPECT_EQ(animate->ActivePictureIndex, -1);
  EXPECT_EQ(ReadRecord<TbsDataSkinStdButton>("")->Command, cmDefault);
  EXPECT_EQ(ReadRecord<TbsDataSkinCaption>("")->Alignment, taCenter);
  EXPECT_EQ(ReadRecord<TbsDataSkinMenuItem>("")->AnimateInterval, 25);
  EXPECT_EQ(ReadRecord<TbsDataSkinMainMenuBarItem>("")->AnimateInterval, 25);

  TbsDataSkinPopupWindow popup;
  popup.ReadFromIni(IniOf("[POPUPWINDOW]\nwindowpictureindex=4\n"));
  EXPECT_EQ(popup.WindowPictureIndex, 4);
  EXPECT_EQ(popup.MaskPictureIndex, -1);
  TbsDataSkinHintWindow hint;
  hint.ReadFromIni(IniOf(""));
  EXPECT_EQ(hint.WindowPictureIndex, -1);
  EXPECT_EQ(hint.FontName, "宋体");
}

TEST(SkinRecords, AncestorsKeysAreReadToo) {
  const auto menuButton = ReadRecord<TbsDataSkinMenuButtonControl>(
      "[rec]\npictureindex=3\nclientrect=1,2,3,4\nactiveskinrect=5,6,7,8\ntrackbuttonrect=9,9,19,19\n");
  EXPECT_EQ(menuButton->PictureIndex, 3);
  EXPECT_EQ(menuButton->ClientRect, (RECT{1, 2, 3, 4}));
  EXPECT_EQ(menuButton->ActiveSkinRect, (RECT{5, 6, 7, 8}));
  EXPECT_EQ(menuButton->TrackButtonRect, (RECT{9, 9, 19, 19}));

  const auto memo = ReadRecord<TbsDataSkinMemoControl>("[rec]\nbuttonrect=1,1,2,2\nactivebgcolor=255\n");
  EXPECT_EQ(memo->ButtonRect, (RECT{1, 1, 2, 2}));
  EXPECT_EQ(memo->ActiveBGColor, 255);

  const auto barButton = ReadRecord<TbsDataSkinMainMenuBarButton>(
      "[rec]\nhint=Close\ndownrect=1,1,2,2\ndisableskinrsect=3,3,4,4\ncommand=cmsysmenu\n");
  EXPECT_EQ(barButton->Hint, "Close");
  EXPECT_EQ(barButton->DisableSkinRect, (RECT{3, 3, 4, 4}));
  EXPECT_EQ(barButton->Command, cmSysMenu);

  const auto barItem = ReadRecord<TbsDataSkinMainMenuBarItem>("[rec]\nunenabledfontcolor=77\n");
  EXPECT_EQ(barItem->UnEnabledFontColor, 77);  // ini keys ignore case
}

TEST(SkinRecords, UpDownHasNoFrameWhateverItsSectionSays) {
  const auto updown = ReadRecord<TbsDataSkinUpDownControl>(
      "[rec]\nclientrect=1,2,30,40\nlefttoppoint=5,5\nrightbottompoint=9,9\nupbuttonrect=0,0,10,10\n"
      "skinrect=0,0,10,20\n");
  EXPECT_EQ(updown->ClientRect, RECT{});
  EXPECT_EQ(updown->LeftTopPoint, POINT{});
  EXPECT_EQ(updown->RightBottomPoint, POINT{});
  EXPECT_EQ(updown->UpButtonRect, (RECT{0, 0, 10, 10}));
  EXPECT_EQ(updown->SkinRect, (RECT{0, 0, 10, 20}));
}

TEST(SkinRecords, UserObjectReadsOnlyItsRectangle) {
  const auto user =
      ReadRecord<TbsDataUserObject>("[rec]\nhint=ignored\nactivepictureindex=2\nmorphing=1\nskinrect=1,2,3,4\n");
  EXPECT_EQ(user->Hint, "");
  EXPECT_EQ(user->ActivePictureIndex, -1);
  EXPECT_FALSE(user->Morphing);
  EXPECT_EQ(user->SkinRect, (RECT{1, 2, 3, 4}));
}

TEST(SkinRecords, OnlySomeClassesReadTheCharacterSet) {
  const std::string section = "[rec]\nFontCharset=0\nFixedFontCharset=2\n";
  EXPECT_EQ(ReadRecord<TbsDataSkinSpinEditControl>(section)->FontCharset, 0);
  EXPECT_EQ(ReadRecord<TbsDataSkinEditControl>(section)->FontCharset, 0);
  EXPECT_EQ(ReadRecord<TbsDataSkinMemoControl>(section)->FontCharset, 0);
  const auto grid = ReadRecord<TbsDataSkinGridControl>(section);
  EXPECT_EQ(grid->FontCharset, 0);
  EXPECT_EQ(grid->FixedFontCharset, 2);
  EXPECT_EQ(ReadRecord<TbsDataSkinButtonControl>(section)->FontCharset, 134);
  EXPECT_EQ(ReadRecord<TbsDataSkinCaption>(section)->FontCharset, 134);
  EXPECT_EQ(ReadRecord<TbsDataSkinGridControl>("")->FontCharset, 134);
}

TEST(SkinRecords, WriteToIniReplacesTheSectionInReadOrder) {
  TMemIniFile ini = IniOf("[rec]\nstale=1\n[other]\nx=1\n");
  auto spin = std::make_unique<TbsDataSkinSpinEditControl>("rec");
  spin->SkinRect = {1, 2, 3, 4};
  spin->LeftTopPoint = {5, 6};
  spin->TopStretch = true;
  spin->FontStyle = TFontStyles{fsBold, fsItalic};
  spin->FontCharset = 0;
  spin->FontColor = -16777201;
  spin->WriteToIni(ini);

  const std::vector<std::string> lines = SectionLines(ini, "rec");
  const std::vector<std::string> start{"pictureindex=-1", "maskpictureindex=-1", "skinrect=1,2,3,4",
                                       "lefttoppoint=5,6"};
  ASSERT_GT(lines.size(), start.size());
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4), start);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "stale=1"), 0);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "topstretch=1"), 1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "fontstyle=fsbold,fsitalic"), 1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "FontCharset=0"), 1);
  EXPECT_EQ(lines.back(), "downdownbuttonrect=0,0,0,0");
  EXPECT_EQ(ini.ReadString("other", "x", ""), "1");

  // What was written reads back the same.
  auto again = std::make_unique<TbsDataSkinSpinEditControl>("rec");
  again->ReadFromIni(ini);
  TMemIniFile second("");
  again->WriteToIni(second);
  EXPECT_EQ(SectionLines(second, "rec"), lines);

  TbsDataSkinCaption caption("cap");
  caption.Alignment = taLeftJustify;
  caption.MorphKind = mkRightSlide;
  caption.WriteToIni(ini);
  EXPECT_EQ(ini.ReadString("cap", "alignment", ""), "taleftjustify");
  EXPECT_EQ(ini.ReadString("cap", "morphkind", ""), "mkrightslide");
  EXPECT_FALSE(ini.ValueExists("cap", "FontCharset"));
}

}  // namespace
}  // namespace kora

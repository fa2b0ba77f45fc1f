// Value formats of skin.ini: points and rectangles, booleans, font styles,
// keywords, counted lists and registry entries, and the case rules.
#include <gtest/gtest.h>

#include "skin/SkinTestSupport.h"

namespace kora {
namespace {

using test::IniOf;

TEST(SkinValues, PointsAndRectanglesKeepDigitsAndCommasOnly) {
  EXPECT_EQ(ParseSkinRect("10,20,30,40"), (RECT{10, 20, 30, 40}));
  EXPECT_EQ(ParseSkinRect(" 10 , 20 ,30 , 40 "), (RECT{10, 20, 30, 40}));
  EXPECT_EQ(ParseSkinPoint("-3,4"), (POINT{3, 4}));
  EXPECT_EQ(ParseSkinPoint("x1y2,3z"), (POINT{12, 3}));
  EXPECT_EQ(ParseSkinPoint("1,2,junk,,"), (POINT{1, 2}));
  EXPECT_EQ(ParseSkinRect("1,2,3,4,5"), (RECT{1, 2, 3, 4}));
  EXPECT_EQ(SkinRectToString(RECT{1, 2, 3, 4}), "1,2,3,4");
  EXPECT_EQ(SkinPointToString(POINT{5, 6}), "5,6");
}

TEST(SkinValues, EmptyFieldsAreConversionErrors) {
  for (const char* text : {"", "1,,2,3", "1,2", ",", "a,b"}) {
    try {
      ParseSkinRect(text);
      ADD_FAILURE() << "no error for '" << text << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'' is not a valid integer value") << text;
    }
  }
  EXPECT_THROW(ParseSkinPoint("7"), EConvertError);
  EXPECT_THROW(ParseSkinPoint("99999999999,1"), EConvertError);
}

TEST(SkinValues, FontStylesAreSubstrings) {
  EXPECT_EQ(ParseSkinFontStyles("fsbold fsunderline"), (TFontStyles{fsBold, fsUnderline}));
  EXPECT_EQ(ParseSkinFontStyles("[fsitalic,fsstrikeout]"), (TFontStyles{fsItalic, fsStrikeOut}));
  EXPECT_TRUE(ParseSkinFontStyles("").Empty());
  EXPECT_TRUE(ParseSkinFontStyles("FSBOLD").Empty());
  EXPECT_EQ(SkinFontStylesToString(TFontStyles{fsBold, fsStrikeOut}), "fsbold,fsstrikeout");
}

TEST(SkinValues, KeywordsMatchExactlyElseTakeTheirFallback) {
  EXPECT_EQ(ParseSkinAlignment("taleftjustify"), taLeftJustify);
  EXPECT_EQ(ParseSkinAlignment("tacenter"), taCenter);
  EXPECT_EQ(ParseSkinAlignment("TaCenter"), taRightJustify);
  EXPECT_EQ(ParseSkinAlignment("anything"), taRightJustify);

  EXPECT_EQ(ParseSkinMorphKind("mkpush"), mkPush);
  EXPECT_EQ(ParseSkinMorphKind("mkleftslide"), mkLeftSlide);
  EXPECT_EQ(ParseSkinMorphKind("MKPUSH"), mkDefault);

  EXPECT_EQ(ParseSkinInactiveEffect("ieinvert"), ieInvert);
  EXPECT_EQ(ParseSkinInactiveEffect("iebrightness"), ieBrightness);
  EXPECT_EQ(ParseSkinInactiveEffect("IeInvert"), ieGrayScale);

  EXPECT_EQ(ParseSkinCommand("cmclose"), cmClose);
  EXPECT_EQ(ParseSkinCommand("cmrollup"), cmRollUp);
  EXPECT_EQ(ParseSkinCommand("CMCLOSE"), cmMinimizeToTray);
  EXPECT_EQ(ParseSkinCommand(""), cmMinimizeToTray);

  for (int i = 0; i <= mkPush; ++i) EXPECT_EQ(ParseSkinMorphKind(SkinMorphKindName(static_cast<TbsMorphKind>(i))), i);
  for (int i = 0; i <= cmMinimizeToTray; ++i)
    EXPECT_EQ(ParseSkinCommand(SkinCommandName(static_cast<TbsStdCommand>(i))), i);
}

TEST(SkinValues, KeysReadWithTheirRulesAndFallbacks) {
  const TMemIniFile ini =
      IniOf("[Sec]\nOne=1\ntwo=2\nneg=-7\nhex=$10\nbad=abc\nalign=tacenter\nALIGN2=TaCenter\ncmd=cmmaximize\n");
  TbsSkinKeys keys = TbsSkinKeys::Reader(ini, "sEC");
  bool flag = true;
  keys.Boolean("one", flag);
  EXPECT_TRUE(flag);
  keys.Boolean("two", flag);
  EXPECT_FALSE(flag);  // only 1 is true
  keys.Boolean("missing", flag);
  EXPECT_FALSE(flag);

  int32_t value = 0;
  keys.Integer("NEG", value, 5);
  EXPECT_EQ(value, -7);
  keys.Integer("hex", value, 5);
  EXPECT_EQ(value, 16);
  keys.Integer("bad", value, 5);
  EXPECT_EQ(value, 5);
  keys.Integer("missing", value, -1);
  EXPECT_EQ(value, -1);

  TAlignment alignment = taLeftJustify;
  keys.Alignment("align", alignment);
  EXPECT_EQ(alignment, taCenter);
  keys.Alignment("align2", alignment);
  EXPECT_EQ(alignment, taRightJustify);
  keys.Alignment("missing", alignment);
  EXPECT_EQ(alignment, taCenter);

  TbsStdCommand command = cmClose;
  keys.Command("cmd", command);
  EXPECT_EQ(command, cmMaximize);
  keys.Command("missing", command);
  EXPECT_EQ(command, cmDefault);

  RECT rect{1, 1, 1, 1};
  keys.Rect("missing", rect);
  EXPECT_EQ(rect, RECT{});
  TFontCharset charset = 134;
  keys.Charset("missing", charset);
  EXPECT_EQ(charset, 134);
}

TEST(SkinValues, CountedListsFillMissingEntriesWithEmptyText) {
  const TMemIniFile ini = IniOf("[PICTURES]\nActivePicturesCount=4\n0=a.bmp\n2=c.bmp\n");
  TStringList list;
  list.Add("old");
  ReadSkinStrings(ini, "pictures", "activepictures", list);
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[0], "a.bmp");
  EXPECT_EQ(list[1], "");
  EXPECT_EQ(list[2], "c.bmp");
  EXPECT_EQ(list[3], "");

  ReadSkinStrings(IniOf("[PICTURES]\nactivepicturescount=-2\n"), "PICTURES", "activepictures", list);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_THROW(
      ReadSkinStrings(IniOf("[PICTURES]\nactivepicturescount=2000000000\n"), "PICTURES", "activepictures", list),
      EbsSkinDataError);
}

TEST(SkinValues, RegistryEntriesSplitAtTheFirstColon) {
  EXPECT_EQ(SplitSkinRegistryEntry("caption:caption").Name, "caption");
  EXPECT_EQ(SplitSkinRegistryEntry("a:b:c").Kind, "b:c");
  EXPECT_EQ(SplitSkinRegistryEntry("nocolon").Name, "");
  EXPECT_EQ(SplitSkinRegistryEntry("nocolon").Kind, "");

  // A huge count costs nothing: only the entries present are looked at.
  const TMemIniFile ini =
      IniOf("[SKINCONTROLS]\ncount=2000000000\n0=tab:tab\n1=nocolon\n2=odd:unknownkind\n5=Button:button\n05=x:panel\n");
  const std::vector<TbsSkinRegistryEntry> entries = ReadSkinRegistry(ini, "skincontrols");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].Name, "tab");
  EXPECT_EQ(entries[1].Kind, "unknownkind");
  EXPECT_EQ(entries[2].Name, "Button");

  EXPECT_TRUE(ReadSkinRegistry(IniOf("[SKINCONTROLS]\ncount=1\n1=tab:tab\n"), "SKINCONTROLS").empty());
  EXPECT_TRUE(ReadSkinRegistry(IniOf(""), "SKINCONTROLS").empty());
}

TEST(SkinValues, KindsAreCaseSensitive) {
  EXPECT_NE(dynamic_cast<TbsDataSkinCaption*>(CreateSkinObjectRecord("caption", "c").get()), nullptr);
  EXPECT_EQ(CreateSkinObjectRecord("Caption", "c"), nullptr);
  EXPECT_EQ(CreateSkinObjectRecord("panel", "c"), nullptr);
  EXPECT_NE(dynamic_cast<TbsDataSkinCheckListBox*>(CreateSkinControlRecord("checklistbox", "c").get()), nullptr);
  EXPECT_EQ(CreateSkinControlRecord("Tab", "c"), nullptr);
  EXPECT_EQ(CreateSkinControlRecord("caption", "c"), nullptr);
  EXPECT_EQ(CreateSkinControlRecord("spinedit", "name")->IDName, "name");
}

}  // namespace
}  // namespace kora

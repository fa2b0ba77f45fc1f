#include <gtest/gtest.h>

#include "framework/LinesOf.h"
#include "framework/TempFolder.h"
#include "framework/core/IniFiles.h"

namespace kora {
namespace {

using V = std::vector<std::string>;

using test::LinesOf;

// The ini reader over lines, as the skin engine uses it for skin.ini.
class MemIni : public ::testing::Test {
protected:
  void Load(const std::string& text) {
    TStringList lines;
    lines.SetText(text);
    FIni.SetStrings(lines);
  }
  TMemIniFile FIni{""};
};

TEST_F(MemIni, NamesIgnoreCaseValuesKeepItAndBlanksAroundEqualsGo) {
  Load(
      "; a comment line\n"
      "[Version]\n"
      "  SkinName =  Kora Blue  \n"
      "ver=3\n"
      "  [ PICTURES ]  \n"
      "picture=main.bmp\n"
      "mask =\n"
      "formula=a=b\n"
      "; picture=commented.bmp\n"
      "garbage line\n"
      "picture=second.bmp\n");
  EXPECT_EQ(FIni.ReadString("VERSION", "skinname", "?"), "Kora Blue");
  EXPECT_EQ(FIni.ReadString("pictures", "PICTURE", "?"), "main.bmp");  // the first wins
  EXPECT_EQ(FIni.ReadString("Pictures", "mask", "?"), "");
  EXPECT_EQ(FIni.ReadString("Pictures", "formula", "?"), "a=b");
  EXPECT_EQ(FIni.ReadString("Pictures", "missing", "dflt"), "dflt");
  EXPECT_EQ(FIni.ReadString("Nowhere", "ver", "dflt"), "dflt");
  EXPECT_EQ(FIni.ReadInteger("version", "ver", 0), 3);

  TStringList list;
  FIni.ReadSection("pictures", list);
  EXPECT_EQ(LinesOf(list), (V{"picture", "mask", "formula"}));
  FIni.ReadSections(list);
  EXPECT_EQ(LinesOf(list), (V{"Version", "PICTURES"}));
  FIni.ReadSectionValues("Pictures", list);
  EXPECT_EQ(LinesOf(list), (V{"picture=main.bmp", "mask=", "formula=a=b"}));
  EXPECT_TRUE(FIni.SectionExists("version"));
  EXPECT_FALSE(FIni.SectionExists("SKINCONTROLS"));
  EXPECT_TRUE(FIni.ValueExists("Pictures", "MASK"));
  EXPECT_FALSE(FIni.ValueExists("Pictures", "garbage line"));
}

TEST_F(MemIni, TypedReadsFallBackOnBadValues) {
  Load("[A]\nhex=$1F\nhex2=0x10\nbad=12px\nyes=1\nno=0\nother=7\nf=2.5\nfbad=2,5\n");
  EXPECT_EQ(FIni.ReadInteger("A", "hex", 0), 31);
  EXPECT_EQ(FIni.ReadInteger("A", "hex2", 0), 16);
  EXPECT_EQ(FIni.ReadInteger("A", "bad", -1), -1);
  EXPECT_TRUE(FIni.ReadBool("A", "yes", false));
  EXPECT_FALSE(FIni.ReadBool("A", "no", true));
  EXPECT_TRUE(FIni.ReadBool("A", "other", false));
  EXPECT_TRUE(FIni.ReadBool("A", "absent", true));
  EXPECT_EQ(FIni.ReadFloat("A", "f", 0), 2.5);
  EXPECT_EQ(FIni.ReadFloat("A", "fbad", 9), 9);
}

TEST_F(MemIni, DuplicateSectionsMergeAndDeleteRemovesEveryCopy) {
  Load("[A]\nk=1\n[B]\nx=0\n[a]\nk=2\nm=3\n");
  EXPECT_EQ(FIni.ReadString("A", "k", ""), "1");
  EXPECT_EQ(FIni.ReadString("A", "m", ""), "3");
  FIni.DeleteKey("A", "K");
  EXPECT_FALSE(FIni.ValueExists("A", "k"));
  FIni.EraseSection("b");
  TStringList sections;
  FIni.ReadSections(sections);
  EXPECT_EQ(LinesOf(sections), (V{"A"}));
}

// Editors save UTF-8 with a byte-order mark; the first section must survive it.
TEST(IniFile, ALeadingByteOrderMarkIsSkipped) {
  const std::string path = test::TempFolder() + "bom.ini";
  test::WriteFileBytes(path, "\xEF\xBB\xBF[VERSION]\r\nskinname=Kora\r\n[PICTURES]\r\npicture=a.bmp\r\n");
  TMemIniFile ini(path);
  EXPECT_EQ(ini.ReadString("VERSION", "skinname", "?"), "Kora");
  EXPECT_EQ(ini.ReadString("PICTURES", "picture", "?"), "a.bmp");
  ini.UpdateFile();
  EXPECT_EQ(test::ReadFileBytes(path), "[VERSION]\nskinname=Kora\n\n[PICTURES]\npicture=a.bmp\n");

  // Only at the very start: elsewhere the bytes are text.
  TStringList lines;
  lines.SetText("\xEF\xBB\xBFkey=1\n[A]\n\xEF\xBB\xBFkey=2\n");
  TMemIniFile fromLines("");
  fromLines.SetStrings(lines);
  EXPECT_EQ(fromLines.ReadString("A", "\xEF\xBB\xBFkey", "?"), "2");
  TStringList preamble;
  fromLines.GetStrings(preamble);
  EXPECT_EQ(preamble[0], "key=1");
}

TEST(IniFile, WritesThroughAndKeepsCommentsAndOrder) {
  const std::string path = test::TempFolder() + "settings.ini";
  test::WriteFileBytes(path, "; settings\r\n[Main]\r\nWidth=10\r\n\r\n; window\r\n[Window]\r\nTop=5\r\n");
  {
    TIniFile ini(path);
    ini.WriteInteger("main", "Height", 20);
    ini.WriteString("Main", "WIDTH", "11");
    ini.WriteBool("New", "On", true);
    ini.WriteFloat("New", "Ratio", 0.5);
  }
  EXPECT_EQ(test::ReadFileBytes(path),
            "; settings\n[Main]\nWidth=11\nHeight=20\n\n; window\n[Window]\nTop=5\n\n[New]\nOn=1\nRatio=0.5\n");
  TMemIniFile again(path);
  EXPECT_EQ(again.ReadInteger("MAIN", "height", 0), 20);
  EXPECT_EQ(again.ReadFloat("new", "ratio", 0), 0.5);

  // A TMemIniFile changes the file only at UpdateFile.
  again.WriteString("Main", "Width", "12");
  EXPECT_NE(test::ReadFileBytes(path).find("Width=11"), std::string::npos);
  again.UpdateFile();
  EXPECT_NE(test::ReadFileBytes(path).find("Width=12"), std::string::npos);

  TMemIniFile nowhere(test::TempFolder() + "missing/x.ini");
  nowhere.WriteString("A", "b", "c");
  EXPECT_THROW(nowhere.UpdateFile(), EFCreateError);
}

}  // namespace
}  // namespace kora

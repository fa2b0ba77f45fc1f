#include "editor/NameLists.h"

#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "framework/core/Classes.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImgList.h"

namespace kora {
namespace {

using namespace test;
using V = std::vector<std::string>;

TEST(SplitNameLine, IdsNamesAndShortLines) {
  EXPECT_EQ(SplitNameLine("01\xB3\xA4\xBD\xA3", kItemIdLength).Id, "01");
  EXPECT_EQ(SplitNameLine("01\xB3\xA4\xBD\xA3", kItemIdLength).Name, "长剑");
  const NameEntry shortLine = SplitNameLine("0", kCharIdLength);
  EXPECT_EQ(shortLine.Id, "0");
  EXPECT_EQ(shortLine.Name, "");
  EXPECT_EQ(SplitNameLine("", kItemIdLength).Id, "");

  // 255 bytes of name at most, and never half a character.
  const std::string ascii(300, 'a');
  EXPECT_EQ(SplitNameLine("001" + ascii, kCharIdLength).Name, std::string(255, 'a'));
  std::string wide;
  for (int i = 0; i < 130; ++i) wide += "\xD6\xD0";
  const std::string name = SplitNameLine("01" + wide, kItemIdLength).Name;
  std::string expected;
  for (int i = 0; i < 127; ++i) expected += "中";
  EXPECT_EQ(name, expected);
}

TEST(RecordIndex, BadIdsAndPositionsWithoutAnEntry) {
  EXPECT_EQ(ItemRecordIndex("0G"), -1);  // no record
  EXPECT_EQ(CharRecordIndex("xyz"), 0);
  NameLists lists;
  lists.ItemIds = {"01"};
  lists.ClassNames = {"a"};
  EXPECT_EQ(lists.ItemRecordAt(-1), -1);
  EXPECT_EQ(lists.ItemRecordAt(1), -1);
  EXPECT_EQ(lists.CharRecordAt(0), -1);
  EXPECT_EQ(lists.ClassRecordAt(1), -1);
}

class NameListsTest : public ::testing::Test {
protected:
  void SetUp() override { FProgram = MakeProgramFolder(TempFolder()); }
  void Write(const std::string& name, const std::string& bytes) { WriteFileBytes(FProgram + "Data/" + name, bytes); }
  std::string FProgram;
};

TEST_F(NameListsTest, LoadsAllThreeListsWithPicturesInOrder) {
  Write("Item.dat", "01\xB3\xA4\xBD\xA3\r\n1fAxe\r\n");
  Write("Char.dat", "000Marth\n01A\xC2\xED\xC8\xF8\n\n");
  Write("Class.dat", "Lord\rKnight\r\xB9\xAD\xB1\xF8");
  V pictures;
  NameLists lists;
  LoadNameLists(
      FProgram, lists, [&](const std::string& p) { pictures.push_back("icon " + p); },
      [&](const std::string& p) { pictures.push_back("face " + p); });

  EXPECT_EQ(lists.ItemIds, (V{"01", "1f"}));
  EXPECT_EQ(lists.ItemNames, (V{"长剑", "Axe"}));
  EXPECT_EQ(lists.CharIds, (V{"000", "01A", ""}));  // an empty line is an entry
  EXPECT_EQ(lists.CharNames, (V{"Marth", "马萨", ""}));
  EXPECT_EQ(lists.ClassNames, (V{"Lord", "Knight", "弓兵"}));
  EXPECT_EQ(lists.ItemRecordAt(0), 0);
  EXPECT_EQ(lists.ItemRecordAt(1), 30);
  EXPECT_EQ(lists.CharRecordAt(1), 26);
  EXPECT_EQ(lists.ClassRecordAt(2), 2);
  EXPECT_EQ(pictures, (V{"icon " + FProgram + SetDirSeparators("Image/Item/01.bmp"),
                         "icon " + FProgram + SetDirSeparators("Image/Item/1f.bmp"),
                         "face " + FProgram + SetDirSeparators("Image/Face/000.bmp"),
                         "face " + FProgram + SetDirSeparators("Image/Face/01A.bmp"),
                         "face " + FProgram + SetDirSeparators("Image/Face/.bmp")}));
}

TEST_F(NameListsTest, FailuresStopWhereTheyHappen) {
  Write("Item.dat", "");
  Write("Char.dat", "000A\n001B\n");
  Write("Class.dat", "K\n");
  NameLists lists;
  LoadNameLists(FProgram, lists);  // no picture loaders: names only
  EXPECT_TRUE(lists.ItemNames.empty());
  EXPECT_EQ(lists.CharNames, (V{"A", "B"}));
  EXPECT_EQ(lists.ClassNames, (V{"K"}));

  // A missing icon drops its item's name; a missing portrait keeps the name.
  Write("Item.dat", "01X\n02Y\n");
  const auto failOn = [](const std::string& bad) {
    return [bad](const std::string& path) {
      if (path.ends_with(bad)) throw EFOpenError("Cannot open file \"" + path + "\".");
    };
  };
  EXPECT_THROW(LoadNameLists(FProgram, lists, failOn(SetDirSeparators("/02.bmp"))), EFOpenError);
  EXPECT_EQ(lists.ItemIds, (V{"01", "02"}));
  EXPECT_EQ(lists.ItemNames, (V{"X"}));
  EXPECT_TRUE(lists.CharNames.empty());

  EXPECT_THROW(LoadNameLists(FProgram, lists, {}, failOn(SetDirSeparators("/000.bmp"))), EFOpenError);
  EXPECT_EQ(lists.CharNames, (V{"A"}));

  std::filesystem::remove(FProgram + "Data/Class.dat");
  try {
    LoadNameLists(FProgram, lists);
    FAIL();
  } catch (const EFOpenError& e) {
    // The name as the system spells it in full (with its drive on Windows).
    EXPECT_EQ(e.Message().rfind("Cannot open file \"", 0), 0u) << e.Message();
    EXPECT_NE(e.Message().find(SetDirSeparators("/prog/Data/Class.dat") + "\". "), std::string::npos) << e.Message();
  }
  EXPECT_EQ(lists.CharNames, (V{"A", "B"}));
}

TEST(AddPicture, RefusalsNameTheFileAndWhatIsWrong) {
  TImageList icons(nullptr);  // 16 x 16
  TBitmap picture;
  picture.SetSize(16, 16);
  TMemoryStream good;
  picture.SaveToStream(good);
  picture.SetSize(17, 16);
  TMemoryStream wide;
  picture.SaveToStream(wide);
  TMemoryStream cut;
  cut.WriteBuffer(good.Memory(), good.Size() - 1);
  struct Case {
    TMemoryStream* File;
    const char* Cause;
  };
  TMemoryStream empty;
  for (const Case& c : {Case{&empty, "the file is empty"}, Case{&cut, "Stream read error"},
                        Case{&wide,
                             "Bitmap image is not valid: the image is 17 x 16, larger than the 16 x 16 it may "
                             "be here"}}) {
    c.File->SetPosition(0);
    try {
      AddPicture(*c.File, "Image/Item/01.bmp", picture, icons);
      ADD_FAILURE() << c.Cause;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), std::string("The picture \"Image/Item/01.bmp\" cannot be used: ") + c.Cause);
    }
  }
  EXPECT_EQ(icons.Count(), 0);
  good.SetPosition(0);
  AddPicture(good, "Image/Item/01.bmp", picture, icons);
  EXPECT_EQ(icons.Count(), 1);
}

}  // namespace
}  // namespace kora

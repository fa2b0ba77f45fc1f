#include <gtest/gtest.h>

#include "framework/LinesOf.h"
#include "framework/core/Classes.h"

namespace kora {
namespace {

using V = std::vector<std::string>;

using test::LinesOf;

TEST(TStringsNameValue, LooksUpNamesWithoutCaseAndKeepsValues) {
  TStringList list;
  list.SetText("Width=10\nname=Kora=Editor\nnovalue\nWIDTH=99\nempty=");
  EXPECT_EQ(list.Names(0), "Width");
  EXPECT_EQ(list.Names(2), "");
  EXPECT_EQ(list.Values("width"), "10");  // the first line wins
  EXPECT_EQ(list.Values("NAME"), "Kora=Editor");
  EXPECT_EQ(list.Values("novalue"), "");
  EXPECT_EQ(list.IndexOfName("empty"), 4);
  EXPECT_EQ(list.ValueFromIndex(1), "Kora=Editor");

  list.SetValue("Width", "20");
  EXPECT_EQ(list[0], "Width=20");
  list.SetValue("Height", "5");
  EXPECT_EQ(list[list.Count() - 1], "Height=5");
  list.SetValue("name", "");
  EXPECT_EQ(list.IndexOfName("name"), -1);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOfName("width"), -1);
}

TEST(TStringList, SortedListsStayOrderedAndHandleDuplicates) {
  TStringList list;
  list.SetText("pear\nApple\nbanana\napple");
  list.SetSorted(true);
  EXPECT_EQ(LinesOf(list), (V{"Apple", "apple", "banana", "pear"}));  // stable for equal keys
  EXPECT_EQ(list.Add("cherry"), 3);
  EXPECT_EQ(list.Add("APPLE"), 0);  // dupIgnore: the existing place
  EXPECT_EQ(list.Count(), 5);
  int index = -1;
  EXPECT_FALSE(list.Find("coconut", index));
  EXPECT_EQ(index, 4);
  list.SetDuplicates(dupError);
  try {
    list.Add("Pear");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "String list does not allow duplicates");
  }
  list.SetDuplicates(dupAccept);
  EXPECT_EQ(list.Add("Pear"), 5);
  try {
    list.Insert(0, "x");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "Operation not allowed on sorted list");
  }
  list.SetCaseSensitive(true);  // resorts by byte order
  EXPECT_EQ(list[0], "Apple");
  EXPECT_EQ(list[1], "Pear");
}

TEST(TStringList, CustomSortSeesTheListAsItWasAndKeepsObjects) {
  TStringList list;
  TObject marker;
  list.AddObject("10", &marker);
  list.Add("9");
  list.Add("100");
  list.CustomSort([](TStringList& l, int a, int b) { return StrToInt(l[a]) - StrToInt(l[b]); });
  EXPECT_EQ(LinesOf(list), (V{"9", "10", "100"}));
  EXPECT_EQ(list.Objects(1), &marker);
}

TEST(TStringList, ChangeEventsAreBatchedByUpdates) {
  TStringList list;
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  list.Add("a");
  list.Add("b");
  EXPECT_EQ(changes, 2);
  list.SetText("x\ny\nz");
  EXPECT_EQ(changes, 3);
  list.BeginUpdate();
  list.Delete(0);
  list.Exchange(0, 1);
  EXPECT_EQ(changes, 3);
  list.EndUpdate();
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(LinesOf(list), (V{"z", "y"}));
}

TEST(TStrings, DelimitedAndCommaTextQuoteWhatNeedsIt) {
  TStringList list;
  list.SetText("plain\ntwo words\nsay \"hi\"\n");
  EXPECT_EQ(list.CommaText(), "plain,\"two words\",\"say \"\"hi\"\"\"");
  TStringList back;
  back.SetCommaText(list.CommaText());
  EXPECT_EQ(LinesOf(back), LinesOf(list));

  back.SetCommaText(" a , b c,,\"d,e\",");
  EXPECT_EQ(LinesOf(back), (V{"a", "b", "c", "", "d,e", ""}));
  back.SetDelimiter(';');
  back.SetStrictDelimiter(true);
  back.SetDelimitedText("one two;three");
  EXPECT_EQ(LinesOf(back), (V{"one two", "three"}));
  back.Clear();
  back.Add("");
  back.SetCommaText(back.CommaText());
  EXPECT_EQ(LinesOf(back), (V{""}));
}

TEST(TStrings, SavesWithTheChosenLineBreak) {
  TStringList list;
  list.SetText("a\r\nb");
  list.SetLineBreak("\r\n");
  EXPECT_EQ(list.Text(), "a\r\nb\r\n");
}

}  // namespace
}  // namespace kora

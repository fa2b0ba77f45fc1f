#include <gtest/gtest.h>

#include "framework/TempFolder.h"
#include "framework/core/Classes.h"

namespace kora {
namespace {

std::vector<std::string> Lines(const TStrings& strings) {
  std::vector<std::string> result;
  for (int i = 0; i < strings.Count(); ++i) result.push_back(strings[i]);
  return result;
}

using V = std::vector<std::string>;

TEST(TStrings, TextSplitsOnEveryLineBreakStyle) {
  TStringList list;
  list.SetText("a\r\nb\nc\rd");
  EXPECT_EQ(Lines(list), (V{"a", "b", "c", "d"}));
  list.SetText("a\n");
  EXPECT_EQ(Lines(list), (V{"a"}));
  list.SetText("a\n\n");
  EXPECT_EQ(Lines(list), (V{"a", ""}));
  list.SetText("\r\n\n\r");
  EXPECT_EQ(Lines(list), (V{"", "", ""}));
  list.SetText("a\n\rb");  // LF then CR are two breaks
  EXPECT_EQ(Lines(list), (V{"a", "", "b"}));
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
}

TEST(TStrings, FileRoundTripAndLookup) {
  const std::string path = test::TempFolder() + "list.txt";
  test::WriteFileBytes(path, "one\r\nTwo\r\n\xD6\xD0");
  TStringList list;
  list.LoadFromFile(path);
  EXPECT_EQ(Lines(list), (V{"one", "Two", "\xD6\xD0"}));
  EXPECT_EQ(list.IndexOf("two"), 1);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("two"), -1);
  EXPECT_EQ(list.IndexOf("missing"), -1);

  list.SaveToFile(path);
  EXPECT_EQ(test::ReadFileBytes(path), "one\nTwo\n\xD6\xD0\n");
  EXPECT_THROW(list.LoadFromFile(path + ".none"), EFOpenError);
}

TEST(TStringList, EditingKeepsObjectsWithTheirStrings) {
  TStringList list;
  auto* marker = reinterpret_cast<TObject*>(&list);
  list.Add("a");
  list.AddObject("c", marker);
  list.Insert(1, "b");
  EXPECT_EQ(Lines(list), (V{"a", "b", "c"}));
  EXPECT_EQ(list.Objects(2), marker);
  list.Delete(0);
  EXPECT_EQ(list.Objects(1), marker);
  list.Put(0, "x");
  EXPECT_EQ(list.Strings(0), "x");
  EXPECT_THROW(list.Get(2), EStringListError);
}

}  // namespace
}  // namespace kora
